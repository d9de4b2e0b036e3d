// apply: brings back a table that `show --format csv` wrote and a spreadsheet
// edited. Each cell that differs from the image's own decoding becomes the
// `set` edit of its column; any refusal refuses the whole table.
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "cli/apply_columns.h"
#include "cli/channel_options.h"
#include "cli/commands.h"
#include "cli/csv_table.h"
#include "cli/diff_compare.h"
#include "cli/diff_text.h"
#include "cli/edit_guard.h"
#include "cli/loaded.h"
#include "cli/set_edit.h"
#include "cli/show_channels.h"
#include "cli/show_cw.h"
#include "model/layout.h"
#include "model/text_forms.h"

namespace quarnel::cli {

namespace {

struct Options {
    std::string file;
    std::string table;
    std::string out;
    bool dryRun = false;
    bool force = false;
    ChannelOptions bands;
};

// The image's own table, as `show --format csv` writes it: per channel, the
// cell of each column by name.
using ShownRow = std::map<std::string, std::string>;

std::map<int, ShownRow> shownTable(const Image& image, Band rxBand, Band txBand) {
    std::vector<int> numbers;
    const int modes = static_cast<int>(readField(image, Field::Modes));
    for (int n = 1; n <= modes; ++n) numbers.push_back(n);
    std::ostringstream csv;
    channelsCsv(decodeChannels(image, numbers, rxBand, txBand), csv);
    const CsvTable shown = readCsv(csv.str());
    std::map<int, ShownRow> out;
    for (std::size_t r = 1; r < shown.rows.size(); ++r) {
        const auto& cells = shown.rows[r].cells;
        if (cells.empty() || cells[0].empty()) continue;
        ShownRow row;
        for (std::size_t i = 0; i < cells.size() && i < shown.rows[0].cells.size(); ++i)
            row[shown.rows[0].cells[i]] = cells[i];
        out[std::stoi(cells[0])] = row;
    }
    return out;
}

// What a table asks for, and what it was refused.
class Application {
public:
    Application(Image& image, Band rxBand, Band txBand) : image_(image), rxBand_(rxBand), txBand_(txBand) {
        messages_ = displayedHeader(image).cwMessages;
        shown_ = shownTable(image, rxBand, txBand);
    }

    void run(const CsvTable& table);

    int applied = 0;                    // cells that changed the image
    std::vector<std::string> refusals;  // "row R (channel C), COLUMN: reason"

private:
    struct Column {
        std::size_t index;
        ApplyColumn def;
    };

    void refuse(const CsvRow& row, int channel, const std::string& column, const std::string& why) {
        std::string where = "row " + std::to_string(row.number);
        if (channel > 0) where += " (channel " + std::to_string(channel) + ")";
        refusals.push_back(where + (column.empty() ? "" : ", " + column) + ": " + why);
    }
    void edit(const CsvRow& row, int channel, const std::string& column, const std::string& field,
              const std::string& value) {
        const std::string why = applySetEdit(image_, field, channel, value, rxBand_, txBand_);
        if (why.empty())
            ++applied;
        else
            refuse(row, channel, column, why);
    }
    bool readHeader(const CsvRow& header);
    void applyRow(const CsvRow& row);
    const std::string* cell(const CsvRow& row, const std::string& column) const;
    void applyCode(const CsvRow& row, int channel, const Column& c, const ShownRow& shown);
    void applyMessage(const CsvRow& row, int channel, const Column& c, const std::string& text);

    Image& image_;
    Band rxBand_, txBand_;
    std::vector<std::string> messages_;
    std::map<int, ShownRow> shown_;
    std::vector<Column> columns_;
    std::size_t width_ = 0;           // cells up to the last named column
    std::map<int, int> rowOfChannel_;  // rows seen so far
};

bool Application::readHeader(const CsvRow& header) {
    for (std::size_t i = 0; i < header.cells.size(); ++i) {
        const std::string& name = header.cells[i];
        if (name.find_first_not_of(" \t") == std::string::npos) continue;  // an empty column
        const auto def = applyColumn(name);
        if (!def) {
            refuse(header, 0, name, "not a column that show --format csv writes");
            continue;
        }
        bool again = false;
        for (const auto& c : columns_) again = again || c.def.name == def->name;
        if (again) {
            refuse(header, 0, name, "the column appears twice");
            continue;
        }
        columns_.push_back({i, *def});
        width_ = i + 1;
    }
    const bool keyed = std::any_of(columns_.begin(), columns_.end(),
                                   [](const Column& c) { return c.def.kind == CellKind::Channel; });
    if (!keyed) refuse(header, 0, "", "there is no channel column, so no row names its channel");
    return keyed;
}

const std::string* Application::cell(const CsvRow& row, const std::string& column) const {
    for (const auto& c : columns_)
        if (c.def.name == column) return c.index < row.cells.size() ? &row.cells[c.index] : nullptr;
    return nullptr;
}

void Application::applyCode(const CsvRow& row, int channel, const Column& c, const ShownRow& shown) {
    // The pair is applied once, at its first column.
    const bool isType = c.def.kind == CellKind::CodeType;
    const std::string typeColumn = isType ? c.def.name : c.def.pair;
    const std::string codeColumn = isType ? c.def.pair : c.def.name;
    const std::string* typeCell = cell(row, typeColumn);
    const std::string* codeCell = cell(row, codeColumn);
    const std::string type = typeCell ? *typeCell : shown.at(typeColumn);
    const std::string code = codeCell ? *codeCell : shown.at(codeColumn);
    const bool typeChanged =
        cellMeaning(CellKind::CodeType, type) != cellMeaning(CellKind::CodeType, shown.at(typeColumn));
    const bool codeChanged = cellMeaning(CellKind::Code, code) != cellMeaning(CellKind::Code, shown.at(codeColumn));
    if (!typeChanged && !codeChanged) return;
    // Only the first column of the pair in the table acts for both.
    for (const auto& other : columns_)
        if ((other.def.name == typeColumn || other.def.name == codeColumn) && other.index < c.index) return;
    std::string why;
    if (cellMeaning(CellKind::CodeType, type) == "carrier" && codeChanged &&
        !cellMeaning(CellKind::Code, code).empty()) {
        refuse(row, channel, codeColumn, "Carrier has no tone or code; choose PL or DPL, or empty the cell");
        return;
    }
    const auto value = codeValue(type, code, why);
    if (!value) {
        refuse(row, channel, typeChanged ? typeColumn : codeColumn, why);
        return;
    }
    edit(row, channel, codeChanged && !typeChanged ? codeColumn : typeColumn, c.def.field, *value);
}

void Application::applyMessage(const CsvRow& row, int channel, const Column& c, const std::string& text) {
    // The channel's ID is chosen from the CW message list by its text.
    const std::string wanted = cellMeaning(CellKind::Message, text);
    std::vector<std::size_t> matches;
    for (std::size_t k = 0; k < messages_.size(); ++k)
        if (cellMeaning(CellKind::Message, messages_[k]) == wanted) matches.push_back(k);
    if (matches.size() != 1) {
        std::string list;
        for (const auto& m : messages_) list += (list.empty() ? "" : ", ") + ("\"" + m + "\"");
        refuse(row, channel, c.def.name,
               matches.empty() ? "\"" + text + "\" is not one of the CW messages (" +
                                     (list.empty() ? "there are none" : list) + ")"
                               : "\"" + text + "\" is more than one of the CW messages; set cw-message instead");
        return;
    }
    edit(row, channel, c.def.name, c.def.field, std::to_string(matches[0]));
}

void Application::applyRow(const CsvRow& row) {
    const std::string* key = cell(row, "channel");
    const std::string number = key ? cellMeaning(CellKind::Channel, *key) : "";
    int channel = 0;
    if (number.empty() || number.size() > 4 || number.find_first_not_of("0123456789") != std::string::npos ||
        !shown_.count(channel = std::stoi(number))) {
        refuse(row, 0, "channel", "\"" + (key ? *key : "") + "\" is not a channel of the image");
        return;
    }
    if (rowOfChannel_.count(channel)) {
        refuse(row, channel, "channel", "the channel's row is row " + std::to_string(rowOfChannel_[channel]));
        return;
    }
    rowOfChannel_[channel] = row.number;
    for (std::size_t i = width_; i < row.cells.size(); ++i)
        if (!cellMeaning(CellKind::Shown, row.cells[i]).empty())
            refuse(row, channel, "", "cell " + std::to_string(i + 1) + " lies beyond the last named column");
    const ShownRow& shown = shown_.at(channel);
    for (const auto& c : columns_) {
        if (c.index >= row.cells.size()) continue;  // a short row leaves the rest as it is
        const std::string& value = row.cells[c.index];
        const std::string& was = shown.at(c.def.name);
        switch (c.def.kind) {
        case CellKind::Channel: break;
        case CellKind::CodeType:
        case CellKind::Code: applyCode(row, channel, c, shown); break;
        default:
            if (cellMeaning(c.def.kind, value) == cellMeaning(c.def.kind, was)) break;
            if (c.def.kind == CellKind::Shown) {
                refuse(row, channel, c.def.name,
                       "only shows what other fields decide (it reads \"" + was + "\"); change those instead");
            } else if (c.def.kind == CellKind::Message) {
                applyMessage(row, channel, c, value);
            } else {
                std::string why;
                const auto v = setValue(c.def, value, why);
                if (v)
                    edit(row, channel, c.def.name, c.def.field, *v);
                else
                    refuse(row, channel, c.def.name, why);
            }
        }
    }
}

void Application::run(const CsvTable& table) {
    bool headerRead = false;
    for (const auto& row : table.rows) {
        if (row.empty()) continue;  // spreadsheets leave empty rows at the end
        if (!headerRead) {
            headerRead = true;
            if (!readHeader(row)) return;
            continue;
        }
        applyRow(row);
    }
}

bool readText(const std::string& file, std::string& text) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return !in.bad();
}

int runApply(const Options& opt) {
    if (opt.out.empty() && !opt.dryRun) {
        std::cerr << "quarnel-cli: apply: give -o OUT, or --dry-run to see the changes only\n";
        return kUsage;
    }
    if (!opt.out.empty() && !outputIsNotInput(opt.file, opt.out)) return kUsage;
    auto loaded = loadForCommand(opt.file);
    if (!loaded) return kUsage;
    for (const auto& n : loaded->notices) std::cerr << opt.file << ": " << n << "\n";
    std::string text;
    if (!readText(opt.table, text)) {
        std::cerr << "quarnel-cli: " << opt.table << ": cannot read: " << std::strerror(errno) << "\n";
        return kUsage;
    }
    const CsvTable table = readCsv(text);
    if (!table.error.empty()) {
        std::cerr << "quarnel-cli: " << opt.table << ": " << table.error << "\n";
        return kUsage;
    }
    if (!inputMayBeEdited(*loaded, opt.force)) return kRefused;

    const Band rxBand = bandOption(opt.bands.rxBand), txBand = bandOption(opt.bands.txBand);
    LoadedImage edited = *loaded;
    Application application(edited.image, rxBand, txBand);
    application.run(table);
    if (!application.refusals.empty()) {
        for (const auto& r : application.refusals) std::cerr << "quarnel-cli: " << opt.table << ": " << r << "\n";
        std::cerr << "quarnel-cli: " << opt.table << ": " << application.refusals.size()
                  << (application.refusals.size() == 1 ? " refusal" : " refusals") << "; nothing written\n";
        return kRefused;
    }
    if (opt.dryRun) {
        // The image as it would be saved, compared as `diff` compares.
        const std::uint16_t checksum = prepareForSave(edited.image);
        edited.file = opt.out.empty() ? opt.file : opt.out;
        edited.outcome.stored = edited.outcome.computed = checksum;
        edited.outcome.checksumOk = true;
        printDifferences(compareImages(*loaded, edited, rxBand, txBand), std::cout);
        std::cerr << opt.table << ":" << signedDecimal(application.applied)
                  << (application.applied == 1 ? " cell" : " cells") << " would change the image; nothing written\n";
        return kOk;
    }
    const int status = saveForCommand(edited.image, opt.out);
    if (status == kOk)
        std::cout << opt.out << ": saved, checksum " << hex4(readField(edited.image, Field::Checksum)) << ","
                  << signedDecimal(application.applied) << (application.applied == 1 ? " cell" : " cells")
                  << " applied\n";
    return status;
}

}  // namespace

void addApply(CLI::App& app, int& status) {
    auto* cmd = app.add_subcommand("apply", "Apply the edited cells of a table that show --format csv wrote");
    auto opt = std::make_shared<Options>();
    cmd->add_option("IMAGE", opt->file, "Image file (never changed)")->required();
    cmd->add_option("TABLE", opt->table, "CSV table, as show --format csv wrote it and a spreadsheet saved it")
        ->required();
    cmd->add_option("-o,--output", opt->out, "Where to save the edited image");
    cmd->add_flag("--dry-run", opt->dryRun, "Print the changes as diff does and write nothing");
    addForceOption(cmd, opt->force);
    addBandOptions(cmd, opt->bands);
    cmd->footer(
        "Reads \",\" or \";\" separated tables, quoted cells, a UTF-8 byte-order mark, CRLF line\n"
        "ends, empty trailing rows and columns, rows in any order and columns left out. Each\n"
        "cell that differs from the image's own decoding (read with the same --rx-band and\n"
        "--tx-band as show) is applied as set applies its field. Columns that only show\n"
        "(title, references, priority_conflict, notices) cannot be changed. All or nothing:\n"
        "every refusal is listed as \"row R (channel C), COLUMN: reason\", and nothing is\n"
        "written. Exit status: 0 saved (or shown), 2 usage or file error, 3 refused.");
    cmd->callback([opt, &status] { status = runApply(*opt); });
}

}  // namespace quarnel::cli
