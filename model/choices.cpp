#include "model/choices.h"

#include "model/layout.h"
#include "model/text_forms.h"

namespace quarnel {

namespace {

bool inList(int item, int count) { return item >= 0 && item < count; }

const ChoiceListSpec kChoiceLists[] = {
    {ChoiceList::Timer, kTimerChoices, timerChoiceText, "s"},
    {ChoiceList::Dropout, kDropoutChoices, dropoutChoiceText, "s"},
    {ChoiceList::CwMessage, 0, nullptr, ""},
    {ChoiceList::CwSpeed, kCwSpeedChoices, cwSpeedChoiceText, "wpm"},
    {ChoiceList::IdTimer, kIdTimerChoices, idTimerChoiceText, "min"},
    {ChoiceList::Delay, kDelayChoices, delayChoiceText, "ms"},
};

}  // namespace

std::string timerChoiceText(int item) {
    if (!inList(item, kTimerChoices)) return "";
    return item == 0 ? "None" : signedDecimal(timeoutItemSeconds(item));
}

std::string idTimerChoiceText(int item) {
    if (!inList(item, kIdTimerChoices)) return "";
    return item == 0 ? "ALL TX" : signedDecimal(item);
}

std::string cwSpeedChoiceText(int item) {
    if (!inList(item, kCwSpeedChoices)) return "";
    return cwSpeedItemText(item);
}

std::string delayChoiceText(int item) {
    if (!inList(item, kDelayChoices)) return "";
    return signedDecimal(delayItemMilliseconds(item));
}

std::string dropoutChoiceText(int item) {
    if (!inList(item, kDropoutChoices)) return "";
    return item == 0 ? "None" : signedDecimal(item);
}

const ChoiceListSpec& choiceList(ChoiceList list) {
    for (const ChoiceListSpec& row : kChoiceLists)
        if (row.list == list) return row;
    return kChoiceLists[0];
}

std::string choiceWithUnit(ChoiceList list, int item) {
    const ChoiceListSpec& row = choiceList(list);
    if (!row.text) return signedDecimal(item);
    const std::string text = trimmed(row.text(item));
    // Words ("None", "ALL TX") stand alone; numbers, "<1" and ">32" get the unit.
    for (char c : text)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return text;
    return text + " " + row.unit;
}

const char* priorityLevelText(int level) {
    static const char* const kLevels[] = {"Disabled", "Highest", "Middle", "Lowest"};
    return level >= 0 && level <= 3 ? kLevels[level] : "";
}

}  // namespace quarnel
