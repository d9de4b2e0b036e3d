// The CW area and messages for `show`: the "cw" and "messages" members of the
// JSON document and the lines of the text form.
#pragma once

#include <ostream>

#include <nlohmann/json.hpp>

#include "model/channel_view.h"
#include "model/image.h"

namespace quarnel::cli {

// The header part of the channel display (header drop-downs, CW area and
// messages) exactly as the editor decodes it. "CW address error" is not
// passed on as a notice: `show` reports it once, as the CW area's error.
HeaderView displayedHeader(const Image& image);

// Appends "cw" ({"span", "count", "error"}) and "messages" (the decoded texts)
// to `doc`, in that order.
void addCwJson(nlohmann::ordered_json& doc, const Image& image);

// The span, count and each message, one line each.
void showCwText(const Image& image, std::ostream& out);

}  // namespace quarnel::cli
