// Malformed images opened through the real Open command, every channel
// stepped through: the editor must stay up, never write outside the image,
// and say in words what is wrong (status bar or message box).
#include <windows.h>

#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/image.h"
#include "model/layout.h"
#include "tests/support/sample_image.h"
#include "tests/ui/harness.h"
#include "ui/main_window_ids.h"
#include "ui/text.h"

namespace quarnel::test {
namespace {

namespace ids = ui::ids;
using Bytes = std::vector<std::uint8_t>;

Bytes repeater() { return testing::eprom(testing::repeaterImage()); }

// The repeater image with one header field changed (the checksum is left
// stale, as a damaged read would leave it).
Bytes withField(Field field, std::uint32_t value) {
    Image image = testing::repeaterImage();
    writeField(image, field, value);
    return testing::eprom(image);
}

Bytes randomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    return bytes;
}

struct Malformed {
    const char* name;
    Bytes bytes;
    // A word the status bar or a message box must hold; empty when the image
    // decodes without a layout problem (only its values are odd).
    std::wstring says;
};

std::vector<Malformed> malformedImages() {
    return {
        {"Modes 0", withField(Field::Modes, 0), L"Modes is 0"},
        {"Size 0", withField(Field::Size, 0), L"Size is 0"},
        {"records beyond the image", withField(Field::Modes, 255), L"lies outside the image"},
        {"RF address at the end", withField(Field::RfAddress, 0x2FF0), L"lies outside the image"},
        {"records over the header", withField(Field::RfAddress, 0x2000), L"over the header"},
        {"CW area reversed", withField(Field::CwEnd, 0x2001), L"CW address error"},
        {"CW area outside", withField(Field::CwIdAddr, 0x3FF0), L""},
        {"erased EPROM", Bytes(4096, 0xFF), L"lies outside the image"},
        {"all zero", Bytes(4096, 0x00), L"Modes is 0"},
        {"empty file", Bytes{}, L"Modes is 0"},
        {"one byte", Bytes{0x5A}, L"Modes is 0"},
        {"random 1", randomBytes(4096, 1), L""},
        {"random 2", randomBytes(4096, 2), L""},
        {"random, short", randomBytes(700, 3), L""},
        {"random, long", randomBytes(6000, 4), L""},
    };
}

class MalformedOpen : public EditorTest {
protected:
    std::wstring everythingSaid() {
        std::wstring said = statusText(item(ids::kStatusBar), 0) + L"\n" + statusText(item(ids::kStatusBar), 1);
        for (const auto& box : dialogs.messageBoxTexts()) said += L"\n" + box;
        return said;
    }
};

TEST_F(MalformedOpen, EveryChannelStepsWithoutHarmAndProblemsAreNamed) {
    TempFolder folder;
    for (const Malformed& m : malformedImages()) {
        SCOPED_TRACE(m.name);
        const std::wstring path = folder.file(L"damaged.bin");
        writeFile(path, m.bytes);
        dialogs.forget();
        openFile(path);
        ASSERT_TRUE(IsWindow(window()));
        EXPECT_EQ(state().image[kEpromSize], 0) << "the byte behind the image was written";
        if (!m.says.empty()) EXPECT_NE(everythingSaid().find(m.says), std::wstring::npos) << ui::narrow(everythingSaid());
        // Every box the display raised said something.
        for (const auto& box : dialogs.messageBoxTexts()) EXPECT_FALSE(box.empty());

        // Forward through every channel and round to channel 1, then back
        // over the wrap to the last channel and one more.
        const int modes = static_cast<int>(readField(state().image, Field::Modes));
        for (int i = 0; i < modes; ++i) editor_->menuCommand(ids::kNextChannel);
        for (int i = 0; i < 2; ++i) editor_->menuCommand(ids::kPreviousChannel);
        ASSERT_TRUE(IsWindow(window()));
        EXPECT_EQ(state().image[kEpromSize], 0);
        if (!state().recordReachable())
            EXPECT_FALSE(statusText(item(ids::kStatusBar), 0).empty()) << "an unreachable record is not named";
        EXPECT_EQ(dialogs.unexpectedDialogs(), 0);
    }
}

}  // namespace
}  // namespace quarnel::test
