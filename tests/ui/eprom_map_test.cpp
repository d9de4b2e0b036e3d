// The EPROM map: its frame and grid, the bytes, row headings and scroll box
// of every page, the header names of page 0 and how paging resets them, the
// "cw" and "RF" marks, the boxes for commands and notifications, and what a
// second "EPROM Map" selection does.
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/sample_image.h"
#include "tests/ui/reference_fixture.h"
#include "ui/eprom_map.h"
#include "ui/text.h"

namespace quarnel::test {
namespace {

using quarnel::testing::SampleLayout;
using quarnel::testing::sampleImage;

constexpr COLORREF kHeadingColour = RGB(204, 153, 204);
constexpr COLORREF kGrey = RGB(204, 204, 204);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kCwColour = RGB(255, 165, 0);
constexpr COLORREF kRfColour = RGB(0, 255, 127);

int cellId(int i) { return 2000 + i; }
int nameId(int i) { return 8100 + i; }

std::wstring hex(unsigned value, int digits) {
    wchar_t text[16];
    swprintf(text, 16, L"%0*X", digits, value);
    return text;
}

SampleLayout layout(std::uint16_t cwFirst, std::uint16_t cwEnd, std::uint16_t rf,
                    std::uint8_t modes = 40, std::uint8_t size = 22) {
    SampleLayout l;
    l.cwIdAddr = cwFirst;
    l.cwEnd = cwEnd;
    l.rfAddress = rf;
    l.modes = modes;
    l.size = size;
    return l;
}

// A CW area from 0x230 to 0x311 and 40 records of 22 bytes from 0x390 to 0x6FF.
const SampleLayout kRealistic = layout(0x2230, 0x2312, 0x2390);

// Every byte differs from its neighbours, so a page shown from the wrong
// offset cannot pass.
Image patternImage() {
    Image image = sampleImage();
    for (std::size_t k = 0x100; k < kEpromSize; ++k)
        image[k] = static_cast<std::uint8_t>(k * 7 + k / 256);
    return image;
}

class EpromMap : public ReferenceTest {
protected:
    HWND openMap() {
        HWND map = open(kEpromMapCommand);
        EXPECT_EQ(map, state().windows.epromMap);
        return map;
    }
    void scroll(HWND map, int code) { SendMessageW(map, WM_VSCROLL, MAKEWPARAM(code, 0), 0); }
    void pageTo(HWND map, int page) {
        while (ui::epromMapPage(map) < page) scroll(map, SB_LINEDOWN);
        while (ui::epromMapPage(map) > page) scroll(map, SB_LINEUP);
    }
};

// ---- Frame and grid ------------------------------------------------------------

struct Place {
    int id;
    int x, y, w, h;
};

// Corners of each grid (first and last control), in dialog units.
const Place kPlaces[] = {
    {7000, 23, 11, 22, 11},  {7015, 368, 11, 22, 11},  // column headings
    {7100, 3, 24, 20, 12},   {7115, 3, 279, 20, 12},   // row headings
    {2000, 23, 30, 22, 10},  {2015, 368, 30, 22, 10},  {2255, 368, 285, 22, 10},  // cells
    {8121, 138, 39, 22, 9},  {8355, 368, 277, 22, 9},  // name labels (not header names)
    {7300, 23, 38, 367, 1},  {7315, 23, 293, 367, 1},  // rules
};

TEST_F(EpromMap, FrameAndGridInDialogUnits) {
    HWND map = openMap();
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(ui::windowText(map), L"EPROM Map");
    EXPECT_EQ(GetWindow(map, GW_OWNER), nullptr);
    const LONG_PTR style = GetWindowLongPtrW(map, GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    EXPECT_TRUE(style & WS_VSCROLL);
    EXPECT_TRUE(IsWindowVisible(map));
    EXPECT_NE(SendMessageW(map, WM_GETICON, ICON_BIG, 0), 0);
    expectClientPlace(map, 100, 60, 410, 300);

    for (const Place& p : kPlaces) expectControlPlace(map, p.id, p.x, p.y, p.w, p.h);
    const LONG_PTR rule = GetWindowLongPtrW(GetDlgItem(map, 7300), GWL_STYLE);
    EXPECT_EQ(rule & SS_TYPEMASK, SS_ETCHEDFRAME);
    for (int id : {7000, 7100, 2000, 8121}) {
        const LONG_PTR label = GetWindowLongPtrW(GetDlgItem(map, id), GWL_STYLE);
        EXPECT_EQ(label & SS_TYPEMASK, SS_CENTER) << id;
        EXPECT_TRUE(label & SS_CENTERIMAGE) << id;
    }
    EXPECT_EQ(fontOf(GetDlgItem(map, 2000)).points, 10);
    EXPECT_EQ(fontOf(GetDlgItem(map, 8121)).points, 8);
    EXPECT_EQ(fontOf(GetDlgItem(map, 8121)).face, L"Arial");
}

TEST_F(EpromMap, HeadingsAreBlackOnMauve) {
    HWND map = openMap();
    for (int c = 0; c < 16; ++c) {
        EXPECT_EQ(textOf(map, 7000 + c), hex(static_cast<unsigned>(c), 1));
        for (int id : {7000 + c, 7100 + c}) {
            const Colours colours = staticColours(map, id);
            EXPECT_EQ(colours.text, RGB(0, 0, 0)) << id;
            EXPECT_EQ(colours.brushColour, kHeadingColour) << id;
        }
    }
}

// ---- Paging ----------------------------------------------------------------------------

struct ScrollStep {
    int code;
    int page;
    int position;
};

// Down through every page, then the codes that change nothing, then up
// again; line and page steps stop at either end.
const ScrollStep kSteps[] = {
    {SB_LINEDOWN, 1, 14},     {SB_PAGEDOWN, 2, 28},       {SB_LINEDOWN, 3, 43},
    {SB_PAGEDOWN, 4, 57},     {SB_LINEDOWN, 5, 71},       {SB_PAGEDOWN, 6, 85},
    {SB_LINEDOWN, 7, 100},    {SB_THUMBTRACK, 7, 100},    {SB_THUMBPOSITION, 7, 100},
    {SB_TOP, 7, 100},         {SB_BOTTOM, 7, 100},        {SB_ENDSCROLL, 7, 100},
    {SB_PAGEDOWN, 7, 100},    {SB_PAGEUP, 6, 85},         {SB_LINEUP, 5, 71},
    {SB_PAGEUP, 4, 57},       {SB_LINEUP, 3, 43},         {SB_PAGEUP, 2, 28},
    {SB_LINEUP, 1, 14},       {SB_PAGEUP, 0, 0},          {SB_TOP, 0, 0},
    {SB_LINEUP, 0, 0},
};

// Each step checks the page, its scroll box, its row headings and its
// bytes. A byte changed before each step shows only when the step shows the
// page again: line and page steps do, even at either end; the others do not.
TEST_F(EpromMap, ScrollCodesWalkThroughThePagesAndStopAtEitherEnd) {
    showChannel(patternImage(), 1);
    HWND map = openMap();
    EXPECT_EQ(ui::epromMapPage(map), 0);
    EXPECT_EQ(GetScrollPos(map, SB_VERT), 0);
    int n = 0;
    for (const ScrollStep& step : kSteps) {
        SCOPED_TRACE("step " + std::to_string(++n));
        const int before = ui::epromMapPage(map);
        const std::size_t changed = 256u * static_cast<unsigned>(step.page) + 0x5A;
        state().image[changed] = static_cast<std::uint8_t>(n);
        const bool showsAgain = step.code == SB_LINEUP || step.code == SB_LINEDOWN ||
                                step.code == SB_PAGEUP || step.code == SB_PAGEDOWN;
        scroll(map, step.code);
        ASSERT_EQ(ui::epromMapPage(map), step.page);
        EXPECT_EQ(GetScrollPos(map, SB_VERT), step.position);
        EXPECT_EQ(textOf(map, cellId(0x5A)) == hex(static_cast<unsigned>(n), 2), showsAgain);
        if (!showsAgain || before == step.page) continue;
        for (int r = 0; r < 16; ++r)
            EXPECT_EQ(textOf(map, 7100 + r), L"2" + hex(256u * step.page + 16u * r, 3));
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(textOf(map, cellId(i)), hex(state().image[256u * step.page + i], 2)) << i;
    }
    EXPECT_EQ(textOf(map, 7115), L"20F0");
}

// ---- Header names -------------------------------------------------------------------

struct HeaderName {
    int offset;
    const wchar_t* name;
    int cells;
};

const HeaderName kHeaderNames[] = {
    {0x00, L"Checksum", 2},   {0x02, L"Last Word", 2}, {0x04, L"Version", 2},
    {0x07, L"Size", 1},       {0x08, L"Modes", 1},     {0x11, L"CW ID addr", 2},
    {0x17, L"RF address", 2}, {0x1C, L"IDtime", 1},    {0x1D, L"IDDly", 1},
    {0x1E, L"CWDly", 1},      {0x1F, L"speed", 1},     {0x20, L"speed", 1},
};

std::set<int> headerCells() {
    std::set<int> cells;
    for (const HeaderName& h : kHeaderNames)
        for (int k = 0; k < h.cells; ++k) cells.insert(h.offset + k);
    return cells;
}

void expectLabelSize(HWND map, int i, int width) {
    const RECT r = rectInParent(GetDlgItem(map, nameId(i)));
    const RECT want = dialogRect(map, 0, 0, width, 9);
    EXPECT_EQ(r.right - r.left, want.right) << "name label " << i;
    EXPECT_EQ(r.bottom - r.top, want.bottom) << "name label " << i;
}

// Page 0's name labels: the header names, blue on grey, two-byte ones
// widened over the next cell, whose label is hidden; every other label
// empty, shown, 22 x 9 and in default colours.
void expectHeaderNames(HWND map) {
    std::set<int> named, hidden;
    for (const HeaderName& h : kHeaderNames) {
        SCOPED_TRACE(ui::narrow(h.name));
        named.insert(h.offset);
        EXPECT_EQ(textOf(map, nameId(h.offset)), h.name);
        EXPECT_TRUE(shown(GetDlgItem(map, nameId(h.offset))));
        expectLabelSize(map, h.offset, h.cells == 2 ? 45 : 22);
        const Colours colours = staticColours(map, nameId(h.offset));
        EXPECT_EQ(colours.text, kBlue);
        EXPECT_EQ(colours.brushColour, kGrey);
        if (h.cells == 2) hidden.insert(h.offset + 1);
    }
    for (int i : hidden) EXPECT_FALSE(shown(GetDlgItem(map, nameId(i)))) << i;
    for (int i = 0; i < 256; ++i) {
        if (named.count(i) || hidden.count(i)) continue;
        EXPECT_EQ(textOf(map, nameId(i)), L"") << i;
        EXPECT_TRUE(shown(GetDlgItem(map, nameId(i)))) << i;
        expectLabelSize(map, i, 22);
        EXPECT_TRUE(defaultColours(staticColours(map, nameId(i)))) << i;
    }
}

// The cells of `grey` have the grey background; all others default colours.
void expectGreyCells(HWND map, const std::set<int>& grey) {
    for (int i = 0; i < 256; ++i) {
        const Colours colours = staticColours(map, cellId(i));
        if (grey.count(i))
            EXPECT_EQ(colours.brushColour, kGrey) << "cell " << i;
        else
            EXPECT_TRUE(defaultColours(colours)) << "cell " << i;
    }
}

TEST_F(EpromMap, OpensNamingTheHeaderFieldsOverCellsInDefaultColours) {
    showChannel(sampleImage(), 1);  // its CW area and records lie on page 0: no marks there
    HWND map = openMap();
    expectHeaderNames(map);
    expectGreyCells(map, {});
}

TEST_F(EpromMap, PagingAwayClearsTheHeaderNamesAndPagingBackGreysTheirCells) {
    showChannel(sampleImage(), 1);
    HWND map = openMap();
    scroll(map, SB_LINEDOWN);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(textOf(map, nameId(i)), L"") << i;
        EXPECT_TRUE(shown(GetDlgItem(map, nameId(i)))) << i;
        expectLabelSize(map, i, 22);
        EXPECT_TRUE(defaultColours(staticColours(map, nameId(i)))) << i;
    }
    expectGreyCells(map, {});

    scroll(map, SB_LINEUP);
    expectHeaderNames(map);
    expectGreyCells(map, headerCells());
}

// ---- Marks ---------------------------------------------------------------------------

struct Range {
    int first;  // image offsets, both included
    int last;
    const wchar_t* mark;
};

struct MarkCase {
    const char* name;
    SampleLayout layout;
    int page;
    std::vector<Range> marks;
};

const MarkCase kMarkCases[] = {
    {"CW area on page 2", kRealistic, 2, {{0x230, 0x2FF, L"cw"}}},
    {"CW area ends and records start on page 3",
     kRealistic,
     3,
     {{0x300, 0x311, L"cw"}, {0x390, 0x3FF, L"RF"}}},
    {"records fill page 4", kRealistic, 4, {{0x400, 0x4FF, L"RF"}}},
    {"records fill page 5", kRealistic, 5, {{0x500, 0x5FF, L"RF"}}},
    {"records go on over page 6, which is not marked", kRealistic, 6, {}},
    {"page 1 is not marked", layout(0x2130, 0x2150, 0x2160, 4), 1, {}},
    {"page 7 is not marked", layout(0x2730, 0x2750, 0x2760, 4), 7, {}},
    {"records drawn over the CW area", layout(0x2300, 0x2351, 0x2340, 4), 3,
     {{0x300, 0x33F, L"cw"}, {0x340, 0x397, L"RF"}}},
    {"one-byte CW area", layout(0x2320, 0x2321, 0x2100, 4), 3, {{0x320, 0x320, L"cw"}}},
    {"CW area reaching into page 5: page 4", layout(0x24F0, 0x2520, 0x2100, 4), 4,
     {{0x4F0, 0x4FF, L"cw"}}},
    {"CW area reaching into page 5: page 5", layout(0x24F0, 0x2520, 0x2100, 4), 5, {}},
    {"records starting on page 2: page 2", layout(0x2030, 0x205B, 0x2280), 2, {}},
    {"records starting on page 2: page 3", layout(0x2030, 0x205B, 0x2280), 3,
     {{0x300, 0x3FF, L"RF"}}},
    {"records starting on page 2: page 5", layout(0x2030, 0x205B, 0x2280), 5,
     {{0x500, 0x5EF, L"RF"}}},
    {"CW end before its start", layout(0x2300, 0x2280, 0x2100, 4), 3, {}},
    // The header words are radio addresses; words without the EPROM's 0x2000
    // name no byte the map shows.
    {"pointers without 0x2000", layout(0x0300, 0x0320, 0x0340, 4), 3, {}},
    {"records past the map's last page", layout(0x2030, 0x205B, 0x2F00, 4), 5, {}},
};

// The mark each cell of the page should show ("" for none).
std::vector<std::wstring> expectedMarks(int page, const std::vector<Range>& ranges) {
    std::vector<std::wstring> marks(256);
    for (const Range& range : ranges)
        for (int offset = range.first; offset <= range.last; ++offset)
            marks[static_cast<std::size_t>(offset - 256 * page)] = range.mark;
    return marks;
}

COLORREF markColour(const std::wstring& mark) { return mark == L"cw" ? kCwColour : kRfColour; }

void expectMarks(const ui::EpromMapMarks& cells, const std::vector<std::wstring>& marks) {
    for (std::size_t i = 0; i < 256; ++i) {
        const ui::EpromMapCell& cell = cells[i];
        ASSERT_EQ(cell.name, marks[i]) << "cell " << i;
        const COLORREF colour = marks[i].empty() ? ui::kDefaultColour : markColour(marks[i]);
        EXPECT_EQ(cell.nameBackground, colour) << i;
        EXPECT_EQ(cell.cellBackground, colour) << i;
        EXPECT_EQ(cell.nameText, ui::kDefaultColour) << i;
        EXPECT_EQ(cell.nameCells, 1) << i;
        EXPECT_TRUE(cell.nameShown) << i;
    }
}

TEST(EpromMapMarks, CwAreaAndRecordsOnTheirPagesOnly) {
    for (const MarkCase& c : kMarkCases) {
        SCOPED_TRACE(c.name);
        ui::ProgramState state{GetModuleHandleW(nullptr)};
        showChannel(state, sampleImage(c.layout), 1);
        ASSERT_TRUE(state.displayed.ok()) << state.displayed.problem;
        expectMarks(ui::epromMapMarks(state, c.page), expectedMarks(c.page, c.marks));
    }
}

// The CW area and Modes are those of the last channel display; Size and RF
// address are read from the image.
TEST(EpromMapMarks, FollowTheLastDisplayAndTheImageSize) {
    ui::ProgramState state{GetModuleHandleW(nullptr)};
    showChannel(state, sampleImage(kRealistic), 1);
    writeWord(state.image, 0x11, 0x2200);  // CW ID addr, not displayed since
    state.image[8] = 2;                    // Modes, not displayed since
    state.image[7] = 11;                   // Size: 40 records of 11 bytes, to 0x547
    expectMarks(ui::epromMapMarks(state, 2), expectedMarks(2, {{0x230, 0x2FF, L"cw"}}));
    expectMarks(ui::epromMapMarks(state, 5), expectedMarks(5, {{0x500, 0x547, L"RF"}}));
}

// The repeater image keeps its CW area and records on pages 0 and 1.
TEST(EpromMapMarks, NoneForAnImageOnPagesZeroAndOne) {
    ui::ProgramState state{GetModuleHandleW(nullptr)};
    showChannel(state, quarnel::testing::repeaterImage(), 1);
    ASSERT_TRUE(state.displayed.ok());
    for (int page = 1; page < ui::kEpromMapPages; ++page)
        expectMarks(ui::epromMapMarks(state, page), expectedMarks(page, {}));
}

TEST(EpromMapMarks, NoneBeforeAnyImage) {
    ui::ProgramState state{GetModuleHandleW(nullptr)};
    for (int page = 1; page < ui::kEpromMapPages; ++page)
        expectMarks(ui::epromMapMarks(state, page), expectedMarks(page, {}));
}

// The map draws the marks on its controls and takes them off again.
TEST_F(EpromMap, MarksAreDrawnOnTheControls) {
    showChannel(sampleImage(kRealistic), 1);
    HWND map = openMap();
    for (int page : {3, 6}) {
        SCOPED_TRACE("page " + std::to_string(page));
        pageTo(map, page);
        const std::vector<std::wstring> marks =
            page == 3 ? expectedMarks(3, {{0x300, 0x311, L"cw"}, {0x390, 0x3FF, L"RF"}})
                      : expectedMarks(6, {});
        for (int i = 0; i < 256; ++i) {
            const std::wstring& mark = marks[static_cast<std::size_t>(i)];
            ASSERT_EQ(textOf(map, nameId(i)), mark) << i;
            const Colours label = staticColours(map, nameId(i));
            const Colours cell = staticColours(map, cellId(i));
            if (mark.empty()) {
                EXPECT_TRUE(defaultColours(label)) << i;
                EXPECT_TRUE(defaultColours(cell)) << i;
                continue;
            }
            EXPECT_EQ(label.brushColour, markColour(mark)) << i;
            EXPECT_EQ(label.background, markColour(mark)) << i;
            EXPECT_EQ(cell.brushColour, markColour(mark)) << i;
        }
    }
}

// ---- Commands, notifications, closing, selecting it again -------------------------

TEST_F(EpromMap, CommandsAndNotificationsAreAnsweredWithABox) {
    HWND map = openMap();
    scroll(map, SB_LINEDOWN);
    // Enter and Escape, through the dialog keys the program's loop gives the map.
    for (WPARAM key : {WPARAM(VK_ESCAPE), WPARAM(VK_RETURN)}) {
        MSG message{map, WM_KEYDOWN, key, 1, 0, {}};
        EXPECT_TRUE(state().windows.modeless.dialogMessage(message));
    }
    NMHDR header{map, 1, 0};
    SendMessageW(map, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header));

    ASSERT_EQ(dialogs.messageBoxTexts(),
              (std::vector<std::wstring>{L"command from eprom", L"command from eprom",
                                         L"notify from eprom"}));
    for (const SeenMessageBox& box : dialogs.messageBoxes()) {
        EXPECT_TRUE(box.fromSeam);
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_FALSE(box.ownCaption);
        EXPECT_EQ(box.style, UINT(MB_OK | MB_TASKMODAL | MB_SETFOREGROUND));
    }
    EXPECT_TRUE(IsWindow(map));
    EXPECT_EQ(ui::epromMapPage(map), 1);
}

TEST_F(EpromMap, CloseBoxClosesItWithoutABox) {
    HWND map = openMap();
    scroll(map, SB_LINEDOWN);
    SendMessageW(map, WM_SYSCOMMAND, SC_CLOSE, 0);
    pumpMessages();
    EXPECT_FALSE(IsWindow(map));
    EXPECT_EQ(state().windows.epromMap, nullptr);
    EXPECT_TRUE(modeless().empty());
    EXPECT_TRUE(dialogs.messageBoxes().empty());

    HWND again = openMap();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(ui::epromMapPage(again), 0);
    EXPECT_EQ(textOf(again, 7100), L"2000");
}

// Selecting "EPROM Map" while it is open brings that map forward and shows
// its page again from the image as it is now.
TEST_F(EpromMap, SecondSelectionShowsTheOpenMapAgain) {
    showChannel(patternImage(), 1);
    HWND map = openMap();
    scroll(map, SB_LINEDOWN);
    state().image[0x145] = 0xC3;
    editor_->menuCommand(kEpromMapCommand, 1);
    pumpMessages();
    EXPECT_EQ(modeless(), std::vector<HWND>{map});
    EXPECT_EQ(state().windows.epromMap, map);
    EXPECT_EQ(ui::epromMapPage(map), 1);
    EXPECT_EQ(textOf(map, cellId(0x45)), L"C3");
    EXPECT_TRUE(IsWindowVisible(map));
}

}  // namespace
}  // namespace quarnel::test
