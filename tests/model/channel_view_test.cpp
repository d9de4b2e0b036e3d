// The channel view: every value the channel display shows, its notices in
// order, and the priority update's rewrite of TX Priority.
#include <gtest/gtest.h>

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
    EXPECT_EQ(v.channel, 2);
    EXPECT_EQ(v.base, base);
    EXPECT_EQ(v.header.modes, 4);
    EXPECT_EQ(v.header.channelCountText, "Total Number of Channels:  3");
    EXPECT_EQ(v.header.versionText, "Codeplug Version byte:  3");
    EXPECT_EQ(v.header.cwSpeedItem, 20);
    EXPECT_EQ(v.header.idTimerItem, 0);
    EXPECT_EQ(v.header.rekeyDelayItem, 0);
    EXPECT_EQ(v.header.toneStartDelayItem, 0);
    EXPECT_EQ(v.title, "Channel  2");
    EXPECT_FALSE(v.tuneChannel);

    EXPECT_TRUE(v.rxControl.carrier);
    EXPECT_TRUE(v.rxControl.code);
    EXPECT_FALSE(v.rxControl.auxilary);
    EXPECT_TRUE(v.repeaterActivate.carrier);
    EXPECT_TRUE(v.repeaterActivate.code);
    EXPECT_FALSE(v.repeaterActivate.auxilary);
    EXPECT_FALSE(v.repeaterHold.carrier);
    EXPECT_FALSE(v.repeaterHold.code);
    EXPECT_TRUE(v.repeaterHold.auxilary);

    EXPECT_EQ(v.wirelineTimerItem, 5);
    EXPECT_EQ(v.localTimerItem, 2);
    EXPECT_EQ(v.repeaterTimerItem, 3);
    EXPECT_EQ(v.dropoutItem, 3);

    EXPECT_EQ(v.priority.repeater, 3);
    EXPECT_EQ(v.priority.local, 2);
    EXPECT_EQ(v.priority.wireline, 1);
    EXPECT_FALSE(v.priority.repeaterConflict || v.priority.localConflict || v.priority.wirelineConflict);
    EXPECT_EQ(v.priority.byte, 0x1B);

    EXPECT_TRUE(v.cwIdEnable);
    EXPECT_TRUE(v.plDplWithId);
    EXPECT_FALSE(v.idDuringActivity);

    EXPECT_EQ(v.rx.hz, 448'850'000u);
    EXPECT_EQ(v.rx.synthesizerHz, 438'150'000u);
    EXPECT_EQ(v.rx.text, "448.8500");
    EXPECT_EQ(v.rx.reference, 1);
    EXPECT_EQ(v.rx.referenceText, "RX Reference 6.250 KHz");
    EXPECT_EQ(v.tx.hz, 443'850'000u);
    EXPECT_EQ(v.tx.text, "443.85000");
    EXPECT_EQ(v.tx.referenceText, "TX Reference 6.250 KHz");
    EXPECT_EQ(v.idle.hz, 443'805'000u);
    EXPECT_EQ(v.idle.text, "443.8050");
    EXPECT_EQ(v.idle.reference, 3);
    EXPECT_EQ(v.idle.referenceText, "Idle Ref 5.000 KHz");

    EXPECT_EQ(v.rxCode.type, CodeType::Pl);
    EXPECT_TRUE(v.rxCode.listEnabled);
    EXPECT_EQ(v.rxCode.item, 12);
    EXPECT_TRUE(v.rxCode.noteShown);
    EXPECT_FALSE(v.rxCode.invertEnabled);
    EXPECT_FALSE(v.rxCode.inverted);
    EXPECT_EQ(v.txCode.type, CodeType::Dpl);
    EXPECT_EQ(v.txCode.item, 0);
    EXPECT_TRUE(v.txCode.invertEnabled);
    EXPECT_TRUE(v.txCode.inverted);
    EXPECT_FALSE(v.txCode.noteShown);

    EXPECT_FALSE(v.muteOnWireline);
    EXPECT_TRUE(v.enableOverAir);
    EXPECT_TRUE(v.repeaterAudio);
    EXPECT_TRUE(v.localMicAudio);
    EXPECT_EQ(v.cwMessageItem, 1);
    EXPECT_TRUE(v.notices.empty());
}

TEST(ChannelView, BandsChooseTheDecoding) {
    const SampleLayout layout;
    Image image = sampleImage(layout);
    const std::size_t base = baseOf(image, 1);
    ASSERT_TRUE(encodeFrequency(image, base, Direction::Receive, Band::Vhf, 146'520'000).ok);
    ASSERT_TRUE(encodeFrequency(image, base, Direction::Transmit, Band::Band800, 806'000'000).ok);
    ASSERT_TRUE(encodeFrequency(image, base, Direction::Idle, Band::Band800, 935'000'000).ok);
    const ChannelView v = channelView(image, request(1, Band::Vhf, Band::Band800));
    EXPECT_EQ(v.rx.text, "146.5200");
    EXPECT_EQ(v.tx.text, "806.00000");
    EXPECT_EQ(v.idle.text, "935.0000");
    // The same bytes read with other bands give other frequencies.
    const ChannelView uhf = channelView(image, request(1));
    EXPECT_NE(uhf.rx.hz, v.rx.hz);
    EXPECT_NE(uhf.idle.hz, v.idle.hz);
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

TEST(ChannelView, CwIdSelectAgainstTheMessageCount) {
    const SampleLayout layout;
    Image image = sampleImage(layout);
    image[baseOf(image, 1) + 18] = 0xF3;  // bits 4-7 are not part of the index
    ChannelViewRequest r = request(1);
    EXPECT_EQ(channelView(image, r).cwMessageItem, 3);
    r.cwMessageCount = 2;
    EXPECT_FALSE(channelView(image, r).cwMessageItem.has_value());
    r.cwMessageCount = 4;
    EXPECT_EQ(channelView(image, r).cwMessageItem, 3);
}

TEST(ChannelView, ReferenceZeroAndDisabledReceiver) {
    const SampleLayout layout;
    Image image = sampleImage(layout);  // all-zero records: every reference code is 0
    const ChannelView v = channelView(image, request(1));
    EXPECT_EQ(v.rx.referenceText, "oops");
    EXPECT_EQ(v.rx.text, "Disabled");
    EXPECT_EQ(v.tx.referenceText, "oops");
    EXPECT_EQ(v.tx.text, "  0.00000");
    EXPECT_EQ(v.idle.referenceText, "oops");
    EXPECT_EQ(v.idle.text, "  0.0000");
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
