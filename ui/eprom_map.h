// The EPROM map: a read-only window that pages through the first 2048 bytes
// of the image, 256 to a page, in hexadecimal under the radio addresses of
// their rows. Page 0 names the header fields over their bytes; pages 2 to 5
// mark the bytes of the CW area ("cw") and of the channel records ("RF").
// The map reads the image again at every page change, with the CW area and
// the channel count of the last channel display.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "ui/control_colours.h"
#include "ui/eprom_map_ids.h"
#include "ui/program_state.h"

namespace quarnel::ui {

constexpr int kEpromMapPages = 8;

// Opens the EPROM map at page 0 and returns it. Only one map is kept: while
// it is open, this brings it to the front and shows its page again from the
// image as it is now.
HWND showEpromMap(ProgramState& state);

// The page the map `window` shows (0 to 7).
int epromMapPage(HWND window);

// What a cell of the map shows besides its byte: the name label above it
// (text, colours, how many cells it spans, whether it is shown) and the
// cell's background. Colours may be kDefaultColour.
struct EpromMapCell {
    std::wstring name;
    COLORREF nameText = kDefaultColour;
    COLORREF nameBackground = kDefaultColour;
    COLORREF cellBackground = kDefaultColour;
    int nameCells = 1;
    bool nameShown = true;
};

using EpromMapMarks = std::array<EpromMapCell, ids::eprom::kCells>;

// The marks of page `page`: the header names on page 0, the CW area on pages
// 2 to 4 and the channel records on pages 3 to 5, from the image and the
// last channel display in `state`. `opening`: page 0 as the map opens, whose
// header cells are not grey yet.
EpromMapMarks epromMapMarks(const ProgramState& state, int page, bool opening = false);

}  // namespace quarnel::ui
