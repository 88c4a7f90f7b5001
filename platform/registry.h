// Registry access: opening and creating keys, raw typed reads, typed writes.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>

#include "platform/handles.h"

namespace platform {

// One value as the registry holds it: its type (REG_SZ, REG_DWORD, ...) and
// its bytes, with no size limit of our own.
struct RegData {
    DWORD type = REG_NONE;
    std::string bytes;

    // REG_SZ / REG_EXPAND_SZ data as text, up to the first NUL (the stored
    // terminator, if any, is not part of the text).
    std::string Text() const;
    // REG_DWORD data; nullopt when the value holds fewer than four bytes.
    std::optional<DWORD> Dword() const;
};

class RegistryKey {
public:
    RegistryKey() = default;
    // Opens an existing key; the result is empty (false) when it cannot.
    static RegistryKey Open(HKEY root, const std::string& path, REGSAM access = KEY_READ);
    // Opens the key, creating it and any missing parents.
    static RegistryKey Create(HKEY root, const std::string& path, REGSAM access = KEY_READ | KEY_WRITE);

    explicit operator bool() const { return static_cast<bool>(m_key); }
    HKEY get() const { return m_key.get(); }

    // An empty name addresses the key's default value.
    std::optional<RegData> Read(const std::string& name) const;
    bool WriteString(const std::string& name, const std::string& text);
    bool WriteExpandString(const std::string& name, const std::string& text);
    bool WriteDword(const std::string& name, DWORD value);
    bool WriteBinary(const std::string& name, const void* data, size_t size);
    bool DeleteValue(const std::string& name);

private:
    bool Write(const std::string& name, DWORD type, const void* data, size_t size);
    unique_hkey m_key;
};

bool KeyExists(HKEY root, const std::string& path);
// Removes a key with all its subkeys and values.
bool DeleteKeyTree(HKEY root, const std::string& path);
// %NAME% references replaced by the environment's values.
std::string ExpandEnvironment(const std::string& text);

// A predefined key and the subkey of the scratch key it is redirected to.
struct RegistryRedirect {
    HKEY predefined;
    const char* subkey;
};

// When the environment variable `variable` names a key path under the real
// HKEY_CURRENT_USER, each of `redirects` (by default HKEY_CURRENT_USER to
// "HKCU" and HKEY_LOCAL_MACHINE to "HKLM") of this process becomes that
// subkey of it (created when missing), for the rest of the process, so that a
// test can run a program against a scratch registry. True when the variable
// is unset or the redirection is in place.
bool RedirectRegistryForTests(const char* variable);
bool RedirectRegistryForTests(const char* variable, std::initializer_list<RegistryRedirect> redirects);

}  // namespace platform
