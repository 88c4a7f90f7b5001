// The registry entries of the Recycle Bin that corvessa reads and writes.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles.h"

namespace corvessa {

extern const char* const kRecycleBinKey;
extern const char* const kRecycleBinIconKey;
extern const char* const kWindowMetricsKey;
extern const char* const kShellIconSizeValue;

// The text of a string value; empty when it cannot be read. REG_EXPAND_SZ
// data comes back with its %NAME% references expanded when `expand` is set.
std::string ReadText(HKEY root, const std::string& key, const std::string& name, bool expand = false);

// Writes `text` as REG_SZ, creating the key if needed.
bool WriteText(HKEY root, const std::string& key, const std::string& name, const std::string& text);

// Makes the shell rebuild its icons, as it does when the icon size metric
// changes: "Shell Icon Size" reads "31" during a WM_WININICHANGE broadcast
// and as before afterwards.
void RefreshShellIcons();

// When the test variable names a key, HKEY_LOCAL_MACHINE, HKEY_USERS and
// HKEY_CLASSES_ROOT of this process point at subkeys of it while this object
// lives.
class TestRegistryRedirect {
public:
    TestRegistryRedirect() = default;
    ~TestRegistryRedirect();
    TestRegistryRedirect(const TestRegistryRedirect&) = delete;
    TestRegistryRedirect& operator=(const TestRegistryRedirect&) = delete;

    // False when a redirection was asked for and could not be made.
    bool Start();

private:
    platform::unique_hkey m_keys[3];
};

}  // namespace corvessa
