// The keyboard shortcuts, pressed in the main window and in a reference
// window, through the accelerator table of the program's loop.
#include <windows.h>

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/sample_image.h"
#include "tests/ui/harness.h"
#include "ui/keyboard.h"
#include "ui/main_window_ids.h"
#include "ui/text.h"

namespace quarnel::test {
namespace {

namespace ids = ui::ids;

class Keyboard : public EditorTest {
protected:
    // The key pressed (with Ctrl held when `control`) in `window`, and the
    // messages served as the program's loop serves them.
    void press(HWND window, WPARAM key, bool control) {
        BYTE keys[256];
        GetKeyboardState(keys);
        const BYTE before = keys[VK_CONTROL];
        keys[VK_CONTROL] = control ? 0x80 : 0;
        SetKeyboardState(keys);
        pressKey(window, key);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (shortcuts_.translate(state(), message)) continue;
            if (state().windows.modeless.dialogMessage(message)) continue;
            if (IsDialogMessageW(window, &message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        keys[VK_CONTROL] = before;
        SetKeyboardState(keys);
    }

    ui::KeyboardShortcuts shortcuts_;
    TempFolder folder_;
    WorkingDirectory here_{folder_.path()};
};

TEST_F(Keyboard, EachShortcutSendsItsCommandFromTheMainAndAReferenceWindow) {
    const std::wstring path = folder_.file(L"site.bin");
    writeFile(path, testing::eprom(testing::repeaterImage()));
    dialogs.expectDialog(chooseFile(path));
    press(window(), 'O', true);
    ASSERT_EQ(state().currentChannel, 1) << "Ctrl+O opens";

    const auto held = [&] { return shownState(item(ids::kHoldCode)); };
    const std::wstring unchecked = held();
    SendMessageW(item(ids::kHoldCode), BM_CLICK, 0, 0);
    const std::wstring checked = held();
    editor_->menuCommand(ids::kEpromMap);
    HWND map = state().windows.epromMap;
    ASSERT_NE(map, nullptr);

    struct Case {
        const char* name;
        WPARAM key;
        bool control;
        std::function<bool()> done;
    } cases[] = {
        {"Ctrl+Z undoes", 'Z', true, [&] { return held() == unchecked && !state().unsavedEdits(); }},
        {"Ctrl+Y redoes", 'Y', true, [&] { return held() == checked && state().unsavedEdits(); }},
        {"Page Down steps on", VK_NEXT, false, [&] { return state().currentChannel == 2; }},
        {"Page Up steps back", VK_PRIOR, false, [&] { return state().currentChannel == 1; }},
        {"Z alone is no shortcut", 'Z', false, [&] { return held() == checked; }},
    };
    for (HWND where : {window(), map}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (where == map ? " in the EPROM map" : ""));
            if (where == map) SetFocus(map);
            press(where, c.key, c.control);
            EXPECT_TRUE(c.done());
        }
    }

    dialogs.expectDialog(chooseFile(folder_.file(L"saved.bin")));
    press(map, 'S', true);
    EXPECT_EQ(readFile(folder_.file(L"saved.bin")), testing::eprom(state().image)) << "Ctrl+S saves as";
    EXPECT_EQ(dialogs.handlersLeft(), 0u);
    EXPECT_TRUE(dialogs.messageBoxes().empty());
}

}  // namespace
}  // namespace quarnel::test
