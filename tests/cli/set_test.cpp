// quarnel-cli set: frequency and code edits through the editor's operations,
// the exit statuses, and that a refused or failed set writes nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>

#include "model/channel_view.h"
#include "tests/cli/channel_images.h"
#include "tests/cli/refused_set.h"
#include "tests/cli/run_cli.h"

using namespace quarnel;
using namespace quarnel::testing;
using Json = nlohmann::json;

namespace {

Image loadBack(const std::string& file) {
    Image image;
    NullNotices none;
    const LoadOutcome o = loadImageFile(image, file, none);
    EXPECT_TRUE(o.ok);
    EXPECT_TRUE(o.checksumOk);
    EXPECT_EQ(o.bytesRead, kEpromSize);
    return image;
}

std::size_t base(const Image& image, int channel) { return channelBase(image, channel).base; }

}  // namespace

TEST(Set, FrequenciesAsTypedAndInMegahertz) {
    ScratchDir scratch;
    const std::string in = writeImage(scratch / "in.bin", channelImage());
    const auto before = readBytes(in);
    const std::string out = (scratch / "out.bin").string();
    const CliResult run = runCli({"set", in, "-o", out, "--channel", "3", "rx=44881", "tx=448.80625",
                                    "idle=4488000"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(readBytes(in), before);
    const Image image = loadBack(out);
    const std::size_t b = base(image, 3);
    EXPECT_EQ(shownFrequency(decodeFrequency(image, b, Direction::Receive, Band::Uhf).hz, Direction::Receive),
              448'812'500u);
    EXPECT_EQ(decodeFrequency(image, b, Direction::Transmit, Band::Uhf).hz, 448'806'250u);
    EXPECT_EQ(decodeFrequency(image, b, Direction::Idle, Band::Uhf).hz, 448'800'000u);

    const CliResult shown = runCli({"show", out, "--format", "json", "--channel", "3"});
    const Json c = Json::parse(shown.out)["channels"][0];
    EXPECT_EQ(c["rx"]["text"], "448.8125");
    EXPECT_EQ(c["tx"]["text"], "448.80625");
    EXPECT_EQ(c["idle"]["text"], "448.8000");
}

TEST(Set, BandsChooseTheEncoding) {
    ScratchDir scratch;
    const std::string in = writeImage(scratch / "in.bin", sampleImage());
    const std::string out = (scratch / "out.bin").string();
    const CliResult run = runCli({"set", in, "-o", out, "--rx-band", "800", "--tx-band", "vhf",
                                    "rx=9350000", "tx=1465200"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Image image = loadBack(out);
    const std::size_t b = base(image, 1);
    const std::uint8_t expected[] = {0x94, 0x02, 0x01, 0x90, 0x27, 0x13};
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(image[b + i], expected[i]) << i;
}

TEST(Set, CodesAndInversion) {
    ScratchDir scratch;
    const std::string in = writeImage(scratch / "in.bin", sampleImage());
    const std::string out = (scratch / "out.bin").string();
    const CliResult run = runCli({"set", in, "-o", out, "--channel", "2", "rx-code=pl:100.0",
                                    "tx-code=dpl:754", "tx-invert=off", "rx-code=dpl:023", "rx-invert=on"});
    ASSERT_EQ(run.status, 0) << run.err;
    const Image image = loadBack(out);
    const std::size_t b = base(image, 2);
    EXPECT_EQ(codeType(image, b, Direction::Transmit), CodeType::Dpl);
    EXPECT_EQ(decodeDpl(image, b, Direction::Transmit).index, 83);
    EXPECT_FALSE(isInverted(image, b, Direction::Transmit));
    EXPECT_EQ(codeType(image, b, Direction::Receive), CodeType::Dpl);
    EXPECT_EQ(decodeDpl(image, b, Direction::Receive).index, 1);
    EXPECT_TRUE(isInverted(image, b, Direction::Receive));
    // Byte 15: receive DPL 0x30, transmit DPL 0xC0, the DPL marker 0x01.
    EXPECT_EQ(image[b + 15], 0xF1);
    // Channel 1 is untouched.
    EXPECT_EQ(image[base(image, 1) + 15], 0x00);
}

TEST(Set, PlToneWhenAlreadyPlKeepsTheCodeType) {
    // A second PL choice does not re-apply the type change: the PL marker
    // bits and everything else of byte 15 stay as the first choice left them.
    ScratchDir scratch;
    Image image = sampleImage();
    const std::size_t b = base(image, 1);
    changeCodeType(image, b, Direction::Transmit, CodeType::Pl);
    image[b + 15] |= 0x08;  // a bit no type change writes
    const std::string in = writeImage(scratch / "in.bin", image);
    const std::string out = (scratch / "out.bin").string();
    ASSERT_EQ(runCli({"set", in, "-o", out, "tx-code=pl:67.0"}).status, 0);
    const Image after = loadBack(out);
    EXPECT_EQ(after[b + 15], image[b + 15]);
    EXPECT_EQ(decodePl(after, b, Direction::Transmit).index, 1);
}

TEST(Set, AllChannels) {
    ScratchDir scratch;
    const std::string in = writeImage(scratch / "in.bin", channelImage());
    const std::string out = (scratch / "out.bin").string();
    ASSERT_EQ(runCli({"set", in, "-o", out, "--channel", "all", "idle=4400000"}).status, 0);
    const Image image = loadBack(out);
    for (int n = 1; n <= 4; ++n)
        EXPECT_EQ(decodeFrequency(image, base(image, n), Direction::Idle, Band::Uhf).hz, 440'000'000u) << n;
}

TEST(Set, RedisplayRewritesTxPriorityAsTheEditorDoes) {
    // Channel 3 holds TX Priority 0xCA. A frequency commit redisplays the
    // channel, which stores the byte back without bits 6-7; a tone choice
    // does not redisplay.
    ScratchDir scratch;
    const std::string in = writeImage(scratch / "in.bin", channelImage());
    const std::string out = (scratch / "out.bin").string();
    ASSERT_EQ(runCli({"set", in, "-o", out, "--channel", "3", "tx-code=pl:100.0"}).status, 0);
    EXPECT_EQ(loadBack(out)[base(channelImage(), 3) + 7], 0xCA);
    ASSERT_EQ(runCli({"set", in, "-o", out, "--channel", "3", "tx=4488500"}).status, 0);
    EXPECT_EQ(loadBack(out)[base(channelImage(), 3) + 7], 0x0A);
}

TEST(Set, RefusalsExit3AndWriteNothing) {
    const struct {
        std::vector<std::string> edits;
        const char* message;  // part of the one-line error
    } cases[] = {
        {{"rx=4488030"}, "channel 1: rx: 448.8030 MHz cannot be stored: on UHF its synthesizer frequency"},
        {{"tx=44884"}, "channel 1: tx: 44884 cannot be completed"},
        {{"idle=448851"}, "idle: 448851 cannot be completed: six digits must end in 0 or 5"},
        {{"rx=4488"}, "rx: \"4488\" has fewer than 5 digits"},
        {{"rx=abcde"}, "only digits"},
        {{"tx=448.8500001"}, "at most six decimals"},
        {{"rx=0050000"}, "5.0000 MHz cannot be stored: a receive frequency on UHF must lie above the 10.7000 MHz IF offset"},
        {{"rx-code=pl:99.9"}, "rx-code: \"99.9\" is not a tone of the PL list"},
        {{"tx-code=dpl:024"}, "tx-code: \"024\" is not a code of the DPL list"},
        {{"tx-code=ctcss"}, "is not carrier, pl:TONE or dpl:CODE"},
        {{"rx-invert=on"}, "rx-invert: Invert DPL applies only when the code type is DPL"},
        {{"rx-code=dpl:023", "rx-invert=true"}, "\"true\" is not on or off"},
        // A good edit followed by a refused one: still nothing written.
        {{"rx=4488500", "tx-code=pl:100.0", "tx=4488031"}, "tx: 448.8031 MHz cannot be stored"},
    };
    for (const auto& c : cases) expectSetRefused(c.edits, c.message);
}

TEST(Set, ARefusalLeavesAnExistingOutputAlone) {
    ScratchDir scratch;
    const std::string in = writeImage(scratch / "in.bin", channelImage());
    const std::string out = writeImage(scratch / "out.bin", sampleImage());
    const auto before = readBytes(out);
    EXPECT_EQ(runCli({"set", in, "-o", out, "--channel", "all", "--rx-band", "800", "rx=8510000"}).status, 3);
    EXPECT_EQ(readBytes(out), before);
}

TEST(Set, UsageErrorsExit2) {
    ScratchDir scratch;
    const std::string in = writeImage(scratch / "in.bin", channelImage());
    const auto before = readBytes(in);
    const std::string out = (scratch / "out.bin").string();
    const std::vector<std::vector<std::string>> cases = {
        {"set", in, "-o", out, "squelch=on"},          // no such field
        {"set", in, "-o", out, "rx"},                  // no value
        {"set", in, "rx=4488500"},                     // no -o
        {"set", in, "-o", out},                        // no edit
        {"set", in, "-o", out, "--channel", "5", "rx=4488500"},
        {"set", in, "-o", out, "--rx-band", "uhf2", "rx=4488500"},
        {"set", in, "-o", in, "rx=4488500"},           // the input is never changed
        {"set", (scratch / "absent.bin").string(), "-o", out, "rx=4488500"},
    };
    for (const auto& args : cases) {
        const CliResult run = runCli(args);
        EXPECT_EQ(run.status, 2) << args.back() << ": " << run.err;
        EXPECT_FALSE(run.err.empty());
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    EXPECT_EQ(readBytes(in), before);
}
