// Control identifiers of the EPROM map. The map is a grid of 16 rows by 16
// columns; the controls of each kind are numbered from a base, by column c,
// row r or cell i = 16r + c.
#pragma once

namespace quarnel::ui::ids::eprom {

constexpr int kColumns = 16;
constexpr int kRows = 16;
constexpr int kCells = kColumns * kRows;  // the 256 bytes of one page

constexpr int kFirstCell = 2000;           // + i: the byte, two hexadecimal digits
constexpr int kFirstColumnHeading = 7000;  // + c: "0" to "F"
constexpr int kFirstRowHeading = 7100;     // + r: the row's radio address, "2000" ...
constexpr int kFirstRule = 7300;           // + r: the etched line under row r
constexpr int kFirstNameLabel = 8100;      // + i: field name or mark above the byte

}  // namespace quarnel::ui::ids::eprom
