// quarnel-cli at the edges of its input and output: inputs that would block
// for ever, file names that are not UTF-8, standard output that cannot be
// written, and edits that would silently do less than asked.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <future>
#include <thread>
#include <atomic>
#include <nlohmann/json.hpp>
#include <unistd.h>

#include "tests/cli/channel_images.h"
#include "tests/cli/refused_set.h"
#include "tests/cli/run_cli.h"

using namespace quarnel;
using namespace quarnel::testing;

TEST(CliInput, PipesAreRefusedAndReadableDevicesStillRead) {
    ScratchDir scratch;
    const std::string image = writeImage(scratch / "image.bin", channelImage());
    const std::string fifo = (scratch / "fifo").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // Should a command wait for a writer after all, one comes every second
    // and closes at once, so that the test fails instead of hanging.
    std::atomic<bool> done{false};
    auto unblock = std::async(std::launch::async, [&] {
        while (!done) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            const int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) close(fd);
        }
    });
    const std::vector<std::vector<std::string>> commands = {
        {"show", fifo}, {"dump", fifo}, {"verify", fifo}, {"diff", image, fifo}, {"diff", fifo, image},
        {"set", fifo, "-o", (scratch / "out.bin").string(), "rx=4488500"},
    };
    for (const auto& args : commands) {
        const CliResult run = runCli(args);
        EXPECT_EQ(run.status, 2) << args.front() << ": " << run.err;
        EXPECT_NE(run.err.find(fifo + ": cannot read: it is a pipe, socket or device, not a file"), std::string::npos)
            << args.front() << ": " << run.err;
    }
    done = true;
    unblock.wait();
    // A character device with bytes ready reads as before: 4097 zero bytes.
    const CliResult zero = runCli({"show", "/dev/zero", "--format", "json"});
    EXPECT_EQ(zero.status, 0) << zero.err;
    EXPECT_NE(zero.err.find("File larger than 4096 bytes"), std::string::npos) << zero.err;
}

TEST(CliOutput, FileNamesThatAreNotUtf8BecomeReplacementCharacters) {
    ScratchDir scratch;
    const std::string latin1 = (scratch / "M\xfcnchen.bin").string();
    writeImage(latin1, channelImage());
    const std::string other = writeImage(scratch / "other.bin", sampleImage());
    const std::string shown = (scratch / "M\xef\xbf\xbdnchen.bin").string();  // U+FFFD
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* key;
    };
    const Case cases[] = {
        {{"show", latin1, "--format", "json"}, 0, "file"},
        {{"diff", latin1, other, "--format", "json"}, 1, "a"},
        {{"diff", other, latin1, "--format", "json"}, 1, "b"},
    };
    for (const Case& c : cases) {
        const CliResult run = runCli(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.front() << ": " << run.err;
        const auto doc = nlohmann::json::parse(run.out, nullptr, false);
        ASSERT_FALSE(doc.is_discarded()) << run.out.substr(0, 200);
        EXPECT_EQ(doc.value(c.key, ""), shown);
    }
}

TEST(CliOutput, StandardOutputThatCannotBeWrittenExits2) {
    ScratchDir scratch;
    const std::string image = writeImage(scratch / "image.bin", channelImage());
    const std::string err = (scratch / "err.txt").string();
    for (const std::string command : {"show", "dump", "verify", "show --format json", "show --format csv"}) {
        const std::string line = std::string(QUARNEL_CLI_PATH) + " " + command.substr(0, command.find(' ')) + " '" +
                                 image + "'" + (command.find(' ') == std::string::npos ? "" : command.substr(command.find(' '))) +
                                 " > /dev/full 2> '" + err + "'";
        const int status = std::system(line.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << command;
        EXPECT_EQ(WEXITSTATUS(status), 2) << command;
        std::ifstream in(err);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_NE(text.find("quarnel-cli: standard output: cannot write: No space left on device"), std::string::npos)
            << command << ": " << text;
    }
}

TEST(CliSet, EditsThatWouldDoLessThanAskedAreRefused) {
    // The editor's entry takes seven digits; the eighth and later were cut.
    expectSetRefused({"rx=4488500000"}, "rx: \"4488500000\" has more than 7 digits");
    expectSetRefused({"idle=44385000"}, "idle: \"44385000\" has more than 7 digits");
    // An image without channels: "all" names none, so a channel field
    // would edit nothing and still report a save.
    ScratchDir scratch;
    Image empty = channelImage();
    writeField(empty, Field::Modes, 0);
    const std::string in = writeImage(scratch / "empty.bin", empty);
    const std::string out = (scratch / "out.bin").string();
    const CliResult run = runCli({"set", in, "-o", out, "--channel", "all", "timer.repeater=60"});
    EXPECT_EQ(run.status, 3) << run.err;
    EXPECT_NE(run.err.find("timer.repeater: the image has no channels (Modes is 0)"), std::string::npos) << run.err;
    EXPECT_FALSE(std::filesystem::exists(out));
    // A header field needs no channel and is still stored.
    EXPECT_EQ(runCli({"set", in, "-o", out, "--channel", "all", "cw-speed=20"}).status, 0);
}
