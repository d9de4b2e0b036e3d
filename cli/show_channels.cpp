#include "cli/show_channels.h"

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <string>

#include "model/choices.h"
#include "model/text_forms.h"

namespace quarnel::cli {

namespace {

using Json = nlohmann::ordered_json;

Json itemJson(const std::optional<int>& item) { return item ? Json(*item) : Json(nullptr); }

const char* codeTypeKey(CodeType type) {
    switch (type) {
    case CodeType::Carrier: return "carrier";
    case CodeType::Pl: return "pl";
    case CodeType::Dpl: return "dpl";
    }
    return "carrier";
}

Json frequencyJson(const FrequencyView& f, const CodeView* code) {
    Json j;
    j["hz"] = f.hz;
    j["text"] = f.text;
    j["reference"] = f.reference;
    j["reference_text"] = f.referenceText;
    if (code) {
        j["code_type"] = codeTypeKey(code->type);
        j["code_item"] = itemJson(code->item);
        j["inverted"] = code->inverted;
    }
    return j;
}

Json checksJson(const ControlChecks& c) {
    return {{"carrier", c.carrier}, {"code", c.code}, {"auxilary", c.auxilary}};
}

Json channelJson(const ChannelView& v) {
    Json c;
    c["number"] = v.channel;
    c["tune"] = v.tuneChannel;
    c["base"] = v.base;
    c["title"] = v.title;
    c["rx"] = frequencyJson(v.rx, &v.rxCode);
    c["tx"] = frequencyJson(v.tx, &v.txCode);
    c["idle"] = frequencyJson(v.idle, nullptr);
    c["rx_control"] = checksJson(v.rxControl);
    c["repeater_activate"] = checksJson(v.repeaterActivate);
    c["repeater_hold"] = checksJson(v.repeaterHold);
    Json conflict = Json::array();
    if (v.priority.repeaterConflict) conflict.push_back("repeater");
    if (v.priority.wirelineConflict) conflict.push_back("wireline");
    if (v.priority.localConflict) conflict.push_back("local");
    c["priority"] = {{"repeater", v.priority.repeater},
                     {"local", v.priority.local},
                     {"wireline", v.priority.wireline},
                     {"conflict", conflict}};
    c["timers"] = {{"wireline_item", v.wirelineTimerItem},
                   {"repeater_item", v.repeaterTimerItem},
                   {"local_item", v.localTimerItem},
                   {"dropout_item", v.dropoutItem}};
    c["id"] = {{"cw_id_enable", v.cwIdEnable},
               {"pl_dpl_with_id", v.plDplWithId},
               {"id_during_activity", v.idDuringActivity},
               {"message_item", itemJson(v.cwMessageItem)}};
    c["alarms"] = {{"mute_on_wireline", v.muteOnWireline}, {"enable_over_air", v.enableOverAir}};
    c["audio"] = {{"repeater", v.repeaterAudio}, {"local_mic", v.localMicAudio}};
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

std::string flags(std::initializer_list<std::pair<bool, char>> bits) {
    std::string out;
    for (const auto& [on, letter] : bits) out += on ? letter : '-';
    return out;
}

std::string priorityText(const PriorityView& p) {
    auto one = [](char path, int level, bool conflict) {
        return std::string(1, path) + std::to_string(level) + (conflict ? "!" : "");
    };
    return one('R', p.repeater, p.repeaterConflict) + " " + one('W', p.wireline, p.wirelineConflict) +
           " " + one('L', p.local, p.localConflict);
}

std::string timeoutText(int item) { return item == 0 ? "-" : std::to_string(timeoutItemSeconds(item)); }

// ---- CSV columns: the values as the editor's controls show them -----------

std::string yesNo(bool on) { return on ? "yes" : "no"; }

const char* codeTypeCaption(CodeType type) {
    switch (type) {
    case CodeType::Carrier: return "Carrier";
    case CodeType::Pl: return "PL";
    case CodeType::Dpl: return "DPL";
    }
    return "Carrier";
}

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

const char* priorityCaption(int level) {
    switch (level) {
    case 1: return "Highest";
    case 2: return "Middle";
    case 3: return "Lowest";
    default: return "Disabled";
    }
}

std::string conflictText(const PriorityView& p) {
    std::string out;
    auto add = [&out](bool on, const char* path) {
        if (on) out += (out.empty() ? "" : "; ") + std::string(path);
    };
    add(p.repeaterConflict, "Repeater");
    add(p.wirelineConflict, "Wireline");
    add(p.localConflict, "Local");
    return out;
}

std::string callsignText(const ChannelView& v) {
    const auto& messages = v.header.cwMessages;
    if (!v.cwMessageItem || *v.cwMessageItem < 0 || static_cast<std::size_t>(*v.cwMessageItem) >= messages.size())
        return "";
    return messages[static_cast<std::size_t>(*v.cwMessageItem)];
}

std::string noticesText(const ChannelView& v) {
    std::string out;
    for (const auto& n : channelNotices(v)) out += (out.empty() ? "" : "; ") + n;
    return out;
}

struct CsvColumn {
    const char* name;
    std::string (*value)(const ChannelView&);
};

const CsvColumn kCsvColumns[] = {
    {"channel", [](const ChannelView& v) { return std::to_string(v.channel); }},
    {"title", [](const ChannelView& v) { return v.title; }},
    {"rx_frequency", [](const ChannelView& v) { return v.rx.text; }},
    {"rx_reference", [](const ChannelView& v) { return std::string(v.rx.referenceText); }},
    {"rx_code_type", [](const ChannelView& v) { return std::string(codeTypeCaption(v.rxCode.type)); }},
    {"rx_code", [](const ChannelView& v) { return codeItemText(v.rxCode); }},
    {"rx_invert_dpl", [](const ChannelView& v) { return yesNo(v.rxCode.inverted); }},
    {"tx_frequency", [](const ChannelView& v) { return v.tx.text; }},
    {"tx_reference", [](const ChannelView& v) { return std::string(v.tx.referenceText); }},
    {"tx_code_type", [](const ChannelView& v) { return std::string(codeTypeCaption(v.txCode.type)); }},
    {"tx_code", [](const ChannelView& v) { return codeItemText(v.txCode); }},
    {"tx_invert_dpl", [](const ChannelView& v) { return yesNo(v.txCode.inverted); }},
    {"idle_frequency", [](const ChannelView& v) { return v.idle.text; }},
    {"idle_reference", [](const ChannelView& v) { return std::string(v.idle.referenceText); }},
    {"rx_control_carrier", [](const ChannelView& v) { return yesNo(v.rxControl.carrier); }},
    {"rx_control_code", [](const ChannelView& v) { return yesNo(v.rxControl.code); }},
    {"rx_control_auxilary", [](const ChannelView& v) { return yesNo(v.rxControl.auxilary); }},
    {"repeater_activate_carrier", [](const ChannelView& v) { return yesNo(v.repeaterActivate.carrier); }},
    {"repeater_activate_code", [](const ChannelView& v) { return yesNo(v.repeaterActivate.code); }},
    {"repeater_activate_auxilary", [](const ChannelView& v) { return yesNo(v.repeaterActivate.auxilary); }},
    {"repeater_hold_carrier", [](const ChannelView& v) { return yesNo(v.repeaterHold.carrier); }},
    {"repeater_hold_code", [](const ChannelView& v) { return yesNo(v.repeaterHold.code); }},
    {"repeater_hold_auxilary", [](const ChannelView& v) { return yesNo(v.repeaterHold.auxilary); }},
    {"wireline_timer_s", [](const ChannelView& v) { return trimmed(timerChoiceText(v.wirelineTimerItem)); }},
    {"repeater_timer_s", [](const ChannelView& v) { return trimmed(timerChoiceText(v.repeaterTimerItem)); }},
    {"local_mic_timer_s", [](const ChannelView& v) { return trimmed(timerChoiceText(v.localTimerItem)); }},
    {"drop_out_delay_s", [](const ChannelView& v) { return trimmed(dropoutChoiceText(v.dropoutItem)); }},
    {"repeater_priority", [](const ChannelView& v) { return std::string(priorityCaption(v.priority.repeater)); }},
    {"wireline_priority", [](const ChannelView& v) { return std::string(priorityCaption(v.priority.wireline)); }},
    {"local_priority", [](const ChannelView& v) { return std::string(priorityCaption(v.priority.local)); }},
    {"priority_conflict", [](const ChannelView& v) { return conflictText(v.priority); }},
    {"cw_id_enable", [](const ChannelView& v) { return yesNo(v.cwIdEnable); }},
    {"pl_dpl_with_id", [](const ChannelView& v) { return yesNo(v.plDplWithId); }},
    {"id_during_activity", [](const ChannelView& v) { return yesNo(v.idDuringActivity); }},
    {"callsign", callsignText},
    {"mute_on_wireline", [](const ChannelView& v) { return yesNo(v.muteOnWireline); }},
    {"enable_over_air", [](const ChannelView& v) { return yesNo(v.enableOverAir); }},
    {"repeater_audio", [](const ChannelView& v) { return yesNo(v.repeaterAudio); }},
    {"local_mic_audio", [](const ChannelView& v) { return yesNo(v.localMicAudio); }},
    {"notices", noticesText},
};

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
            priorityText(v.priority),
            timeoutText(v.wirelineTimerItem) + "/" + timeoutText(v.repeaterTimerItem) + "/" +
                timeoutText(v.localTimerItem),
            v.dropoutItem == 0 ? "-" : std::to_string(v.dropoutItem),
            flags({{v.rxControl.carrier, 'C'}, {v.rxControl.code, 'P'}, {v.rxControl.auxilary, 'A'}}),
            flags({{v.repeaterActivate.carrier, 'C'}, {v.repeaterActivate.code, 'P'},
                   {v.repeaterActivate.auxilary, 'A'}}),
            flags({{v.repeaterHold.carrier, 'C'}, {v.repeaterHold.code, 'P'}, {v.repeaterHold.auxilary, 'A'}}),
            flags({{v.cwIdEnable, 'E'}, {v.plDplWithId, 'P'}, {v.idDuringActivity, 'A'}}),
            v.cwMessageItem ? std::to_string(*v.cwMessageItem) : "-",
            flags({{v.muteOnWireline, 'M'}, {v.enableOverAir, 'O'}}),
            flags({{v.repeaterAudio, 'R'}, {v.localMicAudio, 'L'}}),
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
    for (std::size_t i = 0; i < std::size(kCsvColumns); ++i) out << (i ? "," : "") << kCsvColumns[i].name;
    out << "\n";
    for (const auto& v : views) {
        for (std::size_t i = 0; i < std::size(kCsvColumns); ++i)
            out << (i ? "," : "") << csvField(kCsvColumns[i].value(v));
        out << "\n";
    }
}

}  // namespace quarnel::cli
