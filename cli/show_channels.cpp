#include "cli/show_channels.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <iterator>
#include <string>

#include "model/choices.h"
#include "model/values.h"
#include "model/text_forms.h"

namespace quarnel::cli {

namespace {

using Json = nlohmann::ordered_json;

Json itemJson(const std::optional<int>& item) { return item ? Json(*item) : Json(nullptr); }

// The caption of the code-type option ("Carrier", "PL", "DPL").
const char* codeTypeCaption(CodeType type) {
    switch (type) {
    case CodeType::Carrier: return "Carrier";
    case CodeType::Pl: return "PL";
    case CodeType::Dpl: return "DPL";
    }
    return "Carrier";
}

// The JSON form of a code type: its caption in small letters.
std::string codeTypeKey(CodeType type) {
    std::string key = codeTypeCaption(type);
    for (char& c : key) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

// The objects of a channel, in the order the JSON document has them.
const char* const kChannelObjects[] = {"rx",           "tx",       "idle",   "rx_control",
                                       "repeater_activate", "repeater_hold", "priority",
                                       "timers",       "id",       "alarms", "audio"};

// `value` at the dotted `path` below `j`.
void put(Json& j, const std::string& path, Json value) {
    const auto dot = path.find('.');
    if (dot == std::string::npos) {
        j[path] = std::move(value);
        return;
    }
    put(j[path.substr(0, dot)], path.substr(dot + 1), std::move(value));
}

std::string lastKey(const std::string& path) { return path.substr(path.rfind('.') + 1); }

// The priority rows in the order TX Priority stores the paths (repeater,
// local, wireline), which is the order of the JSON object.
std::vector<const ValueSpec*> priorityRowsByBits() {
    std::vector<const ValueSpec*> rows;
    for (const ValueSpec& row : valueTable())
        if (row.kind == ValueKind::Priority) rows.push_back(&row);
    std::stable_sort(rows.begin(), rows.end(), [](const ValueSpec* a, const ValueSpec* b) {
        return fieldSpec(a->fields[0]).shift < fieldSpec(b->fields[0]).shift;
    });
    return rows;
}

void priorityJson(Json& c, const ChannelView& v) {
    for (const ValueSpec* row : priorityRowsByBits()) put(c, row->json, v.priority.level(row->path));
    Json conflict = Json::array();
    for (const ValueSpec& row : valueTable())
        if (row.kind == ValueKind::Priority && v.priority.conflict(row.path)) conflict.push_back(lastKey(row.json));
    put(c, "priority.conflict", conflict);
}

void valueJson(Json& c, const ChannelView& v, const ValueSpec& row) {
    switch (row.kind) {
    case ValueKind::Frequency: {
        const FrequencyView& f = v.frequency(row.direction);
        Json& j = c[row.json];
        j["hz"] = f.hz;
        j["text"] = f.text;
        j["reference"] = f.reference;
        j["reference_text"] = f.referenceText;
        return;
    }
    case ValueKind::Code: {
        const CodeView& code = v.code(row.direction);
        c[row.json]["code_type"] = codeTypeKey(code.type);
        c[row.json]["code_item"] = itemJson(code.item);
        return;
    }
    case ValueKind::Bit: put(c, row.json, v.checked(row.value)); return;
    case ValueKind::Choice:
    case ValueKind::Timer: put(c, row.json, itemJson(v.item(row.value))); return;
    case ValueKind::Priority:
        // The first priority row writes the whole object.
        if (c["priority"].empty()) priorityJson(c, v);
        return;
    }
}

Json channelJson(const ChannelView& v) {
    Json c;
    c["number"] = v.channel;
    c["tune"] = v.tuneChannel;
    c["base"] = v.base;
    c["title"] = v.title;
    for (const char* object : kChannelObjects) c[object] = Json::object();
    for (const ValueSpec& row : valueTable())
        if (!row.header()) valueJson(c, v, row);
    Json notices = Json::array();
    for (const auto& n : channelNotices(v)) notices.push_back(n);
    c["notices"] = notices;
    return c;
}

// ---- CSV -------------------------------------------------------------------------

std::string csvField(const std::string& text) {
    const bool quote = text.find_first_of(",\"\r\n") != std::string::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

// ---- Text table -------------------------------------------------------------

std::string codeText(const CodeView& c) {
    switch (c.type) {
    case CodeType::Carrier: return "Carrier";
    case CodeType::Pl: {
        if (!c.item) return "PL ?";
        std::string tone = toneText(*c.item + 1);
        while (!tone.empty() && tone.back() == ' ') tone.pop_back();
        return "PL " + tone;
    }
    case CodeType::Dpl:
        return std::string("DPL ") + (c.item ? dplCodeText(*c.item + 1) : "?") + (c.inverted ? " inv" : "");
    }
    return "";
}

// The check boxes of one group ("rx_control", "id", ...): each box's letter
// when checked, '-' when not.
std::string flags(const ChannelView& v, const std::string& group) {
    std::string out;
    for (const ValueSpec& row : valueTable())
        if (row.kind == ValueKind::Bit && std::string(row.json).rfind(group + ".", 0) == 0)
            out += v.checked(row.value) ? row.letter : '-';
    return out;
}

std::string priorityText(const ChannelView& v) {
    std::string out;
    for (const ValueSpec& row : valueTable()) {
        if (row.kind != ValueKind::Priority) continue;
        out += (out.empty() ? "" : " ") + std::string(1, row.letter) +
               std::to_string(v.priority.level(row.path)) + (v.priority.conflict(row.path) ? "!" : "");
    }
    return out;
}

std::string timeoutText(int item) { return item == 0 ? "-" : std::to_string(timeoutItemSeconds(item)); }

// The transmit time-outs, "/" between them.
std::string timeoutsText(const ChannelView& v) {
    std::string out;
    for (const ValueSpec& row : valueTable())
        if (row.kind == ValueKind::Timer) out += (out.empty() ? "" : "/") + timeoutText(v.item(row.value).value_or(0));
    return out;
}

// ---- CSV columns: the values as the editor's controls show them -----------

std::string yesNo(bool on) { return on ? "yes" : "no"; }

// The tone or code drop-down's selection: empty for Carrier and for a code
// the tables do not hold (the channel's notices then name it).
std::string codeItemText(const CodeView& c) {
    if (!c.item) return "";
    switch (c.type) {
    case CodeType::Carrier: return "";
    case CodeType::Pl: return trimmed(toneText(*c.item + 1));
    case CodeType::Dpl: return dplCodeText(*c.item + 1);
    }
    return "";
}

std::string conflictText(const ChannelView& v) {
    std::string out;
    for (const ValueSpec& row : valueTable())
        if (row.kind == ValueKind::Priority && v.priority.conflict(row.path))
            out += (out.empty() ? "" : "; ") + std::string(row.caption);
    return out;
}

std::string callsignText(const ChannelView& v, const std::optional<int>& item) {
    const auto& messages = v.header.cwMessages;
    if (!item || *item < 0 || static_cast<std::size_t>(*item) >= messages.size()) return "";
    return messages[static_cast<std::size_t>(*item)];
}

std::string noticesText(const ChannelView& v) {
    std::string out;
    for (const auto& n : channelNotices(v)) out += (out.empty() ? "" : "; ") + n;
    return out;
}

// One CSV column: its name and its text for a channel.
struct CsvCell {
    std::string column;
    std::string text;
};

// The columns a value gives, in table order; the priority rows are followed
// by the conflict column.
void valueCells(const ChannelView& v, const ValueSpec& row, std::vector<CsvCell>& out) {
    const std::string column = row.column;
    switch (row.kind) {
    case ValueKind::Frequency: {
        const FrequencyView& f = v.frequency(row.direction);
        out.push_back({column + "_frequency", f.text});
        out.push_back({column + "_reference", std::string(f.referenceText)});
        return;
    }
    case ValueKind::Code: {
        const CodeView& c = v.code(row.direction);
        out.push_back({column + "_code_type", codeTypeCaption(c.type)});
        out.push_back({column + "_code", codeItemText(c)});
        return;
    }
    case ValueKind::Bit: out.push_back({column, yesNo(v.checked(row.value))}); return;
    case ValueKind::Choice:
    case ValueKind::Timer: {
        const std::optional<int> item = v.item(row.value);
        const ChoiceListSpec& list = choiceList(row.list);
        out.push_back({column, list.text ? trimmed(list.text(item.value_or(-1))) : callsignText(v, item)});
        return;
    }
    case ValueKind::Priority:
        out.push_back({column, priorityLevelText(v.priority.level(row.path))});
        if (&row + 1 == std::end(valueTable()) || (&row + 1)->kind != ValueKind::Priority)
            out.push_back({"priority_conflict", conflictText(v)});
        return;
    }
}

std::vector<CsvCell> csvCells(const ChannelView& v) {
    std::vector<CsvCell> out = {{"channel", std::to_string(v.channel)}, {"title", v.title}};
    for (const ValueSpec& row : valueTable())
        if (!row.header()) valueCells(v, row, out);
    out.push_back({"notices", noticesText(v)});
    return out;
}

}  // namespace

std::vector<std::string> channelNotices(const ChannelView& view) {
    std::vector<std::string> out;
    for (const auto& n : view.notices)
        if (n.step != DisplayStep::CwMessages) out.push_back(n.text);
    return out;
}

std::vector<ChannelView> decodeChannels(const Image& image, const std::vector<int>& channels,
                                        Band rxBand, Band txBand) {
    std::vector<ChannelView> views;
    for (int n : channels) {
        ChannelViewRequest request;
        request.channel = n;
        request.rxBand = rxBand;
        request.txBand = txBand;
        ChannelView v = channelView(image, request);
        if (v.ok()) views.push_back(std::move(v));
    }
    return views;
}

nlohmann::ordered_json channelsJson(const std::vector<ChannelView>& views) {
    Json list = Json::array();
    for (const auto& v : views) list.push_back(channelJson(v));
    return list;
}

void channelsText(const std::vector<ChannelView>& views, Band rxBand, Band txBand, std::ostream& out) {
    out << "Channels (RX band " << bandName(rxBand) << ", TX band " << bandName(txBand) << ")\n";
    std::vector<std::vector<std::string>> rows = {
        {"Ch", "Title", "RX MHz", "Ref", "RX code", "TX MHz", "Ref", "TX code", "Idle MHz", "Ref",
         "Priority", "ToT W/R/L s", "Drop", "RX ctl", "Act", "Hold", "ID", "Msg", "Alarm", "Audio"},
    };
    for (const auto& v : views) {
        const int dropout = v.item(Value::Dropout).value_or(0);
        const std::optional<int> message = v.item(Value::CwMessage);
        rows.push_back({
            std::to_string(v.channel),
            v.title,
            v.rx.text,
            referenceStepText(v.rx.reference),
            codeText(v.rxCode),
            v.tx.text,
            referenceStepText(v.tx.reference),
            codeText(v.txCode),
            v.idle.text,
            referenceStepText(v.idle.reference),
            priorityText(v),
            timeoutsText(v),
            dropout ? std::to_string(dropout) : "-",
            flags(v, "rx_control"),
            flags(v, "repeater_activate"),
            flags(v, "repeater_hold"),
            flags(v, "id"),
            message ? std::to_string(*message) : "-",
            flags(v, "alarms"),
            flags(v, "audio"),
        });
    }
    std::vector<std::size_t> widths(rows.front().size(), 0);
    for (const auto& row : rows)
        for (std::size_t i = 0; i < row.size(); ++i) widths[i] = std::max(widths[i], row[i].size());
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t i = 0; i < row.size(); ++i) {
            line += row[i];
            if (i + 1 < row.size()) line += std::string(widths[i] - row[i].size() + 2, ' ');
        }
        out << line << "\n";
    }
    out << "Priority: R repeater, W wireline, L local; 1 highest, 2 middle, 3 lowest, 0 disabled, "
           "! conflict\n"
           "RX ctl, Act(ivate), Hold: C carrier, P code (PL/DPL), A auxilary; ID: E CW ID enable, "
           "P PL/DPL with ID, A ID during activity\n"
           "Alarm: M mute on wireline, O enable over air; Audio: R repeater, L local mic; "
           "ToT and Drop in seconds, - none\n";
    for (const auto& v : views)
        for (const auto& n : channelNotices(v)) out << "Channel " << v.channel << ": " << n << "\n";
}

void channelsCsv(const std::vector<ChannelView>& views, std::ostream& out) {
    const std::vector<CsvCell> heading = csvCells(ChannelView{});
    for (std::size_t i = 0; i < heading.size(); ++i) out << (i ? "," : "") << heading[i].column;
    out << "\n";
    for (const auto& v : views) {
        const std::vector<CsvCell> cells = csvCells(v);
        for (std::size_t i = 0; i < cells.size(); ++i) out << (i ? "," : "") << csvField(cells[i].text);
        out << "\n";
    }
}

}  // namespace quarnel::cli
