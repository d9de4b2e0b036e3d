#include "ui/program_state.h"

#include <algorithm>

#include "model/choices.h"
#include "ui/text.h"

namespace quarnel::ui {

ChoiceLists buildChoiceLists() {
    ChoiceLists lists;
    for (int i = 0; i < kTimerChoices; ++i) lists.timer[static_cast<std::size_t>(i)] = widen(timerChoiceText(i));
    for (int i = 0; i < kIdTimerChoices; ++i)
        lists.idTimer[static_cast<std::size_t>(i)] = widen(idTimerChoiceText(i));
    for (int i = 0; i < kCwSpeedChoices; ++i)
        lists.cwSpeed[static_cast<std::size_t>(i)] = widen(cwSpeedChoiceText(i));
    for (int i = 0; i < kDelayChoices; ++i) lists.delay[static_cast<std::size_t>(i)] = widen(delayChoiceText(i));
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
