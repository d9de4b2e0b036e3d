// quarnel-cli diff and dump on site images built by the tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "tests/cli/channel_images.h"
#include "tests/cli/run_cli.h"

using namespace quarnel;
using namespace quarnel::testing;
using Json = nlohmann::ordered_json;

namespace {

struct Pair {
    ScratchDir scratch;
    std::string a, b;
    Pair(const Image& first, const Image& second)
        : a(writeImage(scratch / "a.bin", first)), b(writeImage(scratch / "b.bin", second)) {}
};

Json diffJson(const Pair& p) {
    const CliResult run = runCli({"diff", p.a, p.b, "--format", "json"});
    EXPECT_EQ(run.status, 1) << run.err;
    return Json::parse(run.out);
}

// (channel, field) of each field difference.
std::vector<std::pair<Json, std::string>> fieldNames(const Json& doc) {
    std::vector<std::pair<Json, std::string>> out;
    for (const auto& f : doc["fields"]) out.emplace_back(f["channel"], f["field"].get<std::string>());
    return out;
}

std::size_t base(int channel) { return channelBase(siteImage(), channel).base; }

}  // namespace

TEST(Diff, ThreeEditsAreNamedExactly) {
    Image edited = siteImage();
    writeWord(edited, 0x1F, 85);                      // CW speed 12 wpm
    encodePl(edited, base(1), Direction::Receive, 14);  // channel 1 receive 103.5
    edited[base(3) + 17] |= 0x20;                     // channel 3 PL/DPL with ID
    Pair p(siteImage(), edited);

    const Json doc = diffJson(p);
    EXPECT_EQ(doc["a"], p.a);
    EXPECT_EQ(doc["b"], p.b);
    EXPECT_EQ(doc["identical"], false);
    EXPECT_EQ(doc["fields"], Json::parse(R"([
        {"channel": null, "field": "header.cw_speed_item", "a": 20, "b": 12,
         "a_text": "20 wpm", "b_text": "12 wpm"},
        {"channel": 1, "field": "rx.code_item", "a": 12, "b": 13, "a_text": "100.0 Hz", "b_text": "103.5 Hz"},
        {"channel": 3, "field": "id.pl_dpl_with_id", "a": false, "b": true}])"));
    EXPECT_EQ(doc["bytes"], Json::array());
    EXPECT_NE(doc["checksum"]["a"], doc["checksum"]["b"]);

    const CliResult text = runCli({"diff", p.a, p.b});
    EXPECT_EQ(text.status, 1);
    const auto out = lines(text.out);
    ASSERT_EQ(out.size(), 4u) << text.out;
    EXPECT_EQ(out[0], "header.cw_speed_item: 20 (20 wpm) -> 12 (12 wpm)");
    EXPECT_EQ(out[1], "channel 1 rx.code_item: 12 (100.0 Hz) -> 13 (103.5 Hz)");
    EXPECT_EQ(out[2], "channel 3 id.pl_dpl_with_id: false -> true");
    EXPECT_EQ(out[3].rfind("checksum: ", 0), 0u);
}

TEST(Diff, IdenticalImages) {
    Pair p(siteImage(), siteImage());
    CliResult run = runCli({"diff", p.a, p.b});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    run = runCli({"diff", p.a, p.b, "--format", "json"});
    EXPECT_EQ(run.status, 0);
    const Json doc = Json::parse(run.out);
    EXPECT_EQ(doc["identical"], true);
    EXPECT_TRUE(doc["fields"].empty());
    EXPECT_TRUE(doc["bytes"].empty());
}

TEST(Diff, AFrequencyIsNamedOnceWithItsTexts) {
    Image edited = siteImage();
    encodeFrequency(edited, base(1), Direction::Transmit, Band::Uhf, 444'000'000);
    Pair p(siteImage(), edited);
    EXPECT_EQ(diffJson(p)["fields"], Json::parse(R"([{"channel": 1, "field": "tx.hz",
        "a": 443850000, "b": 444000000, "a_text": "443.85000", "b_text": "444.00000"}])"));
    EXPECT_EQ(lines(runCli({"diff", p.a, p.b}).out)[0],
              "channel 1 tx.hz: 443850000 (443.85000) -> 444000000 (444.00000)");
}

TEST(Diff, BitsNoFieldShowsAreListedByOffset) {
    Image edited = siteImage();
    edited[0x09] = 0x55;               // a header byte without meaning
    edited[base(3) + 7] = 0x0A;        // TX Priority 0xCA: only bits 6-7 change
    edited[base(1) + 21] ^= 0x42;      // idle reference 1 -> 3, and bit 6 that nothing reads
    edited[0x800] = 0x00;              // behind every area
    Pair p(siteImage(), edited);
    const Json doc = diffJson(p);
    // The reference changes the idle frequency too; bit 6 of byte 21 changes nothing shown.
    EXPECT_EQ(fieldNames(doc),
              (std::vector<std::pair<Json, std::string>>{{1, "idle.hz"}, {1, "idle.reference"}}));
    const std::size_t b1 = base(1), b3 = base(3);
    const Json expected = {
        {{"offset_a", 0x09}, {"offset_b", 0x09}, {"where", "header byte 09"}, {"a", 0x00}, {"b", 0x55}},
        {{"offset_a", b1 + 21}, {"offset_b", b1 + 21}, {"where", "channel 1 byte 21"},
         {"a", siteImage()[b1 + 21]}, {"b", edited[b1 + 21]}},
        {{"offset_a", b3 + 7}, {"offset_b", b3 + 7}, {"where", "channel 3 byte 7"}, {"a", 0xCA}, {"b", 0x0A}},
        {{"offset_a", 0x800}, {"offset_b", 0x800}, {"where", nullptr}, {"a", 0xFF}, {"b", 0x00}},
    };
    EXPECT_EQ(doc["bytes"], expected);
    const std::string text = runCli({"diff", p.a, p.b}).out;
    EXPECT_NE(text.find("offset 08E (channel 3 byte 7): CA -> 0A\n"), std::string::npos) << text;
    EXPECT_NE(text.find("offset 800: FF -> 00\n"), std::string::npos) << text;
}

TEST(Diff, MovedRecordsAreComparedWhereEachImageKeepsThem) {
    // Adding a message grows the CW area and moves every record 21 bytes up.
    ScratchDir scratch;
    const std::string a = writeImage(scratch / "a.bin", siteImage());
    const std::string b = (scratch / "b.bin").string();
    ASSERT_EQ(runCli({"message", a, "-o", b, "--add"}).status, 0);
    const CliResult run = runCli({"diff", a, b, "--format", "json"});
    ASSERT_EQ(run.status, 1);
    const Json doc = Json::parse(run.out);
    std::vector<std::string> channelFields;
    for (const auto& f : doc["fields"])
        if (!f["channel"].is_null()) channelFields.push_back(f["field"]);
    EXPECT_EQ(channelFields, std::vector<std::string>(4, "base"));
    const auto names = fieldNames(doc);
    EXPECT_NE(std::find(names.begin(), names.end(), std::make_pair(Json(nullptr), std::string("messages[2]"))),
              names.end());
    for (const auto& byte : doc["bytes"]) EXPECT_TRUE(byte["where"].is_null()) << byte;
}

TEST(Diff, AChannelOnlyOneImageHas) {
    Image fewer = siteImage();
    fewer[0x08] = 3;  // Modes
    Pair p(siteImage(), fewer);
    const Json doc = diffJson(p);
    EXPECT_EQ(fieldNames(doc), (std::vector<std::pair<Json, std::string>>{
                                   {nullptr, "header.modes"}, {3, "tune"}, {4, "channel"}}));
    EXPECT_EQ(doc["fields"][2]["b"], nullptr);
    const std::string text = runCli({"diff", p.a, p.b}).out;
    EXPECT_NE(text.find("channel 3 tune: false (Channel  3) -> true (Tune Channel)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("channel 4: only in A\n"), std::string::npos) << text;
}

TEST(Diff, UnreadableInputAndUsage) {
    ScratchDir scratch;
    const std::string a = writeImage(scratch / "a.bin", siteImage());
    const std::string missing = (scratch / "missing.bin").string();
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"diff", a, missing}, {"diff", missing, a}, {"diff", a}, {"diff", a, a, "--format", "csv"}}) {
        const CliResult run = runCli(args);
        EXPECT_EQ(run.status, 2) << run.err;
        EXPECT_TRUE(run.out.empty());
        EXPECT_FALSE(run.err.empty());
    }
    EXPECT_NE(runCli({"diff", a, missing}).err.find("missing.bin: cannot read:"), std::string::npos);
}

TEST(Dump, RowsNamesAndMarks) {
    ScratchDir scratch;
    const std::string file = writeImage(scratch / "site.bin", siteImage());
    const auto bytes = readBytes(file);
    const CliResult run = runCli({"dump", file});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto out = lines(run.out);
    auto rowIndex = [&](const std::string& address) {
        for (std::size_t i = 0; i < out.size(); ++i)
            if (out[i].rfind(address + "  ", 0) == 0) return i;
        return out.size();
    };
    // Row 2000 holds the first 16 bytes.
    const std::size_t first = rowIndex("2000");
    ASSERT_LT(first, out.size()) << run.out;
    char expected[64];
    std::snprintf(expected, sizeof expected, "2000  %02X %02X %02X %02X", bytes[0], bytes[1], bytes[2], bytes[3]);
    EXPECT_EQ(out[first].rfind(expected, 0), 0u) << out[first];
    // Each header name stands over the first byte of its field, in one of
    // the lines just above its row.
    const struct {
        const char* name;
        std::size_t offset;
    } names[] = {{"Checksum", 0x00}, {"Last Word", 0x02}, {"Version", 0x04}, {"Size", 0x07},
                 {"Modes", 0x08},    {"CW ID addr", 0x11}, {"RF address", 0x17}, {"IDtime", 0x1C},
                 {"IDDly", 0x1D},    {"CWDly", 0x1E},      {"speed", 0x1F}};
    for (const auto& n : names) {
        const std::size_t row = rowIndex(n.offset < 16 ? "2000" : "2010");
        const std::size_t column = 6 + 3 * (n.offset % 16);
        bool found = false;
        for (std::size_t i = row; i-- > 0 && out[i].rfind("20", 0) != 0 && !found;)
            found = out[i].size() > column && out[i].compare(column, std::string(n.name).size(), n.name) == 0;
        EXPECT_TRUE(found) << n.name;
    }
    EXPECT_NE(out[rowIndex("2030")].find("CW area"), std::string::npos);
    EXPECT_NE(out[rowIndex("2050")].find("channel 1 at 205B"), std::string::npos) << out[rowIndex("2050")];
    // Rows of 0xFF behind the records collapse; the last row is shown.
    EXPECT_NE(std::find(out.begin(), out.end(), "*"), out.end());
    EXPECT_EQ(out.back(), "2FF0  FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF");
    EXPECT_EQ(runCli({"dump", (scratch / "missing.bin").string()}).status, 2);
}

TEST(Diff, PositionsAndLevelsCarryWhatTheEditorShows) {
    Image edited = siteImage();
    edited[base(1) + 10] = 0x84;  // drop-out 4 s, repeater time-out 60 s
    edited[base(1) + 7] = 0x31;   // wireline Lowest
    edited[0x1D] = 0x50;          // re-key delay beyond the list
    changeCodeType(edited, base(3), Direction::Transmit, CodeType::Dpl);
    encodeDpl(edited, base(3), Direction::Transmit, 83);
    Pair p(siteImage(), edited);
    const std::string text = runCli({"diff", p.a, p.b}).out;
    for (const char* line : {"header.rekey_delay_item: 3 (960 ms) -> null (no selection)\n",
                             "channel 1 priority.wireline: 2 (Middle) -> 3 (Lowest)\n",
                             "channel 1 timers.repeater_item: 12 (180 s) -> 4 (60 s)\n",
                             "channel 1 timers.dropout_item: 3 (3 s) -> 4 (4 s)\n",
                             "channel 3 tx.code_type: \"carrier\" -> \"dpl\"\n",
                             "channel 3 tx.code_item: null (no selection) -> 82 (754)\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << text;
}
