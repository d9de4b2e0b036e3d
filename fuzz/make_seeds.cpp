// Writes the seed corpora of the fuzz targets: realistic images for the
// decoding target, and the same images with scripts of typical edits for the
// editing target. Image files given on the command line (images read out of
// real stations) are added to both.
//   fuzz_seeds DECODE_DIR EDIT_DIR [IMAGE...]
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/edit_script.h"
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
std::vector<std::uint8_t> typicalSession(const std::vector<std::uint8_t>& image, Band band) {
    const int b = static_cast<int>(band) - 1;
    const BandValues v = bandValues(band);
    ScriptWriter w(image);
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
std::vector<std::uint8_t> longMessages(const std::vector<std::uint8_t>& image) {
    ScriptWriter w(image);
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

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: fuzz_seeds DECODE_DIR EDIT_DIR [IMAGE...]\n");
        return 2;
    }
    const fs::path decodeDir = argv[1];
    const fs::path editDir = argv[2];
    fs::create_directories(decodeDir);
    fs::create_directories(editDir);

    int n = 0;
    for (const auto& plan : testing::realisticPlans()) {
        Image image = testing::realisticImage(plan);
        const std::vector<std::uint8_t> bytes = saveImageBytes(image);
        const std::string name = std::string("realistic-") + bandLabel(plan.band) + "-" + std::to_string(plan.modes) +
                                 "ch-" + std::to_string(plan.messages.size()) + "msg-" + std::to_string(n++);
        writeSeed(decodeDir / (name + ".bin"), bytes);
        writeSeed(editDir / (name + ".edit"), typicalSession(bytes, plan.band));
        writeSeed(editDir / (name + "-long-cw.edit"), longMessages(bytes));
    }
    // The files every loader meets sooner or later.
    const std::vector<std::uint8_t> erased(kEpromSize, 0xFF);
    std::vector<std::uint8_t> overLong(kImageSize + 10, 0x00);
    writeSeed(decodeDir / "empty.bin", {});
    writeSeed(decodeDir / "erased.bin", erased);
    writeSeed(decodeDir / "zeros-over-long.bin", overLong);
    writeSeed(editDir / "erased.edit", typicalSession(erased, Band::Uhf));

    for (int i = 3; i < argc; ++i) {
        const fs::path path = argv[i];
        const std::vector<std::uint8_t> bytes = readImage(path);
        const std::string name = "given-" + path.filename().string();
        writeSeed(decodeDir / name, bytes);
        writeSeed(editDir / (name + ".edit"), typicalSession(bytes, Band::Uhf));
    }
    return 0;
}
