// The CW message editor: its window, Enter in a message box, "&Save",
// "Add ID", the ways out, and the model's warnings and refusals as the
// editor shows them.
#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/channel_view.h"
#include "model/cw_messages.h"
#include "model/layout.h"
#include "model/notice.h"
#include "tests/support/sample_image.h"
#include "tests/ui/harness.h"
#include "ui/cw_editor_ids.h"
#include "ui/editor_notices.h"
#include "ui/main_window_ids.h"
#include "ui/text.h"
#include "model/text_forms.h"

namespace quarnel::test {
namespace {

using ui::narrow;
using ui::widen;
namespace ids = ui::ids;
namespace cw = ui::ids::cw;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kCwIdAddr = 0x2030;
constexpr std::size_t kCwStart = kCwIdAddr & 0x07FF;
constexpr int kNotDisplayed = -7;  // a channel no display writes: marks "not redisplayed"

// A sample codeplug whose CW area is `count` full slots of 21 bytes, so it
// counts `count` messages and the last slot has room for 20 bytes.
quarnel::testing::SampleLayout layoutFor(int count, std::uint8_t modes = 4) {
    quarnel::testing::SampleLayout layout;
    layout.modes = modes;
    layout.cwIdAddr = kCwIdAddr;
    layout.cwEnd = static_cast<std::uint16_t>(kCwIdAddr + 21 * count);
    layout.rfAddress = layout.cwEnd;
    return layout;
}

Bytes encoded(const std::string& text) {
    NullNotices quiet;
    return encodeMessage(text, quiet).bytes;
}

Bytes slotBytes(const Image& image, int k, std::size_t n) {
    const auto first = image.bytes.begin() + static_cast<long>(kCwStart + 21 * k);
    return Bytes(first, first + static_cast<long>(n));
}

unsigned cwEnd(const Image& image) { return readField(image, Field::CwEnd); }

// Dispatches what waits for this thread the way the editor's modal loop
// does, so posted keys reach IsDialogMessage.
void pumpDialog(HWND dialog) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (IsWindow(dialog) && IsDialogMessageW(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void type(HWND dialog, int k, const std::wstring& text) {
    SetDlgItemTextW(dialog, cw::kFirstMessage + k, text.c_str());
}

std::wstring boxText(HWND dialog, int k) {
    return ui::windowText(GetDlgItem(dialog, cw::kFirstMessage + k));
}

// The user presses a key with the focus in control `id`.
void keyIn(HWND dialog, int id, WPARAM key) {
    SetFocus(GetDlgItem(dialog, id));
    pressKey(dialog, key);
    pumpDialog(dialog);
}

void clickButton(HWND dialog, int id) {
    SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
    pumpDialog(dialog);
}

// Whether the editor still runs. The driver may reach it before its loop
// first shows it, so visibility says nothing; but the main window stays
// disabled from the start of the loop until EndDialog gives it back.
bool open(HWND dialog) {
    return IsWindow(dialog) && !IsWindowEnabled(GetWindow(dialog, GW_OWNER));
}

std::vector<int> messageBoxIds(HWND dialog) {
    std::vector<int> found;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(c);
        if (id >= cw::kFirstMessage && id < cw::kAddNote) found.push_back(id);
    }
    return found;
}

std::string tooLong(int k, int bytes) {
    return "message" + signedDecimal(k) + " is " + signedDecimal(bytes) +
           " bytes long. Codeplug may now be corrupt. Better abort and reload codeplug!";
}

class CwEditorWindow : public EditorTest {
protected:
    // A codeplug just opened and saved: channel 1 shown, the CW area counted.
    // `slots` are written raw into the message slots.
    void load(const quarnel::testing::SampleLayout& layout, const std::vector<Bytes>& slots = {}) {
        ui::ProgramState& s = state();
        s.image = quarnel::testing::sampleImage(layout);
        for (std::size_t k = 0; k < slots.size(); ++k)
            for (std::size_t i = 0; i < slots[k].size(); ++i) s.image[kCwStart + 21 * k + i] = slots[k][i];
        s.currentChannel = 1;
        s.displayed = displayChannel(s.image, {1, s.rxBand, s.txBand});
        s.modified = ui::kSaved;
        before_ = s.image;
    }
    void loadTexts(const std::vector<std::string>& texts) {
        std::vector<Bytes> slots;
        for (const std::string& text : texts) slots.push_back(encoded(text));
        load(layoutFor(static_cast<int>(texts.size())), slots);
    }

    // Marks the kept display, so that a redisplay shows.
    void markDisplay() { state().displayed.channel = kNotDisplayed; }
    bool redisplayed() { return state().displayed.channel == state().currentChannel; }

    // Opens the editor as the "Edit Messages" button does and runs `drive`
    // inside it; returns once it is closed. A window `drive` leaves open is
    // cancelled.
    void openEditor(std::function<void(HWND)> drive) {
        dialogs.expectDialog([drive](HWND dialog) {
            drive(dialog);
            if (open(dialog)) PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(cw::kCancel, BN_CLICKED), 0);
        });
        SendMessageW(item(ids::kEditMessages), BM_CLICK, 0, 0);
        EXPECT_EQ(dialogs.handlersLeft(), 0u) << "the editor did not open";
    }

    std::wstring status() { return statusText(state().windows.statusBar, 0); }
    bool imageUnchanged() { return quarnel::testing::eprom(state().image) == quarnel::testing::eprom(before_); }

    Image before_;
};

// ---- The window ----------------------------------------------------------------

enum class Kind { Button, DefaultButton, Label };

struct FixedControl {
    int id;
    Kind kind;
    const char* text;  // nullptr: checked elsewhere
    int x, y, w, h;
};

const FixedControl kFixed[] = {
    {cw::kAddId, Kind::Button, "Add ID", 190, 14, 30, 14},
    {cw::kAddNote, Kind::Label,
     "Clicking the Add button will exit this window and add an ID. Click Edit button again to add "
     "text.",
     150, 30, 120, 90},
    {cw::kAreaLength, Kind::Label, nullptr, 150, 130, 120, 10},
    {cw::kLengthLine, Kind::Label, "", 150, 140, 120, 10},
    {cw::kCancel, Kind::Button, "&Cancel", 150, 150, 30, 15},
    {IDOK, Kind::DefaultButton, "&Save", 190, 150, 30, 15},
};

DWORD styleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)); }

TEST_F(CwEditorWindow, MatchesItsTable) {
    loadTexts({"W1AW", "", "K1ABC/R", "TEST 2"});
    openEditor([this](HWND dialog) {
        EXPECT_EQ(narrow(ui::windowText(dialog)), "CW Messages");
        EXPECT_NE(styleOf(dialog) & WS_POPUP, 0u);
        expectFixedWindowFrame(dialog, 300, 200);
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), window());
        EXPECT_FALSE(IsWindowEnabled(window())) << "modal over the main window";

        // The fixed controls first, in the table's order, then one box per message.
        std::vector<HWND> children;
        for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
        ASSERT_EQ(children.size(), std::size(kFixed) + 4);
        for (std::size_t i = 0; i < std::size(kFixed); ++i) {
            const FixedControl& want = kFixed[i];
            HWND control = children[i];
            SCOPED_TRACE(want.id);
            EXPECT_EQ(GetDlgCtrlID(control), want.id);
            if (want.text) {
                EXPECT_EQ(narrow(ui::windowText(control)), want.text);
            }
            const DWORD controlStyle = styleOf(control);
            if (want.kind == Kind::Label) {
                EXPECT_EQ(_wcsicmp(classOf(control).c_str(), L"Static"), 0);
                EXPECT_EQ(controlStyle & SS_TYPEMASK, static_cast<DWORD>(SS_LEFT)) << "left, wrapping";
            } else {
                EXPECT_EQ(_wcsicmp(classOf(control).c_str(), L"Button"), 0);
                EXPECT_NE(controlStyle & WS_TABSTOP, 0u);
                EXPECT_EQ(controlStyle & BS_TYPEMASK, static_cast<DWORD>(want.kind == Kind::DefaultButton
                                                                              ? BS_DEFPUSHBUTTON
                                                                              : BS_PUSHBUTTON));
            }
            EXPECT_EQ(narrow(fontOf(control).face), "Arial");
            EXPECT_EQ(fontOf(control).points, 10);
            expectPlace(dialog, control, want.x, want.y, want.w, want.h);
        }
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, cw::kAddId)));
        EXPECT_EQ(narrow(ui::windowText(GetDlgItem(dialog, cw::kAreaLength))),
                  "eprom ID length:  84 bytes");
        EXPECT_EQ(LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0)), IDOK);

        const char* texts[] = {"W1AW", "", "K1ABC/R", "TEST 2"};
        for (int k = 0; k < 4; ++k) {
            SCOPED_TRACE(k);
            HWND box = children[std::size(kFixed) + static_cast<std::size_t>(k)];
            EXPECT_EQ(GetDlgCtrlID(box), cw::kFirstMessage + k);
            EXPECT_EQ(_wcsicmp(classOf(box).c_str(), L"Edit"), 0);
            EXPECT_EQ(narrow(ui::windowText(box)), texts[k]);
            const DWORD boxStyle = styleOf(box);
            EXPECT_NE(boxStyle & ES_UPPERCASE, 0u);
            EXPECT_NE(boxStyle & WS_TABSTOP, 0u);
            EXPECT_EQ(boxStyle & (WS_BORDER | ES_AUTOHSCROLL | ES_MULTILINE), 0u);
            EXPECT_EQ(fontOf(box).points, 10);
            expectPlace(dialog, box, 20, 14 + 10 * k, 100, 10);
        }
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, cw::kFirstMessage)) << "ready to type message 0";

        // Typing gives capitals.
        HWND first = GetDlgItem(dialog, cw::kFirstMessage);
        SendMessageW(first, EM_SETSEL, 0, -1);
        for (wchar_t c : std::wstring(L"cq/3")) SendMessageW(first, WM_CHAR, c, 1);
        EXPECT_EQ(ui::windowText(first), L"CQ/3");
    });
    EXPECT_TRUE(imageUnchanged());
}

TEST_F(CwEditorWindow, ColoursAlternateByMessageAndMarkTheAddNote) {
    loadTexts({"A", "B", "C", "D", "E"});
    openEditor([](HWND dialog) {
        struct Case {
            int id;
            UINT message;
            COLORREF background;
        } cases[] = {
            {cw::kFirstMessage + 0, WM_CTLCOLOREDIT, RGB(204, 204, 204)},
            {cw::kFirstMessage + 1, WM_CTLCOLOREDIT, RGB(255, 255, 204)},
            {cw::kFirstMessage + 2, WM_CTLCOLOREDIT, RGB(204, 204, 204)},
            {cw::kFirstMessage + 3, WM_CTLCOLOREDIT, RGB(255, 255, 204)},
            {cw::kFirstMessage + 4, WM_CTLCOLOREDIT, RGB(204, 204, 204)},
            {cw::kAddNote, WM_CTLCOLORSTATIC, RGB(255, 204, 204)},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.id);
            const Colours colours = controlColours(GetDlgItem(dialog, c.id), c.message);
            ASSERT_NE(colours.brush, nullptr);
            EXPECT_EQ(colours.background, c.background);
            EXPECT_EQ(colours.brushColour, c.background);
            EXPECT_EQ(colours.text, GetSysColor(COLOR_WINDOWTEXT));
        }
        for (int id : {cw::kAreaLength, cw::kLengthLine})
            EXPECT_EQ(controlColours(GetDlgItem(dialog, id), WM_CTLCOLORSTATIC).background,
                      GetSysColor(COLOR_3DFACE))
                << id << " keeps the window's colours";
    });
}

TEST_F(CwEditorWindow, OnlyAPlainClickOfEditMessagesOpensIt) {
    loadTexts({"W1AW"});
    for (WORD code : {WORD(BN_SETFOCUS), WORD(BN_KILLFOCUS), WORD(BN_DOUBLECLICKED)})
        editor_->menuCommand(ids::kEditMessages, code);  // a window opened here fails the test
    dialogs.expectDialog([](HWND dialog) {
        EXPECT_EQ(narrow(ui::windowText(dialog)), "CW Messages");
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(cw::kCancel, BN_CLICKED), 0);
    });
    editor_->menuCommand(ids::kEditMessages, BN_CLICKED);
    EXPECT_EQ(dialogs.handlersLeft(), 0u);
}

// ---- Storing -------------------------------------------------------------------

TEST_F(CwEditorWindow, CountZeroShowsNoBoxesAndSaveStillRedisplaysAndMarksModified) {
    load(layoutFor(0));
    markDisplay();
    openEditor([](HWND dialog) {
        EXPECT_TRUE(messageBoxIds(dialog).empty());
        EXPECT_EQ(narrow(ui::windowText(GetDlgItem(dialog, cw::kAreaLength))),
                  "eprom ID length:  0 bytes");
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, cw::kCancel));
        clickButton(dialog, IDOK);
        EXPECT_FALSE(open(dialog));
    });
    EXPECT_TRUE(imageUnchanged());
    EXPECT_TRUE(redisplayed());
    EXPECT_EQ(state().modified, ui::kModified);
    EXPECT_TRUE(state().unsavedEdits) << "the close box must ask after a store";
    // The redisplay finds the empty area (span -1) and says so, as every
    // display of such an image does.
    EXPECT_EQ(dialogs.messageBoxTexts(), std::vector<std::wstring>{L"CW address error"});
}

TEST_F(CwEditorWindow, EnterInBox3005StoresMessage2OnlyAndStaysOpen) {
    loadTexts({"AAA", "BBB", "CCC"});
    markDisplay();
    const Bytes sos = encoded("SOS");
    openEditor([&](HWND dialog) {
        type(dialog, 0, L"NEW");
        type(dialog, 2, L"SOS");
        keyIn(dialog, cw::kFirstMessage + 2, VK_RETURN);
        EXPECT_TRUE(open(dialog));
        EXPECT_EQ(narrow(ui::windowText(GetDlgItem(dialog, cw::kLengthLine))),
                  "ID is" + signedDecimal(static_cast<long long>(sos.size())) + " bytes long");
        EXPECT_EQ(state().modified, ui::kModified);
        EXPECT_TRUE(redisplayed());
        EXPECT_EQ(slotBytes(state().image, 2, sos.size()), sos);
        clickButton(dialog, cw::kCancel);
        EXPECT_FALSE(open(dialog));
    });
    // Only message 2's bytes changed; the text typed into box 3003 was not stored.
    Image expected = before_;
    for (std::size_t i = 0; i < sos.size(); ++i) expected[kCwStart + 42 + i] = sos[i];
    EXPECT_EQ(quarnel::testing::eprom(state().image), quarnel::testing::eprom(expected));
    EXPECT_EQ(decodeMessage(state().image, 0), "AAA");
    EXPECT_EQ(dialogs.messageBoxTexts(), std::vector<std::wstring>{});
}

TEST_F(CwEditorWindow, SaveStoresEveryMessageAndGrowsTheAreaForTheLastOne) {
    // Message 0 holds "E" in a form the encoder does not write (a leading
    // empty pair): storing it again shows in its bytes.
    const std::string zeros(16, '0');  // 16 x 12 bits: 24 bytes and the 0x00
    load(layoutFor(3), {{0x10, 0x00}, encoded("BBB"), encoded("CCC")});
    markDisplay();
    const unsigned end = cwEnd(state().image);
    openEditor([&](HWND dialog) {
        EXPECT_EQ(boxText(dialog, 0), L"E");
        type(dialog, 1, L"CQ");
        type(dialog, 2, widen(zeros));
        clickButton(dialog, IDOK);
        EXPECT_FALSE(open(dialog));
    });
    const Image& image = state().image;
    EXPECT_EQ(slotBytes(image, 0, 2), (Bytes{0x40, 0x00})) << "the unchanged message is stored too";
    const Bytes cq = encoded("CQ");
    EXPECT_EQ(slotBytes(image, 1, cq.size()), cq);
    EXPECT_EQ(slotBytes(image, 2, 25), encoded(zeros)) << "the last message is stored whole";
    // The last slot had room for 20 bytes before its 0x00; it needed 24.
    EXPECT_EQ(cwEnd(image), end + 4);
    EXPECT_EQ(readField(image, Field::RfAddress), readField(before_, Field::RfAddress) + 4);
    EXPECT_EQ(dialogs.messageBoxTexts(), (std::vector<std::wstring>{widen(tooLong(2, 25))}));
    EXPECT_TRUE(redisplayed());
    EXPECT_EQ(state().displayed.header.cw.span, 62 + 4) << "counted again";
    EXPECT_EQ(state().modified, ui::kModified);
}

TEST_F(CwEditorWindow, AnOverlongEarlierMessageWarnsAndLeavesTheNextOneAlone) {
    const std::string zeros(16, '0');
    loadTexts({"AAA", "TEST"});
    openEditor([&](HWND dialog) {
        type(dialog, 0, widen(zeros));
        keyIn(dialog, cw::kFirstMessage, VK_RETURN);
        EXPECT_EQ(narrow(ui::windowText(GetDlgItem(dialog, cw::kLengthLine))), "ID is 25 bytes long");
        EXPECT_TRUE(open(dialog));
    });
    EXPECT_EQ(dialogs.messageBoxTexts(), (std::vector<std::wstring>{widen(tooLong(0, 25))}));
    EXPECT_EQ(decodeMessage(state().image, 1), "TEST");
    const std::string kept = decodeMessage(state().image, 0);
    EXPECT_FALSE(kept.empty());
    EXPECT_EQ(zeros.rfind(kept, 0), 0u) << "message 0 keeps a beginning of the text: " << kept;
}

TEST_F(CwEditorWindow, UnknownCharactersAreDroppedWithTheStatusBarNotice) {
    loadTexts({"W1AW"});
    EXPECT_NE(status(), L"Unknown characters ignored!");
    openEditor([&](HWND dialog) {
        type(dialog, 0, L"W1AW-R?");
        keyIn(dialog, cw::kFirstMessage, VK_RETURN);
        EXPECT_EQ(status(), L"Unknown characters ignored!");
    });
    EXPECT_EQ(decodeMessage(state().image, 0), "W1AWR");
    EXPECT_EQ(dialogs.messageBoxTexts(), std::vector<std::wstring>{});
}

TEST_F(CwEditorWindow, MoreThanSeventeenMessagesShowTheFirstSeventeenAndKeepTheRest) {
    std::vector<std::string> texts;
    for (int k = 0; k < 20; ++k) texts.push_back("M" + std::to_string(k));
    loadTexts(texts);
    openEditor([](HWND dialog) {
        const std::vector<int> ids = messageBoxIds(dialog);
        ASSERT_EQ(ids.size(), 17u);
        EXPECT_EQ(ids.back(), cw::kFirstMessage + 16);
        for (int k = 0; k < 17; ++k) type(dialog, k, L"X" + std::to_wstring(k));
        clickButton(dialog, IDOK);
        EXPECT_FALSE(open(dialog));
    });
    for (int k = 0; k < 20; ++k)
        EXPECT_EQ(decodeMessage(state().image, k), (k < 17 ? "X" : "M") + std::to_string(k)) << k;
    // Messages 15 and 16 lie past message 14.
    EXPECT_EQ(dialogs.messageBoxTexts(), (std::vector<std::wstring>(2, L"need to look for overflow here")));
}

// ---- Adding ----------------------------------------------------------------------

TEST_F(CwEditorWindow, AddIdGrowsTheAreaRedisplaysAndCloses) {
    struct Case {
        int count;
        unsigned growth;
    } cases[] = {{0, 2}, {1, 21}, {13, 21}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.count);
        editor_ = std::make_unique<Editor>();
        load(layoutFor(c.count));
        markDisplay();
        openEditor([](HWND dialog) {
            clickButton(dialog, cw::kAddId);
            EXPECT_FALSE(open(dialog));
        });
        EXPECT_EQ(cwEnd(state().image), cwEnd(before_) + c.growth);
        EXPECT_TRUE(redisplayed());
        EXPECT_EQ(state().displayed.header.cw.count, c.count + 1);
        EXPECT_EQ(state().modified, ui::kModified);
        EXPECT_EQ(dialogs.messageBoxTexts(), std::vector<std::wstring>{});

        // Opened again: one more box, the new one empty.
        openEditor([&](HWND dialog) {
            EXPECT_EQ(messageBoxIds(dialog).size(), static_cast<std::size_t>(c.count + 1));
            EXPECT_EQ(boxText(dialog, c.count), L"");
            EXPECT_EQ(IsWindowEnabled(GetDlgItem(dialog, cw::kAddId)) != FALSE, c.count + 1 != 14);
        });
    }
}

TEST_F(CwEditorWindow, AddIdAtFourteenOrMoreIsRefusedSilently) {
    for (int count : {14, 15}) {
        SCOPED_TRACE(count);
        editor_ = std::make_unique<Editor>();
        load(layoutFor(count));
        openEditor([count](HWND dialog) {
            EXPECT_EQ(IsWindowEnabled(GetDlgItem(dialog, cw::kAddId)) != FALSE, count != 14);
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cw::kAddId, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, cw::kAddId)));
            EXPECT_TRUE(open(dialog));
        });
        EXPECT_TRUE(imageUnchanged());
        EXPECT_EQ(state().modified, ui::kSaved);
        EXPECT_EQ(dialogs.messageBoxTexts(), std::vector<std::wstring>{});
    }
}

// ---- Refusals ------------------------------------------------------------------

// 182 records of 22 bytes from offset 005B fill the EPROM: the CW area cannot grow.
TEST_F(CwEditorWindow, RefusalsAreShownAsTheModelWordsThemAndNothingIsWritten) {
    const std::string zeros(16, '0');
    enum class Action { Enter, Save, AddId };
    struct Case {
        const char* name;
        Action action;
    } cases[] = {{"Enter", Action::Enter}, {"Save", Action::Save}, {"Add ID", Action::AddId}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        editor_ = std::make_unique<Editor>();
        load(layoutFor(2, 182), {encoded("AAA"), encoded("BBB")});
        ASSERT_EQ(state().displayed.header.cw.count, 2);

        Image copy = state().image;
        RecordedNotices notices;
        const std::string refusal =
            c.action == Action::AddId
                ? addMessage(copy, state().displayed.header.cw, notices).refusal
                : storeMessage(copy, state().displayed.header.cw, 0, zeros, notices).refusal;
        ASSERT_FALSE(refusal.empty());

        openEditor([&](HWND dialog) {
            type(dialog, 0, widen(zeros));
            type(dialog, 1, L"CQ");
            if (c.action == Action::Enter) keyIn(dialog, cw::kFirstMessage, VK_RETURN);
            if (c.action == Action::Save) clickButton(dialog, IDOK);
            if (c.action == Action::AddId) clickButton(dialog, cw::kAddId);
            EXPECT_TRUE(open(dialog)) << "the typed texts are still there to mend";
            EXPECT_EQ(boxText(dialog, 0), widen(zeros));
            EXPECT_EQ(boxText(dialog, 1), L"CQ");
        });
        ASSERT_EQ(dialogs.messageBoxes().size(), 1u);
        const SeenMessageBox& box = dialogs.messageBoxes()[0];
        EXPECT_EQ(narrow(box.text), refusal);
        EXPECT_EQ(box.style, ui::kModelBoxStyle);
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_FALSE(box.ownCaption);
        EXPECT_TRUE(imageUnchanged());
        dialogs.forget();
    }
}

// ---- Notifications and the ways out ---------------------------------------------------

TEST_F(CwEditorWindow, NotificationsShowTheNoticeButButtonDrawingDoesNot) {
    loadTexts({"W1AW"});
    openEditor([](HWND dialog) {
        HWND save = GetDlgItem(dialog, IDOK);
        NMHDR drawing{save, IDOK, static_cast<UINT>(NM_CUSTOMDRAW)};
        NMHDR hover{save, IDOK, BCN_HOTITEMCHANGE};
        NMHDR click{save, IDOK, static_cast<UINT>(NM_CLICK)};
        for (NMHDR* header : {&drawing, &hover, &click})
            SendMessageW(dialog, WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
        EXPECT_TRUE(open(dialog));
    });
    ASSERT_EQ(dialogs.messageBoxTexts(), (std::vector<std::wstring>{L"notify from cwedit"}));
    EXPECT_EQ(dialogs.messageBoxes()[0].style, ui::kModelBoxStyle);
    EXPECT_EQ(dialogs.messageBoxes()[0].owner, nullptr);
}

TEST_F(CwEditorWindow, CancelAndTheCloseBoxStoreNothingAndEscapeKeepsItOpen) {
    using End = std::function<void(HWND)>;
    struct Case {
        const char* name;
        End end;
    } cases[] = {
        {"Cancel", [](HWND dialog) { clickButton(dialog, cw::kCancel); }},
        {"close box", [](HWND dialog) {
             SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
             pumpDialog(dialog);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        editor_ = std::make_unique<Editor>();
        loadTexts({"AAA", "BBB"});
        markDisplay();
        openEditor([&](HWND dialog) {
            type(dialog, 0, L"CQ");
            keyIn(dialog, cw::kFirstMessage + 1, VK_ESCAPE);
            EXPECT_TRUE(open(dialog));
            c.end(dialog);
            EXPECT_FALSE(open(dialog));
        });
        EXPECT_TRUE(imageUnchanged());
        EXPECT_FALSE(redisplayed());
        EXPECT_EQ(state().modified, ui::kSaved);
    }
}

}  // namespace
}  // namespace quarnel::test
