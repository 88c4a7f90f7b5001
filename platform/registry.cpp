#include "platform/registry.h"

#include <shlwapi.h>

#include <cstdlib>
#include <vector>

namespace platform {

std::string RegData::Text() const {
    size_t end = bytes.find('\0');
    return bytes.substr(0, end);
}

std::optional<DWORD> RegData::Dword() const {
    if (bytes.size() < sizeof(DWORD)) return std::nullopt;
    DWORD value = 0;
    memcpy(&value, bytes.data(), sizeof value);
    return value;
}

RegistryKey RegistryKey::Open(HKEY root, const std::string& path, REGSAM access) {
    RegistryKey key;
    if (RegOpenKeyExA(root, path.c_str(), 0, access, key.m_key.put()) != ERROR_SUCCESS) key.m_key.release();
    return key;
}

RegistryKey RegistryKey::Create(HKEY root, const std::string& path, REGSAM access) {
    RegistryKey key;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key.m_key.put(),
                        nullptr) != ERROR_SUCCESS) {
        key.m_key.release();
    }
    return key;
}

std::optional<RegData> RegistryKey::Read(const std::string& name) const {
    if (!m_key) return std::nullopt;
    RegData data;
    // The value may grow between the size query and the read: retry until it fits.
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD size = 0;
        LONG status = RegQueryValueExA(m_key.get(), name.c_str(), nullptr, &data.type, nullptr, &size);
        if (status != ERROR_SUCCESS) return std::nullopt;
        data.bytes.resize(size);
        status = RegQueryValueExA(m_key.get(), name.c_str(), nullptr, &data.type,
                                  reinterpret_cast<BYTE*>(data.bytes.data()), &size);
        if (status == ERROR_SUCCESS) {
            data.bytes.resize(size);
            return data;
        }
        if (status != ERROR_MORE_DATA) return std::nullopt;
    }
    return std::nullopt;
}

bool RegistryKey::Write(const std::string& name, DWORD type, const void* data, size_t size) {
    if (!m_key) return false;
    return RegSetValueExA(m_key.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data),
                          static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

bool RegistryKey::WriteString(const std::string& name, const std::string& text) {
    return Write(name, REG_SZ, text.c_str(), text.size() + 1);
}

bool RegistryKey::WriteExpandString(const std::string& name, const std::string& text) {
    return Write(name, REG_EXPAND_SZ, text.c_str(), text.size() + 1);
}

bool RegistryKey::WriteDword(const std::string& name, DWORD value) {
    return Write(name, REG_DWORD, &value, sizeof value);
}

bool RegistryKey::WriteBinary(const std::string& name, const void* data, size_t size) {
    return Write(name, REG_BINARY, data, size);
}

bool RegistryKey::DeleteValue(const std::string& name) {
    return m_key && RegDeleteValueA(m_key.get(), name.c_str()) == ERROR_SUCCESS;
}

bool KeyExists(HKEY root, const std::string& path) {
    return static_cast<bool>(RegistryKey::Open(root, path));
}

bool DeleteKeyTree(HKEY root, const std::string& path) {
    return SHDeleteKeyA(root, path.c_str()) == ERROR_SUCCESS;
}

std::string ExpandEnvironment(const std::string& text) {
    DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    if (needed == 0) return text;
    std::vector<char> buffer(needed + 1);
    DWORD written = ExpandEnvironmentStringsA(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (written == 0 || written > buffer.size()) return text;
    return std::string(buffer.data());
}

bool RedirectRegistryForTests(const char* variable) {
    return RedirectRegistryForTests(variable, {{HKEY_CURRENT_USER, "HKCU"}, {HKEY_LOCAL_MACHINE, "HKLM"}});
}

bool RedirectRegistryForTests(const char* variable, std::initializer_list<RegistryRedirect> redirects) {
    const char* root = std::getenv(variable);
    if (!root || !*root) return true;
    // Every key is opened before the first override: the paths lie under the
    // real HKEY_CURRENT_USER, which the override changes. They stay open for
    // the process.
    static std::vector<unique_hkey> keys;
    const size_t first = keys.size();
    for (const RegistryRedirect& redirect : redirects) {
        std::string path = std::string(root) + "\\" + redirect.subkey;
        keys.emplace_back();
        if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, keys.back().put(), nullptr) != ERROR_SUCCESS) {
            return false;
        }
    }
    size_t index = first;
    for (const RegistryRedirect& redirect : redirects) {
        if (RegOverridePredefKey(redirect.predefined, keys[index++].get()) != ERROR_SUCCESS) return false;
    }
    return true;
}

}  // namespace platform
