#include "quillet/strings/language.h"

#include <cstdio>

namespace quillet {

namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// File names compare without regard to case, as the file system does.
bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

}  // namespace

std::string ProgramKeyPath(const VersionFacts& facts) {
    return quillet::ExpandMacros("Software\\%cs\\%pn", facts);
}

std::string LibraryPath(const VersionFacts& facts, uint16_t number) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%03u", static_cast<unsigned>(number));
    return facts.folder + "\\" + facts.internalName + digits + ".mlb";
}

std::string LibrarySearchPattern(const VersionFacts& facts) {
    return quillet::ExpandMacros("%bp\\%in???.mlb", facts);
}

std::optional<uint16_t> LibraryNumberFromFileName(std::string_view fileName, std::string_view internalName) {
    constexpr std::string_view kExtension = ".mlb";
    if (fileName.size() != internalName.size() + 3 + kExtension.size()) return std::nullopt;
    if (!EqualIgnoringCase(fileName.substr(0, internalName.size()), internalName)) return std::nullopt;
    if (!EqualIgnoringCase(fileName.substr(fileName.size() - kExtension.size()), kExtension)) return std::nullopt;
    uint16_t number = 0;
    for (char c : fileName.substr(internalName.size(), 3)) {
        if (c < '0' || c > '9') return std::nullopt;
        number = static_cast<uint16_t>(number * 10 + (c - '0'));
    }
    return number;
}

std::string StripLanguageQualifier(std::string_view name) {
    size_t end = name.size();
    while (end > 0 && name[end - 1] == ' ') --end;
    if (end > 0 && name[end - 1] == ')') {
        const size_t open = name.rfind('(', end - 1);
        if (open != std::string_view::npos) {
            end = open;
            while (end > 0 && name[end - 1] == ' ') --end;
        }
    }
    return std::string(name.substr(0, end));
}

Language::Language(std::unique_ptr<LanguageEnvironment> environment, VersionFacts facts,
                   std::function<void()> onSwitched)
    : m_environment(std::move(environment)), m_facts(std::move(facts)), m_onSwitched(std::move(onSwitched)) {}

Language::~Language() {
    Release();
}

bool Language::Start() {
    uint16_t stored = kEnglishLanguage;
    // Language numbers are 16 bits; a larger stored value cannot name a
    // library and counts as no choice.
    if (std::optional<uint32_t> value = m_environment->ReadLanguageValue(); value && *value <= 0xFFFF) {
        stored = static_cast<uint16_t>(*value);
    }

    bool loaded = Load(stored);
    if (!loaded && stored != kEnglishLanguage) loaded = Load(kEnglishLanguage);
    if (!loaded) {
        // Any library present will do; a file that cannot be used does not
        // stop the search for the next one.
        for (uint16_t number : AvailableLanguages()) {
            if (Load(number)) {
                loaded = true;
                break;
            }
        }
    }
    if (!loaded) return false;
    m_selected = static_cast<uint16_t>(m_loaded);
    return true;
}

void Language::SetLanguage(uint16_t number) {
    if (number == m_selected) return;
    m_selected = number;
    m_environment->WriteLanguageValue(number);
}

void Language::ApplySelectedLanguage() {
    if (m_loaded == m_selected) return;
    Load(m_selected);
    // A library that cannot be loaded leaves every key unresolved; it is not
    // retried at every lookup.
    m_loaded = m_selected;
    if (m_onSwitched) m_onSwitched();
}

std::vector<uint16_t> Language::AvailableLanguages() {
    std::vector<uint16_t> numbers;
    for (const std::string& name : m_environment->FindFiles(LibrarySearchPattern(m_facts))) {
        if (std::optional<uint16_t> number = LibraryNumberFromFileName(name, m_facts.internalName)) {
            numbers.push_back(*number);
        }
    }
    return numbers;
}

bool Language::Load(uint16_t number) {
    Release();
    m_loaded = number;
    std::unique_ptr<LibraryImage> image = m_environment->OpenLibrary(LibraryPath(m_facts, number));
    if (!image) return false;
    std::optional<MlbTable> table = MlbTable::Parse(image->Data(), image->Size());
    if (!table) return false;
    m_image = std::move(image);
    m_table = table;
    return true;
}

void Language::Release() {
    m_table.reset();
    m_image.reset();
}

const MlbTable* Language::CurrentTable() {
    ApplySelectedLanguage();
    return m_table ? &*m_table : nullptr;
}

std::string Language::ExpandMacros(std::string_view text) const {
    return quillet::ExpandMacros(text, m_facts);
}

std::optional<std::string> Language::GetText(std::string_view key) {
    const MlbTable* table = CurrentTable();
    if (!table) return std::nullopt;
    std::optional<std::string_view> text = table->Lookup(key);
    if (!text) return std::nullopt;
    return ExpandMacros(text->substr(0, kMaxLibraryText));
}

Expansion Language::ExpandKeys(std::string_view text) {
    return quillet::ExpandKeys(text, CurrentTable(), m_facts);
}

std::string Language::TranslateText(std::string_view text) {
    Expansion expansion = ExpandKeys(text);
    return expansion.allFound ? std::move(expansion.text) : std::string(text);
}

std::string Language::FormatText(std::string_view text, const std::vector<std::string>& arguments) {
    Expansion expansion = ExpandKeys(text);
    if (!expansion.allFound) return {};
    return FillInserts(expansion.text, arguments);
}

}  // namespace quillet
