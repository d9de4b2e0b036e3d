// Reading an image file for a command, with the one-line error the CLI prints.
#pragma once

#include <optional>
#include <string>

#include "model/image.h"

namespace quarnel::cli {

struct LoadedImage {
    std::string file;  // as given on the command line
    Image image;
    LoadOutcome outcome;
    std::vector<std::string> notices;  // message-box texts raised while loading
};

// Loads `file`; on failure prints "quarnel-cli: FILE: cannot read: REASON" to
// standard error and returns nothing.
std::optional<LoadedImage> loadForCommand(const std::string& file);

// Saves the image to `out` through the model's safe save (4096 bytes,
// EPROM-window bit, fresh checksum, temporary file then replace). Prints
// "quarnel-cli: OUT: cannot write: REASON" on failure. Returns an exit status.
int saveForCommand(Image& image, const std::string& out);

// False, after printing "quarnel-cli: OUT: is the input image, which is never
// changed", when `out` names the same file as `input`, and after a message of
// its own when `out` is "-".
bool outputIsNotInput(const std::string& input, const std::string& out);

}  // namespace quarnel::cli
