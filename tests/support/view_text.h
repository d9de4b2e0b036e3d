// Channel views written out as text, one value per line, so that tests and
// fuzz targets can compare whole decodings and print what differs.
#pragma once

#include <string>

#include "model/channel_view.h"

namespace quarnel::testing {

// The header part: labels, header drop-downs, CW area and message texts.
std::string headerText(const HeaderView& header);

// The record part: everything decoded from the channel record (its base
// excluded, so that a record that moved but kept its bytes reads the same).
std::string recordText(const ChannelView& view);

}  // namespace quarnel::testing
