// set: edits channels and header fields through the same model operations as the editor's
// handlers, in the order given, then saves the result to OUT. A refused edit
// writes nothing at all.
#include <functional>
#include <iostream>
#include <limits>

#include "cli/channel_options.h"
#include "cli/commands.h"
#include "cli/loaded.h"
#include "model/channel_view.h"
#include "model/edits.h"
#include "model/layout.h"
#include "model/text_forms.h"

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

// ---- Values of the option and list fields -----------------------------------

// A whole number of at most six digits, no sign.
bool parseCount(const std::string& text, int& value) {
    if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    value = std::stoi(text);
    return true;
}

EditOutcome notInList(const std::string& value, const std::string& list) {
    return refusal("\"" + value + "\" is not " + list);
}

// The item of a drop-down for a value as the user names it; false when the
// value is not in the list.
using ItemParser = std::function<bool(const std::string& value, int& item)>;

bool timeoutItem(const std::string& value, int& item) {
    int seconds = 0;
    if (value == "none") {
        item = 0;
        return true;
    }
    if (!parseCount(value, seconds) || seconds % 15 != 0 || seconds > 15 * 31) return false;
    item = seconds / 15;
    return true;
}

bool dropoutItemOf(const std::string& value, int& item) {
    if (value == "none") {
        item = 0;
        return true;
    }
    return parseCount(value, item) && item <= 7;
}

bool messageItem(const std::string& value, int& item) { return parseCount(value, item); }

bool speedItem(const std::string& value, int& item) {
    if (value == "<1") item = 0;
    else if (value == ">32") item = kSpeedItems - 1;
    else if (!parseCount(value, item) || item < 1 || item > 32) return false;
    return true;
}

bool idTimerItemOf(const std::string& value, int& item) {
    if (value == "all") {
        item = 0;
        return true;
    }
    return parseCount(value, item) && item >= 1 && item <= 31;
}

bool delayItem(const std::string& value, int& item) {
    int ms = 0;
    if (!parseCount(value, ms) || ms < 240 || ms % 240 != 0 || ms / 240 > kDelayItems) return false;
    item = ms / 240 - 1;
    return true;
}

bool levelOf(const std::string& value, int& level) {
    static const char* const names[] = {"disabled", "highest", "middle", "lowest"};
    for (int l = 0; l < 4; ++l)
        if (value == names[l]) {
            level = l;
            return true;
        }
    return false;
}

using Setter = std::function<EditOutcome(Image&, std::size_t, const std::string&, const EditContext&)>;

// How `set` reads a drop-down's value, list by list, and the value forms its
// help shows.
struct ListReading {
    ItemParser parse;
    std::string expected;  // for refusals: "\"x\" is not <expected>"
    const char* forms;     // for the help
};

ListReading listReading(ChoiceList list) {
    switch (list) {
    case ChoiceList::Timer:
        return {timeoutItem, "a time-out: none or a multiple of 15 seconds up to 465",
                "none|15..465 (a multiple of 15 s)"};
    case ChoiceList::Dropout:
        return {dropoutItemOf, "a drop-out delay: none or 0 to 7 seconds", "none|0..7 (seconds)"};
    case ChoiceList::CwMessage:
        return {messageItem, "a message index", "K (message index, 0 = first)"};
    case ChoiceList::CwSpeed:
        return {speedItem, "a CW speed: <1, 1 to 32 or >32", "<1|1..32|>32 (words per minute)"};
    case ChoiceList::IdTimer:
        return {idTimerItemOf, "an ID timer: all or 1 to 31 minutes", "all|1..31 (minutes)"};
    case ChoiceList::Delay:
        return {delayItem, "a delay: 240 to 15360 ms in steps of 240", "240..15360 (ms, steps of 240)"};
    }
    return {};
}

const char* const kOnOff = "on|off";

// What `set` does with a value of each kind, and the value forms of its help.
Setter setterOf(const ValueSpec& row) {
    const Value value = row.value;
    const Direction d = row.direction;
    switch (row.kind) {
    case ValueKind::Frequency:
        return [d](Image& image, std::size_t base, const std::string& text, const EditContext& context) {
            return setFrequency(image, base, d, text, context);
        };
    case ValueKind::Code:
        return [d](Image& image, std::size_t base, const std::string& text, const EditContext& context) {
            return setCode(image, base, d, text, context);
        };
    case ValueKind::Bit:
        if (row.invertsDpl())
            return [d](Image& image, std::size_t base, const std::string& text, const EditContext& context) {
                return setInvert(image, base, d, text, context);
            };
        return [value](Image& image, std::size_t base, const std::string& text, const EditContext&) {
            if (text != "on" && text != "off") return notInList(text, "on or off");
            return setCheckBox(image, base, value, text == "on");
        };
    case ValueKind::Priority:
        return [path = row.path](Image& image, std::size_t base, const std::string& text, const EditContext&) {
            int level = 0;
            if (!levelOf(text, level)) return notInList(text, "highest, middle, lowest or disabled");
            return choosePriority(image, base, path, level);
        };
    case ValueKind::Choice:
    case ValueKind::Timer:
        return [value, reading = listReading(row.list)](Image& image, std::size_t base,
                                                         const std::string& text, const EditContext&) {
            int item = 0;
            if (!reading.parse(text, item)) return notInList(text, reading.expected);
            return chooseDropDownItem(image, base, value, item);
        };
    }
    return {};
}

const char* valueForms(const ValueSpec& row) {
    switch (row.kind) {
    case ValueKind::Frequency: return "DIGITS as typed (4488500) or MHz (448.85)";
    case ValueKind::Code: return "carrier|pl:TONE|dpl:CODE";
    case ValueKind::Bit: return kOnOff;
    case ValueKind::Priority: return "highest|middle|lowest|disabled";
    case ValueKind::Choice:
    case ValueKind::Timer: return listReading(row.list).forms;
    }
    return "";
}

// Every value of the value table, under its key.
struct SetField {
    const ValueSpec* row;
    Setter apply;
};

const std::vector<SetField>& setFields() {
    static const std::vector<SetField> fields = [] {
        std::vector<SetField> out;
        for (const ValueSpec& row : valueTable()) out.push_back({&row, setterOf(row)});
        return out;
    }();
    return fields;
}

const SetField* setFieldOf(const std::string& name) {
    const ValueSpec* row = valueOfKey(name);
    if (!row) return nullptr;
    return &setFields()[valueIndex(row->value)];
}

struct Assignment {
    const SetField* field;
    std::string value;
};

int runSet(const std::string& file, const std::string& out, const ChannelOptions& options,
           const std::vector<std::string>& edits) {
    std::vector<Assignment> assignments;
    for (const auto& edit : edits) {
        const auto eq = edit.find('=');
        const std::string name = edit.substr(0, eq);
        const SetField* field = setFieldOf(name);
        if (eq == std::string::npos || !field) {
            std::cerr << "quarnel-cli: " << file << ": " << name << ": "
                      << (eq == std::string::npos ? "expected FIELD=VALUE" : "no such field") << "\n";
            return kUsage;
        }
        assignments.push_back({field, edit.substr(eq + 1)});
    }
    if (!outputIsNotInput(file, out)) return kUsage;
    auto loaded = loadForCommand(file);
    if (!loaded) return kUsage;
    for (const auto& n : loaded->notices) std::cerr << file << ": " << n << "\n";
    Image& image = loaded->image;
    std::vector<int> channels;
    if (!selectChannels(options, image, file, false, channels)) return kUsage;

    const EditContext context{bandOption(options.rxBand), bandOption(options.txBand)};
    for (const auto& a : assignments) {
        const char* key = a.field->row->key;
        if (a.field->row->header()) {
            const EditOutcome outcome = a.field->apply(image, 0, a.value, context);
            if (!outcome.done()) {
                std::cerr << "quarnel-cli: " << file << ": " << key << ": " << outcome.refusal
                          << "\n";
                return kRefused;
            }
            continue;
        }
        for (int n : channels) {
            const std::string where = "quarnel-cli: " + file + ": channel " + std::to_string(n) + ": " +
                                      key + ": ";
            const ChannelLocation location = channelBase(image, n);
            if (!location.ok()) {
                std::cerr << where << layoutErrorText(location.error, n) << "\n";
                return kRefused;
            }
            const EditOutcome outcome = a.field->apply(image, location.base, a.value, context);
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
    const int status = saveForCommand(image, out);
    if (status == kOk)
        std::cout << out << ": saved, checksum " << hex4(readField(image, Field::Checksum)) << "\n";
    return status;
}

std::string fieldsHelp() {
    std::string text = "Fields (channel fields apply to --channel, header fields to the whole image):\n";
    for (const ValueSpec& row : valueTable()) {
        std::string name = std::string("  ") + row.key;
        name.resize(30, ' ');
        text += name + valueForms(row) + (row.header() ? "  [header]" : "") + "\n";
    }
    return text +
           "auxiliary is taken for auxilary. A value not in its list, an unknown tone or DPL\n"
           "code, a message index beyond the message count or a frequency the radio cannot\n"
           "hold exits 3; nothing is written then.";
}

}  // namespace

void addSet(CLI::App& app, int& status) {
    auto* cmd = app.add_subcommand("set", "Edit fields as the editor does and save the result to OUT");
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
    cmd->add_option("FIELD=VALUE", opt->edits, "Edits, applied in the order given")->required();
    cmd->footer(fieldsHelp());
    cmd->callback([opt, &status] { status = runSet(opt->file, opt->out, opt->channels, opt->edits); });
}

}  // namespace quarnel::cli
