// One edit as `set` makes it, for the commands that edit by field name
// (`set` itself and `apply`).
#pragma once

#include <string>
#include <vector>

#include "model/image.h"
#include "model/synthesizer.h"

namespace quarnel::cli {

// A field name as the user may type it: without regard to case, and with
// "auxiliary" read as the editor's "auxilary".
std::string canonicalFieldName(const std::string& name);

// The known field names closest to `name` (at most three), for the error of a
// mistyped name; empty when none is close.
std::vector<std::string> nearestSetFields(const std::string& name);

// Sets `field` (canonical) to `value` (read without regard to case) on
// channel `channel` (ignored for header fields) through the editor's
// operations, running the channel display afterwards where the editor does.
// Returns "" when done, otherwise the reason it was refused (nothing of this
// edit is written then).
std::string applySetEdit(Image& image, const std::string& field, int channel, const std::string& value,
                         Band rxBand, Band txBand);

}  // namespace quarnel::cli
