#include "quillet/shellext/shell_extension_keys_win32.h"

namespace quillet {
namespace {

std::string UserClassesPath(const std::string& path) {
    return std::string(kUserClassesPath) + "\\" + path;
}

}  // namespace

platform::RegistryKey OpenClassesKey(const std::string& path, REGSAM access) {
    if (auto key = platform::RegistryKey::Open(HKEY_CURRENT_USER, UserClassesPath(path), access)) return key;
    return platform::RegistryKey::Open(HKEY_CLASSES_ROOT, path, access);
}

std::vector<platform::RegistryKey> OpenEveryClassesKey(const std::string& path, REGSAM access) {
    std::vector<platform::RegistryKey> keys;
    if (auto key = platform::RegistryKey::Open(HKEY_CURRENT_USER, UserClassesPath(path), access))
        keys.push_back(std::move(key));
    if (auto key = platform::RegistryKey::Open(HKEY_CLASSES_ROOT, path, access)) keys.push_back(std::move(key));
    return keys;
}

HandlerSwitch ReadHandlerSwitch(const char* fileClass) {
    HandlerSwitch handler;
    auto key = OpenClassesKey(HandlerKeyPath(fileClass));
    handler.keyExists = static_cast<bool>(key);
    if (key) {
        if (auto data = key.Read(kEnabledValueName); data && data->type == REG_DWORD) handler.enabled = data->Dword();
    }
    return handler;
}

bool ReadCommandEnabled() {
    return CommandEnabled(ReadHandlerSwitch(kHandlerFileClasses[0]), ReadHandlerSwitch(kHandlerFileClasses[1]));
}

std::optional<std::string> ReadText(const platform::RegistryKey& key, const std::string& name) {
    if (!key) return std::nullopt;
    auto data = key.Read(name);
    if (!data || (data->type != REG_SZ && data->type != REG_EXPAND_SZ)) return std::nullopt;
    return data->Text();
}

}  // namespace quillet
