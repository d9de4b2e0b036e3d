// The editable values of a channel and of the header, declared once. A row
// holds the value's key (what `quarnel-cli set` takes), its place in `show`'s
// JSON document and CSV table, the field or fields of the field table it
// lives in, its kind and the caption the editor shows for it. The editor's
// control table names a row for each control that edits a value; the channel
// view, the edit operations, `show`, `set`, `diff` and the fuzz edit scripts
// read keys, fields and texts from the rows.
//
// Adding a value: a row here (in the order `show` writes its CSV columns),
// its enumerator in Value, and its control in the main window's control table.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "model/choices.h"
#include "model/display_steps.h"
#include "model/image.h"
#include "model/layout.h"
#include "model/synthesizer.h"

namespace quarnel {

enum class ValueKind {
    Bit,        // a check box: one bit of the record
    Choice,     // a drop-down with fixed choices: the position chosen
    Timer,      // a transmit time-out drop-down: none, or 15 to 465 s
    Priority,   // one path's transmit priority: 0 Disabled, 1 Highest .. 3 Lowest
    Frequency,  // a synthesizer frequency and its reference
    Code,       // a direction's squelch code type with its PL tone or DPL code
};

// One enumerator per row, in row order.
enum class Value {
    RxFrequency, RxCode, RxInvertDpl,
    TxFrequency, TxCode, TxInvertDpl,
    IdleFrequency,
    RxControlCarrier, RxControlCode, RxControlAuxiliary,
    ActivateCarrier, ActivateCode, ActivateAuxiliary,
    HoldCarrier, HoldCode, HoldAuxiliary,
    WirelineTimer, RepeaterTimer, LocalTimer, Dropout,
    PriorityRepeater, PriorityWireline, PriorityLocal,
    CwIdEnable, PlDplWithId, IdDuringActivity, CwMessage,
    AlarmMuteOnWireline, AlarmEnableOverAir,
    RepeaterAudio, LocalMicAudio,
    IdTimer, CwSpeed, RekeyDelay, ToneStartDelay,
    Count
};

constexpr std::size_t kValueCount = static_cast<std::size_t>(Value::Count);
constexpr std::size_t valueIndex(Value value) { return static_cast<std::size_t>(value); }

// The fields a value is decoded from; unused places hold Field::Count.
using ValueFields = std::array<Field, 4>;

struct ValueSpec {
    Value value;
    ValueKind kind;
    const char* key;      // as `set` takes it: "rx-control.carrier"
    const char* json;     // where `show --format json` puts it, from the channel
                          // object ("rx_control.carrier") or, for header values,
                          // from the document ("header.id_timer_item")
    const char* column;   // its CSV column ("rx_control_carrier"), for a frequency or a
                          // code the start of its columns ("rx": "rx_frequency",
                          // "rx_reference", "rx_code_type", "rx_code"); "" for header values
    const char* caption;  // as the editor shows it next to or on its control
    const char* name;     // Choice, Timer: what messages call its list ("CW speed")
    char letter;          // its letter in `show`'s text table ('C' for carrier)
    DisplayStep step;     // the channel display step that shows it
    ValueFields fields;   // the bits it is decoded from
    Field written;        // what an edit of it writes: for lists that write a whole
                          // byte, that byte; for a frequency, the synthesizer word
    Field detail;         // a frequency's reference select, a code's stored tone or
                          // code; Field::Count for the other kinds
    bool storedInverted;  // Bit: the bit is 0 when the box is checked
    ChoiceList list;      // Choice, Timer: the list it offers
    int (*recordItem)(const Image& image, std::size_t base);          // record lists
    void (*setRecordItem)(Image& image, std::size_t base, int item);  // record lists
    int (*headerItem)(const Image& image);                            // header lists
    void (*setHeaderItem)(Image& image, int item);                    // header lists
    PriorityPath path;    // Priority
    Direction direction;  // Frequency, Code, and the "Invert DPL" bits

    bool header() const { return fieldSpec(written).area == Area::Header; }
    // Choice, Timer: the item the list selects, and choosing one; header
    // lists ignore `base`.
    int item(const Image& image, std::size_t base) const {
        return headerItem ? headerItem(image) : recordItem(image, base);
    }
    void setItem(Image& image, std::size_t base, int chosen) const {
        if (setHeaderItem)
            setHeaderItem(image, chosen);
        else
            setRecordItem(image, base, chosen);
    }
    bool dropDown() const { return kind == ValueKind::Choice || kind == ValueKind::Timer; }
    // The two "Invert DPL" boxes: the bits the code steps show, enabled with DPL only.
    bool invertsDpl() const {
        return kind == ValueKind::Bit && (step == DisplayStep::ReceiveCode || step == DisplayStep::TransmitCode);
    }
};

namespace value_rows {

constexpr ValueFields one(Field f) { return {f, Field::Count, Field::Count, Field::Count}; }

constexpr ValueSpec bit(Value v, const char* key, const char* json, const char* column,
                        const char* caption, char letter, DisplayStep step, Field field,
                        bool storedInverted = false, Direction direction = Direction::Receive) {
    return {v, ValueKind::Bit, key, json, column, caption, "", letter, step, one(field), field,
            Field::Count, storedInverted, ChoiceList::Timer, nullptr, nullptr, nullptr, nullptr,
            PriorityPath::Repeater, direction};
}

constexpr ValueSpec choice(Value v, ValueKind kind, const char* key, const char* json,
                           const char* column, const char* caption, const char* name, char letter,
                           DisplayStep step, Field shown, Field written, ChoiceList list,
                           int (*item)(const Image&, std::size_t),
                           void (*setItem)(Image&, std::size_t, int)) {
    return {v, kind, key, json, column, caption, name, letter, step, one(shown), written, Field::Count,
            false, list, item, setItem, nullptr, nullptr, PriorityPath::Repeater, Direction::Receive};
}

constexpr ValueSpec headerChoice(Value v, const char* key, const char* json, const char* caption,
                                 const char* name, Field shown, Field written, ChoiceList list,
                                 int (*item)(const Image&), void (*setItem)(Image&, int)) {
    return {v, ValueKind::Choice, key, json, "", caption, name, ' ', DisplayStep::HeaderLists,
            one(shown), written, Field::Count, false, list, nullptr, nullptr, item, setItem,
            PriorityPath::Repeater, Direction::Receive};
}

constexpr ValueSpec priority(Value v, const char* key, const char* json, const char* column,
                             const char* caption, char letter, Field field, PriorityPath path) {
    return {v, ValueKind::Priority, key, json, column, caption, "", letter, DisplayStep::Priority,
            one(field), Field::TxPriority, Field::Count, false, ChoiceList::Timer, nullptr,
            nullptr, nullptr, nullptr, path, Direction::Receive};
}

constexpr ValueSpec frequency(Value v, const char* key, const char* json, const char* column,
                              const char* caption, DisplayStep step, ValueFields fields,
                              Field word, Field reference, Direction direction) {
    return {v, ValueKind::Frequency, key, json, column, caption, "", ' ', step, fields, word,
            reference, false, ChoiceList::Timer, nullptr, nullptr, nullptr, nullptr,
            PriorityPath::Repeater, direction};
}

constexpr ValueSpec code(Value v, const char* key, const char* json, const char* column,
                         DisplayStep step, ValueFields fields, Field stored, Direction direction) {
    return {v, ValueKind::Code, key, json, column, "", "", ' ', step, fields, stored, stored, false,
            ChoiceList::Timer, nullptr, nullptr, nullptr, nullptr, PriorityPath::Repeater, direction};
}

using D = DisplayStep;
using F = Field;
using K = ValueKind;

inline constexpr ValueSpec kRows[] = {
    frequency(Value::RxFrequency, "rx", "rx", "rx", "RX Frequency", D::ReceiveFrequency,
              {F::RxCounts, F::RxReference, F::RxResidue, F::RxSegmentFlag}, F::RxFrequency,
              F::RxReference, Direction::Receive),
    code(Value::RxCode, "rx-code", "rx", "rx", D::ReceiveCode,
         {F::RxCodeType, F::DplMarker, F::PlMarker, F::RxPlFlag}, F::RxCode, Direction::Receive),
    bit(Value::RxInvertDpl, "rx-invert", "rx.inverted", "rx_invert_dpl", "Invert DPL", ' ',
        D::ReceiveCode, F::RxInvertBit, false, Direction::Receive),
    frequency(Value::TxFrequency, "tx", "tx", "tx", "TX Frequency", D::TransmitFrequency,
              {F::TxCounts, F::TxReference, F::TxResidue, F::Count}, F::TxFrequency, F::TxReference,
              Direction::Transmit),
    code(Value::TxCode, "tx-code", "tx", "tx", D::TransmitCode,
         {F::TxCodeType, F::DplMarker, F::PlMarker, F::TxPlFlag}, F::TxCode, Direction::Transmit),
    bit(Value::TxInvertDpl, "tx-invert", "tx.inverted", "tx_invert_dpl", "Invert DPL", ' ',
        D::TransmitCode, F::TxInvertBit, true, Direction::Transmit),
    frequency(Value::IdleFrequency, "idle", "idle", "idle", "Idle Frequency",
              D::IdleFrequency, {F::IdleCounts, F::IdleReference, F::IdleResidue, F::Count},
              F::IdleFrequency, F::IdleReference, Direction::Idle),

    bit(Value::RxControlCarrier, "rx-control.carrier", "rx_control.carrier", "rx_control_carrier",
        "Carrier", 'C', D::ReceiverCtrl, F::RxControlCarrier),
    bit(Value::RxControlCode, "rx-control.code", "rx_control.code", "rx_control_code",
        "Code (PL/DPL)", 'P', D::ReceiverCtrl, F::RxControlCode),
    bit(Value::RxControlAuxiliary, "rx-control.auxilary", "rx_control.auxilary",
        "rx_control_auxilary", "Auxilary", 'A', D::ReceiverCtrl, F::RxControlAuxiliary),
    bit(Value::ActivateCarrier, "repeater-activate.carrier", "repeater_activate.carrier",
        "repeater_activate_carrier", "Carrier", 'C', D::RptCtrl, F::ActivateCarrier),
    bit(Value::ActivateCode, "repeater-activate.code", "repeater_activate.code",
        "repeater_activate_code", "Code (PL/DPL)", 'P', D::RptCtrl, F::ActivateCode),
    bit(Value::ActivateAuxiliary, "repeater-activate.auxilary", "repeater_activate.auxilary",
        "repeater_activate_auxilary", "Auxilary", 'A', D::RptCtrl, F::ActivateAuxiliary),
    bit(Value::HoldCarrier, "repeater-hold.carrier", "repeater_hold.carrier",
        "repeater_hold_carrier", "Carrier", 'C', D::RptCtrl, F::HoldCarrier),
    bit(Value::HoldCode, "repeater-hold.code", "repeater_hold.code", "repeater_hold_code",
        "Code (PL/DPL)", 'P', D::RptCtrl, F::HoldCode),
    bit(Value::HoldAuxiliary, "repeater-hold.auxilary", "repeater_hold.auxilary",
        "repeater_hold_auxilary", "Auxilary", 'A', D::RptCtrl, F::HoldAuxiliary),

    choice(Value::WirelineTimer, K::Timer, "timer.wireline", "timers.wireline_item",
           "wireline_timer_s", "Wireline", "wireline timer", 'W', D::Timers, F::LineToT, F::LineToTByte,
           ChoiceList::Timer, lineTimeoutItem, setLineTimeoutItem),
    choice(Value::RepeaterTimer, K::Timer, "timer.repeater", "timers.repeater_item",
           "repeater_timer_s", "Repeater", "repeater timer", 'R', D::Timers, F::RepeaterToT, F::RepeaterToT,
           ChoiceList::Timer, repeaterTimeoutItem, setRepeaterTimeoutItem),
    choice(Value::LocalTimer, K::Timer, "timer.local", "timers.local_item", "local_mic_timer_s",
           "Local Mic", "local mic timer", 'L', D::Timers, F::LocalToT, F::LocalToTByte, ChoiceList::Timer,
           localTimeoutItem, setLocalTimeoutItem),
    choice(Value::Dropout, K::Choice, "dropout", "timers.dropout_item", "drop_out_delay_s",
           "Drop Out Delay", "drop-out delay", ' ', D::Timers, F::Dropout, F::Dropout, ChoiceList::Dropout,
           dropoutItem, setDropoutItem),

    priority(Value::PriorityRepeater, "priority.repeater", "priority.repeater", "repeater_priority",
             "Repeater", 'R', F::PriorityRepeater, PriorityPath::Repeater),
    priority(Value::PriorityWireline, "priority.wireline", "priority.wireline", "wireline_priority",
             "Wireline", 'W', F::PriorityWireline, PriorityPath::Wireline),
    priority(Value::PriorityLocal, "priority.local", "priority.local", "local_priority", "Local",
             'L', F::PriorityLocal, PriorityPath::Local),

    bit(Value::CwIdEnable, "cw-id", "id.cw_id_enable", "cw_id_enable", "CW ID Enable", 'E',
        D::IdAlarmCtrl, F::CwIdEnable),
    bit(Value::PlDplWithId, "pl-with-id", "id.pl_dpl_with_id", "pl_dpl_with_id", "PL/DPL with ID",
        'P', D::IdAlarmCtrl, F::PlWithId),
    bit(Value::IdDuringActivity, "id-during-activity", "id.id_during_activity",
        "id_during_activity", "ID During Acitvity", 'A', D::IdAlarmCtrl, F::IdDuringActivity),
    choice(Value::CwMessage, K::Choice, "cw-message", "id.message_item", "callsign", "Callsign:",
           "CW ID message", ' ', D::CwIdSelect, F::CwIdSelect, F::CwIdSelectByte, ChoiceList::CwMessage,
           cwMessageItem, setCwMessageItem),

    bit(Value::AlarmMuteOnWireline, "alarm.mute-on-wireline", "alarms.mute_on_wireline",
        "mute_on_wireline", "Mute on Wireline", 'M', D::AlarmsAudio, F::AlarmMuteOnWireline),
    bit(Value::AlarmEnableOverAir, "alarm.enable-over-air", "alarms.enable_over_air",
        "enable_over_air", "Enable Over Air", 'O', D::AlarmsAudio, F::AlarmEnableOverAir),
    bit(Value::RepeaterAudio, "audio.repeater", "audio.repeater", "repeater_audio",
        "Repeater Audio", 'R', D::AlarmsAudio, F::RepeaterAudio),
    bit(Value::LocalMicAudio, "audio.local-mic", "audio.local_mic", "local_mic_audio",
        "Local Mic Audio", 'L', D::AlarmsAudio, F::LocalMicAudio),

    headerChoice(Value::IdTimer, "id-timer", "header.id_timer_item", "ID Timer (minutes)", "ID timer",
                 F::IdTimer, F::IdTimeByte, ChoiceList::IdTimer, idTimerItem, setIdTimerItem),
    headerChoice(Value::CwSpeed, "cw-speed", "header.cw_speed_item", "CW Speed (WPM)", "CW speed",
                 F::Speed, F::Speed, ChoiceList::CwSpeed, cwSpeedItem, setCwSpeedItem),
    headerChoice(Value::RekeyDelay, "rekey-delay", "header.rekey_delay_item", "Re-Key Delay (mS)",
                 "re-key delay", F::IdDelay, F::IdDelay, ChoiceList::Delay, rekeyDelayItem,
                 setRekeyDelayItem),
    headerChoice(Value::ToneStartDelay, "tone-delay", "header.tone_start_delay_item",
                 "Tone Start Delay (mS)", "tone start delay", F::CwDelay, F::CwDelay, ChoiceList::Delay,
                 toneStartDelayItem, setToneStartDelayItem),
};

constexpr bool sameText(const char* a, const char* b) {
    return std::string_view(a) == std::string_view(b);
}

// Every row stands at its enumerator's place, has a key, a JSON place and a
// caption, and no two rows share a key or a JSON place.
constexpr bool rowsComplete() {
    constexpr std::size_t n = sizeof kRows / sizeof kRows[0];
    if (n != kValueCount) return false;
    for (std::size_t i = 0; i < n; ++i) {
        const ValueSpec& r = kRows[i];
        if (valueIndex(r.value) != i || !*r.key || !*r.json) return false;
        if (r.kind != ValueKind::Code && !*r.caption) return false;
        for (std::size_t j = 0; j < i; ++j) {
            if (sameText(kRows[j].key, r.key)) return false;
            if (sameText(kRows[j].json, r.json) && r.kind != ValueKind::Code) return false;
        }
    }
    return true;
}
static_assert(rowsComplete(), "one row per value, in enumerator order, with unique keys");

}  // namespace value_rows

// The rows, in the order of Value.
constexpr const ValueSpec (&valueTable())[kValueCount] { return value_rows::kRows; }
constexpr const ValueSpec& valueSpec(Value value) { return value_rows::kRows[valueIndex(value)]; }

// The row whose key is `key`, the usual spelling `auxiliary` read as the
// keys' `auxilary`; nullptr when no row has it.
const ValueSpec* valueOfKey(std::string_view key);

// Whether the check box of Bit value `value` reads as checked for the record
// at `base`.
bool checkBoxState(const Image& image, std::size_t base, Value value);

}  // namespace quarnel
