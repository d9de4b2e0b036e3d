// What the UI tests and the Windows benchmark both need to tell the windows
// that come up apart: message boxes, common file dialogs, and modal windows.
// Windows only; header-only so that the native trees never build it.
#pragma once

#include <windows.h>

#include <cwchar>

namespace quarnel::testing {

constexpr int kMessageBoxTextId = 0xFFFF;  // the static that holds a message box's text
constexpr int kFileNameField = 0x47C;      // cmb13, the file name of the common file dialogs

inline bool isFileDialog(HWND dialog) { return GetDlgItem(dialog, kFileNameField) != nullptr; }

inline bool isMessageBox(HWND dialog) {
    HWND text = GetDlgItem(dialog, kMessageBoxTextId);
    if (!text) return false;
    wchar_t name[16] = L"";
    GetClassNameW(text, name, 16);
    return _wcsicmp(name, L"Static") == 0;
}

// A modal window disables the other windows of its thread.
inline bool otherWindowDisabled(HWND dialog) {
    struct Search {
        HWND dialog;
        bool found;
    } search{dialog, false};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (window != s->dialog && IsWindowVisible(window) && !IsWindowEnabled(window)) {
                s->found = true;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace quarnel::testing
