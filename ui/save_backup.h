// The backup Save As keeps of the file it replaces: NAME.bak beside it, one
// generation, written through the same safe save as the image itself.
#pragma once

#include <string>

namespace quarnel::ui {

// The name the backup of `path` gets: `path` followed by ".bak".
std::wstring backupName(const std::wstring& path);

// Keeps the file at `path`, when there is one, as backupName(path), the
// earlier backup replaced: the same bytes, whatever they are, written through
// the model's safe replacement of a file. Nothing to keep (no file, a folder)
// is no failure. On failure `problem` says why, in words for the user, and
// the file at `path` has not changed.
bool keepBackupOf(const std::wstring& path, std::wstring& problem);

}  // namespace quarnel::ui
