#include "bench/windows/dialog_answers.h"

#include "tests/support/dialog_windows.h"

#include <algorithm>
#include <utility>

namespace quarnel::bench {

namespace {

DialogAnswers* g_answers = nullptr;

constexpr UINT kRetryMilliseconds = 2;
constexpr int kMaxRetries = 2000;        // about four seconds for a dialog to get its controls

using testing::isMessageBox;
using testing::kMessageBoxTextId;
using testing::kFileNameField;

std::wstring classOf(HWND window) {
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

// A modal window disables the other windows of its thread.
bool isModal(HWND dialog) { return testing::otherWindowDisabled(dialog); }

void press(HWND dialog, int button) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

// The first push button of a message box: OK, or Yes.
int firstButton(HWND box) {
    for (int button : {IDOK, IDYES, IDRETRY, IDABORT, IDCANCEL})
        if (GetDlgItem(box, button)) return button;
    return IDCANCEL;
}

}  // namespace

std::wstring textOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}

DialogAnswers::DialogAnswers() {
    g_answers = this;
    hook_ = SetWindowsHookExW(WH_CBT, hook, nullptr, GetCurrentThreadId());
}

DialogAnswers::~DialogAnswers() {
    if (hook_) UnhookWindowsHookEx(hook_);
    g_answers = nullptr;
}

void DialogAnswers::onWindow(const std::wstring& caption, Action action) {
    if (action)
        windowActions_[caption] = std::move(action);
    else
        windowActions_.erase(caption);
}

std::vector<std::wstring> DialogAnswers::takeMessageBoxes() { return std::exchange(boxes_, {}); }

std::vector<std::wstring> DialogAnswers::takeUnexpected() { return std::exchange(unexpected_, {}); }

LRESULT CALLBACK DialogAnswers::hook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && g_answers) {
        HWND window = reinterpret_cast<HWND>(wParam);
        if (classOf(window) == L"#32770") g_answers->later(window, 0);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void DialogAnswers::later(HWND dialog, UINT milliseconds) {
    if (std::find(pending_.begin(), pending_.end(), dialog) == pending_.end())
        pending_.push_back(dialog);
    SetTimer(nullptr, 0, milliseconds, onTimer);
}

void CALLBACK DialogAnswers::onTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (!g_answers) return;
    const std::vector<HWND> pending = std::exchange(g_answers->pending_, {});
    for (HWND dialog : pending)
        if (IsWindow(dialog)) g_answers->look(dialog);
}

void DialogAnswers::look(HWND dialog) {
    if (isMessageBox(dialog)) {
        boxes_.push_back(textOf(GetDlgItem(dialog, kMessageBoxTextId)));
        press(dialog, firstButton(dialog));
        return;
    }
    if (fileAction_ && GetDlgItem(dialog, kFileNameField)) {
        retries_.erase(dialog);
        std::exchange(fileAction_, {})(dialog);
        return;
    }
    const auto window = windowActions_.find(textOf(dialog));
    if (window != windowActions_.end() && isModal(dialog)) {
        window->second(dialog);
        return;
    }
    if (!isModal(dialog)) return;  // the main window or a reference window
    // A file dialog is activated before its controls exist: look again soon.
    if (fileAction_ && ++retries_[dialog] < kMaxRetries) {
        later(dialog, kRetryMilliseconds);
        return;
    }
    retries_.erase(dialog);
    unexpected_.push_back(textOf(dialog));
    press(dialog, IDCANCEL);
}

void chooseFile(HWND dialog, const std::wstring& path) {
    // The name field is a ComboBoxEx whose combo box and edit field share its
    // id; the dialog reads the edit field.
    HWND field = GetDlgItem(dialog, kFileNameField);
    SetWindowTextW(field, path.c_str());
    for (HWND child = FindWindowExW(field, nullptr, nullptr, nullptr); child;
         child = FindWindowExW(child, nullptr, nullptr, nullptr))
        SetWindowTextW(child, path.c_str());
    press(dialog, IDOK);
}

}  // namespace quarnel::bench
