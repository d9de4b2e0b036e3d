// quarnel-cli --help for the program and each command, the text form of show
// and the rule that no command writes over its input.
#include <gtest/gtest.h>

#include "tests/cli/channel_images.h"
#include "tests/cli/run_cli.h"

using namespace quarnel;
using namespace quarnel::testing;

TEST(Help, EveryCommandExplainsItself) {
    const struct {
        std::vector<std::string> args;
        std::vector<std::string> mentions;
    } cases[] = {
        {{"--help"}, {"show", "verify", "diff", "set", "message", "dump", "Exit status"}},
        {{"show", "--help"}, {"--format", "--channel", "--rx-band", "--tx-band"}},
        {{"verify", "--help"}, {"IMAGE", "Exit status"}},
        {{"diff", "--help"}, {"A", "B", "--format", "Exit status"}},
        {{"set", "--help"}, {"-o", "--channel", "timer.repeater", "priority.local", "rekey-delay",
                             "audio.local-mic", "tone-delay", "[header]"}},
        {{"message", "--help"}, {"--set", "--add", "-o"}},
        {{"dump", "--help"}, {"IMAGE", "radio address"}},
    };
    for (const auto& c : cases) {
        const CliResult run = runCli(c.args);
        EXPECT_EQ(run.status, 0) << c.args[0];
        for (const auto& m : c.mentions) EXPECT_NE(run.out.find(m), std::string::npos) << c.args[0] << ": " << m;
    }
}

TEST(ShowText, ChannelsFirstThenTheHeaderAndTheMessages) {
    ScratchDir scratch;
    const std::string file = writeImage(scratch / "site.bin", siteImage());
    const CliResult run = runCli({"show", file});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto out = lines(run.out);
    auto at = [&](const std::string& start) {
        for (std::size_t i = 0; i < out.size(); ++i)
            if (out[i].rfind(start, 0) == 0) return i;
        return out.size();
    };
    const std::size_t table = at("Ch  "), header = at("Header"), cw = at("CW span");
    ASSERT_LT(cw, out.size()) << run.out;
    EXPECT_LT(at("Checksum"), table);
    EXPECT_LT(table, header);
    EXPECT_LT(header, cw);
    EXPECT_LT(at("ID timer    10 min"), cw);
    EXPECT_LT(at("Re-key delay       960 ms"), cw);
    EXPECT_LT(at("Tone start delay   720 ms"), cw);
    EXPECT_LT(at("Message     0  AB1CDE/R"), out.size());
    // Channel 1's row: its timers (120/180/60 s), drop-out 3 s, priority and ID message.
    const std::string row = out[at("1   ")];
    for (const char* part : {"120/180/60", "R1 W2 L0", "PL 100.0", "DPL 023"})
        EXPECT_NE(row.find(part), std::string::npos) << part << " in " << row;
}

TEST(Writing, NoCommandWritesOverItsInput) {
    ScratchDir scratch;
    const std::string in = writeImage(scratch / "in.bin", siteImage());
    const auto before = readBytes(in);
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"set", in, "-o", in, "cw-id=off"},
             {"message", in, "-o", in, "--add"},
             {"message", in, "-o", (scratch / "." / "in.bin").string(), "--set", "0", "K1ABC"}}) {
        const CliResult run = runCli(args);
        EXPECT_EQ(run.status, 2) << args[0];
        EXPECT_NE(run.err.find("is the input image"), std::string::npos) << run.err;
    }
    EXPECT_EQ(readBytes(in), before);
}
