// The main window: current and new name and icons, the icon browser and the
// icon strip, and Apply.
#pragma once

#include <windows.h>

#include <string>

#include "corvessa/drawing_win32.h"
#include "corvessa/help_window_win32.h"
#include "corvessa/icon_browser_win32.h"
#include "corvessa/icon_strip_win32.h"
#include "corvessa/main_drawing_win32.h"
#include "corvessa/recycle_rules.h"
#include "platform/handles.h"
#include "platform/window_base.h"

namespace corvessa {

class MainWindow : public platform::BaseWindow<MainWindow> {
public:
    explicit MainWindow(HINSTANCE instance);
    // Makes and shows the window; on failure `failure` says which call failed
    // and why.
    bool Create(int showCommand, std::string& failure);

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);

private:
    enum class Target { Full, Empty };

    void OnCreate();
    void OnDestroy();
    void OnCommand(int id, int code);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void OnMeasureItem(MEASUREITEMSTRUCT& item);
    LRESULT OnSetCursor(HWND over, UINT mouseMessage);
    void OnButtonDown(POINT point);
    void OnMouseMove(POINT point);
    void OnButtonUp();
    void OnSystemCommand(WPARAM command, LPARAM lParam);

    void AddSystemMenuExtras();
    void CreateControls();
    HWND Control(int id) const { return GetDlgItem(m_window, id); }

    void LoadFromRegistry();
    void Apply();
    void FillStrip();
    void AssignIconInView();
    void SetTarget(Target target);
    void ShowHints(HoverHints hints);

    HINSTANCE m_instance;
    Look m_look;
    MainPictures m_pictures;
    HelpWindow m_help;
    IconBrowser m_browser;
    IconStrip m_strip;

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

    HoverHints m_hints;
    bool m_dragging = false;
    POINT m_dragStart = {};
};

}  // namespace corvessa
