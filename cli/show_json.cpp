#include "cli/show_json.h"

#include "cli/show_channels.h"
#include "cli/show_cw.h"
#include "model/choices.h"
#include "model/layout.h"
#include "model/text_forms.h"
#include "model/tones.h"
#include "model/values.h"

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
    // The header's drop-downs, under their keys below "header.".
    for (const ValueSpec& row : valueTable()) {
        if (!row.header()) continue;
        const std::string path = row.json;
        h[path.substr(path.find('.') + 1)] = itemOrNull(shown.items[valueIndex(row.value)]);
    }
    return h;
}

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

// The object at `path` ("header", "timers", "rx") below `root`, and the
// last key of `path` in `key`.
Json* objectAt(Json& root, const std::string& path, std::string& key) {
    Json* at = &root;
    std::size_t start = 0;
    for (std::size_t dot; (dot = path.find('.', start)) != std::string::npos; start = dot + 1) {
        at = &(*at)[path.substr(start, dot - start)];
        if (!at->is_object()) return nullptr;
    }
    key = path.substr(start);
    return at->is_object() && at->contains(key) ? at : nullptr;
}

// What the drop-down of `row` shows for `item`, without its sign blank;
// null when it selects nothing.
Json itemText(const ValueSpec& row, const Json& item, const Json& direction, const Json& messages) {
    if (!item.is_number_integer()) return nullptr;
    const int k = item.get<int>();
    if (row.kind == ValueKind::Code) {
        if (direction["code_type"] == "pl") return trimmed(toneText(k + 1));
        if (direction["code_type"] == "dpl") return std::string(dplCodeText(k + 1));
        return nullptr;
    }
    if (row.list == ChoiceList::CwMessage)
        return k >= 0 && static_cast<std::size_t>(k) < messages.size() ? messages[static_cast<std::size_t>(k)]
                                                                      : Json(nullptr);
    return trimmed(choiceList(row.list).text(k));
}

// Adds "*_text" after the "*_item" of `row` in `object` (the document for
// header values, a channel object for the others).
void addItemText(Json& object, const ValueSpec& row, const Json& messages) {
    if (!row.dropDown() && row.kind != ValueKind::Code) return;
    const std::string path = row.kind == ValueKind::Code ? std::string(row.json) + ".code_item" : row.json;
    std::string key;
    Json* parent = objectAt(object, path, key);
    if (!parent) return;
    const Json text = itemText(row, (*parent)[key], *parent, messages);
    *parent = insertedAfter(*parent, key, key.substr(0, key.size() - 5) + "_text", text);
}

}  // namespace

Json withItemTexts(Json doc) {
    const Json messages = doc["messages"];
    for (const ValueSpec& row : valueTable()) {
        if (row.header()) {
            addItemText(doc, row, messages);
            continue;
        }
        for (Json& channel : doc["channels"]) addItemText(channel, row, messages);
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
