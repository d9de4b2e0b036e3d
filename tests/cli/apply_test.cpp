// quarnel-cli apply: a table from `show --format csv`, saved the ways
// spreadsheets save it, comes back as the same edits `set` makes; any
// refusal refuses the whole table.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "tests/cli/run_cli.h"
#include "tests/support/sample_image.h"

using namespace quarnel;
using namespace quarnel::testing;

namespace {

using Table = std::vector<std::vector<std::string>>;

Table parse(const std::string& csv) {
    Table t;
    for (const auto& line : lines(csv)) {
        std::vector<std::string> cells;
        std::stringstream in(line);
        for (std::string cell; std::getline(in, cell, ',');) cells.push_back(cell);
        if (!line.empty() && line.back() == ',') cells.emplace_back();
        t.push_back(cells);
    }
    return t;
}

std::size_t column(const Table& t, const std::string& name) {
    return static_cast<std::size_t>(std::find(t[0].begin(), t[0].end(), name) - t[0].begin());
}

// How a spreadsheet saves the table.
struct Saving {
    const char* what;
    char separator = ',';
    bool bom = false;
    const char* lineEnd = "\n";
    bool quoteAll = false;
    bool reversed = false;      // rows in another order
    int trailingColumns = 0;    // empty cells after the last column
    int trailingRows = 0;       // empty rows at the end
    bool numbersReformatted = false;  // "448.85" for "448.8500", "23" for "023", "100" for "100.0"
};

std::string trimZeros(std::string cell) {
    if (cell.find('.') == std::string::npos || cell.find_first_not_of("0123456789.") != std::string::npos)
        return cell;
    while (cell.back() == '0') cell.pop_back();
    if (cell.back() == '.') cell.pop_back();
    return cell;
}

std::string save(Table t, const Saving& s) {
    if (s.reversed) std::reverse(t.begin() + 1, t.end());
    std::string out = s.bom ? "\xEF\xBB\xBF" : "";
    for (std::size_t r = 0; r < t.size(); ++r) {
        auto row = t[r];
        for (int i = 0; i < s.trailingColumns; ++i) row.emplace_back();
        for (std::size_t i = 0; i < row.size(); ++i) {
            std::string cell = row[i];
            if (r > 0 && s.numbersReformatted) {
                cell = trimZeros(cell);
                if (cell.size() == 3 && cell[0] == '0' && cell.find_first_not_of("01234567") == std::string::npos)
                    cell.erase(0, 1);
            }
            if (s.separator == ';' && r > 0 && cell.find('.') != std::string::npos &&
                cell.find_first_not_of("0123456789.") == std::string::npos)
                std::replace(cell.begin(), cell.end(), '.', ',');  // a decimal comma
            if (s.quoteAll) cell = "\"" + cell + "\"";
            out += (i ? std::string(1, s.separator) : "") + cell;
        }
        out += s.lineEnd;
    }
    for (int i = 0; i < s.trailingRows; ++i) out += std::string(t[0].size() - 1, s.separator) + s.lineEnd;
    return out;
}

struct Files {
    ScratchDir dir;
    std::string image = (dir / "site.bin").string();
    std::string table = (dir / "site.csv").string();
    std::string out = (dir / "out.bin").string();
    std::string expected = (dir / "expected.bin").string();
    Table shown;
    Files() {
        Image image = repeaterImage();
        saveImageFile(image, this->image);
        const CliResult show = runCli({"show", this->image, "--format", "csv"});
        EXPECT_EQ(show.status, 0);
        shown = parse(show.out);
    }
    void write(const std::string& text) const {
        writeBytes(table, std::vector<unsigned char>(text.begin(), text.end()));
    }
};

const Saving kSavings[] = {
    {"as show writes it"},
    {"LibreOffice, semicolons", ';', false, "\n", true, false, 0, 1, true},
    {"Excel, BOM and CRLF", ',', true, "\r\n", false, false, 2, 3, true},
    {"sorted the other way", ';', true, "\r\n", true, true, 1, 0, false},
};

}  // namespace

TEST(Apply, AnUnchangedTableWritesTheInputAgain) {
    Files f;
    for (const Saving& s : kSavings) {
        SCOPED_TRACE(s.what);
        f.write(save(f.shown, s));
        const CliResult run = runCli({"apply", f.image, f.table, "-o", f.out});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(readBytes(f.out), readBytes(f.image));
        EXPECT_NE(run.out.find(", 0 cells applied"), std::string::npos) << run.out;
    }
}

TEST(Apply, EditedCellsAreTheEditsSetMakes) {
    Files f;
    Table edited = f.shown;
    // Rows are counted from the header, so row i holds channel i.
    edited[2][column(edited, "tx_code")] = "103.5";
    edited[4][column(edited, "repeater_timer_s")] = "120";
    edited[4][column(edited, "rx_control_auxilary")] = "YES";
    edited[8][column(edited, "rx_frequency")] = "449.5";
    edited[15][column(edited, "local_priority")] = "disabled";
    ASSERT_EQ(runCli({"set", f.image, "-o", f.expected, "--channel", "2", "tx-code=pl:103.5"}).status, 0);
    ASSERT_EQ(runCli({"set", f.expected, "-o", f.expected + "2", "--channel", "4", "timer.repeater=120",
                      "rx-control.auxilary=on"}).status, 0);
    ASSERT_EQ(runCli({"set", f.expected + "2", "-o", f.expected + "3", "--channel", "8", "rx=449.5"}).status, 0);
    ASSERT_EQ(runCli({"set", f.expected + "3", "-o", f.expected, "--channel", "15", "priority.local=disabled"}).status, 0);
    for (const Saving& s : kSavings) {
        SCOPED_TRACE(s.what);
        f.write(save(edited, s));
        std::filesystem::remove(f.out);
        const CliResult dry = runCli({"apply", f.image, f.table, "-o", f.out, "--dry-run"});
        ASSERT_EQ(dry.status, 0) << dry.err;
        EXPECT_FALSE(std::filesystem::exists(f.out));
        const CliResult run = runCli({"apply", f.image, f.table, "-o", f.out});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find(", 5 cells applied"), std::string::npos) << run.out;
        EXPECT_EQ(readBytes(f.out), readBytes(f.expected));
        // The dry run printed what diff prints for the result.
        EXPECT_EQ(dry.out, runCli({"diff", f.image, f.out}).out);
    }
}

TEST(Apply, EveryRefusalIsListedAndNothingIsWritten) {
    Files f;
    Table t = f.shown;
    t[0].push_back("colour");
    for (std::size_t r = 1; r < t.size(); ++r) t[r].push_back("");
    t[1][column(t, "rx_reference")] = "RX Reference 5.000 KHz";
    t[2][column(t, "tx_code")] = "99.9";
    t[3][column(t, "rx_code_type")] = "PL";
    t[3][column(t, "rx_code")] = "";
    t[4][column(t, "wireline_timer_s")] = "20";
    t[5][column(t, "callsign")] = "NOCALL";
    t[6][column(t, "cw_id_enable")] = "maybe";
    t[7][column(t, "channel")] = "6";
    t[8][column(t, "channel")] = "40";
    t[9][column(t, "repeater_priority")] = "Lowest";  // a good cell among the bad ones
    f.write(save(t, kSavings[0]));
    const CliResult run = runCli({"apply", f.image, f.table, "-o", f.out});
    EXPECT_EQ(run.status, 3);
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_FALSE(std::filesystem::exists(f.out));
    const std::string p = "quarnel-cli: " + f.table + ": ";
    EXPECT_EQ(lines(run.err), (std::vector<std::string>{
                                  p + "row 1, colour: not a column that show --format csv writes",
                                  p + "row 2 (channel 1), rx_reference: only shows what other fields decide (it "
                                      "reads \"RX Reference 6.250 KHz\"); change those instead",
                                  p + "row 3 (channel 2), tx_code: \"99.9\" is not a tone of the PL list",
                                  p + "row 4 (channel 3), rx_code_type: PL needs a tone",
                                  p + "row 5 (channel 4), wireline_timer_s: \"20\" is not a time-out: none or a "
                                      "multiple of 15 seconds up to 465",
                                  p + "row 6 (channel 5), callsign: \"NOCALL\" is not one of the CW messages "
                                      "(\"WB6XYZ/R\", \"WB6XYZ\", \"DE WB6XYZ\")",
                                  p + "row 7 (channel 6), cw_id_enable: \"maybe\" is not on or off",
                                  p + "row 8 (channel 6), channel: the channel's row is row 7",
                                  p + "row 9, channel: \"40\" is not a channel of the image",
                                  p + "9 refusals; nothing written",
                              }));
}

TEST(Apply, TablesThatCannotBeReadAndBadReads) {
    Files f;
    const std::string out = f.out;
    f.write("channel,title\n1,\"Channel  1\n");
    CliResult run = runCli({"apply", f.image, f.table, "-o", out});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "quarnel-cli: " + f.table + ": row 2: a quoted cell is not closed\n");
    EXPECT_EQ(runCli({"apply", f.image, (f.dir / "none.csv").string(), "-o", out}).status, 2);
    EXPECT_EQ(runCli({"apply", f.image, f.table}).status, 2);  // neither -o nor --dry-run
    // A bad read is refused as set refuses it.
    auto bytes = readBytes(f.image);
    bytes[0x40] ^= 0x01;
    writeBytes(f.dir / "bad.bin", bytes);
    f.write(save(f.shown, kSavings[0]));
    run = runCli({"apply", (f.dir / "bad.bin").string(), f.table, "-o", out});
    EXPECT_EQ(run.status, 3);
    EXPECT_NE(run.err.find("stored"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(runCli({"apply", (f.dir / "bad.bin").string(), f.table, "-o", out, "--force"}).status, 0);
}
