#include <memory>

#include "platform/registry.h"
#include "platform/version_info.h"
#include "quillet/strings/strings_win32.h"

namespace quillet {

namespace {

// Real libraries are a few kilobytes; the format's 24-bit offsets cannot
// reach past 16 MB of texts anyway. Larger files are not mapped.
constexpr LONGLONG kMaxLibrarySize = 32 * 1024 * 1024;

std::string LoadResourceString(HMODULE module, UINT id) {
    char text[1024];
    const int length = LoadStringA(module, id, text, sizeof text);
    return length > 0 ? std::string(text, length) : std::string();
}

}  // namespace

std::unique_ptr<MappedLibraryFile> MappedLibraryFile::Open(const std::string& path) {
    std::unique_ptr<MappedLibraryFile> library(new MappedLibraryFile());
    library->m_file.reset(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!library->m_file) return nullptr;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(library->m_file.get(), &size) || size.QuadPart <= 0 || size.QuadPart > kMaxLibrarySize) {
        return nullptr;
    }
    library->m_mapping.reset(CreateFileMappingA(library->m_file.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
    if (!library->m_mapping) return nullptr;
    library->m_view.reset(MapViewOfFile(library->m_mapping.get(), FILE_MAP_READ, 0, 0, 0));
    if (!library->m_view) return nullptr;
    library->m_size = static_cast<size_t>(size.QuadPart);
    return library;
}

std::optional<uint32_t> Win32LanguageEnvironment::ReadLanguageValue() {
    platform::RegistryKey key = platform::RegistryKey::Open(HKEY_CURRENT_USER, m_keyPath);
    std::optional<platform::RegData> data = key.Read(kLanguageValueName);
    if (!data || data->type != REG_DWORD) return std::nullopt;
    std::optional<DWORD> value = data->Dword();
    if (!value) return std::nullopt;
    return static_cast<uint32_t>(*value);
}

void Win32LanguageEnvironment::WriteLanguageValue(uint32_t number) {
    platform::RegistryKey key = platform::RegistryKey::Create(HKEY_CURRENT_USER, m_keyPath);
    key.WriteDword(kLanguageValueName, number);
}

std::unique_ptr<LibraryImage> Win32LanguageEnvironment::OpenLibrary(const std::string& path) {
    return MappedLibraryFile::Open(path);
}

std::vector<std::string> Win32LanguageEnvironment::FindFiles(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    platform::unique_hfind find(FindFirstFileA(pattern.c_str(), &found));
    if (!find) return names;
    do {
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)) continue;
        names.push_back(found.cFileName);
    } while (FindNextFileA(find.get(), &found));
    return names;
}

std::unique_ptr<Language> CreateProgramLanguage(HMODULE module, std::function<void()> onSwitched) {
    // GetModuleFileNameA already answers in the ANSI code page; converting
    // the path from OEM once more would garble non-ASCII folder names.
    VersionFacts facts = ReadVersionFacts(platform::ModulePath(module));
    auto environment = std::make_unique<Win32LanguageEnvironment>(ProgramKeyPath(facts));
    return std::make_unique<Language>(std::move(environment), std::move(facts), std::move(onSwitched));
}

std::pair<std::string, std::string> NoLanguageMessage(const Language& language, HMODULE module) {
    std::string text = LoadResourceString(module, 115);
    std::string caption = LoadResourceString(module, 116);
    if (text.empty()) text = kNoLanguageText;
    if (caption.empty()) caption = kNoLanguageCaption;
    return {language.ExpandMacros(text), language.ExpandMacros(caption)};
}

bool StartProgramLanguage(Language& language, HMODULE module) {
    if (language.Start()) return true;
    const auto [text, caption] = NoLanguageMessage(language, module);
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
    return false;
}

}  // namespace quillet
