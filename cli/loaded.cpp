#include "cli/loaded.h"

#include <cstdio>
#include <iostream>

namespace quarnel::cli {

std::optional<LoadedImage> loadForCommand(const std::string& file) {
    LoadedImage loaded;
    loaded.file = file;
    RecordedNotices notices;
    loaded.outcome = loadImageFile(loaded.image, file, notices);
    if (!loaded.outcome.ok) {
        std::cerr << "quarnel-cli: " << file << ": cannot read: " << loaded.outcome.error << "\n";
        return std::nullopt;
    }
    loaded.notices = notices.texts(NoticeKind::Box);
    return loaded;
}

std::string hex4(unsigned value) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%04X", value & 0xFFFF);
    return buf;
}

}  // namespace quarnel::cli
