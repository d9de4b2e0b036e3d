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
#include <fcntl.h>
#include <poll.h>
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

#ifdef _WIN32
std::FILE* openFile(const std::filesystem::path& path) { return _wfopen(path.c_str(), L"rb"); }

std::string errorText(DWORD code) {
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

std::string lastErrorText() { return errorText(GetLastError()); }
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

// The file a save writes: `path` itself, or, when it is a symbolic link
// (however many links deep), the file the links lead to, so that the link
// stays a link. Empty, with `error` set, when the links go round in circles.
std::filesystem::path followLinks(const std::filesystem::path& path, std::string& error) {
    namespace fs = std::filesystem;
    fs::path p = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec))) return p;
        const fs::path to = fs::read_symlink(p, ec);
        if (ec) {
            error = ec.message();
            return {};
        }
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    error = errnoText(ELOOP);
    return {};
}

// Why an existing `target` cannot be replaced by a file, or nothing. A
// device node or a pipe would be replaced by a regular file (as root,
// `/dev/null` itself), which no user asking to save an image wants.
std::string notReplaceable(const std::filesystem::path& target) {
#ifdef _WIN32
    const DWORD attrs = GetFileAttributesW(target.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY))
        return "it is a folder, not a file";
    // Device names (NUL, COM1, ...) and pipes open as something other than a
    // file on a disk.
    const HANDLE h = CreateFileW(target.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    const DWORD type = GetFileType(h);
    CloseHandle(h);
    if (type != FILE_TYPE_DISK) return "it is a device or a pipe, not a regular file";
    return {};
#else
    struct stat st{};
    if (lstat(target.c_str(), &st) != 0 || S_ISREG(st.st_mode)) return {};
    if (S_ISDIR(st.st_mode)) return "it is a folder, not a file";
    return "it is a device, pipe or socket, not a regular file";
#endif
}

// A failure the test seam makes, reported as the system reports its own.
void fakeFailure(int posixError) {
#ifdef _WIN32
    SetLastError(posixError == ENOSPC   ? ERROR_DISK_FULL
                 : posixError == EACCES ? ERROR_ACCESS_DENIED
                                        : ERROR_WRITE_FAULT);
#else
    errno = posixError;
#endif
}

// The temporary file beside the target, created under a name of its own
// that did not exist before: never an existing file, never through a link.
// Its name is short, so that it fits wherever the target's name fits.
#ifdef _WIN32
using TempFile = HANDLE;
const TempFile kNoFile = INVALID_HANDLE_VALUE;
#else
using TempFile = int;
const TempFile kNoFile = -1;
#endif

TempFile createTemporary(const std::filesystem::path& folder, std::filesystem::path& name) {
    if (faultAt(SaveStep::CreateTemporary)) {
        fakeFailure(EACCES);
        return kNoFile;
    }
#ifdef _WIN32
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        wchar_t unique[16];
        _snwprintf(unique, 16, L".quarnel-%06X",
                   (GetCurrentProcessId() * 7919u + GetTickCount() + ++counter * 104729u) & 0xFFFFFF);
        name = folder / unique;
        // CREATE_NEW fails on any existing name, a link included.
        const HANDLE h = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) return h;
        const DWORD code = GetLastError();
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) {
            SetLastError(code);
            return kNoFile;
        }
    }
    SetLastError(ERROR_FILE_EXISTS);
    return kNoFile;
#else
    // mkstemp opens with O_CREAT | O_EXCL, which fails on any existing name
    // and never follows a link.
    std::string pattern = (folder / ".quarnel-XXXXXX").string();
    const int fd = mkstemp(pattern.data());
    if (fd >= 0) name = pattern;
    return fd;
#endif
}

// Writes the bytes; a failure may leave part of them written, as a disk that
// fills up does.
bool writeBytes(TempFile f, const std::vector<std::uint8_t>& bytes) {
    std::size_t total = bytes.size();
    const bool fail = faultAt(SaveStep::Write);
    if (fail) total /= 2;
    std::size_t done = 0;
    while (done < total) {
#ifdef _WIN32
        DWORD n = 0;
        if (!WriteFile(f, bytes.data() + done, static_cast<DWORD>(total - done), &n, nullptr) || n == 0)
            return false;
#else
        const ssize_t n = ::write(f, bytes.data() + done, total - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
#endif
        done += static_cast<std::size_t>(n);
    }
    if (fail) {
        fakeFailure(ENOSPC);
        return false;
    }
    return true;
}

bool flushToDisk(TempFile f) {
    if (faultAt(SaveStep::Flush)) {
        fakeFailure(EIO);
        return false;
    }
#ifdef _WIN32
    return FlushFileBuffers(f) != 0;
#else
    return fsync(f) == 0;
#endif
}

// Closes the file in every case; a failure means the bytes may not be there.
bool closeFile(TempFile f) {
#ifdef _WIN32
    const bool closed = CloseHandle(f) != 0;
#else
    const bool closed = ::close(f) == 0;
#endif
    if (faultAt(SaveStep::Close)) {
        fakeFailure(EIO);
        return false;
    }
    return closed;
}

// The system's reason for the last failed step.
std::string lastFailure() {
#ifdef _WIN32
    return lastErrorText();
#else
    return errnoText(errno ? errno : EIO);
#endif
}

// Moves the finished temporary file over the target and makes the move
// itself durable.
bool replaceFile(const std::filesystem::path& from, const std::filesystem::path& to, bool targetExists,
                 std::string& error) {
    if (faultAt(SaveStep::Replace)) {
        error = errnoText(EACCES);
        return false;
    }
#ifdef _WIN32
    if (targetExists) {
        // ReplaceFileW keeps the target's attributes, ACL and streams. A
        // program that has just opened the new file (a virus scanner) makes
        // it fail for a moment, so it is tried again briefly.
        DWORD code = 0;
        for (int attempt = 0; attempt < 20; ++attempt) {
            if (ReplaceFileW(to.c_str(), from.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                             nullptr))
                return true;
            code = GetLastError();
            if (code != ERROR_SHARING_VIOLATION && code != ERROR_LOCK_VIOLATION && code != ERROR_ACCESS_DENIED)
                break;
            Sleep(50);
        }
        // Where it is refused (file systems without it, a target that
        // cannot take the replacement's place), a plain move is the fallback.
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        error = errorText(code);
        return false;
    }
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    error = lastErrorText();
    return false;
#else
    // The new file takes the old one's permissions; a new one gets what a
    // plainly created file would get under the user's umask.
    struct stat st{};
    if (targetExists && stat(to.c_str(), &st) == 0) {
        chmod(from.c_str(), st.st_mode & 07777);
    } else {
        const mode_t mask = umask(0);
        umask(mask);
        chmod(from.c_str(), 0666 & ~mask);
    }
    if (std::rename(from.c_str(), to.c_str()) != 0) {
        error = errnoText(errno);
        return false;
    }
    // The rename is only on the disk once the folder is.
    std::filesystem::path folder = to.parent_path();
    if (folder.empty()) folder = ".";
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        fsync(dir);
        ::close(dir);
    }
    return true;
#endif
}

}  // namespace

#ifndef _WIN32
// Opens `path` for reading without ever blocking: a FIFO with no writer, a
// terminal or a socket would stop the program for good, so only regular
// files and character devices with bytes ready (such as /dev/zero) are read.
// Returns -1 with `error` set otherwise.
int openForReading(const std::filesystem::path& path, std::string& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = errnoText(errno);
        return -1;
    }
    struct stat st{};
    if (fstat(fd, &st) != 0) {
        error = errnoText(errno);
    } else if (S_ISDIR(st.st_mode)) {
        error = "it is a folder, not a file";
    } else if (S_ISCHR(st.st_mode)) {
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, 0) != 1 || !(ready.revents & POLLIN)) error = "it is a device with nothing to read";
    } else if (!S_ISREG(st.st_mode)) {
        error = "it is a pipe, socket or device, not a file";
    }
    if (error.empty() && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) == 0) return fd;
    if (error.empty()) error = errnoText(errno);
    ::close(fd);
    return -1;
}
#endif

LoadOutcome loadImageFile(Image& image, const std::filesystem::path& path, NoticeSink& notices,
                          const Progress& progress) {
    LoadOutcome out;
#ifdef _WIN32
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        out.error = "it is a folder, not a file";
        return out;
    }
    std::FILE* f = openFile(path);
#else
    const int fd = openForReading(path, out.error);
    if (fd < 0) return out;
    std::FILE* f = fdopen(fd, "rb");
    if (!f) ::close(fd);
#endif
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
    const std::vector<std::uint8_t> bytes = saveImageBytes(image, progress);
    SaveOutcome out = saveFileBytes(bytes, path);
    out.checksum = storedChecksum(image);
    return out;
}

SaveOutcome saveFileBytes(const std::vector<std::uint8_t>& bytes, const std::filesystem::path& path) {
    SaveOutcome out;
    const std::filesystem::path target = followLinks(path, out.error);
    if (target.empty()) return out;
    out.error = notReplaceable(target);
    if (!out.error.empty()) return out;
    if (isReadOnlyFile(target)) {
        out.error = "the file is read-only";
        return out;
    }
    std::error_code ec;
    const bool targetExists = std::filesystem::exists(std::filesystem::symlink_status(target, ec));
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";

    std::filesystem::path temp;
    const TempFile f = createTemporary(folder, temp);
    if (f == kNoFile) {
        out.error = lastFailure();
        return out;
    }
    bool good = writeBytes(f, bytes);
    std::string error = good ? std::string() : lastFailure();
    if (good && !flushToDisk(f)) {
        good = false;
        error = lastFailure();
    }
    if (!closeFile(f) && good) {
        good = false;
        error = lastFailure();
    }
    if (!good) {
        out.error = error;
        std::filesystem::remove(temp, ec);
        return out;
    }
    if (!replaceFile(temp, target, targetExists, out.error)) {
        std::filesystem::remove(temp, ec);
        return out;
    }
    out.ok = true;
    out.bytesWritten = bytes.size();
    return out;
}

}  // namespace quarnel
