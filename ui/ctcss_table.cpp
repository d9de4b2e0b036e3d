#include "ui/ctcss_table.h"

#include <commctrl.h>

#include <iterator>
#include <memory>
#include <string>

#include "model/tones.h"
#include "ui/ctcss_table_ids.h"
#include "ui/dialog_builder.h"
#include "ui/reference_window.h"
#include "ui/text.h"

namespace quarnel::ui {

namespace {

// ---- The layout (pixels) -----------------------------------------------

// The template's size is replaced by the pixel size below once it exists.
constexpr DialogFrame kFrame{WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0, 100, 100, L"CTCSS Codes"};

constexpr int kClientWidth = 420;
constexpr int kClientHeight = 430;
constexpr int kFromRightEdge = 436;  // the window's left edge, from the screen's right edge
constexpr int kTop = 50;
constexpr RECT kListPlace{10, 10, 10 + 400, 10 + 410};

constexpr COLORREF kListText = RGB(0, 0, 0);
constexpr COLORREF kListBackground = RGB(204, 204, 204);

// What a column shows in row r (1 to 21): nothing, or entry firstEntry + r - 1
// of the tone table or of the PL code table.
enum class Content { Empty, Tone, Code };

struct Column {
    const wchar_t* header;
    int width;
    int format;
    Content content;
    int firstEntry;
};

constexpr int kRows = kToneCount / 2;

const Column kColumns[] = {
    {L"", 1, LVCFMT_LEFT, Content::Empty, 0},
    {L"Frequency", 81, LVCFMT_CENTER, Content::Tone, 1},
    {L"Code", 60, LVCFMT_CENTER, Content::Code, 1},
    {L"", 1, LVCFMT_RIGHT, Content::Empty, 0},
    {L"", 1, LVCFMT_RIGHT, Content::Empty, 0},
    {L"", 90, LVCFMT_RIGHT, Content::Empty, 0},  // the gap between the halves
    {L"", 1, LVCFMT_LEFT, Content::Empty, 0},
    {L"Frequency", 81, LVCFMT_CENTER, Content::Tone, kRows + 1},
    {L"Code", 60, LVCFMT_CENTER, Content::Code, kRows + 1},
};

// The cell text: the table entry as stored, trailing blanks included.
std::wstring cellText(const Column& column, int row) {
    const int entry = column.firstEntry + row - 1;
    switch (column.content) {
    case Content::Empty: return L"";
    case Content::Tone: return widen(toneText(entry));
    case Content::Code: return widen(plCodeName(entry));
    }
    return L"";
}

// ---- Building ------------------------------------------------------------

// The client area at its pixel size, the window's left edge kFromRightEdge
// pixels from the right edge of the screen.
void placeWindow(HWND window) {
    RECT client, frame;
    GetClientRect(window, &client);
    GetWindowRect(window, &frame);
    const int width = (frame.right - frame.left) - client.right + kClientWidth;
    const int height = (frame.bottom - frame.top) - client.bottom + kClientHeight;
    SetWindowPos(window, nullptr, GetSystemMetrics(SM_CXSCREEN) - kFromRightEdge, kTop, width,
                 height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void addColumns(HWND list) {
    for (std::size_t c = 0; c < std::size(kColumns); ++c) {
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.fmt = kColumns[c].format;
        column.cx = kColumns[c].width;
        column.pszText = const_cast<wchar_t*>(kColumns[c].header);
        SendMessageW(list, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
}

void addRows(HWND list) {
    for (int row = 1; row <= kRows; ++row) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = row - 1;
        item.pszText = const_cast<wchar_t*>(L"");
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    for (int row = 1; row <= kRows; ++row) {
        for (std::size_t c = 1; c < std::size(kColumns); ++c) {
            if (kColumns[c].content == Content::Empty) continue;
            std::wstring text = cellText(kColumns[c], row);
            LVITEMW item{};
            item.iSubItem = static_cast<int>(c);
            item.pszText = text.data();
            SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row - 1),
                         reinterpret_cast<LPARAM>(&item));
        }
    }
}

void createList(HWND window, const ReferenceWindow& data) {
    HWND list = CreateWindowExW(
        0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS,
        kListPlace.left, kListPlace.top, kListPlace.right - kListPlace.left,
        kListPlace.bottom - kListPlace.top, window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ids::ctcss::kList)), data.state.instance,
        nullptr);
    SendMessageW(list, WM_SETFONT, SendMessageW(window, WM_GETFONT, 0, 0), FALSE);
    SendMessageW(list, LVM_SETBKCOLOR, 0, kListBackground);
    SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, kListBackground);
    SendMessageW(list, LVM_SETTEXTCOLOR, 0, kListText);
    addColumns(list);
    addRows(list);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, LVS_EX_GRIDLINES);
}

// ---- Handlers --------------------------------------------------------------

INT_PTR OnInitDialog(HWND window, LPARAM param) {
    attachReferenceWindow(window, param);
    placeWindow(window);
    createList(window, *reinterpret_cast<ReferenceWindow*>(param));
    return FALSE;
}

// The table answers nothing of its own.
INT_PTR CALLBACK CtcssTableProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OnInitDialog(window, lParam);
    return OnReferenceWindowMessage(window, message, wParam, lParam);
}

}  // namespace

HWND openCtcssTable(ProgramState& state) {
    return openReferenceWindow(std::make_unique<ReferenceWindow>(state), kFrame, CtcssTableProc);
}

}  // namespace quarnel::ui
