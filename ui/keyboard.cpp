#include "ui/keyboard.h"

#include <iterator>

#include "ui/main_window_ids.h"

namespace quarnel::ui {

namespace {

ACCEL kShortcuts[] = {
    {FCONTROL | FVIRTKEY, 'O', ids::kOpen},
    {FCONTROL | FVIRTKEY, 'S', ids::kSaveAs},
    {FCONTROL | FVIRTKEY, 'Z', ids::kUndo},
    {FCONTROL | FVIRTKEY, 'Y', ids::kRedo},
    {FVIRTKEY, VK_PRIOR, ids::kPreviousChannel},
    {FVIRTKEY, VK_NEXT, ids::kNextChannel},
};

bool isPageKey(const MSG& message) {
    return (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) &&
           (message.wParam == VK_PRIOR || message.wParam == VK_NEXT);
}

// A drop-down of the window with its list open takes the page keys itself.
bool dropDownOpen(HWND focus) {
    if (!focus) return false;
    wchar_t name[16] = {};
    GetClassNameW(focus, name, static_cast<int>(std::size(name)));
    return lstrcmpiW(name, L"ComboBox") == 0 && SendMessageW(focus, CB_GETDROPPEDSTATE, 0, 0);
}

}  // namespace

KeyboardShortcuts::KeyboardShortcuts()
    : table_(CreateAcceleratorTableW(kShortcuts, static_cast<int>(std::size(kShortcuts)))) {}

KeyboardShortcuts::~KeyboardShortcuts() {
    if (table_) DestroyAcceleratorTable(table_);
}

bool KeyboardShortcuts::translate(const ProgramState& state, MSG& message) const {
    HWND main = state.windows.main;
    if (!table_ || !main || !IsWindowEnabled(main)) return false;
    if (isPageKey(message) && dropDownOpen(GetFocus())) return false;
    return TranslateAcceleratorW(main, table_, &message) != 0;
}

}  // namespace quarnel::ui
