// The texts of the drop-down boxes with fixed choices, by item position:
// what the editor fills its boxes with and what `quarnel-cli show` prints,
// so both show a value the same way. Numbers carry a leading blank where the
// sign would stand (" 15"). Positions outside a list give an empty text.
#pragma once

#include <string>

namespace quarnel {

// Transmit timers: "None", then 15 x i seconds for i = 1..31.
std::string timerChoiceText(int item);
// ID timer: "ALL TX", then i minutes for i = 1..31.
std::string idTimerChoiceText(int item);
// CW speed: "<1", then 1..32 words per minute, then ">32".
std::string cwSpeedChoiceText(int item);
// Re-key and tone start delays: 240 x (i + 1) milliseconds for i = 0..63.
std::string delayChoiceText(int item);
// Drop-out delay: "None", then 1..7 seconds.
std::string dropoutChoiceText(int item);

// How many items each list shows.
constexpr int kTimerChoices = 32;
constexpr int kIdTimerChoices = 32;
constexpr int kCwSpeedChoices = 34;
constexpr int kDelayChoices = 64;
constexpr int kDropoutChoices = 8;

// The lists of the drop-downs. The CW ID message list holds the image's
// messages; the others are fixed.
enum class ChoiceList { Timer, Dropout, CwMessage, CwSpeed, IdTimer, Delay };

struct ChoiceListSpec {
    ChoiceList list;
    int items;                     // how many items it shows; 0 for the CW messages
    std::string (*text)(int item);  // the item's text; nullptr for the CW messages
    const char* unit;              // what a number of it counts: "s", "min", "wpm", "ms"
};

const ChoiceListSpec& choiceList(ChoiceList list);

// An item as a sentence shows it: the list's text without its sign blank,
// with the unit after a number ("None", "ALL TX", "180 s", "<1 wpm").
std::string choiceWithUnit(ChoiceList list, int item);

// The names of the transmit priority levels 0..3: "Disabled", "Highest",
// "Middle", "Lowest", as the options read; "" for any other level.
const char* priorityLevelText(int level);

}  // namespace quarnel
