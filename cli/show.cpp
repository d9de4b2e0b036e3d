// show: the header (and, as the model grows, every channel and CW message) as
// the editor would display it, as readable text or as JSON.
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/loaded.h"
#include "cli/show_cw.h"
#include "cli/show_channels.h"
#include "model/layout.h"

namespace quarnel::cli {

namespace {

using Json = nlohmann::ordered_json;

Json itemOrNull(int item) { return item < 0 ? Json(nullptr) : Json(item); }

Json headerJson(const Image& image) {
    Json h;
    h["last_word"] = readField(image, Field::LastWord);
    h["version"] = readField(image, Field::VersionByte);
    h["size"] = readField(image, Field::Size);
    h["modes"] = readField(image, Field::Modes);
    h["cw_id_addr"] = readField(image, Field::CwIdAddr);
    h["cw_end"] = readField(image, Field::CwEnd);
    h["next_area"] = readField(image, Field::NextArea);
    h["rf_address"] = readField(image, Field::RfAddress);
    h["id_timer_item"] = itemOrNull(idTimerItem(image));
    h["cw_speed_item"] = itemOrNull(cwSpeedItem(image));
    h["rekey_delay_item"] = itemOrNull(rekeyDelayItem(image));
    h["tone_start_delay_item"] = itemOrNull(toneStartDelayItem(image));
    return h;
}

Json showJson(const LoadedImage& loaded, const std::vector<ChannelView>& channels) {
    const LoadOutcome& o = loaded.outcome;
    Json doc;
    doc["file"] = loaded.file;
    doc["bytes_read"] = o.bytesRead;
    doc["too_large"] = o.tooLarge;
    doc["checksum"] = {{"stored", o.stored}, {"computed", o.computed}, {"ok", o.checksumOk}};
    doc["header"] = headerJson(loaded.image);
    addCwJson(doc, loaded.image);
    doc["channels"] = channelsJson(channels);
    doc["problems"] = layoutProblems(loaded.image);
    return doc;
}

std::string delayText(int item) {
    return item < 0 ? std::string("(none)") : std::to_string(delayItemMilliseconds(item)) + " ms";
}

void showText(const LoadedImage& loaded, std::ostream& out) {
    const Image& image = loaded.image;
    const LoadOutcome& o = loaded.outcome;
    out << "File        " << loaded.file << " (" << o.bytesRead << " bytes"
        << (o.tooLarge ? ", larger than 4096" : "") << ")\n";
    out << "Checksum    " << hex4(o.stored)
        << (o.checksumOk ? " ok" : " BAD, computed " + hex4(o.computed)) << "\n";
    out << "Last Word   " << hex4(readField(image, Field::LastWord)) << "\n";
    out << "Version    " << signedDecimal(readField(image, Field::VersionByte)) << "\n";
    out << "Size       " << signedDecimal(readField(image, Field::Size)) << "\n";
    out << "Modes      " << signedDecimal(readField(image, Field::Modes)) << "\n";
    out << "CW ID addr  " << hex4(readField(image, Field::CwIdAddr)) << "  CW end "
        << hex4(readField(image, Field::CwEnd)) << "  next area "
        << hex4(readField(image, Field::NextArea)) << "\n";
    out << "RF address  " << hex4(readField(image, Field::RfAddress)) << "\n";
    const int idTimer = idTimerItem(image);
    out << "ID timer    " << (idTimer == 0 ? std::string("ALL TX") : std::to_string(idTimer) + " min")
        << "\n";
    out << "CW speed    " << cwSpeedItemText(cwSpeedItem(image)) << " wpm\n";
    out << "Re-key delay       " << delayText(rekeyDelayItem(image)) << "\n";
    out << "Tone start delay   " << delayText(toneStartDelayItem(image)) << "\n";
    showCwText(image, out);
    for (const auto& p : layoutProblems(image)) out << "Problem: " << p << "\n";
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
    cmd->add_option("--format", opt->format, "Output format")
        ->check(CLI::IsMember({"text", "json", "csv"}));
    addChannelOptions(cmd, opt->channels, "Show only channel N");
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
        if (opt->format == "json") {
            std::cout << showJson(*loaded, channels).dump(2) << "\n";
        } else if (opt->format == "csv") {
            channelsCsv(channels, std::cout);
        } else {
            showText(*loaded, std::cout);
            channelsText(channels, rxBand, txBand, std::cout);
        }
        status = kOk;
    });
}

}  // namespace quarnel::cli
