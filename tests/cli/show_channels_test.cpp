// quarnel-cli show: the channels in JSON, text and CSV, the channel and band
// options, and verify's code check.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "tests/cli/channel_images.h"
#include "tests/cli/json_leaves.h"
#include "tests/cli/run_cli.h"

using namespace quarnel;
using namespace quarnel::testing;
using Json = nlohmann::json;

TEST(ShowChannels, JsonChannels) {
    ScratchDir scratch;
    const std::string file = writeImage(scratch / "repeater.bin", channelImage());
    const CliResult run = runCli({"show", file, "--format", "json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Json doc = withoutItemTexts(Json::parse(run.out));
    const Json& channels = doc.at("channels");
    ASSERT_EQ(channels.size(), 4u);

    const Json& c = channels[0];
    const auto ordered = nlohmann::ordered_json::parse(run.out);
    std::vector<std::string> keys;
    for (const auto& item : ordered["channels"][0].items()) keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"number", "tune", "base", "title", "rx", "tx", "idle",
                                              "rx_control", "repeater_activate", "repeater_hold",
                                              "priority", "timers", "id", "alarms", "audio", "notices"}));
    EXPECT_EQ(c["number"], 1);
    EXPECT_EQ(c["tune"], false);
    EXPECT_EQ(c["base"], 0x05B);
    EXPECT_EQ(c["title"], "Channel  1");
    EXPECT_EQ(c["rx"], Json::parse(R"({"hz": 448850000, "text": "448.8500", "reference": 1,
        "reference_text": "RX Reference 6.250 KHz", "code_type": "pl", "code_item": 12, "inverted": false})"));
    EXPECT_EQ(c["tx"], Json::parse(R"({"hz": 443850000, "text": "443.85000", "reference": 1,
        "reference_text": "TX Reference 6.250 KHz", "code_type": "dpl", "code_item": 0, "inverted": false})"));
    EXPECT_EQ(c["idle"], Json::parse(R"({"hz": 443850000, "text": "443.8500", "reference": 1,
        "reference_text": "Idle Ref 6.250 KHz"})"));
    EXPECT_EQ(c["rx_control"], Json::parse(R"({"carrier": true, "code": false, "auxilary": false})"));
    EXPECT_EQ(c["repeater_activate"], Json::parse(R"({"carrier": true, "code": false, "auxilary": false})"));
    EXPECT_EQ(c["repeater_hold"], Json::parse(R"({"carrier": true, "code": false, "auxilary": false})"));
    EXPECT_EQ(c["priority"], Json::parse(R"({"repeater": 1, "local": 0, "wireline": 2, "conflict": []})"));
    EXPECT_EQ(c["timers"], Json::parse(
        R"({"wireline_item": 0, "repeater_item": 12, "local_item": 0, "dropout_item": 0})"));
    EXPECT_EQ(c["id"], Json::parse(R"({"cw_id_enable": true, "pl_dpl_with_id": false,
        "id_during_activity": false, "message_item": 0})"));
    EXPECT_EQ(c["alarms"], Json::parse(R"({"mute_on_wireline": false, "enable_over_air": false})"));
    EXPECT_EQ(c["audio"], Json::parse(R"({"repeater": true, "local_mic": false})"));
    EXPECT_EQ(c["notices"], Json::array());

    const Json& missing = channels[1];
    EXPECT_EQ(missing["rx"]["code_item"], nullptr);
    EXPECT_EQ(missing["tx"]["code_item"], nullptr);
    EXPECT_EQ(missing["tx"]["inverted"], true);
    EXPECT_EQ(missing["notices"], Json::parse(R"(["RX PL not found: 197Hz", "TX DPL not found: 305"])"));
    EXPECT_EQ(missing["rx"]["text"], "Disabled");
    EXPECT_EQ(missing["rx"]["reference_text"], "oops");

    EXPECT_EQ(channels[2]["priority"], Json::parse(
        R"({"repeater": 2, "local": 2, "wireline": 0, "conflict": ["repeater", "local"]})"));
    EXPECT_EQ(channels[3]["title"], "Tune Channel");
    EXPECT_EQ(channels[3]["tune"], true);

    // The document keeps its order, the channels before the problems.
    std::vector<std::string> top;
    for (const auto& item : ordered.items()) top.push_back(item.key());
    EXPECT_EQ(top.back(), "problems");
    EXPECT_EQ(top[top.size() - 2], "channels");
}

TEST(ShowChannels, ShowNeverChangesTheImage) {
    // Displaying rewrites TX Priority in the editor; show decodes a copy only.
    ScratchDir scratch;
    const std::string file = writeImage(scratch / "repeater.bin", channelImage());
    const auto before = readBytes(file);
    ASSERT_EQ(runCli({"show", file, "--format", "json"}).status, 0);
    ASSERT_EQ(runCli({"show", file}).status, 0);
    EXPECT_EQ(readBytes(file), before);
}

TEST(ShowChannels, ChannelAndBandOptions) {
    ScratchDir scratch;
    Image image = channelImage();
    const std::size_t base = channelBase(image, 2).base;
    encodeFrequency(image, base, Direction::Receive, Band::Vhf, 146'520'000);
    encodeFrequency(image, base, Direction::Transmit, Band::Band800, 806'000'000);
    const std::string file = writeImage(scratch / "bands.bin", image);

    CliResult run = runCli({"show", file, "--format", "json", "--channel", "2", "--rx-band", "vhf",
                              "--tx-band", "800"});
    ASSERT_EQ(run.status, 0) << run.err;
    Json channels = Json::parse(run.out).at("channels");
    ASSERT_EQ(channels.size(), 1u);
    EXPECT_EQ(channels[0]["number"], 2);
    EXPECT_EQ(channels[0]["rx"]["text"], "146.5200");
    EXPECT_EQ(channels[0]["rx"]["hz"], 146'520'000);
    EXPECT_EQ(channels[0]["tx"]["text"], "806.00000");

    run = runCli({"show", file, "--format", "json", "--channel", "2"});
    ASSERT_EQ(run.status, 0);
    EXPECT_NE(Json::parse(run.out)["channels"][0]["rx"]["text"], "146.5200");

    for (const char* bad : {"0", "5", "x"}) {
        run = runCli({"show", file, "--channel", bad});
        EXPECT_EQ(run.status, 2) << bad;
        EXPECT_NE(run.err.find("there is no channel"), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_EQ(runCli({"show", file, "--rx-band", "hf"}).status, 2);
    EXPECT_EQ(runCli({"show", file, "--format", "xml"}).status, 2);
    EXPECT_EQ(runCli({"show", (scratch / "absent.bin").string()}).status, 2);
}

TEST(ShowChannels, TextTable) {
    ScratchDir scratch;
    const std::string file = writeImage(scratch / "repeater.bin", channelImage());
    const CliResult run = runCli({"show", file});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto out = lines(run.out);
    auto row = [&](const std::string& start) {
        for (const auto& l : out)
            if (l.rfind(start, 0) == 0) return l;
        return std::string();
    };
    const std::string header = row("Ch  ");
    ASSERT_FALSE(header.empty()) << run.out;
    const std::string first = row("1   ");
    EXPECT_NE(first.find("Channel  1"), std::string::npos) << first;
    EXPECT_NE(first.find("448.8500"), std::string::npos);
    EXPECT_NE(first.find("PL 100.0"), std::string::npos);
    EXPECT_NE(first.find("DPL 023"), std::string::npos);
    // Columns line up: the RX MHz column starts at the same place in each row.
    EXPECT_EQ(first.find("448.8500"), header.find("RX MHz"));
    EXPECT_NE(row("3   ").find("R2! W0 L2!"), std::string::npos);
    EXPECT_NE(row("4   ").find("Tune Channel"), std::string::npos);
    EXPECT_FALSE(row("Channel 2: RX PL not found: 197Hz").empty());
    EXPECT_FALSE(row("Channel 2: TX DPL not found: 305").empty());
}

// Splits one CSV row (fields quoted when they hold a comma or a quote).
std::vector<std::string> csvFields(const std::string& row) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (std::size_t i = 0; i < row.size(); ++i) {
        const char c = row[i];
        if (quoted && c == '"' && i + 1 < row.size() && row[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

TEST(ShowChannels, CsvShowsTheEditorsTexts) {
    ScratchDir scratch;
    const std::string file = writeImage(scratch / "site.bin", siteImage());
    const CliResult run = runCli({"show", file, "--format", "csv"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto out = lines(run.out);
    ASSERT_EQ(out.size(), 5u);
    const auto header = csvFields(out[0]);
    EXPECT_EQ(header.front(), "channel");
    EXPECT_EQ(header.back(), "notices");
    std::vector<std::vector<std::string>> rows;
    for (std::size_t i = 1; i < out.size(); ++i) {
        rows.push_back(csvFields(out[i]));
        ASSERT_EQ(rows.back().size(), header.size()) << out[i];
    }
    auto cell = [&](int channel, const std::string& column) {
        const auto at = std::find(header.begin(), header.end(), column);
        EXPECT_NE(at, header.end()) << column;
        if (at == header.end()) return std::string("?");
        return rows[static_cast<std::size_t>(channel - 1)][static_cast<std::size_t>(at - header.begin())];
    };
    const struct {
        int channel;
        const char* column;
        const char* value;
    } cases[] = {
        {1, "channel", "1"},
        {1, "title", "Channel  1"},
        {1, "rx_frequency", "448.8500"},
        {1, "rx_reference", "RX Reference 6.250 KHz"},
        {1, "rx_code_type", "PL"},
        {1, "rx_code", "100.0"},
        {1, "rx_invert_dpl", "no"},
        {1, "tx_code_type", "DPL"},
        {1, "tx_code", "023"},
        {1, "wireline_timer_s", "120"},
        {1, "repeater_timer_s", "180"},
        {1, "local_mic_timer_s", "60"},
        {1, "drop_out_delay_s", "3"},
        {1, "repeater_priority", "Highest"},
        {1, "wireline_priority", "Middle"},
        {1, "local_priority", "Disabled"},
        {1, "priority_conflict", ""},
        {1, "callsign", "AB1CDE"},
        {1, "mute_on_wireline", "yes"},
        {1, "enable_over_air", "no"},
        {1, "local_mic_audio", "yes"},
        {1, "notices", ""},
        // Codes missing from the tables: no selection, the notices name them.
        {2, "rx_code_type", "PL"},
        {2, "rx_code", ""},
        {2, "tx_code_type", "DPL"},
        {2, "tx_code", ""},
        {2, "wireline_timer_s", "None"},
        {2, "drop_out_delay_s", "None"},
        {2, "notices", "RX PL not found: 197Hz; TX DPL not found: 305"},
        {3, "repeater_priority", "Middle"},
        {3, "local_priority", "Middle"},
        {3, "priority_conflict", "Repeater; Local"},
        {3, "rx_code_type", "Carrier"},
        {3, "rx_code", ""},
        {4, "title", "Tune Channel"},
    };
    for (const auto& c : cases) EXPECT_EQ(cell(c.channel, c.column), c.value) << c.channel << " " << c.column;
}

TEST(ShowChannels, UnreachableChannelsAreLeftOutAndNamed) {
    ScratchDir scratch;
    SampleLayout layout;
    layout.modes = 200;  // 200 x 22 bytes from 0x05B: channels 183 on lie outside
    const std::string file = writeImage(scratch / "long.bin", sampleImage(layout));
    const CliResult run = runCli({"show", file, "--format", "json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Json doc = Json::parse(run.out);
    EXPECT_EQ(doc["channels"].size(), 182u);
    EXPECT_EQ(doc["channels"].back()["number"], 182);
    EXPECT_EQ(doc["problems"], Json::parse(R"(["Channels 183 to 200 lie outside the image"])"));
}

TEST(VerifyCodes, CodesMissingFromTheTablesFail) {
    ScratchDir scratch;
    const std::string bad = writeImage(scratch / "bad.bin", channelImage());
    Image good = channelImage();
    good[channelBase(good, 2).base + 15] = 0x00;  // channel 2 back to Carrier
    const std::string fine = writeImage(scratch / "good.bin", good);
    CliResult run = runCli({"verify", fine});
    EXPECT_EQ(run.status, 0) << run.out;
    run = runCli({"verify", bad});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("channel 2: RX PL not found: 197Hz; channel 2: TX DPL not found: 305"),
              std::string::npos)
        << run.out;
}
