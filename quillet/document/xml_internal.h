// Pieces shared by the XML engine's own sources; not for other callers.
#pragma once

#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "quillet/document/xml_document.h"

namespace quillet {

// The stored form of one attribute. Values live in the document's storage,
// so the tree holds no separately allocated strings.
struct XmlNode::Attribute {
    const char* name;  // interned
    ValueType type;
    uint32_t textLength;
    union {
        const char* text;  // never null for Text
        int32_t integer;
        void* pointer;
    } payload;

    Value ToValue() const {
        switch (type) {
        case ValueType::Text: return Value::FromText(std::string_view(payload.text, textLength));
        case ValueType::Integer: return Value::FromInteger(payload.integer);
        case ValueType::Boolean: return Value::FromBoolean(payload.integer != 0);
        case ValueType::IconHandle: return Value::FromIconHandle(payload.pointer);
        case ValueType::ObjectReference: return Value::FromObjectReference(payload.pointer);
        case ValueType::Empty: break;
        }
        return Value();
    }
};

// Everything a document's nodes point into: a bump allocator whose blocks are
// freed together with the document, and the table of interned names (element
// and attribute names repeat endlessly in a real document).
struct XmlDocument::Storage {
    static constexpr size_t kFirstBlockSize = 8 * 1024;
    static constexpr size_t kLargestBlockSize = 1024 * 1024;

    struct Name {
        const char* text;
        uint32_t length;
        uint32_t hash;
    };

    std::vector<char*> blocks;
    char* cursor = nullptr;
    char* limit = nullptr;
    size_t nextBlockSize = kFirstBlockSize;
    std::vector<Name> names;  // open addressing, size a power of two
    size_t nameCount = 0;

    Storage() = default;
    Storage(const Storage&) = delete;
    Storage& operator=(const Storage&) = delete;
    ~Storage();

    void* Allocate(size_t size, size_t alignment) {
        uintptr_t at = (reinterpret_cast<uintptr_t>(cursor) + alignment - 1) & ~(uintptr_t{alignment} - 1);
        if (cursor && size <= reinterpret_cast<uintptr_t>(limit) - at && at <= reinterpret_cast<uintptr_t>(limit)) {
            cursor = reinterpret_cast<char*>(at + size);
            return reinterpret_cast<char*>(at);
        }
        return AllocateSlow(size);
    }

    const char* CopyText(std::string_view text) {
        if (text.empty()) return "";
        char* copy = static_cast<char*>(Allocate(text.size() + 1, 1));
        std::memcpy(copy, text.data(), text.size());
        copy[text.size()] = '\0';
        return copy;
    }

    // Names repeat, so a small direct-mapped memo of recent names answers most
    // lookups before the hash table is consulted.
    const char* Intern(std::string_view name) {
        if (name.empty()) return "";
        Name& recent = recentNames[(name.size() * 31 + static_cast<unsigned char>(name[0])) % kRecentNames];
        if (recent.length == name.size() && SameBytes(recent.text, name)) return recent.text;
        const char* interned = InternSlow(name);
        recent = {interned, static_cast<uint32_t>(name.size()), 0};
        return interned;
    }

private:
    static constexpr size_t kRecentNames = 64;
    Name recentNames[kRecentNames] = {};

    static bool SameBytes(const char* a, std::string_view b) {
        for (size_t i = 0; i < b.size(); ++i)
            if (a[i] != b[i]) return false;
        return true;
    }
    const char* InternSlow(std::string_view name);
    void* AllocateSlow(size_t size);
    void GrowNames();
    static uint32_t HashName(std::string_view name);
};

inline XmlNode::XmlNode(XmlDocument* document, int32_t type, const char* name)
    : m_document(document), m_name(name), m_text(""), m_type(type) {}

inline void* XmlDocument::Allocate(size_t size) {
    return m_storage->Allocate(size, alignof(void*));
}

inline const char* XmlDocument::InternName(std::string_view name) {
    return m_storage->Intern(name);
}

inline const char* XmlDocument::CopyText(std::string_view text) {
    return m_storage->CopyText(text);
}

inline XmlNode* XmlDocument::NewNode(int32_t type, std::string_view name) {
    void* place = Allocate(sizeof(XmlNode));
    return new (place) XmlNode(this, type, type == XmlNode::kText ? "" : InternName(name));
}

inline char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

// The same for a NUL-terminated name, without measuring it first.
inline bool EqualsIgnoringCase(const char* a, std::string_view b) {
    for (size_t i = 0; i < b.size(); ++i)
        if (a[i] == '\0' || AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return a[b.size()] == '\0';
}

// Entity handling for text and attribute values (see xml_entities.cpp).
void AppendDecodedEntities(std::string_view text, std::string* out);
void AppendEncodedEntities(std::string_view text, std::string* out);

// The attribute typing of the reader: the exact text "-1", or a text that an
// unsigned C-style integer parse (0x hexadecimal, leading 0 octal, optional
// sign, kept as 32 bits) consumes in full, is an Integer.
bool ParseAttributeInteger(std::string_view text, int32_t* value);

struct StopSet;

// Builds a tree from a byte stream through one 4096-byte buffer.
class XmlReader {
public:
    XmlReader(XmlDocument& document, ByteStream& stream);
    XmlReader(const XmlReader&) = delete;
    XmlReader& operator=(const XmlReader&) = delete;

    // kStatusOk with the root, kStatusFalse when the bytes are not a document,
    // kStatusReadFault when the stream broke before the root was complete.
    Status ReadDocument(XmlNode** root);

private:
    enum class Result { Error, Node, EndTag, Nothing };

    Result ReadNode(int depth, XmlNode** node, std::string* endTagName);
    Result ReadElement(int depth, XmlNode** node, std::string* endTagName);
    bool ReadAttribute(XmlNode* node, char closing, char* current);
    bool ReadCData(XmlNode* node, std::string_view nameSoFar);

    // Character input with CR LF and lone CR read as LF. A NUL byte in the
    // input is never consumed: it reads as 0 like the end of input, and marks
    // the input as broken.
    bool Refill();
    // Up to `room` bytes of the stream at `at`; 0 at the end of the input.
    size_t ReadInto(char* at, size_t room);
    // Steps over a UTF-8 byte-order mark at the very start of the input.
    void SkipByteOrderMark();
    char Peek();
    char Read();
    void Unread();
    char PeekSlow();
    char ReadSlow();
    void SkipBlanks();
    // The input up to (not including) the first character in stop, which
    // must hold CR and NUL. Inside one buffer the result points into it and
    // stays valid until the next read past that character; otherwise it is
    // gathered in spill with line ends folded. *stopChar is the character
    // that ended it (LF for a CR when LF stops, 0 at the end of input).
    std::string_view Scan(const StopSet& stop, std::string* spill, char* stopChar);
    // Appends input up to the first character in stop, folding line ends;
    // returns that character (0 at the end of input), unconsumed.
    char AppendUntil(const StopSet& stop, std::string* out);
    // Element text: up to the next '<', line breaks dropped, trailing blanks
    // dropped.
    std::string_view CollectText(std::string* spill);
    void AppendText(std::string* out);
    void StoreText(XmlNode* node, std::string_view raw, bool decode);

    XmlDocument& m_document;
    ByteStream& m_stream;
    const char* m_position;
    const char* m_end;
    bool m_endOfInput = false;
    bool m_readFailed = false;
    bool m_sawNul = false;
    std::string m_scratch;
    std::string m_value;
    std::string m_decoded;
    char m_buffer[4096];
};

// Lays a document out through one 4096-byte buffer.
class XmlWriter {
public:
    explicit XmlWriter(ByteStream& stream) : m_stream(stream) {}
    XmlWriter(const XmlWriter&) = delete;
    XmlWriter& operator=(const XmlWriter&) = delete;

    Status WriteDocument(const XmlDocument& document);

private:
    void OpenNode(const XmlNode& node, int depth);
    void CloseNode(const XmlNode& node, int depth);
    void NewLine(int depth);
    void Put(char c) {
        if (m_used == sizeof m_buffer) Flush();
        m_buffer[m_used++] = c;
    }
    void Put(std::string_view text) {
        if (text.size() <= sizeof m_buffer - m_used) {
            std::memcpy(m_buffer + m_used, text.data(), text.size());
            m_used += text.size();
            return;
        }
        PutLong(text);
    }
    void PutLong(std::string_view text);
    void PutEncoded(std::string_view text);
    void PutDecimal(int32_t value);
    void Flush();

    ByteStream& m_stream;
    bool m_failed = false;
    size_t m_used = 0;
    char m_buffer[4096];
};

}  // namespace quillet
