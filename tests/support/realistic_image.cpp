#include "tests/support/realistic_image.h"

#include <stdexcept>

#include "model/cw_messages.h"
#include "model/edits.h"
#include "model/layout.h"
#include "model/notice.h"
#include "model/tones.h"
#include "tests/support/sample_image.h"

namespace quarnel::testing {

namespace {

void require(bool ok, const std::string& what) {
    if (!ok) throw std::runtime_error("realisticImage: " + what);
}

void check(Image& image, std::size_t base, Value box, bool checked) {
    require(setCheckBox(image, base, box, checked).done(), "check box");
}

void choose(Image& image, std::size_t base, Value list, int item) {
    require(chooseDropDownItem(image, base, list, item).done(), "drop-down item");
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
    require(storeFrequency(image, base, Direction::Receive, band, p.rx + offset).done(), "receive frequency");
    require(storeFrequency(image, base, Direction::Transmit, band, p.tx + offset).done(), "transmit frequency");
    require(storeFrequency(image, base, Direction::Idle, band, p.tx + offset).done(), "idle frequency");
}

// The code type option, then (for PL and DPL) the tone or code of table
// index `index` from the drop-down.
void setCode(Image& image, std::size_t base, Direction direction, CodeType type, int index = 0) {
    require(chooseCodeType(image, base, direction, type).done(), "code type");
    if (type != CodeType::Carrier)
        require(chooseCodeItem(image, base, direction, type, index - 1).done(), "tone or code");
}

// Squelch of channel `n`: a rotation of PL, DPL and carrier setups.
void setSquelch(Image& image, std::size_t base, int n, bool tune) {
    if (tune) {
        setCode(image, base, Direction::Receive, CodeType::Carrier);
        setCode(image, base, Direction::Transmit, CodeType::Carrier);
        return;
    }
    switch (n % 3) {
    case 1:  // PL both ways, the same tone
        setCode(image, base, Direction::Receive, CodeType::Pl, 1 + (7 * n) % 42);
        setCode(image, base, Direction::Transmit, CodeType::Pl, 1 + (7 * n) % 42);
        check(image, base, Value::RxControlCode, true);
        check(image, base, Value::ActivateCode, true);
        check(image, base, Value::HoldCarrier, true);
        break;
    case 2:  // DPL both ways, transmit inverted
        setCode(image, base, Direction::Receive, CodeType::Dpl, 1 + (5 * n) % 83);
        setCode(image, base, Direction::Transmit, CodeType::Dpl, 1 + (5 * n) % 83);
        check(image, base, Value::TxInvertDpl, true);
        check(image, base, Value::RxControlCode, true);
        check(image, base, Value::ActivateCode, true);
        check(image, base, Value::HoldCode, true);
        break;
    default:  // carrier receive (the receiver unmutes on carrier), PL on transmit only
        setCode(image, base, Direction::Receive, CodeType::Carrier);
        setCode(image, base, Direction::Transmit, CodeType::Pl, 21);
        check(image, base, Value::ActivateCarrier, true);
        check(image, base, Value::HoldAuxiliary, true);
        break;
    }
}

void setOptions(Image& image, std::size_t base, int n, int messageCount) {
    check(image, base, Value::RepeaterAudio, true);
    check(image, base, Value::LocalMicAudio, n % 2 == 0);
    check(image, base, Value::AlarmEnableOverAir, true);
    check(image, base, Value::AlarmMuteOnWireline, n % 2 == 1);
    check(image, base, Value::CwIdEnable, messageCount > 0);
    check(image, base, Value::PlDplWithId, true);
    check(image, base, Value::IdDuringActivity, n % 2 == 1);
    choose(image, base, Value::WirelineTimer, 4);   // 60 s
    choose(image, base, Value::LocalTimer, 8);      // 120 s
    choose(image, base, Value::RepeaterTimer, 12);  // 180 s
    choose(image, base, Value::Dropout, 2);
    require(applyPriorityOptions(image, base, 1, 2, 3).done(), "priority");
    if (messageCount > 0) choose(image, base, Value::CwMessage, (n - 1) % messageCount);
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

    choose(image, 0, Value::IdTimer, 10);
    choose(image, 0, Value::CwSpeed, 20);
    choose(image, 0, Value::RekeyDelay, 3);
    choose(image, 0, Value::ToneStartDelay, 1);

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
