// A four-channel image whose channels exercise the channel display: a full
// channel, one whose codes are missing from the tables, a priority conflict
// and the tune channel.
#pragma once

#include <filesystem>
#include <string>

#include "model/cw_messages.h"
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

// The channel image with what a site's image holds besides: two CW messages,
// an ID timer of 10 minutes, a re-key delay of 960 ms, a tone start delay of
// 720 ms, and on channel 1 the wireline, local and drop-out timers, local mic
// audio, mute on wireline and the second message as its ID.
inline Image siteImage() {
    Image image = channelImage();
    NullNotices quiet;
    const CwState kept = countMessages(image, quiet);
    storeMessage(image, kept, 0, "AB1CDE/R", quiet);
    storeMessage(image, kept, 1, "AB1CDE", quiet);
    image[0x1C] = 10;  // IDtime
    image[0x1D] = 5;   // IDDly: 240 x (5 - 1) ms
    image[0x1E] = 3;   // CWDly: 240 x 3 ms
    const std::size_t base = channelBase(image, 1).base;
    image[base + 6] |= 0x02;   // Local Mic Audio
    image[base + 8] = 0x08;    // wireline 120 s
    image[base + 9] = 0x04;    // local 60 s
    image[base + 10] = 0x6C;   // drop-out 3 s, repeater 180 s
    image[base + 17] |= 0x02;  // Mute on Wireline
    image[base + 18] = 0x01;   // the second message
    return image;
}

// Saves `image` as a valid 4096-byte file (fresh checksum); returns the path.
inline std::string writeImage(const std::filesystem::path& path, Image image) {
    saveImageFile(image, path);
    return path.string();
}

}  // namespace quarnel::testing
