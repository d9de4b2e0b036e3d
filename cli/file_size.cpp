#include "cli/file_size.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace quarnel::cli {

namespace {

constexpr std::uintmax_t kBeyondLimit = 1u << 20;

}  // namespace

FileSize fileSize(const LoadedImage& loaded) {
    FileSize size;
    size.bytes = loaded.outcome.bytesRead;
    std::error_code ec;
    const std::filesystem::path path(loaded.file);
    // Only a regular file is read again: a second read of a pipe or device
    // would wait or see other bytes.
    if (!std::filesystem::is_regular_file(path, ec) || ec) return size;
    const std::uintmax_t length = std::filesystem::file_size(path, ec);
    if (ec) return size;
    size.bytes = length;
    if (length <= kEpromSize) return size;
    std::ifstream in(path, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(kEpromSize));
    size.beyond.resize(static_cast<std::size_t>(std::min(length - kEpromSize, kBeyondLimit)));
    in.read(reinterpret_cast<char*>(size.beyond.data()), static_cast<std::streamsize>(size.beyond.size()));
    size.beyond.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    size.doubled = length == 2 * kEpromSize && size.beyond.size() == kEpromSize &&
                   std::equal(size.beyond.begin(), size.beyond.end(), loaded.image.bytes.begin());
    return size;
}

std::optional<std::string> sizeFault(const FileSize& size) {
    if (size.ok()) return std::nullopt;
    std::string text = std::to_string(size.bytes) + (size.bytes == 1 ? " byte" : " bytes") + ", not 4096";
    if (size.doubled) text += ": the image is stored twice; keep the first 4096 bytes";
    return text;
}

}  // namespace quarnel::cli
