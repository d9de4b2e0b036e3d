// Malformed images opened through the real Open command, every channel
// stepped through: the editor must stay up, never write outside the image,
// and say in words what is wrong (status bar or message box).
#include <windows.h>

#include <algorithm>
#include <cctype>
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

// The repeater image with one header field changed (the checksum is left
// stale, as a damaged read would leave it).
Bytes withField(Field field, std::uint32_t value) {
    Image image = testing::repeaterImage();
    writeField(image, field, value);
    return testing::eprom(image);
}

// Random bytes, with Modes set to `modes` when the image is long enough to
// hold it (a random count up to 255 would make each case slow without
// reaching more code: every further channel is decoded the same way).
Bytes randomBytes(std::size_t size, unsigned seed, std::uint8_t modes) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
    if (size >= 4096) {
        Image image{};
        std::copy(bytes.begin(), bytes.begin() + 4096, image.bytes.begin());
        writeField(image, Field::Modes, modes);
        std::copy(image.bytes.begin(), image.bytes.begin() + 4096, bytes.begin());
    }
    return bytes;
}

struct Malformed {
    const char* name;
    Bytes bytes;
    // Words the status bar or a message box must show at some channel;
    // empty when the image has no layout problem (only odd values).
    std::wstring says;
};

const std::vector<Malformed>& malformedImages() {
    static const std::vector<Malformed> images = {
        {"Modes 0", withField(Field::Modes, 0), L"Modes is 0"},
        {"Size 0", withField(Field::Size, 0), L"Size is 0"},
        {"last records beyond the image", withField(Field::RfAddress, 0x2F00), L"lies outside the image"},
        {"RF address at the end", withField(Field::RfAddress, 0x2FF0), L"lies outside the image"},
        {"records over the header", withField(Field::RfAddress, 0x2000), L"over the header"},
        {"CW area reversed", withField(Field::CwEnd, 0x2001), L"CW address error"},
        {"CW area outside", withField(Field::CwIdAddr, 0x3FF0), L""},
        {"erased EPROM", Bytes(4096, 0xFF), L"lies outside the image"},
        {"all zero", Bytes(4096, 0x00), L"Modes is 0"},
        {"empty file", Bytes{}, L""},
        {"one byte", Bytes{0x5A}, L""},
        {"random 1", randomBytes(4096, 1, 20), L""},
        {"random 2", randomBytes(4096, 2, 12), L""},
        {"random, short", randomBytes(700, 3, 0), L""},
        {"random, long", randomBytes(6000, 4, 16), L""},
    };
    return images;
}

// The offsets the channel display may change: byte 7 (TX Priority) of each
// record inside the image.
std::vector<std::size_t> priorityOffsets(const Image& image) {
    std::vector<std::size_t> offsets;
    const int modes = static_cast<int>(readField(image, Field::Modes));
    for (int n = 1; n <= modes; ++n) {
        const ChannelLocation where = channelBase(image, n);
        if (where.error == LayoutError::None) offsets.push_back(where.base + 7);
    }
    return offsets;
}

class MalformedOpen : public EditorTest, public ::testing::WithParamInterface<std::size_t> {
protected:
    std::wstring status(int part) { return statusText(item(ids::kStatusBar), part); }
};

TEST_P(MalformedOpen, EveryChannelStepsWithoutHarmAndProblemsAreNamed) {
    const Malformed& m = malformedImages()[GetParam()];
    SCOPED_TRACE(m.name);
    TempFolder folder;
    const std::wstring path = folder.file(L"damaged.bin");
    writeFile(path, m.bytes);
    openFile(path);
    ASSERT_TRUE(IsWindow(window()));
    const Image opened = state().image;
    std::wstring said = status(0) + L"\n" + status(1);

    auto step = [&](int id) {
        editor_->menuCommand(id);
        said += L"\n" + status(0);
        if (!state().recordReachable()) {
            EXPECT_FALSE(status(0).empty()) << "channel " << state().currentChannel << " unreachable, not named";
        }
    };
    // Forward through every channel and round to channel 1, then back over
    // the wrap to the last channel and one more. An erased header claims 255
    // channels that all lie outside the image and each display answers with
    // a box: there the first and the last 20 channels are stepped through.
    const int modes = static_cast<int>(readField(opened, Field::Modes));
    const int forward = modes <= 40 ? modes : 20;
    const int back = modes <= 40 ? 2 : forward + 20;
    for (int i = 0; i < forward; ++i) step(ids::kNextChannel);
    for (int i = 0; i < back; ++i) step(ids::kPreviousChannel);
    ASSERT_TRUE(IsWindow(window()));

    for (const auto& box : dialogs.messageBoxTexts()) {
        EXPECT_FALSE(box.empty());
        said += L"\n" + box;
    }
    if (!m.says.empty()) {
        EXPECT_NE(said.find(m.says), std::wstring::npos) << ui::narrow(said);
    }
    EXPECT_EQ(dialogs.unexpectedDialogs(), 0);

    // Nothing but the display's priority rewrite changed, and nothing behind
    // the image.
    const std::vector<std::size_t> allowed = priorityOffsets(opened);
    for (std::size_t i = 0; i <= kEpromSize; ++i) {
        if (state().image[i] == opened[i]) continue;
        const bool priority = std::find(allowed.begin(), allowed.end(), i) != allowed.end();
        EXPECT_TRUE(priority && (state().image[i] & 0x3F) == (opened[i] & 0x3F)) << "offset " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Images, MalformedOpen, ::testing::Range<std::size_t>(0, 15),
                         [](const ::testing::TestParamInfo<std::size_t>& info) {
                             std::string name;
                             for (const char* c = malformedImages()[info.param].name; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                             return name;
                         });

}  // namespace
}  // namespace quarnel::test
