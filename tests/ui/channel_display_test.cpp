// The channel display in the main window: a realistic repeater image opened
// through the Open command, channels shown one after another, every control
// compared with what the image holds; the order of the message boxes against
// the controls; the priority update; images whose records cannot be reached.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/cw_messages.h"
#include "model/layout.h"
#include "tests/support/sample_image.h"
#include "tests/ui/harness.h"
#include "ui/channel_display.h"
#include "ui/main_window.h"
#include "ui/main_window_ids.h"
#include "ui/text.h"

namespace quarnel::test {
namespace {

using ui::narrow;
namespace ids = ui::ids;

using Shown = std::map<int, std::wstring>;

// Channel 1 of the repeater image: 449.925 in, 444.925 out, PL 100.0 both
// ways, repeater opened and held on the code, Repeater Highest, Local Middle,
// Wireline Lowest, CW ID with PL, message "WB6XYZ/R".
const Shown kChannel1 = {
    {ids::kChannelTitle, L"Channel  1"},
    {ids::kChannelCount, L"Total Number of Channels:  15"},
    {ids::kVersionByte, L"Codeplug Version byte:  3"},
    {ids::kCwMessageCount, L"CW Messages:  3"},
    {ids::kRxBandUhf, L"[x]"},
    {ids::kTxBandUhf, L"[x]"},
    {ids::kRxFrequencyDisplay, L"449.9250"},
    {ids::kRxReference, L"RX Reference 6.250 KHz"},
    {ids::kRxCarrier, L"[ ]"},
    {ids::kRxPl, L"[x]"},
    {ids::kRxDpl, L"[ ]"},
    {ids::kRxCodeList, L"100.0/42"},
    {ids::kPlNote, L"* Avoid PL tones above 200Hz due to PL filter issues"},
    {ids::kRxInvertDpl, L"[ ] disabled"},
    {ids::kRxControlCarrier, L"[ ]"},
    {ids::kRxControlCode, L"[x]"},
    {ids::kRxControlAuxiliary, L"[ ]"},
    {ids::kActivateCarrier, L"[ ]"},
    {ids::kActivateCode, L"[x]"},
    {ids::kActivateAuxiliary, L"[ ]"},
    {ids::kHoldCarrier, L"[ ]"},
    {ids::kHoldCode, L"[x]"},
    {ids::kHoldAuxiliary, L"[ ]"},
    {ids::kWirelineTimer, L"None/32"},
    {ids::kRepeaterTimer, L" 180/32"},
    {ids::kLocalMicTimer, L" 120/32"},
    {ids::kDropoutDelay, L" 2/8"},
    {ids::kTxFrequencyDisplay, L"444.92500"},
    {ids::kTxReference, L"TX Reference 6.250 KHz"},
    {ids::kIdleReference, L"Idle Ref 6.250 KHz"},
    {ids::kIdleFrequencyDisplay, L"444.9250"},
    {ids::kTxCarrier, L"[ ]"},
    {ids::kTxPl, L"[x]"},
    {ids::kTxDpl, L"[ ]"},
    {ids::kTxCodeList, L"100.0/42"},
    {ids::kTxInvertDpl, L"[ ] disabled"},
    {ids::kCwIdEnable, L"[x]"},
    {ids::kPlDplWithId, L"[x]"},
    {ids::kIdDuringActivity, L"[ ]"},
    {ids::kCwMessageList, L"WB6XYZ/R/3"},
    {ids::kRepeaterHighest, L"[x]"},
    {ids::kRepeaterMiddle, L"[ ]"},
    {ids::kRepeaterLowest, L"[ ]"},
    {ids::kRepeaterDisabled, L"[ ]"},
    {ids::kWirelineHighest, L"[ ]"},
    {ids::kWirelineMiddle, L"[ ]"},
    {ids::kWirelineLowest, L"[x]"},
    {ids::kWirelineDisabled, L"[ ]"},
    {ids::kLocalHighest, L"[ ]"},
    {ids::kLocalMiddle, L"[x]"},
    {ids::kLocalLowest, L"[ ]"},
    {ids::kLocalDisabled, L"[ ]"},
    {ids::kCwSpeed, L" 20/34"},
    {ids::kIdTimer, L" 10/32"},
    {ids::kRekeyDelay, L" 240/64"},
    {ids::kToneStartDelay, L" 240/64"},
    {ids::kMuteOnWireline, L"[ ]"},
    {ids::kEnableOverAir, L"[ ]"},
    {ids::kRepeaterAudio, L"[x]"},
    {ids::kWirelineAudio, L"[ ] disabled"},
    {ids::kLocalMicAudio, L"[ ]"},
};

struct ChannelCase {
    int channel;
    Shown differences;  // from channel 1
    std::vector<int> highlighted;  // priority labels
};

const ChannelCase kChannels[] = {
    {1, {}, {}},
    // DPL 131 both ways, both inverted.
    {6,
     {{ids::kChannelTitle, L"Channel  6"},
      {ids::kRxFrequencyDisplay, L"449.1000"},
      {ids::kRxPl, L"[ ]"},
      {ids::kRxDpl, L"[x]"},
      {ids::kRxCodeList, L"131/83"},
      {ids::kPlNote, L"* Avoid PL tones above 200Hz due to PL filter issues hidden"},
      {ids::kRxInvertDpl, L"[x]"},
      {ids::kTxFrequencyDisplay, L"444.10000"},
      {ids::kIdleFrequencyDisplay, L"444.1000"},
      {ids::kTxPl, L"[ ]"},
      {ids::kTxDpl, L"[x]"},
      {ids::kTxCodeList, L"131/83"},
      {ids::kTxInvertDpl, L"[x]"}},
     {}},
    // Repeater and Wireline both Highest, Local Disabled; 300 s wireline
    // time-out; both alarms; message 2.
    {7,
     {{ids::kChannelTitle, L"Channel  7"},
      {ids::kRxFrequencyDisplay, L"448.8375"},
      {ids::kRxCodeList, L"151.4/42"},
      {ids::kTxFrequencyDisplay, L"443.83750"},
      {ids::kIdleFrequencyDisplay, L"443.8375"},
      {ids::kTxCodeList, L"151.4/42"},
      {ids::kWirelineTimer, L" 300/32"},
      {ids::kWirelineHighest, L"[x]"},
      {ids::kWirelineLowest, L"[ ]"},
      {ids::kLocalMiddle, L"[ ]"},
      {ids::kLocalDisabled, L"[x]"},
      {ids::kMuteOnWireline, L"[x]"},
      {ids::kEnableOverAir, L"[x]"},
      {ids::kCwMessageList, L"WB6XYZ/3"}},
     {ids::kRepeaterPathLabel, ids::kWirelinePathLabel}},
    // A 5 kHz channel: the 5.000 KHz references.
    {14,
     {{ids::kChannelTitle, L"Channel  14"},
      {ids::kRxFrequencyDisplay, L"447.9400"},
      {ids::kRxReference, L"RX Reference 5.000 KHz"},
      {ids::kRxCodeList, L"146.2/42"},
      {ids::kTxFrequencyDisplay, L"442.94000"},
      {ids::kTxReference, L"TX Reference 5.000 KHz"},
      {ids::kIdleFrequencyDisplay, L"442.9400"},
      {ids::kIdleReference, L"Idle Ref 5.000 KHz"},
      {ids::kTxCodeList, L"146.2/42"}},
     {}},
    // The tune channel: simplex on carrier, nothing enabled. The code lists
    // keep the tones of the channel before, disabled and without selection.
    {16,
     {{ids::kChannelTitle, L"Tune Channel"},
      {ids::kRxFrequencyDisplay, L"444.0000"},
      {ids::kRxCarrier, L"[x]"},
      {ids::kRxPl, L"[ ]"},
      {ids::kRxCodeList, L"-/42 disabled"},
      {ids::kPlNote, L"* Avoid PL tones above 200Hz due to PL filter issues hidden"},
      {ids::kRxControlCarrier, L"[x]"},
      {ids::kRxControlCode, L"[ ]"},
      {ids::kActivateCode, L"[ ]"},
      {ids::kHoldCode, L"[ ]"},
      {ids::kRepeaterTimer, L"None/32"},
      {ids::kLocalMicTimer, L"None/32"},
      {ids::kDropoutDelay, L"None/8"},
      {ids::kTxFrequencyDisplay, L"444.00000"},
      {ids::kIdleFrequencyDisplay, L"444.0000"},
      {ids::kTxCarrier, L"[x]"},
      {ids::kTxPl, L"[ ]"},
      {ids::kTxCodeList, L"-/42 disabled"},
      {ids::kCwIdEnable, L"[ ]"},
      {ids::kPlDplWithId, L"[ ]"},
      {ids::kRepeaterHighest, L"[ ]"},
      {ids::kRepeaterDisabled, L"[x]"},
      {ids::kWirelineLowest, L"[ ]"},
      {ids::kWirelineDisabled, L"[x]"},
      {ids::kLocalMiddle, L"[ ]"},
      {ids::kLocalDisabled, L"[x]"},
      {ids::kRepeaterAudio, L"[ ]"}},
     {}},
};

constexpr COLORREF kHighlight = RGB(255, 153, 153);
const int kPathLabels[] = {ids::kRepeaterPathLabel, ids::kWirelinePathLabel, ids::kLocalPathLabel};

class ChannelDisplay : public EditorTest {
protected:
    // Opens the repeater image (or `image`) from a file of a fresh folder.
    void openImage(const Image& image = testing::repeaterImage()) {
        path_ = folder_.file(L"repeater.bin");
        writeFile(path_, testing::eprom(image));
        openFile(path_);
        ASSERT_EQ(state().currentChannel, 1);
    }

    void show(int channel) {
        state().currentChannel = static_cast<std::int16_t>(channel);
        ui::displayCurrentChannel(state());
    }

    void expectShown(const Shown& expected) {
        for (const auto& [id, text] : expected)
            EXPECT_EQ(narrow(shownState(item(id))), narrow(text)) << "control " << id;
    }

    bool highlighted(int label) {
        const Colours c = controlColours(item(label), WM_CTLCOLORSTATIC);
        return c.brush != nullptr && c.background == kHighlight && c.brushColour == kHighlight &&
               c.text == RGB(0, 0, 0);
    }

    TempFolder folder_;
    std::wstring path_;
};

TEST_F(ChannelDisplay, EveryControlOfSeveralChannelsOfARepeaterImage) {
    openImage();
    const std::int16_t flagAfterOpen = state().modified;
    for (const ChannelCase& c : kChannels) {
        SCOPED_TRACE("channel " + std::to_string(c.channel));
        show(c.channel);
        Shown expected = kChannel1;
        for (const auto& [id, text] : c.differences) expected[id] = text;
        expectShown(expected);
        for (int label : kPathLabels) {
            const bool want = std::find(c.highlighted.begin(), c.highlighted.end(), label) !=
                              c.highlighted.end();
            EXPECT_EQ(highlighted(label), want) << "label " << label;
        }
        const Colours title = controlColours(item(ids::kChannelTitle), WM_CTLCOLORSTATIC);
        EXPECT_EQ(title.text, c.channel == 16 ? RGB(255, 0, 0) : GetSysColor(COLOR_WINDOWTEXT));
        EXPECT_EQ(title.brushColour, GetSysColor(COLOR_3DFACE));
        EXPECT_TRUE(state().recordReachable());
        EXPECT_EQ(state().displayed.header.modes, 16);
        EXPECT_EQ(state().displayed.base, channelBase(state().image, c.channel).base);
    }
    EXPECT_TRUE(dialogs.messageBoxes().empty());
    EXPECT_EQ(state().modified, flagAfterOpen) << "showing a channel is no edit";
}

// Showing every channel rewrites only TX Priority, and of it only bits 6-7:
// channel 9 stores 0xCA and keeps 0x0A (Repeater and Local Middle, which
// share a row), with the modified flag as it was.
TEST_F(ChannelDisplay, ShowingChannelsClearsOnlyTheTopBitsOfTxPriority) {
    openImage();
    state().modified = ui::kSaved;
    Image expected = state().image;
    const std::size_t nine = channelBase(expected, 9).base;
    ASSERT_EQ(readField(expected, Field::TxPriority, nine), 0xCAu);
    writeField(expected, Field::TxPriority, 0x0A, nine);
    for (int channel = 1; channel <= 16; ++channel) show(channel);
    EXPECT_EQ(state().image.bytes, expected.bytes);
    EXPECT_EQ(state().modified, ui::kSaved);

    show(9);
    expectShown({{ids::kRepeaterMiddle, L"[x]"}, {ids::kLocalMiddle, L"[x]"},
                 {ids::kWirelineDisabled, L"[x]"}, {ids::kRepeaterHighest, L"[ ]"}});
    EXPECT_TRUE(highlighted(ids::kRepeaterPathLabel));
    EXPECT_FALSE(highlighted(ids::kWirelinePathLabel));
    EXPECT_TRUE(highlighted(ids::kLocalPathLabel));
}

TEST_F(ChannelDisplay, CwIdSelectBeyondTheMessagesLeavesTheListWithoutSelection) {
    openImage();
    show(12);  // CW ID Select 5, three messages
    EXPECT_EQ(comboItems(item(ids::kCwMessageList)),
              (std::vector<std::wstring>{L"WB6XYZ/R", L"WB6XYZ", L"DE WB6XYZ"}));
    EXPECT_EQ(SendMessageW(item(ids::kCwMessageList), CB_GETCURSEL, 0, 0), CB_ERR);
    show(5);  // message 2
    EXPECT_EQ(narrow(shownState(item(ids::kCwMessageList))), "DE WB6XYZ/3");
}

// A code missing from its table is reported once the steps before it have
// filled their controls, and before the later ones do: the receive box comes
// while the transmit controls still show the channel before.
TEST_F(ChannelDisplay, CodesNotFoundAreReportedInOrderBetweenTheSteps) {
    Image image = testing::repeaterImage();
    const std::size_t three = channelBase(image, 3).base;  // DPL 023 both ways
    writeField(image, Field::RxCodeType, 2, three);         // receive PL, count 12000
    writeField(image, Field::RxCode, 0x2EE0, three);
    writeField(image, Field::TxCodeHigh, 0xA1, three);      // transmit DPL 305
    writeField(image, Field::TxCodeLow, 0x8B, three);
    openImage(image);

    std::vector<Shown> seen;
    dialogs.whileMessageBoxShown([&](const SeenMessageBox&) {
        Shown now;
        for (int id : {ids::kRxFrequencyDisplay, ids::kRxPl, ids::kRxCodeList, ids::kTxDpl,
                       ids::kTxCodeList, ids::kTxInvertDpl, ids::kRepeaterAudio})
            now[id] = shownState(item(id));
        seen.push_back(now);
    });
    show(3);

    ASSERT_EQ(dialogs.messageBoxes().size(), 2u);
    EXPECT_EQ(narrow(dialogs.messageBoxes()[0].text).rfind("RX PL not found: ", 0), 0u)
        << narrow(dialogs.messageBoxes()[0].text);
    EXPECT_EQ(narrow(dialogs.messageBoxes()[1].text), "TX DPL not found: 305");
    for (const SeenMessageBox& box : dialogs.messageBoxes()) {
        EXPECT_EQ(box.style, static_cast<UINT>(MB_OK | MB_TASKMODAL | MB_SETFOREGROUND));
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_FALSE(box.ownCaption);
    }
    ASSERT_EQ(seen.size(), 2u);
    // The receive box: receive filled, transmit still channel 1's tones,
    // whose selection the display has cleared first.
    EXPECT_EQ(narrow(seen[0][ids::kRxFrequencyDisplay]), "448.5500");
    EXPECT_EQ(narrow(seen[0][ids::kRxPl]), "[x]");
    EXPECT_EQ(narrow(seen[0][ids::kRxCodeList]), "-/42");
    EXPECT_EQ(narrow(seen[0][ids::kTxDpl]), "[ ]");
    EXPECT_EQ(narrow(seen[0][ids::kTxCodeList]), "-/42");
    // The transmit box: its list filled without selection, the inversion
    // and the audio still to come.
    EXPECT_EQ(narrow(seen[1][ids::kTxDpl]), "[x]");
    EXPECT_EQ(narrow(seen[1][ids::kTxCodeList]), "-/83");
    EXPECT_EQ(narrow(seen[1][ids::kTxInvertDpl]), "[ ]");
    EXPECT_EQ(narrow(seen[1][ids::kRepeaterAudio]), "[x]");
    // Afterwards: the transmit inversion bit (byte 12 bit 0 = 1) leaves it
    // unchecked; the rest of the channel is shown.
    expectShown({{ids::kTxInvertDpl, L"[ ]"}, {ids::kRepeaterAudio, L"[x]"},
                 {ids::kCwMessageList, L"WB6XYZ/R/3"}});
}

TEST_F(ChannelDisplay, CwAddressErrorComesAfterTheListIsEmptiedAndBeforeTheCount) {
    Image image = testing::repeaterImage();
    writeField(image, Field::CwEnd, 0x2030);  // end before CW ID addr + 1
    openImage(image);
    // Open showed channel 1 with the error; show channel 2 over it.
    ASSERT_EQ(dialogs.messageBoxTexts(), (std::vector<std::wstring>{L"CW address error"}));
    SetDlgItemTextW(window(), ids::kCwMessageCount, L"left over");
    std::vector<std::wstring> seen;
    dialogs.whileMessageBoxShown([&](const SeenMessageBox&) {
        seen = {shownState(item(ids::kCwMessageCount)), shownState(item(ids::kCwMessageList)),
                shownState(item(ids::kRxFrequencyDisplay))};
    });
    show(2);
    ASSERT_EQ(dialogs.messageBoxes().size(), 2u);
    EXPECT_EQ(seen, (std::vector<std::wstring>{L"left over", L"-/0", L"449.9250"}));
    expectShown({{ids::kCwMessageCount, L"CW Messages:  0"},
                 {ids::kCwMessageList, L"-/0"},
                 {ids::kRxFrequencyDisplay, L"449.4750"}});
    EXPECT_EQ(state().displayed.header.cw.count, 0);
}

TEST_F(ChannelDisplay, ReceiveBandChangesOnlyTheReceiveFrequency) {
    openImage();
    const Image before = state().image;
    state().rxBand = Band::Vhf;
    show(1);
    EXPECT_NE(narrow(shownState(item(ids::kRxFrequencyDisplay))), "449.9250");
    expectShown({{ids::kTxFrequencyDisplay, L"444.92500"}, {ids::kIdleFrequencyDisplay, L"444.9250"}});
    EXPECT_EQ(state().image.bytes, before.bytes);
}

// ---- The priority update of a click --------------------------------------------------

TEST_F(ChannelDisplay, PriorityUpdateReadsTheOptionsAndRewritesTxPriority) {
    openImage();
    struct Case {
        std::vector<int> clicked;
        std::uint8_t byte;
        std::vector<int> highlighted;
    } cases[] = {
        {{ids::kRepeaterHighest, ids::kWirelineHighest, ids::kLocalDisabled}, 0x11,
         {ids::kRepeaterPathLabel, ids::kWirelinePathLabel}},
        {{ids::kRepeaterLowest, ids::kWirelineMiddle, ids::kLocalHighest}, 0x27, {}},
        {{ids::kRepeaterMiddle, ids::kWirelineMiddle, ids::kLocalMiddle}, 0x2A,
         {ids::kRepeaterPathLabel, ids::kWirelinePathLabel, ids::kLocalPathLabel}},
        {{ids::kRepeaterDisabled, ids::kWirelineDisabled, ids::kLocalDisabled}, 0x00, {}},
    };
    const std::size_t base = state().displayed.base;
    for (const Case& c : cases) {
        for (int id : c.clicked) SendMessageW(item(id), BM_CLICK, 0, 0);
        const PriorityView p = ui::updatePriorityFromOptions(state());
        EXPECT_EQ(p.byte, c.byte);
        EXPECT_EQ(readField(state().image, Field::TxPriority, base), c.byte);
        EXPECT_EQ(state().displayed.priority.byte, c.byte);
        for (int label : kPathLabels) {
            const bool want = std::find(c.highlighted.begin(), c.highlighted.end(), label) !=
                              c.highlighted.end();
            EXPECT_EQ(highlighted(label), want) << "byte " << int(c.byte) << " label " << label;
        }
    }
}

// ---- Records that cannot be reached ---------------------------------------------------

TEST_F(ChannelDisplay, RecordOutsideTheImageShowsTheHeaderAndSaysWhy) {
    Image image = testing::repeaterImage();
    writeField(image, Field::Modes, 200);  // records 184 on lie past 4096
    writeField(image, Field::VersionByte, 254);
    openImage(image);
    expectShown({{ids::kChannelCount, L"Total Number of Channels:  199"},
                 {ids::kVersionByte, L"Codeplug Version byte:  254"},
                 {ids::kRxFrequencyDisplay, L"449.9250"}});

    const Image before = state().image;
    show(199);
    EXPECT_FALSE(state().recordReachable());
    EXPECT_EQ(narrow(statusText(item(ids::kStatusBar), 0)), "Channel 199 lies outside the image");
    // The record's controls go back to how they start; the header stays.
    expectShown({{ids::kChannelTitle, L"Channel  199"},
                 {ids::kChannelCount, L"Total Number of Channels:  199"},
                 {ids::kCwMessageCount, L"CW Messages:  3"},
                 {ids::kCwMessageList, L"-/3"},
                 {ids::kCwSpeed, L" 20/34"},
                 {ids::kRxFrequencyDisplay, L"000.0000"},
                 {ids::kRxReference, L"Receive Reference"},
                 {ids::kTxFrequencyDisplay, L"000.0000"},
                 {ids::kTxReference, L"Transmit Reference"},
                 {ids::kIdleFrequencyDisplay, L"000.0000"},
                 {ids::kIdleReference, L"Idle Ref"},
                 {ids::kRxCarrier, L"[x]"},
                 {ids::kRxCodeList, L"-/42 disabled"},
                 {ids::kTxCarrier, L"[x]"},
                 {ids::kRxControlCode, L"[ ]"},
                 {ids::kWirelineTimer, L"-/32"},
                 {ids::kDropoutDelay, L"-/8"},
                 {ids::kRepeaterDisabled, L"[x]"},
                 {ids::kWirelineDisabled, L"[x]"},
                 {ids::kLocalDisabled, L"[x]"},
                 {ids::kRepeaterAudio, L"[ ]"}});
    EXPECT_EQ(state().image.bytes, before.bytes);

    // A click on a priority option writes nothing anywhere.
    SendMessageW(item(ids::kRepeaterHighest), BM_CLICK, 0, 0);
    ui::updatePriorityFromOptions(state());
    EXPECT_EQ(state().image.bytes, before.bytes);

    // Back on a channel inside the image, the notice goes.
    show(2);
    EXPECT_TRUE(state().recordReachable());
    EXPECT_EQ(narrow(statusText(item(ids::kStatusBar), 0)), "");
    expectShown({{ids::kRxFrequencyDisplay, L"449.4750"}, {ids::kRxCodeList, L"123.0/42"}});
}

TEST_F(ChannelDisplay, ImagesWithoutDecodableChannels) {
    struct Case {
        const char* name;
        Field field;
        std::uint32_t value;
        const char* status;
        const char* count;
    } cases[] = {
        {"Modes 0", Field::Modes, 0, "Modes is 0: the image holds no channels",
         "Total Number of Channels: -1"},
        {"Size 0", Field::Size, 0, "Size is 0: the channel records cannot be told apart",
         "Total Number of Channels:  15"},
        {"RF address at the end", Field::RfAddress, 0x2FF0, "Channel 1 lies outside the image",
         "Total Number of Channels:  15"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        editor_ = std::make_unique<Editor>();
        Image image = testing::repeaterImage();
        writeField(image, c.field, c.value);
        openImage(image);
        EXPECT_FALSE(state().recordReachable());
        EXPECT_EQ(narrow(statusText(item(ids::kStatusBar), 0)), c.status);
        EXPECT_EQ(narrow(text(ids::kChannelCount)), c.count);
        EXPECT_EQ(narrow(text(ids::kCwMessageCount)), "CW Messages:  3");
        EXPECT_EQ(narrow(text(ids::kRxFrequencyDisplay)), "000.0000");
        EXPECT_EQ(std::vector<std::uint8_t>(state().image.bytes.begin(), state().image.bytes.begin() + 4096),
                  readFile(path_))
            << "nothing written into the image";
    }
    EXPECT_TRUE(dialogs.messageBoxes().empty());
}

TEST_F(ChannelDisplay, HundredsAreWrittenInFull) {
    Image image = testing::repeaterImage();
    writeField(image, Field::Modes, 255);
    writeField(image, Field::VersionByte, 100);
    writeField(image, Field::CwEnd, 0x2030 + 21 * 120 + 1);  // 120 message slots
    openImage(image);
    EXPECT_EQ(narrow(text(ids::kChannelCount)), "Total Number of Channels:  254");
    EXPECT_EQ(narrow(text(ids::kVersionByte)), "Codeplug Version byte:  100");
    EXPECT_EQ(narrow(text(ids::kCwMessageCount)), "CW Messages:  120");
    EXPECT_EQ(comboItems(item(ids::kCwMessageList)).size(), 120u);
}

}  // namespace
}  // namespace quarnel::test
