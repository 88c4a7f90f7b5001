// TfrmKelvaneSettings: the tabbed settings dialog. At most one is open; it
// is modeless and frees itself when closed.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <utility>

#include "kelvane/app/settings_dialog_rules.h"
#include "kelvane/components/dialog_controls_win32.h"
#include "kelvane/components/kelvane_control_win32.h"
#include "platform/handles.h"

namespace kelvane {

// What the dialog asks of the main form.
struct SettingsDialogActions {
    // Documents emptying at once, as the form's timer runs it.
    std::function<void()> emptyNow;
};

class TfrmKelvaneSettings {
public:
    // Opens the dialog, or brings the open one to the front. `owner` is the
    // main form: the dialog goes when it goes.
    static void Open(HINSTANCE instance, HWND owner, CKelvane& control, SettingsDialogActions actions);
    // The open dialog; nullptr when none is.
    static HWND Current();
    // Keyboard navigation for the open dialog, from the message loop.
    static bool HandleDialogKeys(MSG& message);

    TfrmKelvaneSettings(const TfrmKelvaneSettings&) = delete;
    TfrmKelvaneSettings& operator=(const TfrmKelvaneSettings&) = delete;

private:
    TfrmKelvaneSettings(CKelvane& control, SettingsDialogActions actions);
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandlePageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

    void OnInitDialog(HINSTANCE instance);
    void CreatePages(HINSTANCE instance);
    void LayOut();
    void FindControls();
    void LoadControls(const KelvaneSettings& settings);
    SettingsDialogValues ControlValues();
    // Each check box with the value it shows.
    using CheckBoxField = std::pair<CCheckBox*, bool SettingsDialogValues::*>;
    std::array<CheckBoxField, 11> CheckBoxFields();
    void Apply();
    void ApplySystemMenuRule();
    void ApplyEmptyDocumentsRule() { pnlEmptyDocumentsSettings.SetContentsEnabled(chkEmptyDocuments.Checked()); }
    void ApplyOffscreenRule() { pnlAdjustWindowsPercent.SetContentsEnabled(chkDontAdjustIfOffscreen.Checked()); }
    void OnCommand(int id, int code);
    void OnFrequencyTrackBarMoved();
    void OnFrequencyUpDownClicked();
    void ShowPage(int index);
    int CurrentPage() const;
    void ShowAdminMenu();
    void ResetToFactoryDefaults();
    void Help();
    void OnDestroy();
    bool IsLink(HWND control) const;
    INT_PTR OnSetCursor(HWND under);
    INT_PTR LinkColour(HDC dc, HWND control);

    CKelvane& m_control;
    SettingsDialogActions m_actions;
    HWND m_dialog = nullptr;
    std::array<HWND, kSettingsPageCount> m_pages{};
    HWND m_tabs = nullptr;
    platform::unique_hfont m_headingFont;
    platform::unique_hmenu mnuAdmin;
    HWND m_tooltip = nullptr;
    HWND m_hoveredLink = nullptr;
    // The double-click choice shown before the system-menu switch forced
    // the first entry.
    int m_rememberedDoubleClickIndex = 0;

    CCheckBox chkShowFinderTrayIcon, chkAutoAdjustWindows, chkAutoRunAtStartup, chkShowFinderIcons;
    CCheckBox chkAddSystemMenuCommands;
    CComboBox cbNCLButtonDblClk;
    CPanel pnlMouseSettings;
    CCheckBox chkAdjustTop, chkAdjustLeft, chkAdjustBottom, chkAdjustRight;
    CTrackBar tbAdjustFrequency;
    DialogControl edtAdjustFrequency;
    CUpDown udAdjustFrequency;
    CCheckBox chkDontAdjustIfOffscreen;
    DialogControl edtOffScreenPercent;
    CUpDown udOffScreenPercent;
    CPanel pnlAdjustWindowsPercent;
    CCheckBox chkResizeWindows;
    CCheckBox chkControlPanel, chkPrinters, chkDialUpNetworking;
    CCheckBox chkEmptyDocuments;
    CMaskEdit edtEmptyDocumentsDelay;
    CUpDown udEmptyDocumentsDelay;
    CComboBox cbEmptyDocumentsDelayType;
    CPanel pnlEmptyDocumentsSettings;
};

}  // namespace kelvane
