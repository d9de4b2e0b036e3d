// The length of an image file. The model's loader stops after 4097 bytes, so
// it cannot tell a 5000-byte file from an 8192-byte readout that holds the
// image twice; the commands that judge a file need both.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/loaded.h"

namespace quarnel::cli {

struct FileSize {
    std::uintmax_t bytes = 0;  // the file's length
    // The bytes from offset 4096 on (at most 1 MiB of them): a 27C64 read of
    // this EPROM gives the image twice, and `diff` compares what lies there.
    std::vector<std::uint8_t> beyond;
    bool doubled = false;  // 8192 bytes whose two halves are equal
    bool ok() const { return bytes == 4096; }
};

// The size of the file `loaded` was read from. A file that is not a regular
// file (or whose length cannot be asked) counts the bytes the loader read.
FileSize fileSize(const LoadedImage& loaded);

// "100 bytes, not 4096", and for a doubled readout "8192 bytes, not 4096: the
// image is stored twice; keep the first 4096 bytes"; nothing for 4096 bytes.
std::optional<std::string> sizeFault(const FileSize& size);

}  // namespace quarnel::cli
