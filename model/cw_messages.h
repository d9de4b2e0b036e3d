// The CW identification messages: how many the CW area holds, where each one
// lies, and the Morse packing that turns stored bytes into text and back.
//
// A message is a stream of two-bit elements, four to a byte, most significant
// pair first: 01 dit, 10 dah, 00 end of character, 11 end of character and a
// word space. A 0x00 byte ends the message. Message k starts 21 x k bytes into
// the CW area; every message but the last owns 21 bytes, the last one owns
// the rest of the area.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/image.h"
#include "model/notice.h"

namespace quarnel {

constexpr int kCwSlotBytes = 21;               // one slot; the decoder reads at most this many
constexpr std::size_t kCwBufferBytes = 41;     // the encoder's 40 message bytes and the 0x00
constexpr int kMaxCwMessages = 14;             // adding stops at this count
constexpr int kHighestCheckedMessage = 14;     // storing a higher index warns

// The CW area as the last display found it. The editor, the space check of
// storeMessage and the EPROM map work from these kept values, not from a
// fresh count, until the image is displayed again.
struct CwState {
    int span = -1;                    // L = (CW end pointer - 1) - CW ID addr; -1 an empty area
    int count = 0;                    // messages in the area
    bool addressError = false;        // L was negative: "CW address error"
    std::uint16_t firstAddress = 0;   // radio address of the area's first byte (CW ID addr)
    std::uint16_t lastAddress = 0;    // radio address of its last byte (CW end pointer - 1)
};

// Counts the messages from the two header pointers. A negative span counts
// none and shows "CW address error"; a one-byte area holds a message when its
// byte is not 0x00; a longer one holds ceil(L / 21) messages (at least one).
CwState countMessages(const Image& image, NoticeSink& notices);

// Room the space check allows the last message, in bytes before its 0x00.
int lastSlotRoom(const CwState& kept);

// ---- Characters ----------------------------------------------------------

// The character's Morse value (two bits per element, dit 01, dah 10, first
// element highest), or 0 for a character the decoder does not know. The
// decoder also knows the comma, full stop and question mark.
int morseValue(char c);
// Whether the encoder stores the character: "/", "A".."Z", "0".."9" and the blank.
bool encodable(char c);

// ---- Decoding ------------------------------------------------------------

// The text of one message from its bytes; reads at most 21 bytes and never
// more than `available`. A character still open when the bytes run out is
// dropped.
std::string decodeMessageBytes(const std::uint8_t* bytes, std::size_t available);

// The text of message k (k from 0), read at (CW ID addr AND 0FFF) + 21 x k.
// A slot reaching past the EPROM is read up to offset 4095; one starting past
// it, or a negative k, reads as an empty text.
std::string decodeMessage(const Image& image, int k);

// The texts of messages 0 .. count - 1.
std::vector<std::string> decodeMessages(const Image& image, const CwState& state);

// ---- Encoding ------------------------------------------------------------

struct EncodedMessage {
    std::vector<std::uint8_t> bytes;  // the message bytes and the terminating 0x00
    std::size_t needed = 0;           // bytes the whole text needs, terminator included
    int unknown = 0;                  // characters skipped as unknown
    bool cut() const { return bytes.size() < needed; }
};

// Packs `text` (UTF-8; compared exactly, so small letters are unknown). Each
// unknown character is skipped and raises "Unknown characters ignored!" as
// the status notice. A blank turns the previous character's closing pair into
// a word space, so repeated blanks give the same bytes as one and a leading
// blank gives nothing. When the whole text needs more than `limit` bytes the
// result ends after the last whole character that fits, terminator included.
EncodedMessage encodeMessage(const std::string& text, NoticeSink& notices,
                             std::size_t limit = kCwBufferBytes);

// ---- Storing and adding ----------------------------------------------------

struct StoreOutcome {
    bool stored = false;
    std::string refusal;      // why nothing was written, when !stored
    std::size_t length = 0;   // bytes of the encoded message, terminator included
    std::size_t written = 0;  // bytes written into the image, terminator included
    int grownBy = 0;          // bytes the CW area grew by
    bool cut = false;         // less than the whole text was stored
    std::size_t needed = 0;   // bytes the whole text needs, terminator included
    std::size_t room = 0;     // bytes message k may take: its slot, at most 41
};

// Encodes `text` and stores it as message k, as the CW message editor does:
// grows the CW area when the encoded message needs more than the last slot's
// room (always measured against the last slot, with the kept values), sets
// the length line "ID is N bytes long", warns when the message needs more than
// 21 bytes and when k is above 14, and writes the bytes with their 0x00.
//
// A message never spills out of its own slot: a slot that is not the last
// one takes at most 21 bytes and the last one ends with the CW area, so a
// longer message is stored cut after the last whole character that fits,
// with its 0x00. Refused, with the image unchanged, when k is not a kept
// message, when CW ID addr points past offset 07FF (where reading and writing
// the area disagree), when the slot lies outside the image or starts inside
// the header, or when the growth is refused.
StoreOutcome storeMessage(Image& image, const CwState& kept, int k, const std::string& text,
                          NoticeSink& notices);

struct AddOutcome {
    bool added = false;
    bool full = false;       // already 14 messages or more: the editor refuses silently
    std::string refusal;     // why nothing was changed, when !added
    int grownBy = 0;
};

// Adds an empty message as the editor's "Add ID" does: grows the CW area by
// 2 bytes when it holds no message yet and by 21 bytes otherwise. Refused,
// with the image unchanged, at 14 messages or more, when the span is below
// -1 (the area's end lies before its start, so growing cannot mend it), when
// CW ID addr points past offset 07FF, or when the growth is refused.
AddOutcome addMessage(Image& image, const CwState& kept, NoticeSink& notices);

}  // namespace quarnel
