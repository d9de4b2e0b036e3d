#include "model/edits.h"

namespace quarnel {

namespace {

EditOutcome refused(std::string why) {
    EditOutcome out;
    out.status = EditStatus::Refused;
    out.refusal = std::move(why);
    return out;
}

EditOutcome changed(bool redisplay) {
    EditOutcome out;
    out.modified = true;
    out.redisplay = redisplay;
    return out;
}

}  // namespace

EditOutcome storeFrequency(Image& image, std::size_t base, Direction direction, Band band,
                           std::uint32_t hz) {
    const FrequencyEncoding encoded = encodeFrequency(image, base, direction, band, hz);
    if (!encoded.ok) return refused(encoded.refusal);
    return changed(true);
}

EditOutcome commitFrequencyEntry(Image& image, std::size_t base, Direction direction, Band band,
                                 const std::string& typed) {
    const EntryCompletion entry = completeEntry(typed);
    if (entry.status == EntryCompletion::Status::Abandoned) {
        EditOutcome out;
        out.status = EditStatus::Abandoned;
        return out;
    }
    if (!entry.completed()) return refused(entry.reason);
    EditOutcome out = storeFrequency(image, base, direction, band, entry.hz);
    if (out.done()) out.shownText = entry.text;
    return out;
}

EditOutcome chooseCodeType(Image& image, std::size_t base, Direction direction, CodeType type) {
    if (direction == Direction::Idle) return refused("The idle frequency has no squelch code");
    changeCodeType(image, base, direction, type);
    return changed(direction == Direction::Receive && type == CodeType::Carrier);
}

EditOutcome chooseCodeItem(Image& image, std::size_t base, Direction direction, CodeType type,
                           int item) {
    if (direction == Direction::Idle) return refused("The idle frequency has no squelch code");
    const int index = item + 1;
    switch (type) {
    case CodeType::Carrier:
        break;  // the list is disabled on Carrier; a choice stores nothing
    case CodeType::Pl:
        if (!encodePl(image, base, direction, index))
            return refused("There is no tone at list position " + std::to_string(item));
        break;
    case CodeType::Dpl:
        if (!encodeDpl(image, base, direction, index))
            return refused("There is no DPL code at list position " + std::to_string(item));
        break;
    }
    return changed(false);
}

EditOutcome setInvertDpl(Image& image, std::size_t base, Direction direction, bool checked) {
    if (direction == Direction::Idle) return refused("The idle frequency has no squelch code");
    setInverted(image, base, direction, checked);
    return changed(false);
}

}  // namespace quarnel
