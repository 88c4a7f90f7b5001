// The language object: which language library is selected and loaded, the
// start-up choice with its fallbacks, lazy switching, and the text services
// (GetText, ExpandKeys, TranslateText, FormatText) over the loaded library.
// Portable: files and the registry are reached through LanguageEnvironment.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quillet/strings/key_expansion.h"
#include "quillet/strings/macros.h"
#include "quillet/strings/mlb_table.h"

namespace quillet {

constexpr uint16_t kEnglishLanguage = 9;
// GetText reads a library text up to this many characters.
constexpr size_t kMaxLibraryText = 2047;
// Registry value of the selected language under the program key.
constexpr const char* kLanguageValueName = "Language";
// Built-in texts of the start-up failure, used when the program's own string
// table lacks them.
constexpr const char* kNoLanguageText = "Cannot find any %pn language files.  %pn cannot run";
constexpr const char* kNoLanguageCaption = "%pn";

// The bytes of one opened library; readable until the object goes away.
class LibraryImage {
public:
    virtual ~LibraryImage() = default;
    virtual const uint8_t* Data() const = 0;
    virtual size_t Size() const = 0;
};

// Where the language object gets its files and keeps its setting.
class LanguageEnvironment {
public:
    virtual ~LanguageEnvironment() = default;
    // The stored "Language" value; nothing when absent or not a number.
    virtual std::optional<uint32_t> ReadLanguageValue() = 0;
    virtual void WriteLanguageValue(uint32_t number) = 0;
    // The library file at `path`, or null when it cannot be opened.
    virtual std::unique_ptr<LibraryImage> OpenLibrary(const std::string& path) = 0;
    // Names (without folder) of the visible files matching a wildcard
    // pattern, in the order the file system lists them.
    virtual std::vector<std::string> FindFiles(const std::string& pattern) = 0;
};

// "Software\<company short name>\<product name>" under HKEY_CURRENT_USER.
std::string ProgramKeyPath(const VersionFacts& facts);
// "<folder>\<internal name><number, 3 digits at least>.mlb".
std::string LibraryPath(const VersionFacts& facts, uint16_t number);
// "<folder>\<internal name>???.mlb".
std::string LibrarySearchPattern(const VersionFacts& facts);
// The language number of a library file name ("quillet007.mlb" -> 7), or
// nothing when the name is not the internal name, three digits and ".mlb".
std::optional<uint16_t> LibraryNumberFromFileName(std::string_view fileName, std::string_view internalName);
// "English (United States)" -> "English": the locale's language name without
// its trailing parenthesised qualifier and the blanks before it.
std::string StripLanguageQualifier(std::string_view name);

class Language {
public:
    // `onSwitched` runs after a lazy switch has loaded another library, so
    // that the program can refresh its language-dependent user interface.
    Language(std::unique_ptr<LanguageEnvironment> environment, VersionFacts facts,
             std::function<void()> onSwitched = {});
    ~Language();
    Language(const Language&) = delete;
    Language& operator=(const Language&) = delete;

    // Chooses and loads the start-up language: the stored one, else English,
    // else the first library in the program folder. A fallback is not written
    // back. False when no library could be loaded at all.
    bool Start();

    uint16_t GetLanguage() const { return m_selected; }
    // -1 until a library number has been loaded (or failed to load).
    int LoadedLanguage() const { return m_loaded; }
    bool HasLibrary() const { return m_table.has_value(); }
    // Selects another language and stores the choice; the library switches
    // at the next lookup.
    void SetLanguage(uint16_t number);
    // Performs a pending switch now rather than at the next lookup.
    void ApplySelectedLanguage();
    // Language numbers of the libraries in the program folder, in file order.
    std::vector<uint16_t> AvailableLanguages();

    const VersionFacts& Facts() const { return m_facts; }
    std::string ExpandMacros(std::string_view text) const;
    // The macro-expanded library text of a bare key, or nothing.
    std::optional<std::string> GetText(std::string_view key);
    Expansion ExpandKeys(std::string_view text);
    // The expansion when every key was found, else the text unchanged.
    std::string TranslateText(std::string_view text);
    // The expansion with its numbered inserts filled, or empty when a key
    // was missing.
    std::string FormatText(std::string_view text, const std::vector<std::string>& arguments);

private:
    bool Load(uint16_t number);
    void Release();
    const MlbTable* CurrentTable();

    std::unique_ptr<LanguageEnvironment> m_environment;
    VersionFacts m_facts;
    std::function<void()> m_onSwitched;
    uint16_t m_selected = kEnglishLanguage;
    int m_loaded = -1;
    std::unique_ptr<LibraryImage> m_image;
    std::optional<MlbTable> m_table;
};

}  // namespace quillet
