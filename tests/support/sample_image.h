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

// The image's first 4096 bytes.
std::vector<std::uint8_t> eprom(const Image& image);

}  // namespace quarnel::testing
