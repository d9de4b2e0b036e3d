// The columns of `show --format csv` as `apply` reads them back: which `set`
// field each one edits, how its cells compare, and which only show.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quarnel::cli {

enum class CellKind {
    Channel,    // the row's key
    Shown,      // shows what other fields decide (references, conflict, title, notices)
    Frequency,  // MHz as the display shows it
    CodeType,   // Carrier, PL or DPL; applied together with its code column
    Code,       // the tone or DPL code; applied together with its code-type column
    Check,      // yes or no
    Choice,     // a drop-down's entry ("None", "180", "Highest")
    Message,    // the text of the CW message the channel sends as its ID
};

struct ApplyColumn {
    std::string name;   // the CSV header
    CellKind kind;
    std::string field;  // the `set` field it edits; "" for Channel and Shown
    std::string pair;   // CodeType and Code: the other column of the pair
};

// The column named `header` (compared without regard to case), or nothing.
std::optional<ApplyColumn> applyColumn(const std::string& header);

// A cell reduced to what it says: blanks trimmed and runs of blanks made one,
// capitals made small, and for numbers the form a spreadsheet may have
// changed ("448.85" for "448.8500", "100" for "100.0", "23" for DPL "023",
// a decimal comma) made one.
std::string cellMeaning(CellKind kind, const std::string& cell);

// The `set` value for a cell ("on" for "yes"); codes take both cells of the
// pair: `type` ("PL") and `code` ("100"). Nothing, with `why` set, when the
// cells cannot be a value.
std::optional<std::string> setValue(const ApplyColumn& column, const std::string& cell, std::string& why);
std::optional<std::string> codeValue(const std::string& type, const std::string& code, std::string& why);

}  // namespace quarnel::cli
