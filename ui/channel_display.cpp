#include "ui/channel_display.h"

#include <commctrl.h>

#include <optional>
#include <string>

#include "model/edits.h"
#include "model/layout.h"
#include "ui/control_state.h"
#include "ui/main_controls.h"
#include "ui/main_window_ids.h"
#include "ui/text.h"

namespace quarnel::ui {

namespace {

constexpr COLORREF kTuneChannelText = RGB(255, 0, 0);
constexpr COLORREF kConflictText = RGB(0, 0, 0);
constexpr COLORREF kConflictBackground = RGB(255, 153, 153);

// ---- Writing controls ------------------------------------------------------
// Only what changes is touched (ui/control_state.h): stepping from channel to
// channel changes a handful of the window's controls.

HWND control(const ProgramState& state, int id) { return mainControl(state, id); }

void setText(const ProgramState& state, int id, const std::wstring& text) {
    setControlText(control(state, id), text);
}

// Whether nothing is shown between the steps (no message box comes), so
// that the window is first seen when it is drawn whole after the last step.
bool drawnWholeAfter(const ChannelView& view) { return view.notices.empty(); }

// A label's text: drawn by the whole-window redraw when that comes first.
void setLabel(const ProgramState& state, const ChannelView& view, int id, const std::wstring& text) {
    if (drawnWholeAfter(view))
        setLabelTextUndrawn(control(state, id), text);
    else
        setText(state, id, text);
}

void setLabel(const ProgramState& state, const ChannelView& view, int id, const std::string& text) {
    setLabel(state, view, id, widen(text));
}

// A control enabled or disabled: a drop-down or a check box draws itself at
// once when that changes, unless the whole-window redraw comes first.
void enableControl(const ProgramState& state, const ChannelView& view, int id, bool enabled) {
    HWND c = control(state, id);
    DrawingHeld held(c, drawnWholeAfter(view) && (IsWindowEnabled(c) != FALSE) != enabled);
    setEnabled(c, enabled);
}

void setCheck(const ProgramState& state, int id, bool checked) {
    setButtonCheck(control(state, id), checked);
}

bool isChecked(const ProgramState& state, int id) {
    return SendMessageW(control(state, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Selects drop-down item `item`; none clears the selection.
void select(const ProgramState& state, int id, std::optional<int> item) {
    selectItem(control(state, id), item);
}


void show(const ProgramState& state, int id, bool shown) { setShown(control(state, id), shown); }

// Checks option `chosen` of the group first..last and clears the others.
void checkOption(const ProgramState& state, int first, int last, int chosen) {
    for (int id = first; id <= last; ++id) setCheck(state, id, id == chosen);
}

void redraw(const ProgramState& state, int id) { InvalidateRect(control(state, id), nullptr, TRUE); }

// ---- Priority --------------------------------------------------------------

// One path of "Transmit Priority": its label and its four options, Highest,
// Middle, Lowest and Disabled, whose ids follow each other.
struct PriorityColumn {
    int label;
    int highest;
    int PriorityView::*level;
    bool PriorityView::*conflict;
};

const PriorityColumn kPriorityColumns[] = {
    {ids::kRepeaterPathLabel, ids::kRepeaterHighest, &PriorityView::repeater,
     &PriorityView::repeaterConflict},
    {ids::kWirelinePathLabel, ids::kWirelineHighest, &PriorityView::wireline,
     &PriorityView::wirelineConflict},
    {ids::kLocalPathLabel, ids::kLocalHighest, &PriorityView::local, &PriorityView::localConflict},
};

constexpr int kPriorityLevels = 3;  // Highest, Middle, Lowest; 0 is Disabled

int disabledOption(const PriorityColumn& column) { return column.highest + kPriorityLevels; }

int optionOfLevel(const PriorityColumn& column, int level) {
    return level >= 1 && level <= kPriorityLevels ? column.highest + level - 1 : disabledOption(column);
}

// Default colours for every path label, the highlight for those in conflict;
// `drawNow` draws the labels (not needed when the whole window is drawn next).
void colourPriorityLabels(ProgramState& state, const PriorityView& priority, bool drawNow) {
    for (const PriorityColumn& column : kPriorityColumns) {
        if (priority.*column.conflict)
            state.mainColours.set(column.label, kConflictText, kConflictBackground);
        else
            state.mainColours.clear(column.label);
        if (drawNow) redraw(state, column.label);
    }
}

// ---- The code-type options of one direction ---------------------------------

// The option, the note, the drop-down filled for the type with the stored
// code selected (none when it is not in the table), "Invert DPL" enabled.
void writeCodeType(ProgramState& state, const ChannelView& view, const CodeControls& c) {
    const CodeView& code = view.code(c.direction);
    checkOption(state, c.carrier, c.dpl, codeTypeOption(c, code.type));
    if (c.note) show(state, c.note, code.noteShown);
    enableControl(state, view, c.invert, code.invertEnabled);
    enableControl(state, view, c.list, code.listEnabled);
    if (!code.listEnabled) return;
    showCodeItems(control(state, c.list), code.type);
    select(state, c.list, code.item);
}

// ---- The steps ---------------------------------------------------------------

using StepWriter = void (*)(ProgramState& state, const ChannelView& view);

// Channel count and base are kept with the view; what keeps a record from
// being shown goes to the status bar, and goes again once a record is shown.
void writeReachability(ProgramState& state, const ChannelView& view, const std::string& before) {
    if (!view.ok()) {
        setStatusText(state, 0, widen(view.problem));
        return;
    }
    if (!before.empty() && statusText(state, 0) == widen(before)) setStatusText(state, 0, L"");
}

void writeChannelCount(ProgramState& state, const ChannelView& view) {
    setLabel(state, view, ids::kChannelCount, view.header.channelCountText);
}

void writeVersion(ProgramState& state, const ChannelView& view) {
    setLabel(state, view, ids::kVersionByte, view.header.versionText);
}

void writeTitle(ProgramState& state, const ChannelView& view) {
    setLabel(state, view, ids::kChannelTitle, view.title);
    if (view.tuneChannel)
        state.mainColours.set(ids::kChannelTitle, kTuneChannelText, kDefaultColour);
    else
        state.mainColours.clear(ids::kChannelTitle);
    if (!drawnWholeAfter(view)) redraw(state, ids::kChannelTitle);
}

// The display clears selections and checks that its later steps set again.
// While no message box comes between (the usual case) nobody can see them
// cleared, so they go straight to what the later steps make of them, and
// those that do not change are not touched. With a box, the steps run as
// they stand, and the box shows the window as they have left it.
void clearSelections(ProgramState& state, const ChannelView& view) {
    const bool boxComes = !view.notices.empty();
    if (boxComes || !view.rxCode.listEnabled) select(state, ids::kRxCodeList, std::nullopt);
    if (boxComes || !view.txCode.listEnabled) select(state, ids::kTxCodeList, std::nullopt);
    if (boxComes)
        for (int id : {ids::kRxInvertDpl, ids::kTxInvertDpl, ids::kCwIdEnable}) setCheck(state, id, false);
    for (const PriorityColumn& column : kPriorityColumns) {
        const int chosen = optionOfLevel(column, view.priority.*column.level);
        for (int id = column.highest; id <= disabledOption(column); ++id)
            setCheck(state, id, !boxComes && id == chosen);
    }
}

// The check boxes step `Step` shows ("Invert DPL" follows its code type).
template <DisplayStep Step>
void writeChecks(ProgramState& state, const ChannelView& view) {
    for (const ValueSpec& row : valueTable())
        if (row.kind == ValueKind::Bit && row.step == Step && !row.invertsDpl())
            setCheck(state, valueControl(row.value), view.checked(row.value));
}

// The drop-down selections step `Step` shows: the header lists, the transmit
// timers (none without a record), the CW ID message.
template <DisplayStep Step>
void writeSelections(ProgramState& state, const ChannelView& view) {
    for (const ValueSpec& row : valueTable())
        if (row.dropDown() && row.step == Step) select(state, valueControl(row.value), view.item(row.value));
}

// The list is emptied before "CW address error" is shown, the count and the
// messages are written after it. A list that holds the messages already
// (every channel of an image shows the same) is left as it is, unless the
// box comes: then it shows empty meanwhile.
bool listHolds(HWND list, const std::vector<std::string>& messages) {
    std::vector<std::wstring> items;
    for (const std::string& message : messages) items.push_back(widen(message));
    return holdsItems(list, items);
}

bool raisesNotice(const ChannelView& view, DisplayStep step) {
    for (const ViewNotice& notice : view.notices)
        if (notice.step == step) return true;
    return false;
}

void emptyCwMessages(ProgramState& state, const ChannelView& view) {
    HWND list = control(state, ids::kCwMessageList);
    if (raisesNotice(view, DisplayStep::CwMessages) || !listHolds(list, view.header.cwMessages))
        SendMessageW(list, CB_RESETCONTENT, 0, 0);
}

void writeCwMessages(ProgramState& state, const ChannelView& view) {
    setLabel(state, view, ids::kCwMessageCount, view.header.cwCountText);
    HWND list = control(state, ids::kCwMessageList);
    if (SendMessageW(list, CB_GETCOUNT, 0, 0) != 0) return;  // it holds them already
    for (const std::string& message : view.header.cwMessages) {
        const std::wstring item = widen(message);
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
}

void writePriorityOptions(ProgramState& state, const ChannelView& view) {
    for (const PriorityColumn& column : kPriorityColumns)
        setCheck(state, optionOfLevel(column, view.priority.*column.level), true);
}

// The reference label, then the frequency. Without a record both keep the
// texts they start with.
void writeFrequency(ProgramState& state, const ChannelView& view, const FrequencyView& f,
                    int reference, int display) {
    setLabel(state, view, reference, view.ok() ? widen(f.referenceText) : initialText(reference));
    setLabel(state, view, display, view.ok() ? widen(f.text) : initialText(display));
}

void writeReceiveFrequency(ProgramState& state, const ChannelView& view) {
    writeFrequency(state, view, view.rx, ids::kRxReference, ids::kRxFrequencyDisplay);
}

void writeTransmitFrequency(ProgramState& state, const ChannelView& view) {
    writeFrequency(state, view, view.tx, ids::kTxReference, ids::kTxFrequencyDisplay);
}

void writeIdleFrequency(ProgramState& state, const ChannelView& view) {
    writeFrequency(state, view, view.idle, ids::kIdleReference, ids::kIdleFrequencyDisplay);
}

// A code not found is reported between the type and the inversion.
template <Direction D>
void writeCode(ProgramState& state, const ChannelView& view) {
    writeCodeType(state, view, codeControlsOf(D));
}

template <Direction D>
void writeInversion(ProgramState& state, const ChannelView& view) {
    setCheck(state, codeControlsOf(D).invert, view.code(D).inverted);
}

// TX Priority itself was rewritten with the view; here the labels follow.
// The whole window is drawn anew after this last step.
void writePriorityUpdate(ProgramState& state, const ChannelView& view) {
    colourPriorityLabels(state, view.priority, false);
}

// The display in step order. After a row marked so, the message boxes its
// step raises are shown, before the later rows fill their controls. A view
// without a record holds neutral values for the record's rows.
struct StepRow {
    DisplayStep step;
    StepWriter write;
    bool noticesAfter;
};

const StepRow kSteps[] = {
    {DisplayStep::ChannelCount, writeChannelCount, false},
    {DisplayStep::VersionByte, writeVersion, false},
    {DisplayStep::Title, writeTitle, false},
    {DisplayStep::ClearSelections, clearSelections, false},
    {DisplayStep::ReceiverCtrl, writeChecks<DisplayStep::ReceiverCtrl>, false},
    {DisplayStep::RptCtrl, writeChecks<DisplayStep::RptCtrl>, false},
    {DisplayStep::HeaderLists, writeSelections<DisplayStep::HeaderLists>, false},
    {DisplayStep::CwMessages, emptyCwMessages, true},
    {DisplayStep::CwMessages, writeCwMessages, false},
    {DisplayStep::Timers, writeSelections<DisplayStep::Timers>, false},
    {DisplayStep::Priority, writePriorityOptions, false},
    {DisplayStep::IdAlarmCtrl, writeChecks<DisplayStep::IdAlarmCtrl>, false},
    {DisplayStep::ReceiveFrequency, writeReceiveFrequency, false},
    {DisplayStep::TransmitFrequency, writeTransmitFrequency, false},
    {DisplayStep::IdleFrequency, writeIdleFrequency, false},
    {DisplayStep::ReceiveCode, writeCode<Direction::Receive>, true},
    {DisplayStep::ReceiveCode, writeInversion<Direction::Receive>, false},
    {DisplayStep::TransmitCode, writeCode<Direction::Transmit>, true},
    {DisplayStep::TransmitCode, writeInversion<Direction::Transmit>, false},
    {DisplayStep::AlarmsAudio, writeChecks<DisplayStep::AlarmsAudio>, false},
    {DisplayStep::CwIdSelect, writeSelections<DisplayStep::CwIdSelect>, false},
    {DisplayStep::PriorityUpdate, writePriorityUpdate, false},
};

void showNotices(ProgramState& state, const ChannelView& view, DisplayStep step) {
    for (const ViewNotice& notice : view.notices)
        if (notice.step == step) state.notices.messageBox(notice.text);
}

}  // namespace

void displayCurrentChannel(ProgramState& state) {
    if (!state.windows.main) return;
    ChannelViewRequest request;
    request.channel = state.currentChannel;
    request.rxBand = state.rxBand;
    request.txBand = state.txBand;
    const std::string problemBefore = state.displayed.problem;
    state.displayed = displayChannel(state.image, request);
    // The steps work on a copy: a message box runs a message loop, and
    // nothing that happens in it may change what is being shown.
    const ChannelView view = state.displayed;
    writeReachability(state, view, problemBefore);
    for (const StepRow& row : kSteps) {
        row.write(state, view);
        if (row.noticesAfter) showNotices(state, view, row.step);
    }
    RedrawWindow(state.windows.main, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

PriorityView updatePriorityFromOptions(ProgramState& state) {
    PriorityView checked;
    for (const PriorityColumn& column : kPriorityColumns)
        for (int level = 1; level <= kPriorityLevels; ++level)
            if (isChecked(state, optionOfLevel(column, level))) checked.*column.level = level;
    const PriorityView priority = priorityUpdate(checked.repeater, checked.local, checked.wireline);
    colourPriorityLabels(state, priority, true);
    if (state.recordReachable())
        applyPriorityOptions(state.image, state.displayed.base, checked.repeater, checked.local,
                             checked.wireline);
    state.displayed.priority = priority;
    return priority;
}

}  // namespace quarnel::ui
