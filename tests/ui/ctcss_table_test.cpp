// The CTCSS table window: its place in pixels at the right edge of the
// screen, the list view's nine columns and 21 rows, and several windows at
// once beside a working main window.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/tones.h"
#include "tests/ui/reference_fixture.h"
#include "ui/text.h"

namespace quarnel::test {
namespace {

constexpr int kListId = 931;

std::wstring cell(HWND list, int row, int column) {
    wchar_t text[64] = L"";
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

struct ColumnRow {
    const wchar_t* header;
    int width;
    int format;
};

const ColumnRow kColumns[] = {
    {L"", 1, LVCFMT_LEFT},         {L"Frequency", 81, LVCFMT_CENTER}, {L"Code", 60, LVCFMT_CENTER},
    {L"", 1, LVCFMT_RIGHT},        {L"", 1, LVCFMT_RIGHT},            {L"", 90, LVCFMT_RIGHT},
    {L"", 1, LVCFMT_LEFT},         {L"Frequency", 81, LVCFMT_CENTER}, {L"Code", 60, LVCFMT_CENTER},
};

class CtcssTable : public ReferenceTest {};

TEST_F(CtcssTable, SitsInPixelsNearTheRightEdgeOfTheScreen) {
    HWND table = open(kCtcssCommand);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(ui::windowText(table), L"CTCSS Codes");
    EXPECT_EQ(GetWindow(table, GW_OWNER), nullptr);
    const LONG_PTR style = GetWindowLongPtrW(table, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_NE(SendMessageW(table, WM_GETICON, ICON_BIG, 0), 0);

    RECT frame, client;
    GetWindowRect(table, &frame);
    GetClientRect(table, &client);
    EXPECT_EQ(frame.left, GetSystemMetrics(SM_CXSCREEN) - 436);
    EXPECT_EQ(frame.top, 50);
    EXPECT_EQ(client.right, 420);
    EXPECT_EQ(client.bottom, 430);
    EXPECT_LE(frame.right, GetSystemMetrics(SM_CXSCREEN)) << "fits on the screen";

    HWND list = GetDlgItem(table, kListId);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(classOf(list), L"SysListView32");
    const RECT r = rectInParent(list);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 10);
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(r.bottom - r.top, 410);
}

TEST_F(CtcssTable, ReportViewWithGridLinesInBlackOnGrey) {
    HWND list = GetDlgItem(open(kCtcssCommand), kListId);
    const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
    EXPECT_TRUE(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_GRIDLINES);
    EXPECT_EQ(COLORREF(SendMessageW(list, LVM_GETBKCOLOR, 0, 0)), RGB(204, 204, 204));
    EXPECT_EQ(COLORREF(SendMessageW(list, LVM_GETTEXTBKCOLOR, 0, 0)), RGB(204, 204, 204));
    EXPECT_EQ(COLORREF(SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0)), RGB(0, 0, 0));
}

TEST_F(CtcssTable, NineColumns) {
    HWND list = GetDlgItem(open(kCtcssCommand), kListId);
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 9);
    for (int c = 0; c < 9; ++c) {
        SCOPED_TRACE("column " + std::to_string(c + 1));
        wchar_t text[32] = L"";
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = 32;
        ASSERT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(c),
                                 reinterpret_cast<LPARAM>(&column)));
        EXPECT_EQ(std::wstring(text), kColumns[c].header);
        EXPECT_EQ(column.cx, kColumns[c].width);
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, kColumns[c].format);
    }
}

// Row r: tone r and its code name on the left, tone r + 21 on the right,
// the entries as stored (trailing blanks included); no image is needed.
TEST_F(CtcssTable, TwentyOneRowsOfTonesAndCodeNames) {
    HWND list = GetDlgItem(open(kCtcssCommand), kListId);
    ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 21);

    EXPECT_EQ(cell(list, 0, 1), L"67.0 ");
    EXPECT_EQ(cell(list, 0, 2), L"XZ");
    EXPECT_EQ(cell(list, 0, 7), L"136.5");
    EXPECT_EQ(cell(list, 0, 8), L"4Z");
    EXPECT_EQ(cell(list, 20, 1), L"131.8");
    EXPECT_EQ(cell(list, 20, 2), L"3B");
    EXPECT_EQ(cell(list, 20, 7), L"254.1");
    EXPECT_EQ(cell(list, 20, 8), L"0Z");

    for (int row = 0; row < 21; ++row) {
        SCOPED_TRACE("row " + std::to_string(row + 1));
        EXPECT_EQ(cell(list, row, 1), ui::widen(toneText(row + 1)));
        EXPECT_EQ(cell(list, row, 2), ui::widen(plCodeName(row + 1)));
        EXPECT_EQ(cell(list, row, 7), ui::widen(toneText(row + 22)));
        EXPECT_EQ(cell(list, row, 8), ui::widen(plCodeName(row + 22)));
        for (int empty : {0, 3, 4, 5, 6}) EXPECT_EQ(cell(list, row, empty), L"") << empty;
    }
}

// Each selection opens another window at the same place; closing one leaves
// the others and the main window working.
TEST_F(CtcssTable, SeveralAtOnceBesideAWorkingMainWindow) {
    HWND first = open(kCtcssCommand);
    HWND second = open(kCtcssCommand, 1);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    RECT a, b;
    GetWindowRect(first, &a);
    GetWindowRect(second, &b);
    EXPECT_TRUE(EqualRect(&a, &b));
    EXPECT_TRUE(IsWindowEnabled(window())) << "modeless: the main window stays usable";

    SendMessageW(first, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_TRUE(IsWindowVisible(second));
    EXPECT_EQ(modeless(), std::vector<HWND>{second});
    EXPECT_EQ(SendMessageW(GetDlgItem(second, kListId), LVM_GETITEMCOUNT, 0, 0), 21);

    HWND third = open(kCtcssCommand);
    EXPECT_NE(third, nullptr);
    EXPECT_EQ(modeless().size(), 2u);
    EXPECT_TRUE(dialogs.messageBoxes().empty());
}

}  // namespace
}  // namespace quarnel::test
