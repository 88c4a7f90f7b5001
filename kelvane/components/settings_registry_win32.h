// CRegistryEnhanced: typed values under a key built from company,
// application, version and section.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "kelvane/components/registry_path.h"
#include "kelvane/components/stored_value.h"

namespace kelvane {

class CRegistryEnhanced : public SettingsStore {
public:
    // Settings keys live under "\SOFTWARE\...", window positions under "\Software\...".
    enum class KeyKind { Settings, Positions };

    explicit CRegistryEnhanced(KeyKind kind = KeyKind::Settings, HKEY root = HKEY_CURRENT_USER);

    const RegistryParts& Parts() const { return m_parts; }
    void SetParts(const RegistryParts& parts) { m_parts = parts; }
    void SetCompany(const std::string& company) { m_parts.company = company; }
    void SetApplication(const std::string& application) { m_parts.application = application; }
    void SetVersion(const std::string& version) { m_parts.version = version; }
    void SetSection(const std::string& section) { m_parts.section = section; }

    HKEY Root() const { return m_root; }
    // "\SOFTWARE\company\application[\version][\section]".
    std::string KeyPath() const;
    bool KeyExists() const;

    // A value is addressed by name below the key; a name with backslashes
    // reaches into a subkey, and "(Default)" is the key's unnamed value.
    // Reading accepts strings, expandable strings (returned expanded), DWORDs
    // and binary data; anything else reads as missing.
    std::optional<StoredValue> ReadValue(const std::string& name) const override;

    // Typed reads: true when the value was there and converted; otherwise
    // `value` keeps what the caller put in it.
    bool ReadBool(const std::string& name, bool& value) const;
    bool ReadInteger(const std::string& name, int32_t& value) const;
    bool ReadString(const std::string& name, std::string& value) const;

    // Typed writes create the key when needed; false when it cannot be
    // created or the value not written. Booleans are DWORD 0 or 1.
    bool WriteBool(const std::string& name, bool value) override;
    bool WriteInteger(const std::string& name, int32_t value) override;
    bool WriteString(const std::string& name, const std::string& text) override;
    bool DeleteValue(const std::string& name);

private:
    KeyKind m_kind;
    HKEY m_root;
    RegistryParts m_parts;
};

}  // namespace kelvane
