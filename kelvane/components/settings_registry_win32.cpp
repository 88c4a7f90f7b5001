#include "kelvane/components/settings_registry_win32.h"

#include "platform/registry.h"

namespace kelvane {

CRegistryEnhanced::CRegistryEnhanced(KeyKind kind, HKEY root) : m_kind(kind), m_root(root) {}

std::string CRegistryEnhanced::KeyPath() const {
    return m_kind == KeyKind::Settings ? SettingsKeyPath(m_parts) : PositionsKeyPath(m_parts);
}

bool CRegistryEnhanced::KeyExists() const {
    return platform::KeyExists(m_root, RelativeKeyPath(KeyPath()));
}

std::optional<StoredValue> CRegistryEnhanced::ReadValue(const std::string& name) const {
    ValueAddress address = AddressValue(KeyPath(), name);
    auto key = platform::RegistryKey::Open(m_root, RelativeKeyPath(address.keyPath));
    if (!key) return std::nullopt;
    std::optional<platform::RegData> data = key.Read(address.valueName);
    if (!data) return std::nullopt;
    switch (data->type) {
    case REG_SZ: return StoredValue::FromText(data->Text());
    case REG_EXPAND_SZ: return StoredValue::FromText(platform::ExpandEnvironment(data->Text()));
    case REG_DWORD:
        // A DWORD value written with fewer than four bytes is damaged: treat it as missing.
        if (auto number = data->Dword()) return StoredValue::FromDword(*number);
        return std::nullopt;
    case REG_BINARY: return StoredValue::FromBinary(data->bytes);
    default: return std::nullopt;
    }
}

bool CRegistryEnhanced::ReadBool(const std::string& name, bool& value) const {
    std::optional<StoredValue> stored = ReadValue(name);
    std::optional<bool> converted = stored ? AsBoolean(*stored) : std::nullopt;
    if (converted) value = *converted;
    return converted.has_value();
}

bool CRegistryEnhanced::ReadInteger(const std::string& name, int32_t& value) const {
    std::optional<StoredValue> stored = ReadValue(name);
    std::optional<int32_t> converted = stored ? AsInteger(*stored) : std::nullopt;
    if (converted) value = *converted;
    return converted.has_value();
}

bool CRegistryEnhanced::ReadString(const std::string& name, std::string& value) const {
    std::optional<StoredValue> stored = ReadValue(name);
    if (stored) value = AsText(*stored);
    return stored.has_value();
}

bool CRegistryEnhanced::WriteBool(const std::string& name, bool value) {
    return WriteInteger(name, value ? 1 : 0);
}

bool CRegistryEnhanced::WriteInteger(const std::string& name, int32_t value) {
    ValueAddress address = AddressValue(KeyPath(), name);
    auto key = platform::RegistryKey::Create(m_root, RelativeKeyPath(address.keyPath), KEY_WRITE);
    return key && key.WriteDword(address.valueName, static_cast<DWORD>(value));
}

bool CRegistryEnhanced::WriteString(const std::string& name, const std::string& text) {
    ValueAddress address = AddressValue(KeyPath(), name);
    auto key = platform::RegistryKey::Create(m_root, RelativeKeyPath(address.keyPath), KEY_WRITE);
    return key && key.WriteString(address.valueName, text);
}

bool CRegistryEnhanced::DeleteValue(const std::string& name) {
    ValueAddress address = AddressValue(KeyPath(), name);
    auto key = platform::RegistryKey::Open(m_root, RelativeKeyPath(address.keyPath), KEY_SET_VALUE);
    return key && key.DeleteValue(address.valueName);
}

}  // namespace kelvane
