#include "tests/support/realistic_image.h"

#include <stdexcept>

#include "model/cw_messages.h"
#include "model/layout.h"
#include "model/notice.h"
#include "model/tones.h"
#include "tests/support/sample_image.h"

namespace quarnel::testing {

namespace {

void require(bool ok, const std::string& what) {
    if (!ok) throw std::runtime_error("realisticImage: " + what);
}

struct BandPlan {
    std::uint32_t rx;    // channel 1's receive frequency
    std::uint32_t tx;    // and transmit frequency
    std::uint32_t step;  // between channels
};

BandPlan bandPlan(Band band) {
    switch (band) {
    case Band::Vhf: return {146'940'000, 146'340'000, 15'000};
    case Band::Uhf: return {448'850'000, 443'850'000, 25'000};
    case Band::Band800: return {935'000'000, 806'000'000, 12'500};
    }
    return {};
}

void setFrequencies(Image& image, std::size_t base, Band band, int index) {
    const BandPlan p = bandPlan(band);
    const auto offset = static_cast<std::uint32_t>(index) * p.step;
    require(encodeFrequency(image, base, Direction::Receive, band, p.rx + offset).ok, "receive frequency");
    require(encodeFrequency(image, base, Direction::Transmit, band, p.tx + offset).ok, "transmit frequency");
    require(encodeFrequency(image, base, Direction::Idle, band, p.tx + offset).ok, "idle frequency");
}

// Squelch of channel `n`: a rotation of PL, DPL and carrier setups.
void setSquelch(Image& image, std::size_t base, int n, bool tune) {
    if (tune) {
        changeCodeType(image, base, Direction::Receive, CodeType::Carrier);
        changeCodeType(image, base, Direction::Transmit, CodeType::Carrier);
        writeField(image, Field::RxControlCarrier, 1, base);
        return;
    }
    switch (n % 3) {
    case 1:  // PL both ways, the same tone
        changeCodeType(image, base, Direction::Receive, CodeType::Pl);
        changeCodeType(image, base, Direction::Transmit, CodeType::Pl);
        require(encodePl(image, base, Direction::Receive, 1 + (7 * n) % 42), "receive tone");
        require(encodePl(image, base, Direction::Transmit, 1 + (7 * n) % 42), "transmit tone");
        writeField(image, Field::RxControlCode, 1, base);
        writeField(image, Field::ActivateCode, 1, base);
        writeField(image, Field::HoldCarrier, 1, base);
        break;
    case 2:  // DPL both ways, transmit inverted
        changeCodeType(image, base, Direction::Receive, CodeType::Dpl);
        changeCodeType(image, base, Direction::Transmit, CodeType::Dpl);
        require(encodeDpl(image, base, Direction::Receive, 1 + (5 * n) % 83), "receive DPL");
        require(encodeDpl(image, base, Direction::Transmit, 1 + (5 * n) % 83), "transmit DPL");
        setInverted(image, base, Direction::Transmit, true);
        writeField(image, Field::RxControlCode, 1, base);
        writeField(image, Field::ActivateCode, 1, base);
        writeField(image, Field::HoldCode, 1, base);
        break;
    default:  // carrier receive, PL on transmit only
        changeCodeType(image, base, Direction::Receive, CodeType::Carrier);
        changeCodeType(image, base, Direction::Transmit, CodeType::Pl);
        require(encodePl(image, base, Direction::Transmit, 21), "transmit tone");
        writeField(image, Field::RxControlCarrier, 1, base);
        writeField(image, Field::ActivateCarrier, 1, base);
        writeField(image, Field::HoldAuxilary, 1, base);
        break;
    }
}

void setOptions(Image& image, std::size_t base, int n, int messageCount) {
    writeField(image, Field::RepeaterAudio, 1, base);
    writeField(image, Field::LocalMicAudio, n % 2 == 0 ? 1 : 0, base);
    writeField(image, Field::AlarmEnableOverAir, 1, base);
    writeField(image, Field::AlarmMuteOnWireline, n % 2, base);
    writeField(image, Field::CwIdEnable, messageCount > 0 ? 1 : 0, base);
    writeField(image, Field::PlWithId, 1, base);
    writeField(image, Field::IdDuringActivity, n % 2, base);
    setLineTimeoutItem(image, base, 4);       // 60 s
    setLocalTimeoutItem(image, base, 8);      // 120 s
    setRepeaterTimeoutItem(image, base, 12);  // 180 s
    setDropoutItem(image, base, 2);
    setPriorityLevel(image, base, PriorityPath::Repeater, 1);
    setPriorityLevel(image, base, PriorityPath::Local, 2);
    setPriorityLevel(image, base, PriorityPath::Wireline, 3);
    setCwMessageItem(image, base, messageCount > 0 ? (n - 1) % messageCount : 0);
}

}  // namespace

Image realisticImage(const RealisticPlan& plan) {
    const int messages = static_cast<int>(plan.messages.size());
    const int areaBytes = messages == 0 ? 0 : (messages - 1) * kCwSlotBytes + plan.lastSlotBytes;
    SampleLayout layout;
    layout.version = plan.version;
    layout.size = plan.size;
    layout.modes = static_cast<std::uint8_t>(plan.modes);
    layout.cwIdAddr = plan.cwIdAddr;
    layout.cwEnd = static_cast<std::uint16_t>(plan.cwIdAddr + areaBytes);
    layout.rfAddress = layout.cwEnd;
    Image image = sampleImage(layout);

    setIdTimerItem(image, 10);
    setCwSpeedItem(image, 20);
    setRekeyDelayItem(image, 3);
    setToneStartDelayItem(image, 1);

    for (int n = 1; n <= plan.modes; ++n) {
        const ChannelLocation at = channelBase(image, n);
        require(at.ok(), layoutErrorText(at.error, n));
        const bool tune = n == plan.modes;
        setFrequencies(image, at.base, plan.band, n - 1);
        setSquelch(image, at.base, n, tune);
        setOptions(image, at.base, n, messages);
    }

    NullNotices quiet;
    const CwState kept = countMessages(image, quiet);
    require(kept.count == messages, "CW message count");
    for (int k = 0; k < messages; ++k) {
        const StoreOutcome stored = storeMessage(image, kept, k, plan.messages[static_cast<std::size_t>(k)], quiet);
        require(stored.stored && stored.grownBy == 0 && !stored.cut, "CW message " + std::to_string(k));
    }
    prepareForSave(image);
    return image;
}

std::vector<RealisticPlan> realisticPlans() {
    std::vector<RealisticPlan> plans(8);
    plans[1].band = Band::Vhf;
    plans[1].modes = 8;
    plans[1].messages = {"DE K2ABC", "K2ABC/RPT", "QST TEST"};
    plans[2].band = Band::Band800;
    plans[2].size = 24;
    plans[2].modes = 6;
    plans[2].messages = {"N0CALL"};
    plans[3].messages = {};  // no CW ID at all: an empty area
    plans[3].modes = 2;
    plans[4].modes = 16;  // a full-size station
    plans[4].messages = {"DE WB6XYZ/R", "WB6XYZ", "WB6XYZ/R", "TEST"};
    plans[4].lastSlotBytes = 14;  // room for the longest of them
    plans[5].modes = 1;  // only the tune channel
    plans[5].messages = {"E"};
    plans[5].lastSlotBytes = 2;
    plans[6].size = 32;  // records with bytes the program does not interpret
    plans[6].cwIdAddr = 0x2040;
    plans[7].band = Band::Vhf;  // records packed up to the end of the EPROM window
    plans[7].modes = 80;
    plans[7].messages = {"DE W9XX", "W9XX"};
    return plans;
}

}  // namespace quarnel::testing
