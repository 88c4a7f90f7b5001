// CWinSaver: remembers where a top-level window (a form) was, under
// "\Software\company\application[\version]\section".
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "kelvane/components/registry_path.h"
#include "kelvane/components/settings_registry_win32.h"
#include "kelvane/components/win_saver_rules.h"

namespace kelvane {

inline constexpr const char* kWinSaverOwnerMessage = "Owner of a Winsaver object must be a TForm descendant";

class CWinSaver {
public:
    struct Creation {
        std::unique_ptr<CWinSaver> saver;  // empty when refused
        std::string error;
    };
    // The owner must be a top-level window; anything else is refused with
    // kWinSaverOwnerMessage. `parts.section` names the positions subkey.
    static Creation Create(HWND owner, const RegistryParts& parts, CSaveOptions options);

    HWND Owner() const { return m_owner; }
    CSaveOptions Options() const { return m_options; }
    void SetOptions(CSaveOptions options) { m_options = options; }
    const CRegistryEnhanced& Registry() const { return m_registry; }
    CRegistryEnhanced& Registry() { return m_registry; }

    // The owner's show handling calls Restore after its own work, its close
    // handling calls Save after its own work. False when the window is not a
    // top-level window or (Save) a value could not be written.
    bool Restore() { return Restore(m_owner); }
    bool Save() { return Save(m_owner); }
    // The same for any top-level window, stored under its own class name.
    bool Restore(HWND form);
    bool Save(HWND form);

    static bool IsForm(HWND window);

private:
    CWinSaver(HWND owner, const RegistryParts& parts, CSaveOptions options);

    HWND m_owner;
    CSaveOptions m_options;
    CRegistryEnhanced m_registry{CRegistryEnhanced::KeyKind::Positions};
};

}  // namespace kelvane
