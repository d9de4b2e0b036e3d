// quarnel-cli show (header part) and verify, run as a separate program.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "model/image.h"
#include "tests/cli/run_cli.h"
#include "tests/support/sample_image.h"

using namespace quarnel;
using namespace quarnel::testing;
using json = nlohmann::ordered_json;

namespace {

std::vector<unsigned char> validImage(SampleLayout layout = {}) {
    Image image = sampleImage(layout);
    return saveImageBytes(image);
}

}  // namespace

TEST(CliShow, JsonHeaderAndChecksum) {
    ScratchDir dir;
    SampleLayout layout;
    layout.modes = 3;
    auto bytes = validImage(layout);
    bytes[0x1C] = 0xE3;  // ID timer 3 minutes, top bits ignored
    bytes[0x1D] = 0x50;  // re-key delay count beyond the list: no selection
    writeBytes(dir / "rpt.bin", bytes);  // checksum now stale
    const CliResult r = runCli({"show", (dir / "rpt.bin").string(), "--format", "json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const json doc = json::parse(r.out);
    EXPECT_EQ(doc["file"], (dir / "rpt.bin").string());
    EXPECT_EQ(doc["bytes_read"], 4096);
    EXPECT_EQ(doc["too_large"], false);
    EXPECT_EQ(doc["checksum"]["ok"], false);
    EXPECT_NE(doc["checksum"]["stored"], doc["checksum"]["computed"]);
    const json& h = doc["header"];
    EXPECT_EQ(h["version"], 3);
    EXPECT_EQ(h["size"], 22);
    EXPECT_EQ(h["modes"], 3);
    EXPECT_EQ(h["cw_id_addr"], 0x2030);
    EXPECT_EQ(h["rf_address"], 0x205B);
    EXPECT_EQ(h["id_timer_item"], 3);
    EXPECT_EQ(h["cw_speed_item"], 20);
    EXPECT_TRUE(h["rekey_delay_item"].is_null());
    EXPECT_EQ(h["tone_start_delay_item"], 0);
    EXPECT_TRUE(doc["problems"].is_array());
    EXPECT_TRUE(doc["problems"].empty());
    // The key order of the documented contract.
    std::vector<std::string> keys;
    for (auto it = doc.begin(); it != doc.end(); ++it) keys.push_back(it.key());
    ASSERT_GE(keys.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(keys.begin(), keys.begin() + 5),
              (std::vector<std::string>{"file", "bytes_read", "too_large", "checksum", "header"}));
}

TEST(CliShow, OversizedFileAndUndecodableLayout) {
    ScratchDir dir;
    std::vector<unsigned char> big(5000, 0xFF);
    writeBytes(dir / "big.bin", big);
    const CliResult r = runCli({"show", (dir / "big.bin").string(), "--format", "json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const json doc = json::parse(r.out);
    EXPECT_EQ(doc["bytes_read"], 4097);
    EXPECT_EQ(doc["too_large"], true);
    EXPECT_NE(r.err.find("File larger than 4096 bytes"), std::string::npos);
    ASSERT_EQ(doc["problems"].size(), 2u);
    EXPECT_EQ(doc["problems"][0], "The file is 5000 bytes, not 4096");
    EXPECT_EQ(doc["problems"][1], "Channels 1 to 255 lie outside the image");
}

TEST(CliVerify, ExitStatusFollowsTheWorstImage) {
    ScratchDir dir;
    writeBytes(dir / "good.bin", validImage());
    auto stale = validImage();
    stale[0x40] ^= 0x01;
    writeBytes(dir / "stale.bin", stale);
    SampleLayout outside;
    outside.rfAddress = 0x2FD0;  // records run past the image
    writeBytes(dir / "outside.bin", validImage(outside));

    struct Case {
        std::vector<std::string> files;
        int status;
        std::vector<std::string> expect;  // substrings of standard output
    };
    const Case cases[] = {
        {{"good.bin"}, 0, {"good.bin: ok, checksum"}},
        {{"good.bin", "stale.bin"}, 1, {"good.bin: ok", "stale.bin: FAILED: checksum"}},
        {{"outside.bin"}, 1, {"outside.bin: FAILED", "lie outside the image"}},
        {{"missing.bin", "stale.bin"}, 2, {"stale.bin: FAILED"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args{"verify"};
        for (const auto& f : c.files) args.push_back((dir / f).string());
        const CliResult r = runCli(args);
        EXPECT_EQ(r.status, c.status) << r.out << r.err;
        for (const auto& e : c.expect) EXPECT_NE(r.out.find(e), std::string::npos) << e << "\n" << r.out;
    }
}

TEST(CliUsage, BadArgumentsAndUnreadableFilesExit2) {
    ScratchDir dir;
    const std::vector<std::vector<std::string>> cases = {
        {},
        {"show"},
        {"show", (dir / "missing.bin").string()},
        {"show", (dir / "x.bin").string(), "--format", "yaml"},
        {"frobnicate"},
    };
    for (const auto& args : cases) {
        const CliResult r = runCli(args);
        EXPECT_EQ(r.status, 2) << (args.empty() ? "(none)" : args[0]) << r.err;
    }
    const CliResult missing = runCli({"show", (dir / "missing.bin").string()});
    EXPECT_NE(missing.err.find("missing.bin: cannot read:"), std::string::npos) << missing.err;
}
