#include "ui/eprom_map.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "model/layout.h"
#include "ui/control_state.h"
#include "ui/dialog_builder.h"
#include "ui/dialog_seam.h"
#include "ui/editor_notices.h"
#include "ui/eprom_map_ids.h"
#include "ui/reference_window.h"
#include "ui/text.h"

namespace quarnel::ui {

namespace {

namespace eprom = ids::eprom;
using K = ControlKind;

// ---- The layout --------------------------------------------------------

constexpr DialogFrame kFrame{WS_OVERLAPPEDWINDOW | WS_VSCROLL, 0, 410, 300, L"EPROM Map", 100, 60};

constexpr int kPageBytes = eprom::kCells;
constexpr long kRadioBase = 0x2000;  // radio address of image offset 0

// Controls of one kind laid out as a grid: control k (id firstId + k) sits
// in column k % perRow and row k / perRow, dx and dy dialog units apart.
struct ControlGrid {
    int firstId;
    int count;
    int perRow;
    ControlKind kind;
    short x, y, w, h;
    short dx, dy;
    unsigned flags;
    Font font;
};

constexpr unsigned kCentredLabel = kCentred | kVerticallyCentred;
constexpr short kStep = 23;     // from one column to the next
constexpr short kRowStep = 17;  // from one row to the next
constexpr short kNameWidth = 22;
constexpr short kNameHeight = 9;

// In creation order: column headings, byte cells, row headings, name labels
// (each just above its cell) and the lines under the rows.
const ControlGrid kGrids[] = {
    {eprom::kFirstColumnHeading, eprom::kColumns, eprom::kColumns, K::Label, 23, 11, 22, 11, kStep,
     0, kCentredLabel, Font::Dialog},
    {eprom::kFirstCell, eprom::kCells, eprom::kColumns, K::Label, 23, 30, 22, 10, kStep, kRowStep,
     kCentredLabel, Font::Dialog},
    {eprom::kFirstRowHeading, eprom::kRows, 1, K::Label, 3, 24, 20, 12, 0, kRowStep, kCentredLabel,
     Font::Dialog},
    {eprom::kFirstNameLabel, eprom::kCells, eprom::kColumns, K::Label, 23, 22, kNameWidth,
     kNameHeight, kStep, kRowStep, kCentredLabel, Font::Arial8},
    {eprom::kFirstRule, eprom::kRows, 1, K::Rule, 23, 38, 367, 1, 0, kRowStep, 0, Font::Dialog},
};

constexpr COLORREF kHeadingText = RGB(0, 0, 0);
constexpr COLORREF kHeadingBackground = RGB(204, 153, 204);
constexpr COLORREF kHeaderNameText = RGB(0, 0, 255);
constexpr COLORREF kHeaderBackground = RGB(204, 204, 204);
constexpr COLORREF kCwBackground = RGB(255, 165, 0);
constexpr COLORREF kRfBackground = RGB(0, 255, 127);

// The header fields named on page 0: the field, which of its bytes the name
// stands over, and how many cells the name spans. A name over two cells
// widens its label over the next cell, whose own label is hidden.
struct HeaderName {
    Field field;
    int byte;
    int cells;
};

const HeaderName kHeaderNames[] = {
    {Field::Checksum, 0, 2},   {Field::LastWord, 0, 2},   {Field::Version, 0, 2},
    {Field::Size, 0, 1},       {Field::Modes, 0, 1},      {Field::CwIdAddr, 0, 2},
    {Field::RfAddress, 0, 2},  {Field::IdTimeByte, 0, 1}, {Field::IdDelay, 0, 1},
    {Field::CwDelay, 0, 1},
    // The CW speed word is named over each of its two bytes.
    {Field::Speed, 0, 1},      {Field::Speed, 1, 1},
};

// What each page shows besides its bytes, and where its scroll box stands.
enum PageMarks : unsigned { kHeaderMarks = 1u << 0, kCwMarks = 1u << 1, kRfMarks = 1u << 2 };

struct PageSpec {
    int scrollPosition;
    unsigned marks;
};

constexpr int kScrollRange = 100;
const PageSpec kPages[kEpromMapPages] = {
    {0, kHeaderMarks}, {14, 0}, {28, kCwMarks}, {43, kCwMarks | kRfMarks},
    {57, kCwMarks | kRfMarks}, {71, kRfMarks}, {85, 0}, {100, 0},
};

struct EpromMap final : ReferenceWindow {
    using ReferenceWindow::ReferenceWindow;
    int page = 0;
    // The controls a page changes, kept as they are made: GetDlgItem asks
    // the window system every time, and a page has 256 cells.
    std::array<HWND, eprom::kCells> cells{};
    std::array<HWND, eprom::kCells> nameLabels{};
    std::array<HWND, eprom::kRows> rowHeadings{};
};

// ---- Helpers -------------------------------------------------------------

// The cell of page 0 a header name stands over.
int headerCell(const HeaderName& name) { return fieldSpec(name.field).offset + name.byte; }

long firstAddressOf(int page) { return kRadioBase + long{kPageBytes} * page; }

// ---- Building --------------------------------------------------------------

// The handles of a grid's controls, where the map keeps them.
HWND* keptHandles(EpromMap& map, int firstId) {
    switch (firstId) {
    case eprom::kFirstCell: return map.cells.data();
    case eprom::kFirstNameLabel: return map.nameLabels.data();
    case eprom::kFirstRowHeading: return map.rowHeadings.data();
    default: return nullptr;
    }
}

void createGrid(HWND window, EpromMap& map, const ControlGrid& grid) {
    HWND* kept = keptHandles(map, grid.firstId);
    const HFONT font = fontFor(window, map.state.fonts, grid.font);
    for (int k = 0; k < grid.count; ++k) {
        const ControlSpec control{grid.firstId + k,
                                  grid.kind,
                                  L"",
                                  static_cast<short>(grid.x + grid.dx * (k % grid.perRow)),
                                  static_cast<short>(grid.y + grid.dy * (k / grid.perRow)),
                                  grid.w,
                                  grid.h,
                                  grid.flags,
                                  grid.font};
        HWND made = createControl(window, control, font);
        if (kept) kept[k] = made;
    }
}

void labelColumns(HWND window, EpromMap& map) {
    for (int c = 0; c < eprom::kColumns; ++c) {
        SetDlgItemTextW(window, eprom::kFirstColumnHeading + c,
                        hexText(static_cast<unsigned>(c), 1).c_str());
        map.colours.set(eprom::kFirstColumnHeading + c, kHeadingText, kHeadingBackground);
    }
    for (int r = 0; r < eprom::kRows; ++r)
        map.colours.set(eprom::kFirstRowHeading + r, kHeadingText, kHeadingBackground);
}

// ---- The page's look ----------------------------------------------------------

void nameHeaderFields(EpromMapMarks& look) {
    for (const HeaderName& name : kHeaderNames) {
        EpromMapCell& cell = look[static_cast<std::size_t>(headerCell(name))];
        cell.name = widen(fieldSpec(name.field).name);
        cell.nameText = kHeaderNameText;
        cell.nameBackground = kHeaderBackground;
        cell.nameCells = name.cells;
        for (int k = 1; k < name.cells; ++k)
            look[static_cast<std::size_t>(headerCell(name) + k)].nameShown = false;
    }
}

void greyHeaderCells(EpromMapMarks& look) {
    for (const HeaderName& name : kHeaderNames)
        for (int k = 0; k < name.cells; ++k)
            look[static_cast<std::size_t>(headerCell(name) + k)].cellBackground = kHeaderBackground;
}

// Marks the cells of the page starting at radio address `pageStart` whose
// addresses lie from `first` to `last`, both included.
void markArea(EpromMapMarks& look, long pageStart, long first, long last, const wchar_t* text,
              COLORREF background) {
    const long from = std::max(first - pageStart, 0L);
    const long to = std::min(last - pageStart, long{kPageBytes - 1});
    for (long i = from; i <= to; ++i) {
        EpromMapCell& cell = look[static_cast<std::size_t>(i)];
        cell.name = text;
        cell.nameText = kDefaultColour;
        cell.nameBackground = background;
        cell.cellBackground = background;
    }
}

// The CW area as the last channel display found it; an area whose end lies
// before its start has no bytes.
void markCwArea(EpromMapMarks& look, const ProgramState& state, int page) {
    const CwState& cw = state.displayed.header.cw;
    if (cw.span < 0) return;
    markArea(look, firstAddressOf(page), cw.firstAddress, long{cw.firstAddress} + cw.span, L"cw",
             kCwBackground);
}

// The channel records: Modes (as last displayed) records of Size bytes from
// RF address, taken as a radio address as it stands.
void markRecords(EpromMapMarks& look, const ProgramState& state, int page) {
    const Image& image = state.image;
    const long first = static_cast<long>(readField(image, Field::RfAddress));
    const long length = long{state.displayed.header.modes} *
                        static_cast<long>(readField(image, Field::Size));
    if (length <= 0) return;
    markArea(look, firstAddressOf(page), first, first + length - 1, L"RF", kRfBackground);
}

// ---- Showing it ------------------------------------------------------------------

void setColours(EpromMap& map, int id, COLORREF text, COLORREF background) {
    if (text == kDefaultColour && background == kDefaultColour)
        map.colours.clear(id);
    else
        map.colours.set(id, text, background);
}

void showNameLabel(HWND window, HWND label, const EpromMapCell& cell) {
    setControlText(label, cell.name);
    const RECT size =
        dialogUnitsToPixels(window, 0, 0, kNameWidth + kStep * (cell.nameCells - 1), kNameHeight);
    RECT now;
    GetWindowRect(label, &now);
    if (now.right - now.left != size.right || now.bottom - now.top != size.bottom)
        SetWindowPos(label, nullptr, 0, 0, size.right, size.bottom,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const bool shown = (GetWindowLongPtrW(label, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != cell.nameShown) ShowWindow(label, cell.nameShown ? SW_SHOW : SW_HIDE);
}

// Every cell with the byte at its offset of the page, and with its look.
void showCells(HWND window, EpromMap& map, const EpromMapMarks& look) {
    const std::size_t first = static_cast<std::size_t>(kPageBytes) * map.page;
    for (int i = 0; i < kPageBytes; ++i) {
        const EpromMapCell& cell = look[static_cast<std::size_t>(i)];
        setControlText(map.cells[static_cast<std::size_t>(i)], hexText(map.state.image[first + i], 2));
        setColours(map, eprom::kFirstCell + i, kDefaultColour, cell.cellBackground);
        setColours(map, eprom::kFirstNameLabel + i, cell.nameText, cell.nameBackground);
        showNameLabel(window, map.nameLabels[static_cast<std::size_t>(i)], cell);
    }
}

void showRowHeadings(const EpromMap& map) {
    for (int r = 0; r < eprom::kRows; ++r) {
        const unsigned offset = static_cast<unsigned>(kPageBytes * map.page + eprom::kColumns * r);
        setControlText(map.rowHeadings[static_cast<std::size_t>(r)], L"2" + hexText(offset, 3));
    }
}

// Shows the map's page from the image as it is now, with its marks and its
// scroll box. In a window on the screen the controls change with its drawing
// turned off (each would draw itself at once otherwise), and the window is
// drawn once at the end. (Turning drawing back on shows a window, so a
// hidden one is left alone.)
void showPage(HWND window, EpromMap& map, bool opening = false) {
    const bool onScreen = IsWindowVisible(window) != FALSE;
    if (onScreen) SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    showCells(window, map, epromMapMarks(map.state, map.page, opening));
    showRowHeadings(map);
    if (onScreen) SendMessageW(window, WM_SETREDRAW, TRUE, 0);
    SetScrollPos(window, SB_VERT, kPages[map.page].scrollPosition, TRUE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// ---- Handlers ------------------------------------------------------------------

// The map opens at page 0, with the header fields named.
INT_PTR OnInitDialog(HWND window, LPARAM param) {
    attachReferenceWindow(window, param);
    EpromMap& map = *reinterpret_cast<EpromMap*>(param);
    for (const ControlGrid& grid : kGrids) createGrid(window, map, grid);
    labelColumns(window, map);
    SetScrollRange(window, SB_VERT, 0, kScrollRange, FALSE);
    map.page = 0;
    showPage(window, map, true);
    return FALSE;
}

// Line and page steps move one page and show it again, even at either end;
// other scroll codes (the thumb, top and bottom) change nothing.
void OnVScroll(HWND window, EpromMap& map, int code) {
    int step = 0;
    switch (code) {
    case SB_LINEUP:
    case SB_PAGEUP: step = -1; break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN: step = 1; break;
    default: return;
    }
    map.page = std::clamp(map.page + step, 0, kEpromMapPages - 1);
    showPage(window, map);
}

// The map takes no commands or notifications (Enter and Escape arrive as
// commands): it says so, and the message gets the default handling.
INT_PTR OnCommand() {
    showMessageBox(nullptr, L"command from eprom", nullptr, kModelBoxStyle);
    return FALSE;
}

INT_PTR OnNotify() {
    showMessageBox(nullptr, L"notify from eprom", nullptr, kModelBoxStyle);
    return FALSE;
}

INT_PTR CALLBACK EpromMapProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OnInitDialog(window, lParam);
    EpromMap* map = referenceWindowOf<EpromMap>(window);
    if (!map) return FALSE;
    switch (message) {
    case WM_VSCROLL:
        OnVScroll(window, *map, LOWORD(wParam));
        return TRUE;
    case WM_COMMAND:
        return OnCommand();
    case WM_NOTIFY:
        return OnNotify();
    }
    return OnReferenceWindowMessage(window, message, wParam, lParam);
}

}  // namespace

EpromMapMarks epromMapMarks(const ProgramState& state, int page, bool opening) {
    EpromMapMarks look;
    if (page < 0 || page >= kEpromMapPages) return look;
    const unsigned marks = kPages[page].marks;
    if (marks & kHeaderMarks) {
        nameHeaderFields(look);
        if (!opening) greyHeaderCells(look);
    }
    // Records marked after the CW area win where both lie.
    if (marks & kCwMarks) markCwArea(look, state, page);
    if (marks & kRfMarks) markRecords(look, state, page);
    return look;
}

HWND showEpromMap(ProgramState& state) {
    HWND open = state.windows.epromMap;
    if (EpromMap* map = open ? referenceWindowOf<EpromMap>(open) : nullptr) {
        showPage(open, *map);
        bringForward(open);
        return open;
    }
    HWND window = openReferenceWindow(std::make_unique<EpromMap>(state), kFrame, EpromMapProc);
    state.windows.epromMap = window;
    return window;
}

int epromMapPage(HWND window) {
    const EpromMap* map = referenceWindowOf<EpromMap>(window);
    return map ? map->page : 0;
}

}  // namespace quarnel::ui
