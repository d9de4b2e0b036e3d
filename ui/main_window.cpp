#include "ui/main_window.h"

#include <commctrl.h>

#include <array>
#include <iterator>
#include <vector>

#include "model/choices.h"
#include "model/notice.h"
#include "ui/about_help.h"
#include "ui/channel_bytes_map.h"
#include "ui/control_state.h"
#include "ui/ctcss_table.h"
#include "ui/cw_editor.h"
#include "ui/dialog_builder.h"
#include "ui/eprom_map.h"
#include "ui/file_commands.h"
#include "ui/main_window_events.h"
#include "ui/main_window_ids.h"
#include "ui/text.h"
#include "model/text_forms.h"

namespace quarnel::ui {

namespace {

// ---- The layout --------------------------------------------------------

constexpr DialogFrame kMainFrame{WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, 0, 400, 300,
                                 L"Quarnel"};

using K = ControlKind;

// Option groups and the option each starts with; set once the group's last
// option exists. The band groups also set the band selection they stand for.
struct OptionGroup {
    int first;
    int last;
    int selected;
    Band ProgramState::*band;  // nullptr: not a band group
};

const OptionGroup kOptionGroups[] = {
    {ids::kRxBandVhf, ids::kRxBand800, ids::kRxBandUhf, &ProgramState::rxBand},
    {ids::kTxBandVhf, ids::kTxBand800, ids::kTxBandUhf, &ProgramState::txBand},
    {ids::kRxCarrier, ids::kRxDpl, ids::kRxCarrier, nullptr},
    {ids::kTxCarrier, ids::kTxDpl, ids::kTxCarrier, nullptr},
    {ids::kRepeaterHighest, ids::kRepeaterDisabled, ids::kRepeaterDisabled, nullptr},
    {ids::kWirelineHighest, ids::kWirelineDisabled, ids::kWirelineDisabled, nullptr},
    {ids::kLocalHighest, ids::kLocalDisabled, ids::kLocalDisabled, nullptr},
};

// The entry boxes: black text on the colour of their direction.
struct ControlColourSpec {
    int id;
    COLORREF text;
    COLORREF background;
};

const ControlColourSpec kColours[] = {
    {ids::kRxFrequencyEntry, RGB(0, 0, 0), RGB(204, 255, 204)},    // light green
    {ids::kTxFrequencyEntry, RGB(0, 0, 0), RGB(255, 204, 204)},    // light red
    {ids::kIdleFrequencyEntry, RGB(0, 0, 0), RGB(255, 255, 153)},  // light yellow
};


// Menu bar: two drop-down menus, then two commands on the bar itself.
struct MenuItem {
    const wchar_t* text;  // nullptr: a separator
    int id;
};

const MenuItem kFileMenu[] = {
    {L"&Open", ids::kOpen}, {L"&Save As", ids::kSaveAs}, {nullptr, 0}, {L"E&xit", ids::kExit}};
const MenuItem kReferencesMenu[] = {
    {L"C&TCSS Table", ids::kCtcssTable},
    {L"EPROM Map", ids::kEpromMap},
    {L"Channel Bytes Map", ids::kChannelBytesMap}};

struct MenuBarEntry {
    const wchar_t* text;
    int id;                 // a command on the bar; 0 for a drop-down
    const MenuItem* items;  // the drop-down's items
    std::size_t count;
};

const MenuBarEntry kMenuBar[] = {
    {L"&File", 0, kFileMenu, std::size(kFileMenu)},
    {L"&References", 0, kReferencesMenu, std::size(kReferencesMenu)},
    {L"&Help", ids::kHelp, nullptr, 0},
    {L"&About", ids::kAbout, nullptr, 0},
};

// Status bar parts: right edges in dialog units. The progress bar sits over
// the second part, placed from the status bar's top-left corner.
constexpr int kStatusPartEdges[] = {199, 399};
constexpr RECT kProgressPlace{220, 2, 220 + 130, 2 + 11};
constexpr int kProgressRange = 4096;

// Toolbar pictures: files in the working directory, 24 x 24 pixels each;
// magenta is drawn transparent.
constexpr int kPictureSize = 24;
constexpr COLORREF kPictureKey = RGB(255, 0, 255);
struct ToolbarButton {
    const wchar_t* picture;
    int command;
};
const ToolbarButton kToolbarButtons[] = {{L"open.bmp", ids::kOpen}, {L"save.bmp", ids::kSaveAs}};

// ---- Building ------------------------------------------------------------

void initCommonControls() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_PROGRESS_CLASS |
                                             ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
}

RECT clientRectIn(HWND parent, HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Attaching the menu takes its height from the client area; the window is
// grown back to its full client size and centred on the screen.
void keepClientSizeAndCentre(HWND main) {
    const RECT wanted = dialogUnitsToPixels(main, 0, 0, kMainFrame.width, kMainFrame.height);
    RECT client, frame;
    GetClientRect(main, &client);
    GetWindowRect(main, &frame);
    const int width = (frame.right - frame.left) + (wanted.right - client.right);
    const int height = (frame.bottom - frame.top) + (wanted.bottom - client.bottom);

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(main, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int x = work.left + ((work.right - work.left) - width) / 2;
    const int y = work.top + ((work.bottom - work.top) - height) / 2;
    SetWindowPos(main, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void buildMenuBar(HWND main) {
    HMENU bar = CreateMenu();
    for (const MenuBarEntry& entry : kMenuBar) {
        if (!entry.items) {
            AppendMenuW(bar, MF_STRING, static_cast<UINT_PTR>(entry.id), entry.text);
            continue;
        }
        HMENU popup = CreatePopupMenu();
        for (std::size_t i = 0; i < entry.count; ++i) {
            const MenuItem& item = entry.items[i];
            if (item.text)
                AppendMenuW(popup, MF_STRING, static_cast<UINT_PTR>(item.id), item.text);
            else
                AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        }
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), entry.text);
    }
    SetMenu(main, bar);
    keepClientSizeAndCentre(main);
}

HWND createCommonControl(const ProgramState& state, const wchar_t* windowClass, DWORD style,
                         const RECT& place, int id) {
    return CreateWindowExW(0, windowClass, nullptr, style, place.left, place.top,
                           place.right - place.left, place.bottom - place.top, state.windows.main,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), state.instance,
                           nullptr);
}

// The progress bar's place over the status bar, wherever that is now.
RECT progressPlace(const ProgramState& state) {
    HWND main = state.windows.main;
    const RECT status = clientRectIn(main, state.windows.statusBar);
    RECT place = dialogUnitsToPixels(main, kProgressPlace.left, kProgressPlace.top,
                                     kProgressPlace.right - kProgressPlace.left,
                                     kProgressPlace.bottom - kProgressPlace.top);
    OffsetRect(&place, status.left, status.top);
    return place;
}

void createStatusAndProgress(ProgramState& state) {
    HWND main = state.windows.main;
    state.windows.statusBar = createCommonControl(
        state, STATUSCLASSNAMEW, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBARS_SIZEGRIP, {},
        ids::kStatusBar);
    int edges[std::size(kStatusPartEdges)];
    for (std::size_t i = 0; i < std::size(edges); ++i)
        edges[i] = dialogUnitsToPixels(main, 0, 0, kStatusPartEdges[i], 0).right;
    SendMessageW(state.windows.statusBar, SB_SETPARTS, std::size(edges),
                 reinterpret_cast<LPARAM>(edges));

    // Created hidden. It lies over the status bar, so it goes above it.
    HWND progress = createCommonControl(state, PROGRESS_CLASSW, WS_CHILD, progressPlace(state),
                                        ids::kProgressBar);
    state.windows.progressBar = progress;
    SetWindowPos(progress, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(progress, PBM_SETRANGE32, 1, kProgressRange);
    SendMessageW(progress, PBM_SETSTEP, 1, 0);
}

// Adds a picture file to the image list; I_IMAGENONE when it cannot be loaded.
int addPicture(HIMAGELIST images, const wchar_t* file) {
    HANDLE bitmap = LoadImageW(nullptr, file, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (!bitmap) return I_IMAGENONE;
    const int index = ImageList_AddMasked(images, static_cast<HBITMAP>(bitmap), kPictureKey);
    DeleteObject(bitmap);
    return index < 0 ? I_IMAGENONE : index;
}

void createToolbar(ProgramState& state) {
    HWND toolbar = createCommonControl(state, TOOLBARCLASSNAMEW,
                                       WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT,
                                       dialogUnitsToPixels(state.windows.main, 1, 1, 1, 1),
                                       ids::kToolbar);
    state.windows.toolbar = toolbar;
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);

    HIMAGELIST images = ImageList_Create(kPictureSize, kPictureSize, ILC_COLOR8 | ILC_MASK,
                                         static_cast<int>(std::size(kToolbarButtons)), 0);
    state.windows.toolbarImages = images;
    std::array<TBBUTTON, std::size(kToolbarButtons)> buttons{};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i].iBitmap = addPicture(images, kToolbarButtons[i].picture);
        buttons[i].idCommand = kToolbarButtons[i].command;
        buttons[i].fsState = TBSTATE_ENABLED;
        buttons[i].fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE;
        buttons[i].iString = -1;
    }
    SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    SendMessageW(toolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
}

// The program's choice list for `list`; nullptr for the lists that are not
// kept (the drop-out delay's eight items, the CW messages of the image).
const std::wstring* choiceEntries(const ChoiceLists& lists, ChoiceList list, std::size_t& count) {
    switch (list) {
    case ChoiceList::Timer: count = lists.timer.size(); return lists.timer.data();
    case ChoiceList::IdTimer: count = lists.idTimer.size(); return lists.idTimer.data();
    case ChoiceList::CwSpeed: count = lists.cwSpeed.size(); return lists.cwSpeed.data();
    case ChoiceList::Delay: count = lists.delay.size(); return lists.delay.data();
    case ChoiceList::Dropout:
    case ChoiceList::CwMessage: break;
    }
    count = 0;
    return nullptr;
}

// A drop-down made from a choice list takes the entries up to the first empty
// one; the drop-out delay takes its eight items.
void fillFromChoices(const ProgramState& state, HWND box, int id) {
    const ValueSpec* value = editedValue(id);
    if (!value || !value->dropDown()) return;
    std::size_t count = 0;
    const std::wstring* entries = choiceEntries(state.choices, value->list, count);
    for (std::size_t i = 0; i < count && !entries[i].empty(); ++i) addListItem(box, entries[i]);
    if (value->list == ChoiceList::Dropout)
        for (int i = 0; i < kDropoutChoices; ++i) addListItem(box, widen(dropoutChoiceText(i)));
}

// The settings that follow a control's creation at once: colours, choices,
// and for the last option of a group the group's starting option.
void settleControl(ProgramState& state, HWND control, int id) {
    for (const ControlColourSpec& colour : kColours)
        if (colour.id == id) state.mainColours.set(id, colour.text, colour.background);
    fillFromChoices(state, control, id);
    for (const OptionGroup& group : kOptionGroups) {
        if (group.last != id) continue;
        // Each option of the group set once: the starting one checked (and
        // a tab stop), the others not (CheckRadioButton would walk every
        // control of the window for it).
        for (int option = group.first; option <= group.last; ++option)
            setButtonCheck(mainControl(state, option), option == group.selected);
        // The options of a band group stand for the band codes 1, 2, 3.
        if (group.band) bandFromCode(group.selected - group.first + 1, state.*group.band);
    }
}

void createControls(ProgramState& state) {
    HWND main = state.windows.main;
    for (const MainControlSpec& row : mainControlRows()) {
        const ControlSpec& def = row.spec;
        const std::wstring text = creationText(row, state.currentChannel);
        HWND control = createControl(main, def, fontFor(main, state.fonts, def.font), text.c_str());
        state.windows.mainControls[def.id] = control;
        settleControl(state, control, def.id);
    }
}

// ---- Handlers --------------------------------------------------------------

// A click on a frequency display swaps it and its "MHz" label for the empty,
// focused entry box. The display's other notifications (it also reports
// being enabled and disabled) are taken without effect.
bool OnFrequencyDisplay(ProgramState& state, int id, int code) {
    if (code != STN_CLICKED) return true;
    const FrequencyTrio* trio = frequencyTrioOf(id);
    HWND display = mainControl(state, trio->display);
    HWND entry = mainControl(state, trio->entry);
    EnableWindow(display, FALSE);
    ShowWindow(display, SW_HIDE);
    ShowWindow(mainControl(state, trio->mhz), SW_HIDE);
    ShowWindow(entry, SW_SHOW);
    EnableWindow(entry, TRUE);
    InvalidateRect(entry, nullptr, TRUE);
    UpdateWindow(entry);
    SetFocus(entry);
    SetWindowTextW(entry, L"");
    return true;
}

// Open and Save As, from the menu or the toolbar.
bool OnOpen(ProgramState& state, int, int) {
    openImageFile(state);
    return true;
}

bool OnSaveAs(ProgramState& state, int, int) {
    saveImageFileAs(state);
    return true;
}

// Help and About open only for a plain menu selection.
bool OnHelp(ProgramState& state, int, int code) {
    if (code != 0) return false;
    showHelpWindow(state);
    return true;
}

bool OnAbout(ProgramState& state, int, int code) {
    if (code != 0) return false;
    showAboutWindow(state);
    return true;
}

// The reference windows open for any notification code.
bool OnCtcssTable(ProgramState& state, int, int) {
    openCtcssTable(state);
    return true;
}

bool OnEpromMap(ProgramState& state, int, int) {
    showEpromMap(state);
    return true;
}

bool OnChannelBytesMap(ProgramState& state, int, int) {
    openChannelBytesMap(state);
    return true;
}

// WM_COMMAND routes: ids first..last go to the handler, which says whether
// it took the command.
using CommandHandler = bool (*)(ProgramState& state, int id, int code);

struct CommandRoute {
    int first;
    int last;
    CommandHandler handler;
};

const CommandRoute kCommandRoutes[] = {
    {ids::kOpen, ids::kOpen, OnOpen},
    {ids::kSaveAs, ids::kSaveAs, OnSaveAs},
    {ids::kExit, ids::kExit, OnExit},
    {ids::kHelp, ids::kHelp, OnHelp},
    {ids::kAbout, ids::kAbout, OnAbout},
    {ids::kCtcssTable, ids::kCtcssTable, OnCtcssTable},
    {ids::kEpromMap, ids::kEpromMap, OnEpromMap},
    {ids::kChannelBytesMap, ids::kChannelBytesMap, OnChannelBytesMap},
    {ids::kEditMessages, ids::kEditMessages, editMessagesCommand},
    {IDOK, IDOK, OnEnter},
    {IDCANCEL, IDCANCEL, OnCancel},
    {ids::kPreviousChannel, ids::kNextChannel, OnChannelStep},
    // Any id above 1700 and below 1730 is a transmit priority option.
    {ids::kPriorityFrame + 1, ids::kPriorityFrame + 29, OnPriorityOption},
    {ids::kRxBandVhf, ids::kRxBand800, OnBandOption},
    {ids::kTxBandVhf, ids::kTxBand800, OnBandOption},
    {ids::kRxFrequencyDisplay, ids::kRxFrequencyDisplay, OnFrequencyDisplay},
    {ids::kIdleFrequencyDisplay, ids::kIdleFrequencyDisplay, OnFrequencyDisplay},
    {ids::kTxFrequencyDisplay, ids::kTxFrequencyDisplay, OnFrequencyDisplay},
    {ids::kRxFrequencyEntry, ids::kRxFrequencyEntry, OnFrequencyEntry},
    {ids::kTxFrequencyEntry, ids::kTxFrequencyEntry, OnFrequencyEntry},
    {ids::kIdleFrequencyEntry, ids::kIdleFrequencyEntry, OnFrequencyEntry},
    {ids::kRxCarrier, ids::kRxDpl, OnCodeTypeOption},
    {ids::kTxCarrier, ids::kTxDpl, OnCodeTypeOption},
    {ids::kRxCodeList, ids::kRxCodeList, OnCodeList},
    {ids::kTxCodeList, ids::kTxCodeList, OnCodeList},
    // Every check box and drop-down that edits a value of the value table.
    {0, 0xFFFF, OnValueControl},
};

// A command no route takes ends in the unknown-command notice and is
// reported as not handled.
INT_PTR OnCommand(ProgramState& state, int id, int code, LPARAM param) {
    for (const CommandRoute& route : kCommandRoutes)
        if (id >= route.first && id <= route.last && route.handler(state, id, code)) return TRUE;
    showUnknownCommandNotice(id, param);
    return FALSE;
}

INT_PTR OnInitDialog(HWND main, LPARAM param) {
    auto* state = reinterpret_cast<ProgramState*>(param);
    SetWindowLongPtrW(main, DWLP_USER, param);
    state->windows.main = main;
    return FALSE;  // the controls do not exist yet; the focus is set when shown
}

INT_PTR OnCtlColor(ProgramState& state, HDC dc, HWND control) {
    return reinterpret_cast<INT_PTR>(state.mainColours.apply(dc, control));
}

// The controls stay where they are; the bars follow the window's edges.
void OnSize(ProgramState& state) {
    SendMessageW(state.windows.statusBar, WM_SIZE, 0, 0);
    SendMessageW(state.windows.toolbar, TB_AUTOSIZE, 0, 0);
    const RECT place = progressPlace(state);
    SetWindowPos(state.windows.progressBar, nullptr, place.left, place.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The close box ends the window, asking first when there are edits not saved.
void OnClose(ProgramState& state) {
    if (closeConfirmed(state)) endMainWindow(state, 0);
}

// Nothing outlives the main window: open modeless windows go with it.
void OnDestroy(ProgramState& state) {
    state.windows.modeless.destroyAll();
    if (state.windows.toolbarImages) ImageList_Destroy(state.windows.toolbarImages);
    state.windows = WindowHandles{};
    if (state.quitWhenMainEnds) PostQuitMessage(state.mainResult);
}

INT_PTR CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OnInitDialog(window, lParam);
    ProgramState* state = programStateOf(window);
    if (!state) return FALSE;
    switch (message) {
    case WM_COMMAND:
        return OnCommand(*state, LOWORD(wParam), HIWORD(wParam), lParam);
    case WM_NOTIFY:
        OnFirstNotification(*state);
        return FALSE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return OnCtlColor(*state, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SIZE:
        OnSize(*state);
        return FALSE;
    case WM_CLOSE:
        OnClose(*state);
        return TRUE;
    case WM_DESTROY:
        OnDestroy(*state);
        return FALSE;
    }
    return FALSE;
}

}  // namespace

HWND createMainWindow(ProgramState& state) {
    initCommonControls();
    HWND main = createModelessDialog(state.instance, kMainFrame, nullptr, MainWindowProc,
                                     reinterpret_cast<LPARAM>(&state));
    if (!main) return nullptr;
    setProgramIcon(main, state.instance);
    state.choices = buildChoiceLists();
    buildMenuBar(main);
    createStatusAndProgress(state);
    createToolbar(state);
    createControls(state);
    return main;
}

int runMainWindow(ProgramState& state) {
    HWND main = state.windows.main;
    state.quitWhenMainEnds = true;
    ShowWindow(main, SW_SHOW);
    SetFocus(GetNextDlgTabItem(main, nullptr, FALSE));
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
        if (got == -1) break;
        if (IsWindow(main) && IsDialogMessageW(main, &message)) continue;
        if (state.windows.modeless.dialogMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : 0;
}

ProgramState* programStateOf(HWND window) {
    if (!window) return nullptr;
    auto* state = reinterpret_cast<ProgramState*>(GetWindowLongPtrW(window, DWLP_USER));
    return state && state->windows.main == window ? state : nullptr;
}

}  // namespace quarnel::ui
