#include <gtest/gtest.h>

#include <climits>

#include "kelvane/components/stored_value.h"

using namespace kelvane;

TEST(StoredValue, TextOfEachKind) {
    EXPECT_EQ("nbDefault", AsText(StoredValue::FromText("nbDefault")));
    EXPECT_EQ("1000", AsText(StoredValue::FromDword(1000)));
    EXPECT_EQ("-1", AsText(StoredValue::FromDword(0xFFFFFFFFu)));
    EXPECT_EQ("mstSeconds", AsText(StoredValue::FromBinary(std::string("mstSeconds\0junk", 15))));
    EXPECT_EQ("", AsText(StoredValue::FromBinary(std::string("\0\1\2", 3))));
    EXPECT_EQ("", AsText(StoredValue::FromBinary("")));
}

TEST(StoredValue, IntegerConversions) {
    struct Case {
        StoredValue value;
        std::optional<int32_t> expected;
    };
    const Case cases[] = {
        {StoredValue::FromDword(200), 200},
        {StoredValue::FromDword(0x80000000u), INT32_MIN},
        {StoredValue::FromText("1500"), 1500},
        {StoredValue::FromText("  -25 "), -25},
        {StoredValue::FromText("+7"), 7},
        {StoredValue::FromText("2147483647"), INT32_MAX},
        {StoredValue::FromText("-2147483648"), INT32_MIN},
        {StoredValue::FromText("2147483648"), std::nullopt},
        {StoredValue::FromText("99999999999999999999999999"), std::nullopt},
        {StoredValue::FromText(""), std::nullopt},
        {StoredValue::FromText("-"), std::nullopt},
        {StoredValue::FromText("12abc"), std::nullopt},
        {StoredValue::FromText("1 2"), std::nullopt},
        {StoredValue::FromBinary("30"), 30},
        {StoredValue::FromBinary(std::string("\x2c\x01\0\0", 4)), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + AsText(c.value) + "'");
        EXPECT_EQ(c.expected, AsInteger(c.value));
    }
}

TEST(StoredValue, BooleanConversions) {
    struct Case {
        StoredValue value;
        std::optional<bool> expected;
    };
    const Case cases[] = {
        {StoredValue::FromDword(0), false},        {StoredValue::FromDword(1), true},
        {StoredValue::FromDword(7), true},         {StoredValue::FromText("0"), false},
        {StoredValue::FromText("1"), true},        {StoredValue::FromText("TRUE"), true},
        {StoredValue::FromText("false"), false},   {StoredValue::FromText("yes"), std::nullopt},
        {StoredValue::FromText(""), std::nullopt}, {StoredValue::FromBinary("1"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("'" + AsText(c.value) + "'");
        EXPECT_EQ(c.expected, AsBoolean(c.value));
    }
}

TEST(StoredValue, EnumerationIdentifiers) {
    const EnumIdentifiers identifiers = {"mstMinutes", "mstSeconds"};
    EXPECT_EQ(0, EnumValueFromText(identifiers, "mstMinutes"));
    EXPECT_EQ(1, EnumValueFromText(identifiers, "MSTSECONDS"));
    EXPECT_EQ(kNoValidValue, EnumValueFromText(identifiers, "mstHours"));
    EXPECT_EQ(kNoValidValue, EnumValueFromText(identifiers, ""));
    EXPECT_EQ(kNoValidValue, EnumValueFromText(identifiers, "mstMinutes "));
    EXPECT_EQ(kNoValidValue, EnumValueFromText(identifiers, "mstMinute"));
    EXPECT_EQ(kNoValidValue, EnumValueFromText(identifiers, "1"));

    EXPECT_EQ("mstSeconds", EnumText(identifiers, 1));
    EXPECT_EQ("", EnumText(identifiers, kNoValidValue));
    EXPECT_EQ("", EnumText(identifiers, 2));
}
