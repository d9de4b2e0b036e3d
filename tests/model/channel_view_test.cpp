// The channel view: every value the channel display shows, its notices in
// order, and the priority update's rewrite of TX Priority.
#include <gtest/gtest.h>

#include <tuple>

#include "model/channel_view.h"
#include "tests/support/sample_image.h"

using namespace quarnel;
using quarnel::testing::SampleLayout;
using quarnel::testing::sampleImage;
using quarnel::testing::setRecord;

namespace {

std::size_t baseOf(const Image& image, int channel) { return channelBase(image, channel).base; }

ChannelViewRequest request(int channel, Band rx = Band::Uhf, Band tx = Band::Uhf) {
    ChannelViewRequest r;
    r.channel = channel;
    r.rxBand = rx;
    r.txBand = tx;
    return r;
}

}  // namespace

TEST(ChannelView, EveryControlOfAFullRecord) {
    const SampleLayout layout;
    Image image = sampleImage(layout);
    setRecord(image, layout, 2,
              {0, 0, 0x40, 0, 0, 0,  // words below; receive PL flag
               0x53,                 // repeater audio, local mic audio, carrier, code
               0x1B,                 // repeater lowest, local middle, wireline highest
               0xE5, 0x02, 0x63,     // time-outs 5, 2, 3; drop-out 3
               0x00, 0x00, 0x00, 0x00,
               0xE5,                 // receive PL, transmit DPL, both markers
               0x25,                 // activate carrier and code, hold auxilary
               0xA4,                 // CW ID, PL/DPL with ID, enable over air
               0x01});
    const std::size_t base = baseOf(image, 2);
    ASSERT_TRUE(encodeFrequency(image, base, Direction::Receive, Band::Uhf, 448'850'000).ok);
    ASSERT_TRUE(encodeFrequency(image, base, Direction::Transmit, Band::Uhf, 443'850'000).ok);
    ASSERT_TRUE(encodeFrequency(image, base, Direction::Idle, Band::Uhf, 443'805'000).ok);
    ASSERT_TRUE(encodePl(image, base, Direction::Receive, 13));
    ASSERT_TRUE(encodeDpl(image, base, Direction::Transmit, 1));  // byte 12 bit 0 = 0: inverted
    const Image before = image;

    const ChannelView v = channelView(image, request(2));
    EXPECT_EQ(image.bytes, before.bytes);
    ASSERT_TRUE(v.ok());
    EXPECT_EQ(v.base, base);
    EXPECT_EQ(v.header.modes, 4);
    EXPECT_EQ(v.header.channelCountText, "Total Number of Channels:  3");
    EXPECT_EQ(v.header.versionText, "Codeplug Version byte:  3");
    EXPECT_EQ(std::tuple(v.item(Value::IdTimer), v.item(Value::CwSpeed)), std::tuple(0, 20));
    EXPECT_EQ(v.item(Value::RekeyDelay), 0);
    EXPECT_EQ(v.item(Value::ToneStartDelay), 0);
    EXPECT_EQ(v.title, "Channel  2");
    EXPECT_FALSE(v.tuneChannel);

    auto checks = [&v](Value carrier, Value code, Value auxiliary) {
        return std::tuple(v.checked(carrier), v.checked(code), v.checked(auxiliary));
    };
    EXPECT_EQ(checks(Value::RxControlCarrier, Value::RxControlCode, Value::RxControlAuxiliary),
              std::tuple(true, true, false));
    EXPECT_EQ(checks(Value::ActivateCarrier, Value::ActivateCode, Value::ActivateAuxiliary),
              std::tuple(true, true, false));
    EXPECT_EQ(checks(Value::HoldCarrier, Value::HoldCode, Value::HoldAuxiliary), std::tuple(false, false, true));
    EXPECT_EQ(std::tuple(v.item(Value::WirelineTimer), v.item(Value::LocalTimer), v.item(Value::RepeaterTimer),
                         v.item(Value::Dropout)),
              std::tuple(5, 2, 3, 3));
    EXPECT_EQ(std::tuple(v.priority.repeater, v.priority.local, v.priority.wireline), std::tuple(3, 2, 1));
    EXPECT_FALSE(v.priority.repeaterConflict || v.priority.localConflict || v.priority.wirelineConflict);
    EXPECT_EQ(v.priority.byte, 0x1B);
    EXPECT_EQ(std::tuple(v.checked(Value::CwIdEnable), v.checked(Value::PlDplWithId),
                         v.checked(Value::IdDuringActivity)),
              std::tuple(true, true, false));

    EXPECT_EQ(std::tuple(v.rx.hz, v.rx.synthesizerHz, v.rx.text, v.rx.reference, v.rx.referenceText),
              std::tuple(448'850'000u, 438'150'000u, "448.8500", 1, "RX Reference 6.250 KHz"));
    EXPECT_EQ(std::tuple(v.tx.hz, v.tx.text, v.tx.referenceText),
              std::tuple(443'850'000u, "443.85000", "TX Reference 6.250 KHz"));
    EXPECT_EQ(std::tuple(v.idle.hz, v.idle.text, v.idle.reference, v.idle.referenceText),
              std::tuple(443'805'000u, "443.8050", 3, "Idle Ref 5.000 KHz"));

    auto code = [](const CodeView& c) {
        return std::tuple(c.type, c.listEnabled, c.item, c.invertEnabled, c.inverted, c.noteShown);
    };
    EXPECT_EQ(code(v.rxCode), std::tuple(CodeType::Pl, true, std::optional<int>(12), false, false, true));
    EXPECT_EQ(code(v.txCode), std::tuple(CodeType::Dpl, true, std::optional<int>(0), true, true, false));

    EXPECT_EQ(std::tuple(v.checked(Value::AlarmMuteOnWireline), v.checked(Value::AlarmEnableOverAir),
                         v.checked(Value::RepeaterAudio), v.checked(Value::LocalMicAudio)),
              std::tuple(false, true, true, true));
    EXPECT_EQ(v.item(Value::CwMessage), 1);
    EXPECT_TRUE(v.notices.empty());
}

TEST(ChannelView, TitleAndChannelCount) {
    SampleLayout layout;
    layout.modes = 16;
    const Image image = sampleImage(layout);
    const ChannelView tune = channelView(image, request(16));
    EXPECT_EQ(tune.title, "Tune Channel");
    EXPECT_TRUE(tune.tuneChannel);
    EXPECT_EQ(tune.header.channelCountText, "Total Number of Channels:  15");
    const ChannelView five = channelView(image, request(5));
    EXPECT_EQ(five.title, "Channel  5");
    EXPECT_FALSE(five.tuneChannel);
}

TEST(ChannelView, PriorityRewriteAndConflicts) {
    const SampleLayout layout;
    Image image = sampleImage(layout);
    const std::size_t base = baseOf(image, 1);
    image[base + 7] = 0xCA;  // Repeater Middle, Local Middle, Wireline Disabled, bits 6-7 set
    const ChannelView pure = channelView(image, request(1));
    EXPECT_EQ(image[base + 7], 0xCA);
    EXPECT_EQ(pure.priority.byte, 0x0A);
    EXPECT_TRUE(pure.priority.repeaterConflict);
    EXPECT_TRUE(pure.priority.localConflict);
    EXPECT_FALSE(pure.priority.wirelineConflict);

    const ChannelView shown = displayChannel(image, request(1));
    EXPECT_TRUE(shown.priorityRewritten);
    EXPECT_EQ(image[base + 7], 0x0A);
    const Image after = image;
    EXPECT_FALSE(displayChannel(image, request(1)).priorityRewritten);
    EXPECT_EQ(image.bytes, after.bytes);
}

TEST(ChannelView, PriorityUpdate) {
    const struct {
        int repeater, local, wireline;
        bool rc, lc, wc;
        std::uint8_t byte;
    } cases[] = {
        {1, 0, 1, true, false, true, 0x11},  // Repeater and Wireline Highest
        {1, 2, 3, false, false, false, 0x39},
        {3, 3, 3, true, true, true, 0x3F},
        {0, 0, 0, false, false, false, 0x00},  // Disabled rows never conflict
        {2, 2, 1, true, true, false, 0x1A},
    };
    for (const auto& c : cases) {
        const PriorityView p = priorityUpdate(c.repeater, c.local, c.wireline);
        EXPECT_EQ(p.repeaterConflict, c.rc);
        EXPECT_EQ(p.localConflict, c.lc);
        EXPECT_EQ(p.wirelineConflict, c.wc);
        EXPECT_EQ(p.byte, c.byte);
    }
}

TEST(ChannelView, CodeTypesAndInversion) {
    const struct {
        std::uint8_t codeCtrl, rxLow, txLow;
        CodeType rx, tx;
        bool rxInverted, txInverted;
    } cases[] = {
        {0x10, 0x00, 0x00, CodeType::Carrier, CodeType::Carrier, false, false},  // 0x10 is Carrier
        {0xF0, 0x27, 0x27, CodeType::Dpl, CodeType::Dpl, true, false},            // 023, both bits 1
        {0xF0, 0x26, 0x26, CodeType::Dpl, CodeType::Dpl, false, true},
    };
    for (const auto& c : cases) {
        const SampleLayout layout;
        Image image = sampleImage(layout);
        const std::size_t base = baseOf(image, 1);
        image[base + 15] = c.codeCtrl;
        image[base + 14] = c.rxLow;
        image[base + 12] = c.txLow;
        const ChannelView v = channelView(image, request(1));
        EXPECT_EQ(v.rxCode.type, c.rx);
        EXPECT_EQ(v.txCode.type, c.tx);
        EXPECT_EQ(v.rxCode.inverted, c.rxInverted);
        EXPECT_EQ(v.txCode.inverted, c.txInverted);
        if (c.rx == CodeType::Carrier) {
            EXPECT_FALSE(v.rxCode.listEnabled);
            EXPECT_FALSE(v.rxCode.item.has_value());
            EXPECT_FALSE(v.rxCode.invertEnabled);
        } else {
            EXPECT_EQ(v.rxCode.item, 0);
        }
        EXPECT_TRUE(v.notices.empty());
    }
}

TEST(ChannelView, MissingCodesRaiseNoticesReceiveFirst) {
    const SampleLayout layout;
    Image image = sampleImage(layout);
    const std::size_t base = baseOf(image, 1);
    image[base + 15] = 0xE0;  // receive PL, transmit DPL
    image[base + 13] = 0x2E;  // 12000
    image[base + 14] = 0xE0;
    image[base + 11] = 0xA1;  // 305
    image[base + 12] = 0x8A;
    const ChannelView v = channelView(image, request(1));
    ASSERT_EQ(v.notices.size(), 2u);
    EXPECT_EQ(v.notices[0].step, DisplayStep::ReceiveCode);
    EXPECT_EQ(v.notices[0].text, "RX PL not found: 197Hz");
    EXPECT_EQ(v.notices[1].step, DisplayStep::TransmitCode);
    EXPECT_EQ(v.notices[1].text, "TX DPL not found: 305");
    EXPECT_FALSE(v.rxCode.item.has_value());
    EXPECT_FALSE(v.txCode.item.has_value());
    EXPECT_TRUE(v.rxCode.listEnabled);
    EXPECT_TRUE(v.txCode.inverted);  // byte 12 bit 0 is 0
}

TEST(ChannelView, CwMessagesAndTheirSelection) {
    // The sample CW area spans 42 bytes: two messages. CW ID Select 3 selects
    // nothing; bits 4-7 of the byte are not part of the index.
    const SampleLayout layout;
    Image image = sampleImage(layout);
    image[0x030] = 0x60;  // message 0: "A"
    const std::size_t base = baseOf(image, 1);
    image[base + 18] = 0xF3;
    ChannelView v = channelView(image, request(1));
    EXPECT_EQ(v.header.cw.count, 2);
    EXPECT_EQ(v.header.cwCountText, "CW Messages:  2");
    EXPECT_EQ(v.header.cwMessages, (std::vector<std::string>{"A", ""}));
    EXPECT_FALSE(v.item(Value::CwMessage).has_value());
    image[base + 18] = 0x11;
    EXPECT_EQ(channelView(image, request(1)).item(Value::CwMessage), 1);
}

TEST(ChannelView, CwAddressErrorComesFirst) {
    SampleLayout layout;
    layout.cwEnd = 0x202E;  // ends before it starts: span -3
    Image image = sampleImage(layout);
    const std::size_t base = baseOf(image, 1);
    image[base + 15] = 0x20;  // receive PL with count 0: not found
    const ChannelView v = channelView(image, request(1));
    ASSERT_EQ(v.notices.size(), 2u);
    EXPECT_EQ(v.notices[0].step, DisplayStep::CwMessages);
    EXPECT_EQ(v.notices[0].text, "CW address error");
    EXPECT_EQ(v.notices[1].text, "RX PL not found: 0Hz");
    EXPECT_EQ(v.header.cw.count, 0);
    EXPECT_FALSE(v.item(Value::CwMessage).has_value());
}

TEST(ChannelView, UnreachableChannels) {
    SampleLayout layout;
    layout.rfAddress = 0x2FF0;  // channel 1 runs past the end of the image
    Image image = sampleImage(layout);
    const Image before = image;
    const ChannelView v = displayChannel(image, request(1));
    EXPECT_FALSE(v.ok());
    EXPECT_EQ(v.error, LayoutError::RecordOutside);
    EXPECT_EQ(v.problem, "Channel 1 lies outside the image");
    EXPECT_EQ(v.title, "Channel  1");
    EXPECT_EQ(v.header.modes, 4);
    EXPECT_EQ(image.bytes, before.bytes);
    EXPECT_EQ(channelView(image, request(9)).error, LayoutError::BadChannelNumber);
}
