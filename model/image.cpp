#include "model/image.h"

#include "model/save_faults.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace quarnel {

std::uint16_t readWord(const Image& image, std::size_t offset) {
    if (offset + 1 >= kEpromSize) return 0;
    return static_cast<std::uint16_t>(image[offset] << 8 | image[offset + 1]);
}

void writeWord(Image& image, std::size_t offset, std::uint16_t value) {
    if (offset + 1 >= kEpromSize) return;
    image[offset] = static_cast<std::uint8_t>(value >> 8);
    image[offset + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

std::uint16_t computeChecksum(const Image& image) {
    const std::size_t last = readWord(image, 2) & kLastWordMask;
    std::uint16_t sum = 0;
    // `last` is at most 4095, so a + 1 never passes the EPROM.
    for (std::size_t a = 2; a <= last; a += 2)
        sum = static_cast<std::uint16_t>(sum + (image[a] << 8 | image[a + 1]));
    return sum;
}

std::uint16_t storedChecksum(const Image& image) { return readWord(image, 0); }

LoadOutcome loadImageBytes(Image& image, const std::uint8_t* data, std::size_t size,
                           NoticeSink& notices, const Progress& progress) {
    LoadOutcome out;
    out.ok = true;
    image.bytes.fill(0xFF);
    const std::size_t take = size < kImageSize ? size : kImageSize;
    if (progress) {
        for (std::size_t i = 0; i < take; ++i) {
            image[i] = data[i];
            out.bytesRead = i + 1;
            progress(out.bytesRead);
        }
    } else if (take > 0) {
        // Nobody watches: store the bytes in one piece.
        std::memcpy(image.bytes.data(), data, take);
        out.bytesRead = take;
    }
    if (out.bytesRead > kEpromSize) {
        out.tooLarge = true;
        notices.messageBox("File larger than 4096 bytes");
    }
    out.computed = computeChecksum(image);
    out.stored = storedChecksum(image);
    out.checksumOk = out.computed == out.stored;
    return out;
}

namespace {

SaveFaultHook saveFaultHook = nullptr;

// Whether a test has asked for `step` to fail.
bool faultAt(SaveStep step) { return saveFaultHook != nullptr && saveFaultHook(step); }

}  // namespace

SaveFaultHook setSaveFaultHook(SaveFaultHook hook) {
    const SaveFaultHook previous = saveFaultHook;
    saveFaultHook = hook;
    return previous;
}

namespace {

std::string errnoText(int err) { return std::generic_category().message(err); }

std::FILE* openFile(const std::filesystem::path& path, bool write) {
#ifdef _WIN32
    return _wfopen(path.c_str(), write ? L"wb" : L"rb");
#else
    return std::fopen(path.c_str(), write ? "wb" : "rb");
#endif
}

#ifdef _WIN32
std::string lastErrorText() {
    const DWORD code = GetLastError();
    wchar_t* buffer = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text;
    if (n && buffer) {
        const int len = WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(n), nullptr, 0,
                                            nullptr, nullptr);
        text.resize(static_cast<std::size_t>(len));
        WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(n), text.data(), len, nullptr,
                            nullptr);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '.'))
            text.pop_back();
    } else {
        text = "system error " + std::to_string(code);
    }
    if (buffer) LocalFree(buffer);
    return text;
}
#endif

// True when `path` names an existing file that is marked read-only. Replacing
// such a file would silently defeat the user's protection, so saving refuses.
bool isReadOnlyFile(const std::filesystem::path& path) {
#ifdef _WIN32
    const DWORD attrs = GetFileAttributesW(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY) &&
           !(attrs & FILE_ATTRIBUTE_DIRECTORY);
#else
    struct stat st{};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
#endif
}

// Moves the finished temporary file over the target.
bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to,
                 std::string& error) {
    if (faultAt(SaveStep::Replace)) {
        error = errnoText(EACCES);
        return false;
    }
#ifdef _WIN32
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    error = lastErrorText();
    return false;
#else
    struct stat st{};
    if (stat(to.c_str(), &st) == 0) chmod(from.c_str(), st.st_mode & 07777);
    if (std::rename(from.c_str(), to.c_str()) == 0) return true;
    error = errnoText(errno);
    return false;
#endif
}

bool flushToDisk(std::FILE* f) {
    if (faultAt(SaveStep::Flush)) {
        errno = EIO;
        return false;
    }
    if (std::fflush(f) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
}

std::FILE* createTemporary(const std::filesystem::path& path) {
    if (faultAt(SaveStep::CreateTemporary)) {
        errno = EACCES;
        return nullptr;
    }
    return openFile(path, true);
}

// Writes the bytes; a failure may leave part of them written, as a disk that
// fills up does.
std::size_t writeBytes(std::FILE* f, const std::vector<std::uint8_t>& bytes) {
    if (faultAt(SaveStep::Write)) {
        const std::size_t part = std::fwrite(bytes.data(), 1, bytes.size() / 2, f);
        errno = ENOSPC;
        return part;
    }
    return std::fwrite(bytes.data(), 1, bytes.size(), f);
}

// Closes the file in every case; a failure means the bytes may not be there.
bool closeFile(std::FILE* f) {
    const bool closed = std::fclose(f) == 0;
    if (faultAt(SaveStep::Close)) {
        errno = EIO;
        return false;
    }
    return closed;
}

}  // namespace

LoadOutcome loadImageFile(Image& image, const std::filesystem::path& path, NoticeSink& notices,
                          const Progress& progress) {
    LoadOutcome out;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        out.error = "it is a folder, not a file";
        return out;
    }
    std::FILE* f = openFile(path, false);
    if (!f) {
        out.error = errnoText(errno);
        return out;
    }
    // Read everything first; the image is replaced only when the read succeeded.
    std::array<std::uint8_t, kImageSize> data{};
    const std::size_t n = std::fread(data.data(), 1, data.size(), f);
    const bool failed = std::ferror(f) != 0;
    const int err = errno;
    std::fclose(f);
    if (failed) {
        out.error = errnoText(err ? err : EIO);
        return out;
    }
    return loadImageBytes(image, data.data(), n, notices, progress);
}

std::uint16_t prepareForSave(Image& image) {
    image[2] |= 0x20;
    const std::uint16_t sum = computeChecksum(image);
    writeWord(image, 0, sum);
    return sum;
}

std::vector<std::uint8_t> saveImageBytes(Image& image, const Progress& progress) {
    prepareForSave(image);
    std::vector<std::uint8_t> out(image.bytes.begin(), image.bytes.begin() + kEpromSize);
    if (progress)
        for (std::size_t i = 0; i < kEpromSize; ++i) progress(i + 1);
    return out;
}

SaveOutcome saveImageFile(Image& image, const std::filesystem::path& path,
                          const Progress& progress) {
    SaveOutcome out;
    const std::vector<std::uint8_t> bytes = saveImageBytes(image, progress);
    out.checksum = storedChecksum(image);

    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        out.error = "it is a folder, not a file";
        return out;
    }
    if (isReadOnlyFile(path)) {
        out.error = "the file is read-only";
        return out;
    }
    std::filesystem::path temp = path;
    temp += ".quarnel-save";
    std::FILE* f = createTemporary(temp);
    if (!f) {
        out.error = errnoText(errno);
        return out;
    }
    const std::size_t n = writeBytes(f, bytes);
    int err = errno;
    bool good = n == bytes.size();
    if (good && !flushToDisk(f)) {
        good = false;
        err = errno;
    }
    if (!closeFile(f) && good) {
        good = false;
        err = errno;
    }
    if (!good) {
        out.error = errnoText(err ? err : EIO);
        std::filesystem::remove(temp, ec);
        return out;
    }
    if (!replaceFile(temp, path, out.error)) {
        std::filesystem::remove(temp, ec);
        return out;
    }
    out.ok = true;
    out.bytesWritten = bytes.size();
    return out;
}

}  // namespace quarnel
