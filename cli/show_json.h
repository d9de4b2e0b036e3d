// The JSON document of `show`, which `diff` compares too.
#pragma once

#include <vector>

#include <nlohmann/json.hpp>

#include "cli/loaded.h"
#include "model/channel_view.h"

namespace quarnel::cli {

// The whole document: file, bytes_read, too_large, checksum, header, cw,
// messages, channels (the views given, in their order) and problems.
nlohmann::ordered_json showDocument(const LoadedImage& loaded, const std::vector<ChannelView>& channels);

}  // namespace quarnel::cli
