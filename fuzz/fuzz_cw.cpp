// Fuzz target for the CW message model alone: any two header pointers and
// any bytes in the CW area are counted and decoded, and any text is encoded.
//
// Input:
//   bytes 0-1   CW ID addr, big-endian
//   bytes 2-3   the CW end pointer
//   byte 4      a byte limit for a cut encoding (modulo 42)
//   byte 5      text length T (modulo 64), then T text characters
//               (fuzz/edit_script.h's textCharacter)
//   the rest    the bytes of the CW area from CW ID addr (12-bit offset) on
// The rest of the image is erased.
//
// Checked: the count follows the span as the codeplug defines it (none and
// "CW address error" below 0, one or none for a one-byte area, L / 21
// rounded up above), the list holds one readable text per message, every
// decoded text encodes and decodes back to itself, and every text encodes
// into bytes that end in 0x00, stay within the encoder's buffer and any
// limit given, and decode to the text as the encoder keeps it.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "fuzz/edit_script.h"
#include "fuzz/fuzz_check.h"
#include "model/cw_messages.h"
#include "model/image.h"
#include "model/layout.h"
#include "model/notice.h"

using namespace quarnel;
using quarnel::fuzz::storedText;

namespace {

bool decodable(char c) {
    return c == ' ' || c == '/' || c == ',' || c == '.' || c == '?' || (c >= 'A' && c <= 'Z') ||
           (c >= '0' && c <= '9');
}

// The text decodes back from its encoding when the encoding fits the 21
// bytes a decoder reads.
void checkEncoding(const std::string& text, std::size_t limit) {
    NullNotices quiet;
    const EncodedMessage whole = encodeMessage(text, quiet);
    const std::string kept = storedText(text);
    FUZZ_REQUIRE(!whole.bytes.empty() && whole.bytes.back() == 0x00, "an encoding that does not end in 0x00");
    FUZZ_REQUIRE(whole.bytes.size() <= kCwBufferBytes, "an encoding longer than the encoder's buffer");
    FUZZ_REQUIRE(whole.needed >= whole.bytes.size() && whole.cut() == (whole.needed > kCwBufferBytes),
            "the needed size of an encoding");
    if (whole.bytes.size() <= static_cast<std::size_t>(kCwSlotBytes) && !whole.cut())
        FUZZ_REQUIRE(decodeMessageBytes(whole.bytes.data(), whole.bytes.size()) == kept,
                "\"" + text + "\" does not decode back as \"" + kept + "\"");
    if (limit == 0) return;
    const EncodedMessage cut = encodeMessage(text, quiet, limit);
    FUZZ_REQUIRE(!cut.bytes.empty() && cut.bytes.back() == 0x00 && cut.bytes.size() <= limit,
            "a cut encoding passes its limit of " + std::to_string(limit) + " bytes");
    FUZZ_REQUIRE(cut.needed == whole.needed, "a cut encoding changes the needed size");
    if (cut.bytes.size() <= static_cast<std::size_t>(kCwSlotBytes)) {
        const std::string back = decodeMessageBytes(cut.bytes.data(), cut.bytes.size());
        FUZZ_REQUIRE(kept.compare(0, back.size(), back) == 0, "a cut encoding of \"" + text + "\" decodes as \"" + back +
                                                              "\", not a beginning of the text");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ScriptReader in(data, size);
    const auto cwIdAddr = static_cast<std::uint16_t>(in.byte() << 8 | in.byte());
    const auto cwEnd = static_cast<std::uint16_t>(in.byte() << 8 | in.byte());
    const std::size_t limit = in.byte() % (kCwBufferBytes + 1);
    const std::string text = in.text(63);

    // One image for every run, alone on the heap inside the red zones.
    static const auto image = std::make_unique<Image>();
    image->bytes.fill(0xFF);
    const std::size_t start = cwIdAddr & kOffsetMask12;
    const std::size_t used = size < 6 ? size : 6 + data[5] % 64;
    if (used < size) {
        std::size_t n = size - used;
        if (n > kEpromSize - start) n = kEpromSize - start;
        std::memcpy(image->bytes.data() + start, data + used, n);
    }
    // After the area, which may lie over the header.
    writeField(*image, Field::CwIdAddr, cwIdAddr);
    writeField(*image, Field::CwEnd, cwEnd);

    RecordedNotices notices;
    const CwState cw = countMessages(*image, notices);
    const int span = static_cast<int>(cwEnd) - 1 - static_cast<int>(cwIdAddr);
    int count = 0;
    if (span == 0)
        count = (*image)[cwIdAddr & kOffsetMask11] != 0x00 ? 1 : 0;
    else if (span > 0)
        count = (span + kCwSlotBytes - 1) / kCwSlotBytes;
    FUZZ_REQUIRE(cw.span == span && cw.count == count && cw.addressError == (span < 0),
            "span " + std::to_string(cw.span) + " and count " + std::to_string(cw.count) + " for pointers " +
                std::to_string(cwIdAddr) + ", " + std::to_string(cwEnd));
    FUZZ_REQUIRE(cw.firstAddress == cwIdAddr && cw.lastAddress == static_cast<std::uint16_t>(cwEnd - 1),
            "the area bounds");
    FUZZ_REQUIRE(notices.entries.size() == (span < 0 ? 1u : 0u) &&
                (span >= 0 || notices.entries.front().text == "CW address error"),
            "CW address error shown wrongly");

    const std::vector<std::string> texts = decodeMessages(*image, cw);
    FUZZ_REQUIRE(texts.size() == static_cast<std::size_t>(count), "the list does not hold one text per message");
    for (const std::string& t : texts) {
        FUZZ_REQUIRE(t.size() <= 4 * kCwSlotBytes, "a decoded text longer than 21 bytes can hold");
        for (char c : t) FUZZ_REQUIRE(decodable(c), "a decoded character Morse cannot give");
        if (!t.empty()) checkEncoding(storedText(t), 0);
    }
    checkEncoding(text, limit);
    return 0;
}
