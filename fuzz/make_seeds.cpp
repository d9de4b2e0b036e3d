// Writes the seed corpora of the fuzz targets: realistic images for the
// decoding target (each after its band-choice byte), scripts of typical edits
// over the same images (fuzz/seed_images.h) for the editing target, and CW
// areas with their messages for the CW target. Image files given on the
// command line (images read out of real stations) are added to the decoding
// corpus, with each band pair.
//   fuzz_seeds DECODE_DIR EDIT_DIR CW_DIR [IMAGE...]
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/edit_script.h"
#include "fuzz/seed_images.h"
#include "model/layout.h"
#include "model/image.h"
#include "model/values.h"
#include "tests/support/realistic_image.h"

namespace fs = std::filesystem;
using namespace quarnel;
using quarnel::fuzz::Op;
using quarnel::fuzz::ScriptWriter;

namespace {

bool isBit(const ValueSpec& row) { return row.kind == ValueKind::Bit; }
bool isList(const ValueSpec& row) { return row.dropDown(); }

// The operand that picks `value` among the rows `keep` selects, as the edit
// target counts them.
int operand(Value value, bool (*keep)(const ValueSpec&)) {
    int n = 0;
    for (const ValueSpec& row : valueTable()) {
        if (row.value == value) return n;
        if (keep(row)) ++n;
    }
    return n;
}

void writeSeed(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "fuzz_seeds: cannot write %s\n", path.string().c_str());
        std::exit(2);
    }
}

const char* bandLabel(Band band) { return band == Band::Vhf ? "vhf" : band == Band::Uhf ? "uhf" : "800"; }

struct BandValues {
    const char* rxTyped;      // digits typed into the receive entry
    std::uint32_t txHz;       // a transmit frequency
    std::uint32_t idleHz;
};

BandValues bandValues(Band band) {
    switch (band) {
    case Band::Vhf: return {"1465200", 146'520'000, 146'520'000};
    case Band::Uhf: return {"44885", 443'850'000, 443'805'000};
    case Band::Band800: return {"9350000", 806'000'000, 806'012'500};
    }
    return {};
}

// The steps a user takes on a freshly opened image: every kind of edit, with
// values from the lists, a CW message stored, added and grown, a save.
std::vector<std::uint8_t> typicalSession(std::size_t seed, Band band) {
    const int b = static_cast<int>(band) - 1;
    const BandValues v = bandValues(band);
    ScriptWriter w(seed);
    w.op(Op::Display).byte(0).byte(b + 3 * b);
    w.op(Op::Entry).byte(0).byte(static_cast<int>(std::string(v.rxTyped).size()));
    for (const char* c = v.rxTyped; *c; ++c) w.byte(*c - '0');
    w.op(Op::Hertz).byte(1).word32(v.txHz);
    w.op(Op::Hertz).byte(2).word32(v.idleHz);
    w.op(Op::CodeType).byte(0).byte(2);  // receive PL
    w.op(Op::CodeItem).byte(0).word(12);
    w.op(Op::CodeType).byte(1).byte(1);  // transmit DPL
    w.op(Op::CodeItem).byte(1).word(40);
    w.op(Op::Invert).byte(1).byte(1);
    w.op(Op::CheckBox).byte(operand(Value::RxControlCode, isBit)).byte(1);
    w.op(Op::CheckBox).byte(operand(Value::CwIdEnable, isBit)).byte(0);
    w.op(Op::CheckBox).byte(operand(Value::TxInvertDpl, isBit)).byte(1);
    w.op(Op::DropDown).byte(operand(Value::WirelineTimer, isList)).byte(8 + 2);  // 90 s
    w.op(Op::DropDown).byte(operand(Value::Dropout, isList)).byte(5 + 2);        // 5 s
    w.op(Op::DropDown).byte(operand(Value::CwSpeed, isList)).byte(25 + 2);       // 25 wpm
    w.op(Op::DropDown).byte(operand(Value::RekeyDelay, isList)).byte(7 + 2);     // 1920 ms
    w.op(Op::DropDown).byte(operand(Value::CwMessage, isList)).byte(1 + 2);      // message 1
    w.op(Op::Priority).byte(2).byte(2);  // wireline Highest
    w.op(Op::CwStore).byte(1).text("DE N0CALL/R");
    w.op(Op::CwAdd);
    w.op(Op::CwSaveAll).text("CQ TEST").text("DE N0CALL").text("AB1CD 73 QRZ");
    w.op(Op::Grow).word(21);
    w.op(Op::SaveReload);
    w.op(Op::Display).byte(1).byte(b + 3 * b);
    w.op(Op::CodeType).byte(0).byte(0);  // receive Carrier, redisplayed
    return w.bytes();
}

// A CW ID too long for one slot, stored until the area runs into the end of
// the EPROM.
std::vector<std::uint8_t> longMessages(std::size_t seed) {
    ScriptWriter w(seed);
    for (int i = 0; i < 4; ++i) {
        w.op(Op::CwAdd);
        w.op(Op::CwStore).byte(i + 1).text("DE WB6XYZ/R WB6XYZ/R 73");
    }
    w.op(Op::Grow).word(1500);
    w.op(Op::Grow).word(-5);
    return w.bytes();
}

std::vector<std::uint8_t> readImage(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "fuzz_seeds: cannot read %s\n", path.string().c_str());
        std::exit(2);
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A decoding input: the band-choice byte, then the file.
std::vector<std::uint8_t> decodeInput(int bandPair, const std::vector<std::uint8_t>& file) {
    std::vector<std::uint8_t> out{static_cast<std::uint8_t>(bandPair)};
    out.insert(out.end(), file.begin(), file.end());
    return out;
}

// A CW input: the two pointers of `image`, a limit, a text, then the CW area.
std::vector<std::uint8_t> cwInput(const Image& image, int limit, const std::string& text) {
    ScriptWriter w(0);
    std::vector<std::uint8_t> out;
    const auto id = static_cast<std::uint16_t>(readField(image, Field::CwIdAddr));
    const auto end = static_cast<std::uint16_t>(readField(image, Field::CwEnd));
    out = {static_cast<std::uint8_t>(id >> 8), static_cast<std::uint8_t>(id), static_cast<std::uint8_t>(end >> 8),
           static_cast<std::uint8_t>(end), static_cast<std::uint8_t>(limit)};
    const std::vector<std::uint8_t> t = w.text(text).bytes();
    out.insert(out.end(), t.begin() + 2, t.end());  // without the writer's seed and count bytes
    const std::size_t from = id & kOffsetMask12;
    const std::size_t to = end & kOffsetMask12;
    for (std::size_t a = from; a < to && a < kEpromSize; ++a) out.push_back(image[a]);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: fuzz_seeds DECODE_DIR EDIT_DIR CW_DIR [IMAGE...]\n");
        return 2;
    }
    const fs::path decodeDir = argv[1];
    const fs::path editDir = argv[2];
    const fs::path cwDir = argv[3];
    for (const auto& dir : {decodeDir, editDir, cwDir}) fs::create_directories(dir);

    const auto plans = testing::realisticPlans();
    const std::vector<Image>& seeds = fuzz::seedImages();
    for (std::size_t n = 0; n < plans.size(); ++n) {
        const auto& plan = plans[n];
        Image image = seeds[n];
        const std::vector<std::uint8_t> bytes = saveImageBytes(image);
        const std::string name = std::string("realistic-") + bandLabel(plan.band) + "-" + std::to_string(plan.modes) +
                                 "ch-" + std::to_string(plan.messages.size()) + "msg-" + std::to_string(n);
        const int pair = 4 * (static_cast<int>(plan.band) - 1);  // the station's band for both
        writeSeed(decodeDir / (name + ".bin"), decodeInput(pair, bytes));
        writeSeed(editDir / (name + ".edit"), typicalSession(n, plan.band));
        writeSeed(editDir / (name + "-long-cw.edit"), longMessages(n));
        writeSeed(cwDir / (name + ".cw"), cwInput(image, static_cast<int>(n) * 5, "DE N0CALL/R 73"));
    }
    // The files every loader meets sooner or later.
    const std::vector<std::uint8_t> erased(kEpromSize, 0xFF);
    std::vector<std::uint8_t> overLong(kImageSize + 10, 0x00);
    writeSeed(decodeDir / "empty.bin", decodeInput(4, {}));
    writeSeed(decodeDir / "erased.bin", decodeInput(4, erased));
    writeSeed(decodeDir / "zeros-over-long.bin", decodeInput(4, overLong));
    const std::size_t erasedSeed = plans.size();
    writeSeed(editDir / "erased.edit", typicalSession(erasedSeed, Band::Uhf));
    // An over-long file of zeros: the overflow slot set, then edited.
    writeSeed(editDir / "zeros-over-long.edit",
              ScriptWriter(erasedSeed + 1, {{static_cast<std::uint16_t>(kEpromSize), 0x00}})
                  .op(Op::CwAdd).op(Op::Grow).word(4).op(Op::SaveReload).bytes());

    for (int i = 4; i < argc; ++i) {
        const fs::path path = argv[i];
        const std::vector<std::uint8_t> bytes = readImage(path);
        for (int pair = 0; pair < 9; ++pair)
            writeSeed(decodeDir / ("given-" + path.filename().string() + "-" + std::to_string(pair)),
                      decodeInput(pair, bytes));
    }
    return 0;
}
