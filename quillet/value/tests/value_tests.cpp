// The Value type: conversions between its types and ownership of its text.
#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

#include "quillet/value/value.h"

namespace quillet {
namespace {

TEST(Value, Conversions) {
    int opaque = 0;
    struct Case {
        const char* what;
        Value from;
        ValueType to;
        Status status;
        Value expected;
    } cases[] = {
        {"text to text", Value::FromText("x"), ValueType::Text, kStatusOk, Value::FromText("x")},
        {"integer to text", Value::FromInteger(-42), ValueType::Text, kStatusOk, Value::FromText("-42")},
        {"minimum to text", Value::FromInteger(INT32_MIN), ValueType::Text, kStatusOk, Value::FromText("-2147483648")},
        {"boolean to text", Value::FromBoolean(true), ValueType::Text, kStatusOk, Value::FromText("1")},
        {"empty to text", Value(), ValueType::Text, kStatusOk, Value::FromText("")},
        {"icon to text", Value::FromIconHandle(&opaque), ValueType::Text, kStatusOk, Value::FromText("")},
        {"text to integer", Value::FromText(" -17xyz"), ValueType::Integer, kStatusOk, Value::FromInteger(-17)},
        {"hex text to integer", Value::FromText("0x10"), ValueType::Integer, kStatusOk, Value::FromInteger(0)},
        {"empty text to integer", Value::FromText(""), ValueType::Integer, kStatusOk, Value::FromInteger(0)},
        {"boolean to integer", Value::FromBoolean(true), ValueType::Integer, kStatusOk, Value::FromInteger(1)},
        {"empty to integer", Value(), ValueType::Integer, kStatusOk, Value::FromInteger(0)},
        {"object to integer", Value::FromObjectReference(&opaque), ValueType::Integer, kStatusOk,
         Value::FromInteger(0)},
        {"integer to boolean", Value::FromInteger(-5), ValueType::Boolean, kStatusOk, Value::FromBoolean(true)},
        {"zero to boolean", Value::FromInteger(0), ValueType::Boolean, kStatusOk, Value::FromBoolean(false)},
        {"text to boolean", Value::FromText("2"), ValueType::Boolean, kStatusOk, Value::FromBoolean(true)},
        {"word to boolean", Value::FromText("true"), ValueType::Boolean, kStatusOk, Value::FromBoolean(false)},
        {"text to empty", Value::FromText("x"), ValueType::Empty, kStatusOk, Value()},
        {"integer to icon", Value::FromInteger(3), ValueType::IconHandle, kStatusInvalidArgument,
         Value::FromInteger(3)},
        {"text to object", Value::FromText("x"), ValueType::ObjectReference, kStatusInvalidArgument,
         Value::FromText("x")},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        Value value = c.from;
        EXPECT_EQ(value.ChangeType(c.to), c.status);
        EXPECT_EQ(value, c.expected);
        EXPECT_EQ(value.Type(), c.expected.Type());
    }
}

TEST(Value, TextOwnershipAndEmptyText) {
    Value empty = Value::FromText("");
    EXPECT_EQ(empty.Type(), ValueType::Text);
    EXPECT_STREQ(empty.Text(), "");
    Value text = Value::FromText("hello");
    Value copy = text;
    text = Value::FromInteger(1);
    EXPECT_STREQ(copy.Text(), "hello");
    Value moved = std::move(copy);
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_STREQ(moved.Text(), "hello");
    moved.Clear();
    EXPECT_TRUE(moved.IsEmpty());
    EXPECT_EQ(Value::FromInteger(5).ToText(), "5");
    EXPECT_EQ(Value::FromText("12").ToInteger(), 12);
    EXPECT_TRUE(Value::FromText("12").ToBoolean());
    EXPECT_EQ(ParseSignedDecimal("99999999999"), static_cast<int32_t>(99999999999LL & 0xFFFFFFFF));
}

}  // namespace
}  // namespace quillet
