// Tone, PL code and DPL tables, the PL and DPL storage, the inversion bits
// and the code-type changes.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "model/layout.h"
#include "model/tones.h"

using namespace quarnel;

namespace {

constexpr std::size_t kBase = 0x200;

std::uint8_t& recordByte(Image& image, std::size_t offset) { return image[kBase + offset]; }

void setCode(Image& image, Direction d, std::uint8_t high, std::uint8_t low) {
    writeField(image, d == Direction::Receive ? Field::RxCodeHigh : Field::TxCodeHigh, high, kBase);
    writeField(image, d == Direction::Receive ? Field::RxCodeLow : Field::TxCodeLow, low, kBase);
}

std::uint16_t codeWord(const Image& image, Direction d) {
    return static_cast<std::uint16_t>(readField(image, d == Direction::Receive ? Field::RxCode : Field::TxCode, kBase));
}

}  // namespace

TEST(Tables, EntriesAndPlaceholders) {
    EXPECT_STREQ(toneText(0), "xx");
    EXPECT_STREQ(plCodeName(0), "zz");
    EXPECT_STREQ(dplCodeText(0), "yyy");
    EXPECT_STREQ(toneText(1), "67.0 ");
    EXPECT_STREQ(toneText(13), "100.0");
    EXPECT_STREQ(toneText(42), "254.1");
    EXPECT_STREQ(plCodeName(1), "XZ");
    EXPECT_STREQ(plCodeName(33), "M1");
    EXPECT_STREQ(plCodeName(42), "0Z");
    EXPECT_STREQ(dplCodeText(1), "023");
    EXPECT_STREQ(dplCodeText(83), "754");
    for (int bad : {-1, 43, 1000}) {
        EXPECT_STREQ(toneText(bad), "");
        EXPECT_STREQ(plCodeName(bad), "");
    }
    EXPECT_STREQ(dplCodeText(84), "");
    EXPECT_STREQ(dplCodeText(-1), "");
}

TEST(Tables, ToneTextsAreFiveCharactersAndAscend) {
    for (int i = 1; i <= kToneCount; ++i) {
        const std::string t = toneText(i);
        ASSERT_EQ(t.size(), 5u) << i;
        ASSERT_EQ(std::strlen(plCodeName(i)), 2u) << i;
        EXPECT_EQ(std::lround(std::stod(t) * 10), toneTenths(i)) << t;
        if (i > 1) EXPECT_GT(toneTenths(i), toneTenths(i - 1));
    }
    for (int i = 1; i <= kDplCount; ++i) {
        const std::string t = dplCodeText(i);
        ASSERT_EQ(t.size(), 3u);
        EXPECT_EQ(t.find_first_not_of("01234567"), std::string::npos) << t;
        if (i > 1) EXPECT_GT(dplCodeNumber(i), dplCodeNumber(i - 1));
    }
}

TEST(Tables, LookupByText) {
    EXPECT_EQ(toneIndexOfText("100.0"), 13);
    EXPECT_EQ(toneIndexOfText("100"), 13);
    EXPECT_EQ(toneIndexOfText("67.0 "), 1);
    EXPECT_EQ(toneIndexOfText("67"), 1);
    EXPECT_EQ(toneIndexOfText("254.10"), 42);
    for (const char* bad : {"", "xx", "100.05", "100.", "66.9", "1000.0", "-67", "67,0"})
        EXPECT_EQ(toneIndexOfText(bad), 0) << bad;
    EXPECT_EQ(dplIndexOfText("023"), 1);
    EXPECT_EQ(dplIndexOfText("23"), 1);
    EXPECT_EQ(dplIndexOfText("754"), 83);
    for (const char* bad : {"", "yyy", "024", "089", "0023", "305"})
        EXPECT_EQ(dplIndexOfText(bad), 0) << bad;
}

TEST(Pl, FactorsAreTheSinglePrecisionValues) {
    EXPECT_EQ(plFactor(Direction::Receive), 0.016419000923633575);
    EXPECT_EQ(plFactor(Direction::Transmit), 0.049258001148700714);
    EXPECT_EQ(plReportFactor(Direction::Receive), 0.16418999433517456);
    EXPECT_EQ(plReportFactor(Direction::Transmit), 0.49257999658584595);
}

TEST(Pl, Stored100Hz) {
    Image image;
    image.bytes.fill(0xFF);  // the old high byte is replaced whole, bit 7 too
    ASSERT_TRUE(encodePl(image, kBase, Direction::Receive, 13));
    ASSERT_TRUE(encodePl(image, kBase, Direction::Transmit, 13));
    EXPECT_EQ(codeWord(image, Direction::Receive), 0x17CB);  // 6091
    EXPECT_EQ(codeWord(image, Direction::Transmit), 0x07EE);  // 2030
    EXPECT_EQ(decodePl(image, kBase, Direction::Receive).index, 13);
    EXPECT_EQ(decodePl(image, kBase, Direction::Transmit).index, 13);
}

TEST(Pl, EveryToneComesBackInBothDirections) {
    for (Direction d : {Direction::Receive, Direction::Transmit}) {
        for (int i = 1; i <= kToneCount; ++i) {
            Image image;
            ASSERT_TRUE(encodePl(image, kBase, d, i));
            const CodeLookup found = decodePl(image, kBase, d);
            EXPECT_EQ(found.index, i) << toneText(i) << (d == Direction::Receive ? " rx" : " tx");
            EXPECT_TRUE(found.notFound.empty());
        }
    }
}

TEST(Pl, FirstToneWithinTheToleranceWins) {
    // 4142 x 0.016419 = 68.0075: it floors to 68, within 2 of both 67 and 69.
    Image image;
    setCode(image, Direction::Receive, 4142 >> 8, 4142 & 0xFF);
    ASSERT_EQ(static_cast<int>(4142 * plFactor(Direction::Receive)), 68);
    EXPECT_EQ(decodePl(image, kBase, Direction::Receive).index, 1);
}

TEST(Pl, TopBitsOfTheHighByteAreIgnored) {
    Image a, b;
    setCode(a, Direction::Receive, 0xC3, 0xF1);
    setCode(b, Direction::Receive, 0x03, 0xF1);
    EXPECT_EQ(plCount(a, kBase, Direction::Receive), 0x03F1u);
    EXPECT_EQ(decodePl(a, kBase, Direction::Receive).notFound, decodePl(b, kBase, Direction::Receive).notFound);
    EXPECT_EQ(decodePl(a, kBase, Direction::Receive).index, decodePl(b, kBase, Direction::Receive).index);
}

TEST(Pl, NotFoundReports) {
    const struct {
        Direction d;
        unsigned count;
        const char* text;
    } cases[] = {
        {Direction::Receive, 0, "RX PL not found: 0Hz"},
        {Direction::Transmit, 0, "TX PL not found: 0Hz"},
        // 12000 x 0.16419 = 1970.28 -> 1970 -> 197.
        {Direction::Receive, 12000, "RX PL not found: 197Hz"},
        // 30 x 0.16419 = 4.93 -> 5 -> 0.5, written with its leading zero.
        {Direction::Receive, 30, "RX PL not found: 0.5Hz"},
        // 5000 x 0.49258 = 2462.9 -> 2463 -> 246.3 (246 is within 2 of no tone).
        {Direction::Transmit, 5000, "TX PL not found: 246.3Hz"},
        // The largest count: 16383 x 0.16419 = 2689.9 -> 269.0.
        {Direction::Receive, 0x3FFF, "RX PL not found: 269Hz"},
    };
    for (const auto& c : cases) {
        Image image;
        setCode(image, c.d, static_cast<std::uint8_t>(c.count >> 8), static_cast<std::uint8_t>(c.count & 0xFF));
        const CodeLookup found = decodePl(image, kBase, c.d);
        EXPECT_FALSE(found.found());
        EXPECT_EQ(found.notFound, c.text);
    }
}

TEST(Dpl, EveryCodeComesBackWithItsInversion) {
    for (Direction d : {Direction::Receive, Direction::Transmit}) {
        for (int i = 1; i <= kDplCount; ++i) {
            for (bool inverted : {false, true}) {
                Image image;
                image.bytes.fill(inverted ? 0xFF : 0x00);
                setInverted(image, kBase, d, inverted);
                ASSERT_TRUE(encodeDpl(image, kBase, d, i));
                EXPECT_EQ(decodeDpl(image, kBase, d).index, i) << dplCodeText(i);
                EXPECT_EQ(isInverted(image, kBase, d), inverted) << dplCodeText(i);
            }
        }
    }
}

TEST(Dpl, PackingOf754KeepsTheUpperNibbleAndInversion) {
    Image image;
    setCode(image, Direction::Receive, 0xFC, 0x01);
    ASSERT_TRUE(encodeDpl(image, kBase, Direction::Receive, 83));
    // High bits 0-1 = 3 (7 >> 1); low bit 7 = 1, bits 4-6 = 5, bits 1-3 = 4.
    EXPECT_EQ(recordByte(image, 13), 0xF3);
    EXPECT_EQ(recordByte(image, 14), 0xD9);
    setCode(image, Direction::Transmit, 0x5F, 0x00);
    ASSERT_TRUE(encodeDpl(image, kBase, Direction::Transmit, 1));  // 023
    EXPECT_EQ(recordByte(image, 11), 0x50);
    EXPECT_EQ(recordByte(image, 12), 0x26);
}

TEST(Dpl, NotFoundReports) {
    Image image;
    // (1 x 2 + 1) x 100 + 0 x 10 + 5 = 305, not in the table.
    setCode(image, Direction::Receive, 0xA1, 0x8A);
    EXPECT_EQ(dplCode(image, kBase, Direction::Receive), 305);
    EXPECT_EQ(decodeDpl(image, kBase, Direction::Receive).notFound, "RX DPL not found: 305");
    EXPECT_EQ(decodeDpl(image, kBase, Direction::Transmit).notFound, "TX DPL not found: 0");
}

TEST(Codes, IndicesOutsideTheTablesWriteNothing) {
    Image image;
    image.bytes.fill(0x77);
    const Image before = image;
    for (int bad : {0, -1, kToneCount + 1}) EXPECT_FALSE(encodePl(image, kBase, Direction::Receive, bad));
    for (int bad : {0, kDplCount + 1}) EXPECT_FALSE(encodeDpl(image, kBase, Direction::Transmit, bad));
    EXPECT_FALSE(encodePl(image, kBase, Direction::Idle, 1));
    EXPECT_FALSE(encodeDpl(image, kEpromSize - 12, Direction::Receive, 1));  // bytes 13-14 outside
    EXPECT_EQ(image.bytes, before.bytes);
}

TEST(Codes, CodeTypeRead) {
    const struct {
        std::uint8_t codeCtrl;
        CodeType rx, tx;
    } cases[] = {
        {0x00, CodeType::Carrier, CodeType::Carrier}, {0x10, CodeType::Carrier, CodeType::Carrier},
        {0x20, CodeType::Pl, CodeType::Carrier},      {0x30, CodeType::Dpl, CodeType::Carrier},
        {0x40, CodeType::Carrier, CodeType::Carrier}, {0x80, CodeType::Carrier, CodeType::Pl},
        {0xC0, CodeType::Carrier, CodeType::Dpl},     {0xE5, CodeType::Pl, CodeType::Dpl},
    };
    for (const auto& c : cases) {
        Image image;
        recordByte(image, 15) = c.codeCtrl;
        EXPECT_EQ(codeType(image, kBase, Direction::Receive), c.rx) << int{c.codeCtrl};
        EXPECT_EQ(codeType(image, kBase, Direction::Transmit), c.tx) << int{c.codeCtrl};
    }
}

// Each code-type change on a record of all 0xFF and of all 0x00: the whole
// record afterwards, byte for byte (offsets 2, 5, 6, 11-16 are the ones that
// can change).
TEST(Codes, CodeTypeChangesByteForByte) {
    struct Case {
        Direction d;
        CodeType type;
        std::uint8_t fill;
        std::vector<std::pair<std::size_t, std::uint8_t>> changes;  // record offset, new value
    };
    const Case cases[] = {
        {Direction::Receive, CodeType::Carrier, 0xFF, {{6, 0xBF}, {13, 0x00}, {14, 0x00}, {15, 0xCB}, {16, 0xBB}}},
        {Direction::Receive, CodeType::Carrier, 0x00, {{6, 0x10}}},
        {Direction::Receive, CodeType::Pl, 0xFF, {{13, 0x00}, {14, 0x00}, {15, 0xE4}}},
        {Direction::Receive, CodeType::Pl, 0x00, {{2, 0x40}, {15, 0x24}}},
        {Direction::Receive, CodeType::Dpl, 0xFF, {{2, 0xBF}, {13, 0xA0}, {14, 0x00}, {15, 0xF1}}},
        {Direction::Receive, CodeType::Dpl, 0x00, {{13, 0xA0}, {15, 0x31}}},
        {Direction::Transmit, CodeType::Carrier, 0xFF, {{11, 0x00}, {12, 0x00}, {15, 0x3B}}},
        {Direction::Transmit, CodeType::Carrier, 0x00, {}},
        {Direction::Transmit, CodeType::Pl, 0xFF, {{11, 0x00}, {12, 0x00}, {15, 0xB4}}},
        {Direction::Transmit, CodeType::Pl, 0x00, {{5, 0x40}, {15, 0x84}}},
        {Direction::Transmit, CodeType::Dpl, 0xFF, {{5, 0xBF}, {11, 0xA0}, {12, 0x00}, {15, 0xF1}}},
        {Direction::Transmit, CodeType::Dpl, 0x00, {{11, 0xA0}, {15, 0xC1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.d == Direction::Receive ? "rx type " : "tx type ") +
                     std::to_string(static_cast<int>(c.type)) + " on " + std::to_string(c.fill));
        Image image;
        image.bytes.fill(c.fill);
        Image expected = image;
        for (const auto& [offset, value] : c.changes) expected[kBase + offset] = value;
        changeCodeType(image, kBase, c.d, c.type);
        for (std::size_t i = 0; i < kImageSize; ++i)
            ASSERT_EQ(image[i], expected[i]) << "offset " << (i >= kBase ? i - kBase : i);
    }
}

TEST(Codes, ChangingTypeReadsBackAndResetsTheCode) {
    // DPL on transmit stores byte 12 = 0, which reads as inverted; on receive
    // byte 14 = 0 reads as not inverted. PL stores a count of 0: not found.
    Image image;
    changeCodeType(image, kBase, Direction::Transmit, CodeType::Dpl);
    changeCodeType(image, kBase, Direction::Receive, CodeType::Dpl);
    EXPECT_TRUE(isInverted(image, kBase, Direction::Transmit));
    EXPECT_FALSE(isInverted(image, kBase, Direction::Receive));
    EXPECT_EQ(codeType(image, kBase, Direction::Transmit), CodeType::Dpl);
    EXPECT_EQ(codeType(image, kBase, Direction::Receive), CodeType::Dpl);
    changeCodeType(image, kBase, Direction::Receive, CodeType::Pl);
    EXPECT_EQ(codeType(image, kBase, Direction::Receive), CodeType::Pl);
    EXPECT_EQ(codeType(image, kBase, Direction::Transmit), CodeType::Dpl);
    EXPECT_EQ(decodePl(image, kBase, Direction::Receive).notFound, "RX PL not found: 0Hz");
    changeCodeType(image, kBase, Direction::Receive, CodeType::Carrier);
    EXPECT_EQ(codeType(image, kBase, Direction::Receive), CodeType::Carrier);
    EXPECT_EQ(codeType(image, kBase, Direction::Transmit), CodeType::Dpl);
}
