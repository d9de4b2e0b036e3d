// A four-channel image whose channels exercise the channel display: a full
// channel, one whose codes are missing from the tables, a priority conflict
// and the tune channel.
#pragma once

#include <filesystem>
#include <string>

#include "model/layout.h"
#include "model/synthesizer.h"
#include "model/tones.h"
#include "tests/support/sample_image.h"

namespace quarnel::testing {

inline Image channelImage() {
    const SampleLayout layout;
    Image image = sampleImage(layout);
    // Channel 1: 448.85 / 443.85 UHF, receive PL 100.0, transmit DPL 023 not
    // inverted, Repeater Highest and Wireline Middle, repeater time-out 180 s.
    setRecord(image, layout, 1,
              {0, 0, 0, 0, 0, 0, 0x11, 0x21, 0x00, 0x00, 0x0C, 0, 0, 0, 0, 0x00, 0x11, 0x80, 0x00});
    std::size_t base = channelBase(image, 1).base;
    encodeFrequency(image, base, Direction::Receive, Band::Uhf, 448'850'000);
    encodeFrequency(image, base, Direction::Transmit, Band::Uhf, 443'850'000);
    encodeFrequency(image, base, Direction::Idle, Band::Uhf, 443'850'000);
    changeCodeType(image, base, Direction::Receive, CodeType::Pl);
    encodePl(image, base, Direction::Receive, 13);
    changeCodeType(image, base, Direction::Transmit, CodeType::Dpl);
    setInverted(image, base, Direction::Transmit, false);
    encodeDpl(image, base, Direction::Transmit, 1);
    // Channel 2: receive PL count 12000 and transmit DPL 305, in no table.
    setRecord(image, layout, 2,
              {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xA1, 0x8A, 0x2E, 0xE0, 0xE0});
    // Channel 3: TX Priority 0xCA (Repeater and Local Middle, bits 6-7 set).
    setRecord(image, layout, 3, {0, 0, 0, 0, 0, 0, 0, 0xCA});
    return image;
}

// Saves `image` as a valid 4096-byte file (fresh checksum); returns the path.
inline std::string writeImage(const std::filesystem::path& path, Image image) {
    saveImageFile(image, path);
    return path.string();
}

}  // namespace quarnel::testing
