// The drop-down texts by position: both ends of every list, and positions
// outside a list, which must give no text rather than a wrong value.
#include <gtest/gtest.h>

#include "model/choices.h"

using namespace quarnel;

TEST(ChoiceTexts, EndsOfEveryListAndBeyond) {
    const struct {
        std::string (*text)(int);
        int item;
        const char* expected;
    } cases[] = {
        {timerChoiceText, 0, "None"},     {timerChoiceText, 1, " 15"},      {timerChoiceText, 31, " 465"},
        {timerChoiceText, 32, ""},        {timerChoiceText, -1, ""},        {idTimerChoiceText, 0, "ALL TX"},
        {idTimerChoiceText, 10, " 10"},   {idTimerChoiceText, 31, " 31"},   {idTimerChoiceText, 32, ""},
        {cwSpeedChoiceText, 0, "<1"},     {cwSpeedChoiceText, 32, " 32"},   {cwSpeedChoiceText, 33, ">32"},
        {cwSpeedChoiceText, 34, ""},      {delayChoiceText, 0, " 240"},     {delayChoiceText, 63, " 15360"},
        {delayChoiceText, 64, ""},        {delayChoiceText, -1, ""},        {dropoutChoiceText, 0, "None"},
        {dropoutChoiceText, 7, " 7"},     {dropoutChoiceText, 8, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(c.text(c.item), c.expected) << c.item;
}
