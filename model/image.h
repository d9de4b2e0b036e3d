// The codeplug image buffer, its checksum, and loading and saving image files.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "model/notice.h"

namespace quarnel {

constexpr std::size_t kEpromSize = 4096;  // the largest image, offsets 0..4095
constexpr std::size_t kImageSize = 4097;  // plus the overflow slot at 4096
constexpr std::uint16_t kRadioBase = 0x2000;       // radio address of image offset 0
constexpr std::uint16_t kEpromWindowBit = 0x2000;  // carried by every header pointer
constexpr std::uint16_t kLastWordMask = 0x0FFF;

// The whole image: offsets 0..4095 are the EPROM, offset 4096 is written only
// by an over-long file and is never decoded or saved. Zero-filled when made.
struct Image {
    std::array<std::uint8_t, kImageSize> bytes{};

    std::uint8_t& operator[](std::size_t offset) { return bytes[offset]; }
    std::uint8_t operator[](std::size_t offset) const { return bytes[offset]; }
};

// Called once per byte stored or written, with the count so far.
using Progress = std::function<void(std::size_t done)>;

// 16-bit sum of the big-endian words at offsets 2, 4, ... up to Last Word's offset.
std::uint16_t computeChecksum(const Image& image);
// The Checksum field (offsets 0-1).
std::uint16_t storedChecksum(const Image& image);

struct LoadOutcome {
    bool ok = false;        // false: the file could not be opened or read; image untouched
    std::string error;      // the system's reason when !ok
    std::size_t bytesRead = 0;  // 0..4097
    bool tooLarge = false;  // the file had more than 4096 bytes
    std::uint16_t computed = 0;
    std::uint16_t stored = 0;
    bool checksumOk = false;
};

// Replaces the image with `data` (at most 4097 bytes are taken): fills it with
// 0xFF, stores the bytes, says "File larger than 4096 bytes" for an over-long
// input and compares the checksum.
LoadOutcome loadImageBytes(Image& image, const std::uint8_t* data, std::size_t size,
                           NoticeSink& notices, const Progress& progress = {});

// Reads at most 4097 bytes of the file and loads them as above. A file that
// cannot be opened or read leaves the image exactly as it was.
LoadOutcome loadImageFile(Image& image, const std::filesystem::path& path, NoticeSink& notices,
                          const Progress& progress = {});

// Sets the EPROM-window bit of Last Word and stores a fresh checksum; returns it.
std::uint16_t prepareForSave(Image& image);

// prepareForSave, then the 4096 EPROM bytes as they go into the file.
std::vector<std::uint8_t> saveImageBytes(Image& image, const Progress& progress = {});

struct SaveOutcome {
    bool ok = false;
    std::string error;  // the system's reason when !ok
    std::size_t bytesWritten = 0;  // 4096 on success
    std::uint16_t checksum = 0;
};

// Writes exactly 4096 bytes. The bytes go to a temporary file beside the
// target, created under a new unique name (never an existing file, never
// through a link), flushed to the disk, and then moved over the target, so a
// failed save leaves any earlier file intact. When `path` is a symbolic link
// the file it leads to is replaced and the link kept. An existing target
// that is not a regular file (a folder, device, pipe or socket) or that is
// read-only is refused.
SaveOutcome saveImageFile(Image& image, const std::filesystem::path& path,
                          const Progress& progress = {});

// The same safe replacement of `path` for any bytes, written as they are
// (no checksum, no size rule): what keeps a file's earlier contents, such as
// a backup, byte for byte. `checksum` stays 0.
SaveOutcome saveFileBytes(const std::vector<std::uint8_t>& bytes, const std::filesystem::path& path);

// Big-endian 16-bit access to the EPROM part of the image; offsets past 4094
// read as 0 and are not written.
std::uint16_t readWord(const Image& image, std::size_t offset);
void writeWord(Image& image, std::size_t offset, std::uint16_t value);

}  // namespace quarnel
