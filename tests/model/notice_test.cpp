// The number-to-text form of every label and message: one leading character
// for the sign, a blank for zero and positive values.
#include <gtest/gtest.h>

#include <climits>

#include "model/notice.h"
#include "model/text_forms.h"

namespace quarnel {
namespace {

TEST(SignedDecimal, WritesTheSignPositionAndEveryDigit) {
    const struct {
        long long value;
        const char* text;
    } cases[] = {
        {0, " 0"},
        {7, " 7"},
        {15, " 15"},
        {4096, " 4096"},
        {-1, "-1"},
        {-40, "-40"},
        {LLONG_MAX, " 9223372036854775807"},
        {LLONG_MIN, "-9223372036854775808"},  // its magnitude has no positive long long
    };
    for (const auto& c : cases) EXPECT_EQ(signedDecimal(c.value), c.text) << c.value;
}

}  // namespace
}  // namespace quarnel
