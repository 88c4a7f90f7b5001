#include "quillet/strings/key_expansion.h"

namespace quillet {

namespace {

class KeyExpander {
public:
    explicit KeyExpander(const MlbTable* library) : m_library(library) {}

    void Expand(std::string_view text, int depth) {
        size_t i = 0;
        while (i < text.size() && m_result.size() < kMaxExpandedText) {
            if (text[i] != '$') {
                m_result += text[i++];
                continue;
            }
            if (i + 1 < text.size() && text[i + 1] == '$') {
                m_result += '$';
                i += 2;
                continue;
            }
            const size_t keyStart = i + 1;
            size_t keyEnd = keyStart;
            while (keyEnd < text.size() && text[keyEnd] != ' ' && text[keyEnd] != ';') ++keyEnd;
            Insert(text.substr(keyStart, keyEnd - keyStart), depth);
            i = keyEnd;
            if (i < text.size()) {
                if (text[i] == ' ') m_result += ' ';
                ++i;
            }
        }
        if (m_result.size() > kMaxExpandedText) m_result.resize(kMaxExpandedText);
    }

    Expansion Finish() { return {std::move(m_result), m_allFound}; }

private:
    void Insert(std::string_view key, int depth) {
        std::optional<std::string_view> found;
        if (m_library && depth < kMaxKeyNesting && m_lookups < kMaxKeyLookups) {
            ++m_lookups;
            found = m_library->Lookup(key);
        }
        if (!found) {
            m_allFound = false;
            return;
        }
        Expand(found->substr(0, kMaxExpandedText), depth + 1);
    }

    const MlbTable* m_library;
    std::string m_result;
    bool m_allFound = true;
    int m_lookups = 0;
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

Expansion ExpandKeys(std::string_view text, const MlbTable* library, const VersionFacts& facts) {
    KeyExpander expander(library);
    expander.Expand(text, 0);
    Expansion expansion = expander.Finish();
    expansion.text = ExpandMacros(expansion.text, facts);
    if (expansion.text.size() > kMaxExpandedText) expansion.text.resize(kMaxExpandedText);
    return expansion;
}

std::string FillInserts(std::string_view format, const std::vector<std::string>& arguments) {
    std::string result;
    size_t i = 0;
    while (i < format.size()) {
        const char c = format[i++];
        if (c != '%') {
            result += c;
            continue;
        }
        if (i >= format.size()) break;
        const char next = format[i++];
        if (IsDigit(next)) {
            int number = next - '0';
            if (number == 0) break;
            if (i < format.size() && IsDigit(format[i])) number = number * 10 + (format[i++] - '0');
            if (i < format.size() && format[i] == '!') {
                const size_t close = format.find('!', i + 1);
                if (close != std::string_view::npos) i = close + 1;
            }
            if (static_cast<size_t>(number) <= arguments.size()) result += arguments[number - 1];
        } else if (next == 'n') {
            result += "\r\n";
        } else if (next == 'r') {
            result += '\r';
        } else if (next == 't') {
            result += '\t';
        } else {
            result += next;
        }
    }
    return result;
}

}  // namespace quillet
