#include "cli/loaded.h"

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "cli/commands.h"

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

int saveForCommand(Image& image, const std::string& out) {
    const SaveOutcome saved = saveImageFile(image, out);
    if (!saved.ok) {
        std::cerr << "quarnel-cli: " << out << ": cannot write: " << saved.error << "\n";
        return kUsage;
    }
    return kOk;
}

bool outputIsNotInput(const std::string& input, const std::string& out) {
    // "-" would be a file named "-" here, which is never what was meant.
    if (out == "-") {
        std::cerr << "quarnel-cli: -o -: an image is not written to standard output; give a file name\n";
        return false;
    }
    std::error_code ec;
    if (!std::filesystem::equivalent(input, out, ec) || ec) return true;
    std::cerr << "quarnel-cli: " << out << ": is the input image, which is never changed\n";
    return false;
}

}  // namespace quarnel::cli
