// The meaning of the image bytes: the header, the channel records and the
// areas the header points to. Every field is declared once in the field table
// (layout.cpp); all reads and writes of named fields go through it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/image.h"

namespace quarnel {

enum class Field {
    // Header (offsets from the start of the image).
    Checksum, LastWord, Version, VersionByte, Size, Modes, CwIdAddr, CwEnd, NextArea, RfAddress,
    IdTimer,      // bits 0-4 of IDtime; setting writes the whole byte
    IdTimeByte,
    IdDelay,      // IDDly: re-key delay count
    CwDelay,      // CWDly: tone start delay count
    Speed,        // CW speed word
    // Channel record (offsets from the channel base).
    RxFrequency, RxReference, RxResidue, RxPlFlag, RxSegmentFlag,
    RxCounts,     // bytes 0-1 of the word: the swallow and main counts
    TxFrequency, TxReference, TxResidue, TxPlFlag,
    TxCounts,
    ReceiverCtrl, RepeaterAudio, LocalMicAudio, RxControlCarrier, RxControlAuxiliary, RxControlCode,
    TxPriority, PriorityRepeater, PriorityLocal, PriorityWireline,
    LineToT,      // wireline time-out, bits 0-4; setting writes the whole byte
    LineToTByte,
    LocalToT,     // local microphone time-out, bits 0-4; setting writes the whole byte
    LocalToTByte,
    TailRptToT, RepeaterToT, Dropout,
    TxCode, TxCodeHigh, TxCodeLow, TxInvertBit,
    RxCode, RxCodeHigh, RxCodeLow, RxInvertBit,
    CodeCtrl, RxCodeType, TxCodeType, DplMarker, PlMarker,
    RptCtrl, ActivateCarrier, ActivateAuxiliary, ActivateCode, HoldCarrier, HoldAuxiliary, HoldCode,
    IdAlarmCtrl, AlarmMuteOnWireline, AlarmEnableOverAir, PlWithId, IdDuringActivity, CwIdEnable,
    CwIdSelect,   // bits 0-3; choosing a message writes the whole byte
    CwIdSelectByte,
    IdleFrequency, IdleReference, IdleResidue,
    IdleCounts,
    Count
};

enum class Area { Header, Record };

// One field: where it lies and what the reference windows call it. A field is
// `bytes` bytes read big-endian as one value, of which `bits` bits starting at
// bit `shift` (0 = least significant) belong to it.
struct FieldSpec {
    Field field;
    Area area;
    std::uint16_t offset;
    std::uint8_t bytes;
    std::uint8_t shift;
    std::uint8_t bits;
    const char* name;   // the label over the bytes ("" where the map shows none)
    const char* key;    // a stable identifier for the CLI and diffs
};

// The table, indexed by Field.
const std::vector<FieldSpec>& fieldTable();
const FieldSpec& fieldSpec(Field field);

// Reads a field. Header fields ignore `base`; record fields are read at
// base + offset. A field that would lie outside the EPROM reads as 0.
std::uint32_t readField(const Image& image, Field field, std::size_t base = 0);

// Writes a field: only its own bits change, other bits of its bytes stay.
// Returns false (and writes nothing) when the field would lie outside the
// EPROM or the value does not fit the field's width.
bool writeField(Image& image, Field field, std::uint32_t value, std::size_t base = 0);

// Whether the field's bytes lie inside the EPROM for record `base` (header
// fields ignore it); readField and writeField act only on such fields.
bool fieldInside(Field field, std::size_t base = 0);

// ---- Header pointers and areas -------------------------------------------

// One past the header's last byte (the end of its last field, 0x21). Areas
// the header points to must not reach back into it.
std::size_t headerEnd();

constexpr std::size_t kRecordFieldBytes = 22;  // record offsets 0..21 hold fields
constexpr std::uint16_t kOffsetMask12 = 0x0FFF;  // reading pointers
constexpr std::uint16_t kOffsetMask11 = 0x07FF;  // writing the CW area, growing it

// Image offset of a radio address, masked with 0x0FFF.
inline std::size_t imageOffset(std::uint16_t radioAddress) { return radioAddress & kOffsetMask12; }

// Why a channel or area cannot be reached.
enum class LayoutError {
    None,
    NoChannels,        // Modes is 0
    BadChannelNumber,  // outside 1..Modes
    RecordOutside,     // the record lies partly or wholly outside the image
    ZeroSize,          // Size 0: every record would overlap
    RecordInHeader,    // the record starts inside the header
};

struct ChannelLocation {
    LayoutError error = LayoutError::None;
    std::size_t base = 0;  // image offset of the record when error is None
    bool ok() const { return error == LayoutError::None; }
};

// Image offset of channel n's record: (RF address & 0x0FFF) + (n - 1) x Size.
// The record's field bytes (0..21) and its Size bytes must lie inside the
// EPROM, and the record must start behind the header (a record over the
// header would make every display and edit of it rewrite header bytes), or
// the result says why not.
ChannelLocation channelBase(const Image& image, int channel);

// A text for a layout error, naming the channel ("Channel 40 lies outside the image").
std::string layoutErrorText(LayoutError error, int channel);

// The RF area: Modes x Size bytes from record 1 on.
struct AreaBounds {
    std::size_t begin = 0;  // first image offset
    std::size_t end = 0;    // one past the last
    bool inside = false;    // the whole area lies inside the EPROM
};
AreaBounds rfArea(const Image& image);

// The CW area from CW ID addr up to, not including, the CW end pointer (image
// offsets by the 12-bit mask). Empty or reversed areas have end <= begin.
AreaBounds cwArea(const Image& image);

// What makes parts of the image undecodable (Modes or Size 0, channel records
// over the header or outside the image, the CW area outside the image), one
// readable sentence each.
std::vector<std::string> layoutProblems(const Image& image);

// Everything above plus the header pointers outside the codeplug window
// 2000-27FF and a negative CW span; what `verify` checks of the layout.
std::vector<std::string> structuralProblems(const Image& image);

// ---- Header codings --------------------------------------------------------

// CW speed: 34 items, 0 = "<1", 1..32 words per minute, 33 = ">32".
constexpr int kSpeedItems = 34;
int cwSpeedItem(const Image& image);
void setCwSpeedItem(Image& image, int item);
std::string cwSpeedItemText(int item);

// ID timer: item 0 = "ALL TX", k = k minutes (0..31).
int idTimerItem(const Image& image);
void setIdTimerItem(Image& image, int item);

// Re-key and tone start delays: 64 items, item i = 240 x (i + 1) ms; -1 when
// the stored count matches no item (the list then shows no selection).
constexpr int kDelayItems = 64;
int rekeyDelayItem(const Image& image);
void setRekeyDelayItem(Image& image, int item);
int toneStartDelayItem(const Image& image);
void setToneStartDelayItem(Image& image, int item);
inline int delayItemMilliseconds(int item) { return 240 * (item + 1); }

// Transmit time-outs: item 0 = none, k = 15 x k seconds (0..31).
// The wireline and local time-outs write their whole byte; the repeater
// time-out and the drop-out delay (0..7 s) share a byte and keep each other.
inline int timeoutItemSeconds(int item) { return 15 * item; }
int lineTimeoutItem(const Image& image, std::size_t base);
void setLineTimeoutItem(Image& image, std::size_t base, int item);
int localTimeoutItem(const Image& image, std::size_t base);
void setLocalTimeoutItem(Image& image, std::size_t base, int item);
int repeaterTimeoutItem(const Image& image, std::size_t base);
void setRepeaterTimeoutItem(Image& image, std::size_t base, int item);
int dropoutItem(const Image& image, std::size_t base);
void setDropoutItem(Image& image, std::size_t base, int item);

// Transmit priority: 0 = Disabled, 1 = Highest, 2 = Middle, 3 = Lowest.
enum class PriorityPath { Repeater, Local, Wireline };
int priorityLevel(const Image& image, std::size_t base, PriorityPath path);
// Writes the whole byte 7 (bits 6-7 become 0), keeping the other two paths.
void setPriorityLevel(Image& image, std::size_t base, PriorityPath path, int level);

// CW ID select: message index 0..15; choosing writes the whole byte.
int cwMessageItem(const Image& image, std::size_t base);
void setCwMessageItem(Image& image, std::size_t base, int item);

}  // namespace quarnel
