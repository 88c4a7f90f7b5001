// CIconPopupMenu: popup menus whose items are owner-drawn with a small icon
// and optional marker icons, whose long captions are shortened and which
// break into columns when taller than the screen. Every icon menu of the
// program is owned by one hidden message window (CIconPopupList) that
// measures, draws and carries out their commands.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "kelvane/components/icon_menu_rules.h"
#include "platform/handles.h"

namespace kelvane {

inline constexpr const char* kIconMenuOwnerMessage = "Owner must be a TForm or descendant";
inline constexpr const char* kIconMenuWindowClass = "KelvaneIconMenuWindow";
inline constexpr const char* kMenuSeparatorCaption = "-";

// Drawing data of one item. The icons are not owned: they belong to whoever
// gave them (shared icons, image lists).
struct CMenuItemInfo {
    HICON icon = nullptr;
    MenuBreak breakAt = MenuBreak::None;
    HICON topMarker = nullptr;     // 7 x 7 over the icon's top-left corner
    HICON bottomMarker = nullptr;  // 7 x 7 over the icon's bottom-left corner
};

class CIconPopupMenu;

// One menu item; an item with children is a submenu.
class CMenuItem {
public:
    explicit CMenuItem(std::string caption = {}, std::function<void()> onClick = {});
    ~CMenuItem();
    CMenuItem(const CMenuItem&) = delete;
    CMenuItem& operator=(const CMenuItem&) = delete;

    std::string caption;
    std::function<void()> onClick;
    bool isDefault = false;
    bool visible = true;
    bool enabled = true;
    std::optional<CMenuItemInfo> info;  // owner-drawn when present

    bool IsSeparator() const { return caption == kMenuSeparatorCaption; }
    UINT Command() const { return m_command; }
    int Count() const { return static_cast<int>(m_children.size()); }
    CMenuItem& operator[](int index) { return *m_children.at(static_cast<size_t>(index)); }
    const CMenuItem& operator[](int index) const { return *m_children.at(static_cast<size_t>(index)); }
    // Adds a child at `index` (the end when -1) and returns it.
    CMenuItem& Insert(int index, std::unique_ptr<CMenuItem> item);
    CMenuItem& Add(std::unique_ptr<CMenuItem> item) { return Insert(-1, std::move(item)); }
    void Delete(int index);
    int IndexOf(const CMenuItem& child) const;
    // Puts the children in the order `order` gives as indexes of the current
    // one; an order that is not a permutation of them is ignored.
    void Reorder(const std::vector<int>& order);
    // The submenu as last built; it belongs to the menu above it.
    HMENU SubmenuHandle() const { return m_submenu; }

private:
    friend class CIconPopupMenu;
    UINT m_command = 0;
    HMENU m_submenu = nullptr;
    std::vector<std::unique_ptr<CMenuItem>> m_children;
};

class CIconPopupMenu {
public:
    struct Creation {
        std::unique_ptr<CIconPopupMenu> menu;  // empty when refused
        std::string error;
    };
    // The owner must be a top-level window (a form); anything else is refused
    // with kIconMenuOwnerMessage.
    static Creation Create(HWND owner);
    ~CIconPopupMenu();
    CIconPopupMenu(const CIconPopupMenu&) = delete;
    CIconPopupMenu& operator=(const CIconPopupMenu&) = delete;

    HWND Owner() const { return m_owner; }
    // The top-level items.
    CMenuItem& Items() { return m_root; }
    int Count() const { return m_root.Count(); }

    // Gives every item (submenus included) drawing data without an icon, so
    // all of them are owner-drawn from the start.
    void Loaded();

    void SetItemIcon(int index, HICON icon);
    void SetItemInfo(int index, const CMenuItemInfo& info);
    // Raises pOnBreakAt with the proposed break, keeps what it leaves.
    void SetItemBreak(int index, MenuBreak value);
    // Frees the items from `last` down to `first`.
    void DeleteItems(int first, int last);
    void DeleteAll() { DeleteItems(0, Count() - 1); }
    // Clears every break, then gives bar breaks where the screen is full.
    void BreakIntoColumns();
    // How many items one column of the screen holds.
    static int ItemsPerColumn();

    // The system menu built afresh from the items as they stand now.
    HMENU Handle();
    // Raises OnPopup and shows the menu at `where` (screen coordinates),
    // owned by the shared message window, which receives the command.
    void Popup(POINT where);
    // Runs the click of the first default item from the top; false if none.
    bool ClickDefaultItem();
    // Runs the click of the item with this command; false if it is not ours.
    bool HandleCommand(UINT command);

    bool AutoPopup = true;
    std::function<void(CIconPopupMenu&)> OnPopup;
    std::function<void(CIconPopupMenu& sender, int index, CMenuItemInfo& info, MenuBreak& value)> pOnBreakAt;

    // The shared window's handle while any icon menu lives.
    static HWND ListWindow();
    // The item that owns a system menu item's data (owner-drawn items only).
    static CMenuItem* ItemOfData(ULONG_PTR data);

private:
    explicit CIconPopupMenu(HWND owner);
    void Build(HMENU menu, CMenuItem& parent);
    void Apply(HMENU menu, CMenuItem& item);

    HWND m_owner;
    CMenuItem m_root;
    platform::unique_hmenu m_menu;
};

// Size of an owner-drawn item's caption in the menu font: the font the system
// reports for menus.
platform::unique_hfont MenuFont();

}  // namespace kelvane
