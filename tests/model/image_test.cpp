// Loading, checksum and saving of image files.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>

#include "model/image.h"
#include "tests/support/files.h"
#include "tests/support/sample_image.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <csignal>
#endif

namespace fs = std::filesystem;
using namespace quarnel;
using quarnel::testing::eprom;
using quarnel::testing::readFile;
using quarnel::testing::sampleImage;
using quarnel::testing::TempDir;
using quarnel::testing::writeFile;

namespace {

Image withWords(std::uint16_t lastWord, std::initializer_list<std::pair<std::size_t, std::uint16_t>> words) {
    Image image;
    writeWord(image, 2, lastWord);
    for (auto [offset, value] : words) writeWord(image, offset, value);
    return image;
}

}  // namespace

TEST(Checksum, SumsTheWordsFromOffsetTwoToLastWord) {
    struct Case {
        const char* what;
        Image image;
        std::uint16_t expected;
    };
    Image erased;
    erased.bytes.fill(0xFF);
    const Case cases[] = {
        // last = 1: nothing is summed.
        {"last word below 2", withWords(0x2001, {{4, 0x1234}}), 0},
        // last = 5: words at 2 and 4.
        {"last word 5", withWords(0x2005, {{4, 0x0100}, {6, 0x7777}}), 0x2005 + 0x0100},
        // last odd: the final word is the one starting at last - 1.
        {"odd last word", withWords(0x2007, {{6, 0x0003}, {8, 0x5555}}), 0x2007 + 3},
        // Checksum field itself is not summed.
        {"checksum excluded", withWords(0x2003, {{0, 0xABCD}}), 0x2003},
        // 2047 words of 0xFFFF: 2047 x 0xFFFF mod 65536 = 0xF801.
        {"erased image", erased, 0xF801},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(computeChecksum(c.image), c.expected) << c.what;
    }
    // The sum wraps modulo 65536.
    Image wrap;
    writeWord(wrap, 2, 0xFFFF);  // last = 0x0FFF covers everything
    for (std::size_t a = 4; a < kEpromSize; a += 2) writeWord(wrap, a, 0);
    writeWord(wrap, 4, 0x0003);  // 0xFFFF + 0x0003 = 0x0002 after wrapping
    EXPECT_EQ(computeChecksum(wrap), 0x0002);
}

TEST(Checksum, NeverReadsPastTheEprom) {
    Image image;
    image.bytes.fill(0xFF);
    image[4096] = 0x55;  // overflow slot must not count
    EXPECT_EQ(computeChecksum(image), 0xF801);
}

TEST(Load, ByteCountsAndPadding) {
    struct Case {
        std::size_t fileSize;
        std::size_t bytesRead;
        bool tooLarge;
        std::size_t largeNotices;
    };
    const Case cases[] = {
        {0, 0, false, 0}, {1, 1, false, 0},    {2048, 2048, false, 0},
        {4096, 4096, false, 0}, {4097, 4097, true, 1}, {10000, 4097, true, 1},
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> data(c.fileSize);
        for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7 + 1);
        Image image;  // zero-filled: every untouched offset must become 0xFF
        RecordedNotices notices;
        std::size_t progressCalls = 0, lastProgress = 0;
        const LoadOutcome out = loadImageBytes(image, data.data(), data.size(), notices,
                                               [&](std::size_t n) { ++progressCalls; lastProgress = n; });
        SCOPED_TRACE(c.fileSize);
        EXPECT_TRUE(out.ok);
        EXPECT_EQ(out.bytesRead, c.bytesRead);
        EXPECT_EQ(out.tooLarge, c.tooLarge);
        EXPECT_EQ(progressCalls, c.bytesRead);
        EXPECT_EQ(lastProgress, c.bytesRead);
        EXPECT_EQ(notices.texts(NoticeKind::Box).size(), c.largeNotices);
        if (c.largeNotices)
            EXPECT_EQ(notices.texts(NoticeKind::Box)[0], "File larger than 4096 bytes");
        for (std::size_t i = 0; i < kImageSize; ++i) {
            const std::uint8_t want = i < c.bytesRead ? data[i] : 0xFF;
            ASSERT_EQ(image[i], want) << "offset " << i;
        }
        EXPECT_EQ(out.computed, computeChecksum(image));
        EXPECT_EQ(out.stored, storedChecksum(image));
        EXPECT_EQ(out.checksumOk, out.computed == out.stored);
    }
}

TEST(Load, EmptyFileFailsTheChecksum) {
    TempDir dir;
    writeFile(dir / "empty.bin", {});
    Image image;
    NullNotices none;
    const LoadOutcome out = loadImageFile(image, dir / "empty.bin", none);
    EXPECT_TRUE(out.ok);
    EXPECT_EQ(out.bytesRead, 0u);
    EXPECT_EQ(out.computed, 0xF801);
    EXPECT_EQ(out.stored, 0xFFFF);
    EXPECT_FALSE(out.checksumOk);
}

TEST(Load, UnreadableFileLeavesTheImageUntouched) {
    TempDir dir;
    fs::create_directories(dir / "folder.bin");
    const fs::path targets[] = {dir / "missing.bin", dir / "folder.bin"};
    for (const auto& target : targets) {
        Image image = sampleImage();
        const Image before = image;
        RecordedNotices notices;
        const LoadOutcome out = loadImageFile(image, target, notices);
        EXPECT_FALSE(out.ok) << target;
        EXPECT_FALSE(out.error.empty()) << target;
        EXPECT_EQ(image.bytes, before.bytes) << target;
        EXPECT_TRUE(notices.entries.empty());
    }
}

TEST(Save, SetsWindowBitAndChecksumAndWrites4096Bytes) {
    TempDir dir;
    Image image = sampleImage();
    image[2] &= static_cast<std::uint8_t>(~0x20);  // window bit missing
    image[4096] = 0x77;                            // overflow byte is dropped
    std::size_t progressCalls = 0;
    const SaveOutcome out = saveImageFile(image, dir / "out.bin", [&](std::size_t) { ++progressCalls; });
    ASSERT_TRUE(out.ok) << out.error;
    EXPECT_EQ(out.bytesWritten, 4096u);
    EXPECT_EQ(progressCalls, 4096u);
    const auto bytes = readFile(dir / "out.bin");
    ASSERT_EQ(bytes.size(), 4096u);
    EXPECT_TRUE(bytes[2] & 0x20);
    Image reloaded;
    NullNotices none;
    const LoadOutcome back = loadImageFile(reloaded, dir / "out.bin", none);
    EXPECT_TRUE(back.checksumOk);
    EXPECT_EQ(back.stored, out.checksum);
}

TEST(Save, BeforeAnyLoadWritesTheZeroImage) {
    Image image;
    const auto bytes = saveImageBytes(image);
    ASSERT_EQ(bytes.size(), 4096u);
    EXPECT_EQ(bytes[2], 0x20);
    // Last Word 0x2000 covers no word beyond offset 0: the sum is 0.
    EXPECT_EQ(bytes[0], 0);
    EXPECT_EQ(bytes[1], 0);
}

TEST(Save, RoundTripOfAValidImageIsByteIdentical) {
    std::mt19937 rng(1234);
    for (int trial = 0; trial < 20; ++trial) {
        std::vector<std::uint8_t> data(4096);
        for (auto& b : data) b = static_cast<std::uint8_t>(rng());
        data[2] |= 0x20;
        Image tmp;
        NullNotices none;
        loadImageBytes(tmp, data.data(), data.size(), none);
        const std::uint16_t sum = computeChecksum(tmp);
        data[0] = static_cast<std::uint8_t>(sum >> 8);
        data[1] = static_cast<std::uint8_t>(sum);
        Image image;
        const LoadOutcome in = loadImageBytes(image, data.data(), data.size(), none);
        ASSERT_TRUE(in.checksumOk);
        EXPECT_EQ(saveImageBytes(image), data) << "trial " << trial;
    }
}

TEST(Save, ShortFileComesBackPaddedWithFF) {
    std::vector<std::uint8_t> data(2048, 0x11);
    Image image;
    NullNotices none;
    loadImageBytes(image, data.data(), data.size(), none);
    const auto bytes = saveImageBytes(image);
    ASSERT_EQ(bytes.size(), 4096u);
    for (std::size_t i = 2048; i < 4096; ++i) ASSERT_EQ(bytes[i], 0xFF) << i;
}

TEST(Save, LongerExistingFileEndsUpExactly4096Bytes) {
    TempDir dir;
    writeFile(dir / "long.bin", std::vector<std::uint8_t>(9000, 0xAB));
    Image image = sampleImage();
    ASSERT_TRUE(saveImageFile(image, dir / "long.bin").ok);
    EXPECT_EQ(fs::file_size(dir / "long.bin"), 4096u);
}

TEST(Save, FailuresAreReportedAndKeepTheOldFile) {
    TempDir dir;
    const std::vector<std::uint8_t> old(100, 0x42);
    writeFile(dir / "readonly.bin", old);
    fs::permissions(dir / "readonly.bin", fs::perms::owner_write | fs::perms::group_write |
                                              fs::perms::others_write,
                    fs::perm_options::remove);
    fs::create_directories(dir / "folder.bin");
    struct Case {
        const char* what;
        fs::path target;
    };
    const Case cases[] = {
        {"missing folder", dir / "no-such-folder" / "out.bin"},
        {"read-only file", dir / "readonly.bin"},
        {"target is a folder", dir / "folder.bin"},
    };
    for (const auto& c : cases) {
        Image image = sampleImage();
        const SaveOutcome out = saveImageFile(image, c.target);
        EXPECT_FALSE(out.ok) << c.what;
        EXPECT_FALSE(out.error.empty()) << c.what;
        EXPECT_EQ(out.bytesWritten, 0u) << c.what;
    }
    EXPECT_EQ(readFile(dir / "readonly.bin"), old);
    // No temporary file is left behind.
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename().string().find(".quarnel"), std::string::npos) << entry.path();
}

#ifndef _WIN32
TEST(Save, WriteFailureMidFileKeepsTheOldFile) {
    // A file size limit makes the write fail part-way, as a full disk does.
    TempDir dir;
    const std::vector<std::uint8_t> old(10, 1);
    writeFile(dir / "keep.bin", old);
    struct rlimit saved {};
    getrlimit(RLIMIT_FSIZE, &saved);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 1000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    Image image = sampleImage();
    const SaveOutcome out = saveImageFile(image, dir / "keep.bin");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(out.ok);
    EXPECT_FALSE(out.error.empty());
    EXPECT_EQ(readFile(dir / "keep.bin"), old);
    for (const auto& entry : fs::directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename(), "keep.bin");
}
#else
TEST(Save, LockedFileIsReportedAndKeepsTheOldFile) {
    TempDir dir;
    const std::vector<std::uint8_t> old(10, 1);
    writeFile(dir / "locked.bin", old);
    HANDLE lock = CreateFileW((dir / "locked.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    Image image = sampleImage();
    const SaveOutcome out = saveImageFile(image, dir / "locked.bin");
    CloseHandle(lock);
    EXPECT_FALSE(out.ok);
    EXPECT_FALSE(out.error.empty());
    EXPECT_EQ(readFile(dir / "locked.bin"), old);
}
#endif

#ifndef _WIN32
// The temporary file of a save can neither be steered by a file or link
// already there nor make a long name fail, and the target is replaced only
// when it is a regular file; a link stays a link.
TEST(SafeSave, TemporaryFileAndTargetCannotBeTurnedAgainstTheUser) {
    struct Case {
        const char* what;
        std::string target;  // the name saved to, in the scratch folder
        // Prepares the folder; "input.bin" holds the input's bytes.
        void (*prepare)(const TempDir& dir, const std::string& target);
        bool saves;
        std::string refusal;  // part of the error when !saves
        std::string written;  // the regular file that must receive the image
    };
    auto linkToInput = [](const TempDir& dir, const std::string& t) {
        fs::create_symlink("input.bin", dir / (t + ".quarnel-save"));
    };
    auto usersFile = [](const TempDir& dir, const std::string& t) {
        writeFile(dir / (t + ".quarnel-save"), {1, 2, 3});
    };
    auto fifo = [](const TempDir& dir, const std::string& t) { ASSERT_EQ(mkfifo((dir / t).c_str(), 0600), 0); };
    auto linkToFifo = [](const TempDir& dir, const std::string& t) {
        ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0600), 0);
        fs::create_symlink("pipe", dir / t);
    };
    auto linkChain = [](const TempDir& dir, const std::string& t) {
        fs::create_directories(dir / "real");
        writeFile(dir / "real" / "site.bin", std::vector<std::uint8_t>(100, 7));
        fs::create_symlink("real/site.bin", dir / "middle");
        fs::create_symlink(dir / "middle", dir / t);
    };
    auto dangling = [](const TempDir& dir, const std::string& t) { fs::create_symlink("new-file.bin", dir / t); };
    auto loop = [](const TempDir& dir, const std::string& t) {
        fs::create_symlink("b", dir / t);
        fs::create_symlink(t, dir / "b");
    };
    auto nothing = [](const TempDir&, const std::string&) {};
    const Case cases[] = {
        {"a link at the old temporary name", "out.bin", linkToInput, true, "", "out.bin"},
        {"a user's file at the old temporary name", "out.bin", usersFile, true, "", "out.bin"},
        {"a 250-character name", std::string(246, 'n') + ".bin", nothing, true, "", std::string(246, 'n') + ".bin"},
        {"a FIFO", "pipe.bin", fifo, false, "not a regular file", ""},
        {"a link to a FIFO", "out.bin", linkToFifo, false, "not a regular file", ""},
        {"a chain of links", "out.bin", linkChain, true, "", "real/site.bin"},
        {"a dangling link", "out.bin", dangling, true, "", "new-file.bin"},
        {"links in a circle", "out.bin", loop, false, "symbolic links", ""},
    };
    const std::vector<std::uint8_t> input(4096, 0x5A);
    for (const Case& c : cases) {
        TempDir dir;
        writeFile(dir / "input.bin", input);
        c.prepare(dir, c.target);
        auto listing = [&] {
            std::map<std::string, fs::file_type> entries;
            for (const auto& e : fs::directory_iterator(dir.path()))
                entries[e.path().filename().string()] = e.symlink_status().type();
            return entries;
        };
        // Afterwards the folder holds what it held (links still links, a
        // FIFO still a FIFO, no temporary file) plus the file saved, when it
        // is new.
        auto expected = listing();
        const std::string top = fs::path(c.written).begin()->string();
        if (c.saves && expected.count(top) == 0) expected[top] = fs::file_type::regular;
        Image image = sampleImage();
        const SaveOutcome out = saveImageFile(image, dir / c.target);
        EXPECT_EQ(out.ok, c.saves) << c.what << ": " << out.error;
        EXPECT_EQ(readFile(dir / "input.bin"), input) << c.what;
        EXPECT_EQ(listing(), expected) << c.what;
        if (c.saves) {
            EXPECT_EQ(fs::symlink_status(dir / c.written).type(), fs::file_type::regular) << c.what;
            EXPECT_EQ(readFile(dir / c.written), eprom(image)) << c.what;
        } else {
            EXPECT_NE(out.error.find(c.refusal), std::string::npos) << c.what << ": " << out.error;
        }
    }
    // The user's file of the old temporary name is still there.
    TempDir dir;
    usersFile(dir, "out.bin");
    Image image = sampleImage();
    ASSERT_TRUE(saveImageFile(image, dir / "out.bin").ok);
    EXPECT_EQ(readFile(dir / "out.bin.quarnel-save"), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(SafeSave, DeviceNodesAreNeverReplaced) {
    // A copy of /dev/null's node in the scratch folder (only root may make
    // one): as root the rename would put a regular file in place of the
    // device. The system's own nodes are never used, so that a failing test
    // cannot destroy them.
    TempDir dir;
    const fs::path node = dir / "null";
    if (mknod(node.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) GTEST_SKIP() << "making a device node needs root";
    fs::create_symlink("null", dir / "link-to-null");
    for (const char* name : {"null", "link-to-null"}) {
        Image image = sampleImage();
        const SaveOutcome out = saveImageFile(image, dir / name);
        EXPECT_FALSE(out.ok) << name;
        EXPECT_NE(out.error.find("not a regular file"), std::string::npos) << name << ": " << out.error;
        struct stat st {};
        ASSERT_EQ(stat(node.c_str(), &st), 0);
        EXPECT_TRUE(S_ISCHR(st.st_mode)) << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator{}), 2);
}
#else
TEST(SafeSave, DevicesAreNeverReplaced) {
    TempDir dir;
    Image image = sampleImage();
    const SaveOutcome out = saveImageFile(image, dir / "NUL");
    EXPECT_FALSE(out.ok);
    EXPECT_NE(out.error.find("not a regular file"), std::string::npos) << out.error;
}
#endif
