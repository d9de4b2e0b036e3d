// show: every channel, the header and the CW messages as the editor would
// display them, as a readable table, as JSON or as CSV.
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/file_size.h"
#include "cli/loaded.h"
#include "cli/show_channels.h"
#include "cli/show_cw.h"
#include "cli/show_json.h"
#include "model/layout.h"
#include "model/text_forms.h"
#include "model/values.h"

namespace quarnel::cli {

namespace {

std::string delayText(const std::optional<int>& item) {
    return item ? std::to_string(delayItemMilliseconds(*item)) + " ms" : std::string("(none)");
}

void fileText(const LoadedImage& loaded, std::ostream& out) {
    const LoadOutcome& o = loaded.outcome;
    out << "File        " << loaded.file << " (" << o.bytesRead << " bytes"
        << (o.tooLarge ? ", larger than 4096" : "") << ")\n";
    out << "Checksum    " << hex4(o.stored)
        << (o.checksumOk ? " ok" : " BAD, computed " + hex4(o.computed)) << "\n\n";
}

void headerText(const Image& image, std::ostream& out) {
    out << "Header\n";
    out << "Last Word   " << hex4(readField(image, Field::LastWord)) << "\n";
    out << "Version    " << signedDecimal(readField(image, Field::VersionByte)) << "\n";
    out << "Size       " << signedDecimal(readField(image, Field::Size)) << "\n";
    out << "Modes      " << signedDecimal(readField(image, Field::Modes)) << "\n";
    out << "CW ID addr  " << hex4(readField(image, Field::CwIdAddr)) << "  CW end "
        << hex4(readField(image, Field::CwEnd)) << "  next area "
        << hex4(readField(image, Field::NextArea)) << "\n";
    out << "RF address  " << hex4(readField(image, Field::RfAddress)) << "\n";
    const HeaderView shown = displayedHeader(image);
    auto item = [&shown](Value list) { return shown.items[valueIndex(list)]; };
    const int idTimer = item(Value::IdTimer).value_or(0);
    out << "ID timer    " << (idTimer == 0 ? std::string("ALL TX") : std::to_string(idTimer) + " min")
        << "\n";
    out << "CW speed    " << cwSpeedItemText(item(Value::CwSpeed).value_or(0)) << " wpm\n";
    out << "Re-key delay       " << delayText(item(Value::RekeyDelay)) << "\n";
    out << "Tone start delay   " << delayText(item(Value::ToneStartDelay)) << "\n\n";
}

}  // namespace

void addShow(CLI::App& app, int& status) {
    auto* cmd = app.add_subcommand("show", "Decode an image as the editor shows it");
    struct Options {
        std::string file;
        std::string format = "text";
        ChannelOptions channels;
    };
    auto opt = std::make_shared<Options>();
    cmd->add_option("IMAGE", opt->file, "Image file")->required();
    cmd->add_option("--format", opt->format,
                    "text (a table of the channels, then the header and the CW messages), "
                    "json (the whole document) or csv (one row per channel)")
        ->transform(CLI::IsMember({"text", "json", "csv"}, CLI::ignore_case));
    addChannelOptions(cmd, opt->channels, "Show only these channels: a number, a range (5-8), tune, all, or a list (1,3,5-8)");
    cmd->footer("Exit status: 0 when the image could be read, whatever its checksum; 2 otherwise.");
    cmd->callback([opt, &status] {
        auto loaded = loadForCommand(opt->file);
        if (!loaded) {
            status = kUsage;
            return;
        }
        for (const auto& n : loaded->notices) std::cerr << opt->file << ": " << n << "\n";
        std::vector<int> numbers;
        if (!selectChannels(opt->channels, loaded->image, opt->file, true, numbers)) {
            status = kUsage;
            return;
        }
        const Band rxBand = bandOption(opt->channels.rxBand);
        const Band txBand = bandOption(opt->channels.txBand);
        const auto channels = decodeChannels(loaded->image, numbers, rxBand, txBand);
        // What is wrong with the file's size comes before anything its
        // bytes may show.
        std::vector<std::string> problems;
        if (const auto fault = sizeFault(fileSize(*loaded))) problems.push_back("The file is " + *fault);
        for (auto& p : layoutProblems(loaded->image)) problems.push_back(std::move(p));
        if (opt->format == "json") {
            auto doc = withItemTexts(showDocument(*loaded, channels));
            doc["problems"] = problems;
            std::cout << jsonText(doc) << "\n";
        } else if (opt->format == "csv") {
            channelsCsv(channels, std::cout);
        } else {
            fileText(*loaded, std::cout);
            channelsText(channels, rxBand, txBand, std::cout);
            std::cout << "\n";
            headerText(loaded->image, std::cout);
            showCwText(loaded->image, std::cout);
            for (const auto& p : problems) std::cout << "Problem: " << p << "\n";
        }
        status = kOk;
    });
}

}  // namespace quarnel::cli
