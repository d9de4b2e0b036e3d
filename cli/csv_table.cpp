#include "cli/csv_table.h"

#include <algorithm>

namespace quarnel::cli {

namespace {

// The separator the first row uses outside quotes.
char detectSeparator(const std::string& text) {
    bool quoted = false;
    std::size_t commas = 0, semicolons = 0;
    for (char c : text) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\n' || c == '\r') break;
        commas += c == ',';
        semicolons += c == ';';
    }
    return semicolons > 0 && commas == 0 ? ';' : ',';
}

}  // namespace

bool CsvRow::empty() const {
    return std::all_of(cells.begin(), cells.end(), [](const std::string& c) { return c.empty(); });
}

CsvTable readCsv(const std::string& input) {
    CsvTable table;
    const std::string bom = "\xEF\xBB\xBF";
    const std::string text = input.compare(0, bom.size(), bom) == 0 ? input.substr(bom.size()) : input;
    table.separator = detectSeparator(text);

    CsvRow row;
    row.number = 1;
    std::string cell;
    bool quoted = false;      // inside a quoted cell
    bool wasQuoted = false;   // the cell being read began with a quote
    auto endCell = [&] {
        row.cells.push_back(cell);
        cell.clear();
        wasQuoted = false;
    };
    auto endRow = [&] {
        endCell();
        table.rows.push_back(row);
        row.cells.clear();
        ++row.number;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"') {
                cell += c;
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                cell += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"' && cell.empty() && !wasQuoted) {
            quoted = wasQuoted = true;
        } else if (c == table.separator) {
            endCell();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            endRow();
        } else {
            cell += c;
        }
    }
    if (quoted) {
        table.error = "row " + std::to_string(row.number) + ": a quoted cell is not closed";
        return table;
    }
    if (!cell.empty() || !row.cells.empty()) endRow();
    return table;
}

}  // namespace quarnel::cli
