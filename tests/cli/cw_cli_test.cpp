// quarnel-cli and the CW messages: what `show` reports of the CW area and
// what `message` stores, refuses and writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "model/cw_messages.h"
#include "model/layout.h"
#include "tests/cli/run_cli.h"
#include "tests/support/sample_image.h"

using namespace quarnel;
using quarnel::testing::SampleLayout;
using quarnel::testing::sampleImage;
namespace fs = std::filesystem;

namespace {

using quarnel::testing::CliResult;
using quarnel::testing::lines;
using quarnel::testing::runCli;

std::string readText(const fs::path& p) {
    const auto bytes = quarnel::testing::readBytes(p);
    return {bytes.begin(), bytes.end()};
}

class CwCli : public ::testing::Test {
protected:
    fs::path path(const std::string& name) const { return dir_ / name; }

    // Saves `image` as the editor would and returns its path.
    std::string save(Image image, const std::string& name = "in.bin") {
        const SaveOutcome saved = saveImageFile(image, path(name));
        EXPECT_TRUE(saved.ok) << saved.error;
        return path(name).string();
    }

    static Image load(const std::string& file) {
        Image image;
        NullNotices quiet;
        EXPECT_TRUE(loadImageFile(image, file, quiet).ok);
        return image;
    }

    quarnel::testing::ScratchDir dir_;
};

// Two messages in a 43-byte CW area at 2030, four records behind it.
Image twoMessages(const std::string& first, const std::string& second) {
    Image image = sampleImage();
    NullNotices quiet;
    const CwState kept = countMessages(image, quiet);
    storeMessage(image, kept, 0, first, quiet);
    storeMessage(image, kept, 1, second, quiet);
    return image;
}

}  // namespace

TEST_F(CwCli, ShowJsonReportsTheAreaAndTheMessagesAfterTheHeader) {
    const std::string file = save(twoMessages("AB1CDE/R", "AB1CDE"));
    const CliResult r = runCli({"show", file, "--format", "json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto doc = nlohmann::ordered_json::parse(r.out);
    EXPECT_EQ(doc["cw"], nlohmann::ordered_json::parse(R"({"span": 42, "count": 2, "error": null})"));
    EXPECT_EQ(doc["messages"], nlohmann::ordered_json::parse(R"(["AB1CDE/R", "AB1CDE"])"));
    std::vector<std::string> keys;
    for (auto it = doc.begin(); it != doc.end(); ++it) keys.push_back(it.key());
    const auto pos = [&](const char* key) { return std::find(keys.begin(), keys.end(), key) - keys.begin(); };
    EXPECT_EQ(pos("cw"), pos("header") + 1);
    EXPECT_EQ(pos("messages"), pos("cw") + 1);
    EXPECT_LT(pos("messages"), pos("problems"));
    if (doc.contains("channels")) EXPECT_LT(pos("messages"), pos("channels"));

    // A negative span: the error once, no messages, and no notice line.
    SampleLayout l;
    l.cwEnd = 0x2020;
    const CliResult bad = runCli({"show", save(sampleImage(l), "bad.bin"), "--format", "json"});
    ASSERT_EQ(bad.status, 0);
    const auto badDoc = nlohmann::ordered_json::parse(bad.out);
    EXPECT_EQ(badDoc["cw"]["span"], -17);
    EXPECT_EQ(badDoc["cw"]["count"], 0);
    EXPECT_EQ(badDoc["cw"]["error"], "CW address error");
    EXPECT_TRUE(badDoc["messages"].empty());
    EXPECT_EQ(bad.err.find("CW address error"), std::string::npos);

    const CliResult text = runCli({"show", file});
    EXPECT_NE(text.out.find("CW span     42, messages 2\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Message     1  AB1CDE\n"), std::string::npos) << text.out;
}

TEST_F(CwCli, SetStoresAsTheEditorDoes) {
    const std::string in = save(twoMessages("A", "E E"));
    const std::string out = path("out.bin").string();
    // Small letters count as capitals; the dash is unknown and skipped.
    const CliResult r = runCli({"message", in, "-o", out, "--set", "1", "cq-de ab1cde"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(lines(r.err), (std::vector<std::string>{in + ": Unknown characters ignored!",
                                                      in + ": ID is 12 bytes long"}));
    EXPECT_EQ(r.out, out + ": message 1 stored, 12 bytes\n");
    const Image image = load(out);
    EXPECT_EQ(decodeMessage(image, 0), "A");
    EXPECT_EQ(decodeMessage(image, 1), "CQDE AB1CDE");
    EXPECT_EQ(storedChecksum(image), computeChecksum(image));

    // The same edit through the model gives the same file.
    Image expected = load(in);
    NullNotices quiet;
    storeMessage(expected, countMessages(expected, quiet), 1, "CQ-DE AB1CDE", quiet);
    prepareForSave(expected);
    EXPECT_EQ(image.bytes, expected.bytes);

    // A message past the last slot's room grows the area, and the warning
    // goes to standard error after the length line.
    const CliResult grow = runCli({"message", in, "-o", out, "--set", "1", "HHHHHHHHHHHHHHHHHHHHH"});
    ASSERT_EQ(grow.status, 0) << grow.err;
    EXPECT_EQ(lines(grow.err),
              (std::vector<std::string>{in + ": ID is 28 bytes long",
                                        in + ": message 1 is  28 bytes long. Codeplug may now be "
                                             "corrupt. Better abort and reload codeplug!"}));
    EXPECT_EQ(grow.out, out + ": message 1 stored, 28 bytes, CW area grown by 6 bytes\n");
    EXPECT_EQ(readField(load(out), Field::CwEnd), 0x205Bu + 6);
}

TEST_F(CwCli, AddGrowsTheAreaUntilFourteenMessages) {
    SampleLayout l;
    l.cwEnd = l.cwIdAddr;  // an empty area
    l.rfAddress = l.cwIdAddr;
    std::string in = save(sampleImage(l));
    const std::string out = path("out.bin").string();
    for (int count = 1; count <= kMaxCwMessages; ++count) {
        const CliResult r = runCli({"message", in, "-o", out, "--add"});
        ASSERT_EQ(r.status, 0) << r.err;
        NullNotices quiet;
        EXPECT_EQ(countMessages(load(out), quiet).count, count);
        fs::copy_file(out, path("in.bin"), fs::copy_options::overwrite_existing);
    }
    const std::string before = readText(out);
    const CliResult full = runCli({"message", in, "-o", out, "--add"});
    EXPECT_EQ(full.status, 3);
    EXPECT_NE(full.err.find("already holds 14 messages"), std::string::npos) << full.err;
    EXPECT_EQ(readText(out), before);
}

TEST_F(CwCli, RefusalsAndUsageErrorsWriteNothing) {
    SampleLayout crowded;
    crowded.modes = 182;  // the records end at 4094: top = 0x05B + 182 x 22 + 1 = 4096
    Image highCwId = sampleImage();
    writeField(highCwId, Field::CwIdAddr, 0x2830);
    writeField(highCwId, Field::CwEnd, 0x285B);
    const std::string normal = save(twoMessages("A", "E"), "normal.bin");
    const std::string full = save(sampleImage(crowded), "crowded.bin");
    const std::string high = save(highCwId, "high.bin");
    // Pointers that carry bits above the window (0xE000 reads as 0x2000).
    Image highBits = twoMessages("A", "E");
    writeField(highBits, Field::CwIdAddr, 0xE000 | (readField(highBits, Field::CwIdAddr) & 0x0FFF));
    writeField(highBits, Field::CwEnd, 0xE000 | (readField(highBits, Field::CwEnd) & 0x0FFF));
    const std::string highEnd = save(highBits, "high-bits.bin");
    struct Case {
        const char* what;
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const std::string out = path("out.bin").string();
    const Case cases[] = {
        {"index beyond the count", {"message", normal, "-o", out, "--set", "2", "A"}, 3,
         "message 2: there is no such message (the image holds 2)"},
        {"no room to grow", {"message", full, "-o", out, "--set", "1", "HHHHHHHHHHHHHHHHHHHHH"}, 3,
         "No room to grow the CW area by 6 bytes: 7 bytes missing at the end of the EPROM"},
        {"add without room", {"message", full, "-o", out, "--add"}, 3, "22 bytes missing"},
        {"CW ID addr above 27FF", {"message", high, "-o", out, "--set", "0", "A"}, 3,
         "CW ID addr 2830 lies outside the codeplug window 2000-27FF"},
        {"add with CW end above the window", {"message", highEnd, "-o", out, "--add"}, 3,
         "lies outside the codeplug window 2000-27FF"},
        {"grow with CW end above the window",
         {"message", highEnd, "-o", out, "--set", "1", "HHHHHHHHHHHHHHHHHHHHHHHHH"}, 3,
         "lies outside the codeplug window 2000-27FF"},
        {"index not a number", {"message", normal, "-o", out, "--set", "one", "A"}, 2,
         "is not a message index"},
        {"neither --set nor --add", {"message", normal, "-o", out}, 2, "--set K TEXT or --add"},
        {"both", {"message", normal, "-o", out, "--add", "--set", "0", "A"}, 2, "excludes"},
        {"no output", {"message", normal, "--add"}, 2, "-o"},
        {"missing image", {"message", path("none.bin").string(), "-o", out, "--add"}, 2,
         "cannot read"},
    };
    for (const Case& c : cases) {
        std::ofstream(out, std::ios::binary) << "keep";
        const CliResult r = runCli(c.args);
        EXPECT_EQ(r.status, c.status) << c.what << ": " << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << c.what << ": " << r.err;
        EXPECT_EQ(readText(out), "keep") << c.what;
        EXPECT_TRUE(r.out.empty()) << c.what;
    }
}
