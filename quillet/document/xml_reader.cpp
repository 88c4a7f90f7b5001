#include <algorithm>
#include <array>
#include <cstring>

#include "quillet/document/xml_internal.h"

namespace quillet {

// The characters that end a run of input. Every set also holds CR (line ends
// are folded on the slow path) and NUL (the end of input or a NUL byte).
struct StopSet {
    std::array<bool, 256> table{};
};

namespace {

using CharSet = std::array<bool, 256>;

constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

constexpr StopSet MakeSet(const char* members, bool withBlanks) {
    StopSet set;
    for (const char* p = members; *p; ++p) set.table[static_cast<unsigned char>(*p)] = true;
    if (withBlanks) set.table[' '] = set.table['\t'] = set.table['\n'] = true;
    set.table['\r'] = set.table[0] = true;
    return set;
}

constexpr StopSet kTagNameStop = MakeSet(">/", true);
// "<?name?>", as the writer lays such a node out, must end its name at the '?'.
constexpr StopSet kDeclarationNameStop = MakeSet(">/?", true);
constexpr StopSet kAttributeNameStop = MakeSet("=", true);
constexpr StopSet kQuotedValueStop = MakeSet("\"", false);
constexpr StopSet kUnquotedValueStop = MakeSet(">/", true);
constexpr StopSet kUnquotedValueStopInDeclaration = MakeSet(">?", true);
constexpr StopSet kGreaterStop = MakeSet(">", false);
constexpr StopSet kDashStop = MakeSet("-", false);
constexpr StopSet kTextStop = MakeSet("<\n", false);

constexpr CharSet kBlanks = [] {
    CharSet set{};
    set[' '] = set['\t'] = set['\n'] = set['\r'] = true;
    return set;
}();

// The first character of [p, end) that is in the set, or end.
inline const char* FindStop(const char* p, const char* end, const StopSet& set) {
    while (end - p >= 4) {
        if (set.table[static_cast<unsigned char>(p[0])]) return p;
        if (set.table[static_cast<unsigned char>(p[1])]) return p + 1;
        if (set.table[static_cast<unsigned char>(p[2])]) return p + 2;
        if (set.table[static_cast<unsigned char>(p[3])]) return p + 3;
        p += 4;
    }
    while (p < end && !set.table[static_cast<unsigned char>(*p)]) ++p;
    return p;
}

constexpr std::string_view kCDataName = "![CDATA[";

// Exact comparison of a stored name with one just read.
bool SameName(const char* stored, std::string_view name) {
    for (size_t i = 0; i < name.size(); ++i)
        if (stored[i] != name[i] || stored[i] == '\0') return false;
    return stored[name.size()] == '\0';
}

std::string_view WithoutTrailingBlanks(std::string_view text) {
    size_t size = text.size();
    while (size > 0 && IsBlank(text[size - 1])) --size;
    return text.substr(0, size);
}

}  // namespace

XmlReader::XmlReader(XmlDocument& document, ByteStream& stream)
    : m_document(document), m_stream(stream), m_position(m_buffer), m_end(m_buffer) {}

size_t XmlReader::ReadInto(char* at, size_t room) {
    if (m_endOfInput) return 0;
    uint32_t count = 0;
    if (Failed(m_stream.Read(at, static_cast<uint32_t>(room), &count))) {
        m_readFailed = true;
        count = 0;
    }
    if (count == 0) m_endOfInput = true;
    return std::min<size_t>(count, room);
}

bool XmlReader::Refill() {
    size_t count = ReadInto(m_buffer, sizeof m_buffer);
    if (count == 0) return false;
    m_position = m_buffer;
    m_end = m_buffer + count;
    return true;
}

void XmlReader::SkipByteOrderMark() {
    // A file saved as UTF-8 by a text editor often starts with the mark; read
    // as markup it would become a Text root. Nothing has been read yet, and a
    // stream may hand the first bytes over in pieces.
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    size_t have = 0;
    while (have < kMark.size() && !m_endOfInput) have += ReadInto(m_buffer + have, sizeof m_buffer - have);
    m_position = m_buffer;
    m_end = m_buffer + have;
    if (std::string_view(m_buffer, have).substr(0, kMark.size()) == kMark) m_position += kMark.size();
}

inline char XmlReader::Peek() {
    if (m_position < m_end && *m_position != '\0') return *m_position;
    return PeekSlow();
}

inline char XmlReader::Read() {
    if (m_position < m_end) {
        char c = *m_position;
        if (c != '\r' && c != '\0') {
            ++m_position;
            return c;
        }
    }
    return ReadSlow();
}

// Steps back over the character the last Read returned. Valid only when that
// character was neither 0 nor a line end: it then sits right before the
// position in the current buffer, even if that read refilled the buffer.
inline void XmlReader::Unread() {
    --m_position;
}

char XmlReader::PeekSlow() {
    if (m_position == m_end && !Refill()) return '\0';
    char c = *m_position;
    if (c == '\0') m_sawNul = true;
    return c;
}

char XmlReader::ReadSlow() {
    char c = PeekSlow();
    if (c == '\0') return c;
    ++m_position;
    if (c != '\r') return c;
    if (Peek() == '\n') ++m_position;
    return '\n';
}

void XmlReader::SkipBlanks() {
    for (;;) {
        if (m_position == m_end && !Refill()) return;
        while (m_position < m_end && kBlanks[static_cast<unsigned char>(*m_position)]) ++m_position;
        if (m_position < m_end) return;
    }
}

std::string_view XmlReader::Scan(const StopSet& stop, std::string* spill, char* stopChar) {
    const char* p = FindStop(m_position, m_end, stop);
    if (p < m_end && *p != '\r' && *p != '\0') {
        std::string_view token(m_position, static_cast<size_t>(p - m_position));
        m_position = p;
        *stopChar = *p;
        return token;
    }
    spill->assign(m_position, static_cast<size_t>(p - m_position));
    m_position = p;
    *stopChar = AppendUntil(stop, spill);
    return *spill;
}

char XmlReader::AppendUntil(const StopSet& stop, std::string* out) {
    for (;;) {
        if (m_position == m_end && !Refill()) return '\0';
        const char* p = FindStop(m_position, m_end, stop);
        out->append(m_position, static_cast<size_t>(p - m_position));
        m_position = p;
        if (p == m_end) continue;
        char c = *p;
        if (c == '\0') {
            m_sawNul = true;
            return c;
        }
        if (c != '\r') return c;
        // A CR reads as LF: stop before it when LF stops, else take it (and an
        // LF right after it) as one LF.
        if (stop.table[static_cast<unsigned char>('\n')]) return '\n';
        ReadSlow();
        out->push_back('\n');
    }
}

std::string_view XmlReader::CollectText(std::string* spill) {
    char stop;
    std::string_view text = Scan(kTextStop, spill, &stop);
    if (stop == '\n') {
        if (text.data() != spill->data()) spill->assign(text.data(), text.size());
        do {
            Read();  // line breaks inside text vanish
        } while (AppendUntil(kTextStop, spill) == '\n');
        text = *spill;
    }
    return WithoutTrailingBlanks(text);
}

void XmlReader::AppendText(std::string* out) {
    while (AppendUntil(kTextStop, out) == '\n') Read();
    out->resize(WithoutTrailingBlanks(*out).size());
}

void XmlReader::StoreText(XmlNode* node, std::string_view raw, bool decode) {
    std::string_view text = raw;
    if (decode && raw.find('&') != std::string_view::npos) {
        m_decoded.clear();
        AppendDecodedEntities(raw, &m_decoded);
        text = m_decoded;
    }
    node->m_text = m_document.CopyText(text);
    node->m_textLength = static_cast<uint32_t>(text.size());
}

Status XmlReader::ReadDocument(XmlNode** root) {
    *root = nullptr;
    std::string endTagName;
    XmlNode* node = nullptr;
    auto readNext = [&] {
        node = nullptr;
        return ReadNode(0, &node, &endTagName) == Result::Node;
    };
    auto failure = [&] { return m_readFailed ? kStatusReadFault : kStatusFalse; };

    SkipByteOrderMark();
    if (!readNext()) return failure();
    if (EqualsIgnoringCase(node->m_name, "?xml")) {
        if (const XmlNode::Attribute* version = node->FindAttribute("version")) {
            if (version->type != ValueType::Text ||
                !EqualsIgnoringCase(std::string_view(version->payload.text, version->textLength), "1.0"))
                return failure();
        }
        if (!readNext()) return failure();
    }
    bool rootNameRequired = false;
    std::string requiredRootName;
    while (node->m_name[0] == '!') {
        if (EqualsIgnoringCase(node->m_name, "!DOCTYPE")) {
            std::string_view text = node->TextView();
            requiredRootName = text.substr(0, text.find(' '));
            rootNameRequired = true;
        }
        if (!readNext()) return failure();
    }
    if (rootNameRequired && requiredRootName != node->m_name) return failure();
    // The root may have been completed by the end of the input; a broken stream
    // or a NUL byte there means the input ended early, so the tree is not the
    // document.
    if (m_readFailed) return kStatusReadFault;
    if (m_sawNul) return kStatusFalse;
    *root = node;
    return kStatusOk;
}

XmlReader::Result XmlReader::ReadNode(int depth, XmlNode** node, std::string* endTagName) {
    for (;;) {
        SkipBlanks();
        char c = Read();
        if (c == '<') return ReadElement(depth, node, endTagName);
        if (c == '\0') return Result::Nothing;
        Unread();
        m_scratch.clear();
        AppendText(&m_scratch);
        XmlNode* text = m_document.NewNode(XmlNode::kText, "");
        StoreText(text, m_scratch, true);
        // Text made of unknown entities (and blanks) can decode to nothing but
        // blanks; such a Text node would read back as nothing, so none is made.
        if (WithoutTrailingBlanks(text->TextView()).empty()) continue;
        *node = text;
        return Result::Node;
    }
}

XmlReader::Result XmlReader::ReadElement(int depth, XmlNode** result, std::string* endTagName) {
    char first = Peek();
    char stop;
    std::string_view name;
    if (first == '?') {
        m_scratch.assign(1, Read());
        AppendUntil(kDeclarationNameStop, &m_scratch);
        name = m_scratch;
    } else {
        bool endTag = first == '/';
        if (endTag) Read();
        name = Scan(kTagNameStop, &m_scratch, &stop);
        if (endTag) {
            endTagName->assign(name.data(), name.size());
            char c = Read();
            if (IsBlank(c)) {
                SkipBlanks();
                c = Read();
            }
            return c == '>' ? Result::EndTag : Result::Error;
        }
        if (name.substr(0, kCDataName.size()) == kCDataName) {
            if (depth >= kXmlMaxDepth) return Result::Error;
            XmlNode* node = m_document.NewNode(XmlNode::kElement, kCDataName);
            if (!ReadCData(node, name)) return Result::Error;
            *result = node;
            return Result::Node;
        }
    }
    if (depth >= kXmlMaxDepth) return Result::Error;
    XmlNode* node = m_document.NewNode(XmlNode::kElement, name);
    const char* nodeName = node->m_name;
    char closing = nodeName[0] == '?' ? '?' : nodeName[0] == '!' ? '\0' : '/';

    char c = Read();
    if (IsBlank(c)) {
        SkipBlanks();
        c = Read();
    }

    std::string& text = m_scratch;  // the name is interned now
    text.clear();
    if (nodeName[0] == '!' && std::strcmp(nodeName, "!--") == 0) {
        if (c != '-') {
            if (c == '\0') return Result::Error;
            text.push_back(c);
            if (AppendUntil(kDashStop, &text) == '\0') return Result::Error;
            Read();
        }
        if (Read() != '-' || Read() != '>') return Result::Error;
        c = '>';
    }

    while (c != '\0') {
        if (c == '>') {
            if (!closing) {
                StoreText(node, WithoutTrailingBlanks(text), false);
                *result = node;
                return Result::Node;
            }
            SkipBlanks();
            StoreText(node, CollectText(&m_scratch), true);
            for (;;) {
                XmlNode* child = nullptr;
                switch (ReadNode(depth + 1, &child, endTagName)) {
                case Result::Nothing: *result = node; return Result::Node;
                case Result::Error: return Result::Error;
                case Result::Node: node->LinkBefore(child, nullptr); continue;
                case Result::EndTag:
                    if (endTagName->empty() || SameName(nodeName, *endTagName)) {
                        *result = node;
                        return Result::Node;
                    }
                    // An end tag for an outer element: this one is left out, with
                    // everything inside it, and the tag goes up to be matched there.
                    return Result::EndTag;
                }
            }
        }
        if (closing && c == closing) {
            SkipBlanks();
            if (Read() != '>') return Result::Error;
            *result = node;
            return Result::Node;
        }
        if (closing) {
            if (!ReadAttribute(node, closing, &c)) return Result::Error;
            continue;
        }
        text.push_back(c);
        AppendUntil(kGreaterStop, &text);
        c = Read();
    }
    // The input ended inside the element; it stands as read so far.
    if (!closing) StoreText(node, text, false);
    *result = node;
    return Result::Node;
}

bool XmlReader::ReadAttribute(XmlNode* node, char closing, char* current) {
    if (*current == '=') return false;
    Unread();
    char stop;
    std::string_view name = Scan(kAttributeNameStop, &m_value, &stop);
    if (stop != '=') return false;
    // The slot is made before the value is read: reading may refill the
    // buffer the name was scanned from. A failure below fails the whole load.
    XmlNode::Attribute* attribute = node->AttributeSlot(name);
    Read();

    std::string_view value;
    char c = Read();
    if (c == '"') {
        value = Scan(kQuotedValueStop, &m_value, &stop);
        if (stop != '"') return false;
        Read();  // the quote sits in the buffer, so the value stays valid
    } else {
        if (c == '\0' || IsBlank(c) || c == '>' || c == closing) return false;
        Unread();
        m_value.clear();
        const StopSet& stopSet = closing == '?' ? kUnquotedValueStopInDeclaration : kUnquotedValueStop;
        if (AppendUntil(stopSet, &m_value) == '\0') return false;
        value = m_value;
    }

    int32_t integer = 0;
    if (ParseAttributeInteger(value, &integer)) {
        attribute->type = ValueType::Integer;
        attribute->textLength = 0;
        attribute->payload.integer = integer;
    } else {
        if (value.find('&') != std::string_view::npos) {
            m_decoded.clear();
            AppendDecodedEntities(value, &m_decoded);
            value = m_decoded;
        }
        attribute->type = ValueType::Text;
        attribute->textLength = static_cast<uint32_t>(value.size());
        attribute->payload.text = m_document.CopyText(value);
    }
    SkipBlanks();
    *current = Read();
    return true;
}

// nameSoFar starts with "![CDATA[" and holds whatever followed it up to the
// character that stopped the name; the body runs to the first "]]>".
bool XmlReader::ReadCData(XmlNode* node, std::string_view nameSoFar) {
    std::string& body = m_value;
    body.assign(nameSoFar.substr(kCDataName.size()));
    for (;;) {
        if (AppendUntil(kGreaterStop, &body) == '\0') return false;
        Read();
        if (body.size() >= 2 && body.compare(body.size() - 2, 2, "]]") == 0) {
            body.resize(body.size() - 2);
            break;
        }
        body.push_back('>');
    }
    StoreText(node, body, false);
    return true;
}

}  // namespace quillet
