#include "quillet/shellext/shell_extension_entries.h"

#include "quillet/model/class_id.h"

namespace quillet {

const Guid kShellExtensionClassId = {0xA31B1730, 0x068E, 0x11D2, {0xBA, 0x02, 0x00, 0x60, 0x08, 0x53, 0x6F, 0xD9}};

std::string ShellExtensionClassKeyPath() {
    return "CLSID\\" + ClassIdToText(kShellExtensionClassId);
}

std::string ShellExtensionServerKeyPath() {
    return ShellExtensionClassKeyPath() + "\\InProcServer32";
}

std::string HandlerKeyPath(std::string_view fileClass) {
    return std::string(fileClass) + "\\shellex\\ContextMenuHandlers\\AddToTray";
}

std::vector<RegistryEntry> ShellExtensionEntries(const ShellExtensionFacts& facts) {
    const std::string classId = ClassIdToText(kShellExtensionClassId);
    std::vector<RegistryEntry> entries = {
        {EntryRoot::Classes, ShellExtensionClassKeyPath(), "", facts.menuText},
        {EntryRoot::Classes, ShellExtensionServerKeyPath(), "", facts.libraryPath},
        {EntryRoot::Classes, ShellExtensionServerKeyPath(), kThreadingModelValueName, "Apartment"},
    };
    for (const char* fileClass : kHandlerFileClasses) {
        const std::string key = HandlerKeyPath(fileClass);
        entries.push_back({EntryRoot::Classes, key, "", classId});
        entries.push_back({EntryRoot::Classes, key, kAppPathValueName, facts.programPath});
        entries.push_back({EntryRoot::Classes, key, kWindowClassValueName, facts.windowClass});
    }
    entries.push_back({EntryRoot::LocalMachine, kApprovedKeyPath, classId, kApprovedText});
    return entries;
}

bool HandlerAllows(const HandlerSwitch& handler) {
    return !handler.keyExists || !handler.enabled || *handler.enabled != 0;
}

bool CommandEnabled(const HandlerSwitch& directory, const HandlerSwitch& folder) {
    return HandlerAllows(directory) && HandlerAllows(folder);
}

std::string MenuTextOrDefault(const std::optional<std::string>& classKeyText) {
    if (classKeyText && !classKeyText->empty()) return *classKeyText;
    return kDefaultMenuText;
}

bool CanHandOver(std::string_view path) {
    if (path.empty() || path.size() > kMaxHandOverPath) return false;
    for (char c : path) {
        // A quote would end the quoted argument early; control characters
        // are in no file name.
        if (c == '"' || static_cast<unsigned char>(c) < 0x20) return false;
    }
    return true;
}

std::string HandOverArguments(std::string_view path) {
    // The program's command line is split by the C runtime's rules, under
    // which backslashes right before a quote escape it: "C:\" would come
    // out as C:" followed by whatever comes next. Doubled, they stay
    // backslashes.
    size_t trailing = 0;
    while (trailing < path.size() && path[path.size() - 1 - trailing] == '\\') ++trailing;
    return "/N \"" + std::string(path) + std::string(trailing, '\\') + "\"";
}

}  // namespace quillet
