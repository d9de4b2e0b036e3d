// verify: one line per image with its checksum and the structural checks.
#include <iostream>

#include "cli/commands.h"
#include "cli/file_size.h"
#include "cli/loaded.h"
#include "cli/show_channels.h"
#include "model/layout.h"
#include "model/text_forms.h"

namespace quarnel::cli {

namespace {

std::vector<std::string> imageProblems(const LoadedImage& loaded) {
    std::vector<std::string> problems;
    const LoadOutcome& o = loaded.outcome;
    if (!o.checksumOk)
        problems.push_back("checksum " + hex4(o.stored) + " stored, " + hex4(o.computed) +
                           " computed");
    for (auto& p : structuralProblems(loaded.image)) problems.push_back(std::move(p));
    // Squelch codes missing from their tables: what the channel display
    // would report in a message box (the bands do not matter for codes).
    const int modes = static_cast<int>(readField(loaded.image, Field::Modes));
    for (int n = 1; n <= modes; ++n) {
        ChannelViewRequest request;
        request.channel = n;
        for (const auto& notice : channelNotices(channelView(loaded.image, request)))
            problems.push_back("channel " + std::to_string(n) + ": " + notice);
    }
    return problems;
}

}  // namespace

void addVerify(CLI::App& app, int& status) {
    auto* cmd = app.add_subcommand("verify", "Check the checksum and the layout of images");
    auto files = std::make_shared<std::vector<std::string>>();
    cmd->add_option("IMAGE", *files, "Image files to check")->required();
    cmd->footer(
        "Prints one line per image: \"ok\" with the checksum, or \"FAILED\" with every fault:\n"
        "a wrong checksum, header pointers outside the codeplug window 2000-27FF, channel\n"
        "records or the CW area outside the image, a negative CW span, squelch codes missing\n"
        "from the tables. A file that is not exactly 4096 bytes fails, its size named first\n"
        "(\"NAME: 100 bytes, not 4096\"); an 8192-byte file with two equal halves is named a\n"
        "doubled readout. Exit status: 0 all ok, 1 a fault found, 2 an image cannot be read.");
    cmd->callback([files, &status] {
        for (const auto& file : *files) {
            auto loaded = loadForCommand(file);
            if (!loaded) {
                status = kUsage;
                continue;
            }
            // A file of the wrong size fails whatever its bytes hold, and its
            // size comes first. The faults of a short file follow from the
            // bytes it lacks and are not listed; those of the first 4096 bytes
            // of a longer file are.
            const FileSize size = fileSize(*loaded);
            if (const auto fault = sizeFault(size)) {
                std::cout << file << ": " << *fault;
                if (size.bytes > kEpromSize)
                    for (const auto& p : imageProblems(*loaded)) std::cout << "; " << p;
                std::cout << "\n";
                if (status == kOk) status = kCheckFailed;
                continue;
            }
            const auto problems = imageProblems(*loaded);
            if (problems.empty()) {
                std::cout << file << ": ok, checksum " << hex4(loaded->outcome.stored) << "\n";
                continue;
            }
            std::cout << file << ": FAILED";
            const char* sep = ": ";
            for (const auto& p : problems) {
                std::cout << sep << p;
                sep = "; ";
            }
            std::cout << "\n";
            if (status == kOk) status = kCheckFailed;
        }
    });
}

}  // namespace quarnel::cli
