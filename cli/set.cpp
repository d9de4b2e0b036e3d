// set: edits channels through the same model operations as the editor's
// handlers, in the order given, then saves the result to OUT. A refused edit
// writes nothing at all.
#include <filesystem>
#include <functional>
#include <iostream>
#include <limits>

#include "cli/channel_options.h"
#include "cli/commands.h"
#include "cli/loaded.h"
#include "model/channel_view.h"
#include "model/edits.h"
#include "model/layout.h"

namespace quarnel::cli {

namespace {

struct EditContext {
    Band rxBand;
    Band txBand;
    Band band(Direction d) const { return d == Direction::Receive ? rxBand : txBand; }
};

EditOutcome refusal(std::string why) {
    EditOutcome out;
    out.status = EditStatus::Refused;
    out.refusal = std::move(why);
    return out;
}

// A frequency in MHz with up to six decimals ("448.85", "448.80625") in hertz.
bool parseMegahertz(const std::string& text, std::uint32_t& hz) {
    const auto point = text.find('.');
    const std::string whole = text.substr(0, point);
    const std::string frac = text.substr(point + 1);
    if (whole.empty() || whole.size() > 4 || frac.size() > 6) return false;
    if ((whole + frac).find_first_not_of("0123456789") != std::string::npos) return false;
    const std::uint64_t value =
        std::stoull(whole) * 1000000u + (frac.empty() ? 0 : std::stoull(frac + std::string(6 - frac.size(), '0')));
    if (value > std::numeric_limits<std::uint32_t>::max()) return false;
    hz = static_cast<std::uint32_t>(value);
    return true;
}

// rx, tx, idle: digits as typed into the editor's entry box, or MHz.
EditOutcome setFrequency(Image& image, std::size_t base, Direction d, const std::string& value,
                         const EditContext& context) {
    if (value.find('.') != std::string::npos) {
        std::uint32_t hz = 0;
        if (!parseMegahertz(value, hz))
            return refusal("\"" + value + "\" is not a frequency in MHz with at most six decimals");
        return storeFrequency(image, base, d, context.band(d), hz);
    }
    EditOutcome out = commitFrequencyEntry(image, base, d, context.band(d), value);
    if (out.status == EditStatus::Abandoned)
        return refusal("\"" + value + "\" has fewer than 5 digits: the editor abandons such an entry");
    return out;
}

// rx-code, tx-code: carrier, pl:TONE, dpl:CODE. PL and DPL change the code
// type first only when it differs, as a user picking from the open list would.
EditOutcome setCode(Image& image, std::size_t base, Direction d, const std::string& value,
                    const EditContext&) {
    if (value == "carrier") return chooseCodeType(image, base, d, CodeType::Carrier);
    const auto colon = value.find(':');
    const std::string kind = value.substr(0, colon);
    const std::string code = colon == std::string::npos ? std::string() : value.substr(colon + 1);
    CodeType type;
    int index = 0;
    if (kind == "pl") {
        type = CodeType::Pl;
        index = toneIndexOfText(code);
        if (index == 0) return refusal("\"" + code + "\" is not a tone of the PL list");
    } else if (kind == "dpl") {
        type = CodeType::Dpl;
        index = dplIndexOfText(code);
        if (index == 0) return refusal("\"" + code + "\" is not a code of the DPL list");
    } else {
        return refusal("\"" + value + "\" is not carrier, pl:TONE or dpl:CODE");
    }
    EditOutcome out;
    if (codeType(image, base, d) != type) {
        out = chooseCodeType(image, base, d, type);
        if (!out.done()) return out;
    }
    EditOutcome chosen = chooseCodeItem(image, base, d, type, index - 1);
    chosen.redisplay = chosen.redisplay || out.redisplay;
    return chosen;
}

// rx-invert, tx-invert: on or off; the check box is enabled only with DPL.
EditOutcome setInvert(Image& image, std::size_t base, Direction d, const std::string& value,
                      const EditContext&) {
    if (value != "on" && value != "off") return refusal("\"" + value + "\" is not on or off");
    if (codeType(image, base, d) != CodeType::Dpl)
        return refusal("Invert DPL applies only when the code type is DPL");
    return setInvertDpl(image, base, d, value == "on");
}

using Setter = std::function<EditOutcome(Image&, std::size_t, Direction, const std::string&,
                                         const EditContext&)>;

struct ChannelField {
    const char* name;
    Direction direction;
    Setter apply;
};

const std::vector<ChannelField>& channelFields() {
    static const std::vector<ChannelField> fields = {
        {"rx", Direction::Receive, setFrequency},
        {"tx", Direction::Transmit, setFrequency},
        {"idle", Direction::Idle, setFrequency},
        {"rx-code", Direction::Receive, setCode},
        {"tx-code", Direction::Transmit, setCode},
        {"rx-invert", Direction::Receive, setInvert},
        {"tx-invert", Direction::Transmit, setInvert},
    };
    return fields;
}

struct Assignment {
    const ChannelField* field;
    std::string value;
};

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

int runSet(const std::string& file, const std::string& out, const ChannelOptions& options,
           const std::vector<std::string>& edits) {
    std::vector<Assignment> assignments;
    for (const auto& edit : edits) {
        const auto eq = edit.find('=');
        const std::string name = edit.substr(0, eq);
        const ChannelField* field = nullptr;
        for (const auto& f : channelFields())
            if (name == f.name) field = &f;
        if (eq == std::string::npos || !field) {
            std::cerr << "quarnel-cli: " << file << ": " << name << ": "
                      << (eq == std::string::npos ? "expected FIELD=VALUE" : "no such field") << "\n";
            return kUsage;
        }
        assignments.push_back({field, edit.substr(eq + 1)});
    }
    if (sameFile(file, out)) {
        std::cerr << "quarnel-cli: " << out << ": is the input image, which is never changed\n";
        return kUsage;
    }
    auto loaded = loadForCommand(file);
    if (!loaded) return kUsage;
    for (const auto& n : loaded->notices) std::cerr << file << ": " << n << "\n";
    Image& image = loaded->image;
    std::vector<int> channels;
    if (!selectChannels(options, image, file, false, channels)) return kUsage;

    const EditContext context{bandOption(options.rxBand), bandOption(options.txBand)};
    for (const auto& a : assignments) {
        for (int n : channels) {
            const std::string where = "quarnel-cli: " + file + ": channel " + std::to_string(n) + ": " +
                                      a.field->name + ": ";
            const ChannelLocation location = channelBase(image, n);
            if (!location.ok()) {
                std::cerr << where << layoutErrorText(location.error, n) << "\n";
                return kRefused;
            }
            const EditOutcome outcome = a.field->apply(image, location.base, a.field->direction, a.value, context);
            if (!outcome.done()) {
                std::cerr << where << outcome.refusal << "\n";
                return kRefused;
            }
            if (outcome.redisplay) {
                // The editor shows the channel again after this edit; the
                // display rewrites TX Priority as it always does.
                ChannelViewRequest request;
                request.channel = n;
                request.rxBand = context.rxBand;
                request.txBand = context.txBand;
                displayChannel(image, request);
            }
        }
    }
    return saveForCommand(image, out);
}

}  // namespace

void addSet(CLI::App& app, int& status) {
    auto* cmd = app.add_subcommand("set", "Edit channel fields as the editor does and save the result");
    struct Options {
        std::string file;
        std::string out;
        ChannelOptions channels;
        std::vector<std::string> edits;
    };
    auto opt = std::make_shared<Options>();
    cmd->add_option("IMAGE", opt->file, "Image file (never changed)")->required();
    cmd->add_option("-o,--output", opt->out, "Where to save the edited image")->required();
    addChannelOptions(cmd, opt->channels, "Channel to edit: a number or all (default 1)");
    cmd->add_option("FIELD=VALUE", opt->edits,
                    "rx|tx|idle=DIGITS or MHz, rx-code|tx-code=carrier|pl:TONE|dpl:CODE, "
                    "rx-invert|tx-invert=on|off")
        ->required();
    cmd->callback([opt, &status] { status = runSet(opt->file, opt->out, opt->channels, opt->edits); });
}

}  // namespace quarnel::cli
