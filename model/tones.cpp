#include "model/tones.h"

#include <array>
#include <cmath>
#include <initializer_list>

#include "model/layout.h"
#include "model/notice.h"
#include "model/text_forms.h"

namespace quarnel {

namespace {

struct Tone {
    int tenths;        // the tone in tenths of a hertz
    const char* text;  // five characters, padded on the right
    const char* code;  // PL code name
};

const Tone kTones[kToneCount + 1] = {
    {0, "xx", "zz"},
    {670, "67.0 ", "XZ"},   {693, "69.3 ", "WZ"},   {719, "71.9 ", "XA"},   {744, "74.4 ", "WA"},
    {770, "77.0 ", "XB"},   {797, "79.7 ", "WB"},   {825, "82.5 ", "YZ"},   {854, "85.4 ", "YA"},
    {885, "88.5 ", "YB"},   {915, "91.5 ", "ZZ"},   {948, "94.8 ", "ZA"},   {974, "97.4 ", "ZB"},
    {1000, "100.0", "1Z"},  {1035, "103.5", "1A"},  {1072, "107.2", "1B"},  {1109, "110.9", "2Z"},
    {1148, "114.8", "2A"},  {1188, "118.8", "2B"},  {1230, "123.0", "3Z"},  {1273, "127.3", "3A"},
    {1318, "131.8", "3B"},  {1365, "136.5", "4Z"},  {1413, "141.3", "4A"},  {1462, "146.2", "4B"},
    {1514, "151.4", "5Z"},  {1567, "156.7", "5A"},  {1622, "162.2", "5B"},  {1679, "167.9", "6Z"},
    {1738, "173.8", "6A"},  {1799, "179.9", "6B"},  {1862, "186.2", "7Z"},  {1928, "192.8", "7A"},
    {2035, "203.5", "M1"},  {2065, "206.5", "8Z"},  {2107, "210.7", "M2"},  {2181, "218.1", "M3"},
    {2257, "225.7", "M4"},  {2291, "229.1", "9Z"},  {2336, "233.6", "M5"},  {2418, "241.8", "M6"},
    {2503, "250.3", "M7"},  {2541, "254.1", "0Z"},
};

const char* const kDpl[kDplCount + 1] = {
    "yyy",
    "023", "025", "026", "031", "032", "043", "047", "051", "054", "065", "071", "072", "073",
    "074", "114", "115", "116", "125", "131", "132", "134", "143", "152", "155", "156", "162",
    "165", "172", "174", "205", "223", "226", "243", "244", "245", "251", "261", "263", "265",
    "271", "306", "311", "315", "331", "343", "346", "351", "364", "365", "371", "411", "412",
    "413", "423", "431", "432", "445", "464", "465", "466", "503", "506", "516", "532", "546",
    "565", "606", "612", "624", "627", "631", "632", "654", "662", "664", "703", "712", "723",
    "731", "732", "734", "743", "754",
};

// The fields that hold a direction's squelch code.
struct CodeFields {
    Field high, low, invertBit, plFlag;
    const char* prefix;  // of the "not found" texts
};

CodeFields codeFields(Direction direction) {
    if (direction == Direction::Transmit)
        return {Field::TxCodeHigh, Field::TxCodeLow, Field::TxInvertBit,
                Field::TxPlFlag, "TX"};
    return {Field::RxCodeHigh, Field::RxCodeLow, Field::RxInvertBit,
            Field::RxPlFlag, "RX"};
}

bool hasCode(Direction direction) { return direction != Direction::Idle; }

bool allInside(std::size_t base, std::initializer_list<Field> fields) {
    for (Field f : fields)
        if (!fieldInside(f, base)) return false;
    return true;
}

// A tone or report value in tenths of a hertz, written with its sign blank
// and at most one decimal: " 197", " 62.5", " 0.5".
std::string tenthsText(long long tenths) {
    std::string text = signedDecimal(tenths / 10);
    if (tenths % 10 != 0) text += "." + std::to_string(tenths % 10);
    return text;
}

}  // namespace

const char* toneText(int index) { return index >= 0 && index <= kToneCount ? kTones[index].text : ""; }

const char* plCodeName(int index) { return index >= 0 && index <= kToneCount ? kTones[index].code : ""; }

const char* dplCodeText(int index) { return index >= 0 && index <= kDplCount ? kDpl[index] : ""; }

int toneTenths(int index) { return index >= 1 && index <= kToneCount ? kTones[index].tenths : 0; }

int dplCodeNumber(int index) {
    // Read from the texts once: the DPL decoding searches them all at every
    // channel display.
    static const auto kNumbers = [] {
        std::array<int, kDplCount + 1> numbers{};
        for (int i = 1; i <= kDplCount; ++i) {
            const char* t = kDpl[i];
            numbers[static_cast<std::size_t>(i)] = (t[0] - '0') * 100 + (t[1] - '0') * 10 + (t[2] - '0');
        }
        return numbers;
    }();
    if (index < 1 || index > kDplCount) return 0;
    return kNumbers[static_cast<std::size_t>(index)];
}

int toneIndexOfText(const std::string& text) {
    const std::string t = trimmed(text);
    const auto point = t.find('.');
    const std::string whole = t.substr(0, point);
    const std::string frac = point == std::string::npos ? std::string() : t.substr(point + 1);
    if (whole.empty() || whole.size() > 3) return 0;
    for (char c : whole + frac)
        if (c < '0' || c > '9') return 0;
    if (point != std::string::npos && frac.empty()) return 0;
    for (std::size_t i = 1; i < frac.size(); ++i)
        if (frac[i] != '0') return 0;  // finer than a tenth: no tone
    const int tenths = std::stoi(whole) * 10 + (frac.empty() ? 0 : frac[0] - '0');
    for (int i = 1; i <= kToneCount; ++i)
        if (kTones[i].tenths == tenths) return i;
    return 0;
}

int dplIndexOfText(const std::string& text) {
    const std::string t = trimmed(text);
    if (t.empty() || t.size() > 3) return 0;
    for (char c : t)
        if (c < '0' || c > '7') return 0;
    const int number = std::stoi(t);
    for (int i = 1; i <= kDplCount; ++i)
        if (dplCodeNumber(i) == number) return i;
    return 0;
}

double plFactor(Direction direction) {
    // Single-precision values: exactly 0.016419000923633575 and 0.049258001148700714.
    return direction == Direction::Transmit ? static_cast<double>(0.049258f)
                                            : static_cast<double>(0.016419f);
}

double plReportFactor(Direction direction) {
    // Single-precision values: exactly 0.16418999433517456 and 0.49257999658584595.
    return direction == Direction::Transmit ? static_cast<double>(0.49258f)
                                            : static_cast<double>(0.16419f);
}

CodeType codeType(const Image& image, std::size_t base, Direction direction) {
    if (!hasCode(direction)) return CodeType::Carrier;
    const Field f = direction == Direction::Transmit ? Field::TxCodeType : Field::RxCodeType;
    switch (readField(image, f, base)) {
    case 2: return CodeType::Pl;
    case 3: return CodeType::Dpl;
    default: return CodeType::Carrier;
    }
}

unsigned plCount(const Image& image, std::size_t base, Direction direction) {
    const CodeFields f = codeFields(direction);
    return (readField(image, f.high, base) & 0x3F) * 256 + readField(image, f.low, base);
}

CodeLookup decodePl(const Image& image, std::size_t base, Direction direction) {
    CodeLookup out;
    const unsigned v = plCount(image, base, direction);
    const long long t = static_cast<long long>(std::floor(v * plFactor(direction)));
    for (int i = 1; i <= kToneCount; ++i) {
        const long long whole = kTones[i].tenths / 10;  // the tone cut to whole hertz
        if (whole - t < 2 && t - whole < 2) {
            out.index = i;
            return out;
        }
    }
    // nearbyint rounds halves to even in the default rounding mode.
    const auto tenths = static_cast<long long>(std::nearbyint(v * plReportFactor(direction)));
    out.notFound = std::string(codeFields(direction).prefix) + " PL not found:" + tenthsText(tenths) + "Hz";
    return out;
}

int dplCode(const Image& image, std::size_t base, Direction direction) {
    const CodeFields f = codeFields(direction);
    const unsigned high = readField(image, f.high, base);
    const unsigned low = readField(image, f.low, base);
    return static_cast<int>(((high & 3) * 2 + ((low >> 7) & 1)) * 100 + ((low >> 4) & 7) * 10 +
                            ((low >> 1) & 7));
}

CodeLookup decodeDpl(const Image& image, std::size_t base, Direction direction) {
    CodeLookup out;
    const int code = dplCode(image, base, direction);
    for (int i = 1; i <= kDplCount; ++i) {
        if (dplCodeNumber(i) == code) {
            out.index = i;
            return out;
        }
    }
    out.notFound = std::string(codeFields(direction).prefix) + " DPL not found:" + signedDecimal(code);
    return out;
}

bool encodePl(Image& image, std::size_t base, Direction direction, int index) {
    const CodeFields f = codeFields(direction);
    if (!hasCode(direction) || index < 1 || index > kToneCount || !allInside(base, {f.high, f.low}))
        return false;
    const auto v = static_cast<unsigned>(
        std::nearbyint(kTones[index].tenths / 10.0 / plFactor(direction)));
    writeField(image, f.high, (v >> 8) & 0x7F, base);
    writeField(image, f.low, v & 0xFF, base);
    return true;
}

bool encodeDpl(Image& image, std::size_t base, Direction direction, int index) {
    const CodeFields f = codeFields(direction);
    if (!hasCode(direction) || index < 1 || index > kDplCount || !allInside(base, {f.high, f.low}))
        return false;
    const int code = dplCodeNumber(index);
    const unsigned d1 = static_cast<unsigned>(code / 100);
    const unsigned d2 = static_cast<unsigned>(code / 10 % 10);
    const unsigned d3 = static_cast<unsigned>(code % 10);
    unsigned low = readField(image, f.low, base) & 0x01;  // the inversion bit is kept
    unsigned high = readField(image, f.high, base) & 0xF0;
    low |= (d3 << 1) & 0x0E;
    low |= (d2 << 4) & 0x70;
    low |= (d1 << 7) & 0x80;
    high |= (d1 >> 1) & 0x03;
    writeField(image, f.high, high, base);
    writeField(image, f.low, low, base);
    return true;
}

bool isInverted(const Image& image, std::size_t base, Direction direction) {
    if (!hasCode(direction)) return false;
    const unsigned bit = readField(image, codeFields(direction).invertBit, base);
    return direction == Direction::Transmit ? bit == 0 : bit == 1;
}

void setInverted(Image& image, std::size_t base, Direction direction, bool inverted) {
    if (!hasCode(direction)) return;
    const bool bit = direction == Direction::Transmit ? !inverted : inverted;
    writeField(image, codeFields(direction).invertBit, bit ? 1 : 0, base);
}

void changeCodeType(Image& image, std::size_t base, Direction direction, CodeType type) {
    if (!hasCode(direction)) return;
    const bool rx = direction == Direction::Receive;
    const CodeFields f = codeFields(direction);
    if (!allInside(base, {f.high, f.low, f.plFlag, Field::CodeCtrl, Field::ReceiverCtrl,
                          Field::RptCtrl}))
        return;

    // Code Ctrl: the mask keeps the other direction's type bits (and, for
    // Carrier, the markers the change does not clear); then the new bits.
    struct Change {
        std::uint8_t keep, set, high;
        int plFlag;  // 1 set, 0 clear, -1 left as it was
    };
    static const Change kReceive[] = {
        {0xCB, 0x00, 0x00, -1},  // Carrier
        {0xC0, 0x24, 0x00, 1},   // PL
        {0xC0, 0x31, 0xA0, 0},   // DPL
    };
    static const Change kTransmit[] = {
        {0x3B, 0x00, 0x00, -1},
        {0x30, 0x84, 0x00, 1},
        {0x30, 0xC1, 0xA0, 0},
    };
    const int row = type == CodeType::Carrier ? 0 : type == CodeType::Pl ? 1 : 2;
    const Change& c = rx ? kReceive[row] : kTransmit[row];

    if (c.plFlag >= 0) writeField(image, f.plFlag, static_cast<std::uint32_t>(c.plFlag), base);
    writeField(image, f.high, c.high, base);
    writeField(image, f.low, 0x00, base);
    writeField(image, Field::CodeCtrl, (readField(image, Field::CodeCtrl, base) & c.keep) | c.set, base);
    if (rx && type == CodeType::Carrier) {
        // The receiver unmutes on carrier; repeater activate and hold lose Code.
        writeField(image, Field::RxControlCode, 0, base);
        writeField(image, Field::RxControlCarrier, 1, base);
        writeField(image, Field::ActivateCode, 0, base);
        writeField(image, Field::HoldCode, 0, base);
    }
}

}  // namespace quarnel
