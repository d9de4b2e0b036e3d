// The About and Help windows: frame, picture, texts, fonts and places,
// checked against their tables written out again here.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/harness.h"
#include "ui/main_window_ids.h"
#include "ui/text.h"

namespace quarnel::test {
namespace {

using ui::narrow;

enum Align { Left, Right, Centre };

struct TextRow {
    const char* text;  // nullptr: the implementer's text, checked for presence only
    int x, y, w, h;
    Align align;
    bool sunken;
    int points;
    bool textStartsOnly = false;  // the implementer's text follows `text`
};

struct WindowSpec {
    int command;
    const char* caption;
    int width, height;
    std::vector<TextRow> labels;  // in creation order, after the picture
    RECT ok;                      // x, y, w, h of "OK"
};

const WindowSpec kAbout{
    ui::ids::kAbout,
    "About Quarnel",
    350,
    150,
    {
        {"Version 1.01 September 8th, 2013", 50, 6, 145, 10, Left, false, 10},
        {nullptr, 196, 6, 150, 12, Right, false, 11},
        {"Codeplug information was derived through experimentation with help of code plug image "
         "files provided by fellow hams. I could use some VHF and 800/900 samples.",
         50, 25, 230, 35, Left, false, 10},
        {"Please test the code plug, errors may exist.", 50, 55, 250, 15, Left, false, 10},
        {"This is free software with no implied warranties.", 50, 72, 250, 15, Left, false, 12},
        {"Feedback can be sent to ", 90, 130, 235, 10, Right, false, 10, true},
        {"Thanks for code plug samples and testing go to:", 16, 90, 110, 25, Centre, false, 11},
        {nullptr, 16, 115, 35, 10, Centre, false, 10},
        {nullptr, 16, 125, 35, 10, Centre, false, 10},
        {nullptr, 75, 115, 35, 10, Centre, false, 10},
        {nullptr, 75, 125, 35, 10, Centre, false, 10},
        {nullptr, 16, 135, 35, 10, Centre, false, 10},
        {nullptr, 75, 135, 35, 10, Centre, false, 10},
    },
    {150, 95, 50, 20},
};

const WindowSpec kHelp{
    ui::ids::kHelp,
    "Quarnel Help",
    380,
    250,
    {
        {"This program will not create a code plug from scratch. There are many hardware options "
         "which have not been identified in the code plug. You should open a copy of your existing "
         "code plug to modify. Using a codeplug from another radio will have unknown results.",
         50, 15, 315, 35, Left, true, 11},
        {"This program will not add or delete channels at this time. It does add some functions "
         "not normally available when using the suitecase programmer.",
         50, 55, 315, 25, Left, true, 10},
        {"VHF synthesizer values are not tested.", 50, 85, 315, 15, Left, true, 10},
        {"Click in the frequency fields to change frequencies. Enter frequency without decimal "
         "point. For example, enter 4488500 for 448.850. Press Enter to commit new value.",
         50, 100, 315, 25, Left, true, 10},
        {"Control options are 'AND'ed together.", 50, 130, 315, 70, Left, true, 10},
        {"RX Control options operate receiver audio.", 85, 142, 280, 10, Left, false, 10},
        {"Repeater Activate options control initial keyup.", 85, 154, 280, 10, Left, false, 10},
        {"Repeater Hold options control how repeater stays keyed.", 85, 166, 280, 10, Left, false,
         10},
        {"** If RX Control options are cleared and Repeater options are set, the transmitter will "
         "key with no audio.",
         90, 178, 235, 20, Centre, false, 10},
    },
    {165, 215, 50, 20},
};

// Checks the open window against its table; runs inside its modal loop.
void checkWindow(HWND dialog, const WindowSpec& def) {
    EXPECT_EQ(narrow(ui::windowText(dialog)), def.caption);
    expectFixedWindowFrame(dialog, def.width, def.height);

    // Children in creation order: the picture, the labels, "OK".
    std::vector<HWND> children;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
    ASSERT_EQ(children.size(), def.labels.size() + 2);

    HWND picture = children.front();
    EXPECT_EQ(GetWindowLongPtrW(picture, GWL_STYLE) & SS_TYPEMASK, SS_BITMAP);
    HBITMAP bitmap = reinterpret_cast<HBITMAP>(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info{};
    ASSERT_TRUE(bitmap && GetObjectW(bitmap, sizeof info, &info)) << "the picture is shown";
    EXPECT_EQ(info.bmWidth, 60);
    EXPECT_EQ(info.bmHeight, 60);
    const RECT at = rectInParent(picture);
    const RECT corner = dialogRect(dialog, 3, 3, 0, 0);
    EXPECT_EQ(at.left, corner.left);
    EXPECT_EQ(at.top, corner.top);
    EXPECT_EQ(at.right - at.left, 60) << "at its own size";
    EXPECT_EQ(at.bottom - at.top, 60);

    for (std::size_t i = 0; i < def.labels.size(); ++i) {
        const TextRow& row = def.labels[i];
        HWND label = children[i + 1];
        SCOPED_TRACE("label " + std::to_string(i) + " " + narrow(ui::windowText(label)));
        EXPECT_EQ(_wcsicmp(classOf(label).c_str(), L"Static"), 0);
        if (row.textStartsOnly) {
            const std::string text = narrow(ui::windowText(label));
            EXPECT_EQ(text.rfind(row.text, 0), 0u);
            EXPECT_GT(text.size(), std::string(row.text).size());
        } else if (row.text) {
            EXPECT_EQ(narrow(ui::windowText(label)), row.text);
        } else {
            EXPECT_FALSE(ui::windowText(label).empty());
        }
        const DWORD labelStyle = static_cast<DWORD>(GetWindowLongPtrW(label, GWL_STYLE));
        const DWORD align = row.align == Right ? SS_RIGHT : row.align == Centre ? SS_CENTER : SS_LEFT;
        EXPECT_EQ(labelStyle & SS_TYPEMASK, align);
        EXPECT_EQ((labelStyle & SS_SUNKEN) != 0, row.sunken);
        const FontInfo font = fontOf(label);
        EXPECT_EQ(narrow(font.face), "Arial");
        EXPECT_EQ(font.points, row.points);
        expectPlace(dialog, label, row.x, row.y, row.w, row.h);
    }

    HWND ok = children.back();
    EXPECT_EQ(GetDlgCtrlID(ok), IDOK);
    EXPECT_EQ(narrow(ui::windowText(ok)), "OK");
    const DWORD okStyle = static_cast<DWORD>(GetWindowLongPtrW(ok, GWL_STYLE));
    EXPECT_EQ(okStyle & WS_TABSTOP, 0u);
    EXPECT_NE(okStyle & BS_FLAT, 0u) << "thin border";
    const FontInfo okFont = fontOf(ok);
    EXPECT_EQ(okFont.points, 14);
    EXPECT_TRUE(okFont.bold);
    expectPlace(dialog, ok, def.ok.left, def.ok.top, def.ok.right, def.ok.bottom);
}

class AboutAndHelpWindows : public EditorTest {};

TEST_F(AboutAndHelpWindows, MatchTheirTables) {
    for (const WindowSpec* def : {&kAbout, &kHelp}) {
        SCOPED_TRACE(def->caption);
        dialogs.expectDialog([def](HWND dialog) {
            checkWindow(dialog, *def);
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        editor_->menuCommand(def->command);
        EXPECT_EQ(dialogs.handlersLeft(), 0u);
    }
}

}  // namespace
}  // namespace quarnel::test
