// Runs `set` on the channel image with edits that must be refused: exit 3,
// one error line naming the input and containing `message`, and no output file.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/cli/channel_images.h"
#include "tests/cli/run_cli.h"

namespace quarnel::testing {

inline void expectSetRefused(const std::vector<std::string>& edits, const std::string& message) {
    SCOPED_TRACE(edits.back());
    ScratchDir scratch;
    const std::string in = writeImage(scratch / "in.bin", channelImage());
    const std::string out = (scratch / "out.bin").string();
    std::vector<std::string> args = {"set", in, "-o", out};
    args.insert(args.end(), edits.begin(), edits.end());
    const CliResult run = runCli(args);
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err.rfind("quarnel-cli: " + in + ": ", 0), 0u) << run.err;
    EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace quarnel::testing
