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
                       direction == Direction::Receive ? CheckBox::RxInvertDpl : CheckBox::TxInvertDpl,
                       checked);
}

// ---- Check boxes -------------------------------------------------------------

namespace {

const char* const kRecordOutside = "The channel record lies outside the image";

}  // namespace

const std::vector<CheckBoxBit>& checkBoxBits() {
    static const std::vector<CheckBoxBit> bits = {
        {CheckBox::RxInvertDpl, Field::RxInvertBit, false},
        {CheckBox::TxInvertDpl, Field::TxInvertBit, true},
        {CheckBox::CwIdEnable, Field::CwIdEnable, false},
        {CheckBox::PlDplWithId, Field::PlWithId, false},
        {CheckBox::IdDuringActivity, Field::IdDuringActivity, false},
        {CheckBox::RxControlCarrier, Field::RxControlCarrier, false},
        {CheckBox::RxControlCode, Field::RxControlCode, false},
        {CheckBox::RxControlAuxilary, Field::RxControlAuxilary, false},
        {CheckBox::ActivateCarrier, Field::ActivateCarrier, false},
        {CheckBox::ActivateCode, Field::ActivateCode, false},
        {CheckBox::ActivateAuxilary, Field::ActivateAuxilary, false},
        {CheckBox::HoldCarrier, Field::HoldCarrier, false},
        {CheckBox::HoldCode, Field::HoldCode, false},
        {CheckBox::HoldAuxilary, Field::HoldAuxilary, false},
        {CheckBox::AlarmMuteOnWireline, Field::AlarmMuteOnWireline, false},
        {CheckBox::AlarmEnableOverAir, Field::AlarmEnableOverAir, false},
        {CheckBox::RepeaterAudio, Field::RepeaterAudio, false},
        {CheckBox::LocalMicAudio, Field::LocalMicAudio, false},
    };
    return bits;
}

const CheckBoxBit& checkBoxBit(CheckBox box) {
    for (const auto& b : checkBoxBits())
        if (b.box == box) return b;
    return checkBoxBits().front();
}

bool checkBoxState(const Image& image, std::size_t base, CheckBox box) {
    const CheckBoxBit& b = checkBoxBit(box);
    return (readField(image, b.field, base) != 0) != b.storedInverted;
}

EditOutcome setCheckBox(Image& image, std::size_t base, CheckBox box, bool checked) {
    const CheckBoxBit& b = checkBoxBit(box);
    if (!fieldInside(b.field, base)) return refused(kRecordOutside);
    writeField(image, b.field, checked != b.storedInverted ? 1 : 0, base);
    return changed(false);
}

// ---- Drop-downs with fixed choices ---------------------------------------------

namespace {

struct DropDownSpec {
    DropDown list;
    const char* name;  // for refusals: "the CW speed list"
    int items;         // 0: the CW message count
    Field field;       // the field written; header fields ignore the base
};

const DropDownSpec kDropDowns[] = {
    {DropDown::CwMessage, "CW ID message", 0, Field::CwIdSelectByte},
    {DropDown::WirelineTimer, "wireline timer", 32, Field::LineToTByte},
    {DropDown::RepeaterTimer, "repeater timer", 32, Field::RepeaterToT},
    {DropDown::LocalTimer, "local mic timer", 32, Field::LocalToTByte},
    {DropDown::Dropout, "drop-out delay", 8, Field::Dropout},
    {DropDown::CwSpeed, "CW speed", kSpeedItems, Field::Speed},
    {DropDown::IdTimer, "ID timer", 32, Field::IdTimeByte},
    {DropDown::RekeyDelay, "re-key delay", kDelayItems, Field::IdDelay},
    {DropDown::ToneStartDelay, "tone start delay", kDelayItems, Field::CwDelay},
};

const DropDownSpec& dropDownSpec(DropDown list) {
    for (const auto& def : kDropDowns)
        if (def.list == list) return def;
    return kDropDowns[0];
}

// CW ID Select keeps the message index in bits 0-3.
constexpr int kHighestSelectableMessage = 15;

}  // namespace

bool isHeaderDropDown(DropDown list) { return fieldSpec(dropDownSpec(list).field).area == Area::Header; }

int dropDownItemCount(const Image& image, DropDown list) {
    if (list != DropDown::CwMessage) return dropDownSpec(list).items;
    NullNotices quiet;  // the display has already said "CW address error"
    return countMessages(image, quiet).count;
}

int dropDownItem(const Image& image, std::size_t base, DropDown list) {
    switch (list) {
    case DropDown::CwMessage: {
        const int item = cwMessageItem(image, base);
        return item < dropDownItemCount(image, list) ? item : -1;
    }
    case DropDown::WirelineTimer: return lineTimeoutItem(image, base);
    case DropDown::RepeaterTimer: return repeaterTimeoutItem(image, base);
    case DropDown::LocalTimer: return localTimeoutItem(image, base);
    case DropDown::Dropout: return dropoutItem(image, base);
    case DropDown::CwSpeed: return cwSpeedItem(image);
    case DropDown::IdTimer: return idTimerItem(image);
    case DropDown::RekeyDelay: return rekeyDelayItem(image);
    case DropDown::ToneStartDelay: return toneStartDelayItem(image);
    }
    return -1;
}

EditOutcome chooseDropDownItem(Image& image, std::size_t base, DropDown list, int item) {
    const DropDownSpec& def = dropDownSpec(list);
    const int count = dropDownItemCount(image, list);
    if (item < 0 || item >= count) {
        if (list == DropDown::CwMessage)
            return refused("There is no CW message" + signedDecimal(item) + ": the image holds" +
                           signedDecimal(count));
        return refused(std::string("The ") + def.name + " list has no item" + signedDecimal(item) +
                       " (it offers" + signedDecimal(count) + ")");
    }
    if (list == DropDown::CwMessage && item > kHighestSelectableMessage)
        return refused("CW message" + signedDecimal(item) +
                       " cannot be chosen: CW ID Select holds the indexes 0 to 15 only");
    if (!fieldInside(def.field, base)) return refused(kRecordOutside);
    switch (list) {
    case DropDown::CwMessage: setCwMessageItem(image, base, item); break;
    case DropDown::WirelineTimer: setLineTimeoutItem(image, base, item); break;
    case DropDown::RepeaterTimer: setRepeaterTimeoutItem(image, base, item); break;
    case DropDown::LocalTimer: setLocalTimeoutItem(image, base, item); break;
    case DropDown::Dropout: setDropoutItem(image, base, item); break;
    case DropDown::CwSpeed: setCwSpeedItem(image, item); break;
    case DropDown::IdTimer: setIdTimerItem(image, item); break;
    case DropDown::RekeyDelay: setRekeyDelayItem(image, item); break;
    case DropDown::ToneStartDelay: setToneStartDelayItem(image, item); break;
    }
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
