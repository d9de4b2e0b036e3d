// The JSON document of `show`, which `diff` compares too.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/loaded.h"
#include "model/channel_view.h"

namespace quarnel::cli {

// The whole document: file, bytes_read, too_large, checksum, header, cw,
// messages, channels (the views given, in their order) and problems.
nlohmann::ordered_json showDocument(const LoadedImage& loaded, const std::vector<ChannelView>& channels);

// A document as printed: indented by two, and bytes that are not UTF-8 (a
// file name in another encoding, "M\xfcnchen.bin") become U+FFFD, so that
// any name can be printed.
template <class Json>
std::string jsonText(const Json& document) {
    return document.dump(2, ' ', false, nlohmann::detail::error_handler_t::replace);
}

// `doc` with, right after each "*_item" key, a "*_text" key: the entry the
// editor's drop-down shows for that item, without its sign blank ("100.0",
// "None", "180", "ALL TX", the message text), or null when it shows none.
nlohmann::ordered_json withItemTexts(nlohmann::ordered_json doc);

}  // namespace quarnel::cli
