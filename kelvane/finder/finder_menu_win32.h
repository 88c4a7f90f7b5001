// The desktop finder: a menu of the items on the Windows desktop, built
// through the shell namespace each time it opens, whose items open with
// their default verb.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

#include "kelvane/components/icon_popup_menu_win32.h"
#include "platform/handles.h"

namespace kelvane {

// An item of the desktop folder: its display name and its identifier, which
// is relative to the desktop and so also absolute.
struct DesktopItem {
    std::string name;
    std::shared_ptr<ITEMIDLIST> id;
};

// The desktop folder's items in the shell's enumeration order, folders and
// non-folders, hidden ones not asked for. Empty when the desktop folder
// cannot be had. COM is initialised by the caller.
std::vector<DesktopItem> DesktopItems(HWND owner);

// Opens the item with its default verb; false (with the last error set)
// when the shell refused.
bool OpenDesktopItem(HWND owner, const ITEMIDLIST* id);

class FinderMenu {
public:
    // `owner` is the window the shell is given for its questions and errors.
    explicit FinderMenu(HWND owner) : m_owner(owner) {}

    // Empties the menu, lists the desktop's items, gives them their small
    // icons when asked, and breaks the menu into columns.
    void Build(CIconPopupMenu& menu, bool showIcons);

private:
    HWND m_owner;
    // The icons the shell made for the items shown now.
    std::vector<platform::unique_hicon> m_icons;
};

}  // namespace kelvane
