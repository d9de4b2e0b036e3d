// set: edits channels and header fields through the same model operations as the editor's
// handlers, in the order given, then saves the result to OUT. A refused edit
// writes nothing at all.
#include <algorithm>
#include <functional>
#include <iostream>
#include <limits>

#include "cli/channel_options.h"
#include "cli/commands.h"
#include "cli/edit_guard.h"
#include "cli/loaded.h"
#include "cli/set_edit.h"
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
    // The editor's entry box takes at most 7 digits; more would be cut
    // without a word.
    if (value.size() > 7 && value.find_first_not_of("0123456789") == std::string::npos)
        return refusal("\"" + value + "\" has more than 7 digits: the editor's entry takes at most 7");
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

// A check box's state: on or off, or yes or no as `show --format csv` writes it.
bool checkedValue(const std::string& value, bool& checked) {
    if (value != "on" && value != "off" && value != "yes" && value != "no") return false;
    checked = value == "on" || value == "yes";
    return true;
}

// rx-invert, tx-invert: on or off; the check box is enabled only with DPL.
EditOutcome setInvert(Image& image, std::size_t base, Direction d, const std::string& value,
                      const EditContext&) {
    bool checked = false;
    if (!checkedValue(value, checked)) return refusal("\"" + value + "\" is not on or off");
    if (codeType(image, base, d) != CodeType::Dpl)
        return refusal("Invert DPL applies only when the code type is DPL");
    return setInvertDpl(image, base, d, checked);
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
            bool checked = false;
            if (!checkedValue(text, checked)) return notInList(text, "on or off");
            return setCheckBox(image, base, value, checked);
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

std::string lowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

// Edits needed to turn one text into the other (insert, delete, replace).
std::size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t up = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = up;
        }
    }
    return row[b.size()];
}

struct Assignment {
    const SetField* field;
    std::string value;
};

int runSet(const std::string& file, const std::string& out, const ChannelOptions& options,
           const std::vector<std::string>& edits, bool force) {
    std::vector<Assignment> assignments;
    for (const auto& edit : edits) {
        const auto eq = edit.find('=');
        const std::string name = canonicalFieldName(edit.substr(0, eq));
        const SetField* field = setFieldOf(name);
        if (eq == std::string::npos || !field) {
            std::cerr << "quarnel-cli: " << file << ": " << edit.substr(0, eq) << ": ";
            if (eq == std::string::npos) {
                std::cerr << "expected FIELD=VALUE\n";
            } else {
                std::cerr << "no such field";
                const auto nearest = nearestSetFields(name);
                for (std::size_t i = 0; i < nearest.size(); ++i)
                    std::cerr << (i == 0 ? "; did you mean " : i + 1 == nearest.size() ? " or " : ", ")
                              << nearest[i];
                std::cerr << (nearest.empty() ? " (quarnel-cli set --help lists them)" : "?") << "\n";
            }
            return kUsage;
        }
        assignments.push_back({field, edit.substr(eq + 1)});
    }
    if (!outputIsNotInput(file, out)) return kUsage;
    auto loaded = loadForCommand(file);
    if (!loaded) return kUsage;
    for (const auto& n : loaded->notices) std::cerr << file << ": " << n << "\n";
    if (!inputMayBeEdited(*loaded, force)) return kRefused;
    Image& image = loaded->image;
    std::vector<int> channels;
    if (!selectChannels(options, image, file, false, channels)) return kUsage;

    // "all" of no channels would edit nothing and still report a save.
    for (const auto& a : assignments) {
        if (!a.field->row->header() && channels.empty()) {
            std::cerr << "quarnel-cli: " << file << ": " << a.field->row->key
                      << ": the image has no channels (Modes is 0): nothing to edit\n";
            return kRefused;
        }
    }
    const Band rxBand = bandOption(options.rxBand), txBand = bandOption(options.txBand);
    for (const auto& a : assignments) {
        // A header field is edited once, whatever the channels.
        const std::vector<int> targets = a.field->row->header() ? std::vector<int>{0} : channels;
        for (int n : targets) {
            const std::string refusal = applySetEdit(image, a.field->row->key, n, a.value, rxBand, txBand);
            if (!refusal.empty()) {
                std::cerr << "quarnel-cli: " << file << ": "
                          << (a.field->row->header() ? "" : "channel " + std::to_string(n) + ": ")
                          << a.field->row->key << ": " << refusal << "\n";
                return kRefused;
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
           "hold exits 3; nothing is written then. An image whose stored checksum is wrong is\n"
           "refused (exit 3) unless --force is given.";
}

}  // namespace

std::string canonicalFieldName(const std::string& name) {
    std::string out = lowerCase(name);
    for (std::size_t at; (at = out.find("auxiliary")) != std::string::npos;) out.replace(at, 9, "auxilary");
    return out;
}

std::vector<std::string> nearestSetFields(const std::string& name) {
    std::vector<std::pair<std::size_t, std::string>> scored;
    for (const ValueSpec& row : valueTable()) {
        const std::string known = row.key;
        // A name that holds the typed word ("carrier"), or whose last part
        // is close to it ("carier"), is as close as a typo in the whole name.
        const bool part = name.size() >= 3 && known.find(name) != std::string::npos;
        const std::string last = known.substr(known.find('.') == std::string::npos ? 0 : known.find('.') + 1);
        const std::size_t distance =
            part ? 1 : std::min(editDistance(name, known), editDistance(name, last) + 1);
        if (distance <= std::max<std::size_t>(2, name.size() / 3)) scored.emplace_back(distance, known);
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
    std::vector<std::string> out;
    for (const auto& [distance, known] : scored)
        if (out.size() < 3 && distance <= scored.front().first + 1) out.push_back(known);
    return out;
}

std::string applySetEdit(Image& image, const std::string& name, int channel, const std::string& value,
                         Band rxBand, Band txBand) {
    const SetField* field = setFieldOf(name);
    if (!field) return "no such field";
    const EditContext context{rxBand, txBand};
    const std::string typed = lowerCase(value);
    if (field->row->header()) {
        const EditOutcome outcome = field->apply(image, 0, typed, context);
        return outcome.done() ? "" : outcome.refusal;
    }
    const ChannelLocation location = channelBase(image, channel);
    if (!location.ok()) return layoutErrorText(location.error, channel);
    const EditOutcome outcome = field->apply(image, location.base, typed, context);
    if (!outcome.done()) return outcome.refusal;
    if (outcome.redisplay) {
        // The editor shows the channel again after this edit; the display
        // rewrites TX Priority as it always does.
        ChannelViewRequest request;
        request.channel = channel;
        request.rxBand = rxBand;
        request.txBand = txBand;
        displayChannel(image, request);
    }
    return "";
}

void addSet(CLI::App& app, int& status) {
    auto* cmd = app.add_subcommand("set", "Edit fields as the editor does and save the result to OUT");
    struct Options {
        std::string file;
        std::string out;
        ChannelOptions channels;
        std::vector<std::string> edits;
        bool force = false;
    };
    auto opt = std::make_shared<Options>();
    cmd->add_option("IMAGE", opt->file, "Image file (never changed)")->required();
    cmd->add_option("-o,--output", opt->out, "Where to save the edited image")->required();
    addChannelOptions(cmd, opt->channels,
                      "Channels to edit: a number, a range (5-8), tune, all, or a list (1,3,5-8); default 1");
    addForceOption(cmd, opt->force);
    cmd->add_option("FIELD=VALUE", opt->edits, "Edits, applied in the order given")->required();
    cmd->footer(fieldsHelp());
    cmd->callback([opt, &status] {
        status = runSet(opt->file, opt->out, opt->channels, opt->edits, opt->force);
    });
}

}  // namespace quarnel::cli
