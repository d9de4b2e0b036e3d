// quarnel-cli before a burn: files of the wrong size, images whose checksum
// is bad, message texts that would not be stored whole, and the output people
// read (diff addresses, moved records, the texts beside JSON items).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <nlohmann/json.hpp>

#include "tests/cli/channel_images.h"
#include "tests/cli/run_cli.h"

using namespace quarnel;
using namespace quarnel::testing;
using Json = nlohmann::ordered_json;

namespace {

std::string hex4(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04X", value);
    return text;
}

std::vector<unsigned char> imageBytes(Image image) { return saveImageBytes(image); }

}  // namespace

TEST(Sizes, EveryFileThatIsNot4096BytesFailsWithItsSizeFirst) {
    ScratchDir dir;
    const auto good = imageBytes(repeaterImage());
    const std::string reference = (dir / "good.bin").string();
    writeBytes(reference, good);
    auto twice = good;
    twice.insert(twice.end(), good.begin(), good.end());
    auto halvesDiffer = twice;
    halvesDiffer[4096 + 0x40] ^= 0x01;
    auto tail = [&](std::size_t n) { return std::vector<unsigned char>(good.begin(), good.begin() + n); };
    auto longer = good;
    longer.resize(5000, 0xFF);
    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
        const char* verify;  // the whole line after "NAME: "
    };
    const Case cases[] = {
        {"empty", {}, "0 bytes, not 4096"},
        {"six", tail(6), "6 bytes, not 4096"},
        {"hundred", tail(100), "100 bytes, not 4096"},
        {"short", tail(4095), "4095 bytes, not 4096"},
        {"one more", std::vector<unsigned char>(longer.begin(), longer.begin() + 4097), "4097 bytes, not 4096"},
        {"longer", longer, "5000 bytes, not 4096"},
        {"doubled", twice, "8192 bytes, not 4096: the image is stored twice; keep the first 4096 bytes"},
        {"halves differ", halvesDiffer, "8192 bytes, not 4096"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = (dir / (std::string(c.name) + ".bin")).string();
        writeBytes(file, c.bytes);

        const CliResult verify = runCli({"verify", reference, file});
        EXPECT_EQ(verify.status, 1);
        const auto out = lines(verify.out);
        ASSERT_EQ(out.size(), 2u) << verify.out;
        EXPECT_EQ(out[0].rfind(reference + ": ok, checksum ", 0), 0u);
        EXPECT_EQ(out[1], file + ": " + c.verify);

        const CliResult show = runCli({"show", file, "--format", "json"});
        ASSERT_EQ(show.status, 0) << show.err;
        const Json doc = Json::parse(show.out);
        ASSERT_FALSE(doc["problems"].empty());
        EXPECT_EQ(doc["problems"][0], std::string("The file is ") + c.verify);

        const CliResult diff = runCli({"diff", reference, file});
        EXPECT_EQ(diff.status, 1);
        EXPECT_EQ(lines(diff.out).at(0), "file size: 4096 bytes -> " + std::to_string(c.bytes.size()) + " bytes" +
                                             (c.bytes == twice ? " (the image stored twice)" : ""));
        const Json json = Json::parse(runCli({"diff", reference, file, "--format", "json"}).out);
        EXPECT_EQ(json["identical"], false);
        EXPECT_EQ(json["file_size"], Json({{"a", 4096}, {"b", c.bytes.size()}}));
    }
    // Two readouts of the same size whose second halves differ still differ.
    writeBytes(dir / "twice.bin", twice);
    const CliResult same = runCli({"diff", (dir / "twice.bin").string(), (dir / "halves differ.bin").string()});
    EXPECT_EQ(same.status, 1);
    EXPECT_EQ(same.out, "file bytes beyond 4096: differ\n");
    EXPECT_EQ(runCli({"diff", (dir / "twice.bin").string(), (dir / "twice.bin").string()}).status, 0);
}

TEST(Sizes, DumpMarksTheBytesAShortFileDoesNotHold) {
    ScratchDir dir;
    const auto good = imageBytes(siteImage());
    writeBytes(dir / "short.bin", std::vector<unsigned char>(good.begin(), good.begin() + 20));
    const CliResult run = runCli({"dump", (dir / "short.bin").string()});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto out = lines(run.out);
    EXPECT_EQ(out[0], "File is 20 bytes, not 4096; -- marks the 4076 bytes it does not hold (read as FF)");
    const auto row = std::find_if(out.begin(), out.end(), [](const std::string& l) { return l.rfind("2010  ", 0) == 0; });
    ASSERT_NE(row, out.end());
    EXPECT_EQ(row->substr(0, 6 + 4 * 3 + 2), "2010  " + std::string("00 20 30 20 ") + "--");
    EXPECT_EQ(out.back(), "2FF0  -- -- -- -- -- -- -- -- -- -- -- -- -- -- -- --");
}

TEST(Checksum, EditsOfABadReadAreRefusedUnlessForced) {
    ScratchDir dir;
    auto bytes = imageBytes(siteImage());
    bytes[0x40] ^= 0x10;
    const std::string bad = (dir / "bad.bin").string();
    writeBytes(bad, bytes);
    const std::string out = (dir / "out.bin").string();
    const std::vector<std::vector<std::string>> edits = {
        {"set", bad, "-o", out, "cw-id=off"},
        {"message", bad, "-o", out, "--set", "0", "AB1CDE"},
        {"message", bad, "-o", out, "--add"},
    };
    Image image;
    NullNotices quiet;
    const LoadOutcome loaded = loadImageBytes(image, bytes.data(), bytes.size(), quiet);
    const std::string sums = "checksum " + hex4(loaded.stored) + " stored, " + hex4(loaded.computed) + " computed";
    for (const auto& args : edits) {
        SCOPED_TRACE(args[0] + " " + args.back());
        std::filesystem::remove(out);
        const CliResult refused = runCli(args);
        EXPECT_EQ(refused.status, 3);
        EXPECT_EQ(refused.err, "quarnel-cli: " + bad + ": " + sums +
                                   ": the image may be a bad read; nothing written (--force edits it anyway)\n");
        EXPECT_FALSE(std::filesystem::exists(out));

        auto forced = args;
        forced.push_back("--force");
        const CliResult run = runCli(forced);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(lines(run.err).at(0), bad + ": " + sums + "; edited anyway (--force)");
        Image saved;
        EXPECT_TRUE(loadImageFile(saved, out, quiet).checksumOk);
    }
}

TEST(Message, TextsThatWouldNotBeStoredWholeAreRefused) {
    ScratchDir dir;
    const std::string in = writeImage(dir / "site.bin", siteImage());  // two messages
    const std::string out = (dir / "out.bin").string();
    struct Case {
        const char* what;
        std::vector<std::string> set;
        int status;
        std::string err;  // the last line of standard error
    };
    const Case cases[] = {
        {"first slot overflows", {"0", "HHHHHHHHHHHHHHHHHHHHH"}, 3,
         "quarnel-cli: " + in + ": message 0: the text needs 28 bytes, its end mark included, and the slot "
                                "of message 0 holds 21; nothing written"},
        {"more than the encoder holds", {"1", "0000000000000000000000000000"}, 3,
         "quarnel-cli: " + in + ": message 1: the text needs 43 bytes, its end mark included, and a message "
                                "holds at most 41; nothing written"},
        {"negative index", {"-1", "A"}, 2, "quarnel-cli: " + in + ": message: \"-1\" is not a message index"},
        {"index with a sign", {"+1", "A"}, 2, "quarnel-cli: " + in + ": message: \"+1\" is not a message index"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CliResult r = runCli({"message", in, "-o", out, "--set", c.set[0], c.set[1]});
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(lines(r.err), std::vector<std::string>{c.err});
        EXPECT_TRUE(r.out.empty());
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    // Unknown characters are named once however many there are.
    const CliResult r = runCli({"message", in, "-o", out, "--set", "1", "a-b-c-d HH"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(lines(r.err), (std::vector<std::string>{in + ": Unknown characters ignored!", in + ": ID is 8 bytes long"}));
    Image saved;
    NullNotices quiet;
    loadImageFile(saved, out, quiet);
    EXPECT_EQ(decodeMessage(saved, 1), "ABCD HH");
}

TEST(DiffOutput, AddressesInHexAndMovedRecordsOnOneLine) {
    ScratchDir dir;
    const std::string a = writeImage(dir / "a.bin", siteImage());
    const std::string b = (dir / "b.bin").string();
    ASSERT_EQ(runCli({"message", a, "-o", b, "--add"}).status, 0);
    const CliResult run = runCli({"diff", a, b});
    EXPECT_EQ(run.status, 1);
    const auto out = lines(run.out);
    for (const char* line : {"header.cw_end: 205B -> 2070", "header.rf_address: 205B -> 2070",
                             "channel records moved by 21 bytes"})
        EXPECT_EQ(std::count(out.begin(), out.end(), line), 1) << line << "\n" << run.out;
    for (const auto& l : out) EXPECT_EQ(l.find(" base: "), std::string::npos) << l;
    const Json doc = Json::parse(runCli({"diff", a, b, "--format", "json"}).out);
    EXPECT_EQ(doc["records_moved"], 21);
    for (const auto& f : doc["fields"])
        if (f["field"] == "header.rf_address")
            EXPECT_EQ(f, Json::parse(R"({"channel": null, "field": "header.rf_address", "a": 8283, "b": 8304,
                                        "a_text": "205B", "b_text": "2070"})"));
}

TEST(ShowJson, EachItemHasTheTextTheEditorShowsBesideIt) {
    ScratchDir dir;
    const std::string file = writeImage(dir / "site.bin", siteImage());
    const Json doc = Json::parse(runCli({"show", file, "--format", "json"}).out);
    const Json& h = doc["header"];
    EXPECT_EQ(h["id_timer_text"], "10");
    EXPECT_EQ(h["cw_speed_text"], "20");
    EXPECT_EQ(h["rekey_delay_text"], "960");
    EXPECT_EQ(h["tone_start_delay_text"], "720");
    const Json& c1 = doc["channels"][0];
    EXPECT_EQ(c1["rx"]["code_text"], "100.0");
    EXPECT_EQ(c1["tx"]["code_text"], "023");
    EXPECT_EQ(c1["timers"], Json::parse(R"({"wireline_item": 8, "wireline_text": "120", "repeater_item": 12,
        "repeater_text": "180", "local_item": 4, "local_text": "60", "dropout_item": 3, "dropout_text": "3"})"));
    EXPECT_EQ(c1["id"]["message_text"], "AB1CDE");
    EXPECT_TRUE(doc["channels"][1]["rx"]["code_text"].is_null());  // not in the tables
    // Every item, at any depth, is followed by its text.
    std::function<void(const Json&)> check = [&](const Json& j) {
        if (!j.is_object() && !j.is_array()) return;
        std::string previous;
        for (const auto& [key, value] : j.items()) {
            if (previous.size() > 5 && previous.compare(previous.size() - 5, 5, "_item") == 0)
                EXPECT_EQ(key, previous.substr(0, previous.size() - 5) + "_text");
            previous = key;
            check(value);
        }
    };
    check(doc);
}

TEST(Input, FriendlierFormsWriteWhatTheContractFormsWrite) {
    ScratchDir dir;
    const std::string in = writeImage(dir / "in.bin", channelImage());  // four channels
    struct Case {
        std::vector<std::string> friendly, contract;
    };
    const Case cases[] = {
        {{"rx-code=PL:103.5", "CW-ID=Off"}, {"rx-code=pl:103.5", "cw-id=off"}},
        {{"rx-control.auxiliary=yes", "audio.repeater=NO"}, {"rx-control.auxilary=on", "audio.repeater=off"}},
        {{"--rx-band", "VHF", "rx=146.52", "timer.local=None"}, {"--rx-band", "vhf", "rx=146.52", "timer.local=none"}},
        {{"--channel", "1,2-4", "dropout=2"}, {"--channel", "all", "dropout=2"}},
        {{"--channel", "TUNE", "priority.local=Highest"}, {"--channel", "4", "priority.local=highest"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.friendly.back());
        std::vector<std::string> a = {"set", in, "-o", (dir / "a.bin").string()};
        std::vector<std::string> b = {"set", in, "-o", (dir / "b.bin").string()};
        a.insert(a.end(), c.friendly.begin(), c.friendly.end());
        b.insert(b.end(), c.contract.begin(), c.contract.end());
        ASSERT_EQ(runCli(b).status, 0);
        const CliResult run = runCli(a);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(readBytes(dir / "a.bin"), readBytes(dir / "b.bin"));
    }
    // --channel 1,3-4 left channel 2 alone; "all" did not.
    ASSERT_EQ(runCli({"set", in, "-o", (dir / "a.bin").string(), "--channel", "1,3-4", "dropout=2"}).status, 0);
    const Json doc = Json::parse(runCli({"show", (dir / "a.bin").string(), "--format", "json"}).out);
    std::vector<int> dropouts;
    for (const auto& ch : doc["channels"]) dropouts.push_back(ch["timers"]["dropout_item"]);
    EXPECT_EQ(dropouts, (std::vector<int>{2, 0, 2, 2}));
}

TEST(Input, MistakesAreNamedWithWhatWasMeant) {
    ScratchDir dir;
    const std::string in = writeImage(dir / "in.bin", channelImage());
    const std::string out = (dir / "out.bin").string();
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string err;
    };
    const Case cases[] = {
        {{"set", in, "-o", out, "rx-control.carier=on"}, 2,
         "quarnel-cli: " + in + ": rx-control.carier: no such field; did you mean rx-control.carrier?\n"},
        {{"set", in, "-o", out, "dropuot=1"}, 2, "quarnel-cli: " + in + ": dropuot: no such field; did you mean dropout?\n"},
        {{"set", in, "-o", out, "frobnicate=1"}, 2,
         "quarnel-cli: " + in + ": frobnicate: no such field (quarnel-cli set --help lists them)\n"},
        {{"set", in, "-o", "-", "cw-id=on"}, 2,
         "quarnel-cli: -o -: an image is not written to standard output; give a file name\n"},
        {{"set", in, "-o", out, "--channel", "2-5", "cw-id=on"}, 2,
         "quarnel-cli: " + in + ": there is no channel 2-5 (the image has 4 channels)\n"},
        {{"set", in, "-o", out, "--channel", "3-1", "cw-id=on"}, 2,
         "quarnel-cli: " + in + ": there is no channel 3-1 (the image has 4 channels)\n"},
        {{"set", in, "-o", out, "--channel", "1,,2", "cw-id=on"}, 2,
         "quarnel-cli: " + in + ": there is no channel  (the image has 4 channels)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[4]);
        const CliResult r = runCli(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.err, c.err);
        EXPECT_FALSE(std::filesystem::exists(out));
    }
    const CliResult version = runCli({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "quarnel-cli 1.01\n");
}
