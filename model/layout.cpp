#include "model/layout.h"
#include "model/text_forms.h"

#include <cmath>

namespace quarnel {

namespace {

constexpr Area H = Area::Header;
constexpr Area R = Area::Record;

// The byte layout of the codeplug, declared once. Columns: field, area,
// offset, bytes, first bit, bit count, reference-window name, key.
constexpr FieldSpec kFieldRows[] = {
    {Field::Checksum, H, 0x00, 2, 0, 16, "Checksum", "checksum"},
    {Field::LastWord, H, 0x02, 2, 0, 16, "Last Word", "last_word"},
    {Field::Version, H, 0x04, 2, 0, 16, "Version", "version_word"},
    {Field::VersionByte, H, 0x05, 1, 0, 8, "Version", "version"},
    {Field::Size, H, 0x07, 1, 0, 8, "Size", "size"},
    {Field::Modes, H, 0x08, 1, 0, 8, "Modes", "modes"},
    {Field::CwIdAddr, H, 0x11, 2, 0, 16, "CW ID addr", "cw_id_addr"},
    {Field::CwEnd, H, 0x13, 2, 0, 16, "", "cw_end"},
    {Field::NextArea, H, 0x15, 2, 0, 16, "", "next_area"},
    {Field::RfAddress, H, 0x17, 2, 0, 16, "RF address", "rf_address"},
    {Field::IdTimer, H, 0x1C, 1, 0, 5, "IDtime", "id_timer"},
    {Field::IdTimeByte, H, 0x1C, 1, 0, 8, "IDtime", "id_time_byte"},
    {Field::IdDelay, H, 0x1D, 1, 0, 8, "IDDly", "rekey_delay"},
    {Field::CwDelay, H, 0x1E, 1, 0, 8, "CWDly", "tone_start_delay"},
    {Field::Speed, H, 0x1F, 2, 0, 16, "speed", "speed"},

    {Field::RxFrequency, R, 0, 3, 0, 24, "RX Frequency", "rx_frequency"},
    {Field::RxReference, R, 2, 1, 0, 2, "RX Frequency", "rx_reference"},
    {Field::RxResidue, R, 2, 1, 4, 2, "RX Frequency", "rx_residue"},
    {Field::RxPlFlag, R, 2, 1, 6, 1, "RX Frequency", "rx_pl_flag"},
    {Field::RxSegmentFlag, R, 2, 1, 7, 1, "RX Frequency", "rx_residue_flag"},
    {Field::RxCounts, R, 0, 2, 0, 16, "RX Frequency", "rx_counts"},
    {Field::TxFrequency, R, 3, 3, 0, 24, "TX Frequency", "tx_frequency"},
    {Field::TxReference, R, 5, 1, 0, 2, "TX Frequency", "tx_reference"},
    {Field::TxResidue, R, 5, 1, 4, 2, "TX Frequency", "tx_residue"},
    {Field::TxPlFlag, R, 5, 1, 6, 1, "TX Frequency", "tx_pl_flag"},
    {Field::TxCounts, R, 3, 2, 0, 16, "TX Frequency", "tx_counts"},
    {Field::ReceiverCtrl, R, 6, 1, 0, 8, "Receiver Ctrl", "receiver_ctrl"},
    {Field::RepeaterAudio, R, 6, 1, 0, 1, "Receiver Ctrl", "audio_repeater"},
    {Field::LocalMicAudio, R, 6, 1, 1, 1, "Receiver Ctrl", "audio_local_mic"},
    {Field::RxControlCarrier, R, 6, 1, 4, 1, "Receiver Ctrl", "rx_control_carrier"},
    {Field::RxControlAuxiliary, R, 6, 1, 5, 1, "Receiver Ctrl", "rx_control_auxilary"},
    {Field::RxControlCode, R, 6, 1, 6, 1, "Receiver Ctrl", "rx_control_code"},
    {Field::TxPriority, R, 7, 1, 0, 8, "TX Priority", "tx_priority"},
    {Field::PriorityRepeater, R, 7, 1, 0, 2, "TX Priority", "priority_repeater"},
    {Field::PriorityLocal, R, 7, 1, 2, 2, "TX Priority", "priority_local"},
    {Field::PriorityWireline, R, 7, 1, 4, 2, "TX Priority", "priority_wireline"},
    {Field::LineToT, R, 8, 1, 0, 5, "Line ToT", "timer_wireline"},
    {Field::LineToTByte, R, 8, 1, 0, 8, "Line ToT", "line_tot_byte"},
    {Field::LocalToT, R, 9, 1, 0, 5, "Local ToT", "timer_local"},
    {Field::LocalToTByte, R, 9, 1, 0, 8, "Local ToT", "local_tot_byte"},
    {Field::TailRptToT, R, 10, 1, 0, 8, "Tail  Rpt ToT", "tail_rpt_tot"},
    {Field::RepeaterToT, R, 10, 1, 0, 5, "Tail  Rpt ToT", "timer_repeater"},
    {Field::Dropout, R, 10, 1, 5, 3, "Tail  Rpt ToT", "dropout"},
    {Field::TxCode, R, 11, 2, 0, 16, "TX Code", "tx_code"},
    {Field::TxCodeHigh, R, 11, 1, 0, 8, "TX Code", "tx_code_high"},
    {Field::TxCodeLow, R, 12, 1, 0, 8, "TX Code", "tx_code_low"},
    {Field::TxInvertBit, R, 12, 1, 0, 1, "TX Code", "tx_invert_bit"},
    {Field::RxCode, R, 13, 2, 0, 16, "RX Code", "rx_code"},
    {Field::RxCodeHigh, R, 13, 1, 0, 8, "RX Code", "rx_code_high"},
    {Field::RxCodeLow, R, 14, 1, 0, 8, "RX Code", "rx_code_low"},
    {Field::RxInvertBit, R, 14, 1, 0, 1, "RX Code", "rx_invert_bit"},
    {Field::CodeCtrl, R, 15, 1, 0, 8, "Code Ctrl", "code_ctrl"},
    {Field::RxCodeType, R, 15, 1, 4, 2, "Code Ctrl", "rx_code_type"},
    {Field::TxCodeType, R, 15, 1, 6, 2, "Code Ctrl", "tx_code_type"},
    {Field::DplMarker, R, 15, 1, 0, 1, "Code Ctrl", "dpl_marker"},
    {Field::PlMarker, R, 15, 1, 2, 1, "Code Ctrl", "pl_marker"},
    {Field::RptCtrl, R, 16, 1, 0, 8, "Rpt Ctrl", "rpt_ctrl"},
    {Field::ActivateCarrier, R, 16, 1, 0, 1, "Rpt Ctrl", "repeater_activate_carrier"},
    {Field::ActivateAuxiliary, R, 16, 1, 1, 1, "Rpt Ctrl", "repeater_activate_auxilary"},
    {Field::ActivateCode, R, 16, 1, 2, 1, "Rpt Ctrl", "repeater_activate_code"},
    {Field::HoldCarrier, R, 16, 1, 4, 1, "Rpt Ctrl", "repeater_hold_carrier"},
    {Field::HoldAuxiliary, R, 16, 1, 5, 1, "Rpt Ctrl", "repeater_hold_auxilary"},
    {Field::HoldCode, R, 16, 1, 6, 1, "Rpt Ctrl", "repeater_hold_code"},
    {Field::IdAlarmCtrl, R, 17, 1, 0, 8, "ID/Alarm Ctrl", "id_alarm_ctrl"},
    {Field::AlarmMuteOnWireline, R, 17, 1, 1, 1, "ID/Alarm Ctrl", "alarm_mute_on_wireline"},
    {Field::AlarmEnableOverAir, R, 17, 1, 2, 1, "ID/Alarm Ctrl", "alarm_enable_over_air"},
    {Field::PlWithId, R, 17, 1, 5, 1, "ID/Alarm Ctrl", "pl_with_id"},
    {Field::IdDuringActivity, R, 17, 1, 6, 1, "ID/Alarm Ctrl", "id_during_activity"},
    {Field::CwIdEnable, R, 17, 1, 7, 1, "ID/Alarm Ctrl", "cw_id"},
    {Field::CwIdSelect, R, 18, 1, 0, 4, "CW ID Select", "cw_message"},
    {Field::CwIdSelectByte, R, 18, 1, 0, 8, "CW ID Select", "cw_id_select_byte"},
    {Field::IdleFrequency, R, 19, 3, 0, 24, "Idle Frequency", "idle_frequency"},
    {Field::IdleReference, R, 21, 1, 0, 2, "Idle Frequency", "idle_reference"},
    {Field::IdleResidue, R, 21, 1, 4, 2, "Idle Frequency", "idle_residue"},
    {Field::IdleCounts, R, 19, 2, 0, 16, "Idle Frequency", "idle_counts"},
};
constexpr std::size_t kFieldCount = sizeof kFieldRows / sizeof kFieldRows[0];

constexpr bool fieldWidthsFit() {
    for (const FieldSpec& def : kFieldRows)
        if (def.bytes < 1 || def.bytes > 3) return false;
    return true;
}
static_assert(fieldWidthsFit(), "readField reads fields of one to three bytes");

// The same rows for those who take the table whole.
const std::vector<FieldSpec> kFields(kFieldRows, kFieldRows + kFieldCount);

std::size_t fieldStart(const FieldSpec& def, std::size_t base) {
    return def.area == Area::Header ? def.offset : base + def.offset;
}

std::uint32_t fieldMask(const FieldSpec& def) {
    return def.bits >= 32 ? 0xFFFFFFFFu : ((1u << def.bits) - 1u);
}

bool validField(Field f) { return static_cast<std::size_t>(f) < kFieldCount; }

}  // namespace

const std::vector<FieldSpec>& fieldTable() { return kFields; }

const FieldSpec& fieldSpec(Field field) { return kFields.at(static_cast<std::size_t>(field)); }

namespace {

// The field's row and where its bytes start for record `base`; nullptr when
// the field is unknown or would not lie wholly inside the EPROM. One lookup
// serves the check and the access: every channel display reads some forty
// fields.
inline const FieldSpec* placeField(Field field, std::size_t base, std::size_t& start) {
    if (!validField(field)) return nullptr;
    const FieldSpec& def = kFieldRows[static_cast<std::size_t>(field)];
    // A record base past the EPROM is refused before adding, so that a huge
    // base cannot wrap around to a small offset.
    if (def.area == Area::Record && base >= kEpromSize) return nullptr;
    start = fieldStart(def, base);
    return start < kEpromSize && def.bytes <= kEpromSize - start ? &def : nullptr;
}

}  // namespace

bool fieldInside(Field field, std::size_t base) {
    std::size_t start = 0;
    return placeField(field, base, start) != nullptr;
}

std::uint32_t readField(const Image& image, Field field, std::size_t base) {
    std::size_t start = 0;
    const FieldSpec* def = placeField(field, base, start);
    if (!def) return 0;
    // Fields are one to three bytes long.
    const std::uint8_t* bytes = &image.bytes[start];
    std::uint32_t raw = bytes[0];
    if (def->bytes > 1) raw = raw << 8 | bytes[1];
    if (def->bytes > 2) raw = raw << 8 | bytes[2];
    return (raw >> def->shift) & fieldMask(*def);
}

bool writeField(Image& image, Field field, std::uint32_t value, std::size_t base) {
    std::size_t start = 0;
    const FieldSpec* place = placeField(field, base, start);
    if (!place) return false;
    const FieldSpec& def = *place;
    const std::uint32_t mask = fieldMask(def);
    if (value > mask) return false;
    std::uint32_t raw = 0;
    for (std::size_t i = 0; i < def.bytes; ++i) raw = raw << 8 | image[start + i];
    raw = (raw & ~(mask << def.shift)) | (value << def.shift);
    for (std::size_t i = def.bytes; i-- > 0;) {
        image[start + i] = static_cast<std::uint8_t>(raw & 0xFF);
        raw >>= 8;
    }
    return true;
}

// ---- Channels and areas ------------------------------------------------------

std::size_t headerEnd() {
    static const std::size_t end = [] {
        std::size_t e = 0;
        for (const auto& def : kFields)
            if (def.area == Area::Header && def.offset + def.bytes > e) e = def.offset + def.bytes;
        return e;
    }();
    return end;
}

ChannelLocation channelBase(const Image& image, int channel) {
    ChannelLocation out;
    const int modes = static_cast<int>(readField(image, Field::Modes));
    const std::size_t size = readField(image, Field::Size);
    if (modes == 0) {
        out.error = LayoutError::NoChannels;
    } else if (channel < 1 || channel > modes) {
        out.error = LayoutError::BadChannelNumber;
    } else if (size == 0) {
        out.error = LayoutError::ZeroSize;
    } else {
        const std::size_t base =
            imageOffset(static_cast<std::uint16_t>(readField(image, Field::RfAddress))) +
            static_cast<std::size_t>(channel - 1) * size;
        const std::size_t span = size > kRecordFieldBytes ? size : kRecordFieldBytes;
        if (base + span > kEpromSize)
            out.error = LayoutError::RecordOutside;
        else if (base < headerEnd())
            out.error = LayoutError::RecordInHeader;
        else
            out.base = base;
    }
    return out;
}

std::string layoutErrorText(LayoutError error, int channel) {
    const std::string n = std::to_string(channel);
    switch (error) {
    case LayoutError::None: return {};
    case LayoutError::NoChannels: return "Modes is 0: the image holds no channels";
    case LayoutError::BadChannelNumber: return "There is no channel " + n;
    case LayoutError::RecordOutside: return "Channel " + n + " lies outside the image";
    case LayoutError::ZeroSize: return "Size is 0: the channel records cannot be told apart";
    case LayoutError::RecordInHeader: return "Channel " + n + " lies over the header";
    }
    return {};
}

AreaBounds rfArea(const Image& image) {
    AreaBounds out;
    out.begin = imageOffset(static_cast<std::uint16_t>(readField(image, Field::RfAddress)));
    const std::size_t length =
        static_cast<std::size_t>(readField(image, Field::Modes)) * readField(image, Field::Size);
    out.end = out.begin + length;
    out.inside = out.end <= kEpromSize;
    return out;
}

AreaBounds cwArea(const Image& image) {
    AreaBounds out;
    const auto start = static_cast<std::uint16_t>(readField(image, Field::CwIdAddr));
    const auto end = static_cast<std::uint16_t>(readField(image, Field::CwEnd));
    out.begin = imageOffset(start);
    const long length = static_cast<long>(end) - static_cast<long>(start);
    out.end = length > 0 ? out.begin + static_cast<std::size_t>(length) : out.begin;
    out.inside = out.end <= kEpromSize;
    return out;
}

std::vector<std::string> layoutProblems(const Image& image) {
    std::vector<std::string> out;
    const int modes = static_cast<int>(readField(image, Field::Modes));
    const unsigned size = readField(image, Field::Size);
    if (modes == 0) {
        out.push_back(layoutErrorText(LayoutError::NoChannels, 0));
    } else if (size == 0) {
        out.push_back(layoutErrorText(LayoutError::ZeroSize, 0));
    } else {
        // Records lie at ascending offsets: those over the header come first.
        int inHeader = 0;
        while (inHeader < modes && channelBase(image, inHeader + 1).error == LayoutError::RecordInHeader)
            ++inHeader;
        if (inHeader == 1)
            out.push_back(layoutErrorText(LayoutError::RecordInHeader, 1));
        else if (inHeader > 1)
            out.push_back("Channels 1 to " + std::to_string(inHeader) + " lie over the header");
        int first = 0;
        for (int n = 1; n <= modes; ++n) {
            if (channelBase(image, n).error == LayoutError::RecordOutside) {
                first = n;
                break;
            }
        }
        if (first == modes)
            out.push_back("Channel " + std::to_string(first) + " lies outside the image");
        else if (first > 0)
            out.push_back("Channels " + std::to_string(first) + " to " + std::to_string(modes) +
                          " lie outside the image");
    }
    const AreaBounds cw = cwArea(image);
    if (!cw.inside) out.push_back("The CW area lies outside the image");
    return out;
}

std::vector<std::string> structuralProblems(const Image& image) {
    std::vector<std::string> out;
    struct Pointer {
        Field field;
        const char* what;
        bool onePast;  // may point one past the window's last byte
    };
    const Pointer pointers[] = {{Field::CwIdAddr, "CW ID addr", false},
                                {Field::CwEnd, "CW end pointer", true},
                                {Field::RfAddress, "RF address", false}};
    for (const auto& p : pointers) {
        const unsigned v = readField(image, p.field);
        const unsigned limit = p.onePast ? 0x2800u : 0x27FFu;
        if (v < 0x2000u || v > limit)
            out.push_back(std::string(p.what) + " " + hex4(v) +
                          " lies outside the codeplug window 2000-27FF");
    }
    const long span = static_cast<long>(readField(image, Field::CwEnd)) - 1 -
                      static_cast<long>(readField(image, Field::CwIdAddr));
    if (span < 0) out.push_back("CW address error");
    for (auto& p : layoutProblems(image)) out.push_back(std::move(p));
    return out;
}

// ---- Header codings ------------------------------------------------------------

int cwSpeedItem(const Image& image) {
    const std::uint32_t w = readField(image, Field::Speed);
    if (w > 1024) return 0;
    if (w < 32) return kSpeedItems - 1;
    // Halves go to the even neighbour, as every stored division does.
    return static_cast<int>(std::nearbyint(1024.0 / w));
}

void setCwSpeedItem(Image& image, int item) {
    if (item < 0 || item >= kSpeedItems) return;
    const int wpm = item == 0 ? 1 : item == kSpeedItems - 1 ? 32 : item;
    writeField(image, Field::Speed, static_cast<std::uint32_t>(std::nearbyint(1024.0 / wpm)));
}

std::string cwSpeedItemText(int item) {
    if (item <= 0) return "<1";
    if (item >= kSpeedItems - 1) return ">32";
    return signedDecimal(item);
}

int idTimerItem(const Image& image) { return static_cast<int>(readField(image, Field::IdTimer)); }

void setIdTimerItem(Image& image, int item) {
    if (item < 0 || item > 31) return;
    writeField(image, Field::IdTimeByte, static_cast<std::uint32_t>(item));
}

int rekeyDelayItem(const Image& image) {
    int v = static_cast<int>(readField(image, Field::IdDelay));
    if (v < 2) v = 2;
    const int item = v - 2;
    return item < kDelayItems ? item : -1;
}

void setRekeyDelayItem(Image& image, int item) {
    if (item < 0 || item >= kDelayItems) return;
    writeField(image, Field::IdDelay, static_cast<std::uint32_t>(item + 2));
}

int toneStartDelayItem(const Image& image) {
    int v = static_cast<int>(readField(image, Field::CwDelay));
    if (v < 1) v = 1;
    const int item = v - 1;
    return item < kDelayItems ? item : -1;
}

void setToneStartDelayItem(Image& image, int item) {
    if (item < 0 || item >= kDelayItems) return;
    writeField(image, Field::CwDelay, static_cast<std::uint32_t>(item + 1));
}

int lineTimeoutItem(const Image& image, std::size_t base) {
    return static_cast<int>(readField(image, Field::LineToT, base));
}
void setLineTimeoutItem(Image& image, std::size_t base, int item) {
    if (item < 0 || item > 31) return;
    writeField(image, Field::LineToTByte, static_cast<std::uint32_t>(item), base);
}
int localTimeoutItem(const Image& image, std::size_t base) {
    return static_cast<int>(readField(image, Field::LocalToT, base));
}
void setLocalTimeoutItem(Image& image, std::size_t base, int item) {
    if (item < 0 || item > 31) return;
    writeField(image, Field::LocalToTByte, static_cast<std::uint32_t>(item), base);
}
int repeaterTimeoutItem(const Image& image, std::size_t base) {
    return static_cast<int>(readField(image, Field::RepeaterToT, base));
}
void setRepeaterTimeoutItem(Image& image, std::size_t base, int item) {
    if (item < 0 || item > 31) return;
    writeField(image, Field::RepeaterToT, static_cast<std::uint32_t>(item), base);
}
int dropoutItem(const Image& image, std::size_t base) {
    return static_cast<int>(readField(image, Field::Dropout, base));
}
void setDropoutItem(Image& image, std::size_t base, int item) {
    if (item < 0 || item > 7) return;
    writeField(image, Field::Dropout, static_cast<std::uint32_t>(item), base);
}

namespace {
Field priorityField(PriorityPath path) {
    switch (path) {
    case PriorityPath::Repeater: return Field::PriorityRepeater;
    case PriorityPath::Local: return Field::PriorityLocal;
    case PriorityPath::Wireline: return Field::PriorityWireline;
    }
    return Field::PriorityRepeater;
}
}  // namespace

int priorityLevel(const Image& image, std::size_t base, PriorityPath path) {
    return static_cast<int>(readField(image, priorityField(path), base));
}

void setPriorityLevel(Image& image, std::size_t base, PriorityPath path, int level) {
    if (level < 0 || level > 3) return;
    std::uint32_t byte = readField(image, Field::TxPriority, base) & 0x3F;
    const unsigned shift = fieldSpec(priorityField(path)).shift;
    byte = (byte & ~(3u << shift)) | (static_cast<std::uint32_t>(level) << shift);
    writeField(image, Field::TxPriority, byte, base);
}

int cwMessageItem(const Image& image, std::size_t base) {
    return static_cast<int>(readField(image, Field::CwIdSelect, base));
}

void setCwMessageItem(Image& image, std::size_t base, int item) {
    if (item < 0 || item > 15) return;
    writeField(image, Field::CwIdSelectByte, static_cast<std::uint32_t>(item), base);
}

}  // namespace quarnel
