#include "ui/save_backup.h"

#include <windows.h>

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

// A file Save As replaces is an image or a readout of one; anything much
// larger was not meant to be replaced by an image, and is not read whole.
constexpr std::size_t kBackupLimit = 16 * 1024 * 1024;

}  // namespace

std::wstring backupName(const std::wstring& path) { return path + L".bak"; }

bool keepBackupOf(const std::wstring& path, std::wstring& problem) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;

    // The old file is kept whatever it holds: a readout of another size, a
    // bad checksum, bytes no save of this editor would write.
    std::vector<std::uint8_t> old;
    if (!readStart(path, kBackupLimit + 1, old)) {
        problem = L"it cannot be read";
        return false;
    }
    if (old.size() > kBackupLimit) {
        problem = L"it is larger than " + std::to_wstring(kBackupLimit / (1024 * 1024)) +
                  L" MB, too large for a codeplug image";
        return false;
    }
    const std::wstring backup = backupName(path);
    const SaveOutcome saved = saveFileBytes(old, std::filesystem::path(backup));
    if (!saved.ok) {
        problem = backup + L" cannot be written: " + widen(saved.error);
        return false;
    }
    std::vector<std::uint8_t> check;
    if (!readStart(backup, kBackupLimit + 1, check) || check != old) {
        problem = backup + L" does not read back as the file it keeps";
        return false;
    }
    return true;
}

}  // namespace quarnel::ui
