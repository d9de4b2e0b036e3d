// The options that pick channels and bands, shared by the commands that
// decode or edit channels: --channel N|all, --rx-band B, --tx-band B.
#pragma once

#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "model/image.h"
#include "model/synthesizer.h"

namespace quarnel::cli {

struct ChannelOptions {
    std::string channel;       // "", or channels as channelList() reads them
    std::string rxBand = "uhf";
    std::string txBand = "uhf";
};

// Adds --channel, --rx-band and --tx-band to `cmd`, storing into `options`.
void addChannelOptions(CLI::App* cmd, ChannelOptions& options, const std::string& channelHelp);

// Adds --rx-band and --tx-band only.
void addBandOptions(CLI::App* cmd, ChannelOptions& options);

// "vhf", "uhf", "800".
Band bandOption(const std::string& name);

// The channel numbers the options name for `image`: those given, or every
// channel 1..Modes when `allByDefault` and none is given (or "all"), or
// channel 1. A channel outside 1..Modes prints
// "quarnel-cli: FILE: there is no channel N ..." and gives false.
// The channels a --channel text names: numbers, ranges ("5-8"), "tune" (the
// last channel) and "all", separated by commas ("1,3,5-8"), each once, in
// ascending order. False, with the part that names no channel of 1..`modes`
// in `wrong`, when one does not.
bool channelList(const std::string& text, int modes, std::vector<int>& channels, std::string& wrong);

bool selectChannels(const ChannelOptions& options, const Image& image, const std::string& file,
                    bool allByDefault, std::vector<int>& channels);

}  // namespace quarnel::cli
