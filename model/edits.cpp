#include "model/edits.h"

#include "model/channel_view.h"
#include "model/cw_messages.h"
#include "model/text_forms.h"

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
    return setCheckBox(image, base,
                       direction == Direction::Receive ? Value::RxInvertDpl : Value::TxInvertDpl,
                       checked);
}

// ---- Check boxes -------------------------------------------------------------

namespace {

const char* const kRecordOutside = "The channel record lies outside the image";

}  // namespace

EditOutcome setCheckBox(Image& image, std::size_t base, Value box, bool checked) {
    const ValueSpec& row = valueSpec(box);
    if (row.kind != ValueKind::Bit) return refused(std::string(row.key) + " is not a check box");
    if (!fieldInside(row.written, base)) return refused(kRecordOutside);
    writeField(image, row.written, checked != row.storedInverted ? 1 : 0, base);
    return changed(false);
}

// ---- Drop-downs with fixed choices ---------------------------------------------

namespace {

// CW ID Select keeps the message index in bits 0-3.
constexpr int kHighestSelectableMessage = 15;

}  // namespace

int dropDownItemCount(const Image& image, Value list) {
    const ValueSpec& row = valueSpec(list);
    if (!row.dropDown()) return 0;
    if (row.list != ChoiceList::CwMessage) return choiceList(row.list).items;
    NullNotices quiet;  // the display has already said "CW address error"
    return countMessages(image, quiet).count;
}

int dropDownItem(const Image& image, std::size_t base, Value list) {
    const ValueSpec& row = valueSpec(list);
    if (!row.dropDown()) return -1;
    const int item = row.item(image, base);
    if (row.list == ChoiceList::CwMessage && item >= dropDownItemCount(image, list)) return -1;
    return item;
}

EditOutcome chooseDropDownItem(Image& image, std::size_t base, Value list, int item) {
    const ValueSpec& row = valueSpec(list);
    if (!row.dropDown()) return refused(std::string(row.key) + " is not a drop-down");
    const bool messages = row.list == ChoiceList::CwMessage;
    const int count = dropDownItemCount(image, list);
    if (item < 0 || item >= count) {
        if (messages)
            return refused("There is no CW message" + signedDecimal(item) + ": the image holds" +
                           signedDecimal(count));
        return refused(std::string("The ") + row.name + " list has no item" + signedDecimal(item) +
                       " (it offers" + signedDecimal(count) + ")");
    }
    if (messages && item > kHighestSelectableMessage)
        return refused("CW message" + signedDecimal(item) +
                       " cannot be chosen: CW ID Select holds the indexes 0 to 15 only");
    if (!fieldInside(row.written, base)) return refused(kRecordOutside);
    row.setItem(image, base, item);
    return changed(false);
}

// ---- Transmit priority -------------------------------------------------------------

EditOutcome applyPriorityOptions(Image& image, std::size_t base, int repeater, int local,
                                 int wireline) {
    for (int level : {repeater, local, wireline})
        if (level < 0 || level > 3)
            return refused("Priority level" + signedDecimal(level) +
                           " is none of 0 (Disabled) to 3 (Lowest)");
    if (!fieldInside(Field::TxPriority, base)) return refused(kRecordOutside);
    writeField(image, Field::TxPriority, priorityUpdate(repeater, local, wireline).byte, base);
    return changed(false);
}

EditOutcome choosePriority(Image& image, std::size_t base, PriorityPath path, int level) {
    auto levelOf = [&](PriorityPath p) { return p == path ? level : priorityLevel(image, base, p); };
    return applyPriorityOptions(image, base, levelOf(PriorityPath::Repeater), levelOf(PriorityPath::Local),
                                levelOf(PriorityPath::Wireline));
}

}  // namespace quarnel
