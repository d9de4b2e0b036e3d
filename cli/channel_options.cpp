#include "cli/channel_options.h"

#include <iostream>

#include "model/layout.h"

namespace quarnel::cli {

void addChannelOptions(CLI::App* cmd, ChannelOptions& options, const std::string& channelHelp) {
    cmd->add_option("--channel", options.channel, channelHelp);
    addBandOptions(cmd, options);
}

void addBandOptions(CLI::App* cmd, ChannelOptions& options) {
    cmd->add_option("--rx-band", options.rxBand, "Receive band: vhf, uhf (default) or 800")
        ->check(CLI::IsMember({"vhf", "uhf", "800"}));
    cmd->add_option("--tx-band", options.txBand, "Transmit and idle band: vhf, uhf (default) or 800")
        ->check(CLI::IsMember({"vhf", "uhf", "800"}));
}

Band bandOption(const std::string& name) {
    if (name == "vhf") return Band::Vhf;
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
    int n = 0;
    const bool digits = !text.empty() && text.size() <= 4 &&
                        text.find_first_not_of("0123456789") == std::string::npos;
    if (digits) n = std::stoi(text);
    if (!digits || n < 1 || n > modes) {
        std::cerr << "quarnel-cli: " << file << ": there is no channel " << text << " (the image has "
                  << modes << (modes == 1 ? " channel" : " channels") << ")\n";
        return false;
    }
    channels.push_back(n);
    return true;
}

}  // namespace quarnel::cli
