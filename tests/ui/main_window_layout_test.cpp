// The main window as it starts: frame, menu bar, bars, and every control's
// id, class, text, style, font, place and starting state, checked against
// the layout table written out again here.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/ui/harness.h"
#include "ui/main_window_ids.h"
#include "ui/text.h"

namespace quarnel::test {
namespace {

using ui::narrow;
using ui::widen;

enum Kind { Label, Button, Option, Check, Frame, Drop, Entry };

enum Note : unsigned {
    Right = 1u << 0,
    Centre = 1u << 1,
    VCentre = 1u << 2,
    Sunken = 1u << 3,
    Clicks = 1u << 4,
    Hidden = 1u << 5,
    Disabled = 1u << 6,
    Group = 1u << 7,
    NoTab = 1u << 8,
    Wraps = 1u << 9,
    Selected = 1u << 10,
};

struct Row {
    int id;
    Kind kind;
    const char* text;
    int x, y, w, h;
    unsigned notes;
    int points;  // font size; 14 is bold
};

// The control table, in creation order. Drop-downs: h is the open list.
const Row kTable[] = {
    {942, Label, "Number of Channels: 00", 290, 19, 105, 10, Right, 10},
    {943, Label, "Codeplug Version byte: 00", 290, 29, 105, 10, Right, 10},
    {946, Label, "Number of CW Messages: 00", 290, 39, 105, 10, Right, 10},
    {941, Label, "Channel  0", 5, 22, 68, 15, Right | VCentre, 12},
    {944, Button, "<", 78, 23, 20, 12, 0, 14},
    {945, Button, ">", 104, 23, 20, 12, 0, 14},
    {1115, Label, "RX Band", 140, 20, 35, 10, 0, 10},
    {1224, Label, "TX Band", 140, 30, 35, 10, 0, 10},
    {1112, Option, "VHF", 180, 20, 30, 10, Group, 10},
    {1113, Option, "UHF", 212, 20, 30, 10, Selected, 10},
    {1114, Option, "800/900", 244, 20, 40, 10, 0, 10},
    {1221, Option, "VHF", 180, 30, 30, 10, Group, 10},
    {1222, Option, "UHF", 212, 30, 30, 10, Selected, 10},
    {1223, Option, "800/900", 244, 30, 40, 10, 0, 10},
    {1100, Frame, "Receiver Settings", 5, 50, 170, 70, 0, 10},
    {1101, Label, "RX Frequency", 9, 60, 75, 16, 0, 11},
    {1103, Label, "000.0000", 87, 60, 54, 16, Sunken | Centre | Clicks, 12},
    {1102, Label, "MHz", 142, 61, 27, 16, Centre, 11},
    {1111, Label, "Receive Reference", 9, 76, 95, 10, 0, 10},
    {1104, Option, "Carrier", 13, 88, 40, 10, Group | Selected, 10},
    {1105, Option, "PL", 58, 88, 30, 10, 0, 10},
    {1106, Option, "DPL", 92, 88, 32, 10, 0, 10},
    {1107, Drop, "", 130, 87, 40, 150, NoTab, 10},
    {1108, Label, "* Avoid PL tones above 200Hz due to PL filter issues", 13, 99, 100, 20, Hidden,
     10},
    {1109, Check, "Invert DPL", 120, 104, 54, 10, Disabled, 10},
    {1110, Entry, "0000000", 81, 59, 82, 18, Hidden | Disabled | NoTab, 14},
    {1300, Frame, "RX Control", 180, 50, 72, 49, 0, 10},
    {1301, Check, "Carrier", 185, 60, 60, 10, Group, 10},
    {1302, Check, "Code (PL/DPL)", 185, 71, 65, 10, 0, 10},
    {1303, Check, "Auxilary", 185, 82, 60, 10, 0, 10},
    {1400, Frame, "Repeater Activate", 252, 50, 72, 49, 0, 10},
    {1401, Check, "Carrier", 257, 60, 60, 10, Group, 10},
    {1402, Check, "Code (PL/DPL)", 257, 71, 65, 10, 0, 10},
    {1403, Check, "Auxilary", 257, 82, 60, 10, 0, 10},
    {1500, Frame, "Repeater Hold", 324, 50, 72, 49, 0, 10},
    {1501, Check, "Carrier", 329, 60, 60, 10, Group, 10},
    {1502, Check, "Code (PL/DPL)", 329, 71, 65, 10, 0, 10},
    {1503, Check, "Auxilary", 329, 82, 60, 10, 0, 10},
    {1600, Frame, "Transmit Timers (Seconds)", 180, 100, 216, 40, 0, 10},
    {1601, Label, "Wireline", 182, 111, 51, 10, Centre, 10},
    {1603, Label, "Repeater", 234, 111, 51, 10, Centre, 10},
    {1605, Label, "Local Mic", 286, 111, 51, 10, Centre, 10},
    {1607, Label, "Drop Out Delay", 340, 111, 53, 10, Centre, 10},
    {1602, Drop, "", 187, 121, 40, 150, 0, 10},
    {1604, Drop, "", 240, 121, 40, 150, 0, 10},
    {1606, Drop, "", 293, 121, 40, 150, 0, 10},
    {1608, Drop, "", 346, 121, 40, 90, 0, 10},
    {1200, Frame, "Transmiter Settings", 5, 122, 170, 152, 0, 10},
    {1201, Label, "TX Frequency", 9, 132, 75, 16, 0, 11},
    {1203, Label, "000.0000", 86, 132, 55, 16, Sunken | Centre | Clicks, 12},
    {1202, Label, "MHz", 142, 133, 27, 16, Centre, 11},
    {1212, Entry, "0000000", 81, 130, 82, 18, Hidden | Disabled | NoTab, 14},
    {1218, Label, "Transmit Reference", 9, 149, 87, 10, 0, 10},
    {1219, Label, "Idle Ref", 98, 149, 72, 10, Centre, 10},
    {1209, Label, "Idle Frequency", 9, 162, 60, 10, 0, 10},
    {1210, Label, "000.0000", 70, 161, 45, 12, Sunken | Centre | Clicks, 10},
    {1211, Label, "MHz", 117, 163, 17, 10, Centre, 10},
    {1220, Entry, "0000000", 65, 158, 80, 16, Hidden | Disabled | NoTab, 12},
    {1204, Option, "Carrier", 13, 180, 40, 10, Group | Selected, 10},
    {1205, Option, "PL", 58, 180, 30, 10, 0, 10},
    {1206, Option, "DPL", 92, 180, 32, 10, 0, 10},
    {1207, Drop, "", 130, 179, 40, 150, NoTab, 10},
    {1208, Check, "Invert DPL", 120, 196, 53, 10, Disabled, 10},
    {1213, Check, "CW ID Enable", 13, 200, 70, 10, Group, 10},
    {1214, Check, "PL/DPL with ID", 13, 211, 70, 10, 0, 10},
    {1215, Check, "ID During Acitvity", 13, 222, 90, 10, Wraps, 10},
    {1216, Label, "Callsign:", 12, 239, 30, 10, Centre, 10},
    {1910, Drop, "", 44, 238, 125, 150, NoTab, 10},
    {1911, Button, "Edit Messages", 103, 256, 65, 12, 0, 10},
    {1700, Frame, "Transmit Priority", 180, 142, 134, 62, 0, 10},
    {1701, Label, "Repeater", 182, 152, 40, 10, Centre, 10},
    {1711, Option, "Highest", 182, 162, 40, 10, Group, 10},
    {1712, Option, "Middle", 182, 172, 40, 10, 0, 10},
    {1713, Option, "Lowest", 182, 182, 40, 10, 0, 10},
    {1714, Option, "Disabled", 182, 192, 40, 10, Selected, 10},
    {1702, Label, "Wireline", 225, 152, 40, 10, Centre, 10},
    {1715, Option, "Highest", 225, 162, 40, 10, Group, 10},
    {1716, Option, "Middle", 225, 172, 40, 10, 0, 10},
    {1717, Option, "Lowest", 225, 182, 40, 10, 0, 10},
    {1718, Option, "Disabled", 225, 192, 40, 10, Selected, 10},
    {1703, Label, "Local", 268, 152, 40, 10, Centre, 10},
    {1719, Option, "Highest", 268, 162, 40, 10, Group, 10},
    {1720, Option, "Middle", 268, 172, 40, 10, 0, 10},
    {1721, Option, "Lowest", 268, 182, 40, 10, 0, 10},
    {1722, Option, "Disabled", 268, 192, 40, 10, Selected, 10},
    {1900, Frame, "Auto ID Settings", 180, 205, 134, 69, 0, 10},
    {1901, Label, "CW Speed (WPM)", 184, 217, 80, 10, 0, 10},
    {1902, Drop, "", 267, 217, 40, 150, 0, 10},
    {1903, Label, "ID Timer (minutes)", 184, 231, 80, 10, 0, 10},
    {1904, Drop, "", 267, 231, 40, 150, 0, 10},
    {1905, Label, "Re-Key Delay (mS)", 184, 245, 80, 10, 0, 10},
    {1906, Drop, "", 267, 245, 40, 150, 0, 10},
    {1907, Label, "Tone Start Delay (mS)", 184, 259, 80, 10, 0, 10},
    {1908, Drop, "", 267, 259, 40, 150, 0, 10},
    {1800, Frame, "Alarms", 314, 142, 81, 42, 0, 10},
    {1801, Check, "Mute on Wireline", 318, 152, 67, 10, 0, 10},
    {1802, Check, "Enable Over Air", 318, 163, 67, 10, 0, 10},
    {1921, Frame, "Audio Mixed with Data", 314, 185, 81, 42, 0, 10},
    {1922, Check, "Repeater Audio", 318, 195, 70, 10, 0, 10},
    {1923, Check, "Wireline Audio", 318, 205, 70, 10, Disabled, 10},
    {1924, Check, "Local Mic Audio", 318, 215, 70, 10, 0, 10},
    {3333, Label, "Notes", 320, 240, 75, 10, 0, 10},
    {3334, Label, "DPL Inv needs testing", 320, 260, 75, 10, 0, 10},
};

const wchar_t* expectedClass(Kind kind) {
    switch (kind) {
    case Label: return L"Static";
    case Drop: return L"ComboBox";
    case Entry: return L"Edit";
    default: return L"Button";
    }
}

// Buttons, options, check boxes, drop-downs and entry boxes are tab stops
// unless noted. Of an option group only the checked option stays one: an
// option button moves the tab stop to itself when it is checked.
bool isTabStop(const Row& row) {
    if (row.kind == Label || row.kind == Frame || (row.notes & NoTab)) return false;
    return row.kind != Option || (row.notes & Selected);
}

void expectStyle(const Row& row, DWORD style) {
    const unsigned n = row.notes;
    EXPECT_EQ((style & WS_VISIBLE) != 0, !(n & Hidden)) << "visible";
    EXPECT_EQ((style & WS_DISABLED) != 0, (n & Disabled) != 0) << "disabled";
    EXPECT_EQ((style & WS_GROUP) != 0, (n & Group) != 0) << "group";
    EXPECT_EQ((style & WS_TABSTOP) != 0, isTabStop(row)) << "tab stop";
    switch (row.kind) {
    case Label: {
        const DWORD align = (n & Right) ? SS_RIGHT : (n & Centre) ? SS_CENTER : SS_LEFT;
        EXPECT_EQ(style & SS_TYPEMASK, align) << "alignment";
        EXPECT_EQ((style & SS_CENTERIMAGE) != 0, (n & VCentre) != 0) << "vertically centred";
        EXPECT_EQ((style & SS_SUNKEN) != 0, (n & Sunken) != 0) << "sunken";
        EXPECT_EQ((style & SS_NOTIFY) != 0, (n & Clicks) != 0) << "reports clicks";
        break;
    }
    case Button: EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_PUSHBUTTON)); break;
    case Option: EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_AUTORADIOBUTTON)); break;
    case Check: EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_AUTOCHECKBOX)); break;
    case Frame:
        EXPECT_EQ(style & BS_TYPEMASK, static_cast<DWORD>(BS_GROUPBOX));
        EXPECT_EQ(style & BS_CENTER, static_cast<DWORD>(BS_CENTER)) << "caption centred";
        break;
    case Drop:
        EXPECT_EQ(style & 3, static_cast<DWORD>(CBS_DROPDOWNLIST));
        break;
    case Entry:
        EXPECT_NE(style & ES_NUMBER, 0u) << "digits only";
        EXPECT_EQ(style & (ES_MULTILINE | WS_BORDER), 0u) << "single line, no border";
        break;
    }
    if (row.kind == Option || row.kind == Check) {
        EXPECT_EQ((style & BS_MULTILINE) != 0, (n & Wraps) != 0) << "caption may wrap";
    }
}

// The table's height of a drop-down is the height of the box with its list
// open. Windows reports that whole height as the dropped rectangle; Wine
// leaves out about the height of the closed box. Either way the open box
// ends within one closed box's height of the table's bottom.
void expectOpenListHeight(HWND box, int height) {
    RECT open{}, closed{};
    SendMessageW(box, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&open));
    GetWindowRect(box, &closed);
    const int boxHeight = closed.bottom - closed.top;
    EXPECT_LE(open.bottom - closed.top, height);
    EXPECT_GE(open.bottom - closed.top, height - boxHeight - 1)
        << "open list " << open.bottom - open.top << " pixels, box " << boxHeight;

    // The list has a vertical scroll bar, which it shows when its items do
    // not fit.
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(box, &info));
    const auto items = SendMessageW(box, CB_GETCOUNT, 0, 0);
    const auto itemHeight = SendMessageW(box, CB_GETITEMHEIGHT, 0, 0);
    if (items * itemHeight > height) {
        EXPECT_NE(GetWindowLongPtrW(info.hwndList, GWL_STYLE) & WS_VSCROLL, 0)
            << "vertical scroll bar";
    }
}

class MainWindowLayout : public EditorTest {};

TEST_F(MainWindowLayout, EveryControlMatchesTheTable) {
    for (const Row& row : kTable) {
        SCOPED_TRACE("control " + std::to_string(row.id));
        HWND control = item(row.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(_wcsicmp(classOf(control).c_str(), expectedClass(row.kind)), 0)
            << narrow(classOf(control));
        if (row.kind != Drop) {
            EXPECT_EQ(narrow(ui::windowText(control)), row.text);
        }
        expectStyle(row, static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE)));

        const FontInfo font = fontOf(control);
        EXPECT_EQ(narrow(font.face), "Arial");
        EXPECT_EQ(font.points, row.points);
        EXPECT_EQ(font.bold, row.points == 14);

        const RECT want = dialogRect(window(), row.x, row.y, row.w, row.h);
        const RECT got = rectInParent(control);
        EXPECT_EQ(got.left, want.left);
        EXPECT_EQ(got.top, want.top);
        EXPECT_EQ(got.right, want.right);
        if (row.kind == Drop) {
            expectOpenListHeight(control, want.bottom - want.top);
        } else {
            EXPECT_EQ(got.bottom, want.bottom);
        }
    }
}

TEST_F(MainWindowLayout, ControlsAreCreatedInTableOrder) {
    std::vector<int> created;
    for (HWND child = GetWindow(window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(child);
        if (id != ui::ids::kStatusBar && id != ui::ids::kProgressBar && id != ui::ids::kToolbar)
            created.push_back(id);
    }
    std::vector<int> table;
    for (const Row& row : kTable) table.push_back(row.id);
    EXPECT_EQ(created, table);
}

TEST_F(MainWindowLayout, TabOrderFollowsTheTable) {
    std::vector<int> expected;
    for (const Row& row : kTable)
        if (isTabStop(row) && !(row.notes & (Hidden | Disabled)))
            expected.push_back(row.id);
    std::vector<int> visited;
    HWND first = GetNextDlgTabItem(window(), nullptr, FALSE);
    for (HWND at = first; at && visited.size() <= expected.size();) {
        visited.push_back(GetDlgCtrlID(at));
        at = GetNextDlgTabItem(window(), at, FALSE);
        if (at == first) break;
    }
    EXPECT_EQ(visited, expected);
}

TEST_F(MainWindowLayout, OptionsAndCheckBoxesStartAsTheTableSays) {
    for (const Row& row : kTable) {
        if (row.kind != Option && row.kind != Check) continue;
        SCOPED_TRACE("control " + std::to_string(row.id));
        const UINT want = (row.notes & Selected) ? BST_CHECKED : BST_UNCHECKED;
        EXPECT_EQ(IsDlgButtonChecked(window(), row.id), want);
    }
}

TEST_F(MainWindowLayout, WindowFrame) {
    EXPECT_EQ(narrow(ui::windowText(window())), "Quarnel");
    EXPECT_EQ(classOf(window()), L"#32770");
    EXPECT_EQ(GetWindow(window(), GW_OWNER), nullptr);
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(window(), GWL_STYLE));
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME),
              static_cast<DWORD>(WS_CAPTION | WS_SYSMENU | WS_THICKFRAME));
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0u);
    EXPECT_NE(SendMessageW(window(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(window(), WM_GETICON, ICON_SMALL, 0), 0);

    // 400 x 300 dialog units of client area, below the menu bar.
    RECT client;
    GetClientRect(window(), &client);
    const RECT want = dialogRect(window(), 0, 0, 400, 300);
    EXPECT_EQ(client.right, want.right);
    EXPECT_EQ(client.bottom, want.bottom);

    // Centred on the screen's work area.
    RECT frame, work;
    GetWindowRect(window(), &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs((frame.left - work.left) - (work.right - frame.right)), 1);
    EXPECT_LE(std::abs((frame.top - work.top) - (work.bottom - frame.bottom)), 1);
}

std::wstring menuText(HMENU menu, int position) {
    wchar_t text[64] = L"";
    GetMenuStringW(menu, static_cast<UINT>(position), text, 64, MF_BYPOSITION);
    return text;
}

TEST_F(MainWindowLayout, MenuBar) {
    struct Item {
        const char* text;
        int id;  // -1: a drop-down; 0: a separator
        int parent;  // position on the bar
    };
    const Item items[] = {
        {"&File", -1, -1},         {"&Open", 902, 0},
        {"&Save As", 903, 0},      {"", 0, 0},
        {"E&xit", 906, 0},         {"&References", -1, -1},
        {"C&TCSS Table", 911, 5},  {"EPROM Map", 912, 5},
        {"Channel Bytes Map", 915, 5}, {"&Help", 913, -1},
        {"&About", 914, -1},
    };
    HMENU bar = GetMenu(window());
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 4);
    int barPosition = -1;
    int subPosition = 0;
    HMENU sub = nullptr;
    for (const Item& item : items) {
        SCOPED_TRACE(item.text);
        if (item.parent < 0) {
            ++barPosition;
            EXPECT_EQ(narrow(menuText(bar, barPosition)), item.text);
            EXPECT_EQ(GetMenuState(bar, static_cast<UINT>(barPosition), MF_BYPOSITION) & MF_GRAYED, 0u);
            sub = GetSubMenu(bar, barPosition);
            subPosition = 0;
            if (item.id > 0) {
                EXPECT_EQ(sub, nullptr) << "a command on the bar itself";
                EXPECT_EQ(static_cast<int>(GetMenuItemID(bar, barPosition)), item.id);
            } else {
                ASSERT_NE(sub, nullptr);
            }
            continue;
        }
        ASSERT_NE(sub, nullptr);
        const UINT state = GetMenuState(sub, static_cast<UINT>(subPosition), MF_BYPOSITION);
        if (item.id == 0) {
            EXPECT_NE(state & MF_SEPARATOR, 0u);
        } else {
            EXPECT_EQ(narrow(menuText(sub, subPosition)), item.text);
            EXPECT_EQ(static_cast<int>(GetMenuItemID(sub, subPosition)), item.id);
            EXPECT_EQ(state & MF_GRAYED, 0u);
        }
        ++subPosition;
    }
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 0)), 4);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 3);
}

TEST_F(MainWindowLayout, StatusBarHasTwoEmptyPartsAndAGrip) {
    HWND status = item(ui::ids::kStatusBar);
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(classOf(status), STATUSCLASSNAMEW);
    EXPECT_NE(GetWindowLongPtrW(status, GWL_STYLE) & SBARS_SIZEGRIP, 0);
    int edges[4] = {};
    ASSERT_EQ(SendMessageW(status, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
    EXPECT_EQ(edges[0], dialogRect(window(), 0, 0, 199, 0).right);
    EXPECT_EQ(edges[1], dialogRect(window(), 0, 0, 399, 0).right);
    for (int part = 0; part < 2; ++part) EXPECT_EQ(statusText(status, part), L"");

    RECT client;
    GetClientRect(window(), &client);
    EXPECT_EQ(rectInParent(status).bottom, client.bottom) << "along the bottom";
}

TEST_F(MainWindowLayout, ProgressBarIsHiddenOverTheStatusBar) {
    HWND progress = item(ui::ids::kProgressBar);
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(classOf(progress), PROGRESS_CLASSW);
    EXPECT_FALSE(GetWindowLongPtrW(progress, GWL_STYLE) & WS_VISIBLE);
    PBRANGE range{};
    SendMessageW(progress, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.iLow, 1);
    EXPECT_EQ(range.iHigh, 4096);
    // One step moves the bar by one.
    SendMessageW(progress, PBM_SETPOS, 10, 0);
    SendMessageW(progress, PBM_STEPIT, 0, 0);
    EXPECT_EQ(SendMessageW(progress, PBM_GETPOS, 0, 0), 11);

    const RECT status = rectInParent(item(ui::ids::kStatusBar));
    RECT want = dialogRect(window(), 220, 2, 130, 11);
    OffsetRect(&want, status.left, status.top);
    const RECT got = rectInParent(progress);
    EXPECT_TRUE(EqualRect(&got, &want))
        << got.left << "," << got.top << " " << got.right << "," << got.bottom << " want "
        << want.left << "," << want.top << " " << want.right << "," << want.bottom;
}

TEST_F(MainWindowLayout, ToolbarIsFlatWithTwoCommandButtons) {
    HWND toolbar = item(ui::ids::kToolbar);
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(classOf(toolbar), TOOLBARCLASSNAMEW);
    EXPECT_NE(GetWindowLongPtrW(toolbar, GWL_STYLE) & TBSTYLE_FLAT, 0);
    EXPECT_EQ(GetWindowLongPtrW(toolbar, GWL_STYLE) & WS_BORDER, 0);
    ASSERT_EQ(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), 2);
    const int commands[] = {ui::ids::kOpen, ui::ids::kSaveAs};
    for (int i = 0; i < 2; ++i) {
        TBBUTTON button{};
        SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        EXPECT_EQ(button.idCommand, commands[i]);
        EXPECT_TRUE(button.fsState & TBSTATE_ENABLED);
        EXPECT_TRUE(button.fsStyle & BTNS_AUTOSIZE);
    }
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
    ASSERT_NE(images, nullptr);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 24);
    EXPECT_EQ(cy, 24);
    EXPECT_EQ(rectInParent(toolbar).top, 0) << "along the top";
}

// ---- Neutral start ---------------------------------------------------------------

TEST_F(MainWindowLayout, ProgramStateStartsNeutral) {
    EXPECT_EQ(ui::ProgramState(GetModuleHandleW(nullptr)).modified, 4);
    EXPECT_EQ(state().modified, 1) << "the first-step notice was shown";
    EXPECT_EQ(state().currentChannel, 0);
    EXPECT_EQ(state().rxBand, Band::Uhf);
    EXPECT_EQ(state().txBand, Band::Uhf);
    EXPECT_TRUE(std::all_of(state().image.bytes.begin(), state().image.bytes.end(),
                            [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(state().windows.main, window());
}

struct ChoiceCase {
    int id;
    std::size_t count;
    const char* first;
    const char* second;
    const char* last;
};

TEST_F(MainWindowLayout, DropDownsListTheirChoicesWithNoSelection) {
    const ChoiceCase cases[] = {
        {1602, 32, "None", " 15", " 465"},   {1604, 32, "None", " 15", " 465"},
        {1606, 32, "None", " 15", " 465"},   {1608, 8, "None", " 1", " 7"},
        {1902, 34, "<1", " 1", ">32"},       {1904, 32, "ALL TX", " 1", " 31"},
        {1906, 64, " 240", " 480", " 15360"}, {1908, 64, " 240", " 480", " 15360"},
    };
    for (const ChoiceCase& c : cases) {
        SCOPED_TRACE("drop-down " + std::to_string(c.id));
        const std::vector<std::wstring> items = comboItems(item(c.id));
        ASSERT_EQ(items.size(), c.count);
        EXPECT_EQ(narrow(items.front()), c.first);
        EXPECT_EQ(narrow(items[1]), c.second);
        EXPECT_EQ(narrow(items.back()), c.last);
        EXPECT_EQ(SendMessageW(item(c.id), CB_GETCURSEL, 0, 0), CB_ERR);
    }
    // Every item in between steps evenly.
    const std::vector<std::wstring> timer = comboItems(item(1602));
    for (std::size_t i = 1; i < timer.size(); ++i)
        EXPECT_EQ(timer[i], widen(" " + std::to_string(15 * i)));
    const std::vector<std::wstring> speed = comboItems(item(1902));
    for (std::size_t i = 1; i <= 32; ++i) EXPECT_EQ(speed[i], widen(" " + std::to_string(i)));
    const std::vector<std::wstring> delay = comboItems(item(1906));
    for (std::size_t i = 0; i < delay.size(); ++i)
        EXPECT_EQ(delay[i], widen(" " + std::to_string(240 * (i + 1))));

    for (int empty : {1107, 1207, 1910}) {
        EXPECT_EQ(SendMessageW(item(empty), CB_GETCOUNT, 0, 0), 0) << empty;
        EXPECT_EQ(SendMessageW(item(empty), CB_GETCURSEL, 0, 0), CB_ERR) << empty;
    }
}

}  // namespace
}  // namespace quarnel::test
