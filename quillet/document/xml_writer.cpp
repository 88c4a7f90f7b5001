#include <algorithm>
#include <array>
#include <cstring>

#include "quillet/document/xml_internal.h"

namespace quillet {
namespace {

bool IsMarkupName(const char* name, char first) {
    return name[0] == first && name[1] != '\0';
}

constexpr std::array<bool, 256> kNeedsEncoding = [] {
    std::array<bool, 256> table{};
    table['<'] = table['>'] = table['&'] = table['\''] = table['"'] = true;
    return table;
}();

bool NeedsEncoding(char c) {
    return kNeedsEncoding[static_cast<unsigned char>(c)];
}

// A line break followed by enough tabs for the usual depths.
constexpr std::string_view kLineBreakAndTabs = "\r\n\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t";

// Whether every element sits no deeper than the reader accepts, so that
// nothing is written that could not be read back. Walks the links like the
// writer below.
bool FitsTheReader(const XmlNode* root) {
    const XmlNode* node = root;
    int depth = 0;
    while (node) {
        if (node->GetType() == XmlNode::kElement && depth >= kXmlMaxDepth) return false;
        if (node->FirstChild()) {
            node = node->FirstChild();
            ++depth;
            continue;
        }
        while (node != root && !node->NextSibling()) {
            node = node->Parent();
            --depth;
        }
        node = node == root ? nullptr : node->NextSibling();
    }
    return true;
}

}  // namespace

Status XmlWriter::WriteDocument(const XmlDocument& document) {
    if (!FitsTheReader(document.Root())) return kStatusCantSave;
    Put("<?xml version=\"1.0\"?>\r\n");
    if (const XmlNode* root = document.Root()) {
        // Walks the links instead of recursing, so a deep tree built through the
        // API cannot exhaust the stack.
        const XmlNode* node = root;
        int depth = 0;
        for (;;) {
            OpenNode(*node, depth);
            if (node->m_type == XmlNode::kElement && node->m_firstChild && !IsMarkupName(node->m_name, '!') &&
                !IsMarkupName(node->m_name, '?')) {
                node = node->m_firstChild;
                ++depth;
                continue;
            }
            while (node != root && !node->m_nextSibling) {
                node = node->m_parent;
                --depth;
                CloseNode(*node, depth);
            }
            if (node == root) break;
            node = node->m_nextSibling;
        }
    }
    Put("\r\n");
    Flush();
    return m_failed ? kStatusCantSave : kStatusOk;
}

// Writes the node's start (and, when it has no children to follow, all of it).
void XmlWriter::OpenNode(const XmlNode& node, int depth) {
    NewLine(depth);
    std::string_view text = node.TextView();
    if (node.m_type != XmlNode::kElement) {
        PutEncoded(text);
        return;
    }
    const char* name = node.m_name;
    const std::string_view nameText(name);
    Put('<');
    Put(nameText);
    if (IsMarkupName(name, '!')) {
        // Only the exact name is read back as a CDATA section; a name that
        // differs in case laid out as one would gain "]]" on every save.
        bool cdata = std::strcmp(name, "![CDATA[") == 0;
        if (!text.empty()) {
            if (!cdata) Put(' ');
            Put(text);
        }
        if (std::strcmp(name, "!--") == 0)
            Put(" -->");
        else if (cdata)
            Put("]]>");
        else
            Put('>');
        return;
    }
    if (IsMarkupName(name, '?')) {
        Put("?>");
        return;
    }
    for (uint32_t i = 0; i < node.m_attributeCount; ++i) {
        const XmlNode::Attribute& attribute = node.m_attributes[i];
        Put(' ');
        Put(attribute.name);
        Put("=\"");
        switch (attribute.type) {
        case ValueType::Text: PutEncoded(std::string_view(attribute.payload.text, attribute.textLength)); break;
        case ValueType::Integer:
        case ValueType::Boolean: PutDecimal(attribute.payload.integer); break;
        default: break;
        }
        Put('"');
    }
    if (!node.m_firstChild && text.empty()) {
        Put("/>");
        return;
    }
    Put('>');
    PutEncoded(text);
    if (!node.m_firstChild) {
        Put("</");
        Put(nameText);
        Put('>');
    }
}

void XmlWriter::CloseNode(const XmlNode& node, int depth) {
    NewLine(depth);
    Put("</");
    Put(node.m_name);
    Put('>');
}

void XmlWriter::NewLine(int depth) {
    size_t tabs = static_cast<size_t>(depth);
    size_t inlineTabs = std::min(tabs, kLineBreakAndTabs.size() - 2);
    Put(kLineBreakAndTabs.substr(0, 2 + inlineTabs));
    for (size_t i = inlineTabs; i < tabs; ++i) Put('\t');
}

void XmlWriter::PutLong(std::string_view text) {
    while (!text.empty()) {
        if (m_used == sizeof m_buffer) Flush();
        size_t count = std::min(text.size(), sizeof m_buffer - m_used);
        std::memcpy(m_buffer + m_used, text.data(), count);
        m_used += count;
        text.remove_prefix(count);
    }
}

void XmlWriter::PutEncoded(std::string_view text) {
    size_t start = 0;
    size_t size = text.size();
    for (size_t i = 0; i < size; ++i) {
        // Most text needs nothing: step over it four characters at a time.
        while (i + 4 <= size && !NeedsEncoding(text[i]) && !NeedsEncoding(text[i + 1]) && !NeedsEncoding(text[i + 2]) &&
               !NeedsEncoding(text[i + 3]))
            i += 4;
        if (i == size) break;
        char c = text[i];
        if (!NeedsEncoding(c)) continue;
        Put(text.substr(start, i - start));
        switch (c) {
        case '<': Put("&lt;"); break;
        case '>': Put("&gt;"); break;
        case '&': Put("&amp;"); break;
        case '\'': Put("&apos;"); break;
        default: Put("&quot;"); break;
        }
        start = i + 1;
    }
    Put(text.substr(start));
}

void XmlWriter::PutDecimal(int32_t value) {
    DecimalBuffer digits;
    Put(FormatDecimal(value, digits));
}

void XmlWriter::Flush() {
    if (!m_failed && m_used != 0 && m_stream.Write(m_buffer, static_cast<uint32_t>(m_used)) != kStatusOk)
        m_failed = true;
    m_used = 0;
}

}  // namespace quillet
