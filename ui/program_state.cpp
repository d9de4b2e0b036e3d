#include "ui/program_state.h"

#include <algorithm>

#include "model/layout.h"
#include "model/notice.h"
#include "ui/text.h"

namespace quarnel::ui {

namespace {

std::wstring number(long long value) { return widen(signedDecimal(value)); }

}  // namespace

ChoiceLists buildChoiceLists() {
    ChoiceLists lists;
    lists.timer[0] = L"None";
    lists.idTimer[0] = L"ALL TX";
    lists.cwSpeed[0] = L"<1";
    lists.cwSpeed[33] = L">32";
    for (int i = 1; i <= 31; ++i) {
        lists.timer[static_cast<std::size_t>(i)] = number(timeoutItemSeconds(i));
        lists.idTimer[static_cast<std::size_t>(i)] = number(i);
    }
    for (int i = 1; i <= 32; ++i) lists.cwSpeed[static_cast<std::size_t>(i)] = number(i);
    for (int i = 0; i < kDelayItems; ++i) lists.delay[static_cast<std::size_t>(i)] = number(delayItemMilliseconds(i));
    return lists;
}

void ModelessWindows::add(HWND window) {
    if (std::find(windows_.begin(), windows_.end(), window) == windows_.end())
        windows_.push_back(window);
}

void ModelessWindows::remove(HWND window) {
    windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
}

bool ModelessWindows::dialogMessage(MSG& message) const {
    for (HWND window : windows_) {
        if (message.hwnd != window && !IsChild(window, message.hwnd)) continue;
        return IsDialogMessageW(window, &message) != FALSE;
    }
    return false;
}

void ModelessWindows::destroyAll() {
    // Destroying a window may unregister it: work on a copy.
    const std::vector<HWND> open = windows_;
    for (HWND window : open)
        if (IsWindow(window)) DestroyWindow(window);
    windows_.clear();
}

ProgramState::ProgramState(HINSTANCE instance_) : instance(instance_) {}

}  // namespace quarnel::ui
