// Codeplugs like those read out of working stations: repeater channels with
// PL and DPL squelch, time-outs, priorities and ID options, a tune channel,
// and CW ID messages, all written through the model's own operations.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/image.h"
#include "model/synthesizer.h"

namespace quarnel::testing {

struct RealisticPlan {
    Band band = Band::Uhf;
    int modes = 4;                 // channel records, the tune channel included
    std::uint8_t size = 22;        // record stride
    std::uint8_t version = 3;
    std::uint16_t cwIdAddr = 0x2030;
    std::vector<std::string> messages = {"DE W1AW/R", "W1AW"};
    // Size of the last message's part of the CW area. Storing any message checks
    // against its room, so every message must fit it.
    int lastSlotBytes = 21;
};

// The image the plan describes, with a valid checksum. Throws
// std::runtime_error when the model refuses a step, so a plan that cannot be
// built is never silently a different image.
Image realisticImage(const RealisticPlan& plan = {});

// A handful of plans that differ in band, record size, channel count, CW
// area and message count; the seed corpus of the fuzz targets uses them all.
std::vector<RealisticPlan> realisticPlans();

}  // namespace quarnel::testing
