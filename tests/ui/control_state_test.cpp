// Setting controls only where they change: the same end state as the plain
// Win32 calls, nothing sent when nothing changes, and an automatic option
// checked without its group being walked.
#include <windows.h>

#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/harness.h"
#include "ui/control_state.h"
#include "ui/dialog_builder.h"
#include "ui/text.h"

namespace quarnel::test {
namespace {

using K = ui::ControlKind;

INT_PTR CALLBACK PlainProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A small window: three automatic options of one group, a check box, a
// label and a drop-down, made as the editor makes its controls.
class ControlState : public ::testing::Test {
protected:
    void SetUp() override {
        const ui::DialogFrame frame{WS_POPUP | WS_CAPTION, 0, 200, 100, L"Controls"};
        window_ = ui::createModelessDialog(GetModuleHandleW(nullptr), frame, nullptr, PlainProc, 0);
        ASSERT_NE(window_, nullptr);
        const ui::ControlSpec controls[] = {
            {11, K::Option, L"One", 5, 5, 40, 10, ui::kGroup},
            {12, K::Option, L"Two", 5, 15, 40, 10},
            {13, K::Option, L"Three", 5, 25, 40, 10},
            {21, K::CheckBox, L"Check", 60, 5, 50, 10, ui::kGroup},
            {31, K::Label, L"Label", 60, 20, 50, 10},
            {41, K::DropDown, L"", 60, 35, 50, 60},
        };
        for (const ui::ControlSpec& control : controls) ui::createControl(window_, control, nullptr);
        for (const wchar_t* text : {L"alpha", L"beta", L"gamma"})
            SendMessageW(item(41), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        ShowWindow(window_, SW_SHOW);
        pumpMessages();
    }
    void TearDown() override {
        DestroyWindow(window_);
        pumpMessages();
    }

    HWND item(int id) const { return GetDlgItem(window_, id); }
    bool checked(int id) const { return SendMessageW(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    DWORD style(int id) const { return static_cast<DWORD>(GetWindowLongPtrW(item(id), GWL_STYLE)); }

    HWND window_ = nullptr;
};

TEST_F(ControlState, AnAutomaticOptionIsCheckedAloneAndStaysAutomatic) {
    SendMessageW(item(12), BM_SETCHECK, BST_CHECKED, 0);  // Wine clears 11 and 13 here
    ASSERT_TRUE(checked(12));

    ui::setButtonCheck(item(11), true);
    // The group is left to the caller: option 12 is still checked.
    EXPECT_TRUE(checked(11));
    EXPECT_TRUE(checked(12));
    EXPECT_EQ(style(11) & BS_TYPEMASK, static_cast<DWORD>(BS_AUTORADIOBUTTON));
    EXPECT_NE(style(11) & WS_TABSTOP, 0u);
    EXPECT_NE(style(11) & WS_GROUP, 0u) << "other style bits stay";

    ui::setButtonCheck(item(12), false);
    EXPECT_FALSE(checked(12));
    EXPECT_EQ(style(12) & WS_TABSTOP, 0u) << "an unchecked option is no tab stop";
}

// An unchecked option made with a tab stop loses it, though its check does
// not change: the main window's option groups start that way.
TEST_F(ControlState, AnUncheckedOptionLosesItsTabStop) {
    ASSERT_NE(style(13) & WS_TABSTOP, 0u);
    ASSERT_FALSE(checked(13));
    ui::setButtonCheck(item(13), false);
    EXPECT_EQ(style(13) & WS_TABSTOP, 0u);
    EXPECT_FALSE(checked(13));
}

TEST_F(ControlState, NothingIsSentWhenNothingChanges) {
    ui::setButtonCheck(item(21), true);
    ui::setButtonCheck(item(11), true);
    ui::setControlText(item(31), L"Label");
    ui::selectItem(item(41), 1);

    MessageCounter checks21(item(21), BM_SETCHECK);
    MessageCounter checks11(item(11), BM_SETCHECK);
    MessageCounter texts(item(31), WM_SETTEXT);
    MessageCounter selections(item(41), CB_SETCURSEL);
    MessageCounter enables(item(31), WM_ENABLE);
    MessageCounter shows(item(31), WM_SHOWWINDOW);
    ui::setButtonCheck(item(21), true);
    ui::setButtonCheck(item(11), true);
    ui::setControlText(item(31), L"Label");
    ui::selectItem(item(41), 1);
    ui::setEnabled(item(31), true);
    ui::setShown(item(31), true);
    EXPECT_EQ(checks21.count + checks11.count + texts.count + selections.count + enables.count +
                  shows.count,
              0);
}

TEST_F(ControlState, ChangesAreMadeAsThePlainCallsMakeThem) {
    ui::setButtonCheck(item(21), true);
    EXPECT_TRUE(checked(21));
    ui::setButtonCheck(item(21), false);
    EXPECT_FALSE(checked(21));

    ui::setControlText(item(31), L"448.8500");
    EXPECT_EQ(ui::windowText(item(31)), L"448.8500");

    const struct {
        std::optional<int> item;
        LRESULT selected;
    } selections[] = {{2, 2}, {0, 0}, {std::nullopt, CB_ERR}, {1, 1}};
    for (const auto& s : selections) {
        ui::selectItem(item(41), s.item);
        EXPECT_EQ(SendMessageW(item(41), CB_GETCURSEL, 0, 0), s.selected);
    }

    ui::setEnabled(item(31), false);
    EXPECT_FALSE(IsWindowEnabled(item(31)));
    ui::setShown(item(31), false);
    EXPECT_FALSE(IsWindowVisible(item(31)));
    ui::setShown(item(31), true);
    ui::setEnabled(item(31), true);
    EXPECT_TRUE(IsWindowVisible(item(31)) && IsWindowEnabled(item(31)));
}

// A label's text stored without the label's own handling (which draws it at
// once under Wine): the text reads back, the label never sees WM_SETTEXT.
TEST_F(ControlState, ALabelTextIsStoredWithoutTheLabelDrawingIt) {
    MessageCounter texts(item(31), WM_SETTEXT);
    ui::setLabelTextUndrawn(item(31), L"444.5000");
    EXPECT_EQ(ui::windowText(item(31)), L"444.5000");
    ui::setLabelTextUndrawn(item(31), L"");
    EXPECT_EQ(ui::windowText(item(31)), L"");
    EXPECT_EQ(texts.count, 0);
}

// Drawing held off and given back: a shown window is shown again, released
// early or at the end of the scope; a hidden one is never marked shown.
TEST_F(ControlState, DrawingHeldGivesBackOnlyWhatItTook) {
    const auto shown = [&] { return (GetWindowLongPtrW(window_, GWL_STYLE) & WS_VISIBLE) != 0; };
    const struct {
        bool shownBefore, hold, releaseEarly;
    } cases[] = {{true, true, false}, {true, true, true}, {true, false, false}, {false, true, false}};
    for (const auto& c : cases) {
        ShowWindow(window_, c.shownBefore ? SW_SHOW : SW_HIDE);
        {
            ui::DrawingHeld held(window_, c.hold);
            EXPECT_EQ(shown(), c.shownBefore && !c.hold) << &c - cases;
            if (c.releaseEarly) {
                held.release();
                EXPECT_TRUE(shown());
            }
        }
        EXPECT_EQ(shown(), c.shownBefore) << &c - cases;
        EXPECT_EQ(IsWindowVisible(item(31)) != FALSE, c.shownBefore) << &c - cases;
    }
}

TEST_F(ControlState, HoldsItemsComparesCountOrderAndText) {
    const struct {
        std::vector<std::wstring> items;
        bool holds;
    } cases[] = {
        {{L"alpha", L"beta", L"gamma"}, true},
        {{L"alpha", L"beta"}, false},
        {{L"alpha", L"gamma", L"beta"}, false},
        {{L"alpha", L"beta", L"gammb"}, false},
        {{L"alpha", L"beta", L"gamma "}, false},
        {{}, false},
    };
    for (const auto& c : cases) EXPECT_EQ(ui::holdsItems(item(41), c.items), c.holds);
    SendMessageW(item(41), CB_RESETCONTENT, 0, 0);
    EXPECT_TRUE(ui::holdsItems(item(41), {}));
}

}  // namespace
}  // namespace quarnel::test
