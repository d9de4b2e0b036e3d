// Reading a CSV table as spreadsheets save it: "," or ";" between cells,
// quoted cells (with "" for a quote, and line ends inside), a UTF-8
// byte-order mark, LF, CRLF or CR line ends.
#pragma once

#include <string>
#include <vector>

namespace quarnel::cli {

struct CsvRow {
    int number = 0;  // the spreadsheet's row number: the first row is 1
    std::vector<std::string> cells;
    bool empty() const;  // every cell is empty
};

struct CsvTable {
    char separator = ',';
    std::vector<CsvRow> rows;  // every row, empty ones included
    std::string error;         // why the text is not a table; "" when it is
};

// The separator is the one of "," and ";" that the first row uses outside
// quotes (";" when it has some and no ","), as a spreadsheet saving in a
// locale with a decimal comma writes it.
CsvTable readCsv(const std::string& text);

}  // namespace quarnel::cli
