#include "cli/channel_options.h"

#include <algorithm>
#include <iostream>

#include "model/layout.h"

namespace quarnel::cli {

void addChannelOptions(CLI::App* cmd, ChannelOptions& options, const std::string& channelHelp) {
    cmd->add_option("--channel", options.channel, channelHelp);
    addBandOptions(cmd, options);
}

void addBandOptions(CLI::App* cmd, ChannelOptions& options) {
    cmd->add_option("--rx-band", options.rxBand, "Receive band: vhf, uhf (default) or 800")
        ->transform(CLI::IsMember({"vhf", "uhf", "800"}, CLI::ignore_case));
    cmd->add_option("--tx-band", options.txBand, "Transmit and idle band: vhf, uhf (default) or 800")
        ->transform(CLI::IsMember({"vhf", "uhf", "800"}, CLI::ignore_case));
}

Band bandOption(const std::string& name) {
    if (name == "vhf" || name == "VHF") return Band::Vhf;
    if (name == "800") return Band::Band800;
    return Band::Uhf;
}

bool selectChannels(const ChannelOptions& options, const Image& image, const std::string& file,
                    bool allByDefault, std::vector<int>& channels) {
    const int modes = static_cast<int>(readField(image, Field::Modes));
    channels.clear();
    if (options.channel == "all" || (options.channel.empty() && allByDefault)) {
        for (int n = 1; n <= modes; ++n) channels.push_back(n);
        return true;
    }
    const std::string& text = options.channel.empty() ? std::string("1") : options.channel;
    std::string wrong;
    if (!channelList(text, modes, channels, wrong)) {
        std::cerr << "quarnel-cli: " << file << ": there is no channel " << wrong << " (the image has "
                  << modes << (modes == 1 ? " channel" : " channels") << ")\n";
        return false;
    }
    return true;
}

bool channelList(const std::string& text, int modes, std::vector<int>& channels, std::string& wrong) {
    channels.clear();
    auto number = [](const std::string& s, int& n) {
        if (s.empty() || s.size() > 4 || s.find_first_not_of("0123456789") != std::string::npos) return false;
        n = std::stoi(s);
        return true;
    };
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        std::string part = text.substr(start, comma - start);
        start = comma + 1;
        for (char& c : part)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        int first = 0, last = 0;
        const auto dash = part.find('-');
        bool ok = true;
        if (part == "all") {
            first = 1;
            last = modes;
            ok = modes >= 1;
        } else if (part == "tune") {
            first = last = modes;
        } else if (dash != std::string::npos) {
            ok = number(part.substr(0, dash), first) && number(part.substr(dash + 1), last) && first <= last;
        } else {
            ok = number(part, first);
            last = first;
        }
        if (!ok || first < 1 || last > modes) {
            wrong = part;
            channels.clear();
            return false;
        }
        for (int n = first; n <= last; ++n)
            if (std::find(channels.begin(), channels.end(), n) == channels.end()) channels.push_back(n);
    }
    std::sort(channels.begin(), channels.end());
    return true;
}

}  // namespace quarnel::cli
