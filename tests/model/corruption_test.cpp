// A realistic image with any one byte of its header or of its first channel
// record changed to any value, and cut off at any length, still loads and
// decodes with a clear result: every channel either decodes into readable
// texts or says why it cannot, and the image saves into a file that verifies.
#include <gtest/gtest.h>

#include <set>

#include "model/channel_view.h"
#include "model/image.h"
#include "model/layout.h"
#include "tests/support/decode_check.h"
#include "tests/support/realistic_image.h"
#include "tests/support/view_text.h"

using namespace quarnel;
using quarnel::testing::allBandPairs;
using quarnel::testing::BandPair;
using quarnel::testing::decodeProblems;
using quarnel::testing::headerText;
using quarnel::testing::realisticImage;
using quarnel::testing::recordText;

namespace {

// Collects the first few failures of a sweep, so that a broken decoder
// reports what went wrong without flooding the output.
class Findings {
public:
    void add(const std::string& where, const std::vector<std::string>& problems) {
        for (const auto& p : problems) {
            ++count_;
            if (first_.size() < 10) first_.push_back(where + ": " + p);
        }
    }
    void add(const std::string& where, const std::string& problem) { add(where, std::vector{problem}); }
    int count() const { return count_; }
    std::string report() const {
        std::string out;
        for (const auto& f : first_) out += f + "\n";
        return out;
    }

private:
    int count_ = 0;
    std::vector<std::string> first_;
};

std::vector<std::uint8_t> epromBytes(const Image& image) {
    return {image.bytes.begin(), image.bytes.begin() + kEpromSize};
}

// Loads `data`, checks the load outcome, decodes everything with `bands`
// and saves: the saved bytes must load again with a valid checksum.
Image loadAndCheck(const std::vector<std::uint8_t>& data, const std::vector<BandPair>& bands,
                   const std::string& where, Findings& findings) {
    Image image;
    RecordedNotices notices;
    const LoadOutcome load = loadImageBytes(image, data.data(), data.size(), notices);
    if (!load.ok || load.bytesRead != data.size() || load.tooLarge || !notices.entries.empty())
        findings.add(where, "the load outcome does not describe the data");
    if (load.checksumOk != (load.computed == load.stored) || load.computed != computeChecksum(image))
        findings.add(where, "the checksum comparison is wrong");
    findings.add(where, decodeProblems(image, {bands}));

    Image saved = image;
    const std::vector<std::uint8_t> file = saveImageBytes(saved);
    Image reloaded;
    const LoadOutcome again = loadImageBytes(reloaded, file.data(), file.size(), notices);
    if (file.size() != kEpromSize || !again.checksumOk) findings.add(where, "the saved image does not verify");
    return image;
}

// Header offsets that nothing decodes: changing them changes no view.
const std::set<std::size_t> kUninterpretedHeader = {
    0x00, 0x01, 0x02, 0x03,                               // checksum and its range
    0x04, 0x06, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F, 0x10,
    0x15, 0x16,                                           // the area behind the CW area
    0x19, 0x1A, 0x1B,
    0x21, 0x22, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x2B, 0x2C, 0x2D, 0x2E, 0x2F};

}  // namespace

TEST(Corruption, EverySingleByteOfHeaderAndFirstRecord) {
    const Image good = realisticImage();
    const std::vector<std::uint8_t> original = epromBytes(good);
    const int modes = static_cast<int>(readField(good, Field::Modes));
    const std::size_t headerEnd = imageOffset(static_cast<std::uint16_t>(readField(good, Field::CwIdAddr)));
    const std::size_t record1 = channelBase(good, 1).base;
    ASSERT_EQ(headerEnd, 0x30u);

    // What the untouched image shows, for the bytes that affect one place only.
    std::vector<std::string> goodRecords;
    for (int n = 1; n <= modes; ++n) goodRecords.push_back(recordText(channelView(good, {n, Band::Uhf, Band::Uhf})));
    const std::string goodHeader = headerText(channelView(good, {1, Band::Uhf, Band::Uhf}).header);

    std::vector<std::size_t> offsets;
    for (std::size_t a = 0; a < headerEnd; ++a) offsets.push_back(a);
    for (std::size_t a = record1; a < record1 + kRecordFieldBytes; ++a) offsets.push_back(a);

    Findings findings;
    for (std::size_t offset : offsets) {
        for (int value = 0; value < 256; ++value) {
            std::vector<std::uint8_t> data = original;
            data[offset] = static_cast<std::uint8_t>(value);
            // One band combination per image; the sweep goes through all nine.
            const BandPair bands = allBandPairs()[static_cast<std::size_t>(value) % allBandPairs().size()];
            const std::string where = "byte " + std::to_string(offset) + " = " + std::to_string(value);
            const Image image = loadAndCheck(data, {bands}, where, findings);

            // A byte of record 1 changes nothing but channel 1; an
            // uninterpreted header byte changes no view at all.
            const bool inRecord1 = offset >= record1;
            if (!inRecord1 && kUninterpretedHeader.count(offset) == 0) continue;
            for (int n = inRecord1 ? 2 : 1; n <= modes; ++n) {
                const ChannelView v = channelView(image, {n, Band::Uhf, Band::Uhf});
                if (recordText(v) != goodRecords[static_cast<std::size_t>(n - 1)] || headerText(v.header) != goodHeader)
                    findings.add(where, "channel " + std::to_string(n) + " changed");
            }
        }
    }
    EXPECT_EQ(findings.count(), 0) << findings.report();
}

TEST(Corruption, EveryTruncationLength) {
    const std::vector<std::uint8_t> original = epromBytes(realisticImage());
    Findings findings;
    for (std::size_t length = 0; length <= kEpromSize; ++length) {
        const std::vector<std::uint8_t> data(original.begin(), original.begin() + static_cast<long>(length));
        const BandPair bands = allBandPairs()[length % allBandPairs().size()];
        const Image image = loadAndCheck(data, {bands}, "length " + std::to_string(length), findings);
        // What the file did not hold reads as erased EPROM.
        for (std::size_t a = length; a < kImageSize; ++a) {
            if (image[a] != 0xFF) {
                findings.add("length " + std::to_string(length), "byte " + std::to_string(a) + " is not 0xFF");
                break;
            }
        }
    }
    EXPECT_EQ(findings.count(), 0) << findings.report();
}
