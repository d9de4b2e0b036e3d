#include "ui/main_controls.h"

#include <commctrl.h>

#include <iterator>
#include <vector>

#include "model/text_forms.h"
#include "ui/control_state.h"
#include "ui/main_window_ids.h"
#include "ui/text.h"

namespace quarnel::ui {

namespace {

using K = ControlKind;

// Positions in dialog units of the dialog font. Drop-downs get their choices
// when the main window is built.
constexpr MainControlSpec kControls[] = {
    {{ids::kChannelCount, K::Label, L"Number of Channels: 00", 290, 19, 105, 10, kRightAligned}},
    {{ids::kVersionByte, K::Label, L"Codeplug Version byte: 00", 290, 29, 105, 10, kRightAligned}},
    {{ids::kCwMessageCount, K::Label, L"Number of CW Messages: 00", 290, 39, 105, 10, kRightAligned}},
    {{ids::kChannelTitle, K::Label, nullptr, 5, 22, 68, 15, kRightAligned | kVerticallyCentred,
     Font::Arial12}},
    {{ids::kPreviousChannel, K::Button, L"<", 78, 23, 20, 12, 0, Font::Arial14Bold}},
    {{ids::kNextChannel, K::Button, L">", 104, 23, 20, 12, 0, Font::Arial14Bold}},
    {{ids::kRxBandCaption, K::Label, L"RX Band", 140, 20, 35, 10}},
    {{ids::kTxBandCaption, K::Label, L"TX Band", 140, 30, 35, 10}},
    {{ids::kRxBandVhf, K::Option, L"VHF", 180, 20, 30, 10, kGroup}},
    {{ids::kRxBandUhf, K::Option, L"UHF", 212, 20, 30, 10}},
    {{ids::kRxBand800, K::Option, L"800/900", 244, 20, 40, 10}},
    {{ids::kTxBandVhf, K::Option, L"VHF", 180, 30, 30, 10, kGroup}},
    {{ids::kTxBandUhf, K::Option, L"UHF", 212, 30, 30, 10}},
    {{ids::kTxBand800, K::Option, L"800/900", 244, 30, 40, 10}},

    {{ids::kReceiverFrame, K::Frame, L"Receiver Settings", 5, 50, 170, 70}},
    {{ids::kRxFrequencyCaption, K::Label, nullptr, 9, 60, 75, 16, 0, Font::Arial11}, Value::RxFrequency},
    {{ids::kRxFrequencyDisplay, K::Label, L"000.0000", 87, 60, 54, 16,
     kSunken | kCentred | kReportsClicks, Font::Arial12}, Value::RxFrequency},
    {{ids::kRxMhz, K::Label, L"MHz", 142, 61, 27, 16, kCentred, Font::Arial11}},
    {{ids::kRxReference, K::Label, L"Receive Reference", 9, 76, 95, 10}},
    {{ids::kRxCarrier, K::Option, L"Carrier", 13, 88, 40, 10, kGroup}},
    {{ids::kRxPl, K::Option, L"PL", 58, 88, 30, 10}},
    {{ids::kRxDpl, K::Option, L"DPL", 92, 88, 32, 10}},
    {{ids::kRxCodeList, K::DropDown, L"", 130, 87, 40, 150, kNoTabStop}, Value::RxCode},
    {{ids::kPlNote, K::Label, L"* Avoid PL tones above 200Hz due to PL filter issues", 13, 99, 100,
     20, kHidden}},
    {{ids::kRxInvertDpl, K::CheckBox, nullptr, 120, 104, 54, 10, kDisabled}, Value::RxInvertDpl},
    {{ids::kRxFrequencyEntry, K::EntryBox, L"0000000", 81, 59, 82, 18,
     kHidden | kDisabled | kNoTabStop, Font::Arial14Bold}},

    {{ids::kRxControlFrame, K::Frame, L"RX Control", 180, 50, 72, 49}},
    {{ids::kRxControlCarrier, K::CheckBox, nullptr, 185, 60, 60, 10, kGroup}, Value::RxControlCarrier},
    {{ids::kRxControlCode, K::CheckBox, nullptr, 185, 71, 65, 10}, Value::RxControlCode},
    {{ids::kRxControlAuxiliary, K::CheckBox, nullptr, 185, 82, 60, 10}, Value::RxControlAuxiliary},
    {{ids::kActivateFrame, K::Frame, L"Repeater Activate", 252, 50, 72, 49}},
    {{ids::kActivateCarrier, K::CheckBox, nullptr, 257, 60, 60, 10, kGroup}, Value::ActivateCarrier},
    {{ids::kActivateCode, K::CheckBox, nullptr, 257, 71, 65, 10}, Value::ActivateCode},
    {{ids::kActivateAuxiliary, K::CheckBox, nullptr, 257, 82, 60, 10}, Value::ActivateAuxiliary},
    {{ids::kHoldFrame, K::Frame, L"Repeater Hold", 324, 50, 72, 49}},
    {{ids::kHoldCarrier, K::CheckBox, nullptr, 329, 60, 60, 10, kGroup}, Value::HoldCarrier},
    {{ids::kHoldCode, K::CheckBox, nullptr, 329, 71, 65, 10}, Value::HoldCode},
    {{ids::kHoldAuxiliary, K::CheckBox, nullptr, 329, 82, 60, 10}, Value::HoldAuxiliary},

    {{ids::kTimersFrame, K::Frame, L"Transmit Timers (Seconds)", 180, 100, 216, 40}},
    {{ids::kWirelineTimerCaption, K::Label, nullptr, 182, 111, 51, 10, kCentred}, Value::WirelineTimer},
    {{ids::kRepeaterTimerCaption, K::Label, nullptr, 234, 111, 51, 10, kCentred}, Value::RepeaterTimer},
    {{ids::kLocalMicTimerCaption, K::Label, nullptr, 286, 111, 51, 10, kCentred}, Value::LocalTimer},
    {{ids::kDropoutCaption, K::Label, nullptr, 340, 111, 53, 10, kCentred}, Value::Dropout},
    {{ids::kWirelineTimer, K::DropDown, L"", 187, 121, 40, 150}, Value::WirelineTimer},
    {{ids::kRepeaterTimer, K::DropDown, L"", 240, 121, 40, 150}, Value::RepeaterTimer},
    {{ids::kLocalMicTimer, K::DropDown, L"", 293, 121, 40, 150}, Value::LocalTimer},
    {{ids::kDropoutDelay, K::DropDown, L"", 346, 121, 40, 90}, Value::Dropout},

    {{ids::kTransmitterFrame, K::Frame, L"Transmiter Settings", 5, 122, 170, 152}},
    {{ids::kTxFrequencyCaption, K::Label, nullptr, 9, 132, 75, 16, 0, Font::Arial11}, Value::TxFrequency},
    {{ids::kTxFrequencyDisplay, K::Label, L"000.0000", 86, 132, 55, 16,
     kSunken | kCentred | kReportsClicks, Font::Arial12}, Value::TxFrequency},
    {{ids::kTxMhz, K::Label, L"MHz", 142, 133, 27, 16, kCentred, Font::Arial11}},
    {{ids::kTxFrequencyEntry, K::EntryBox, L"0000000", 81, 130, 82, 18,
     kHidden | kDisabled | kNoTabStop, Font::Arial14Bold}},
    {{ids::kTxReference, K::Label, L"Transmit Reference", 9, 149, 87, 10}},
    {{ids::kIdleReference, K::Label, L"Idle Ref", 98, 149, 72, 10, kCentred}},
    {{ids::kIdleFrequencyCaption, K::Label, nullptr, 9, 162, 60, 10}, Value::IdleFrequency},
    {{ids::kIdleFrequencyDisplay, K::Label, L"000.0000", 70, 161, 45, 12,
     kSunken | kCentred | kReportsClicks}, Value::IdleFrequency},
    {{ids::kIdleMhz, K::Label, L"MHz", 117, 163, 17, 10, kCentred}},
    {{ids::kIdleFrequencyEntry, K::EntryBox, L"0000000", 65, 158, 80, 16,
     kHidden | kDisabled | kNoTabStop, Font::Arial12}},
    {{ids::kTxCarrier, K::Option, L"Carrier", 13, 180, 40, 10, kGroup}},
    {{ids::kTxPl, K::Option, L"PL", 58, 180, 30, 10}},
    {{ids::kTxDpl, K::Option, L"DPL", 92, 180, 32, 10}},
    {{ids::kTxCodeList, K::DropDown, L"", 130, 179, 40, 150, kNoTabStop}, Value::TxCode},
    {{ids::kTxInvertDpl, K::CheckBox, nullptr, 120, 196, 53, 10, kDisabled}, Value::TxInvertDpl},
    {{ids::kCwIdEnable, K::CheckBox, nullptr, 13, 200, 70, 10, kGroup}, Value::CwIdEnable},
    {{ids::kPlDplWithId, K::CheckBox, nullptr, 13, 211, 70, 10}, Value::PlDplWithId},
    {{ids::kIdDuringActivity, K::CheckBox, nullptr, 13, 222, 90, 10, kMayWrap}, Value::IdDuringActivity},
    {{ids::kCallsignCaption, K::Label, nullptr, 12, 239, 30, 10, kCentred}, Value::CwMessage},
    {{ids::kCwMessageList, K::DropDown, L"", 44, 238, 125, 150, kNoTabStop}, Value::CwMessage},
    {{ids::kEditMessages, K::Button, L"Edit Messages", 103, 256, 65, 12}},

    {{ids::kPriorityFrame, K::Frame, L"Transmit Priority", 180, 142, 134, 62}},
    {{ids::kRepeaterPathLabel, K::Label, nullptr, 182, 152, 40, 10, kCentred}, Value::PriorityRepeater},
    {{ids::kRepeaterHighest, K::Option, L"Highest", 182, 162, 40, 10, kGroup}},
    {{ids::kRepeaterMiddle, K::Option, L"Middle", 182, 172, 40, 10}},
    {{ids::kRepeaterLowest, K::Option, L"Lowest", 182, 182, 40, 10}},
    {{ids::kRepeaterDisabled, K::Option, L"Disabled", 182, 192, 40, 10}},
    {{ids::kWirelinePathLabel, K::Label, nullptr, 225, 152, 40, 10, kCentred}, Value::PriorityWireline},
    {{ids::kWirelineHighest, K::Option, L"Highest", 225, 162, 40, 10, kGroup}},
    {{ids::kWirelineMiddle, K::Option, L"Middle", 225, 172, 40, 10}},
    {{ids::kWirelineLowest, K::Option, L"Lowest", 225, 182, 40, 10}},
    {{ids::kWirelineDisabled, K::Option, L"Disabled", 225, 192, 40, 10}},
    {{ids::kLocalPathLabel, K::Label, nullptr, 268, 152, 40, 10, kCentred}, Value::PriorityLocal},
    {{ids::kLocalHighest, K::Option, L"Highest", 268, 162, 40, 10, kGroup}},
    {{ids::kLocalMiddle, K::Option, L"Middle", 268, 172, 40, 10}},
    {{ids::kLocalLowest, K::Option, L"Lowest", 268, 182, 40, 10}},
    {{ids::kLocalDisabled, K::Option, L"Disabled", 268, 192, 40, 10}},

    {{ids::kAutoIdFrame, K::Frame, L"Auto ID Settings", 180, 205, 134, 69}},
    {{ids::kCwSpeedCaption, K::Label, nullptr, 184, 217, 80, 10}, Value::CwSpeed},
    {{ids::kCwSpeed, K::DropDown, L"", 267, 217, 40, 150}, Value::CwSpeed},
    {{ids::kIdTimerCaption, K::Label, nullptr, 184, 231, 80, 10}, Value::IdTimer},
    {{ids::kIdTimer, K::DropDown, L"", 267, 231, 40, 150}, Value::IdTimer},
    {{ids::kRekeyDelayCaption, K::Label, nullptr, 184, 245, 80, 10}, Value::RekeyDelay},
    {{ids::kRekeyDelay, K::DropDown, L"", 267, 245, 40, 150}, Value::RekeyDelay},
    {{ids::kToneStartDelayCaption, K::Label, nullptr, 184, 259, 80, 10}, Value::ToneStartDelay},
    {{ids::kToneStartDelay, K::DropDown, L"", 267, 259, 40, 150}, Value::ToneStartDelay},

    {{ids::kAlarmsFrame, K::Frame, L"Alarms", 314, 142, 81, 42}},
    {{ids::kMuteOnWireline, K::CheckBox, nullptr, 318, 152, 67, 10}, Value::AlarmMuteOnWireline},
    {{ids::kEnableOverAir, K::CheckBox, nullptr, 318, 163, 67, 10}, Value::AlarmEnableOverAir},
    {{ids::kAudioFrame, K::Frame, L"Audio Mixed with Data", 314, 185, 81, 42}},
    {{ids::kRepeaterAudio, K::CheckBox, nullptr, 318, 195, 70, 10}, Value::RepeaterAudio},
    {{ids::kWirelineAudio, K::CheckBox, L"Wireline Audio", 318, 205, 70, 10, kDisabled}},
    {{ids::kLocalMicAudio, K::CheckBox, nullptr, 318, 215, 70, 10}, Value::LocalMicAudio},
    {{ids::kNotesCaption, K::Label, L"Notes", 320, 240, 75, 10}},
    {{ids::kNotesText, K::Label, L"DPL Inv needs testing", 320, 260, 75, 10}},
};

// Whether every value is reachable from the editor: each check box value has
// its one check box, each list value and each code its one drop-down, each
// frequency and each priority at least one control that shows it.
constexpr bool everyValueHasItsControl() {
    for (std::size_t i = 0; i < kValueCount; ++i) {
        const Value value = static_cast<Value>(i);
        const ValueKind kind = valueSpec(value).kind;
        int editing = 0, naming = 0;
        ControlKind editor = ControlKind::DropDown;
        if (kind == ValueKind::Bit) editor = ControlKind::CheckBox;
        for (const MainControlSpec& row : kControls) {
            if (row.value != value) continue;
            ++naming;
            if (row.spec.kind == editor) ++editing;
        }
        switch (kind) {
        case ValueKind::Bit:
        case ValueKind::Choice:
        case ValueKind::Timer:
        case ValueKind::Code:
            if (editing != 1) return false;
            break;
        case ValueKind::Frequency:
        case ValueKind::Priority:
            if (naming == 0) return false;
            break;
        }
    }
    return true;
}
static_assert(everyValueHasItsControl(), "every value of the value table needs its control here");

const FrequencyTrio kFrequencyTrios[3] = {
    {ids::kRxFrequencyDisplay, ids::kRxMhz, ids::kRxFrequencyEntry},
    {ids::kIdleFrequencyDisplay, ids::kIdleMhz, ids::kIdleFrequencyEntry},
    {ids::kTxFrequencyDisplay, ids::kTxMhz, ids::kTxFrequencyEntry},
};

const CodeControls kCodeControls[] = {
    {Direction::Receive, ids::kRxCarrier, ids::kRxPl, ids::kRxDpl, ids::kRxCodeList, ids::kRxInvertDpl,
     ids::kPlNote},
    {Direction::Transmit, ids::kTxCarrier, ids::kTxPl, ids::kTxDpl, ids::kTxCodeList, ids::kTxInvertDpl, 0},
};

const MainControlSpec* rowOf(int id) {
    for (const MainControlSpec& row : kControls)
        if (row.spec.id == id) return &row;
    return nullptr;
}

// The items of the tone or code list for `type`, in table order.
std::vector<std::wstring> codeItems(CodeType type) {
    std::vector<std::wstring> items;
    if (type == CodeType::Pl)
        for (int index = 1; index <= kToneCount; ++index) items.push_back(widen(toneText(index)));
    if (type == CodeType::Dpl)
        for (int index = 1; index <= kDplCount; ++index) items.push_back(widen(dplCodeText(index)));
    return items;
}

}  // namespace

MainControlRows mainControlRows() { return {kControls, std::size(kControls)}; }

std::wstring creationText(const MainControlSpec& row, int channel) {
    if (row.spec.text) return row.spec.text;
    if (row.value != Value::Count) return widen(valueSpec(row.value).caption);
    return channelTitle(channel);
}

const ValueSpec* editedValue(int id) {
    const MainControlSpec* row = rowOf(id);
    if (!row || row->value == Value::Count) return nullptr;
    const ControlKind kind = row->spec.kind;
    return kind == ControlKind::CheckBox || kind == ControlKind::DropDown ? &valueSpec(row->value) : nullptr;
}

int valueControl(Value value) {
    for (const MainControlSpec& row : kControls)
        if (row.value == value && editedValue(row.spec.id)) return row.spec.id;
    return 0;
}

HWND mainControl(const ProgramState& state, int id) {
    const auto found = state.windows.mainControls.find(id);
    return found != state.windows.mainControls.end() ? found->second : nullptr;
}

void setStatusText(const ProgramState& state, int part, const std::wstring& text) {
    if (!state.windows.statusBar) return;
    SendMessageW(state.windows.statusBar, SB_SETTEXTW, static_cast<WPARAM>(part),
                 reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring statusText(const ProgramState& state, int part) {
    if (!state.windows.statusBar) return {};
    const WPARAM which = static_cast<WPARAM>(part);
    const auto length = LOWORD(SendMessageW(state.windows.statusBar, SB_GETTEXTLENGTHW, which, 0));
    std::wstring text(length + 1u, L'\0');
    SendMessageW(state.windows.statusBar, SB_GETTEXTW, which, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
}

std::wstring channelTitle(int channel) { return L"Channel " + widen(signedDecimal(channel)); }

std::wstring initialText(int id) {
    const MainControlSpec* row = rowOf(id);
    return row ? creationText(*row, 0) : std::wstring();
}

void addListItem(HWND box, const std::wstring& text) {
    SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

namespace {

// A code list keeps in its user data which type's items it was filled with,
// so that a display can tell the list holds them without reading every item
// back (two messages an item, some 170 for the DPL codes, at every display).
LONG_PTR filledWith(CodeType type) { return static_cast<LONG_PTR>(type); }

// Whether `box` was filled for `type` and still holds as many items, the
// last of them the table's last.
bool holdsCodeItems(HWND box, CodeType type) {
    const std::vector<std::wstring>& items = codeItems(type);
    if (GetWindowLongPtrW(box, GWLP_USERDATA) != filledWith(type)) return false;
    if (SendMessageW(box, CB_GETCOUNT, 0, 0) != static_cast<LRESULT>(items.size())) return false;
    return items.empty() || itemReads(box, items.size() - 1, items.back());
}

}  // namespace

void fillCodeList(HWND box, CodeType type) {
    SendMessageW(box, WM_SETREDRAW, FALSE, 0);
    SendMessageW(box, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : codeItems(type)) addListItem(box, item);
    SendMessageW(box, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(box, nullptr, TRUE);
    SetWindowLongPtrW(box, GWLP_USERDATA, filledWith(type));
}

void showCodeItems(HWND box, CodeType type) {
    if (!holdsCodeItems(box, type)) fillCodeList(box, type);
}

const CodeControls& codeControlsOf(Direction direction) {
    return direction == Direction::Transmit ? kCodeControls[1] : kCodeControls[0];
}

const CodeControls* codeControlsOfOption(int id) {
    for (const CodeControls& c : kCodeControls)
        if (id == c.carrier || id == c.pl || id == c.dpl) return &c;
    return nullptr;
}

CodeType optionCodeType(const CodeControls& controls, int id) {
    return id == controls.pl ? CodeType::Pl : id == controls.dpl ? CodeType::Dpl : CodeType::Carrier;
}

int codeTypeOption(const CodeControls& controls, CodeType type) {
    switch (type) {
    case CodeType::Pl: return controls.pl;
    case CodeType::Dpl: return controls.dpl;
    case CodeType::Carrier: break;
    }
    return controls.carrier;
}

void endMainWindow(ProgramState& state, int result) {
    state.mainResult = result;
    if (state.windows.main) DestroyWindow(state.windows.main);
}

const FrequencyTrio (&frequencyTrios())[3] { return kFrequencyTrios; }

const FrequencyTrio* frequencyTrioOf(int id) {
    for (const FrequencyTrio& trio : kFrequencyTrios)
        if (id == trio.display || id == trio.mhz || id == trio.entry) return &trio;
    return nullptr;
}

}  // namespace quarnel::ui
