#include "model/synthesizer.h"

#include <array>
#include <cstdio>

#include "model/layout.h"

namespace quarnel {

namespace {

// The fields of one direction's word. The segment flag (bit 7 of b2) exists
// for the receive word only; the transmit and idle words never touch it.
struct WordFields {
    Field word;       // the three bytes b0 b1 b2
    Field reference;  // b2 bits 0-1
    Field residue;    // b2 bits 4-5, coded
    Field segmentFlag;
    bool hasSegmentFlag;
};

WordFields wordFields(Direction direction) {
    switch (direction) {
    case Direction::Receive:
        return {Field::RxFrequency, Field::RxReference, Field::RxResidue, Field::RxSegmentFlag, true};
    case Direction::Transmit:
        return {Field::TxFrequency, Field::TxReference, Field::TxResidue, Field::TxFrequency, false};
    case Direction::Idle:
        break;
    }
    return {Field::IdleFrequency, Field::IdleReference, Field::IdleResidue, Field::IdleFrequency, false};
}

// The residue bits are coded 00 = 0, 01 = 1, 11 = 2, 10 = 3; the mapping is
// its own inverse (it swaps 2 and 3).
int residueCoding(int value) { return value == 2 ? 3 : value == 3 ? 2 : value; }

std::uint32_t ifOffsetFor(Direction direction, Band band) {
    if (direction != Direction::Receive) return 0;
    return band == Band::Band800 ? 2 * kIfOffsetHz : kIfOffsetHz;
}

// Rounds a / b to the nearest integer, halves to the even neighbour.
std::uint64_t divideRoundingEven(std::uint64_t a, std::uint64_t b) {
    std::uint64_t q = a / b;
    const std::uint64_t r = a % b;
    if (2 * r > b || (2 * r == b && (q & 1))) ++q;
    return q;
}

std::string digits(std::uint64_t value, int width) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*llu", width, static_cast<unsigned long long>(value));
    return buf;
}

}  // namespace

bool bandFromCode(int code, Band& band) {
    if (code < 1 || code > 3) return false;
    band = static_cast<Band>(code);
    return true;
}

const char* bandName(Band band) {
    switch (band) {
    case Band::Vhf: return "VHF";
    case Band::Uhf: return "UHF";
    case Band::Band800: return "800/900";
    }
    return "";
}

std::uint32_t referenceStepHz(int reference) {
    switch (reference) {
    case 1: return 6250;
    case 2: return 4166;
    case 3: return 5000;
    default: return 0;
    }
}

SynthesizerReading decodeFrequency(const Image& image, std::size_t base, Direction direction,
                                   Band band) {
    const WordFields f = wordFields(direction);
    const std::uint32_t word = readField(image, f.word, base);
    const unsigned b0 = (word >> 16) & 0xFF;
    const unsigned b1 = (word >> 8) & 0xFF;

    SynthesizerReading out;
    out.swallow = static_cast<int>(((b0 & 0x03) << 4) | ((b0 >> 5) << 1) | (((b0 >> 4) & 1) ^ 1));
    out.mainCount = static_cast<int>(((b1 & 0x0F) << 6) | ((b1 >> 4) << 2) | (((b0 >> 3) & 1) << 1) |
                                     (((b0 >> 2) & 1) ^ 1));
    out.residue = residueCoding(static_cast<int>(readField(image, f.residue, base)));
    out.reference = static_cast<int>(readField(image, f.reference, base));

    std::uint64_t n = 63ull * static_cast<unsigned>(out.mainCount) + 64ull * static_cast<unsigned>(out.swallow);
    if (band == Band::Uhf) n *= 3;
    if (band != Band::Band800) n += static_cast<unsigned>(out.residue);
    std::uint64_t hz = n * referenceStepHz(out.reference);
    if (band == Band::Band800) {
        if (out.residue == 0) hz += kHighSegmentOffsetHz;
        hz *= 2;
        if (direction == Direction::Receive) hz += kIfOffsetHz;
    }
    // The largest word (main 1023, swallow 63, 6.25 kHz) stays below 2^31 on
    // every band, so F always fits the unsigned 32-bit frequency.
    out.hz = static_cast<std::uint32_t>(hz);
    return out;
}

std::uint32_t shownFrequency(std::uint32_t hz, Direction direction) {
    return direction == Direction::Receive ? hz + kIfOffsetHz : hz;
}

std::string frequencyText(std::uint32_t hz, Direction direction, int swallow, int mainCount) {
    if (direction == Direction::Receive && (hz == 0 || (swallow == 1 && mainCount == 1)))
        return "Disabled";
    const int decimals = direction == Direction::Transmit ? 5 : 4;
    const std::uint64_t unit = decimals == 5 ? 10 : 100;  // hertz per last decimal
    std::uint64_t units = divideRoundingEven(shownFrequency(hz, direction), unit);
    // Written from the last digit back: the decimals, the point, then the
    // whole megahertz right-aligned in three positions (more digits when
    // needed). Every channel display writes three of these, so no printf.
    char text[32];
    char* p = text + sizeof text;
    for (int i = 0; i < decimals; ++i, units /= 10) *--p = static_cast<char>('0' + units % 10);
    *--p = '.';
    const char* const point = p;
    do {
        *--p = static_cast<char>('0' + units % 10);
        units /= 10;
    } while (units != 0);
    while (point - p < 3) *--p = ' ';
    return std::string(p, text + sizeof text);
}

std::string referenceStepText(int reference) {
    static const char* const kSteps[] = {"6.250", "4.166", "5.000"};
    if (reference < 1 || reference > 3) return "oops";
    return kSteps[reference - 1];
}

const std::string& referenceText(Direction direction, int reference) {
    // Made once: every channel display shows three of them.
    static const std::string kOops = "oops";
    static const auto kTexts = [] {
        const char* const prefixes[] = {"RX Reference ", "TX Reference ", "Idle Ref "};
        std::array<std::array<std::string, 3>, 3> texts;
        for (std::size_t d = 0; d < 3; ++d)
            for (int r = 1; r <= 3; ++r)
                texts[d][static_cast<std::size_t>(r - 1)] = prefixes[d] + referenceStepText(r) + " KHz";
        return texts;
    }();
    if (reference < 1 || reference > 3) return kOops;
    const std::size_t row = direction == Direction::Receive ? 0 : direction == Direction::Transmit ? 1 : 2;
    return kTexts[row][static_cast<std::size_t>(reference - 1)];
}

std::string megahertzText(std::uint32_t hz) {
    std::string frac = digits(hz % 1000000, 6);
    while (frac.size() > 4 && frac.back() == '0') frac.pop_back();
    return std::to_string(hz / 1000000) + "." + frac;
}

// ---- Entry completion --------------------------------------------------------

EntryCompletion completeEntry(const std::string& typed) {
    EntryCompletion out;
    if (typed.size() < 5) {
        out.status = EntryCompletion::Status::Abandoned;
        return out;
    }
    out.status = EntryCompletion::Status::Refused;
    for (char c : typed) {
        if (c < '0' || c > '9') {
            out.reason = "\"" + typed + "\" is not a frequency: only digits can be entered";
            return out;
        }
    }
    std::string d = typed.substr(0, 7);
    const char last = d.back();
    if (d.size() == 6) {
        if (last != '0' && last != '5') {
            out.reason = d + " cannot be completed: six digits must end in 0 or 5";
            return out;
        }
        d += '0';
    } else if (d.size() == 5) {
        // Each suffix completes the last digit to a multiple of 12.5 kHz.
        static const char* const kSuffix[10] = {"00", "25", "50", "75", nullptr,
                                                "00", "25", "50", "75", nullptr};
        const char* suffix = kSuffix[last - '0'];
        if (!suffix) {
            out.reason = d + " cannot be completed: five digits must not end in 4 or 9";
            return out;
        }
        d += suffix;
    }
    out.status = EntryCompletion::Status::Completed;
    out.digits = d;
    out.text = d.substr(0, 3) + "." + d.substr(3, 4);
    out.hz = static_cast<std::uint32_t>(std::stoul(d)) * 100u;
    return out;
}

// ---- Encoding ------------------------------------------------------------------

FrequencyEncoding encodeFrequency(Image& image, std::size_t base, Direction direction, Band band,
                                  std::uint32_t hz) {
    FrequencyEncoding out;
    const std::string what = megahertzText(hz) + " MHz cannot be stored: ";
    const std::string bandText = bandName(band);
    const WordFields f = wordFields(direction);
    if (!fieldInside(f.word, base)) {
        out.refusal = what + "the channel record lies outside the image";
        return out;
    }

    // The receive word holds the frequency less the IF (twice on 800/900).
    std::uint64_t h = hz;
    const std::uint32_t ifHz = ifOffsetFor(direction, band);
    if (direction == Direction::Receive && h <= ifHz) {
        out.refusal = what + "a receive frequency on " + bandText + " must lie above the " +
                      megahertzText(ifHz) + " MHz IF offset";
        return out;
    }
    h -= ifHz;

    // 800/900 holds half the frequency, less an offset in the upper segment.
    int residue = 1;
    if (band == Band::Band800) {
        if (h % 2) {
            out.refusal = what + "on 800/900 half of the synthesizer frequency " +
                          megahertzText(static_cast<std::uint32_t>(h)) +
                          " MHz is not a whole number of hertz";
            return out;
        }
        h /= 2;
        if (h > kSegmentThresholdHz) {
            h -= kHighSegmentOffsetHz;
            residue = 0;
        }
    }

    // The reference: 6.25 kHz wins when 5 kHz divides too.
    int reference = 0;
    if (h % 5000 == 0) reference = 3;
    if (h % 6250 == 0) reference = 1;
    if (reference == 0) {
        out.refusal = what + "on " + bandText + " its synthesizer frequency " +
                      megahertzText(static_cast<std::uint32_t>(h)) +
                      " MHz is a multiple of neither 5 kHz nor 6.25 kHz";
        return out;
    }

    // The count in reference steps and the band's residue.
    std::uint64_t n = h / referenceStepHz(reference);
    bool tooLow = false;
    if (band == Band::Uhf) {
        residue = static_cast<int>(n % 3);
        if (residue == 0) residue = 3;
        tooLow = n < static_cast<std::uint64_t>(residue);
        if (!tooLow) n = (n - static_cast<std::uint64_t>(residue)) / 3;
    } else if (band == Band::Vhf) {
        if (direction == Direction::Receive) {
            residue = 0;
        } else {
            residue = 1;
            tooLow = n < 1;
            if (!tooLow) n -= 1;
        }
    }

    // The swallow and main counts: N = 63 x main + 64 x swallow, with swallow = N mod 63.
    const std::uint64_t swallow = n % 63;
    tooLow = tooLow || n < 64 * swallow;
    if (tooLow) {
        out.refusal = what + "it is too low for " + bandText +
                      ": the synthesizer counts would fall below 0";
        return out;
    }
    const std::uint64_t mainCount = (n - 64 * swallow) / 63;
    if (mainCount > static_cast<std::uint64_t>(kMaxMainCount)) {
        out.refusal = what + "it is too high for " + bandText + ": its main count " +
                      std::to_string(mainCount) + " needs more than 10 bits (at most " +
                      std::to_string(kMaxMainCount) + ")";
        return out;
    }
    if (direction == Direction::Receive && swallow == 1 && mainCount == 1) {
        out.refusal = what + "its receive word (swallow count 1, main count 1) reads as Disabled";
        return out;
    }

    // The word's bytes: b2 keeps bits 2, 3 and 6 (and 7 unless set below).
    const unsigned m = static_cast<unsigned>(mainCount);
    const unsigned s = static_cast<unsigned>(swallow);
    const unsigned b1 = ((m >> 6) & 0x0F) | (((m >> 2) & 0x0F) << 4);
    const unsigned b0 = (((m & 0x03) << 2) | ((s & 0x0F) << 4) | ((s >> 4) & 0x03)) ^ 0x14;
    const std::uint32_t b2 = readField(image, f.word, base) & 0xFF;
    writeField(image, f.word, (b0 << 16) | (b1 << 8) | b2, base);
    // The reference code and the residue bits replace bits 0-1 and 4-5.
    writeField(image, f.reference, static_cast<std::uint32_t>(reference), base);
    writeField(image, f.residue, static_cast<std::uint32_t>(residueCoding(residue)), base);
    if (f.hasSegmentFlag && residue != 0) writeField(image, f.segmentFlag, 1, base);
    out.ok = true;
    return out;
}

}  // namespace quarnel
