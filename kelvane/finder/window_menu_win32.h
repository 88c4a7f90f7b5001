// The merged window menu of the main tray menu and the quick commands: both
// act on the application windows of other processes, never on the
// program's own windows and dialogs, the taskbar or the desktop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "kelvane/components/icon_popup_menu_win32.h"
#include "kelvane/components/kelvane_control_win32.h"
#include "kelvane/finder/window_menu_rules.h"

namespace kelvane {

// Resource names of the two marker icons in the program's resources.
inline constexpr const char* kAlwaysOnTopIconName = "ZZALWAYSONTOPICON";
inline constexpr const char* kHideWindowIconName = "ZZHIDEWINDOWICON";

// How long a window may take to answer the two icon queries.
inline constexpr UINT kSmallIconTimeoutMs = 250;
inline constexpr UINT kBigIconTimeoutMs = 125;

TaskWindowFacts TaskWindowFactsOf(HWND window);
bool IsTaskWindow(HWND window);
bool IsExplorerWindow(HWND window);
// An application window of another process; never the desktop or the shell's window.
bool IsForeignTaskWindow(HWND window);
// Every such window, in Z order.
std::vector<HWND> ForeignTaskWindows();

// The window's text, at most 255 characters.
std::string WindowCaption(HWND window);

// The window's own small icon, else its class's small icon, else its own
// big icon; each question to the window bounded by its timeout. The icon
// belongs to the window. NULL when it has none.
HICON WindowMenuIcon(HWND window);

// Choosing a window item: a window that still exists is restored (shown,
// if hidden) and brought to the top.
void RestoreAndRaise(HWND window);

enum class QuickCommand { CloseAll, HideAll, MinimizeAll, RestoreAll };
// Runs the command over ForeignTaskWindows(). `hide` is the Hide Window
// action, which records what it hid.
void RunQuickCommand(QuickCommand command, const std::function<void(HWND)>& hide);

class WindowMenu {
public:
    // `resources` holds the marker icons.
    WindowMenu(CKelvane& control, HINSTANCE resources);

    // Takes out every item the last merge put in.
    void RemoveMergedItems(CIconPopupMenu& menu);
    // Lists the open windows above the fixed commands: the others first,
    // then the Explorer windows, each group sorted; keeps the fixed block in
    // the first column and breaks the menu into columns.
    void Merge(CIconPopupMenu& menu, bool fullPathsOff);

private:
    void CollectWindows();
    void InsertItems(CIconPopupMenu& menu, const CWindowList& windows);
    void KeepFixedBlockInFirstColumn(CIconPopupMenu& menu);
    void GiveIcons(CIconPopupMenu& menu);
    HICON Marker(HICON& cached, const char* name);
    bool IsMerged(const CMenuItem& item) const;

    CKelvane& m_control;
    HINSTANCE m_resources;
    HICON m_topmostMarker = nullptr;
    HICON m_hiddenMarker = nullptr;
    std::vector<const CMenuItem*> m_merged;
    std::vector<HWND> m_mergedWindows;  // beside m_merged, item by item
};

}  // namespace kelvane
