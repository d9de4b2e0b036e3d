// Undo and redo of the changes to the image, across the kinds of edit, back
// to the bytes opened, with the close box asking exactly when the image
// differs from them.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/sample_image.h"
#include "tests/ui/harness.h"
#include "ui/cw_editor_ids.h"
#include "ui/edit_history.h"
#include "ui/keyboard.h"
#include "ui/main_window_ids.h"

namespace quarnel::test {
namespace {

namespace ids = ui::ids;
namespace cw = ui::ids::cw;
using Bytes = std::vector<std::uint8_t>;

TEST(EditHistoryDepth, KeepsTheLastHundredChanges) {
    ui::EditHistory history;
    Image image;
    for (int change = 1; change <= 105; ++change) {
        const ui::EditHistory::Command command(history, image);
        image[0] = static_cast<std::uint8_t>(change);
        history.noteChange(image);
    }
    EXPECT_EQ(history.undoSteps(), ui::EditHistory::kDepth);
    while (history.undo(image)) {
    }
    EXPECT_EQ(image[0], 5) << "the image before the 6th change";
    EXPECT_EQ(history.redoSteps(), ui::EditHistory::kDepth);
    image[1] = 1;
    history.noteChange(image);
    EXPECT_EQ(history.redoSteps(), 0u) << "a new change forgets what could be redone";
}

class Undo : public EditorTest {
protected:
    LRESULT command(int id, int code = BN_CLICKED) {
        return SendMessageW(window(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(item(id)));
    }
    void choose(int id, int position) {
        SendMessageW(item(id), CB_SETCURSEL, static_cast<WPARAM>(position), 0);
        command(id, CBN_SELENDOK);
    }
    void clickButton(int id) { SendMessageW(item(id), BM_CLICK, 0, 0); }
    void enterFrequency(int display, int entry, const wchar_t* digits) {
        click(item(display));
        SetWindowTextW(item(entry), digits);
        command(IDOK);
    }
    // The CW message editor, driven from inside its modal loop.
    void cwEditor(std::function<void(HWND)> act) {
        dialogs.expectDialog(std::move(act));
        command(ids::kEditMessages);
    }
    Bytes image() { return testing::eprom(state().image); }
    bool closeAsks() {
        dialogs.forget();
        dialogs.answerMessageBoxesWith(IDNO);
        SendMessageW(window(), WM_SYSCOMMAND, SC_CLOSE, 0);
        return !dialogs.messageBoxes().empty();
    }

    TempFolder folder_;
};

TEST_F(Undo, EveryKindOfEditUndoesAndRedoesBackToTheBytesOpened) {
    const std::wstring path = folder_.file(L"site.bin");
    writeFile(path, testing::eprom(testing::repeaterImage()));
    openFile(path);
    const Bytes opened = image();
    const std::wstring heldAtOpen = shownState(item(ids::kHoldCode));

    auto storeMessage = [](HWND dialog) {
        SetDlgItemTextW(dialog, cw::kFirstMessage, L"N0CALL");
        SetFocus(GetDlgItem(dialog, cw::kFirstMessage));
        SendMessageW(dialog, WM_COMMAND, IDOK, 0);  // Enter in the box: stores it
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cw::kCancel, BN_CLICKED), 0);
    };
    auto addId = [](HWND dialog) {
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cw::kAddId, BN_CLICKED), 0);
    };
    // Each edit, with what is no undo step around it.
    const std::function<void()> edits[] = {
        [&] { clickButton(ids::kHoldCode); },
        [&] { choose(ids::kLocalMicTimer, 5); },
        [&] { choose(ids::kCwSpeed, 7); },
        [&] {
            clickButton(ids::kRxBandVhf);  // a band change
            clickButton(ids::kRxBandUhf);
            enterFrequency(ids::kRxFrequencyDisplay, ids::kRxFrequencyEntry, L"4471250");
        },
        [&] { clickButton(ids::kTxDpl); },
        [&] { choose(ids::kTxCodeList, 10); },
        [&] {
            dialogs.answerMessageBoxesWith(IDOK);
            enterFrequency(ids::kTxFrequencyDisplay, ids::kTxFrequencyEntry, L"448854");  // refused
            clickButton(ids::kLocalHighest);
        },
        [&] { cwEditor(storeMessage); },
        [&] {
            command(ids::kNextChannel);  // a channel step
            command(ids::kPreviousChannel);
            cwEditor(addId);
        },
    };
    std::vector<Bytes> after;
    for (const auto& edit : edits) {
        const Bytes before = image();
        edit();
        ASSERT_NE(image(), before) << "edit " << after.size();
        after.push_back(image());
    }
    EXPECT_EQ(state().history.undoSteps(), after.size());

    for (std::size_t i = after.size(); i-- > 0;) {
        ASSERT_TRUE(ui::undoChange(state()));
        EXPECT_EQ(image(), i == 0 ? opened : after[i - 1]) << "undo to before edit " << i;
        EXPECT_EQ(state().modified, ui::kModified);
    }
    EXPECT_FALSE(ui::undoChange(state()));
    EXPECT_EQ(shownState(item(ids::kHoldCode)), heldAtOpen) << "the channel is shown again";

    while (ui::redoChange(state())) {
    }
    EXPECT_EQ(image(), after.back());
    EXPECT_TRUE(closeAsks()) << "the image differs from the file";
    ASSERT_TRUE(IsWindow(window())) << "answered No";
    while (ui::undoChange(state())) {
    }
    EXPECT_FALSE(closeAsks()) << "the image is as opened";
    EXPECT_FALSE(IsWindow(window()));
}

}  // namespace
}  // namespace quarnel::test
