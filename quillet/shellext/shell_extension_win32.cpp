#include "quillet/shellext/shell_extension.h"

#include <windows.h>

#include <vector>

#include "platform/registry.h"
#include "platform/version_info.h"
#include "quillet/app/application.h"
#include "quillet/app/quillet_names.h"
#include "quillet/shellext/shell_extension_keys_win32.h"

namespace quillet {
namespace {

// The short form of a path. A path without one (the library is missing, or
// the volume keeps no short names) is registered as it is rather than as an
// empty text.
std::string ShortPath(const std::string& path) {
    DWORD needed = GetShortPathNameA(path.c_str(), nullptr, 0);
    if (needed == 0) return path;
    std::vector<char> buffer(needed + 1);
    DWORD length = GetShortPathNameA(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0 || length >= buffer.size()) return path;
    return std::string(buffer.data(), length);
}

bool WriteKeyValues(HKEY root, const std::string& keyPath, const std::vector<RegistryEntry>& values) {
    auto key = platform::RegistryKey::Create(root, keyPath, KEY_WRITE);
    if (!key) return false;
    bool written = true;
    for (const auto& value : values) written = key.WriteString(value.valueName, value.text) && written;
    return written;
}

// One key's values, machine-wide where allowed, else the per-user copy.
void WriteKeyValuesWhereAllowed(EntryRoot root, const std::string& keyPath, const std::vector<RegistryEntry>& values) {
    if (root == EntryRoot::Classes) {
        if (WriteKeyValues(HKEY_CLASSES_ROOT, keyPath, values)) return;
        WriteKeyValues(HKEY_CURRENT_USER, std::string(kUserClassesPath) + "\\" + keyPath, values);
    } else {
        if (WriteKeyValues(HKEY_LOCAL_MACHINE, keyPath, values)) return;
        WriteKeyValues(HKEY_CURRENT_USER, keyPath, values);
    }
}

}  // namespace

ShellExtensionFacts CurrentShellExtensionFacts() {
    Language& texts = App().Texts();
    ShellExtensionFacts facts;
    facts.menuText = texts.GetText("contextText").value_or(std::string());
    facts.libraryPath = ShortPath(texts.ExpandMacros(kHandlerLibraryPattern));
    facts.programPath = platform::ModulePath();
    facts.windowClass = texts.ExpandMacros(kMainWindowClassPattern);
    return facts;
}

void RegisterShellExtension() {
    RegisterShellExtension(CurrentShellExtensionFacts());
}

void RegisterShellExtension(const ShellExtensionFacts& facts) {
    // The entries come grouped by key; each key is written as one.
    auto entries = ShellExtensionEntries(facts);
    for (size_t first = 0; first < entries.size();) {
        size_t end = first;
        std::vector<RegistryEntry> values;
        while (end < entries.size() && entries[end].root == entries[first].root &&
               entries[end].keyPath == entries[first].keyPath) {
            values.push_back(entries[end++]);
        }
        WriteKeyValuesWhereAllowed(entries[first].root, entries[first].keyPath, values);
        first = end;
    }
}

bool IsShellExtensionEnabled() {
    return ReadCommandEnabled();
}

void SetShellExtensionEnabled(bool enabled) {
    // The class key's text is what Explorer shows: a language changed since
    // the start reaches it here.
    const std::string text = App().Texts().GetText("contextText").value_or(std::string());
    for (auto& key : OpenEveryClassesKey(ShellExtensionClassKeyPath(), KEY_SET_VALUE)) key.WriteString("", text);
    for (const char* fileClass : kHandlerFileClasses) {
        for (auto& key : OpenEveryClassesKey(HandlerKeyPath(fileClass), KEY_SET_VALUE))
            key.WriteDword(kEnabledValueName, enabled ? 1 : 0);
    }
}

}  // namespace quillet
