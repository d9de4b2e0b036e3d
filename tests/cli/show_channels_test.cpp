// quarnel-cli show: the channels in JSON, text and CSV, the channel and band
// options, and verify's code check.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "tests/cli/channel_images.h"
#include "tests/cli/run_cli.h"

using namespace quarnel;
using namespace quarnel::testing;
using Json = nlohmann::json;

TEST(ShowChannels, JsonChannels) {
    ScratchDir scratch;
    const std::string file = writeImage(scratch / "repeater.bin", channelImage());
    const CliResult run = runCli({"show", file, "--format", "json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Json doc = Json::parse(run.out);
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

TEST(ShowChannels, Csv) {
    ScratchDir scratch;
    const std::string file = writeImage(scratch / "repeater.bin", channelImage());
    const CliResult run = runCli({"show", file, "--format", "csv"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto out = lines(run.out);
    ASSERT_EQ(out.size(), 5u);
    EXPECT_EQ(out[0].rfind("number,tune,base,title,rx_hz,rx_text,rx_reference,rx_reference_text,"
                           "rx_code_type,rx_code_item,rx_inverted,tx_hz,",
                           0),
              0u)
        << out[0];
    EXPECT_NE(out[0].find(",priority_conflict,"), std::string::npos);
    EXPECT_NE(out[0].find(",id_message_item,"), std::string::npos);
    EXPECT_EQ(out[0].substr(out[0].size() - 8), ",notices");
    EXPECT_EQ(out[1].rfind("1,false,91,Channel  1,448850000,448.8500,1,RX Reference 6.250 KHz,pl,12,false,", 0), 0u)
        << out[1];
    EXPECT_EQ(out[2].substr(out[2].size() - 46), ",RX PL not found: 197Hz; TX DPL not found: 305") << out[2];
    EXPECT_NE(out[3].find(",repeater; local,"), std::string::npos) << out[3];
    // Every row has the header's column count (no field holds a comma).
    for (const auto& l : out)
        EXPECT_EQ(std::count(l.begin(), l.end(), ','), std::count(out[0].begin(), out[0].end(), ','));
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
