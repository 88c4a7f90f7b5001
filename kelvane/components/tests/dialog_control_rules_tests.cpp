#include "kelvane/components/dialog_control_rules.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(DialogControlRules, TheNumericEditClampsOnlyWithinAGivenRange) {
    struct Case {
        int32_t value, minValue, maxValue, expected;
    };
    const Case cases[] = {
        {75, 1, 60, 60}, {0, 1, 60, 1},    {30, 1, 60, 30},
        {60, 1, 60, 60}, {-5, 0, 0, -5},   {123456, 0, 0, 123456},  // equal bounds: no clamping
        {7, 5, 5, 7},    {-10, -3, 3, -3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << " in [" << c.minValue << ", " << c.maxValue << "]");
        EXPECT_EQ(ClampedValue(c.value, c.minValue, c.maxValue), c.expected);
    }
}

TEST(DialogControlRules, AMaxValueLimitsTheTextToItsDigits) {
    EXPECT_EQ(MaxTextLength(60), 2);
    EXPECT_EQ(MaxTextLength(100), 3);
    EXPECT_EQ(MaxTextLength(9), 1);
    EXPECT_EQ(MaxTextLength(0), 0);
    EXPECT_EQ(MaxTextLength(-2147483647 - 1), 10);
}

TEST(DialogControlRules, OnlyAWholeNumberTextIsAnInteger) {
    EXPECT_EQ(ParseInteger("25"), 25);
    EXPECT_EQ(ParseInteger(" -5 "), -5);
    EXPECT_EQ(ParseInteger("+40"), 40);
    EXPECT_EQ(ParseInteger("2147483647"), 2147483647);
    for (const char* text : {"", "  ", "0.5", "12x", "x", "2147483648", "99999999999999999999"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ParseInteger(text).has_value());
    }
}

TEST(DialogControlRules, TheFrequencyFieldShowsHalfASecondAtPositionZero) {
    EXPECT_EQ(FrequencyText(0), "0.5");
    EXPECT_EQ(FrequencyText(1), "1");
    EXPECT_EQ(FrequencyText(10), "10");
}

}  // namespace
}  // namespace kelvane
