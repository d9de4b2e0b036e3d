// Builds codeplug images for the tests: a realistic header, channel records
// laid out where the header says, and a CW area.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "model/image.h"

namespace quarnel::testing {

struct SampleLayout {
    std::uint8_t version = 3;
    std::uint8_t size = 22;
    std::uint8_t modes = 4;
    std::uint16_t cwIdAddr = 0x2030;
    std::uint16_t cwEnd = 0x205B;     // two messages: span 42
    std::uint16_t rfAddress = 0x205B;
};

// An erased (0xFF) image with the header of `layout`, zeroed channel records
// and CW area, and a Last Word covering the last record byte. The checksum
// is left unset; call prepareForSave to make it valid.
Image sampleImage(const SampleLayout& layout = {});

// Writes `bytes` into record `channel` (1-based) from record offset 0.
void setRecord(Image& image, const SampleLayout& layout, int channel,
               std::initializer_list<std::uint8_t> bytes);

// A realistic image of a UHF repeater, as read out of a radio: 16 channels
// (the 16th the tune channel), each a repeater pair that listens 5 MHz above
// its output, with PL and DPL codes, and three CW messages ("WB6XYZ/R",
// "WB6XYZ", "DE WB6XYZ"). repeaterChannels() says what each channel holds.
// The checksum is valid.
Image repeaterImage();

// One channel of repeaterImage().
struct RepeaterChannel {
    std::uint32_t txHz;      // the output; the idle frequency too
    std::uint32_t rxHz;      // the input
    const char* rxCode;      // "" for Carrier, a tone ("100.0") or a DPL code ("023")
    bool rxDpl;
    bool rxInverted;
    const char* txCode;
    bool txDpl;
    bool txInverted;
    std::uint8_t receiverCtrl;  // record byte 6
    std::uint8_t priority;      // byte 7
    std::uint8_t lineToT;       // byte 8
    std::uint8_t localToT;      // byte 9
    std::uint8_t repeaterToT;   // byte 10: repeater time-out and drop-out delay
    std::uint8_t rptCtrl;       // byte 16
    std::uint8_t idAlarmCtrl;   // byte 17
    std::uint8_t cwIdSelect;    // byte 18
};
const std::vector<RepeaterChannel>& repeaterChannels();

// The image's first 4096 bytes.
std::vector<std::uint8_t> eprom(const Image& image);

}  // namespace quarnel::testing
