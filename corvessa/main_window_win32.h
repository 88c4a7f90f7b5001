// The main window: current and new name and icons, the icon browser, the
// icon strip and Apply.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "corvessa/drawing_win32.h"
#include "corvessa/folder_list.h"
#include "corvessa/help_window_win32.h"
#include "corvessa/recycle_rules.h"
#include "platform/handles.h"

namespace corvessa {

class MainWindow {
public:
    explicit MainWindow(HINSTANCE instance);
    bool Create(int showCommand);
    HWND Window() const { return m_window; }

private:
    enum class Target { Full, Empty };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    void OnCreate();
    void OnDestroy();
    void OnPaint();
    void OnCommand(int id, int code, HWND control);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void OnMeasureItem(MEASUREITEMSTRUCT& item);
    LRESULT OnSetCursor(HWND over, UINT mouseMessage);
    void OnButtonDown(POINT point);
    void OnMouseMove(POINT point);
    void OnButtonUp();
    void OnSystemCommand(WPARAM command, LPARAM lParam);

    void CreateControls();
    HWND Control(int id) const { return GetDlgItem(m_window, id); }

    void LoadFromRegistry();
    void Apply();
    void RefreshShellIcons();

    void FillDrives();
    void OnDriveChosen();
    bool ShowFolder(const std::string& folder);
    void SelectDriveOfFolder();
    void OnFolderChosen();
    void FillFiles();
    void OnFilterChanged(bool fromSelection);

    void FillStrip();
    void Step(int direction);
    void ShowStripPosition();
    void AssignIconInView();
    void SetTarget(Target target);

    void ShowHints(HoverHints hints);

    void DrawLabel(const DRAWITEMSTRUCT& item, UINT format, HGDIOBJ font, COLORREF color);
    void DrawIconBox(const DRAWITEMSTRUCT& item, HICON icon);
    void DrawStrip(const DRAWITEMSTRUCT& item);
    void DrawArrow(const DRAWITEMSTRUCT& item, HGDIOBJ bitmap, bool enabled);
    void DrawTextButton(const DRAWITEMSTRUCT& item, bool title, bool bold);
    void DrawFolderItem(const DRAWITEMSTRUCT& item);

    HINSTANCE m_instance;
    HWND m_window = nullptr;
    Look m_look;
    platform::unique_hgdiobj m_previousArrow;
    platform::unique_hgdiobj m_nextArrow;
    platform::unique_hicon m_folderClosed;
    platform::unique_hicon m_folderOpen;
    platform::unique_hicon m_smallIcon;
    HelpWindow m_help;

    // As stored when the window last read the registry, and as chosen since.
    std::string m_storedName;
    std::string m_loadedFull;
    std::string m_loadedEmpty;
    std::string m_chosenFull;
    std::string m_chosenEmpty;
    platform::unique_hicon m_currentFullIcon;
    platform::unique_hicon m_currentEmptyIcon;
    platform::unique_hicon m_newFullIcon;
    platform::unique_hicon m_newEmptyIcon;
    Target m_target = Target::Full;

    std::string m_folder;
    std::vector<FolderLevel> m_folderLevels;
    std::string m_filter = "*.ico";

    // The strip holds the icons of one file; only the one in view is kept.
    std::string m_stripFile;
    StripMode m_stripMode = StripMode::SingleIcon;
    StripPosition m_strip;
    platform::unique_hicon m_iconInView;

    HoverHints m_hints;
    bool m_dragging = false;
    POINT m_dragStart = {};
};

}  // namespace corvessa
