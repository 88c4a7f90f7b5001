// Types shared by quillet's XML engine, its document and its object model:
// status results, the 16-byte class id, the tagged Value and a counted
// reference holder. Portable: no <windows.h>.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace quillet {

// Status results in the Windows convention: 0 success, 1 a negative answer or
// nothing found, negative values for failures. The numbers match the Windows
// codes so that they can cross to the Win32 side unchanged.
using Status = int32_t;
constexpr Status kStatusOk = 0;
constexpr Status kStatusFalse = 1;
constexpr Status kStatusNotImplemented = static_cast<Status>(0x80004001u);
constexpr Status kStatusNoInterface = static_cast<Status>(0x80004002u);
constexpr Status kStatusFail = static_cast<Status>(0x80004005u);
constexpr Status kStatusOutOfMemory = static_cast<Status>(0x8007000Eu);
constexpr Status kStatusInvalidArgument = static_cast<Status>(0x80070057u);
constexpr Status kStatusFileNotFound = static_cast<Status>(0x80030002u);
constexpr Status kStatusReadFault = static_cast<Status>(0x8003001Eu);
constexpr Status kStatusCantSave = static_cast<Status>(0x80030103u);

constexpr bool Succeeded(Status status) {
    return status >= 0;
}
constexpr bool Failed(Status status) {
    return status < 0;
}

// Same layout as the Windows GUID.
struct Guid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    uint8_t data4[8] = {};

    friend bool operator==(const Guid& a, const Guid& b) {
        if (a.data1 != b.data1 || a.data2 != b.data2 || a.data3 != b.data3) return false;
        for (int i = 0; i < 8; ++i)
            if (a.data4[i] != b.data4[i]) return false;
        return true;
    }
    friend bool operator!=(const Guid& a, const Guid& b) { return !(a == b); }
};

// Room for the decimal text of any 32-bit integer.
using DecimalBuffer = char[16];
// Writes the decimal text of `value` at the end of `buffer` and returns it.
std::string_view FormatDecimal(int32_t value, DecimalBuffer& buffer);

enum class ValueType : int32_t {
    Empty = 0,
    Text = 1,
    Integer = 2,
    Boolean = 3,
    IconHandle = 4,       // opaque, not owned by the Value
    ObjectReference = 5,  // opaque, not owned and not counted by the Value
};

// A tagged value: one type word and one payload. A Text value owns its
// NUL-terminated 8-bit string; the empty text is held as no string at all.
class Value {
public:
    Value() noexcept = default;
    ~Value() { Clear(); }
    Value(const Value& other);
    Value(Value&& other) noexcept;
    Value& operator=(const Value& other);
    Value& operator=(Value&& other) noexcept;

    static Value FromText(std::string_view text);
    static Value FromInteger(int32_t value);
    static Value FromBoolean(bool value);
    static Value FromIconHandle(void* handle);
    static Value FromObjectReference(void* object);

    ValueType Type() const { return m_type; }
    bool IsEmpty() const { return m_type == ValueType::Empty; }

    // Raw payload access; each returns the neutral answer ("", 0, false, null)
    // when the value is of another type. Use ChangeType or the To* helpers for
    // the conversion rules.
    const char* Text() const;  // never null
    std::string_view TextView() const { return Text(); }
    int32_t Integer() const { return m_type == ValueType::Integer ? m_payload.integer : 0; }
    bool Boolean() const { return m_type == ValueType::Boolean && m_payload.integer != 0; }
    void* IconHandle() const { return m_type == ValueType::IconHandle ? m_payload.pointer : nullptr; }
    void* ObjectReference() const { return m_type == ValueType::ObjectReference ? m_payload.pointer : nullptr; }

    // Frees a Text string; type and payload become 0.
    void Clear() noexcept;

    // Converts in place:
    //  - to its own type: unchanged, success;
    //  - to IconHandle or ObjectReference: kStatusInvalidArgument, unchanged;
    //  - to Empty: becomes Empty;
    //  - to Text: Integer and Boolean give signed decimal, anything else "";
    //  - to Integer: Boolean gives 0/1, Text is read as signed decimal, else 0;
    //  - to Boolean: the Integer conversion, then non-zero is 1.
    Status ChangeType(ValueType type);

    // Converted copies (the rules of ChangeType; a failed conversion gives the
    // neutral answer).
    std::string ToText() const;
    int32_t ToInteger() const;
    bool ToBoolean() const;

    friend bool operator==(const Value& a, const Value& b);
    friend bool operator!=(const Value& a, const Value& b) { return !(a == b); }

private:
    union Payload {
        char* text;
        int32_t integer;
        void* pointer;
    };
    ValueType m_type = ValueType::Empty;
    Payload m_payload{nullptr};
};

// Reads a decimal number the way the Value conversions do: optional leading
// blanks, optional sign, digits up to the first non-digit; nothing readable
// gives 0. Wraps to 32 bits instead of overflowing.
int32_t ParseSignedDecimal(std::string_view text);

// A counted reference to any object with AddRef() and Release().
template <typename T>
class RefPtr {
public:
    RefPtr() noexcept = default;
    RefPtr(std::nullptr_t) noexcept {}
    // Takes a new reference on object.
    explicit RefPtr(T* object) noexcept : m_object(object) {
        if (m_object) m_object->AddRef();
    }
    RefPtr(const RefPtr& other) noexcept : RefPtr(other.m_object) {}
    RefPtr(RefPtr&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    template <typename U>
    RefPtr(const RefPtr<U>& other) noexcept : RefPtr(other.Get()) {}
    ~RefPtr() { Reset(); }

    RefPtr& operator=(const RefPtr& other) noexcept {
        RefPtr(other).Swap(*this);
        return *this;
    }
    RefPtr& operator=(RefPtr&& other) noexcept {
        RefPtr(std::move(other)).Swap(*this);
        return *this;
    }

    // Adopts a reference the caller already owns (no AddRef).
    static RefPtr Adopt(T* object) noexcept {
        RefPtr result;
        result.m_object = object;
        return result;
    }
    // Hands the reference to the caller (no Release).
    T* Detach() noexcept { return std::exchange(m_object, nullptr); }

    void Reset() noexcept {
        if (T* object = std::exchange(m_object, nullptr)) object->Release();
    }
    void Swap(RefPtr& other) noexcept { std::swap(m_object, other.m_object); }

    T* Get() const noexcept { return m_object; }
    T* operator->() const noexcept { return m_object; }
    T& operator*() const noexcept { return *m_object; }
    explicit operator bool() const noexcept { return m_object != nullptr; }

    friend bool operator==(const RefPtr& a, const RefPtr& b) { return a.m_object == b.m_object; }
    friend bool operator!=(const RefPtr& a, const RefPtr& b) { return a.m_object != b.m_object; }
    friend bool operator==(const RefPtr& a, std::nullptr_t) { return a.m_object == nullptr; }
    friend bool operator!=(const RefPtr& a, std::nullptr_t) { return a.m_object != nullptr; }

private:
    T* m_object = nullptr;
};

}  // namespace quillet
