// quarnel-cli set for the option and list fields: each value form lands on
// exactly the field `show` reports, and values outside the lists are refused
// with nothing written.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/cli/channel_images.h"
#include "tests/cli/json_leaves.h"
#include "tests/cli/refused_set.h"
#include "tests/cli/run_cli.h"

using namespace quarnel;
using namespace quarnel::testing;
using Json = nlohmann::ordered_json;

namespace {

Json show(const std::string& file) {
    const CliResult run = runCli({"show", file, "--format", "json"});
    EXPECT_EQ(run.status, 0) << run.err;
    Json doc = withoutItemTexts(Json::parse(run.out));
    doc.erase("file");
    doc.erase("checksum");  // follows every edit
    return doc;
}

}  // namespace

TEST(SetFields, EachFieldChangesExactlyWhatShowReports) {
    // Channel 3 of the channel image starts with every option off, the
    // timers at None, TX Priority 0xCA (Repeater and Local Middle) and the
    // CW speed at 20 wpm with both delays at 240 ms.
    const struct {
        const char* edit;
        const char* path;  // in the show document; channel fields under channels[2]
        Json value;
    } cases[] = {
        {"rx-control.carrier=on", "channels[2].rx_control.carrier", true},
        {"rx-control.code=on", "channels[2].rx_control.code", true},
        {"rx-control.auxilary=on", "channels[2].rx_control.auxilary", true},
        {"repeater-activate.carrier=on", "channels[2].repeater_activate.carrier", true},
        {"repeater-activate.code=on", "channels[2].repeater_activate.code", true},
        {"repeater-activate.auxilary=on", "channels[2].repeater_activate.auxilary", true},
        {"repeater-hold.carrier=on", "channels[2].repeater_hold.carrier", true},
        {"repeater-hold.code=on", "channels[2].repeater_hold.code", true},
        {"repeater-hold.auxilary=on", "channels[2].repeater_hold.auxilary", true},
        {"cw-id=on", "channels[2].id.cw_id_enable", true},
        {"pl-with-id=on", "channels[2].id.pl_dpl_with_id", true},
        {"id-during-activity=on", "channels[2].id.id_during_activity", true},
        {"alarm.mute-on-wireline=on", "channels[2].alarms.mute_on_wireline", true},
        {"alarm.enable-over-air=on", "channels[2].alarms.enable_over_air", true},
        {"audio.repeater=on", "channels[2].audio.repeater", true},
        {"audio.local-mic=on", "channels[2].audio.local_mic", true},
        {"priority.wireline=lowest", "channels[2].priority.wireline", 3},
        {"timer.wireline=465", "channels[2].timers.wireline_item", 31},
        {"timer.repeater=15", "channels[2].timers.repeater_item", 1},
        {"timer.local=180", "channels[2].timers.local_item", 12},
        {"dropout=7", "channels[2].timers.dropout_item", 7},
        {"cw-message=1", "channels[2].id.message_item", 1},
        {"cw-speed=32", "header.cw_speed_item", 32},
        {"cw-speed=1", "header.cw_speed_item", 1},
        {"cw-speed=>32", "header.cw_speed_item", 32},  // stored as 32 wpm, shown so
        {"id-timer=31", "header.id_timer_item", 31},
        {"rekey-delay=15360", "header.rekey_delay_item", 63},
        {"tone-delay=720", "header.tone_start_delay_item", 2},
    };
    ScratchDir scratch;
    const std::string in = writeImage(scratch / "in.bin", channelImage());
    const Leaves before = leavesOf(show(in));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edit);
        const std::string out = (scratch / "out.bin").string();
        const CliResult run = runCli({"set", in, "-o", out, "--channel", "3", c.edit});
        ASSERT_EQ(run.status, 0) << run.err;
        const Json after = show(out);
        const Leaves leaves = leavesOf(after);
        const auto found = std::find_if(leaves.begin(), leaves.end(),
                                        [&](const auto& leaf) { return leaf.first == c.path; });
        ASSERT_NE(found, leaves.end());
        EXPECT_EQ(found->second, c.value);
        EXPECT_EQ(changedPaths(before, leaves), std::vector<std::string>{c.path});
    }
}

TEST(SetFields, ValuesThatMeanNoneOrAll) {
    // Start from a channel with every timer and the ID timer set, then clear them.
    ScratchDir scratch;
    const std::string mid = (scratch / "mid.bin").string();
    const std::string in = writeImage(scratch / "in.bin", channelImage());
    ASSERT_EQ(runCli({"set", in, "-o", mid, "timer.wireline=30", "timer.local=45", "dropout=3",
                      "id-timer=7", "priority.repeater=middle", "cw-speed=5"})
                  .status,
              0);
    const std::string out = (scratch / "out.bin").string();
    const CliResult run = runCli({"set", mid, "-o", out, "timer.wireline=none", "timer.local=0",
                                  "timer.repeater=none", "dropout=none", "id-timer=all",
                                  "priority.repeater=disabled", "cw-speed=<1"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Json doc = show(out);
    const Json& c = doc["channels"][0];
    EXPECT_EQ(c["timers"], Json::parse(
        R"({"wireline_item": 0, "repeater_item": 0, "local_item": 0, "dropout_item": 0})"));
    EXPECT_EQ(c["priority"]["repeater"], 0);
    EXPECT_EQ(c["priority"]["wireline"], 2);  // kept
    EXPECT_EQ(doc["header"]["id_timer_item"], 0);
    EXPECT_EQ(doc["header"]["cw_speed_item"], 1);  // "<1" is stored as 1 wpm
}

TEST(SetFields, AllChannelsAndHeaderFields) {
    ScratchDir scratch;
    const std::string in = writeImage(scratch / "in.bin", channelImage());
    const std::string out = (scratch / "out.bin").string();
    const CliResult run = runCli({"set", in, "-o", out, "--channel", "all", "audio.local-mic=on",
                                  "priority.local=highest", "tone-delay=480"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Json doc = show(out);
    for (const auto& c : doc["channels"]) {
        EXPECT_EQ(c["audio"]["local_mic"], true) << c["number"];
        EXPECT_EQ(c["priority"]["local"], 1) << c["number"];
    }
    EXPECT_EQ(doc["header"]["tone_start_delay_item"], 1);
    // The byte rewrite of the priority update: channel 3's 0xCA loses bits 6-7.
    const auto bytes = readBytes(out);
    EXPECT_EQ(bytes[channelBase(channelImage(), 3).base + 7], 0x06);  // Repeater Middle, Local Highest
}

TEST(SetFields, ValuesOutsideTheirListsExit3AndWriteNothing) {
    const struct {
        std::vector<std::string> edits;
        const char* message;
    } cases[] = {
        {{"timer.wireline=70"}, "channel 1: timer.wireline: \"70\" is not a time-out"},
        {{"timer.local=480"}, "timer.local: \"480\" is not a time-out"},
        {{"timer.repeater=-15"}, "is not a time-out"},
        {{"dropout=8"}, "dropout: \"8\" is not a drop-out delay"},
        {{"cw-speed=33"}, "cw-speed: \"33\" is not a CW speed"},
        {{"cw-speed=0"}, "is not a CW speed"},
        {{"id-timer=32"}, "id-timer: \"32\" is not an ID timer"},
        {{"id-timer=0"}, "is not an ID timer"},
        {{"rekey-delay=250"}, "rekey-delay: \"250\" is not a delay"},
        {{"rekey-delay=0"}, "is not a delay"},
        {{"tone-delay=15600"}, "tone-delay: \"15600\" is not a delay"},
        {{"priority.repeater=high"}, "\"high\" is not highest, middle, lowest or disabled"},
        {{"cw-id=maybe"}, "cw-id: \"maybe\" is not on or off"},
        {{"audio.repeater=1"}, "is not on or off"},
        {{"cw-message=2"}, "cw-message: There is no CW message 2: the image holds 2"},
        {{"cw-message=x"}, "\"x\" is not a message index"},
        // A good edit before a refused one: still nothing written.
        {{"cw-speed=12", "audio.local-mic=on", "timer.local=7"}, "timer.local: \"7\" is not a time-out"},
    };
    for (const auto& c : cases) expectSetRefused(c.edits, c.message);
    // An existing OUT stays as it was.
    ScratchDir scratch;
    const std::string in = writeImage(scratch / "in.bin", channelImage());
    const std::string out = writeImage(scratch / "out.bin", sampleImage());
    const auto before = readBytes(out);
    EXPECT_EQ(runCli({"set", in, "-o", out, "--channel", "all", "cw-id=on", "dropout=9"}).status, 3);
    EXPECT_EQ(readBytes(out), before);
}

TEST(SetFields, HeaderRefusalsNameNoChannel) {
    ScratchDir scratch;
    const std::string in = writeImage(scratch / "in.bin", channelImage());
    const CliResult run = runCli({"set", in, "-o", (scratch / "o.bin").string(), "cw-speed=40"});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err, "quarnel-cli: " + in + ": cw-speed: \"40\" is not a CW speed: <1, 1 to 32 or >32\n");
}
