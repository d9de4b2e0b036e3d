// What the commands that write an edited image check of their input first.
#pragma once

#include <string>

#include <CLI/CLI.hpp>

#include "cli/loaded.h"

namespace quarnel::cli {

// Adds --force: edit an image whose stored checksum is wrong.
void addForceOption(CLI::App* cmd, bool& force);

// A wrong stored checksum usually means a bad read, and the fresh checksum an
// edit writes would hide it for good. Without `force` prints
// "quarnel-cli: FILE: checksum AAAA stored, BBBB computed: ..." and returns
// false; with it, says so on standard error and returns true. A file that is
// not 4096 bytes is named on standard error either way (only its first 4096
// bytes, padded with FF when short, are edited and written).
bool inputMayBeEdited(const LoadedImage& loaded, bool force);

}  // namespace quarnel::cli
