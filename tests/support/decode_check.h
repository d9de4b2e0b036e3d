// Decodes a whole image the way the editor shows it and says what in the
// result is not clear: a view that neither decodes nor names its problem, a
// text the user could not read, a count that disagrees with its list, or a
// display that changes more than the one byte it may rewrite. Shared by the
// corruption tests and the decoding fuzz target.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "model/channel_view.h"
#include "model/image.h"

namespace quarnel::testing {

using BandPair = std::pair<Band, Band>;  // receive band, transmit band

// All nine receive and transmit band combinations.
const std::vector<BandPair>& allBandPairs();

// Which channels decodeProblems decodes, and with which bands.
struct DecodeSweep {
    std::vector<BandPair> bands;  // every channel is decoded with each pair
    // Channels 1..leading are all decoded; beyond them only the channels at
    // the edges: the last record inside the image and its neighbours, and the
    // last two channels. Every further record decodes the same way at
    // another offset, and every view decodes the header and CW area again,
    // which a fuzzer cannot afford hundreds of times per input.
    int leading = 255;
    // The CW message texts are decoded and checked (once) when the area
    // holds at most this many messages. A corrupt CW end pointer can make
    // thousands, whose decoding the CW fuzz target checks on its own.
    int cwTextsUpTo = 1 << 30;
};

// Each problem found, one sentence each; empty when every result is clear.
// Decodes the header and CW messages, the channels of `sweep`, the channel
// numbers just outside 1..Modes, and the layout checks; runs the display's
// priority update on a copy of each channel.
std::vector<std::string> decodeProblems(const Image& image, const DecodeSweep& sweep);

// The problems of one view (as decodeProblems finds them), checked against
// the image it came from. `cwTexts`: the view was asked for the CW message
// texts (ChannelViewRequest::cwMessageTexts), and the list is checked.
std::vector<std::string> viewProblems(const Image& image, const ChannelView& view, bool cwTexts = true);

}  // namespace quarnel::testing
