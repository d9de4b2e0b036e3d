// The reference windows and the program's one message loop: the loop gives
// them their dialog keys, and none of them outlives the main window.
#include <windows.h>

#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/reference_fixture.h"
#include "ui/main_window.h"

namespace quarnel::test {
namespace {

const int kEveryKind[] = {kCtcssCommand, kCtcssCommand, kEpromMapCommand, kChannelBytesCommand};

std::vector<HWND> openEveryKind(HWND main, const ui::ProgramState& state) {
    for (int command : kEveryKind) SendMessageW(main, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    EXPECT_EQ(state.windows.modeless.all().size(), std::size(kEveryKind));
    return state.windows.modeless.all();
}

TEST(ReferenceWindowsEnd, ClosingTheMainWindowDestroysThemAll) {
    DialogDriver dialogs;
    Editor editor;
    const std::vector<HWND> open = openEveryKind(editor.window(), editor.state());

    SendMessageW(editor.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    for (HWND window : open) EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(editor.state().windows.modeless.all().empty());
    EXPECT_EQ(editor.state().windows.epromMap, nullptr);
    EXPECT_TRUE(dialogs.messageBoxes().empty());
}

// For the timer below, which runs inside the program's loop.
HWND g_main = nullptr;

// Closes the main window once it is usable: the key posted before the loop
// started has been handled by then (posted messages come before timers),
// and a box it raised has been answered (the main window is disabled while
// a task-modal box is up).
void CALLBACK closeMainWhenUsable(HWND, UINT, UINT_PTR id, DWORD) {
    if (!IsWindowEnabled(g_main)) return;
    KillTimer(nullptr, id);
    PostMessageW(g_main, WM_SYSCOMMAND, SC_CLOSE, 0);
}

// Escape pressed in the EPROM map reaches it as a command through the
// program's loop; the close box of the main window then ends the loop and
// every reference window with it.
TEST(ReferenceWindowsEnd, ProgramLoopServesThemAndEndsWithTheMainWindow) {
    DialogDriver dialogs;
    ui::ProgramState state{GetModuleHandleW(nullptr)};
    HWND main = ui::createMainWindow(state);
    ASSERT_NE(main, nullptr);
    const std::vector<HWND> open = openEveryKind(main, state);
    // Every window shown and activated before the box comes up, so that the
    // dialog driver has looked at them all while nothing is disabled.
    ShowWindow(main, SW_SHOW);
    pumpMessages();
    PostMessageW(state.windows.epromMap, WM_KEYDOWN, VK_ESCAPE, 1);

    g_main = main;
    SetTimer(nullptr, 0, 1, closeMainWhenUsable);
    EXPECT_EQ(ui::runMainWindow(state), 0);

    // The first-step notice comes with the first notifications at start-up.
    EXPECT_EQ(dialogs.messageBoxTexts(),
              (std::vector<std::wstring>{L"You must start by opening an existing binary image file to edit",
                                         L"command from eprom"}));
    EXPECT_FALSE(IsWindow(main));
    for (HWND window : open) EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(state.windows.modeless.all().empty());
}

}  // namespace
}  // namespace quarnel::test
