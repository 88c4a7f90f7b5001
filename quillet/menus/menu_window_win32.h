// The menu window: one window of class "HV:Menu" per open menu level, drawn
// and driven by quillet itself (not a Win32 popup menu), with sub-menus that
// open after the pointer rests on their entry, context menus, and tearing a
// titled menu off into a floating window whose entries stay live.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "platform/rect.h"
#include "quillet/menus/menu_model_win32.h"

namespace quillet {

constexpr const char* kMenuWindowClass = "HV:Menu";
constexpr UINT_PTR kSubmenuTimer = 101;
constexpr UINT kSubmenuTimerPeriod = 50;
constexpr DWORD kSubmenuRestTime = 400;

struct ChosenEntry {
    MenuEntry* entry = nullptr;
    HWND window = nullptr;
    POINT point = {};  // screen coordinates of the release
};

// "HV:Notify", sent to the most recently opened menu window: wParam 0 with a
// ChosenEntry, or the handle of a menu window whose deeper levels are to close.
UINT MenuNotifyMessage();

// Shows `menu` at (x, y) with the alignment flags of menu_placement.h and
// returns when it has closed, after the chosen entry was launched. `avoid`,
// when given, is the screen rectangle a drop-down menu opens beside.
void ShowMenu(std::shared_ptr<Menu> menu, HWND owner, int x, int y, const RECT* avoid, int flags);

// What tests and pictures look at. The most recently opened menu window of
// the open chain (null when none is open); the floating windows made by
// tear-offs; the menu of a menu window, its entries' screen rectangles and
// its highlighted entry.
HWND LatestMenuWindow();
std::vector<HWND> OpenMenuWindows();
std::vector<HWND> FloatingMenuWindows();
const Menu* MenuOfWindow(HWND window);
std::vector<platform::Rect> MenuEntryRects(HWND window);
int HighlightedEntry(HWND window);

}  // namespace quillet
