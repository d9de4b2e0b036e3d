#include "cli/edit_guard.h"

#include <iostream>

#include "cli/file_size.h"
#include "model/text_forms.h"

namespace quarnel::cli {

void addForceOption(CLI::App* cmd, bool& force) {
    cmd->add_flag("--force", force,
                  "Edit even when the image's stored checksum is wrong (a bad checksum usually "
                  "means a bad read; the saved image gets a fresh one)");
}

bool inputMayBeEdited(const LoadedImage& loaded, bool force) {
    if (const auto fault = sizeFault(fileSize(loaded))) std::cerr << loaded.file << ": " << *fault << "\n";
    const LoadOutcome& o = loaded.outcome;
    if (o.checksumOk) return true;
    const std::string sums = "checksum " + hex4(o.stored) + " stored, " + hex4(o.computed) + " computed";
    if (force) {
        std::cerr << loaded.file << ": " << sums << "; edited anyway (--force)\n";
        return true;
    }
    std::cerr << "quarnel-cli: " << loaded.file << ": " << sums
              << ": the image may be a bad read; nothing written (--force edits it anyway)\n";
    return false;
}

}  // namespace quarnel::cli
