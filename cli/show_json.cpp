#include "cli/show_json.h"

#include "cli/show_channels.h"
#include "cli/show_cw.h"
#include "model/choices.h"
#include "model/layout.h"
#include "model/tones.h"

namespace quarnel::cli {

namespace {

using Json = nlohmann::ordered_json;

Json itemOrNull(const std::optional<int>& item) { return item ? Json(*item) : Json(nullptr); }

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
    const HeaderView shown = displayedHeader(image);
    h["id_timer_item"] = shown.idTimerItem;
    h["cw_speed_item"] = shown.cwSpeedItem;
    h["rekey_delay_item"] = itemOrNull(shown.rekeyDelayItem);
    h["tone_start_delay_item"] = itemOrNull(shown.toneStartDelayItem);
    return h;
}

// A drop-down text without the blank where a sign would stand.
std::string shownText(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The text a drop-down shows for `item` (a JSON number or null).
Json choiceText(const Json& item, std::string (*text)(int)) {
    return item.is_number_integer() ? Json(shownText(text(item.get<int>()))) : Json(nullptr);
}

std::string toneChoice(int item) { return toneText(item + 1); }
std::string dplChoice(int item) { return dplCodeText(item + 1); }

// `object` with `key` placed right after `after` (at the end when absent).
Json insertedAfter(const Json& object, const std::string& after, const std::string& key, Json value) {
    Json out = Json::object();
    for (const auto& [k, v] : object.items()) {
        out[k] = v;
        if (k == after) out[key] = value;
    }
    if (!out.contains(key)) out[key] = std::move(value);
    return out;
}

void addText(Json& object, const std::string& itemKey, Json text) {
    const std::string key = itemKey.substr(0, itemKey.size() - 5) + "_text";
    object = insertedAfter(object, itemKey, key, std::move(text));
}

Json codeText(const Json& direction) {
    if (direction["code_type"] == "pl") return choiceText(direction["code_item"], toneChoice);
    if (direction["code_type"] == "dpl") return choiceText(direction["code_item"], dplChoice);
    return nullptr;
}

}  // namespace

Json withItemTexts(Json doc) {
    Json& h = doc["header"];
    addText(h, "id_timer_item", choiceText(h["id_timer_item"], idTimerChoiceText));
    addText(h, "cw_speed_item", choiceText(h["cw_speed_item"], cwSpeedChoiceText));
    addText(h, "rekey_delay_item", choiceText(h["rekey_delay_item"], delayChoiceText));
    addText(h, "tone_start_delay_item", choiceText(h["tone_start_delay_item"], delayChoiceText));
    const Json& messages = doc["messages"];
    for (Json& c : doc["channels"]) {
        for (const char* d : {"rx", "tx"}) addText(c[d], "code_item", codeText(c[d]));
        Json& t = c["timers"];
        for (const char* k : {"wireline_item", "repeater_item", "local_item"})
            addText(t, k, choiceText(t[k], timerChoiceText));
        addText(t, "dropout_item", choiceText(t["dropout_item"], dropoutChoiceText));
        Json& id = c["id"];
        const Json& m = id["message_item"];
        const bool listed = m.is_number_integer() && m.get<int>() >= 0 && m.get<std::size_t>() < messages.size();
        addText(id, "message_item", listed ? messages[m.get<std::size_t>()] : Json(nullptr));
    }
    return doc;
}

Json showDocument(const LoadedImage& loaded, const std::vector<ChannelView>& channels) {
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

}  // namespace quarnel::cli
