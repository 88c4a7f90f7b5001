// CKelvane, the window manager's control component, and CKelvaneData, its
// settings data.
#pragma once

#include <functional>
#include <memory>

#include "kelvane/components/control_win32.h"
#include "kelvane/components/kelvane_settings.h"
#include "kelvane/components/window_list.h"

namespace kelvane {

using CWindowList = WindowList<HWND>;

class CKelvaneData : public CControlData {
public:
    using CControlData::CControlData;

    // Read by every part of the program; change through Settings() and then Save().
    const KelvaneSettings& Settings() const { return m_settings; }
    KelvaneSettings& Settings() { return m_settings; }

protected:
    void SetDefaults() override { m_settings.Defaults(); }
    void LoadValues(const CRegistryEnhanced& registry) override { m_settings.LoadFrom(registry); }
    bool SaveValues(CRegistryEnhanced& registry) override { return m_settings.SaveTo(registry); }

private:
    KelvaneSettings m_settings;
};

class CKelvane : public CControl {
public:
    using CControl::CControl;

    CKelvaneData& KelvaneData() { return static_cast<CKelvaneData&>(Data()); }
    const KelvaneSettings& Settings() { return KelvaneData().Settings(); }

    // Starts (true) or stops (false) the system hooks; called after every
    // save with "Add System Menu Commands".
    std::function<void(bool start)> pOnSwitchSystemHooks;

    // Windows the adjuster leaves alone, windows the program hid or made
    // topmost, and windows whose system menu got the commands (handles
    // only); then the window menu's two lists.
    CWindowList NeverAdjustWindows;
    CWindowList HiddenWindows;
    CWindowList TopmostWindows;
    CWindowList SystemMenuWindows;
    CWindowList ExplorerWindowList;
    CWindowList OtherWindowList;

protected:
    std::unique_ptr<CControlData> CreateData() override { return std::make_unique<CKelvaneData>(*this); }
    void DataAspectChanged(int aspect) override;
    virtual void SwitchSystemHooks(bool start) {
        if (pOnSwitchSystemHooks) pOnSwitchSystemHooks(start);
    }
};

}  // namespace kelvane
