// The channel bytes map: frame, captions and their colours and fonts, the
// grid of one record's bytes for several record sizes, the channel and
// address lines, records that cannot be shown, and that it is a snapshot.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/sample_image.h"
#include "tests/ui/reference_fixture.h"
#include "ui/text.h"

namespace quarnel::test {
namespace {

using quarnel::testing::SampleLayout;
using quarnel::testing::sampleImage;
using quarnel::testing::setRecord;

int bitsId(int n) { return 8901 + n; }
int hexId(int n) { return 8926 + n; }

SampleLayout withSize(std::uint8_t size, std::uint8_t modes = 8) {
    SampleLayout l;
    l.size = size;
    l.modes = modes;
    return l;
}

// Channel 5's record: 22 field bytes, then bytes of the record's own that no
// field names.
const std::vector<std::uint8_t> kRecord = {
    0x5C, 0x01, 0xA3, 0x7E, 0x80, 0x0F, 0x51, 0x15, 0x04, 0x08, 0x23, 0x12, 0x34, 0x56,
    0x78, 0x9A, 0xBC, 0xDE, 0xF0, 0x42, 0x24, 0x81, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88,
    0x99, 0xAA};

// An image whose channel 5 holds as much of kRecord as its Size takes.
Image imageWithRecord(const SampleLayout& l) {
    Image image = sampleImage(l);
    const std::size_t base = (l.rfAddress & 0x0FFF) + 4u * l.size;
    for (std::size_t n = 0; n < l.size && n < kRecord.size(); ++n) image[base + n] = kRecord[n];
    return image;
}

class ChannelBytesMap : public ReferenceTest {};

// ---- Frame, captions, colours ----------------------------------------------------

TEST_F(ChannelBytesMap, FrameInDialogUnits) {
    HWND map = open(kChannelBytesCommand);
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(ui::windowText(map), L"Channel Bytes Map");
    EXPECT_EQ(GetWindow(map, GW_OWNER), nullptr);
    const LONG_PTR style = GetWindowLongPtrW(map, GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    EXPECT_FALSE(style & WS_VSCROLL);
    EXPECT_NE(SendMessageW(map, WM_GETICON, ICON_BIG, 0), 0);
    expectClientPlace(map, 100, 60, 410, 300);
}

struct CaptionRow {
    int id;
    const wchar_t* caption;
    int firstByte;
    int bytes;
    int x, y, w;
    int points;
    COLORREF background;
};

const CaptionRow kCaptions[] = {
    {8951, L"RX Frequency", 0, 3, 21, 10, 177, 10, RGB(204, 255, 204)},
    {8952, L"TX Frequency", 3, 3, 201, 10, 177, 10, RGB(255, 204, 255)},
    {8961, L"Receiver Ctrl", 6, 1, 21, 70, 57, 10, RGB(204, 255, 204)},
    {8957, L"TX Priority", 7, 1, 81, 70, 57, 10, RGB(255, 255, 204)},
    {8958, L"Line ToT", 8, 1, 141, 70, 57, 10, RGB(255, 255, 204)},
    {8959, L"Local ToT", 9, 1, 201, 70, 57, 10, RGB(255, 255, 204)},
    {8960, L"Tail  Rpt ToT", 10, 1, 261, 70, 57, 8, RGB(255, 255, 204)},
    {8953, L"TX Code", 11, 1, 321, 70, 57, 10, RGB(255, 204, 255)},
    {8954, L"TX Code", 12, 1, 21, 130, 57, 10, RGB(255, 204, 255)},
    {8955, L"RX Code", 13, 1, 81, 130, 57, 10, RGB(204, 255, 204)},
    {8956, L"RX Code", 14, 1, 141, 130, 57, 10, RGB(204, 255, 204)},
    {8964, L"Code Ctrl", 15, 1, 201, 130, 57, 10, RGB(204, 153, 255)},
    {8965, L"Rpt Ctrl", 16, 1, 261, 130, 57, 10, RGB(204, 153, 255)},
    {8966, L"ID/Alarm Ctrl", 17, 1, 321, 130, 57, 8, RGB(204, 153, 255)},
    {8963, L"CW ID Select", 18, 1, 21, 190, 57, 8, RGB(204, 255, 204)},
    {8962, L"Idle Frequency", 19, 3, 81, 190, 177, 10, RGB(255, 204, 153)},
};

TEST_F(ChannelBytesMap, CaptionsShareTheirColourWithTheLabelsOfTheirBytes) {
    HWND map = open(kChannelBytesCommand);
    std::vector<bool> coloured(24, false);
    for (const CaptionRow& c : kCaptions) {
        SCOPED_TRACE(ui::narrow(c.caption));
        EXPECT_EQ(textOf(map, c.id), c.caption);
        expectControlPlace(map, c.id, c.x, c.y, c.w, 10);
        const FontInfo font = fontOf(GetDlgItem(map, c.id));
        EXPECT_EQ(font.face, L"Arial");
        EXPECT_EQ(font.points, c.points);
        EXPECT_EQ(GetWindowLongPtrW(GetDlgItem(map, c.id), GWL_STYLE) & SS_TYPEMASK, SS_CENTER);
        EXPECT_EQ(staticColours(map, c.id).brushColour, c.background);
        for (int n = c.firstByte; n < c.firstByte + c.bytes; ++n) {
            coloured[static_cast<std::size_t>(n)] = true;
            for (int id : {bitsId(n), hexId(n)}) {
                const Colours colours = staticColours(map, id);
                EXPECT_EQ(colours.brushColour, c.background) << "byte " << n;
                EXPECT_EQ(colours.background, c.background) << "byte " << n;
            }
        }
    }
    for (int n = 0; n < 24; ++n) {
        if (coloured[static_cast<std::size_t>(n)]) continue;
        EXPECT_TRUE(n == 22 || n == 23) << "byte " << n << " has no caption";
        EXPECT_TRUE(defaultColours(staticColours(map, bitsId(n)))) << n;
        EXPECT_TRUE(defaultColours(staticColours(map, hexId(n)))) << n;
    }
}

TEST_F(ChannelBytesMap, GridLabelsAndLinesInDialogUnits) {
    HWND map = open(kChannelBytesCommand);
    for (int n : {0, 5, 6, 17, 23}) {
        const int c = n % 6, r = n / 6;
        expectControlPlace(map, hexId(n), 36 + 60 * c, 20 + 60 * r, 25, 10);
        expectControlPlace(map, bitsId(n), 21 + 60 * c, 30 + 60 * r, 57, 10);
        for (int id : {hexId(n), bitsId(n)}) {
            EXPECT_EQ(fontOf(GetDlgItem(map, id)).face, L"Courier") << id;
            EXPECT_EQ(fontOf(GetDlgItem(map, id)).points, 12) << id;
        }
    }
    expectControlPlace(map, 8967, 45, 260, 130, 12);
    expectControlPlace(map, 8968, 205, 260, 130, 12);
    for (int id : {8967, 8968}) {
        EXPECT_EQ(fontOf(GetDlgItem(map, id)).points, 12);
        EXPECT_EQ(GetWindowLongPtrW(GetDlgItem(map, id), GWL_STYLE) & SS_TYPEMASK, SS_LEFT);
    }
}

// ---- The bytes ------------------------------------------------------------------------

std::wstring bits(std::uint8_t v) {
    std::wstring text;
    for (int b = 7; b >= 0; --b) {
        text += (v >> b) & 1 ? L'1' : L'0';
        if (b == 4) text += L' ';
    }
    return text;
}

wchar_t digit(unsigned v) { return static_cast<wchar_t>(v < 10 ? L'0' + v : L'A' + v - 10); }
std::wstring hex2(std::uint8_t v) { return {digit(v >> 4u), digit(v & 15u)}; }

TEST_F(ChannelBytesMap, ChannelFiveInHexadecimalAndBits) {
    showChannel(imageWithRecord(withSize(22)), 5);
    HWND map = open(kChannelBytesCommand);
    EXPECT_EQ(textOf(map, 8967), L"Channel  5");
    EXPECT_EQ(textOf(map, 8968), L"Address 0x0B3");  // 0x05B + 4 x 22
    EXPECT_EQ(textOf(map, bitsId(0)), L"0101 1100");
    EXPECT_EQ(textOf(map, hexId(0)), L"5C");
    EXPECT_EQ(textOf(map, bitsId(21)), L"1000 0001");
    EXPECT_EQ(textOf(map, hexId(21)), L"81");
    EXPECT_EQ(textOf(map, hexId(22)), L"");
    EXPECT_FALSE(shown(GetDlgItem(map, 8969))) << "no note";
}

struct SizeCase {
    std::uint8_t size;
    int shown;
    bool note;
};

// Records shorter than the grid leave positions empty; longer ones show
// their first 24 bytes and leave every other control as it was.
const SizeCase kSizes[] = {{22, 22, false}, {10, 10, false}, {24, 24, false}, {30, 24, true}};

TEST_F(ChannelBytesMap, RecordSizesAgainstTheGridOf24) {
    for (const SizeCase& c : kSizes) {
        SCOPED_TRACE("Size " + std::to_string(c.size));
        editor_ = std::make_unique<Editor>();
        showChannel(imageWithRecord(withSize(c.size)), 5);
        ASSERT_TRUE(state().displayed.ok()) << state().displayed.problem;
        HWND map = open(kChannelBytesCommand);
        for (int n = 0; n < 24; ++n) {
            const std::uint8_t v = kRecord[static_cast<std::size_t>(n)];
            EXPECT_EQ(textOf(map, bitsId(n)), n < c.shown ? bits(v) : L"") << n;
            EXPECT_EQ(textOf(map, hexId(n)), n < c.shown ? hex2(v) : L"") << n;
        }
        EXPECT_EQ(GetDlgItem(map, 8925), nullptr);
        for (const CaptionRow& caption : kCaptions) EXPECT_EQ(textOf(map, caption.id), caption.caption);
        EXPECT_EQ(textOf(map, 8967), L"Channel  5");
        EXPECT_EQ(shown(GetDlgItem(map, 8969)), c.note);
        if (c.note) {
            EXPECT_EQ(textOf(map, 8969), L"Records are 30 bytes long; the first 24 are shown");
        }
    }
}

struct UnshownCase {
    const char* name;
    bool image;
    SampleLayout layout;
    int channel;
    const wchar_t* note;
};

SampleLayout recordsAt(std::uint16_t rf) {
    SampleLayout l;
    l.rfAddress = rf;
    return l;
}

// Nothing of the image is shown as a record when there is none to show.
const UnshownCase kUnshown[] = {
    {"no image opened", false, {}, 0, L"No channel is displayed"},
    {"record past the image", true, recordsAt(0x2FF0), 1, L"Channel 1 lies outside the image"},
    {"Size 0", true, withSize(0), 1, L"Size is 0: the channel records cannot be told apart"},
};

TEST_F(ChannelBytesMap, RecordsThatCannotBeShownGiveANoteInstead) {
    for (const UnshownCase& c : kUnshown) {
        SCOPED_TRACE(c.name);
        editor_ = std::make_unique<Editor>();
        if (c.image) showChannel(sampleImage(c.layout), c.channel);
        HWND map = open(kChannelBytesCommand);
        for (int n = 0; n < 24; ++n) {
            EXPECT_EQ(textOf(map, bitsId(n)), L"") << n;
            EXPECT_EQ(textOf(map, hexId(n)), L"") << n;
        }
        EXPECT_EQ(textOf(map, 8967), L"Channel " + ui::widen(std::string(c.channel ? " 1" : " 0")));
        EXPECT_EQ(textOf(map, 8968), L"");
        EXPECT_TRUE(shown(GetDlgItem(map, 8969)));
        EXPECT_EQ(textOf(map, 8969), c.note);
    }
}

// What the real Open command and channel display keep is what the map shows.
TEST_F(ChannelBytesMap, ShowsChannelOneOfAnOpenedImage) {
    TempFolder folder;
    const std::wstring path = folder.file(L"repeater.bin");
    writeFile(path, quarnel::testing::eprom(quarnel::testing::repeaterImage()));
    openFile(path);
    ASSERT_EQ(state().currentChannel, 1);
    HWND map = open(kChannelBytesCommand);
    EXPECT_EQ(textOf(map, 8967), L"Channel  1");
    EXPECT_EQ(textOf(map, 8968), L"Address 0x070");
    for (int n = 0; n < 22; ++n) {
        const std::uint8_t v = state().image[0x070u + static_cast<unsigned>(n)];
        EXPECT_EQ(textOf(map, hexId(n)), hex2(v)) << n;
        EXPECT_EQ(textOf(map, bitsId(n)), bits(v)) << n;
    }
    EXPECT_EQ(textOf(map, hexId(22)), L"");
}

// ---- A snapshot, one window per selection ---------------------------------------------

TEST_F(ChannelBytesMap, KeepsWhatItShowedAndEachSelectionOpensAnother) {
    const SampleLayout l = withSize(22);
    showChannel(imageWithRecord(l), 5);
    HWND first = open(kChannelBytesCommand);

    setRecord(state().image, l, 5, {0xEE});
    Image changed = state().image;
    setRecord(changed, l, 6, {0x11});
    showChannel(changed, 6);
    pumpMessages();
    EXPECT_EQ(textOf(first, hexId(0)), L"5C");
    EXPECT_EQ(textOf(first, 8967), L"Channel  5");

    HWND second = open(kChannelBytesCommand, 1);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_EQ(textOf(second, hexId(0)), L"11");
    EXPECT_EQ(textOf(second, 8967), L"Channel  6");
    EXPECT_EQ(textOf(second, 8968), L"Address 0x0C9");
    EXPECT_EQ(modeless().size(), 2u);
}

// Enter and Escape do nothing in the map; its close box closes it.
TEST_F(ChannelBytesMap, KeysDoNothingAndTheCloseBoxClosesIt) {
    HWND map = open(kChannelBytesCommand);
    for (WPARAM key : {WPARAM(VK_ESCAPE), WPARAM(VK_RETURN)}) {
        MSG message{map, WM_KEYDOWN, key, 1, 0, {}};
        state().windows.modeless.dialogMessage(message);
    }
    EXPECT_TRUE(IsWindow(map));
    SendMessageW(map, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(map));
    EXPECT_TRUE(modeless().empty());
    EXPECT_TRUE(dialogs.messageBoxes().empty());
}

}  // namespace
}  // namespace quarnel::test
