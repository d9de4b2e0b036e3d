#include "bench/windows/wine_floor.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/dialog_builder.h"

namespace quarnel::bench {

namespace {

constexpr int kProgressId = 99;

INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// Every message waiting, handled as a dialog's loop handles it.
void pump(HWND dialog) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (IsDialogMessageW(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

double timedPump(HWND dialog, void (*action)(HWND, HWND), HWND control) {
    pump(dialog);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    pump(dialog);
    const double start = seconds();
    action(dialog, control);
    pump(dialog);
    return seconds() - start;
}

// A shown dialog of `width` x `height` dialog units with no controls yet.
HWND plainDialog(const wchar_t* caption, short width, short height) {
    const ui::DialogFrame frame{WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, width, height, caption, 20, 20};
    HWND dialog = ui::createModelessDialog(GetModuleHandleW(nullptr), frame, nullptr, PlainDialogProc, 0);
    ShowWindow(dialog, SW_SHOW);
    pump(dialog);
    return dialog;
}

HWND addControl(HWND dialog, const wchar_t* windowClass, const wchar_t* text, DWORD style, int x,
                int y, int w, int h, int id) {
    RECT r{x, y, x + w, y + h};
    MapDialogRect(dialog, &r);
    HWND control = CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                   r.right - r.left, r.bottom - r.top, dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
    return control;
}

// 110 controls in the proportions of the main window: labels, check boxes,
// option buttons in groups of four, frames and drop-downs with items.
// Returns the first option button.
HWND fillLikeTheMainWindow(HWND dialog) {
    int id = 100;
    HWND firstOption = nullptr;
    for (int i = 0; i < 40; ++i)
        addControl(dialog, L"STATIC", L"Label text", SS_LEFT, 5 + (i % 4) * 95, 5 + (i / 4) * 11, 90, 10, id++);
    for (int i = 0; i < 30; ++i)
        addControl(dialog, L"BUTTON", L"Check box", BS_AUTOCHECKBOX | WS_TABSTOP, 5 + (i % 5) * 78,
                   120 + (i / 5) * 11, 75, 10, id++);
    for (int i = 0; i < 24; ++i) {
        const DWORD group = i % 4 == 0 ? WS_GROUP | WS_TABSTOP : 0;
        HWND option = addControl(dialog, L"BUTTON", L"Option", BS_AUTORADIOBUTTON | group,
                                 5 + (i % 6) * 65, 190 + (i / 6) * 11, 60, 10, id++);
        if (!firstOption) firstOption = option;
    }
    for (int i = 0; i < 8; ++i)
        addControl(dialog, L"BUTTON", L"Frame", BS_GROUPBOX | WS_GROUP, 5 + (i % 4) * 98,
                   236 + (i / 4) * 14, 95, 13, id++);
    for (int i = 0; i < 8; ++i) {
        HWND box = addControl(dialog, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
                              5 + (i % 4) * 98, 266 + (i / 4) * 14, 60, 100, id++);
        for (int item = 0; item < 30; ++item)
            SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(item).c_str()));
        SendMessageW(box, CB_SETCURSEL, 3, 0);
    }
    return firstOption;
}

void redrawAll(HWND dialog, HWND) {
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void redrawAllNow(HWND dialog, HWND) {
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void clickOption(HWND, HWND option) {
    RECT r;
    GetClientRect(option, &r);
    const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
    PostMessageW(option, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(option, WM_LBUTTONUP, 0, at);
}

// What Open and Save As do to their progress bar: 4096 steps with its
// drawing off, then one drawing.
void stepProgressBar(HWND, HWND bar) {
    SendMessageW(bar, PBM_SETPOS, 0, 0);
    SendMessageW(bar, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < 4096; ++i) SendMessageW(bar, PBM_STEPIT, 0, 0);
    SendMessageW(bar, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void changeLabel(HWND, HWND label) {
    static int turn = 0;
    SetWindowTextW(label, ++turn % 2 ? L"448.8625" : L"448.8500");
}

}  // namespace

void measureWineFloor(Figures& figures, int (*repetitions)(int n)) {
    const INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    HWND dialog = plainDialog(L"Floor", 400, 300);
    HWND firstOption = fillLikeTheMainWindow(dialog);
    pump(dialog);

    // One request to the Wine server: GetPropW asks it every time.
    for (int batch = 0; batch < repetitions(50); ++batch) {
        const double start = seconds();
        for (int i = 0; i < 100; ++i) GetPropW(dialog, L"QuarnelFloor");
        figures.add("wine/server_round_trip", (seconds() - start) / 100);
    }
    HWND label = GetDlgItem(dialog, 100);
    for (int i = 0; i < repetitions(200); ++i)
        figures.add("wine/label_text_change_drawn", timedPump(dialog, changeLabel, label));
    for (int i = 0; i < repetitions(60); ++i)
        figures.add("wine/redraw_window_of_110_controls", timedPump(dialog, redrawAll, nullptr));
    HWND secondOption = GetWindow(firstOption, GW_HWNDNEXT);
    for (int i = 0; i < repetitions(200); ++i)
        figures.add("wine/option_click_among_110_controls",
                    timedPump(dialog, clickOption, i % 2 ? firstOption : secondOption));
    HWND bar = addControl(dialog, PROGRESS_CLASSW, L"", 0, 5, 290, 390, 8, kProgressId);
    SendMessageW(bar, PBM_SETRANGE32, 1, 4096);
    SendMessageW(bar, PBM_SETSTEP, 1, 0);
    for (int i = 0; i < repetitions(20); ++i)
        figures.add("wine/progress_bar_4096_steps", timedPump(dialog, stepProgressBar, bar));
    DestroyWindow(dialog);

    // The EPROM map's share: 16 + 256 + 16 + 256 labels and 16 lines.
    HWND map = plainDialog(L"Floor map", 410, 300);
    int id = 100;
    for (int row = 0; row < 17; ++row)
        for (int column = 0; column < 17; ++column) {
            addControl(map, L"STATIC", L"5A", SS_CENTER | SS_CENTERIMAGE, 3 + column * 23, 11 + row * 17, 22, 10, id++);
            if (row > 0 && column > 0)
                addControl(map, L"STATIC", L"cw", SS_CENTER, 3 + column * 23, 3 + row * 17, 22, 8, id++);
        }
    for (int row = 0; row < 16; ++row)
        addControl(map, L"STATIC", L"", SS_ETCHEDFRAME, 23, 38 + row * 17, 367, 1, id++);
    pump(map);
    for (int i = 0; i < repetitions(30); ++i)
        figures.add("wine/redraw_window_of_561_labels", timedPump(map, redrawAllNow, nullptr));
    DestroyWindow(map);
    pump(map);
}

}  // namespace quarnel::bench
