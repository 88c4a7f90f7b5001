#include "corvessa/recycle_rules.h"

#include <climits>

namespace corvessa {

namespace {

std::string_view TrimTrailingBlanks(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

// A decimal number with optional blanks around it and an optional sign.
std::optional<int> ParseIndex(std::string_view text) {
    size_t at = 0;
    while (at < text.size() && text[at] == ' ') ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
    size_t digitsStart = at;
    long long value = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        value = value * 10 + (text[at] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
        ++at;
    }
    if (at == digitsStart) return std::nullopt;
    while (at < text.size() && text[at] == ' ') ++at;
    if (at != text.size()) return std::nullopt;
    if (negative) value = -value;
    if (value > INT_MAX || value < INT_MIN) return std::nullopt;
    return static_cast<int>(value);
}

// Upper case as the ANSI code page of western Windows (1252) has it.
char UpperAnsi(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return static_cast<char>(u - 0x20);
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 0x20);
    switch (u) {
    case 0x9A: return static_cast<char>(0x8A);
    case 0x9C: return static_cast<char>(0x8C);
    case 0x9E: return static_cast<char>(0x8E);
    case 0xFF: return static_cast<char>(0x9F);
    default: return c;
    }
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (UpperAnsi(a[i]) != UpperAnsi(b[i])) return false;
    }
    return true;
}

}  // namespace

std::optional<IconLocation> SplitIconLocation(std::string_view text) {
    text = TrimTrailingBlanks(text);
    if (text.empty()) return std::nullopt;
    size_t comma = text.rfind(',');
    if (comma != std::string_view::npos) {
        if (auto index = ParseIndex(text.substr(comma + 1))) {
            return IconLocation{std::string(text.substr(0, comma)), *index};
        }
    }
    return IconLocation{std::string(text), 0};
}

std::string FormatIconLocation(const IconLocation& location) {
    return location.path + "," + std::to_string(location.index);
}

std::optional<std::string> NameToWrite(std::string_view typed, std::string_view current) {
    std::string_view name = TrimTrailingBlanks(typed);
    if (name.empty()) return std::nullopt;
    if (EqualIgnoringCase(name, TrimTrailingBlanks(current))) return std::nullopt;
    return std::string(name);
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '\\') path += '\\';
    path += name;
    return path;
}

StripMode StripModeForFilter(std::string_view filter) {
    for (std::string_view library : {"*.dll", "*.icl", "*.exe"}) {
        if (EqualIgnoringCase(filter, library)) return StripMode::Library;
    }
    return StripMode::SingleIcon;
}

Extraction ClassifyExtraction(std::uintptr_t handle) {
    if (handle == 0) return Extraction::PastLastIcon;
    if (handle == 1) return Extraction::NoIcons;
    return Extraction::Icon;
}

std::optional<unsigned> ExtractionIndex(int index) {
    if (index == -1) return std::nullopt;
    return static_cast<unsigned>(index);
}

std::optional<std::string> PositionText(const StripPosition& position) {
    if (position.IconCount() == 0) return std::nullopt;
    return "Icon # " + std::to_string(position.currentIndex) + " out of " + std::to_string(position.LastIndex());
}

HoverHints HintsAfterMove(HoverHints hints, PointerOver place) {
    switch (place) {
    case PointerOver::Background: return HoverHints{};
    case PointerOver::CloseLabel: return HoverHints{true, false, false};
    case PointerOver::HelpLabel: return HoverHints{false, true, false};
    case PointerOver::ApplyLabel: return HoverHints{false, false, true};
    case PointerOver::FileList: hints.applyBold = false; return hints;
    case PointerOver::PositionLabel:
        hints.helpHint = false;
        hints.applyBold = false;
        return hints;
    case PointerOver::Elsewhere: return hints;
    }
    return hints;
}

const char* CloseLabelText(const HoverHints& hints) {
    return hints.closeHint ? "exit" : "X";
}
const char* HelpLabelText(const HoverHints& hints) {
    return hints.helpHint ? "help" : "?";
}

}  // namespace corvessa
