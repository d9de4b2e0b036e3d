#include "cli/show_json.h"

#include "cli/show_channels.h"
#include "cli/show_cw.h"
#include "model/layout.h"
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

}  // namespace

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
