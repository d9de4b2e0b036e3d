#include "model/choices.h"

#include "model/layout.h"
#include "model/notice.h"
#include "model/text_forms.h"

namespace quarnel {

namespace {

bool inList(int item, int count) { return item >= 0 && item < count; }

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

}  // namespace quarnel
