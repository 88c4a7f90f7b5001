#include "kelvane/finder/finder_menu_win32.h"

#include "platform/shell_names.h"

namespace kelvane {
namespace {

struct ReleaseInterface {
    void operator()(IUnknown* unknown) const {
        if (unknown) unknown->Release();
    }
};
template <typename Interface>
using com_ptr = std::unique_ptr<Interface, ReleaseInterface>;

std::shared_ptr<ITEMIDLIST> OwnedId(ITEMIDLIST* id) {
    return std::shared_ptr<ITEMIDLIST>(id, [](ITEMIDLIST* owned) { CoTaskMemFree(owned); });
}

}  // namespace

std::vector<DesktopItem> DesktopItems(HWND owner) {
    std::vector<DesktopItem> items;
    IShellFolder* rawDesktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&rawDesktop)) || !rawDesktop) return items;
    com_ptr<IShellFolder> desktop(rawDesktop);
    IEnumIDList* rawList = nullptr;
    // S_FALSE: nothing to enumerate, and no list.
    if (desktop->EnumObjects(owner, SHCONTF_FOLDERS | SHCONTF_NONFOLDERS, &rawList) != S_OK || !rawList) return items;
    com_ptr<IEnumIDList> list(rawList);
    ITEMIDLIST* id = nullptr;
    ULONG fetched = 0;
    while (list->Next(1, &id, &fetched) == S_OK && fetched == 1) {
        std::shared_ptr<ITEMIDLIST> owned = OwnedId(id);
        items.push_back({platform::ShellDisplayName(*desktop, owned.get()), owned});
    }
    return items;
}

bool OpenDesktopItem(HWND owner, const ITEMIDLIST* id) {
    SHELLEXECUTEINFOA execute = {};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_INVOKEIDLIST;
    execute.hwnd = owner;
    execute.lpIDList = const_cast<ITEMIDLIST*>(id);
    execute.nShow = SW_SHOWNORMAL;
    return ShellExecuteExA(&execute) != FALSE;
}

void FinderMenu::Build(CIconPopupMenu& menu, bool showIcons) {
    menu.DeleteAll();
    m_icons.clear();
    const std::vector<DesktopItem> items = DesktopItems(m_owner);
    for (const DesktopItem& desktopItem : items) {
        HWND owner = m_owner;
        std::shared_ptr<ITEMIDLIST> id = desktopItem.id;
        auto item = std::make_unique<CMenuItem>(desktopItem.name, [owner, id] { OpenDesktopItem(owner, id.get()); });
        item->info = CMenuItemInfo{};
        menu.Items().Add(std::move(item));
    }
    if (showIcons) {
        for (int i = static_cast<int>(items.size()) - 1; i >= 0; --i) {
            SHFILEINFOA info = {};
            const auto path = reinterpret_cast<const char*>(items[static_cast<size_t>(i)].id.get());
            if (!SHGetFileInfoA(path, 0, &info, sizeof info, SHGFI_PIDL | SHGFI_ICON | SHGFI_SMALLICON)) continue;
            if (!info.hIcon) continue;
            m_icons.emplace_back(info.hIcon);
            menu.SetItemIcon(i, info.hIcon);
        }
    }
    menu.BreakIntoColumns();
}

}  // namespace kelvane
