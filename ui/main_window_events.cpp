#include "ui/main_window_events.h"

#include <commctrl.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/edits.h"
#include "model/notice.h"
#include "ui/channel_display.h"
#include "ui/dialog_seam.h"
#include "ui/main_controls.h"
#include "ui/main_window_ids.h"
#include "ui/text.h"
#include "model/text_forms.h"

namespace quarnel::ui {

namespace {

// Task-modal, brought to the foreground, no owner: Escape's warning and the
// unknown-command notice.
constexpr UINT kTaskBoxStyle = MB_TASKMODAL | MB_SETFOREGROUND;

// ---- Tables ------------------------------------------------------------------

// The band options: the selection each sets and the notice it leaves in the
// status bar (none for the transmit VHF and UHF options).
struct BandOption {
    int id;
    Band ProgramState::*selection;
    Band band;
    const wchar_t* notice;
};

const BandOption kBandOptions[] = {
    {ids::kRxBandVhf, &ProgramState::rxBand, Band::Vhf, L"VHF"},
    {ids::kRxBandUhf, &ProgramState::rxBand, Band::Uhf, L"UHF"},
    {ids::kRxBand800, &ProgramState::rxBand, Band::Band800, L"800/900 presuming 21.4 IF"},
    {ids::kTxBandVhf, &ProgramState::txBand, Band::Vhf, nullptr},
    {ids::kTxBandUhf, &ProgramState::txBand, Band::Uhf, nullptr},
    {ids::kTxBand800, &ProgramState::txBand, Band::Band800, L"800/900 Functions partially tested!"},
};

// The entry boxes in the order Enter looks for the focus, with the band
// selection each direction is encoded with (the idle word goes with transmit).
struct EntryBox {
    int id;
    Direction direction;
    Band ProgramState::*band;
};

const EntryBox kEntryBoxes[] = {
    {ids::kRxFrequencyEntry, Direction::Receive, &ProgramState::rxBand},
    {ids::kTxFrequencyEntry, Direction::Transmit, &ProgramState::txBand},
    {ids::kIdleFrequencyEntry, Direction::Idle, &ProgramState::txBand},
};

template <typename Row, std::size_t N>
const Row* rowOf(const Row (&table)[N], int id) {
    for (const Row& row : table)
        if (row.id == id) return &row;
    return nullptr;
}

// ---- Shared steps ------------------------------------------------------------

HWND control(const ProgramState& state, int id) { return mainControl(state, id); }

// The channel display again. Nothing is decoded before an image is opened.
void showChannelAgain(ProgramState& state) {
    if (state.currentChannel > 0) displayCurrentChannel(state);
}

// The record the edits write into, kept by the last channel display. When
// that display found no record to show, the edit is refused with its reason
// and nothing is written.
bool editableRecord(ProgramState& state, std::size_t& base) {
    const ChannelView& shown = state.displayed;
    if (!state.recordReachable()) {
        state.notices.messageBox(shown.problem.empty()
                                     ? layoutErrorText(shown.error, shown.channel)
                                     : shown.problem);
        return false;
    }
    base = shown.base;
    return true;
}

// What follows an edit the model made or refused: a refusal is shown and
// changes nothing else; a change sets the modified flag; some edits show the
// channel again.
void finishEdit(ProgramState& state, const EditOutcome& outcome) {
    if (outcome.status == EditStatus::Refused) {
        state.notices.messageBox(outcome.refusal);
        return;
    }
    if (outcome.modified) state.noteEdit();
    if (outcome.redisplay) showChannelAgain(state);
}

// The entry box gives way to its frequency display and "MHz" label again.
void restoreDisplay(const ProgramState& state, const FrequencyTrio& trio) {
    HWND entry = control(state, trio.entry);
    ShowWindow(entry, SW_HIDE);
    EnableWindow(entry, FALSE);
    ShowWindow(control(state, trio.display), SW_SHOW);
    ShowWindow(control(state, trio.mhz), SW_SHOW);
    EnableWindow(control(state, trio.display), TRUE);
}

// Enter in an entry box: the typed digits are completed and encoded. Fewer
// than five digits give up quietly; a refused frequency is shown and writes
// nothing. Either way the display comes back.
void commitEntry(ProgramState& state, const EntryBox& box) {
    const FrequencyTrio& trio = *frequencyTrioOf(box.id);
    const std::string typed = narrow(windowText(control(state, box.id)));
    restoreDisplay(state, trio);
    std::size_t base = 0;
    if (!editableRecord(state, base)) return;
    const EditOutcome outcome =
        commitFrequencyEntry(state.image, base, box.direction, state.*box.band, typed);
    if (outcome.done()) SetWindowTextW(control(state, trio.display), widen(outcome.shownText).c_str());
    finishEdit(state, outcome);
}

CodeType& keptCodeType(ProgramState& state, Direction direction) {
    return direction == Direction::Receive ? state.displayed.rxCode.type
                                           : state.displayed.txCode.type;
}

// A direction's controls for a code type: the list enabled and refilled for
// PL and DPL, "Invert DPL" enabled for DPL only, the note shown for PL only.
void setUpCodeControls(const ProgramState& state, const CodeControls& controls, CodeType type) {
    if (controls.note) ShowWindow(control(state, controls.note), type == CodeType::Pl ? SW_SHOW : SW_HIDE);
    HWND list = control(state, controls.list);
    EnableWindow(list, type != CodeType::Carrier);
    if (type != CodeType::Carrier) fillCodeList(list, type);
    EnableWindow(control(state, controls.invert), type == CodeType::Dpl);
}

}  // namespace

// ---- Commands ------------------------------------------------------------------

bool OnExit(ProgramState& state, int, int) {
    if (state.modified == kSaved) {
        endMainWindow(state, 0);
        return true;
    }
    showMessageBox(state.windows.main, L"File not saved", L"Program Exit", MB_ICONEXCLAMATION);
    return true;
}

bool OnCancel(ProgramState& state, int, int) {
    if (state.modified == kModified) showMessageBox(nullptr, L"File Not Saved", nullptr, kTaskBoxStyle);
    return true;
}

bool OnEnter(ProgramState& state, int, int) {
    HWND focus = GetFocus();
    if (!focus || GetParent(focus) != state.windows.main) return false;
    const EntryBox* box = rowOf(kEntryBoxes, GetDlgCtrlID(focus));
    if (!box) return false;
    commitEntry(state, *box);
    return true;
}

bool OnFrequencyEntry(ProgramState& state, int id, int code) {
    if (code == EN_KILLFOCUS) restoreDisplay(state, *frequencyTrioOf(id));
    return true;
}

bool OnChannelStep(ProgramState& state, int id, int) {
    const int modes = state.displayed.header.modes;
    if (modes < 1) return true;  // no image, or one without channels: nowhere to go
    int channel = state.currentChannel + (id == ids::kNextChannel ? 1 : -1);
    if (channel > modes) channel = 1;
    if (channel < 1) channel = modes;
    state.currentChannel = static_cast<std::int16_t>(channel);
    showChannelAgain(state);
    return true;
}

bool OnBandOption(ProgramState& state, int id, int) {
    const BandOption* option = rowOf(kBandOptions, id);
    if (!option) return false;
    if (option->notice) setStatusText(state, 0, option->notice);
    state.*option->selection = option->band;
    showChannelAgain(state);
    return true;
}

bool OnPriorityOption(ProgramState& state, int, int) {
    std::size_t base = 0;
    if (!editableRecord(state, base)) return true;
    updatePriorityFromOptions(state);
    state.noteEdit();
    return true;
}

namespace {

// A check box: sets or clears its one bit.
void checkBoxClicked(ProgramState& state, int id, const ValueSpec& box) {
    std::size_t base = 0;
    if (!editableRecord(state, base)) return;
    const bool checked = SendMessageW(control(state, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    finishEdit(state, setCheckBox(state.image, base, box.value, checked));
}

// A drop-down with fixed choices: stores the position chosen.
void fixedChoiceMade(ProgramState& state, int id, int code, const ValueSpec& list) {
    if (code != CBN_SELENDOK) return;  // opening, closing, focus: nothing to store
    const auto item = static_cast<int>(SendMessageW(control(state, id), CB_GETCURSEL, 0, 0));
    if (item == CB_ERR) return;
    std::size_t base = 0;
    // The header lists store into the header, which every image has.
    if (!list.header() && !editableRecord(state, base)) return;
    finishEdit(state, chooseDropDownItem(state.image, base, list.value, item));
}

}  // namespace

bool OnValueControl(ProgramState& state, int id, int code) {
    const ValueSpec* value = editedValue(id);
    if (!value) return false;
    if (value->kind == ValueKind::Bit) {
        checkBoxClicked(state, id, *value);
        return true;
    }
    if (!value->dropDown()) return false;
    fixedChoiceMade(state, id, code, *value);
    return true;
}

bool OnCodeTypeOption(ProgramState& state, int id, int) {
    const CodeControls* controls = codeControlsOfOption(id);
    if (!controls) return false;
    if (SendMessageW(control(state, id), BM_GETCHECK, 0, 0) != BST_CHECKED) return true;
    std::size_t base = 0;
    if (!editableRecord(state, base)) return true;
    const CodeType type = optionCodeType(*controls, id);
    setUpCodeControls(state, *controls, type);
    const EditOutcome outcome = chooseCodeType(state.image, base, controls->direction, type);
    if (outcome.done()) keptCodeType(state, controls->direction) = type;
    finishEdit(state, outcome);
    return true;
}

bool OnCodeList(ProgramState& state, int id, int code) {
    if (code != CBN_SELENDOK) return true;
    const ValueSpec* list = editedValue(id);
    if (!list) return false;
    const Direction direction = list->direction;
    const auto item = static_cast<int>(SendMessageW(control(state, id), CB_GETCURSEL, 0, 0));
    if (item == CB_ERR) return true;
    std::size_t base = 0;
    if (!editableRecord(state, base)) return true;
    finishEdit(state, chooseCodeItem(state.image, base, direction, keptCodeType(state, direction), item));
    return true;
}

void showUnknownCommandNotice(int id, LPARAM param) {
    const std::wstring text = L"command from main() from control " + widen(signedDecimal(id)) + L" " +
                              widen(signedDecimal(static_cast<long long>(param)));
    showMessageBox(nullptr, text, nullptr, kTaskBoxStyle);
}

void OnFirstNotification(ProgramState& state) {
    if (state.modified != kModifiedAtStartUp) return;
    // Set before the box appears: its own message loop brings more notifications.
    state.modified = kModified;
    showMessageBox(nullptr, L"You must start by opening an existing binary image file to edit",
                   L"MSF5000 First Step", MB_TASKMODAL | MB_ICONINFORMATION);
}

bool closeConfirmed(ProgramState& state) {
    if (!state.unsavedEdits) return true;
    return showMessageBox(state.windows.main, L"File not saved\n\nClose the program anyway?",
                          L"Program Exit", MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES;
}

}  // namespace quarnel::ui
