#include "quillet/options/tips_rules.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(ParseTipCount, ReadsNumbersAsCWritesThem) {
    const struct {
        const char* text;
        uint32_t count;
    } cases[] = {
        {"8", 8},
        {"  12", 12},
        {"+3", 3},
        {"0x1F", 31},
        {"0X10", 16},
        {"010", 8},
        {"0", 0},
        {"", 0},
        {"tips", 0},
        {"-2", 0},
        {"0x", 0},
        {"0xg", 0},
        {"09", 0},
        {"8 tips", 8},
        {"4294967295", 4294967295u},
        {"99999999999", 4294967295u},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.count, ParseTipCount(c.text));
    }
}

TEST(NextTipNumber, CountsUpAndStartsOverAfterTheLast) {
    const struct {
        uint32_t last;
        uint32_t count;
        uint32_t next;
    } cases[] = {
        {0, 8, 1},
        {1, 8, 2},
        {7, 8, 8},
        {8, 8, 1},
        {20, 8, 1},
        // No tips at all: always the first.
        {0, 0, 1},
        {5, 0, 1},
        {0xFFFFFFFFu, 8, 1},
        {0xFFFFFFFFu, 0xFFFFFFFFu, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.last) + " of " + std::to_string(c.count));
        EXPECT_EQ(c.next, NextTipNumber(c.last, c.count));
    }
}

TEST(TipKey, HasAtLeastThreeDigits) {
    EXPECT_EQ("tip001", TipKey(1));
    EXPECT_EQ("tip042", TipKey(42));
    EXPECT_EQ("tip1000", TipKey(1000));
}

}  // namespace
}  // namespace quillet
