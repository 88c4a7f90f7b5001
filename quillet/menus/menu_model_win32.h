// The menus quillet shows in its menu windows: entries with text, icon and
// flags, shell items with their folder, sub-menus built the first time they
// are opened, and what runs when an entry is chosen. Folder menus are read
// through the shell namespace.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "quillet/model/object.h"

namespace quillet {

// Entry flags. The low two bits 1 or 3 make an entry grayed.
constexpr UINT kEntryGrayed = 1;
constexpr UINT kEntryNewColumn = 0x20;
constexpr UINT kEntryChecked = 8;
constexpr UINT kEntrySeparator = 0x800;

bool IsGrayed(UINT flags);

// A counted reference to a COM interface.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    // Takes over a reference the caller holds.
    explicit ComRef(Interface* pointer) : m_pointer(pointer) {}
    ComRef(const ComRef& other) : m_pointer(other.m_pointer) {
        if (m_pointer) m_pointer->AddRef();
    }
    ComRef& operator=(ComRef other) {
        std::swap(m_pointer, other.m_pointer);
        return *this;
    }
    ~ComRef() {
        if (m_pointer) m_pointer->Release();
    }
    Interface* get() const { return m_pointer; }
    Interface* operator->() const { return m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }
    // For out-parameters of the shell's calls.
    void** put() {
        *this = ComRef();
        return reinterpret_cast<void**>(&m_pointer);
    }

private:
    Interface* m_pointer = nullptr;
};

struct PidlFree {
    void operator()(ITEMIDLIST* id) const { CoTaskMemFree(id); }
};
using unique_pidl = std::unique_ptr<ITEMIDLIST, PidlFree>;

class Menu;

struct MenuEntry {
    std::string text;
    UINT flags = 0;
    // Not owned: icons are kept for the life of the process by their caches.
    HICON icon = nullptr;
    // A shell item: its folder, its id there and its absolute id list.
    ComRef<IShellFolder> parent;
    unique_pidl relative;
    unique_pidl absolute;
    // The shell icon is read when the entry is first drawn.
    bool shellIconPending = false;
    // A sub-menu, made by `makeSubmenu` the first time it is asked for.
    std::function<std::unique_ptr<Menu>()> makeSubmenu;
    std::unique_ptr<Menu> submenu;
    bool submenuBuilt = false;
    // Runs instead of a shell launch when the entry is chosen.
    std::function<void(HWND owner)> command;
    // The icon set item this entry stands for (the entries of a tray menu).
    RefPtr<Object> item;
    // A folder entry's context menu offers the folder's actions too.
    bool extraMenu = false;

    bool HasSubmenu() const { return static_cast<bool>(makeSubmenu) || submenu != nullptr; }
    bool Selectable() const { return !(flags & kEntrySeparator) && !IsGrayed(flags); }
    // Builds the sub-menu on first call; null when there is none.
    Menu* Submenu();
    // The entry's icon, reading the shell's on first call.
    HICON Icon();
};

class Menu {
public:
    explicit Menu(int view, std::string title = std::string()) : m_view(view), m_title(std::move(title)) {}

    int View() const { return m_view; }
    const std::string& Title() const { return m_title; }
    std::vector<std::unique_ptr<MenuEntry>>& Entries() { return m_entries; }
    const std::vector<std::unique_ptr<MenuEntry>>& Entries() const { return m_entries; }
    MenuEntry& Append(std::string text, UINT flags = 0);

private:
    int m_view;
    std::string m_title;
    std::vector<std::unique_ptr<MenuEntry>> m_entries;
};

// How many folders have been enumerated for menus in this process: a sub-menu
// is read only when it is first opened.
int FolderEnumerationCount();

// The contents of a shell folder: sub-folders first, then the other items,
// each group in the shell's order; names that are empty or already listed are
// left out; an empty folder gives one grayed "emptyMenuEntry". Sub-folders
// become entries whose own menus are read when first opened. `absolute` is
// the folder's id list; `iconOverride`, when given, is the icon of every
// sub-folder entry.
std::unique_ptr<Menu> BuildFolderMenu(const ComRef<IShellFolder>& folder, const ITEMIDLIST* absolute, int view,
                                      HICON iconOverride = nullptr);

// The id list of a folder item's folder: its special folder, or its path
// (a "::{" path piece by piece). Null when it cannot be resolved.
unique_pidl ResolveFolder(const Object& folderItem);

// A folder item's contribution to a menu: action 1 a cascading entry over its
// folder (nothing when the folder cannot be resolved or bound), actions 2-4
// one command that runs the action. True when an entry was appended.
bool AddFolderItemToMenu(Menu& menu, Object& folderItem, int view, UINT flags);

// A tray icon's child as its class contributes it: folder as above, separator
// one separator line, anything else a plain command entry for the item. The
// column separator adds nothing (the caller starts a new column instead).
void AddTrayItemToMenu(Menu& menu, Object& item, UINT flags);

// Opens Explorer on the folder or a command prompt in it, as the folder
// item's action (2, 3 or 4) says.
void RunFolderAction(HWND owner, const Object& folderItem);
// The same for a folder given by its id list (the folder entries' own
// context menu offers the actions without a folder item).
void RunFolderActionOn(HWND owner, const ITEMIDLIST* folder, int action);

// Runs an entry without sub-menu: its command, else the shell opens its item.
// A failed launch shows "menu:cannotrun". True when something ran.
bool LaunchEntry(HWND owner, MenuEntry& entry);

// The program Explorer actions start: "EXPLORER.EXE", or for tests the
// program the environment variable QUILLET_TEST_EXPLORER names.
std::string ExplorerProgram();

}  // namespace quillet
