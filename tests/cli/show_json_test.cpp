// quarnel-cli show --format json: the whole document of one site image,
// compared key by key (names, order and values) with what it must be.
#include <gtest/gtest.h>

#include "tests/cli/channel_images.h"
#include "tests/cli/json_leaves.h"
#include "tests/cli/run_cli.h"

using namespace quarnel;
using namespace quarnel::testing;
using Json = nlohmann::ordered_json;

namespace {

// The channel objects of the document; `rx`, `tx` and `idle` given whole.
const char* const kChannels = R"([
  {"number": 1, "tune": false, "base": 91, "title": "Channel  1",
   "rx": {"hz": 448850000, "text": "448.8500", "reference": 1, "reference_text": "RX Reference 6.250 KHz",
          "code_type": "pl", "code_item": 12, "inverted": false},
   "tx": {"hz": 443850000, "text": "443.85000", "reference": 1, "reference_text": "TX Reference 6.250 KHz",
          "code_type": "dpl", "code_item": 0, "inverted": false},
   "idle": {"hz": 443850000, "text": "443.8500", "reference": 1, "reference_text": "Idle Ref 6.250 KHz"},
   "rx_control": {"carrier": true, "code": false, "auxilary": false},
   "repeater_activate": {"carrier": true, "code": false, "auxilary": false},
   "repeater_hold": {"carrier": true, "code": false, "auxilary": false},
   "priority": {"repeater": 1, "local": 0, "wireline": 2, "conflict": []},
   "timers": {"wireline_item": 8, "repeater_item": 12, "local_item": 4, "dropout_item": 3},
   "id": {"cw_id_enable": true, "pl_dpl_with_id": false, "id_during_activity": false, "message_item": 1},
   "alarms": {"mute_on_wireline": true, "enable_over_air": false},
   "audio": {"repeater": true, "local_mic": true},
   "notices": []},
  {"number": 2, "tune": false, "base": 113, "title": "Channel  2",
   "rx": {"hz": 10700000, "text": "Disabled", "reference": 0, "reference_text": "oops",
          "code_type": "pl", "code_item": null, "inverted": false},
   "tx": {"hz": 0, "text": "  0.00000", "reference": 0, "reference_text": "oops",
          "code_type": "dpl", "code_item": null, "inverted": true},
   "idle": {"hz": 0, "text": "  0.0000", "reference": 0, "reference_text": "oops"},
   "rx_control": {"carrier": false, "code": false, "auxilary": false},
   "repeater_activate": {"carrier": false, "code": false, "auxilary": false},
   "repeater_hold": {"carrier": false, "code": false, "auxilary": false},
   "priority": {"repeater": 0, "local": 0, "wireline": 0, "conflict": []},
   "timers": {"wireline_item": 0, "repeater_item": 0, "local_item": 0, "dropout_item": 0},
   "id": {"cw_id_enable": false, "pl_dpl_with_id": false, "id_during_activity": false, "message_item": 0},
   "alarms": {"mute_on_wireline": false, "enable_over_air": false},
   "audio": {"repeater": false, "local_mic": false},
   "notices": ["RX PL not found: 197Hz", "TX DPL not found: 305"]},
  {"number": 3, "tune": false, "base": 135, "title": "Channel  3",
   "rx": {"hz": 10700000, "text": "Disabled", "reference": 0, "reference_text": "oops",
          "code_type": "carrier", "code_item": null, "inverted": false},
   "tx": {"hz": 0, "text": "  0.00000", "reference": 0, "reference_text": "oops",
          "code_type": "carrier", "code_item": null, "inverted": false},
   "idle": {"hz": 0, "text": "  0.0000", "reference": 0, "reference_text": "oops"},
   "rx_control": {"carrier": false, "code": false, "auxilary": false},
   "repeater_activate": {"carrier": false, "code": false, "auxilary": false},
   "repeater_hold": {"carrier": false, "code": false, "auxilary": false},
   "priority": {"repeater": 2, "local": 2, "wireline": 0, "conflict": ["repeater", "local"]},
   "timers": {"wireline_item": 0, "repeater_item": 0, "local_item": 0, "dropout_item": 0},
   "id": {"cw_id_enable": false, "pl_dpl_with_id": false, "id_during_activity": false, "message_item": 0},
   "alarms": {"mute_on_wireline": false, "enable_over_air": false},
   "audio": {"repeater": false, "local_mic": false},
   "notices": []},
  {"number": 4, "tune": true, "base": 157, "title": "Tune Channel",
   "rx": {"hz": 10700000, "text": "Disabled", "reference": 0, "reference_text": "oops",
          "code_type": "carrier", "code_item": null, "inverted": false},
   "tx": {"hz": 0, "text": "  0.00000", "reference": 0, "reference_text": "oops",
          "code_type": "carrier", "code_item": null, "inverted": false},
   "idle": {"hz": 0, "text": "  0.0000", "reference": 0, "reference_text": "oops"},
   "rx_control": {"carrier": false, "code": false, "auxilary": false},
   "repeater_activate": {"carrier": false, "code": false, "auxilary": false},
   "repeater_hold": {"carrier": false, "code": false, "auxilary": false},
   "priority": {"repeater": 0, "local": 0, "wireline": 0, "conflict": []},
   "timers": {"wireline_item": 0, "repeater_item": 0, "local_item": 0, "dropout_item": 0},
   "id": {"cw_id_enable": false, "pl_dpl_with_id": false, "id_during_activity": false, "message_item": 0},
   "alarms": {"mute_on_wireline": false, "enable_over_air": false},
   "audio": {"repeater": false, "local_mic": false},
   "notices": []}
])";

}  // namespace

TEST(ShowJson, TheWholeDocumentOfASiteImage) {
    ScratchDir scratch;
    const std::string file = writeImage(scratch / "site.bin", siteImage());
    const auto bytes = readBytes(file);
    ASSERT_EQ(bytes.size(), 4096u);
    const unsigned stored = bytes[0] * 256u + bytes[1];

    Json expected;
    expected["file"] = file;
    expected["bytes_read"] = 4096;
    expected["too_large"] = false;
    expected["checksum"] = {{"stored", stored}, {"computed", stored}, {"ok", true}};
    // Last Word 20B2: the last record byte (0x0B2) is even; the pointers as
    // the sample lays them out; ID timer 10, re-key 960 ms (item 3), tone
    // start 720 ms (item 2), 20 wpm.
    expected["header"] = Json::parse(R"({"last_word": 8370, "version": 3, "size": 22, "modes": 4,
        "cw_id_addr": 8240, "cw_end": 8283, "next_area": 8283, "rf_address": 8283,
        "id_timer_item": 10, "cw_speed_item": 20, "rekey_delay_item": 3, "tone_start_delay_item": 2})");
    expected["cw"] = Json::parse(R"({"span": 42, "count": 2, "error": null})");
    expected["messages"] = Json::parse(R"(["AB1CDE/R", "AB1CDE"])");
    expected["channels"] = Json::parse(kChannels);
    expected["problems"] = Json::array();

    const CliResult run = runCli({"show", file, "--format", "json"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(run.err.empty()) << run.err;
    const Leaves got = leavesOf(withoutItemTexts(Json::parse(run.out)));
    const Leaves want = leavesOf(expected);
    // Key by key, in document order: the same path and the same value.
    for (std::size_t i = 0; i < want.size() && i < got.size(); ++i) {
        EXPECT_EQ(got[i].first, want[i].first) << "key " << i;
        EXPECT_EQ(got[i].second, want[i].second) << want[i].first;
    }
    EXPECT_EQ(got.size(), want.size());
}
