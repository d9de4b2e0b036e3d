#include "tests/support/sample_image.h"

#include "model/cw_messages.h"
#include "model/layout.h"
#include "model/synthesizer.h"
#include "model/tones.h"

namespace quarnel::testing {

Image sampleImage(const SampleLayout& l) {
    Image image;
    image.bytes.fill(0xFF);
    for (std::size_t i = 0; i < 0x30; ++i) image[i] = 0;
    image[5] = l.version;
    image[7] = l.size;
    image[8] = l.modes;
    writeWord(image, 0x11, l.cwIdAddr);
    writeWord(image, 0x13, l.cwEnd);
    writeWord(image, 0x15, l.rfAddress);
    writeWord(image, 0x17, l.rfAddress);
    image[0x1D] = 2;                 // re-key delay 240 ms
    image[0x1E] = 1;                 // tone start delay 240 ms
    writeWord(image, 0x1F, 51);      // 20 words per minute
    for (std::size_t a = l.cwIdAddr & 0x0FFF; a < (l.cwEnd & 0x0FFFu); ++a) image[a] = 0;
    const std::size_t rf = l.rfAddress & 0x0FFF;
    const std::size_t end = rf + std::size_t{l.modes} * l.size;
    for (std::size_t a = rf; a < end && a < kEpromSize; ++a) image[a] = 0;
    std::size_t last = end - 1;
    if (last % 2) ++last;
    writeWord(image, 2, static_cast<std::uint16_t>(0x2000 | (last & 0x0FFF)));
    return image;
}

void setRecord(Image& image, const SampleLayout& l, int channel,
               std::initializer_list<std::uint8_t> bytes) {
    std::size_t a = (l.rfAddress & 0x0FFF) + static_cast<std::size_t>(channel - 1) * l.size;
    for (std::uint8_t b : bytes) image[a++] = b;
}

std::vector<std::uint8_t> eprom(const Image& image) {
    return {image.bytes.begin(), image.bytes.begin() + kEpromSize};
}

}  // namespace quarnel::testing

namespace quarnel::testing {

namespace {

constexpr std::uint32_t MHz(double mhz) { return static_cast<std::uint32_t>(mhz * 1e6 + 0.5); }

// Every channel is a repeater pair but the tune channel, which is simplex.
// Coded channels open the repeater on the code, carrier channels on carrier.
// Priority 0x39: Repeater Highest, Local Middle, Wireline Lowest.
// Byte 10 0x4C: repeater time-out 180 s, drop-out delay 2 s.
const std::vector<RepeaterChannel> kRepeaterChannels = {
    {MHz(444.925), MHz(449.925), "100.0", false, false, "100.0", false, false,
     0x41, 0x39, 0, 8, 0x4C, 0x44, 0xA0, 0},
    {MHz(444.475), MHz(449.475), "123.0", false, false, "123.0", false, false,
     0x41, 0x39, 0, 8, 0x4C, 0x44, 0xA0, 1},
    {MHz(443.550), MHz(448.550), "023", true, false, "023", true, false,
     0x41, 0x39, 4, 8, 0x4C, 0x44, 0xA0, 0},
    {MHz(442.125), MHz(447.125), "", false, false, "88.5", false, false,
     0x11, 0x39, 0, 8, 0x4C, 0x11, 0x80, 0},
    {MHz(443.025), MHz(448.025), "131.8", false, false, "", false, false,
     0x43, 0x39, 0, 4, 0x2C, 0x44, 0xC0, 2},
    {MHz(444.100), MHz(449.100), "131", true, true, "131", true, true,
     0x41, 0x39, 0, 8, 0x4C, 0x44, 0xA0, 0},
    // Repeater and Wireline both Highest: a priority conflict.
    {MHz(443.8375), MHz(448.8375), "151.4", false, false, "151.4", false, false,
     0x41, 0x11, 20, 8, 0x4C, 0x44, 0xA6, 1},
    {MHz(442.800), MHz(447.800), "754", true, false, "754", true, false,
     0x61, 0x39, 0, 8, 0x4C, 0x46, 0xA0, 0},
    // TX Priority with bits 6-7 set, as some images carry it.
    {MHz(444.650), MHz(449.650), "107.2", false, false, "243", true, false,
     0x41, 0xCA, 0, 8, 0x4C, 0x44, 0xA0, 2},
    {MHz(443.300), MHz(448.300), "162.2", false, false, "162.2", false, false,
     0x41, 0x39, 0, 8, 0x4C, 0x44, 0xA0, 0},
    {MHz(442.475), MHz(447.475), "67.0", false, false, "67.0", false, false,
     0x41, 0x39, 0, 8, 0x4C, 0x44, 0xA0, 1},
    // CW ID Select beyond the three messages.
    {MHz(444.8125), MHz(449.8125), "192.8", false, false, "192.8", false, false,
     0x41, 0x39, 0, 8, 0x4C, 0x44, 0x20, 5},
    {MHz(443.175), MHz(448.175), "411", true, false, "411", true, false,
     0x41, 0x39, 0, 8, 0x4C, 0x44, 0xA0, 0},
    // A 5 kHz channel.
    {MHz(442.940), MHz(447.940), "146.2", false, false, "146.2", false, false,
     0x41, 0x39, 0, 8, 0x4C, 0x44, 0xA0, 0},
    {MHz(444.3375), MHz(449.3375), "203.5", false, false, "", false, false,
     0x41, 0x39, 0, 8, 0x4C, 0x44, 0xA0, 0},
    {MHz(444.000), MHz(444.000), "", false, false, "", false, false,
     0x10, 0x00, 0, 0, 0x00, 0x00, 0x00, 0},
};

void storeCode(Image& image, std::size_t base, Direction direction, const char* code, bool dpl,
               bool inverted) {
    if (!*code) {
        changeCodeType(image, base, direction, CodeType::Carrier);
        return;
    }
    changeCodeType(image, base, direction, dpl ? CodeType::Dpl : CodeType::Pl);
    if (dpl) {
        encodeDpl(image, base, direction, dplIndexOfText(code));
        setInverted(image, base, direction, inverted);
    } else {
        encodePl(image, base, direction, toneIndexOfText(code));
    }
}

}  // namespace

const std::vector<RepeaterChannel>& repeaterChannels() { return kRepeaterChannels; }

Image repeaterImage() {
    SampleLayout layout;
    layout.modes = static_cast<std::uint8_t>(kRepeaterChannels.size());
    layout.cwEnd = 0x2070;  // span 63: three message slots
    layout.rfAddress = 0x2070;
    Image image = sampleImage(layout);
    writeField(image, Field::IdTimer, 10);  // ID every 10 minutes

    NullNotices quiet;
    const char* const messages[] = {"WB6XYZ/R", "WB6XYZ", "DE WB6XYZ"};
    for (int k = 0; k < 3; ++k) storeMessage(image, countMessages(image, quiet), k, messages[k], quiet);

    for (std::size_t i = 0; i < kRepeaterChannels.size(); ++i) {
        const RepeaterChannel& c = kRepeaterChannels[i];
        const std::size_t base = channelBase(image, static_cast<int>(i) + 1).base;
        encodeFrequency(image, base, Direction::Receive, Band::Uhf, c.rxHz);
        encodeFrequency(image, base, Direction::Transmit, Band::Uhf, c.txHz);
        encodeFrequency(image, base, Direction::Idle, Band::Uhf, c.txHz);
        storeCode(image, base, Direction::Receive, c.rxCode, c.rxDpl, c.rxInverted);
        storeCode(image, base, Direction::Transmit, c.txCode, c.txDpl, c.txInverted);
        writeField(image, Field::ReceiverCtrl, c.receiverCtrl, base);
        writeField(image, Field::TxPriority, c.priority, base);
        writeField(image, Field::LineToTByte, c.lineToT, base);
        writeField(image, Field::LocalToTByte, c.localToT, base);
        writeField(image, Field::TailRptToT, c.repeaterToT, base);
        writeField(image, Field::RptCtrl, c.rptCtrl, base);
        writeField(image, Field::IdAlarmCtrl, c.idAlarmCtrl, base);
        writeField(image, Field::CwIdSelectByte, c.cwIdSelect, base);
    }
    prepareForSave(image);
    return image;
}

}  // namespace quarnel::testing
