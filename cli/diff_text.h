// The text form of `diff`, shared with `apply --dry-run`.
#pragma once

#include <ostream>

#include "cli/diff_compare.h"

namespace quarnel::cli {

// One line per difference, as `diff` prints them: named fields (records that
// all moved as one line), then bytes by offset, then the stored checksums.
void printDifferences(const ImageDifferences& diff, std::ostream& out);

}  // namespace quarnel::cli
