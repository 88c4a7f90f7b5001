#include "quillet/value/value.h"

#include <cstdlib>
#include <cstring>

namespace quillet {
namespace {

char* DuplicateText(std::string_view text) {
    if (text.empty()) return nullptr;
    char* copy = static_cast<char*>(std::malloc(text.size() + 1));
    if (!copy) std::abort();
    std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    return copy;
}

}  // namespace

std::string_view FormatDecimal(int32_t value, DecimalBuffer& buffer) {
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    char* end = buffer + sizeof buffer;
    char* p = end;
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) *--p = '-';
    return std::string_view(p, static_cast<size_t>(end - p));
}

int32_t ParseSignedDecimal(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    uint32_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        magnitude = magnitude * 10u + static_cast<uint32_t>(text[i] - '0');
    return static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
}

Value::Value(const Value& other) : m_type(other.m_type), m_payload(other.m_payload) {
    if (m_type == ValueType::Text) m_payload.text = DuplicateText(other.Text());
}

Value::Value(Value&& other) noexcept : m_type(other.m_type), m_payload(other.m_payload) {
    other.m_type = ValueType::Empty;
    other.m_payload.pointer = nullptr;
}

Value& Value::operator=(const Value& other) {
    if (this != &other) {
        Value copy(other);
        *this = std::move(copy);
    }
    return *this;
}

Value& Value::operator=(Value&& other) noexcept {
    if (this != &other) {
        Clear();
        m_type = other.m_type;
        m_payload = other.m_payload;
        other.m_type = ValueType::Empty;
        other.m_payload.pointer = nullptr;
    }
    return *this;
}

Value Value::FromText(std::string_view text) {
    Value value;
    value.m_type = ValueType::Text;
    value.m_payload.text = DuplicateText(text);
    return value;
}

Value Value::FromInteger(int32_t integer) {
    Value value;
    value.m_type = ValueType::Integer;
    value.m_payload.integer = integer;
    return value;
}

Value Value::FromBoolean(bool boolean) {
    Value value;
    value.m_type = ValueType::Boolean;
    value.m_payload.integer = boolean ? 1 : 0;
    return value;
}

Value Value::FromIconHandle(void* handle) {
    Value value;
    value.m_type = ValueType::IconHandle;
    value.m_payload.pointer = handle;
    return value;
}

Value Value::FromObjectReference(void* object) {
    Value value;
    value.m_type = ValueType::ObjectReference;
    value.m_payload.pointer = object;
    return value;
}

const char* Value::Text() const {
    return m_type == ValueType::Text && m_payload.text ? m_payload.text : "";
}

void Value::Clear() noexcept {
    if (m_type == ValueType::Text) std::free(m_payload.text);
    m_type = ValueType::Empty;
    m_payload.pointer = nullptr;
}

Status Value::ChangeType(ValueType type) {
    if (type == m_type) return kStatusOk;
    switch (type) {
    case ValueType::Empty: Clear(); return kStatusOk;
    case ValueType::Text: {
        std::string text = ToText();
        *this = FromText(text);
        return kStatusOk;
    }
    case ValueType::Integer: {
        int32_t integer = ToInteger();
        *this = FromInteger(integer);
        return kStatusOk;
    }
    case ValueType::Boolean: {
        bool boolean = ToInteger() != 0;
        *this = FromBoolean(boolean);
        return kStatusOk;
    }
    case ValueType::IconHandle:
    case ValueType::ObjectReference: break;
    }
    return kStatusInvalidArgument;
}

std::string Value::ToText() const {
    switch (m_type) {
    case ValueType::Text: return Text();
    case ValueType::Integer:
    case ValueType::Boolean: {
        DecimalBuffer digits;
        return std::string(FormatDecimal(m_payload.integer, digits));
    }
    default: return std::string();
    }
}

int32_t Value::ToInteger() const {
    switch (m_type) {
    case ValueType::Integer:
    case ValueType::Boolean: return m_payload.integer;
    case ValueType::Text: return ParseSignedDecimal(Text());
    default: return 0;
    }
}

bool Value::ToBoolean() const {
    return ToInteger() != 0;
}

bool operator==(const Value& a, const Value& b) {
    if (a.m_type != b.m_type) return false;
    switch (a.m_type) {
    case ValueType::Empty: return true;
    case ValueType::Text: return std::strcmp(a.Text(), b.Text()) == 0;
    case ValueType::Integer:
    case ValueType::Boolean: return a.m_payload.integer == b.m_payload.integer;
    case ValueType::IconHandle:
    case ValueType::ObjectReference: return a.m_payload.pointer == b.m_payload.pointer;
    }
    return false;
}

}  // namespace quillet
