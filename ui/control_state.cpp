#include "ui/control_state.h"

#include "ui/text.h"

namespace quarnel::ui {

void setControlText(HWND control, const std::wstring& text) {
    if (windowText(control) != text) SetWindowTextW(control, text.c_str());
}

void setLabelTextUndrawn(HWND label, const std::wstring& text) {
    if (windowText(label) != text)
        DefWindowProcW(label, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void setButtonCheck(HWND button, bool checked) {
    const LRESULT wanted = checked ? BST_CHECKED : BST_UNCHECKED;
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(button, GWL_STYLE));
    const DWORD type = style & BS_TYPEMASK;
    const bool option = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
    const bool tabStopRight = !option || ((style & WS_TABSTOP) != 0) == checked;
    if (SendMessageW(button, BM_GETCHECK, 0, 0) == wanted && tabStopRight) return;
    if (!checked || type != BS_AUTORADIOBUTTON) {
        SendMessageW(button, BM_SETCHECK, static_cast<WPARAM>(wanted), 0);
        return;
    }
    const DWORD buttonStyle = LOWORD(style);
    SendMessageW(button, BM_SETSTYLE, (buttonStyle & ~BS_TYPEMASK) | BS_RADIOBUTTON, FALSE);
    SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(button, BM_SETSTYLE, buttonStyle, FALSE);
}

void selectItem(HWND box, std::optional<int> item) {
    const LRESULT wanted = item ? *item : CB_ERR;
    if (SendMessageW(box, CB_GETCURSEL, 0, 0) == wanted) return;
    SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(item ? *item : -1), 0);
}

bool holdsItems(HWND box, const std::vector<std::wstring>& items) {
    if (SendMessageW(box, CB_GETCOUNT, 0, 0) != static_cast<LRESULT>(items.size())) return false;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (!itemReads(box, i, items[i])) return false;
    return true;
}

bool itemReads(HWND box, std::size_t index, const std::wstring& text) {
    if (SendMessageW(box, CB_GETLBTEXTLEN, index, 0) != static_cast<LRESULT>(text.size())) return false;
    std::wstring read(text.size() + 1, L'\0');
    SendMessageW(box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(read.data()));
    read.resize(text.size());
    return read == text;
}

void setEnabled(HWND control, bool enabled) {
    if ((IsWindowEnabled(control) != FALSE) != enabled) EnableWindow(control, enabled ? TRUE : FALSE);
}

void setShown(HWND control, bool shown) {
    const bool now = (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
    if (now != shown) ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
}

DrawingHeld::DrawingHeld(HWND window, bool hold) {
    if (!hold || !window || (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) == 0) return;
    SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    window_ = window;
}

void DrawingHeld::release() {
    if (!window_) return;
    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    window_ = nullptr;
}

}  // namespace quarnel::ui
