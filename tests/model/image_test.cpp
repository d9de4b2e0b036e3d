// Loading, checksum and saving of image files.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "model/image.h"
#include "tests/support/files.h"
#include "tests/support/sample_image.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>

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
        EXPECT_EQ(entry.path().string().find(".quarnel-save"), std::string::npos) << entry.path();
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
    EXPECT_FALSE(fs::exists(dir / "keep.bin.quarnel-save"));
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
