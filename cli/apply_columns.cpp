#include "cli/apply_columns.h"

#include <algorithm>

#include "cli/set_edit.h"
#include "model/values.h"

namespace quarnel::cli {

namespace {

// Every column `show --format csv` writes: the columns of the value table's
// channel values, and the ones that only show what other values decide.
const std::vector<ApplyColumn>& columns() {
    static const std::vector<ApplyColumn> table = [] {
        std::vector<ApplyColumn> t = {
            {"channel", CellKind::Channel, "", ""},
            {"title", CellKind::Shown, "", ""},
            {"priority_conflict", CellKind::Shown, "", ""},
            {"notices", CellKind::Shown, "", ""},
        };
        for (const ValueSpec& row : valueTable()) {
            if (row.header()) continue;
            const std::string column = row.column, key = row.key;
            switch (row.kind) {
            case ValueKind::Frequency:
                t.push_back({column + "_frequency", CellKind::Frequency, key, ""});
                t.push_back({column + "_reference", CellKind::Shown, "", ""});
                break;
            case ValueKind::Code:
                t.push_back({column + "_code_type", CellKind::CodeType, key, column + "_code"});
                t.push_back({column + "_code", CellKind::Code, key, column + "_code_type"});
                break;
            case ValueKind::Bit: t.push_back({column, CellKind::Check, key, ""}); break;
            case ValueKind::Choice:
            case ValueKind::Timer:
            case ValueKind::Priority:
                t.push_back({column, row.list == ChoiceList::CwMessage && row.kind == ValueKind::Choice
                                         ? CellKind::Message
                                         : CellKind::Choice,
                             key, ""});
                break;
            }
        }
        return t;
    }();
    return table;
}

std::string words(const std::string& cell) {
    std::string out;
    for (char c : cell) {
        if (c == ' ' || c == '\t') {
            if (!out.empty() && out.back() != ' ') out += ' ';
            continue;
        }
        out += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

// "0448,8500" -> "448.85", "100.0" -> "100", "023" -> "23"; other texts as they are.
std::string number(std::string text) {
    for (char& c : text)
        if (c == ',') c = '.';
    if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos ||
        std::count(text.begin(), text.end(), '.') > 1)
        return text;
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    while (text.size() > 1 && text[0] == '0' && text[1] != '.') text.erase(0, 1);
    return text;
}

}  // namespace

std::optional<ApplyColumn> applyColumn(const std::string& header) {
    const std::string name = canonicalFieldName(words(header));
    for (const auto& c : columns())
        if (c.name == name) return c;
    return std::nullopt;
}

std::string cellMeaning(CellKind kind, const std::string& cell) {
    const std::string w = words(cell);
    switch (kind) {
    case CellKind::Frequency:
    case CellKind::Code: return number(w);
    case CellKind::Check: return w == "on" ? "yes" : w == "off" ? "no" : w;
    case CellKind::Choice: return w == "0" ? "none" : number(w);
    default: return w;
    }
}

std::optional<std::string> setValue(const ApplyColumn& column, const std::string& cell, std::string& why) {
    const std::string w = words(cell);
    if (w.empty()) {
        why = "empty";
        return std::nullopt;
    }
    if (column.kind == CellKind::Frequency) {
        // MHz with a decimal point or comma; a spreadsheet writes a whole
        // number of MHz ("449") without one, which the editor's digit entry
        // (at least five digits) never is.
        std::string mhz = w;
        for (char& c : mhz)
            if (c == ',') c = '.';
        if (mhz.find('.') == std::string::npos && mhz.size() <= 4) mhz += ".0";
        return mhz;
    }
    return w;
}

std::optional<std::string> codeValue(const std::string& type, const std::string& code, std::string& why) {
    const std::string t = words(type);
    const std::string c = number(words(code));
    if (t == "carrier") return std::string("carrier");
    if (t != "pl" && t != "dpl") {
        why = "\"" + type + "\" is not Carrier, PL or DPL";
        return std::nullopt;
    }
    if (c.empty()) {
        why = t == "pl" ? "PL needs a tone" : "DPL needs a code";
        return std::nullopt;
    }
    return t + ":" + c;
}

}  // namespace quarnel::cli
