#include "ui/save_backup.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "model/image.h"
#include "ui/text.h"

namespace quarnel::ui {

namespace {

// Reads at most `limit` bytes of the file; false when it cannot be read.
bool readStart(const std::wstring& path, std::size_t limit, std::vector<std::uint8_t>& bytes) {
    std::FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f) return false;
    bytes.resize(limit);
    bytes.resize(std::fread(bytes.data(), 1, limit, f));
    const bool failed = std::ferror(f) != 0;
    std::fclose(f);
    return !failed;
}

}  // namespace

std::wstring backupName(const std::wstring& path) { return path + L".bak"; }

bool keepBackupOf(const std::wstring& path, std::wstring& problem) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;

    std::vector<std::uint8_t> old;
    if (!readStart(path, kEpromSize + 1, old)) {
        problem = L"it cannot be read";
        return false;
    }
    // The safe save writes 4096 bytes with the EPROM-window bit and a fresh
    // checksum: the backup is written only when that gives the old bytes back.
    Image kept;
    std::copy(old.begin(), old.begin() + static_cast<std::ptrdiff_t>(std::min(old.size(), kEpromSize)),
              kept.bytes.begin());
    Image written = kept;
    if (old.size() != kEpromSize || saveImageBytes(written) != old) {
        problem = L"it is not a 4096-byte image with the checksum and EPROM-window bit a save "
                  L"writes, so a backup of it would not be the same bytes";
        return false;
    }
    const std::wstring backup = backupName(path);
    const SaveOutcome saved = saveImageFile(kept, std::filesystem::path(backup));
    if (!saved.ok) {
        problem = backup + L" cannot be written: " + widen(saved.error);
        return false;
    }
    std::vector<std::uint8_t> check;
    if (!readStart(backup, kEpromSize + 1, check) || check != old) {
        problem = backup + L" does not read back as the file it keeps";
        return false;
    }
    return true;
}

}  // namespace quarnel::ui
