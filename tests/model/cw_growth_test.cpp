// Growing the CW area: the shift, the gap, the pointers, Last Word, the
// blank check and the refusals.
#include <gtest/gtest.h>

#include <random>

#include "model/cw_growth.h"
#include "model/layout.h"
#include "tests/support/sample_image.h"

using namespace quarnel;
using quarnel::testing::SampleLayout;
using quarnel::testing::sampleImage;

namespace {

// CW area 0x050..0x07F, a further block up to the records, 3 records of
// `size` bytes at 0x100: the layout of the worked example (E = 0x080,
// R = 0x100, N = 21, top = 0x100 + 3 x 22 + 1 = 0x143).
SampleLayout exampleLayout(std::uint8_t size = 22) {
    SampleLayout l;
    l.cwIdAddr = 0x2050;
    l.cwEnd = 0x2080;
    l.rfAddress = 0x2100;
    l.size = size;
    l.modes = 3;
    return l;
}

// Distinct, non-blank bytes from `from` up to, not including, `to`.
void fillPattern(Image& image, std::size_t from, std::size_t to) {
    for (std::size_t a = from; a < to; ++a) image[a] = static_cast<std::uint8_t>(0x10 + a * 7 % 0xE0);
}

}  // namespace

TEST(CwGrowth, WorkedExampleMovesAreaPointersAndLastWord) {
    struct Case {
        std::uint8_t size;
        std::uint16_t lastWord;  // x = 0x115 + Modes x Size - 1, rounded up to even
        std::size_t clearedByte;
    };
    for (const Case c : {Case{22, 0x2156, 0x157}, Case{21, 0x2154, 0x155}}) {
        Image image = sampleImage(exampleLayout(c.size));
        const std::size_t rfEnd = 0x100 + 3u * c.size;  // one past the last record byte
        fillPattern(image, 0x080, rfEnd);
        const Image before = image;
        RecordedNotices notices;
        const GrowOutcome out = growCwArea(image, 21, notices);
        ASSERT_TRUE(out.grown) << out.refusal;
        EXPECT_TRUE(notices.entries.empty());
        // The data behind the CW area moved up by 21; the erased bytes behind
        // the records moved with it, except the one Last Word now covers.
        for (std::size_t a = 0x080; a <= 0x100 + 3u * c.size + 1; ++a) {
            if (a + 21 == c.clearedByte) continue;
            EXPECT_EQ(image[a + 21], before[a]) << "offset " << a;
        }
        for (std::size_t a = 0x080; a < 0x095; ++a) EXPECT_EQ(image[a], 0x00) << a;
        EXPECT_EQ(image[c.clearedByte], 0x00);
        EXPECT_EQ(readField(image, Field::CwIdAddr), 0x2050u);
        EXPECT_EQ(readField(image, Field::CwEnd), 0x2095u);
        EXPECT_EQ(readField(image, Field::NextArea), 0x2115u);
        EXPECT_EQ(readField(image, Field::RfAddress), 0x2115u);
        EXPECT_EQ(readField(image, Field::LastWord), c.lastWord);
        EXPECT_EQ(readField(image, Field::Checksum), readField(before, Field::Checksum));
        // Nothing below the CW area's end and nothing above the shift changed.
        for (std::size_t a = 0x21; a < 0x080; ++a) ASSERT_EQ(image[a], before[a]) << a;
        for (std::size_t a = rfEnd + 2 + 21; a < kImageSize; ++a) ASSERT_EQ(image[a], before[a]) << a;
    }
}

TEST(CwGrowth, BlankCheckWarnsOnceAtTheFirstNonBlankByte) {
    // top = 0x143 and N = 21: the check covers 0x143..0x158.
    struct Case {
        std::vector<std::pair<std::size_t, std::uint8_t>> bytes;
        std::vector<std::string> warnings;
    };
    const std::string w = "Something wrong! Data beyond RF bytes not blank. Address=2";
    const Case cases[] = {
        {{{0x158, 0x5A}}, {w + "158"}},
        {{{0x159, 0x5A}}, {}},
        {{{0x143, 0x01}}, {w + "143"}},
        {{{0x150, 0x00}, {0x151, 0x00}}, {}},
        {{{0x14A, 0x33}, {0x150, 0x44}}, {w + "14A"}},
    };
    for (const Case& c : cases) {
        Image image = sampleImage(exampleLayout());
        for (auto [a, v] : c.bytes) image[a] = v;
        RecordedNotices notices;
        ASSERT_TRUE(growCwArea(image, 21, notices).grown);
        EXPECT_EQ(notices.texts(NoticeKind::Box), c.warnings);
        EXPECT_EQ(notices.entries.size(), c.warnings.size());
    }
    // A warning does not stop the growth: the byte is overwritten.
    Image image = sampleImage(exampleLayout());
    image[0x150] = 0x77;
    NullNotices quiet;
    ASSERT_TRUE(growCwArea(image, 21, quiet).grown);
    EXPECT_EQ(image[0x150], 0x00);  // the record byte from 0x13B
}

TEST(CwGrowth, FurtherPointerMovesWhereverItPoints) {
    for (auto [next, moved] : {std::pair{0x2010u, 0x2025u}, std::pair{0x0000u, 0x2015u},
                               std::pair{0x2300u, 0x2315u}}) {
        Image image = sampleImage(exampleLayout());
        writeField(image, Field::NextArea, next);
        NullNotices quiet;
        ASSERT_TRUE(growCwArea(image, 21, quiet).grown);
        EXPECT_EQ(readField(image, Field::NextArea), moved);
    }
}

TEST(CwGrowth, RandomLayoutsMoveEveryByteUnchanged) {
    std::mt19937 rng(20240611);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int round = 0; round < 300; ++round) {
        SampleLayout l;
        l.cwIdAddr = static_cast<std::uint16_t>(0x2000 + pick(0x21, 0x300));
        l.cwEnd = static_cast<std::uint16_t>(l.cwIdAddr + pick(0, 120));
        l.rfAddress = static_cast<std::uint16_t>(l.cwEnd + pick(0, 60));
        l.size = static_cast<std::uint8_t>(pick(22, 40));
        l.modes = static_cast<std::uint8_t>(pick(1, 40));
        Image image = sampleImage(l);
        const std::size_t e = l.cwEnd & 0x7FF;
        const std::size_t top = (l.rfAddress & 0x7FF) + std::size_t{l.size} * l.modes + 1;
        for (std::size_t a = 0x21; a < top - 1; ++a) image[a] = static_cast<std::uint8_t>(pick(0, 255));
        const int n = pick(1, 60);
        const Image before = image;
        NullNotices quiet;
        const GrowOutcome out = growCwArea(image, n, quiet);
        ASSERT_TRUE(out.grown) << out.refusal;
        for (std::size_t a = e; a + 1 < top; ++a) ASSERT_EQ(image[a + n], before[a]) << a;
        for (std::size_t a = e; a < e + n; ++a) ASSERT_EQ(image[a], 0x00) << a;
        for (std::size_t a = 0x21; a < e; ++a) ASSERT_EQ(image[a], before[a]) << a;
        EXPECT_EQ(readField(image, Field::RfAddress), l.rfAddress + static_cast<unsigned>(n));
        EXPECT_EQ(readField(image, Field::CwEnd), l.cwEnd + static_cast<unsigned>(n));
        const std::size_t lastRecordByte = top - 2 + static_cast<std::size_t>(n);
        EXPECT_EQ(readField(image, Field::LastWord), 0x2000u | ((lastRecordByte + 1) & ~std::size_t{1}));
    }
}

TEST(CwGrowth, RefusalsLeaveTheImageUnchanged) {
    struct Case {
        const char* what;
        std::uint16_t cwEnd, rfAddress;
        std::uint8_t modes;
        int bytes;
        std::string refusal;
        std::size_t missing;
    };
    // Records at 0x100, 22 bytes each: with 180 records top = 0x100 + 3960 + 1
    // = 4217, already past the image; with 170, top = 3997 and 98 bytes fit.
    const Case cases[] = {
        {"zero bytes", 0x2080, 0x2100, 3, 0, "positive", 0},
        {"negative", 0x2080, 0x2100, 3, -5, "positive", 0},
        {"past the image", 0x2080, 0x2100, 170, 99, "1 byte missing", 1},
        {"far past", 0x2080, 0x2100, 170, 21 + 98, "21 bytes missing", 21},
        {"records outside", 0x2080, 0x2100, 180, 2, "124 bytes missing", 124},
        {"CW end above 27FF", 0x2880, 0x2100, 3, 21, "CW end pointer 2880 lies outside", 0},
        {"RF above 27FF", 0x2080, 0x2900, 3, 21, "RF address 2900 lies outside", 0},
        // Bits above the window would be dropped from the moved pointer but
        // kept in CW ID addr: the span would turn negative and every message
        // would be lost.
        {"CW end with high bits", 0xE080, 0x2100, 3, 21, "CW end pointer E080 lies outside", 0},
        {"RF with high bits", 0x2080, 0x8100, 3, 2, "RF address 8100 lies outside", 0},
        {"CW end without the window bit", 0x0080, 0x2100, 3, 2, "CW end pointer 0080 lies outside", 0},
        {"CW end behind records", 0x2110, 0x2100, 3, 21, "behind the start of the channel", 0},
        // Shifting from there would move the header itself.
        {"CW end in the header", 0x2013, 0x2100, 3, 21, "ends at 013, inside the header", 0},
        {"CW end at the header's end", 0x2020, 0x2100, 3, 2, "ends at 020, inside the header", 0},
    };
    for (const Case& c : cases) {
        SampleLayout l = exampleLayout();
        l.modes = c.modes;
        Image image = sampleImage(l);
        writeField(image, Field::CwEnd, c.cwEnd);
        writeField(image, Field::RfAddress, c.rfAddress);
        const Image before = image;
        RecordedNotices notices;
        const GrowOutcome out = growCwArea(image, c.bytes, notices);
        EXPECT_FALSE(out.grown) << c.what;
        EXPECT_NE(out.refusal.find(c.refusal), std::string::npos) << c.what << ": " << out.refusal;
        EXPECT_EQ(out.missing, c.missing) << c.what;
        EXPECT_EQ(image.bytes, before.bytes) << c.what;
        EXPECT_TRUE(notices.entries.empty()) << c.what;
        EXPECT_FALSE(checkCwGrowth(image, c.bytes).grown) << c.what;
    }
    // The largest growth that fits reaches offset 4095 exactly.
    SampleLayout l = exampleLayout();
    l.modes = 170;
    Image image = sampleImage(l);
    NullNotices quiet;
    ASSERT_TRUE(growCwArea(image, 98, quiet).grown);
    EXPECT_EQ(image[4096], 0xFF);  // the overflow slot is never written
}
