#include "model/cw_messages.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "model/cw_growth.h"
#include "model/layout.h"
#include "model/text_forms.h"

namespace quarnel {

namespace {

// International Morse Code for every character the program knows. The
// encoder stores all but the last three; the decoder knows them all.
struct MorseChar {
    char c;
    const char* elements;
    bool encodable;
};

constexpr MorseChar kMorse[] = {
    {'A', ".-", true},     {'B', "-...", true},   {'C', "-.-.", true},   {'D', "-..", true},
    {'E', ".", true},      {'F', "..-.", true},   {'G', "--.", true},    {'H', "....", true},
    {'I', "..", true},     {'J', ".---", true},   {'K', "-.-", true},    {'L', ".-..", true},
    {'M', "--", true},     {'N', "-.", true},     {'O', "---", true},    {'P', ".--.", true},
    {'Q', "--.-", true},   {'R', ".-.", true},    {'S', "...", true},    {'T', "-", true},
    {'U', "..-", true},    {'V', "...-", true},   {'W', ".--", true},    {'X', "-..-", true},
    {'Y', "-.--", true},   {'Z', "--..", true},   {'0', "-----", true},  {'1', ".----", true},
    {'2', "..---", true},  {'3', "...--", true},  {'4', "....-", true},  {'5', ".....", true},
    {'6', "-....", true},  {'7', "--...", true},  {'8', "---..", true},  {'9', "----.", true},
    {'/', "-..-.", true},  {',', "--..--", false}, {'.', ".-.-.-", false}, {'?', "..--..", false},
};

const MorseChar* findMorse(char c) {
    for (const auto& m : kMorse)
        if (m.c == c) return &m;
    return nullptr;
}

int elementCount(const MorseChar& m) {
    int n = 0;
    while (m.elements[n]) ++n;
    return n;
}

constexpr int valueOf(const MorseChar& m) {
    int v = 0;
    for (const char* e = m.elements; *e; ++e) v = v << 2 | (*e == '.' ? 1 : 2);
    return v;
}

// The decoder's table: entry i stands for the character 32 + i. Entry 0 (the
// blank) holds 0 and is never searched; characters without Morse hold 9999,
// whose bit pairs include 00 and 11, so no element sequence produces it.
constexpr int kDecodeEntries = 61;
constexpr int kNoCharacter = 9999;

constexpr std::array<int, kDecodeEntries> makeDecodeTable() {
    std::array<int, kDecodeEntries> t{};
    for (int& entry : t) entry = kNoCharacter;
    t[0] = 0;
    for (const auto& m : kMorse) t[static_cast<std::size_t>(m.c - 32)] = valueOf(m);
    return t;
}

// The decoder's table searched once for every value: the character of the
// first entry (from 1 on) holding that value, or 0. Every character's value
// lies below 0x1000 (9999 marks the entries without one).
constexpr unsigned kValueLimit = 0x1000;

constexpr std::array<char, kValueLimit> makeCharacterByValue() {
    const std::array<int, kDecodeEntries> table = makeDecodeTable();
    std::array<char, kValueLimit> byValue{};
    for (int i = kDecodeEntries - 1; i >= 1; --i) {
        const int v = table[static_cast<std::size_t>(i)];
        if (v >= 0 && static_cast<unsigned>(v) < kValueLimit)
            byValue[static_cast<std::size_t>(v)] = static_cast<char>(32 + i);
    }
    return byValue;
}

constexpr std::array<char, kValueLimit> kCharacterByValue = makeCharacterByValue();

// Appends the character whose value is `a`; nothing when none matches.
// Every element pair of every decoded byte comes here, so the search is a
// table lookup.
void appendCharacter(std::string& text, unsigned a) {
    if (a < kValueLimit && kCharacterByValue[a] != 0) text.push_back(kCharacterByValue[a]);
}

// What one message byte other than 0x00 does to the decoding, worked out
// once for every byte value (the channel display decodes every message each
// time): the element pairs before its first 00 or 11 extend the character
// being collected, which that pair ends (11 adds a blank); `after` holds
// what the byte's later pairs give (the characters wholly inside it and the
// blanks); the pairs after its last 00 or 11 start the next character.
struct ByteStep {
    std::uint8_t leadPairs = 0;  // 4: no 00 or 11 in the byte
    std::uint8_t leadBits = 0;
    char after[4] = {};          // characters and blanks, at most four
    std::uint8_t afterLength = 0;
    std::uint8_t tail = 0;
};

constexpr unsigned kKeptElements = 0x3FFF;

constexpr std::array<ByteStep, 256> makeByteSteps() {
    std::array<ByteStep, 256> steps{};
    for (unsigned b = 1; b < 256; ++b) {
        ByteStep& step = steps[b];
        unsigned elements = 0;
        bool ended = false;
        for (int shift = 6; shift >= 0; shift -= 2) {
            const unsigned pair = b >> shift & 3;
            if (pair == 1 || pair == 2) {
                elements = elements << 2 | pair;
                if (!ended) ++step.leadPairs;
                continue;
            }
            if (!ended) {
                step.leadBits = static_cast<std::uint8_t>(elements);
                ended = true;
            } else if (const char c = kCharacterByValue[elements]; c != 0) {
                step.after[step.afterLength++] = c;
            }
            if (pair == 3) step.after[step.afterLength++] = ' ';
            elements = 0;
        }
        if (ended)
            step.tail = static_cast<std::uint8_t>(elements);
        else
            step.leadBits = static_cast<std::uint8_t>(elements);
    }
    return steps;
}

constexpr std::array<ByteStep, 256> kByteSteps = makeByteSteps();

// The packing state: a 32-bit accumulator whose low `pending` bits are not
// yet emitted. A byte is emitted only while more than 8 bits are pending, so
// the closing pair of the previous character is still there when a blank
// comes and can be turned into a word space.
class Packer {
public:
    void addCode(std::uint32_t code, int bits) {
        acc_ = acc_ << bits | code;
        pending_ += bits;
        for (int i = 0; i < 2; ++i) {
            if (pending_ > 8) {
                out_.push_back(static_cast<std::uint8_t>(acc_ >> (pending_ - 8) & 0xFF));
                pending_ -= 8;
            }
        }
    }
    void addBlank() {
        acc_ >>= 2;     // drop the previous character's closing 00
        pending_ -= 2;
        addCode(3, 2);  // and close it with 11 instead
    }
    // Bytes the message takes if it ended now, terminator included.
    std::size_t finishedSize() const { return out_.size() + (pending_ > 0 ? 1 : 0) + 1; }
    std::vector<std::uint8_t> finish() {
        if (pending_ > 0) out_.push_back(static_cast<std::uint8_t>(acc_ << (8 - pending_) & 0xFF));
        out_.push_back(0x00);
        return std::move(out_);
    }

private:
    std::uint32_t acc_ = 0;
    int pending_ = 0;
    std::vector<std::uint8_t> out_;
};

bool utf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Packs the whole text; `sizes[i]` receives the finished size after the
// first i + 1 bytes of the text.
std::vector<std::uint8_t> pack(const std::string& text, NoticeSink* notices, int* unknown,
                               std::vector<std::size_t>* sizes) {
    Packer packer;
    for (char c : text) {
        if (c == ' ') {
            packer.addBlank();
        } else if (const MorseChar* m = findMorse(c); m && m->encodable) {
            const int elements = elementCount(*m);
            packer.addCode(static_cast<std::uint32_t>(valueOf(*m)) << 2, 2 * (elements + 1));
        } else if (!utf8Continuation(c)) {
            // One notice per character; the further bytes of a UTF-8
            // character are part of the same unknown character.
            if (unknown) ++*unknown;
            if (notices) notices->statusNotice("Unknown characters ignored!");
        }
        if (sizes) sizes->push_back(packer.finishedSize());
    }
    return packer.finish();
}

// Reading the area keeps 12 bits of CW ID addr, writing it 11; they agree
// only below offset 0800.
bool writableCwIdAddr(std::uint16_t cwIdAddr) {
    return (cwIdAddr & kOffsetMask12) == (cwIdAddr & kOffsetMask11);
}

std::string cwIdAddrRefusal(std::uint16_t cwIdAddr) {
    return "CW ID addr " + hex4(cwIdAddr) +
           " lies outside the codeplug window 2000-27FF: CW messages are not written there";
}

}  // namespace

int morseValue(char c) {
    const MorseChar* m = findMorse(c);
    return m ? valueOf(*m) : 0;
}

bool encodable(char c) {
    if (c == ' ') return true;
    const MorseChar* m = findMorse(c);
    return m && m->encodable;
}

CwState countMessages(const Image& image, NoticeSink& notices) {
    CwState s;
    s.firstAddress = static_cast<std::uint16_t>(readField(image, Field::CwIdAddr));
    const auto end = static_cast<std::uint16_t>(readField(image, Field::CwEnd));
    s.lastAddress = static_cast<std::uint16_t>(end - 1);
    s.span = static_cast<int>(end) - 1 - static_cast<int>(s.firstAddress);
    if (s.span < 0) {
        s.addressError = true;
        s.count = 0;
        notices.messageBox("CW address error");
    } else if (s.span == 0) {
        // A one-byte area holds a message unless its byte ends it at once.
        s.count = image[s.firstAddress & kOffsetMask11] != 0x00 ? 1 : 0;
    } else if (s.span <= kCwSlotBytes) {
        s.count = 1;
    } else {
        s.count = (s.span + kCwSlotBytes - 1) / kCwSlotBytes;
    }
    return s;
}

int lastSlotRoom(const CwState& kept) {
    return kept.count > 1 ? kept.span - kCwSlotBytes * (kept.count - 1) : kept.span;
}

std::string decodeMessageBytes(const std::uint8_t* bytes, std::size_t available) {
    std::string text;
    // The elements of the character being collected, two bits each, first
    // element highest. Only the low 14 bits count: a character of more than
    // seven elements keeps its last seven, and no character has that many.
    unsigned a = 0;
    const std::size_t n = available < kCwSlotBytes ? available : kCwSlotBytes;
    for (std::size_t p = 0; p < n; ++p) {
        const unsigned b = bytes[p];
        if (b == 0x00) {
            appendCharacter(text, a & kKeptElements);
            return text;
        }
        const ByteStep& step = kByteSteps[b];
        if (step.leadPairs == 4) {  // the byte ends no character
            a = a << 8 | b;
            continue;
        }
        appendCharacter(text, (a << 2 * step.leadPairs | step.leadBits) & kKeptElements);
        if (step.afterLength != 0) text.append(step.after, step.afterLength);
        a = step.tail;
    }
    return text;
}

std::string decodeMessage(const Image& image, int k) {
    if (k < 0) return {};
    const std::size_t start = (readField(image, Field::CwIdAddr) & kOffsetMask12) +
                              static_cast<std::size_t>(k) * kCwSlotBytes;
    if (start >= kEpromSize) return {};
    return decodeMessageBytes(&image.bytes[start], kEpromSize - start);
}

std::vector<std::string> decodeMessages(const Image& image, const CwState& state) {
    // A corrupt end pointer can count thousands of messages; those whose
    // slot starts past the EPROM are empty and are not read at all.
    std::vector<std::string> out(static_cast<std::size_t>(state.count > 0 ? state.count : 0));
    const std::size_t first = readField(image, Field::CwIdAddr) & kOffsetMask12;
    for (std::size_t k = 0; k < out.size(); ++k) {
        const std::size_t start = first + k * kCwSlotBytes;
        if (start >= kEpromSize) break;
        out[k] = decodeMessageBytes(&image.bytes[start], kEpromSize - start);
    }
    return out;
}

EncodedMessage encodeMessage(const std::string& text, NoticeSink& notices, std::size_t limit) {
    EncodedMessage out;
    std::vector<std::size_t> sizes;
    out.bytes = pack(text, &notices, &out.unknown, &sizes);
    out.needed = out.bytes.size();
    if (out.needed <= limit || limit == 0) {
        if (limit == 0) out.bytes.clear();
        return out;
    }
    // The finished size never shrinks as characters are added, so the
    // longest prefix that fits ends after the last whole character that fits.
    std::size_t keep = 0;
    while (keep < sizes.size() && sizes[keep] <= limit) ++keep;
    out.bytes = pack(text.substr(0, keep), nullptr, nullptr, nullptr);
    return out;
}

StoreOutcome storeMessage(Image& image, const CwState& kept, int k, const std::string& text,
                          NoticeSink& notices) {
    StoreOutcome out;
    const auto cwIdAddr = static_cast<std::uint16_t>(readField(image, Field::CwIdAddr));
    if (!writableCwIdAddr(cwIdAddr)) {
        out.refusal = cwIdAddrRefusal(cwIdAddr);
        return out;
    }
    if (k < 0 || k >= kept.count) {
        out.refusal = "There is no message" + signedDecimal(k) + ": the CW area holds" +
                      signedDecimal(kept.count) + (kept.count == 1 ? " message" : " messages");
        return out;
    }
    const std::size_t start = cwIdAddr & kOffsetMask11;  // growing never moves it
    const std::size_t w = start + static_cast<std::size_t>(k) * kCwSlotBytes;
    if (w >= kEpromSize) {
        out.refusal = "Message" + signedDecimal(k) + " would lie outside the image";
        return out;
    }
    // A CW ID addr pointing into the header would put the message over the
    // checksum and the pointers.
    if (w < headerEnd()) {
        out.refusal = "Message" + signedDecimal(k) + " would be written over the header (CW ID addr " +
                      hex4(cwIdAddr) + ")";
        return out;
    }

    const EncodedMessage encoded = encodeMessage(text, notices);
    const int d = static_cast<int>(encoded.bytes.size()) - 1;  // bytes before the 0x00
    const int overflow = d - lastSlotRoom(kept);
    const int grow = overflow > 0 ? overflow : 0;

    // The bytes this message may take: its own slot, or for the last message
    // the rest of the CW area as it will be after growing; never past 4095.
    long slot = kCwSlotBytes;
    if (k == kept.count - 1) {
        const long areaBytes = static_cast<long>(readField(image, Field::CwEnd)) -
                               static_cast<long>(cwIdAddr) + grow;
        slot = areaBytes - static_cast<long>(k) * kCwSlotBytes;
    }
    const long imageRoom = static_cast<long>(kEpromSize - w);
    if (slot > imageRoom) slot = imageRoom;
    if (slot < 1) {
        out.refusal = "Message" + signedDecimal(k) + " has no room in the CW area";
        return out;
    }

    if (grow > 0) {
        const GrowOutcome grown = checkCwGrowth(image, grow);
        if (!grown.grown) {
            out.refusal = grown.refusal;
            return out;
        }
        growCwArea(image, grow, notices);
        out.grownBy = grow;
    }

    out.length = static_cast<std::size_t>(d) + 1;
    notices.lengthLine("ID is" + signedDecimal(d + 1) + " bytes long");
    if (d > kCwSlotBytes - 1)
        notices.messageBox("message" + signedDecimal(k) + " is " + signedDecimal(d + 1) +
                           " bytes long. Codeplug may now be corrupt. Better abort and reload "
                           "codeplug!");
    if (k > kHighestCheckedMessage) notices.messageBox("need to look for overflow here");

    std::vector<std::uint8_t> bytes = encoded.bytes;
    if (bytes.size() > static_cast<std::size_t>(slot)) {
        NullNotices quiet;
        bytes = encodeMessage(text, quiet, static_cast<std::size_t>(slot)).bytes;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) image[w + i] = bytes[i];
    out.written = bytes.size();
    out.needed = encoded.needed;
    // The last message's slot grows to what the text needs, up to the
    // encoder's 41 bytes; the others keep their 21.
    const long room = k == kept.count - 1 ? imageRoom : slot;
    out.room = std::min(static_cast<std::size_t>(room), kCwBufferBytes);
    out.cut = encoded.cut() || bytes.size() < encoded.bytes.size();
    out.stored = true;
    return out;
}

AddOutcome addMessage(Image& image, const CwState& kept, NoticeSink& notices) {
    AddOutcome out;
    if (kept.count >= kMaxCwMessages) {
        out.full = true;
        out.refusal = "The CW area already holds" + signedDecimal(kept.count) +
                      " messages; no more than" + signedDecimal(kMaxCwMessages) +
                      " can be added";
        return out;
    }
    const auto cwIdAddr = static_cast<std::uint16_t>(readField(image, Field::CwIdAddr));
    if (!writableCwIdAddr(cwIdAddr)) {
        out.refusal = cwIdAddrRefusal(cwIdAddr);
        return out;
    }
    if (kept.span < -1) {
        out.refusal = "CW address error: the CW area ends before it starts and cannot grow";
        return out;
    }
    const int bytes = kept.count == 0 ? 2 : kCwSlotBytes;
    const GrowOutcome grown = growCwArea(image, bytes, notices);
    if (!grown.grown) {
        out.refusal = grown.refusal;
        return out;
    }
    out.added = true;
    out.grownBy = bytes;
    return out;
}

}  // namespace quarnel
