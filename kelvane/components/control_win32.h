// CControl, the application control component, and CControlData, the base
// of the settings data objects it owns.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "kelvane/components/settings_registry_win32.h"
#include "kelvane/components/stored_value.h"
#include "kelvane/components/win_saver_rules.h"
#include "kelvane/components/win_saver_win32.h"

namespace kelvane {

class CControl;

// Settings data with a defaults / load / save cycle. It is made by its
// control (CControl::Data), so it always has one.
class CControlData {
public:
    explicit CControlData(CControl& control) : m_control(control) {}
    virtual ~CControlData() = default;
    CControlData(const CControlData&) = delete;
    CControlData& operator=(const CControlData&) = delete;

    CControl& Control() const { return m_control; }

    // Every field back to its default; nothing is written.
    void Defaults() { SetDefaults(); }
    // Reads the values when the settings key exists (missing ones keep what
    // they hold) and tells the control (aspect 100) unless the object is
    // still being created. False when there is no settings key.
    bool Load();
    // Writes every value, then tells the control (aspect 101). False when a
    // value could not be written; the control is told all the same, since
    // the values in memory are the ones in force.
    bool Save();

protected:
    virtual void SetDefaults() {}
    virtual void LoadValues(const CRegistryEnhanced&) {}
    virtual bool SaveValues(CRegistryEnhanced&) { return true; }

private:
    friend class CControl;
    CControl& m_control;
    bool m_creating = false;
};

// Marks HintColor as a system colour index (COLOR_INFOBK, ...) rather than an RGB value.
inline constexpr uint32_t kSystemColourFlag = 0x80000000u;

class CControl {
public:
    using NotifyEvent = std::function<void(CControl& sender)>;

    // `ownerForm` is the top-level window whose position is saved; it may be
    // given later with SetOwnerForm.
    explicit CControl(HWND ownerForm = nullptr);
    virtual ~CControl();
    CControl(const CControl&) = delete;
    CControl& operator=(const CControl&) = delete;

    // Registry parts. Changing company, application or version changes them
    // in the settings accessor and the position saver at once.
    std::string pCompany() const;  // "My Company" when empty
    void SetpCompany(const std::string& company);
    std::string pApplicationName() const;  // "My Application" when empty
    void SetpApplicationName(const std::string& name);
    const std::string& RegistryVersion() const { return m_registryVersion; }
    void SetRegistryVersion(const std::string& version);
    std::string pUserSettings() const;  // "Settings" when empty
    void SetpUserSettings(const std::string& section);
    std::string pSaveSection() const;  // "Positions" when empty
    void SetpSaveSection(const std::string& section);

    bool pSavePositions() const { return m_savePositions; }
    void SetpSavePositions(bool save);
    CSaveOptions pSaveOptions() const { return m_saveOptions; }
    void SetpSaveOptions(CSaveOptions options);

    // True hides the application's own taskbar window, false shows it again;
    // applied when set and by Loaded.
    bool pHideFromTaskBar() const { return m_hideFromTaskBar; }
    void SetpHideFromTaskBar(bool hide);
    HWND ApplicationWindow() const { return m_applicationWindow; }
    void SetApplicationWindow(HWND window);
    // Called once the owner has set the properties up.
    void Loaded();

    HWND OwnerForm() const { return m_ownerForm; }
    void SetOwnerForm(HWND form);

    // The settings accessor: HKEY_CURRENT_USER\SOFTWARE\company\application[\version]\pUserSettings.
    CRegistryEnhanced& Registry();
    // The settings data, made on first use: defaults, then load without a notification.
    CControlData& Data();
    // The position saver, made on first use when pSavePositions is set.
    // Nothing when it is off or refused; WinSaverError then says why.
    CWinSaver* WinSaver();
    const std::string& WinSaverError() const { return m_winSaverError; }
    // The owner calls these from its show and close handling, after its own.
    bool OwnerShown();
    bool OwnerClosing();

    // The data object reports its changes here.
    void NotifyDataAspect(int aspect) { DataAspectChanged(aspect); }

    // Forwarded to the application.
    std::string Hint;
    uint32_t HintColor = kSystemColourFlag | COLOR_INFOBK;
    int HintPause = 500;
    int HintShortPause = 50;
    int HintHidePause = 2500;
    bool ShowHint = true;
    bool ShowMainForm = true;
    std::string Title;
    bool UpdateFormatSettings = true;

    NotifyEvent OnActivate;
    NotifyEvent OnDeactivate;
    std::function<void(CControl& sender, const std::string& message)> OnException;
    std::function<void(CControl& sender, bool& done)> OnIdle;
    std::function<bool(UINT command, ULONG_PTR data, bool& callHelp)> OnHelp;
    NotifyEvent OnHint;
    std::function<void(MSG& message, bool& handled)> OnMessage;
    NotifyEvent OnMinimize;
    NotifyEvent OnRestore;
    std::function<void(std::string& hint, bool& canShow)> OnShowHint;

    // Raised when the settings data reports a change (100 loaded, 101 saved).
    std::function<void(CControl& sender, int aspect)> pOnDataAspectChanged;

protected:
    // The settings data object of this control; descendants make their own.
    virtual std::unique_ptr<CControlData> CreateData();
    // Handles a change the data reports; the base raises pOnDataAspectChanged.
    virtual void DataAspectChanged(int aspect);

private:
    RegistryParts SettingsParts() const;
    RegistryParts PositionParts() const;
    void UpdateParts();
    void ApplyHideFromTaskBar();

    HWND m_ownerForm;
    HWND m_applicationWindow = nullptr;
    std::string m_company;
    std::string m_applicationName;
    std::string m_registryVersion;
    std::string m_userSettings;
    std::string m_saveSection;
    bool m_savePositions = false;
    CSaveOptions m_saveOptions;
    bool m_hideFromTaskBar = false;

    std::unique_ptr<CRegistryEnhanced> m_registry;
    std::unique_ptr<CControlData> m_data;
    std::unique_ptr<CWinSaver> m_winSaver;
    std::string m_winSaverError;
};

// The registry version of a program file: its "ProductVersion" less the last
// two dot-separated parts. Empty when it has no version resource.
std::string RegistryVersionOfModule(HMODULE module = nullptr);

}  // namespace kelvane
