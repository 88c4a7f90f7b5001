// The Win32 side of quillet's string tables: version facts of the program
// file, language libraries mapped from disk, the "Language" registry value,
// and the localisation of dialogs and menus.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "platform/handles.h"
#include "quillet/strings/language.h"

namespace quillet {

// The macro facts of a program file: version-resource fields, the fixed
// product version, the folder and name, and its last-write date in the
// user's short date format.
VersionFacts ReadVersionFacts(const std::string& programPath);

inline void unmap_view(const void* view) {
    ::UnmapViewOfFile(view);
}
using unique_view = platform::unique_any<const void*, unmap_view>;

// A library file mapped read-only for as long as the object lives. The file
// stays open without write sharing, so nobody can change it under the view.
class MappedLibraryFile : public LibraryImage {
public:
    // Null when the file cannot be opened or mapped (an empty file cannot).
    static std::unique_ptr<MappedLibraryFile> Open(const std::string& path);

    const uint8_t* Data() const override { return static_cast<const uint8_t*>(m_view.get()); }
    size_t Size() const override { return m_size; }

private:
    MappedLibraryFile() = default;
    platform::unique_hfile m_file;
    platform::unique_handle m_mapping;
    unique_view m_view;
    size_t m_size = 0;
};

// Libraries from the file system and the "Language" value under the
// program key of HKEY_CURRENT_USER.
class Win32LanguageEnvironment : public LanguageEnvironment {
public:
    explicit Win32LanguageEnvironment(std::string programKeyPath) : m_keyPath(std::move(programKeyPath)) {}
    std::optional<uint32_t> ReadLanguageValue() override;
    void WriteLanguageValue(uint32_t number) override;
    std::unique_ptr<LibraryImage> OpenLibrary(const std::string& path) override;
    std::vector<std::string> FindFiles(const std::string& pattern) override;

private:
    std::string m_keyPath;
};

// The language object of a program: facts from `module`'s file, libraries
// beside it, the setting under its program key. Not started yet.
std::unique_ptr<Language> CreateProgramLanguage(HMODULE module, std::function<void()> onSwitched = {});

// The start-up failure message: string-table entries 115 (text) and 116
// (caption) of `module`, macro-expanded; built-in texts where they are missing.
std::pair<std::string, std::string> NoLanguageMessage(const Language& language, HMODULE module);

// Starts the language; when no library can be loaded, tells the user in an
// owner-less error box and returns false (the program then ends).
bool StartProgramLanguage(Language& language, HMODULE module);

// Expands the keys of a window's own text and its direct children's texts
// (empty texts are left alone); children 1029 and 1030 get the icon resources
// 1 and 2 of `iconModule` as their static icon. True when every key was found.
bool LocalizeDialog(Language& language, HWND dialog, HMODULE iconModule = nullptr);

// Expands the keys of every item text of a menu and its submenus; separators,
// bitmaps and owner-drawn items are skipped. True when every key was found.
bool LocalizeMenu(Language& language, HMENU menu);

// The name of a language number's locale ("English", "German"); the number
// in decimal when the system knows no such language.
std::string LanguageDisplayName(uint16_t number);

}  // namespace quillet
