// The main window at work: frequency displays that turn into entry boxes,
// option groups, resizing, the toolbar with and without its pictures, the
// Help and About commands, ending the window and the program's message loop.
#include <windows.h>

#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/harness.h"
#include "ui/dialog_builder.h"
#include "ui/main_window.h"
#include "ui/main_window_ids.h"
#include "ui/text.h"

namespace quarnel::test {
namespace {

using ui::narrow;
namespace ids = ui::ids;

// What a user can see of every control, to compare before and after.
struct ControlState {
    std::wstring text;
    LRESULT check;
    LRESULT selection;
    bool visible;
    bool enabled;
    bool operator==(const ControlState& o) const {
        return text == o.text && check == o.check && selection == o.selection &&
               visible == o.visible && enabled == o.enabled;
    }
};

std::map<int, ControlState> snapshot(HWND window) {
    std::map<int, ControlState> controls;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        const bool combo = _wcsicmp(classOf(c).c_str(), L"ComboBox") == 0;
        const bool button = _wcsicmp(classOf(c).c_str(), L"Button") == 0;
        controls[GetDlgCtrlID(c)] = {ui::windowText(c), button ? SendMessageW(c, BM_GETCHECK, 0, 0) : 0,
                                     combo ? SendMessageW(c, CB_GETCURSEL, 0, 0) : 0,
                                     (GetWindowLongPtrW(c, GWL_STYLE) & WS_VISIBLE) != 0,
                                     IsWindowEnabled(c) != FALSE};
    }
    return controls;
}

bool visible(HWND control) { return (GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0; }

POINT centreOf(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// ---- Frequency displays ----------------------------------------------------------

struct DisplayCase {
    const char* name;
    ui::FrequencyTrio trio;
    COLORREF colour;
};

const DisplayCase kDisplays[] = {
    {"receive", {ids::kRxFrequencyDisplay, ids::kRxMhz, ids::kRxFrequencyEntry}, RGB(204, 255, 204)},
    {"transmit", {ids::kTxFrequencyDisplay, ids::kTxMhz, ids::kTxFrequencyEntry}, RGB(255, 204, 204)},
    {"idle", {ids::kIdleFrequencyDisplay, ids::kIdleMhz, ids::kIdleFrequencyEntry}, RGB(255, 255, 153)},
};

class FrequencyDisplay : public EditorTest {};

TEST_F(FrequencyDisplay, ClickShowsAnEmptyFocusedColouredEntryBoxInItsPlace) {
    for (const DisplayCase& c : kDisplays) {
        SCOPED_TRACE(c.name);
        editor_.reset();  // one main window at a time: the start-up notice disables all others
        editor_ = std::make_unique<Editor>();
        const auto before = snapshot(window());
        HWND display = item(c.trio.display);
        HWND entry = item(c.trio.entry);
        const RECT displayRect = rectInParent(display);

        click(display);

        EXPECT_FALSE(visible(display));
        EXPECT_FALSE(IsWindowEnabled(display));
        EXPECT_FALSE(visible(item(c.trio.mhz)));
        EXPECT_TRUE(IsWindowVisible(entry));
        EXPECT_TRUE(IsWindowEnabled(entry));
        EXPECT_EQ(GetFocus(), entry);
        EXPECT_EQ(ui::windowText(entry), L"");
        const POINT middle = centreOf(displayRect);
        const RECT entryRect = rectInParent(entry);
        EXPECT_TRUE(PtInRect(&entryRect, middle)) << "the entry box covers the display's place";

        const Colours colours = controlColours(entry, WM_CTLCOLOREDIT);
        ASSERT_NE(colours.brush, nullptr);
        EXPECT_EQ(colours.text, RGB(0, 0, 0));
        EXPECT_EQ(colours.background, c.colour);
        EXPECT_EQ(colours.brushColour, c.colour);

        // Nothing else changed.
        auto after = snapshot(window());
        auto expected = before;
        for (int id : {c.trio.display, c.trio.mhz, c.trio.entry}) {
            after.erase(id);
            expected.erase(id);
        }
        EXPECT_TRUE(after == expected);
        EXPECT_TRUE(dialogs.messageBoxes().empty());
    }
}

TEST_F(FrequencyDisplay, OtherNotificationsOfTheDisplayChangeNothing) {
    for (const DisplayCase& c : kDisplays) {
        SCOPED_TRACE(c.name);
        const auto before = snapshot(window());
        for (WORD code : {WORD(STN_DBLCLK), WORD(STN_ENABLE), WORD(STN_DISABLE)})
            SendMessageW(window(), WM_COMMAND, MAKEWPARAM(c.trio.display, code),
                         reinterpret_cast<LPARAM>(item(c.trio.display)));
        EXPECT_TRUE(snapshot(window()) == before);
    }
    EXPECT_TRUE(dialogs.messageBoxes().empty());
}

TEST_F(FrequencyDisplay, ControlsWithoutColoursOfTheirOwnGetTheDefault) {
    for (int id : {ids::kRxFrequencyDisplay, ids::kChannelTitle, ids::kRxPl, ids::kRxCodeList}) {
        const Colours colours = controlColours(item(id), WM_CTLCOLORSTATIC);
        EXPECT_EQ(colours.text, GetSysColor(COLOR_WINDOWTEXT)) << id;
        EXPECT_EQ(colours.brushColour, GetSysColor(COLOR_3DFACE)) << id;
    }
}

// ---- Tone and code lists ------------------------------------------------------------

class CodeLists : public EditorTest {};

TEST_F(CodeLists, FilledFromTheTablesForTheCodeTypeWithNoSelection) {
    struct Case {
        CodeType type;
        std::size_t count;
        const char* first;
        const char* last;
    } cases[] = {
        {CodeType::Pl, 42, "67.0 ", "254.1"},
        {CodeType::Dpl, 83, "023", "754"},
        {CodeType::Carrier, 0, nullptr, nullptr},
    };
    for (int id : {ids::kRxCodeList, ids::kTxCodeList}) {
        HWND box = item(id);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(id) + " type " + std::to_string(static_cast<int>(c.type)));
            SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"left over"));
            SendMessageW(box, CB_SETCURSEL, 0, 0);
            ui::fillCodeList(box, c.type);
            const std::vector<std::wstring> items = comboItems(box);
            ASSERT_EQ(items.size(), c.count);
            if (c.count) {
                EXPECT_EQ(narrow(items.front()), c.first);
                EXPECT_EQ(narrow(items.back()), c.last);
            }
            EXPECT_EQ(SendMessageW(box, CB_GETCURSEL, 0, 0), CB_ERR);
        }
    }
}

// A list is refilled when it does not hold the type's items as filled (other
// type, emptied, an item added, the last one changed), left alone when it does.
TEST_F(CodeLists, ShownAgainOnlyWhenTheyDoNotHoldTheItems) {
    using Change = void (*)(HWND);
    const Change none = [](HWND) {};
    const Change empty = [](HWND b) { SendMessageW(b, CB_RESETCONTENT, 0, 0); };
    const Change add = [](HWND b) { SendMessageW(b, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"250.3")); };
    const Change swapLast = [](HWND b) {
        SendMessageW(b, CB_DELETESTRING, 41, 0);
        SendMessageW(b, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"250.3"));
    };
    const struct {
        CodeType filled;
        Change change;
        CodeType shown;
        int refills;
    } cases[] = {{CodeType::Dpl, none, CodeType::Dpl, 0}, {CodeType::Pl, none, CodeType::Dpl, 1},
                 {CodeType::Dpl, empty, CodeType::Dpl, 1}, {CodeType::Pl, add, CodeType::Pl, 1},
                 {CodeType::Pl, swapLast, CodeType::Pl, 1}};
    HWND box = item(ids::kRxCodeList);
    for (const auto& c : cases) {
        ui::fillCodeList(box, c.filled);
        c.change(box);
        MessageCounter resets(box, CB_RESETCONTENT);
        ui::showCodeItems(box, c.shown);
        EXPECT_EQ(resets.count, c.refills) << &c - cases;
        const std::vector<std::wstring> items = comboItems(box);
        ASSERT_EQ(items.size(), c.shown == CodeType::Pl ? 42u : 83u) << &c - cases;
        EXPECT_EQ(narrow(items.back()), c.shown == CodeType::Pl ? "254.1" : "754") << &c - cases;
    }
}

// ---- Option groups ---------------------------------------------------------------

struct Group {
    int first;
    int last;
};

const Group kGroups[] = {{1112, 1114}, {1221, 1223}, {1104, 1106}, {1204, 1206},
                         {1711, 1714}, {1715, 1718}, {1719, 1722}};

class OptionGroups : public EditorTest {};

// The check state of every option and check box. (What else a click changes
// is the business of the option's own handler.)
std::map<int, LRESULT> checks(HWND window) {
    std::map<int, LRESULT> states;
    for (const auto& [id, control] : snapshot(window)) states[id] = control.check;
    return states;
}

TEST_F(OptionGroups, ClickingAnOptionClearsOnlyTheRestOfItsGroup) {
    for (const Group& group : kGroups) {
        for (int id = group.first; id <= group.last; ++id) {
            SCOPED_TRACE("option " + std::to_string(id));
            auto expected = checks(window());
            SendMessageW(item(id), BM_CLICK, 0, 0);
            for (int other = group.first; other <= group.last; ++other)
                expected[other] = other == id ? BST_CHECKED : BST_UNCHECKED;
            EXPECT_TRUE(checks(window()) == expected);
        }
    }
}

// ---- Resizing --------------------------------------------------------------------

class Resizing : public EditorTest {};

TEST_F(Resizing, ControlsStayWhereTheyAreAndTheBarsFollowTheEdges) {
    auto places = [this] {
        std::map<int, RECT> rects;
        for (HWND c = GetWindow(window(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
            const int id = GetDlgCtrlID(c);
            if (id != ids::kStatusBar && id != ids::kProgressBar && id != ids::kToolbar)
                rects[id] = rectInParent(c);
        }
        return rects;
    };
    const auto before = places();
    RECT frame;
    GetWindowRect(window(), &frame);
    for (int grow : {200, -120}) {
        SCOPED_TRACE(grow);
        SetWindowPos(window(), nullptr, 0, 0, frame.right - frame.left + grow,
                     frame.bottom - frame.top + grow, SWP_NOMOVE | SWP_NOZORDER);
        const auto after = places();
        ASSERT_EQ(after.size(), before.size());
        for (const auto& [id, rect] : before)
            EXPECT_TRUE(EqualRect(&rect, &after.at(id))) << "control " << id << " moved";

        RECT client;
        GetClientRect(window(), &client);
        const RECT status = rectInParent(item(ids::kStatusBar));
        EXPECT_EQ(status.bottom, client.bottom);
        EXPECT_EQ(status.right, client.right);
        EXPECT_EQ(rectInParent(item(ids::kToolbar)).right, client.right);
        RECT progress = dialogRect(window(), 220, 2, 130, 11);
        OffsetRect(&progress, status.left, status.top);
        const RECT got = rectInParent(item(ids::kProgressBar));
        EXPECT_TRUE(EqualRect(&got, &progress)) << "the progress bar stays over the status bar";
    }
}

// ---- Toolbar ---------------------------------------------------------------------

struct ToolbarCase {
    const char* name;
    bool openPicture;
    bool savePicture;
    int openImage;
    int saveImage;
    int images;
};

const ToolbarCase kToolbarCases[] = {
    {"both pictures", true, true, 0, 1, 2},
    {"no pictures", false, false, I_IMAGENONE, I_IMAGENONE, 0},
    {"only save.bmp", false, true, I_IMAGENONE, 0, 1},
};

TEST(Toolbar, TwoWorkingButtonsWhateverPicturesThereAre) {
    DialogDriver dialogs;
    for (const ToolbarCase& c : kToolbarCases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        if (c.openPicture)
            CopyFileW((picturesFolder() + L"\\open.bmp").c_str(), folder.file(L"open.bmp").c_str(), FALSE);
        if (c.savePicture)
            CopyFileW((picturesFolder() + L"\\save.bmp").c_str(), folder.file(L"save.bmp").c_str(), FALSE);
        WorkingDirectory here(folder.path());
        Editor editor;
        HWND toolbar = editor.item(ids::kToolbar);

        HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
        EXPECT_EQ(ImageList_GetImageCount(images), c.images);
        const int wantImage[] = {c.openImage, c.saveImage};
        const int command[] = {ids::kOpen, ids::kSaveAs};
        CommandLog log(editor.window());
        // Each button opens its file dialog, which is cancelled.
        dialogs.expectDialog(cancelDialog());
        dialogs.expectDialog(cancelDialog());
        for (int i = 0; i < 2; ++i) {
            TBBUTTON button{};
            SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
            EXPECT_EQ(button.iBitmap, wantImage[i]) << "button " << i;
            RECT place{};
            SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&place));
            EXPECT_GT(place.right - place.left, 0);
            clickAt(toolbar, centreOf(place));
        }
        ASSERT_EQ(log.entries.size(), 2u);
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(log.entries[static_cast<std::size_t>(i)].id, command[i]);
            EXPECT_EQ(log.entries[static_cast<std::size_t>(i)].code, 0);
        }
        EXPECT_EQ(dialogs.handlersLeft(), 0u);
        ASSERT_EQ(dialogs.fileDialogs().size(), 2u);
        EXPECT_EQ(dialogs.fileDialogs()[0].kind, ui::FileDialogKind::Open);
        EXPECT_EQ(dialogs.fileDialogs()[1].kind, ui::FileDialogKind::Save);
        dialogs.forget();
    }
    EXPECT_TRUE(dialogs.messageBoxes().empty()) << "a missing picture is not reported";
}

// ---- Help and About ----------------------------------------------------------------

struct Closing {
    const char* name;
    void (*close)(HWND window);
};

const Closing kClosings[] = {
    {"OK button", [](HWND w) { PostMessageW(GetDlgItem(w, IDOK), BM_CLICK, 0, 0); }},
    {"Enter", [](HWND w) { pressKey(w, VK_RETURN); }},
    {"Escape", [](HWND w) { pressKey(w, VK_ESCAPE); }},
    {"close box", [](HWND w) { PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
};

struct WindowCommand {
    int command;
    const char* caption;
};

const WindowCommand kWindows[] = {{ids::kAbout, "About Quarnel"}, {ids::kHelp, "Quarnel Help"}};

class HelpAndAbout : public EditorTest {};

TEST_F(HelpAndAbout, WindowIsModalAndEveryWayOfClosingItLeavesTheMainWindowAsItWas) {
    const std::int16_t modified = state().modified;
    for (const WindowCommand& w : kWindows) {
        for (const Closing& closing : kClosings) {
            SCOPED_TRACE(std::string(w.caption) + ", " + closing.name);
            const auto before = snapshot(window());
            std::string caption;
            bool mainEnabled = true;
            HWND owner = nullptr;
            HWND opened = nullptr;
            dialogs.expectDialog([&](HWND dialog) {
                opened = dialog;
                caption = narrow(ui::windowText(dialog));
                owner = GetWindow(dialog, GW_OWNER);
                mainEnabled = IsWindowEnabled(window()) != FALSE;
                closing.close(dialog);
            });
            editor_->menuCommand(w.command);
            EXPECT_EQ(dialogs.handlersLeft(), 0u) << "the window opened";
            EXPECT_EQ(caption, w.caption);
            EXPECT_EQ(owner, window());
            EXPECT_FALSE(mainEnabled) << "the main window takes no input meanwhile";
            EXPECT_FALSE(IsWindow(opened)) << "the window is closed when the command returns";
            EXPECT_TRUE(IsWindowEnabled(window()));
            EXPECT_TRUE(snapshot(window()) == before);
        }
    }
    EXPECT_EQ(state().modified, modified) << "neither window touches the program state";
    EXPECT_EQ(state().currentChannel, 0);
}

TEST_F(HelpAndAbout, OpenOnlyForAPlainMenuSelection) {
    for (const WindowCommand& w : kWindows) {
        SCOPED_TRACE(w.caption);
        editor_->menuCommand(w.command, 1);  // as an accelerator would send it
        pumpMessages();
        EXPECT_EQ(dialogs.unexpectedDialogs(), 0) << "no window opened";
    }
}

// ---- Ending ------------------------------------------------------------------------

INT_PTR CALLBACK plainDialog(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

HWND makeModeless(HWND owner, DLGPROC procedure) {
    const ui::DialogFrame frame{WS_POPUP | WS_CAPTION | WS_VISIBLE, 0, 80, 40, L"Reference"};
    return ui::createModelessDialog(GetModuleHandleW(nullptr), frame, owner, procedure, 0);
}

TEST(MainWindowEnd, CloseBoxEndsTheWindowAndTheModelessWindowsWithIt) {
    DialogDriver dialogs;
    Editor editor;
    HWND reference = makeModeless(nullptr, plainDialog);
    ASSERT_NE(reference, nullptr);
    editor.state().windows.modeless.add(reference);

    SendMessageW(editor.window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(editor.window()));
    EXPECT_FALSE(IsWindow(reference));
    EXPECT_EQ(editor.state().windows.main, nullptr);
    EXPECT_TRUE(dialogs.messageBoxes().empty()) << "nothing is asked";
}

// The program's loop, run for real on a main window that was never shown:
// the loop shows it. The loop runs until something ends the window.
class MainWindowRun : public ::testing::Test {
protected:
    void SetUp() override {
        main_ = ui::createMainWindow(state_);
        ASSERT_NE(main_, nullptr);
        running_ = &state_;
    }
    void TearDown() override { running_ = nullptr; }

    static ui::ProgramState* running_;  // for the timer and window procedures below
    DialogDriver dialogs;
    ui::ProgramState state_{GetModuleHandleW(nullptr)};
    HWND main_ = nullptr;
};

ui::ProgramState* MainWindowRun::running_ = nullptr;

TEST_F(MainWindowRun, LoopReturnsTheResultTheWindowEndedWith) {
    SetTimer(nullptr, 0, 0, [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        ui::endMainWindow(*running_, 7);
    });
    EXPECT_EQ(ui::runMainWindow(state_), 7);
    EXPECT_FALSE(IsWindow(main_));
    MSG left;
    EXPECT_FALSE(PeekMessageW(&left, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE)) << "no quit left behind";
}

// A modeless window served by the loop gets the dialog keys: Enter in it
// arrives as its OK command, which here ends the program.
TEST_F(MainWindowRun, LoopServesModelessWindowsAsDialogs) {
    HWND reference = makeModeless(nullptr, [](HWND, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
        if (message == WM_INITDIALOG) return TRUE;
        if (message != WM_COMMAND || LOWORD(wParam) != IDOK) return FALSE;
        ui::endMainWindow(*running_, 3);
        return TRUE;
    });
    ASSERT_NE(reference, nullptr);
    state_.windows.modeless.add(reference);
    PostMessageW(reference, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(ui::runMainWindow(state_), 3);
    EXPECT_FALSE(IsWindow(reference)) << "gone with the main window";
}

TEST_F(MainWindowRun, CloseBoxEndsTheLoopWithResultZero) {
    PostMessageW(main_, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(ui::runMainWindow(state_), 0);
    EXPECT_FALSE(IsWindow(main_));
}

}  // namespace
}  // namespace quarnel::test
