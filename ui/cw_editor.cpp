#include "ui/cw_editor.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/cw_messages.h"
#include "model/layout.h"
#include "model/notice.h"
#include "ui/channel_display.h"
#include "ui/control_colours.h"
#include "ui/cw_editor_ids.h"
#include "ui/dialog_builder.h"
#include "ui/dialog_seam.h"
#include "ui/text.h"
#include "model/text_forms.h"

namespace quarnel::ui {

namespace {

namespace cw = ids::cw;
using K = ControlKind;

// ---- The layout --------------------------------------------------------------

constexpr DialogFrame kFrame{WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_CENTER, 0, 300, 200,
                             L"CW Messages"};

// The controls every editor has, in creation order. Label 3102 gets its
// number when the window opens; label 3103 is filled by the model's length
// line. The message boxes follow them.
const ControlSpec kFixedControls[] = {
    {cw::kAddId, K::Button, L"Add ID", 190, 14, 30, 14},
    {cw::kAddNote, K::Label,
     L"Clicking the Add button will exit this window and add an ID."
     L" Click Edit button again to add text.",
     150, 30, 120, 90},
    {cw::kAreaLength, K::Label, L"", 150, 130, 120, 10},
    {cw::kLengthLine, K::Label, L"", 150, 140, 120, 10},
    {cw::kCancel, K::Button, L"&Cancel", 150, 150, 30, 15},
    {IDOK, K::Button, L"&Save", 190, 150, 30, 15, kDefaultButton},
};

// Message box k: one line of 10 dialog units per message, down from y 14.
constexpr short kBoxX = 20;
constexpr short kBoxTop = 14;
constexpr short kBoxPitch = 10;
constexpr short kBoxWidth = 100;
constexpr short kBoxHeight = 10;

constexpr COLORREF kEvenBoxBackground = RGB(204, 204, 204);
constexpr COLORREF kOddBoxBackground = RGB(255, 255, 204);
constexpr COLORREF kAddNoteBackground = RGB(255, 204, 204);

// ---- The window's data -----------------------------------------------------------

struct CwEditor {
    explicit CwEditor(ProgramState& programState) : state(programState) {}

    ProgramState& state;
    int boxes = 0;  // message boxes shown: messages 0 .. boxes - 1
    ControlColours colours;
};

CwEditor& editorOf(HWND dialog) {
    return *reinterpret_cast<CwEditor*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// The CW area as the last display of the main window counted it.
const CwState& keptArea(const ProgramState& state) { return state.displayed.header.cw; }

// Stores the text of message box k as message k against `kept`. A refusal of
// the model is shown as it words it; then nothing was written.
bool storeBox(CwEditor& editor, HWND dialog, int k, const CwState& kept) {
    ProgramState& state = editor.state;
    const std::string text = narrow(windowText(GetDlgItem(dialog, cw::kFirstMessage + k)));
    const StoreOutcome outcome = storeMessage(state.image, kept, k, text, state.notices);
    if (!outcome.stored) state.notices.messageBox(outcome.refusal);
    return outcome.stored;
}

// ---- Opening -------------------------------------------------------------------

void createMessageBox(HWND dialog, CwEditor& editor, int k, const std::string& text) {
    const ControlSpec def{cw::kFirstMessage + k, K::TextBox, L"", kBoxX,
                           static_cast<short>(kBoxTop + kBoxPitch * k), kBoxWidth, kBoxHeight};
    createControl(dialog, def, fontFor(dialog, editor.state.fonts, def.font),
                  widen(text).c_str());
    editor.colours.set(def.id, kDefaultColour, k % 2 == 0 ? kEvenBoxBackground : kOddBoxBackground);
}

INT_PTR OnInitDialog(HWND dialog, CwEditor& editor) {
    SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&editor));
    ProgramState& state = editor.state;
    setProgramIcon(dialog, state.instance);
    for (const ControlSpec& def : kFixedControls)
        createControl(dialog, def, fontFor(dialog, state.fonts, def.font));
    SendMessageW(dialog, DM_SETDEFID, IDOK, 0);

    const CwState& kept = keptArea(state);
    if (kept.count == kMaxCwMessages) EnableWindow(GetDlgItem(dialog, cw::kAddId), FALSE);

    // The window holds 17 messages; a codeplug with more keeps the rest as it is.
    editor.boxes = std::clamp(kept.count, 0, cw::kMaxMessageBoxes);
    std::vector<std::string> texts;
    for (int k = 0; k < editor.boxes; ++k) texts.push_back(decodeMessage(state.image, k));

    // The CW area's size: the two header words subtracted as radio addresses.
    const long areaBytes = static_cast<long>(readField(state.image, Field::CwEnd)) -
                           static_cast<long>(readField(state.image, Field::CwIdAddr));
    SetDlgItemTextW(dialog, cw::kAreaLength,
                    (L"eprom ID length: " + widen(signedDecimal(areaBytes)) + L" bytes").c_str());
    editor.colours.set(cw::kAddNote, kDefaultColour, kAddNoteBackground);

    for (int k = 0; k < editor.boxes; ++k) createMessageBox(dialog, editor, k, texts[k]);
    state.notices.setLengthLineLabel(GetDlgItem(dialog, cw::kLengthLine));

    // The user comes to type: the focus starts in the first message, or on
    // "&Cancel" when there is none, so that Enter adds nothing by accident.
    SetFocus(GetDlgItem(dialog, editor.boxes > 0 ? cw::kFirstMessage : cw::kCancel));
    return FALSE;
}

// ---- Commands --------------------------------------------------------------------

// Enter in one of the boxes of messages 0 to 14 (the OK command with the
// focus there, whatever its notification) stores that message alone; the
// window stays open.
bool OnStoreOne(CwEditor& editor, HWND dialog) {
    HWND focus = GetFocus();
    if (!focus || !IsChild(dialog, focus)) return false;
    const int id = GetDlgCtrlID(focus);
    if (id < cw::kFirstMessage || id > cw::kLastEnterMessage) return false;
    ProgramState& state = editor.state;
    if (!storeBox(editor, dialog, id - cw::kFirstMessage, keptArea(state))) return true;
    state.noteEdit();
    displayCurrentChannel(state);
    return true;
}

// Adds an empty message and closes; the user reopens the editor to type it.
// At 14 messages the add is refused silently; any other refusal is shown
// and the window stays open with the texts as typed.
bool OnAddId(CwEditor& editor, HWND dialog) {
    ProgramState& state = editor.state;
    const AddOutcome outcome = addMessage(state.image, keptArea(state), state.notices);
    if (outcome.full) return true;
    if (!outcome.added) {
        state.notices.messageBox(outcome.refusal);
        return true;
    }
    // The image grew: it differs from the file it came from until saved.
    state.noteEdit();
    displayCurrentChannel(state);  // recounts the messages
    EndDialog(dialog, cw::kAddId);
    return true;
}

bool OnCancel(CwEditor&, HWND dialog) {
    EndDialog(dialog, cw::kCancel);
    return true;
}

// Stores every message shown, in ascending order, all against the count and
// bounds kept before the first of them. A refused message stops the stores
// and keeps the window open, so no typed text is lost.
bool OnSave(CwEditor& editor, HWND dialog) {
    ProgramState& state = editor.state;
    const CwState kept = keptArea(state);
    const int count = std::min(editor.boxes, kept.count);
    bool refused = false;
    for (int k = 0; k < count && !refused; ++k) refused = !storeBox(editor, dialog, k, kept);
    displayCurrentChannel(state);
    state.noteEdit();
    if (!refused) EndDialog(dialog, IDOK);
    return true;
}

// WM_COMMAND routes, tried in order: the first whose id and notification
// match and whose handler takes the command ends the search.
constexpr int kAnyCode = -1;

struct CommandRoute {
    int id;
    int code;
    bool (*handler)(CwEditor& editor, HWND dialog);
};

const CommandRoute kCommandRoutes[] = {
    {IDOK, kAnyCode, OnStoreOne},
    {cw::kAddId, BN_CLICKED, OnAddId},
    {cw::kCancel, BN_CLICKED, OnCancel},
    {IDOK, BN_CLICKED, OnSave},
};

INT_PTR OnCommand(HWND dialog, int id, int code) {
    for (const CommandRoute& route : kCommandRoutes)
        if (route.id == id && (route.code == kAnyCode || route.code == code) &&
            route.handler(editorOf(dialog), dialog))
            return TRUE;
    return FALSE;
}

// ---- Other messages ----------------------------------------------------------------

// Any notification is unexpected here, except the drawing and mouse-over
// reports every push button of the common controls sends while it is on the
// screen.
INT_PTR OnNotify(const NMHDR& header) {
    if (header.code == static_cast<UINT>(NM_CUSTOMDRAW) || header.code == BCN_HOTITEMCHANGE)
        return FALSE;
    showMessageBox(nullptr, L"notify from cwedit", nullptr, kModelBoxStyle);
    return FALSE;
}

INT_PTR OnCtlColor(HWND dialog, HDC dc, HWND control) {
    return reinterpret_cast<INT_PTR>(editorOf(dialog).colours.apply(dc, control));
}

// The system menu's close ends the window like "&Cancel"; Escape does not.
void OnClose(HWND dialog) { EndDialog(dialog, cw::kCancel); }

void OnDestroy(HWND dialog) { editorOf(dialog).state.notices.setLengthLineLabel(nullptr); }

INT_PTR CALLBACK CwEditorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        return OnInitDialog(dialog, *reinterpret_cast<CwEditor*>(lParam));
    if (!GetWindowLongPtrW(dialog, DWLP_USER)) return FALSE;
    switch (message) {
    case WM_COMMAND:
        return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return OnCtlColor(dialog, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CLOSE:
        OnClose(dialog);
        return TRUE;
    case WM_DESTROY:
        OnDestroy(dialog);
        return FALSE;
    }
    return FALSE;
}

}  // namespace

void showCwEditor(ProgramState& state) {
    CwEditor editor(state);
    runModalDialog(state.instance, kFrame, state.windows.main, CwEditorProc,
                   reinterpret_cast<LPARAM>(&editor));
}

bool editMessagesCommand(ProgramState& state, int, int code) {
    if (code != 0) return false;
    showCwEditor(state);
    return true;
}

}  // namespace quarnel::ui
