// The channels part of `show`: every channel decoded through the model's
// channel view, as JSON, as a readable table and as CSV.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/channel_options.h"
#include "model/channel_view.h"

namespace quarnel::cli {

// The decoded channels of one image, in ascending channel order. Channels
// whose records cannot be reached are left out (the image's problems name them).
std::vector<ChannelView> decodeChannels(const Image& image, const std::vector<int>& channels,
                                        Band rxBand, Band txBand);

// The notices of one channel's display, less "CW address error": that one
// belongs to the CW area and is reported once for the image.
std::vector<std::string> channelNotices(const ChannelView& view);

// The "channels" array of the JSON document.
nlohmann::ordered_json channelsJson(const std::vector<ChannelView>& views);

// One row per channel, then the notices the channels raise.
void channelsText(const std::vector<ChannelView>& views, Band rxBand, Band txBand, std::ostream& out);

// A header row, then one row per channel, each value as the editor's control
// shows it: frequency and reference texts, option captions ("PL",
// "Highest"), drop-down texts without their sign blank ("None", "180"),
// check boxes as yes or no, the channel's ID message, and its notices.
void channelsCsv(const std::vector<ChannelView>& views, std::ostream& out);

}  // namespace quarnel::cli
