// CW messages: the count, the Morse packing both ways, storing and adding.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>

#include "model/cw_messages.h"
#include "model/layout.h"
#include "tests/support/sample_image.h"

using namespace quarnel;
using quarnel::testing::SampleLayout;
using quarnel::testing::sampleImage;
using Bytes = std::vector<std::uint8_t>;

namespace {

// A CW area of `areaBytes` bytes at 0x030, the records right behind it.
SampleLayout cwLayout(int areaBytes) {
    SampleLayout l;
    l.cwIdAddr = 0x2030;
    l.cwEnd = static_cast<std::uint16_t>(0x2030 + areaBytes);
    l.rfAddress = l.cwEnd;
    return l;
}

// The whole encoding, however long.
Bytes encoded(const std::string& text) {
    NullNotices quiet;
    return encodeMessage(text, quiet, SIZE_MAX).bytes;
}

Bytes at(const Image& image, std::size_t from, std::size_t n) {
    return {image.bytes.begin() + static_cast<std::ptrdiff_t>(from), image.bytes.begin() + static_cast<std::ptrdiff_t>(from + n)};
}

// What decoding gives back for an encoded text: leading blanks vanish and
// runs of blanks become one.
std::string expectedDecode(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
        out.push_back(c);
    }
    return out;
}

// Decoding done pair by pair with a 16-bit accumulator, each character
// looked up by searching the characters "!" to "\\" in order: the slow,
// plain form of the decoder, to hold the table-driven one against.
std::string decodedPairByPair(const Bytes& bytes) {
    auto character = [](unsigned a) -> std::string {
        for (char c = '!'; c <= '\\'; ++c)
            if (morseValue(c) != 0 && static_cast<unsigned>(morseValue(c)) == a) return std::string(1, c);
        return "";
    };
    std::string text;
    std::uint16_t a = 0;
    for (std::size_t p = 0; p < bytes.size() && p < kCwSlotBytes; ++p) {
        const unsigned b = bytes[p];
        if (b == 0x00) return a != 0 ? text + character(a >> 2) : text;
        for (int shift = 6; shift >= 0; shift -= 2) {
            const unsigned pair = b >> shift & 3;
            if (pair == 1 || pair == 2) {
                a = static_cast<std::uint16_t>((a | pair) << 2);
                continue;
            }
            text += character(a >> 2);
            a = 0;
            if (pair == 3) text += ' ';
        }
    }
    return text;
}

}  // namespace

TEST(CwCharacters, ValuesAreInternationalMorse) {
    // The value column of the character table: two bits per element.
    const std::pair<char, int> table[] = {
        {'A', 0x06},  {'B', 0x95},  {'C', 0x99},  {'D', 0x25},  {'E', 0x01},  {'F', 0x59},
        {'G', 0x29},  {'H', 0x55},  {'I', 0x05},  {'J', 0x6A},  {'K', 0x26},  {'L', 0x65},
        {'M', 0x0A},  {'N', 0x09},  {'O', 0x2A},  {'P', 0x69},  {'Q', 0xA6},  {'R', 0x19},
        {'S', 0x15},  {'T', 0x02},  {'U', 0x16},  {'V', 0x56},  {'W', 0x1A},  {'X', 0x96},
        {'Y', 0x9A},  {'Z', 0xA5},  {'0', 0x2AA}, {'1', 0x1AA}, {'2', 0x16A}, {'3', 0x15A},
        {'4', 0x156}, {'5', 0x155}, {'6', 0x255}, {'7', 0x295}, {'8', 0x2A5}, {'9', 0x2A9},
        {'/', 0x259}, {',', 0xA5A}, {'.', 0x666}, {'?', 0x5A5},
    };
    for (auto [c, value] : table) {
        EXPECT_EQ(morseValue(c), value) << c;
        EXPECT_EQ(encodable(c), c != ',' && c != '.' && c != '?') << c;
    }
    for (char c : {'a', 'z', '-', '!', '@', '\0'}) {
        EXPECT_EQ(morseValue(c), 0) << c;
        EXPECT_FALSE(encodable(c)) << c;
    }
    EXPECT_TRUE(encodable(' '));
}

TEST(CwEncoding, KnownAnswers) {
    struct Case {
        std::string text;
        Bytes bytes;
        int unknown;
    };
    const Case cases[] = {
        {"", {0x00}, 0},
        {"A", {0x60, 0x00}, 0},               // 01 10 00, zero fill
        {"E E", {0x74, 0x00}, 0},             // 01 11 01 00
        {"E   E", {0x74, 0x00}, 0},           // repeated blanks give one word space
        {" A", {0x60, 0x00}, 0},              // a leading blank adds nothing
        {"A ", {0x6C, 0x00}, 0},              // a trailing blank leaves 11
        {"ab", {0x00}, 2},
        {"a-B", {0x95, 0x00, 0x00}, 2},       // B is 10 01 01 01 00: 0x95, then 00 + fill
        {"SOS", {0x54, 0xA8, 0x54, 0x00}, 0},
        {"CQ", {0x99, 0x29, 0x80, 0x00}, 0},  // 10011001 00101001 10 000000
        {"\xC3\xA9T", {0x80, 0x00}, 1},      // one UTF-8 character, one notice
    };
    for (const Case& c : cases) {
        RecordedNotices notices;
        const EncodedMessage m = encodeMessage(c.text, notices);
        EXPECT_EQ(m.bytes, c.bytes) << c.text;
        EXPECT_EQ(m.unknown, c.unknown) << c.text;
        EXPECT_EQ(notices.texts(NoticeKind::StatusNotice),
                  std::vector<std::string>(static_cast<std::size_t>(c.unknown),
                                           "Unknown characters ignored!"))
            << c.text;
        EXPECT_EQ(notices.entries.size(), static_cast<std::size_t>(c.unknown));
        EXPECT_FALSE(m.cut());
    }
}

TEST(CwDecoding, KnownAnswers) {
    struct Case {
        Bytes bytes;
        std::string text;
    };
    const Case cases[] = {
        {{0x60, 0x00}, "A"},
        {{0x74, 0x00}, "E E"},
        {{0x6C, 0x00}, "A "},
        {{0xA5, 0xA0, 0x00}, ","},   // 10 10 01 01 10 10 00: decoded, never encoded
        {{0x66, 0x60, 0x00}, "."},
        {{0x5A, 0x50, 0x00}, "?"},
        {{0x00, 0x60}, ""},
        {{0x04, 0x04, 0x00}, "EE"},  // 00 pairs in a row add nothing
        {{0x57, 0x00}, "S "},        // 01 01 01 11
        {{0x55, 0x00}, "H"},         // the 0x00 closes the open character
        {{0x56}, ""},                // no closing pair before the bytes run out
        {{0xFC, 0x00}, "   "},       // 11 with no elements: a blank each, no character
    };
    for (const Case& c : cases)
        EXPECT_EQ(decodeMessageBytes(c.bytes.data(), c.bytes.size()), c.text);

    // At most 21 bytes are read: 21 times S with no 0x00 gives 21 S; an open
    // character in byte 21 is lost.
    Bytes full(30, 0x54);
    EXPECT_EQ(decodeMessageBytes(full.data(), full.size()), std::string(21, 'S'));
    full[20] = 0x55;
    full[21] = 0x00;
    EXPECT_EQ(decodeMessageBytes(full.data(), full.size()), std::string(20, 'S'));
}

// Any bytes at all, not only what the encoder writes: every two-byte start,
// long runs of elements without an end (characters of more than seven
// elements), and random slots with and without 0x00.
TEST(CwDecoding, AgreesWithThePairByPairDecoderOnAnyBytes) {
    for (unsigned first = 0; first < 256; ++first) {
        for (unsigned second = 0; second < 256; ++second) {
            const Bytes bytes{static_cast<std::uint8_t>(first), static_cast<std::uint8_t>(second), 0x00};
            ASSERT_EQ(decodeMessageBytes(bytes.data(), bytes.size()), decodedPairByPair(bytes))
                << first << " " << second;
        }
    }
    std::mt19937 rng(1955);
    const Bytes elementsOnly = {0x55, 0x66, 0x9A, 0xAA, 0x59};
    for (int round = 0; round < 20000; ++round) {
        Bytes bytes(std::uniform_int_distribution<std::size_t>(1, 26)(rng));
        for (std::uint8_t& b : bytes) {
            const int kind = std::uniform_int_distribution<int>(0, 9)(rng);
            b = kind == 0 ? 0x00
                : kind < 4 ? elementsOnly[std::uniform_int_distribution<std::size_t>(0, 4)(rng)]
                           : static_cast<std::uint8_t>(std::uniform_int_distribution<int>(1, 255)(rng));
        }
        ASSERT_EQ(decodeMessageBytes(bytes.data(), bytes.size()), decodedPairByPair(bytes)) << round;
    }
}

TEST(CwEncoding, RoundTripsOverRandomTexts) {
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/     ";
    std::mt19937 rng(5000);
    int checked = 0;
    for (int round = 0; round < 5000; ++round) {
        std::string text;
        const int length = std::uniform_int_distribution<int>(0, 16)(rng);
        for (int i = 0; i < length; ++i)
            text.push_back(alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(rng)]);
        const Bytes bytes = encoded(text);
        if (bytes.size() > kCwSlotBytes) continue;  // the decoder reads one slot
        ++checked;
        ASSERT_EQ(decodeMessageBytes(bytes.data(), bytes.size()), expectedDecode(text)) << text;
        // The terminator is the only 0x00 that can end the text early.
        for (std::size_t i = 0; i + 2 < bytes.size(); ++i) ASSERT_NE(bytes[i], 0x00) << text;
    }
    EXPECT_GT(checked, 2000);
}

TEST(CwEncoding, LongTextsAreCutAfterTheLastWholeCharacter) {
    std::mt19937 rng(77);
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/ ";
    for (int round = 0; round < 500; ++round) {
        std::string text;
        for (int i = 0; i < 80; ++i)
            text.push_back(alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(rng)]);
        for (std::size_t limit : {std::size_t{41}, std::size_t{21}, std::size_t{5}, std::size_t{1}}) {
            NullNotices quiet;
            const EncodedMessage m = encodeMessage(text, quiet, limit);
            ASSERT_LE(m.bytes.size(), limit);
            ASSERT_TRUE(m.cut());
            ASSERT_EQ(m.needed, encoded(text).size());
            // The bytes are those of a prefix of the text, and one more
            // character would not have fitted.
            std::size_t keep = 0;
            while (keep < text.size() && encoded(text.substr(0, keep + 1)).size() <= limit) ++keep;
            ASSERT_EQ(m.bytes, encoded(text.substr(0, keep))) << text << " limit " << limit;
        }
    }
}

TEST(CwCount, FollowsTheSpan) {
    struct Case {
        int areaBytes;  // span + 1
        std::uint8_t firstByte;
        int count;
    };
    const Case cases[] = {
        {0, 0x60, 0},  {1, 0x60, 1},  {1, 0x00, 0},  {2, 0x00, 1},  {22, 0x00, 1},
        {23, 0x00, 2}, {43, 0x00, 2}, {44, 0x00, 3}, {316, 0x00, 15}, {317, 0x00, 16},
    };
    for (const Case& c : cases) {
        Image image = sampleImage(cwLayout(c.areaBytes));
        image[0x030] = c.firstByte;
        RecordedNotices notices;
        const CwState s = countMessages(image, notices);
        EXPECT_EQ(s.span, c.areaBytes - 1);
        EXPECT_EQ(s.count, c.count) << "span " << s.span;
        EXPECT_EQ(s.addressError, c.areaBytes == 0);
        EXPECT_EQ(notices.texts(NoticeKind::Box),
                  c.areaBytes == 0 ? std::vector<std::string>{"CW address error"}
                                   : std::vector<std::string>{});
        EXPECT_EQ(s.firstAddress, 0x2030);
        EXPECT_EQ(s.lastAddress, 0x2030 + c.areaBytes - 1);
    }
    Image image = sampleImage(cwLayout(10));
    writeField(image, Field::CwEnd, 0x2000);
    NullNotices quiet;
    EXPECT_EQ(countMessages(image, quiet).span, -0x31);
    EXPECT_EQ(countMessages(image, quiet).count, 0);
}

TEST(CwDecoding, SlotsAreReadInsideTheImageOnly) {
    Image image = sampleImage(cwLayout(43));
    image[0x030] = 0x60;
    image[0x030 + 21] = 0x74;
    EXPECT_EQ(decodeMessage(image, 0), "A");
    EXPECT_EQ(decodeMessage(image, 1), "E E");
    EXPECT_EQ(decodeMessage(image, -1), "");
    // Reading keeps 12 bits of CW ID addr: 2FF0 is offset 0FF0, 16 bytes
    // before the image ends. 16 bytes of S, no terminator, then the end.
    writeField(image, Field::CwIdAddr, 0x2FF0);
    writeField(image, Field::CwEnd, 0x3FF0);
    for (std::size_t a = 0xFF0; a < kEpromSize; ++a) image[a] = 0x54;
    image[4096] = 0x00;
    EXPECT_EQ(decodeMessage(image, 0), std::string(16, 'S'));
    EXPECT_EQ(decodeMessage(image, 1), "");
    NullNotices quiet;
    const CwState s = countMessages(image, quiet);
    EXPECT_EQ(s.count, 195);
    EXPECT_EQ(decodeMessages(image, s).size(), 195u);
}

TEST(CwStore, WritesTheSlotAndReportsTheLength) {
    struct Case {
        std::string text;
        int k;
        Bytes bytes;
        std::string lengthLine;
    };
    const Case cases[] = {
        {"", 0, {0x00}, "ID is 1 bytes long"},
        {"A", 0, {0x60, 0x00}, "ID is 2 bytes long"},
        {"ab", 1, {0x00}, "ID is 1 bytes long"},
        {"E E", 1, {0x74, 0x00}, "ID is 2 bytes long"},
    };
    for (const Case& c : cases) {
        Image image = sampleImage(cwLayout(43));  // two messages, the last one 22 bytes
        for (std::size_t a = 0x030; a < 0x05B; ++a) image[a] = 0x55;
        const Image before = image;
        RecordedNotices notices;
        const CwState kept = countMessages(image, notices);
        const StoreOutcome out = storeMessage(image, kept, c.k, c.text, notices);
        ASSERT_TRUE(out.stored) << out.refusal;
        const std::size_t w = 0x030 + 21u * static_cast<unsigned>(c.k);
        EXPECT_EQ(at(image, w, c.bytes.size()), c.bytes);
        EXPECT_EQ(out.written, c.bytes.size());
        EXPECT_EQ(out.length, c.bytes.size());
        EXPECT_EQ(out.grownBy, 0);
        EXPECT_EQ(notices.texts(NoticeKind::LengthLine), std::vector<std::string>{c.lengthLine});
        EXPECT_TRUE(notices.texts(NoticeKind::Box).empty());
        for (std::size_t a = 0; a < kImageSize; ++a)
            if (a < w || a >= w + c.bytes.size()) ASSERT_EQ(image[a], before[a]) << a;
    }
}

TEST(CwStore, SpaceCheckUsesTheLastSlotWhateverMessageIsStored) {
    // Span 22: two messages, the last one with room for 1 byte before its 0x00.
    Image image = sampleImage(cwLayout(23));
    NullNotices quiet;
    const CwState kept = countMessages(image, quiet);
    ASSERT_EQ(kept.count, 2);
    ASSERT_EQ(lastSlotRoom(kept), 1);
    // SOS takes 3 bytes and its 0x00: it fits slot 0, yet the area grows by 2.
    RecordedNotices notices;
    StoreOutcome out = storeMessage(image, kept, 0, "SOS", notices);
    ASSERT_TRUE(out.stored);
    EXPECT_EQ(out.grownBy, 2);
    EXPECT_EQ(readField(image, Field::CwEnd), 0x2030u + 23 + 2);
    EXPECT_EQ(readField(image, Field::RfAddress), 0x2030u + 23 + 2);
    EXPECT_EQ(decodeMessage(image, 0), "SOS");

    // The last message grows the area to take it whole, even past 21 bytes,
    // and the warning follows the length line.
    image = sampleImage(cwLayout(23));
    notices.clear();
    const std::string longText = "HHHHHHHHHHHHHHHHHHHHH";  // 21 x 10 bits: 27 bytes and 0x00
    out = storeMessage(image, kept, 1, longText, notices);
    ASSERT_TRUE(out.stored);
    EXPECT_EQ(out.length, 28u);
    EXPECT_EQ(out.written, 28u);
    EXPECT_EQ(out.grownBy, 26);
    EXPECT_FALSE(out.cut);
    EXPECT_EQ(at(image, 0x030 + 21, 28), encoded(longText));
    const std::vector<RecordedNotices::Entry> expected = {
        {NoticeKind::LengthLine, "ID is 28 bytes long"},
        {NoticeKind::Box, "message 1 is  28 bytes long. Codeplug may now be corrupt. Better abort "
                          "and reload codeplug!"},
    };
    EXPECT_EQ(notices.entries, expected);
    EXPECT_EQ(countMessages(image, quiet).count, 3);  // the area now spans 48 bytes
}

TEST(CwStore, LongMessagesNeverLeaveTheirSlot) {
    const std::string longText = "HHHHHHHHHHHHHHHHHHHHH";  // 28 bytes
    // Into slot 0 of two: only 21 bytes, ending on a whole character.
    Image image = sampleImage(cwLayout(43));
    image[0x030 + 21] = 0x74;  // message 1 is "E E"
    NullNotices quiet;
    const CwState kept = countMessages(image, quiet);
    RecordedNotices notices;
    StoreOutcome out = storeMessage(image, kept, 0, longText, notices);
    ASSERT_TRUE(out.stored);
    EXPECT_TRUE(out.cut);
    EXPECT_EQ(out.length, 28u);
    EXPECT_LE(out.written, 21u);
    EXPECT_EQ(at(image, 0x030, out.written), encoded(std::string(16, 'H')));
    EXPECT_EQ(decodeMessage(image, 1), "E E");
    EXPECT_EQ(notices.texts(NoticeKind::Box).size(), 1u);

    // Past the encoder's 40 bytes: cut after the last whole character, the
    // warning still shown, and the last slot grows only for what is kept.
    image = sampleImage(cwLayout(43));
    notices.clear();
    const std::string tooLong(100, 'E');  // 4 bits each: 80 fill the 40 bytes
    out = storeMessage(image, kept, 1, tooLong, notices);
    ASSERT_TRUE(out.stored);
    EXPECT_TRUE(out.cut);
    EXPECT_EQ(out.written, 41u);
    EXPECT_EQ(at(image, 0x030 + 21, 41), encoded(std::string(80, 'E')));
    EXPECT_EQ(out.grownBy, 40 - 21);
    EXPECT_EQ(notices.texts(NoticeKind::LengthLine), std::vector<std::string>{"ID is 41 bytes long"});
    EXPECT_EQ(notices.texts(NoticeKind::Box).size(), 1u);
}

TEST(CwStore, HighIndexWarnsBeforeWritingAndSlotsEndWithTheImage) {
    // 16 messages: message 15 warns after the length line.
    Image image = sampleImage(cwLayout(317));
    RecordedNotices notices;
    CwState kept = countMessages(image, notices);
    ASSERT_EQ(kept.count, 16);
    ASSERT_TRUE(storeMessage(image, kept, 15, "A", notices).stored);
    const std::vector<RecordedNotices::Entry> expected = {
        {NoticeKind::LengthLine, "ID is 2 bytes long"},
        {NoticeKind::Box, "need to look for overflow here"},
    };
    EXPECT_EQ(notices.entries, expected);
    EXPECT_EQ(decodeMessage(image, 15), "A");

    // A huge span: slots near the end of the image take what is left of it,
    // slots past it are refused.
    image = sampleImage(cwLayout(0));
    writeField(image, Field::CwIdAddr, 0x2000);
    writeField(image, Field::CwEnd, 0x3200);
    kept = countMessages(image, notices);
    ASSERT_EQ(kept.count, 220);
    const Image before = image;
    StoreOutcome out = storeMessage(image, kept, 195, "A", notices);  // slot at 4095
    ASSERT_TRUE(out.stored);
    EXPECT_EQ(out.written, 1u);
    EXPECT_EQ(image[4095], 0x00);
    EXPECT_EQ(image[4096], before[4096]);
    image = before;
    out = storeMessage(image, kept, 196, "A", notices);
    EXPECT_FALSE(out.stored);
    EXPECT_NE(out.refusal.find("outside the image"), std::string::npos);
    EXPECT_EQ(image.bytes, before.bytes);
}

TEST(CwStore, RefusalsWriteNothing) {
    struct Case {
        const char* what;
        std::uint16_t cwIdAddr;
        int k;
        std::uint8_t modes;
        std::string refusal;
    };
    // Records behind the area: 4 of 22 bytes normally; 184 leave no room to grow.
    const Case cases[] = {
        {"index beyond the count", 0x2030, 2, 4, "There is no message 2: the CW area holds 2 messages"},
        {"negative index", 0x2030, -1, 4, "There is no message-1"},
        {"CW ID addr above 27FF", 0x2830, 0, 4, "CW ID addr 2830 lies outside the codeplug window"},
        // The message would be written over the checksum and the pointers.
        {"message 0 in the header", 0x0000, 0, 4, "Message 0 would be written over the header (CW ID addr 0000)"},
        {"message 1 in the header", 0x200B, 1, 4, "Message 1 would be written over the header"},
        {"no room to grow", 0x2030, 1, 184, "missing at the end of the EPROM"},
    };
    for (const Case& c : cases) {
        SampleLayout l = cwLayout(23);
        l.modes = c.modes;
        Image image = sampleImage(l);
        NullNotices quiet;
        const CwState kept = countMessages(image, quiet);
        writeField(image, Field::CwIdAddr, c.cwIdAddr);
        const Image before = image;
        RecordedNotices notices;
        const StoreOutcome out = storeMessage(image, kept, c.k, "SOS SOS", notices);
        EXPECT_FALSE(out.stored) << c.what;
        EXPECT_NE(out.refusal.find(c.refusal), std::string::npos) << c.what << ": " << out.refusal;
        EXPECT_EQ(image.bytes, before.bytes) << c.what;
        EXPECT_TRUE(notices.texts(NoticeKind::LengthLine).empty()) << c.what;
    }
    // Reading still uses the 12-bit offset of such a CW ID addr.
    Image image = sampleImage(cwLayout(23));
    writeField(image, Field::CwIdAddr, 0x2830);
    image[0x830] = 0x60;
    image[0x831] = 0x00;
    EXPECT_EQ(decodeMessage(image, 0), "A");
}

TEST(CwAdd, GrowsByTwoThenByASlot) {
    // An empty area (span -1) counts no message and grows by 2.
    Image image = sampleImage(cwLayout(0));
    NullNotices quiet;
    CwState kept = countMessages(image, quiet);
    AddOutcome out = addMessage(image, kept, quiet);
    ASSERT_TRUE(out.added) << out.refusal;
    EXPECT_EQ(out.grownBy, 2);
    kept = countMessages(image, quiet);
    EXPECT_EQ(kept.count, 1);
    EXPECT_EQ(decodeMessage(image, 0), "");
    for (int expected = 2; expected <= kMaxCwMessages; ++expected) {
        out = addMessage(image, kept, quiet);
        ASSERT_TRUE(out.added) << out.refusal;
        EXPECT_EQ(out.grownBy, 21);
        kept = countMessages(image, quiet);
        EXPECT_EQ(kept.count, expected);
    }
    const Image full = image;
    out = addMessage(image, kept, quiet);
    EXPECT_FALSE(out.added);
    EXPECT_TRUE(out.full);
    EXPECT_EQ(image.bytes, full.bytes);
}

TEST(CwAdd, RefusalsChangeNothing) {
    struct Case {
        const char* what;
        std::uint16_t cwIdAddr, cwEnd;
        std::uint8_t modes;
        std::string refusal;
    };
    const Case cases[] = {
        {"area ends before it starts", 0x2030, 0x2020, 4, "CW address error"},
        {"CW ID addr above 27FF", 0x2830, 0x2830, 4, "CW ID addr 2830"},
        {"no room", 0x2030, 0x2030, 184, "missing at the end of the EPROM"},
    };
    for (const Case& c : cases) {
        SampleLayout l = cwLayout(0);
        l.modes = c.modes;
        Image image = sampleImage(l);
        writeField(image, Field::CwIdAddr, c.cwIdAddr);
        writeField(image, Field::CwEnd, c.cwEnd);
        NullNotices quiet;
        const CwState kept = countMessages(image, quiet);
        const Image before = image;
        RecordedNotices notices;
        const AddOutcome out = addMessage(image, kept, notices);
        EXPECT_FALSE(out.added) << c.what;
        EXPECT_FALSE(out.full) << c.what;
        EXPECT_NE(out.refusal.find(c.refusal), std::string::npos) << c.what << ": " << out.refusal;
        EXPECT_EQ(image.bytes, before.bytes) << c.what;
        EXPECT_TRUE(notices.entries.empty()) << c.what;
    }
}
