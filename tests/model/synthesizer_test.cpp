// Synthesizer words: the worked examples, the display masks, entry
// completion, the refusals, and encode-then-decode over whole bands.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

#include "model/layout.h"
#include "model/synthesizer.h"

using namespace quarnel;

namespace {

constexpr std::size_t kBase = 0x100;

Field wordField(Direction d) {
    return d == Direction::Receive ? Field::RxFrequency
           : d == Direction::Transmit ? Field::TxFrequency
                                      : Field::IdleFrequency;
}

std::array<std::uint8_t, 3> wordBytes(const Image& image, Direction d) {
    const std::size_t at = kBase + fieldSpec(wordField(d)).offset;
    return {image[at], image[at + 1], image[at + 2]};
}

void setWord(Image& image, Direction d, std::uint8_t b0, std::uint8_t b1, std::uint8_t b2) {
    writeField(image, wordField(d), std::uint32_t{b0} << 16 | std::uint32_t{b1} << 8 | b2, kBase);
}

const char* name(Direction d) {
    return d == Direction::Receive ? "rx" : d == Direction::Transmit ? "tx" : "idle";
}

}  // namespace

// The worked examples: typed digits, the bytes they encode to (b2 starting
// with bits 2, 3, 6 and 7 at 0), the decoded F and the display text.
TEST(Synthesizer, WorkedExamples) {
    struct Case {
        Direction direction;
        Band band;
        const char* typed;
        std::array<std::uint8_t, 3> bytes;
        int reference;
        std::uint32_t decodedHz;  // F as decoding gives it
        const char* text;
    };
    const Case cases[] = {
        // H = 438,150,000; N = 70,104; R = 3; N = 23,367; swallow 57, main 313.
        {Direction::Receive, Band::Uhf, "4488500", {0x83, 0xE4, 0xA1}, 1, 438'150'000, "448.8500"},
        // H = 135,820,000: 5 kHz only; N = 27,164; R = 0.
        {Direction::Receive, Band::Vhf, "1465200", {0xA4, 0x96, 0x03}, 3, 135'820'000, "146.5200"},
        // R = 1; N = 29,303.
        {Direction::Transmit, Band::Vhf, "1465200", {0x90, 0x27, 0x13}, 3, 146'520'000, "146.52000"},
        {Direction::Idle, Band::Vhf, "1465200", {0x90, 0x27, 0x13}, 3, 146'520'000, "146.5200"},
        // 913,600,000 halved, above the threshold: 53,600,000 and R = 0.
        {Direction::Receive, Band::Band800, "9350000", {0x94, 0x02, 0x01}, 1, 924'300'000, "935.0000"},
        // Halved 403,000,000, not above the threshold: R = 1.
        {Direction::Transmit, Band::Band800, "8060000", {0xE5, 0x8F, 0x11}, 1, 806'000'000, "806.00000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(name(c.direction)) + " " + c.typed);
        Image image;
        const EntryCompletion entry = completeEntry(c.typed);
        ASSERT_TRUE(entry.completed());
        const FrequencyEncoding enc = encodeFrequency(image, kBase, c.direction, c.band, entry.hz);
        ASSERT_TRUE(enc.ok) << enc.refusal;
        EXPECT_EQ(wordBytes(image, c.direction), c.bytes);
        const SynthesizerReading r = decodeFrequency(image, kBase, c.direction, c.band);
        EXPECT_EQ(r.reference, c.reference);
        EXPECT_EQ(r.hz, c.decodedHz);
        EXPECT_EQ(shownFrequency(r.hz, c.direction), entry.hz);
        EXPECT_EQ(frequencyText(r.hz, c.direction, r.swallow, r.mainCount), c.text);
    }
}

TEST(Synthesizer, EncodingKeepsTheBitsItDoesNotOwn) {
    // b2 bits 2, 3 and 6 always stay; bit 7 is set by a receive word with a
    // residue and otherwise left as it was; the transmit and idle words never
    // touch it. Every other byte of the record stays.
    struct Case {
        Direction direction;
        Band band;
        std::uint32_t hz;
        std::uint8_t b2Before, b2After;
    };
    const Case cases[] = {
        {Direction::Receive, Band::Uhf, 448'850'000, 0x4C, 0xED},      // R = 3: 0x20 | 0x80
        {Direction::Receive, Band::Uhf, 448'850'000, 0xFF, 0xED},      // old residue bits replaced
        {Direction::Receive, Band::Vhf, 146'520'000, 0x4C, 0x4F},      // R = 0: bit 7 stays 0
        {Direction::Receive, Band::Vhf, 146'520'000, 0x80, 0x83},      // R = 0: bit 7 stays 1
        {Direction::Receive, Band::Band800, 935'000'000, 0xB3, 0x81},  // upper segment, R = 0
        {Direction::Receive, Band::Band800, 806'000'000 + 21'400'000, 0x00, 0x91},  // lower, R = 1
        {Direction::Transmit, Band::Uhf, 448'850'000, 0x80, 0xB1},  // R = 2: 0x30, bit 7 kept
        {Direction::Idle, Band::Vhf, 146'520'000, 0xCC, 0xDF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(name(c.direction)) + " " + std::to_string(c.hz));
        Image image;
        image.bytes.fill(0x5A);
        setWord(image, c.direction, 0x00, 0x00, c.b2Before);
        Image before = image;
        ASSERT_TRUE(encodeFrequency(image, kBase, c.direction, c.band, c.hz).ok);
        EXPECT_EQ(wordBytes(image, c.direction)[2], c.b2After);
        const std::size_t at = kBase + fieldSpec(wordField(c.direction)).offset;
        for (std::size_t i = 0; i < kImageSize; ++i)
            if (i < at || i > at + 2) ASSERT_EQ(image[i], before[i]) << "offset " << i;
        const SynthesizerReading r = decodeFrequency(image, kBase, c.direction, c.band);
        EXPECT_EQ(shownFrequency(r.hz, c.direction), c.hz);
    }
}

TEST(Synthesizer, ReferenceLabels) {
    EXPECT_EQ(referenceText(Direction::Receive, 0), "oops");
    EXPECT_EQ(referenceText(Direction::Receive, 1), "RX Reference 6.250 KHz");
    EXPECT_EQ(referenceText(Direction::Transmit, 2), "TX Reference 4.166 KHz");
    EXPECT_EQ(referenceText(Direction::Idle, 3), "Idle Ref 5.000 KHz");
}

TEST(Synthesizer, DecodesTheStepOf4166HzAndOfCodeZero) {
    // Code 2 is exactly 4166 Hz; code 0 gives step 0, which shows as
    // "Disabled" on receive and as zero on transmit.
    Image image;
    setWord(image, Direction::Transmit, 0x04, 0x00, 0x12);  // swallow 1, main 0, residue 1
    const SynthesizerReading tx = decodeFrequency(image, kBase, Direction::Transmit, Band::Vhf);
    EXPECT_EQ(tx.reference, 2);
    EXPECT_EQ(tx.hz, (64u * tx.swallow + 63u * tx.mainCount + 1) * 4166u);
    setWord(image, Direction::Receive, 0x83, 0xE4, 0xA0);
    const SynthesizerReading rx = decodeFrequency(image, kBase, Direction::Receive, Band::Uhf);
    EXPECT_EQ(rx.hz, 0u);
    EXPECT_EQ(frequencyText(rx.hz, Direction::Receive, rx.swallow, rx.mainCount), "Disabled");
    EXPECT_EQ(frequencyText(0, Direction::Transmit, 0, 0), "  0.00000");
}

TEST(Synthesizer, DisabledReceiveWord) {
    // Swallow count 1 and main count 1 read as Disabled whatever the rest.
    for (std::uint8_t b2 : {std::uint8_t{0x01}, std::uint8_t{0xF3}, std::uint8_t{0x12}}) {
        Image image;
        // swallow 1: b0 bit 4 = 0; main 1: b0 bit 2 = 0 and bit 3 = 0.
        setWord(image, Direction::Receive, 0x00, 0x00, b2);
        const SynthesizerReading r = decodeFrequency(image, kBase, Direction::Receive, Band::Uhf);
        ASSERT_EQ(r.swallow, 1);
        ASSERT_EQ(r.mainCount, 1);
        EXPECT_EQ(frequencyText(r.hz, Direction::Receive, r.swallow, r.mainCount), "Disabled");
        // The same counts on transmit are a plain frequency.
        EXPECT_NE(frequencyText(r.hz, Direction::Transmit, 1, 1), "Disabled");
    }
}

TEST(Synthesizer, DisplayMasks) {
    const struct {
        std::uint32_t hz;  // F
        Direction d;
        const char* text;
    } cases[] = {
        {45'650'000, Direction::Idle, " 45.6500"},
        {45'650'000 - kIfOffsetHz, Direction::Receive, " 45.6500"},
        {5'000'000, Direction::Transmit, "  5.00000"},
        {448'850'000, Direction::Idle, "448.8500"},
        {448'806'250, Direction::Transmit, "448.80625"},
        // Four decimals round halves to even: ...62.5 -> ...62, ...87.5 -> ...88.
        {448'806'250, Direction::Idle, "448.8062"},
        {448'818'750, Direction::Idle, "448.8188"},
        {448'806'250 - kIfOffsetHz, Direction::Receive, "448.8062"},
        {448'806'249, Direction::Idle, "448.8062"},
        {448'806'251, Direction::Idle, "448.8063"},
        {448'999'995, Direction::Transmit, "449.00000"},  // 999.5 tens: to even, carries
        {448'999'985, Direction::Transmit, "448.99998"},
        {1'234'567'800, Direction::Idle, "1234.5678"},
        {1'662'412'500, Direction::Transmit, "1662.41250"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(frequencyText(c.hz, c.d, 0, 0), c.text) << c.hz << " " << name(c.d);
}

TEST(Synthesizer, EntryCompletion) {
    using S = EntryCompletion::Status;
    const struct {
        const char* typed;
        S status;
        const char* digits;
        const char* text;
    } cases[] = {
        {"44881", S::Completed, "4488125", "448.8125"},
        {"44880", S::Completed, "4488000", "448.8000"},
        {"44882", S::Completed, "4488250", "448.8250"},
        {"44883", S::Completed, "4488375", "448.8375"},
        {"44885", S::Completed, "4488500", "448.8500"},
        {"44886", S::Completed, "4488625", "448.8625"},
        {"44887", S::Completed, "4488750", "448.8750"},
        {"44888", S::Completed, "4488875", "448.8875"},
        {"448850", S::Completed, "4488500", "448.8500"},
        {"448855", S::Completed, "4488550", "448.8550"},
        {"4488500", S::Completed, "4488500", "448.8500"},
        {"44885000", S::Completed, "4488500", "448.8500"},
        {"4488537123", S::Completed, "4488537", "448.8537"},
        {"0448500", S::Completed, "0448500", "044.8500"},
        {"4488", S::Abandoned, "", ""},
        {"", S::Abandoned, "", ""},
        {"44884", S::Refused, "", ""},
        {"44889", S::Refused, "", ""},
        {"448851", S::Refused, "", ""},
        {"448859", S::Refused, "", ""},
        {"448.85", S::Refused, "", ""},
        {"44885 ", S::Refused, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        const EntryCompletion e = completeEntry(c.typed);
        EXPECT_EQ(e.status, c.status);
        EXPECT_EQ(e.digits, c.digits);
        EXPECT_EQ(e.text, c.text);
        if (c.status == S::Completed) EXPECT_EQ(e.hz, std::stoul(c.digits) * 100u);
        EXPECT_EQ(e.reason.empty(), c.status != S::Refused) << e.reason;
    }
    EXPECT_NE(completeEntry("44884").reason.find("44884"), std::string::npos);
    EXPECT_NE(completeEntry("448851").reason.find("0 or 5"), std::string::npos);
}

TEST(Synthesizer, RefusalsWriteNothingAndSayWhy) {
    const struct {
        Direction d;
        Band band;
        std::uint32_t hz;
        const char* frequency;  // as the refusal names it
        const char* reason;     // part of the reason
    } cases[] = {
        {Direction::Receive, Band::Uhf, 448'803'000, "448.8030 MHz", "multiple of neither 5 kHz nor 6.25 kHz"},
        {Direction::Transmit, Band::Vhf, 146'521'000, "146.5210 MHz", "multiple of neither"},
        {Direction::Idle, Band::Band800, 935'002'500, "935.0025 MHz", "multiple of neither"},
        {Direction::Transmit, Band::Band800, 935'000'001, "935.000001 MHz", "not a whole number"},
        // 851 MHz receive on 800/900 at 6.25 kHz needs a main count of 1024.
        {Direction::Receive, Band::Band800, 851'000'000, "851.0000 MHz", "main count 1024 needs more than 10 bits"},
        {Direction::Transmit, Band::Vhf, 450'000'000, "450.0000 MHz", "too high for VHF"},
        {Direction::Receive, Band::Vhf, 5'000'000, "5.0000 MHz", "above the 10.7000 MHz IF offset"},
        {Direction::Receive, Band::Uhf, 10'700'000, "10.7000 MHz", "IF offset"},
        {Direction::Receive, Band::Band800, 15'000'000, "15.0000 MHz", "above the 21.4000 MHz IF offset"},
        {Direction::Transmit, Band::Vhf, 0, "0.0000 MHz", "too low for VHF"},
        {Direction::Transmit, Band::Uhf, 0, "0.0000 MHz", "too low for UHF"},
        {Direction::Idle, Band::Vhf, 310'000, "0.3100 MHz", "too low"},  // N = 62: main count < 0
        // Swallow 1, main 1 on VHF receive: 127 x 5 kHz above the IF.
        {Direction::Receive, Band::Vhf, 10'700'000 + 127 * 5000, "11.3350 MHz", "reads as Disabled"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.frequency);
        Image image;
        image.bytes.fill(0xA5);
        const Image before = image;
        const FrequencyEncoding enc = encodeFrequency(image, kBase, c.d, c.band, c.hz);
        EXPECT_FALSE(enc.ok);
        EXPECT_EQ(enc.refusal.rfind(std::string(c.frequency) + " cannot be stored: ", 0), 0u) << enc.refusal;
        EXPECT_NE(enc.refusal.find(c.reason), std::string::npos) << enc.refusal;
        EXPECT_EQ(image.bytes, before.bytes);
    }
}

TEST(Synthesizer, WordOutsideTheImage) {
    Image image;
    const FrequencyEncoding enc =
        encodeFrequency(image, kEpromSize - 20, Direction::Idle, Band::Uhf, 448'850'000);
    EXPECT_FALSE(enc.ok);
    EXPECT_NE(enc.refusal.find("outside the image"), std::string::npos);
    EXPECT_EQ(image.bytes, Image{}.bytes);
    EXPECT_EQ(decodeFrequency(image, kEpromSize - 20, Direction::Idle, Band::Uhf).hz, 0u);
}

// Encode then decode over whole bands on a 1.25 kHz grid: every frequency
// whose synthesizer frequency is a multiple of 5 kHz or 6.25 kHz either
// comes back exactly or is refused for its main count; every other one is
// refused as off the grid; a refusal writes nothing.
TEST(Synthesizer, RoundTripOverTheBands) {
    struct Range {
        Band band;
        std::uint32_t from, to, step;  // channel frequencies
        bool allFit;                   // every on-grid frequency must be stored
    };
    const Range ranges[] = {
        {Band::Vhf, 136'000'000, 174'000'000, 1250, true},
        {Band::Uhf, 403'000'000, 512'000'000, 1250, true},
        // Upper segment, from where the count (half the frequency less
        // 403.2 MHz, in 6.25 kHz steps) reaches 64 x 62 on every direction.
        {Band::Band800, 878'000'000, 941'000'000, 2500, true},
        // Lower segment: the main count runs out a little above 806 MHz; just
        // above the segment threshold small counts have no swallow/main split.
        {Band::Band800, 800'000'000, 877'500'000, 2500, false},
    };
    for (const Range& range : ranges) {
        for (Direction d : {Direction::Receive, Direction::Transmit, Direction::Idle}) {
            SCOPED_TRACE(std::string(bandName(range.band)) + " " + name(d));
            int stored = 0;
            Image image;
            for (std::uint32_t hz = range.from; hz <= range.to; hz += range.step) {
                // The synthesizer frequency: less the IF(s), halved on 800/900.
                std::uint32_t synth = hz;
                if (d == Direction::Receive) synth -= range.band == Band::Band800 ? 2 * kIfOffsetHz : kIfOffsetHz;
                if (range.band == Band::Band800) synth /= 2;
                const bool onGrid = synth % 5000 == 0 || synth % 6250 == 0;
                const Image before = image;
                const FrequencyEncoding enc = encodeFrequency(image, kBase, d, range.band, hz);
                if (enc.ok) {
                    ASSERT_TRUE(onGrid) << hz;
                    const SynthesizerReading r = decodeFrequency(image, kBase, d, range.band);
                    ASSERT_EQ(shownFrequency(r.hz, d), hz);
                    ASSERT_NE(frequencyText(r.hz, d, r.swallow, r.mainCount), "Disabled") << hz;
                    ++stored;
                } else {
                    ASSERT_EQ(image.bytes, before.bytes) << hz;
                    if (onGrid) {
                        ASSERT_FALSE(range.allFit) << hz << ": " << enc.refusal;
                        ASSERT_TRUE(enc.refusal.find("more than 10 bits") != std::string::npos ||
                                    enc.refusal.find("too low") != std::string::npos)
                            << enc.refusal;
                    } else {
                        ASSERT_NE(enc.refusal.find("multiple of neither"), std::string::npos) << enc.refusal;
                    }
                }
            }
            EXPECT_GT(stored, 0);
        }
    }
}

