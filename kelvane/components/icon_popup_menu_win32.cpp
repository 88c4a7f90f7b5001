#include "kelvane/components/icon_popup_menu_win32.h"

#include <algorithm>
#include <set>

#include "kelvane/components/win_saver_win32.h"
#include "platform/tray.h"
#include "platform/window_base.h"

namespace kelvane {
namespace {

// Command identifiers are program-wide, as WM_COMMAND reaches the one shared
// window; they are taken and given back by the items.
std::set<UINT>& UsedCommands() {
    static std::set<UINT> used;
    return used;
}

UINT TakeCommand() {
    static UINT next = 0x100;
    for (;;) {
        UINT command = next;
        next = next >= 0xFFF0 ? 0x100 : next + 1;
        if (UsedCommands().insert(command).second) return command;
    }
}

std::vector<CIconPopupMenu*>& LiveMenus() {
    static std::vector<CIconPopupMenu*> menus;
    return menus;
}

bool Owns(const CMenuItem& parent, const CMenuItem* wanted) {
    for (int i = 0; i < parent.Count(); ++i) {
        if (&parent[i] == wanted || Owns(parent[i], wanted)) return true;
    }
    return false;
}

CMenuItem* FindCommand(CMenuItem& parent, UINT command) {
    for (int i = 0; i < parent.Count(); ++i) {
        if (parent[i].Command() == command) return &parent[i];
        if (CMenuItem* found = FindCommand(parent[i], command)) return found;
    }
    return nullptr;
}

CMenuItem* FindDefault(CMenuItem& parent) {
    for (int i = 0; i < parent.Count(); ++i) {
        if (parent[i].isDefault && parent[i].visible) return &parent[i];
    }
    return nullptr;
}

void GiveInfos(CMenuItem& parent) {
    for (int i = 0; i < parent.Count(); ++i) {
        if (!parent[i].info) parent[i].info = CMenuItemInfo{};
        GiveInfos(parent[i]);
    }
}

int CaptionLimit(HDC dc) {
    SIZE size = {};
    std::string letters(kMenuCaptionLimitLetters, 'O');
    GetTextExtentPoint32A(dc, letters.c_str(), static_cast<int>(letters.size()), &size);
    return size.cx;
}

int TextWidth(HDC dc, const std::string& text) {
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// The hidden window that owns every icon menu while it is shown.
class CIconPopupList : public platform::BaseWindow<CIconPopupList> {
public:
    static CIconPopupList& Instance() {
        static CIconPopupList list;
        return list;
    }

    void Join(CIconPopupMenu* menu) {
        LiveMenus().push_back(menu);
        if (!m_window) Create();
    }

    void Leave(CIconPopupMenu* menu) {
        auto& menus = LiveMenus();
        menus.erase(std::remove(menus.begin(), menus.end(), menu), menus.end());
        if (menus.empty() && m_window) DestroyWindow(m_window);
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_MEASUREITEM: return OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        case WM_DRAWITEM: return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_COMMAND: return OnCommand(LOWORD(wParam));
        }
        return DefaultHandling(message, wParam, lParam);
    }

private:
    void Create() {
        WNDCLASSEXA windowClass = {};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kIconMenuWindowClass;
        platform::RegisterWindowClass(windowClass);
        // A hidden top-level window rather than a message-only one: a menu's
        // owner must be able to come to the foreground.
        CreateBound(WS_EX_TOOLWINDOW, kIconMenuWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                    GetModuleHandleA(nullptr));
    }

    LRESULT OnMeasureItem(MEASUREITEMSTRUCT& measure) {
        if (measure.CtlType != ODT_MENU) return FALSE;
        CMenuItem* item = CIconPopupMenu::ItemOfData(measure.itemData);
        if (!item) return FALSE;
        platform::unique_hdc_window screen(nullptr);
        platform::unique_hfont font = MenuFont();
        platform::unique_select_object selected(screen.get(), font.get());
        SIZE size = {};
        GetTextExtentPoint32A(screen.get(), item->caption.c_str(), static_cast<int>(item->caption.size()), &size);
        MenuItemSize measured = MeasuredMenuItem(size.cx, size.cy, GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), CaptionLimit(screen.get()));
        measure.itemWidth = static_cast<UINT>(measured.width);
        measure.itemHeight = static_cast<UINT>(measured.height);
        return TRUE;
    }

    LRESULT OnDrawItem(const DRAWITEMSTRUCT& draw) {
        if (draw.CtlType != ODT_MENU) return FALSE;
        CMenuItem* item = CIconPopupMenu::ItemOfData(draw.itemData);
        if (!item || !item->info) return FALSE;
        HDC dc = draw.hDC;
        const RECT& rect = draw.rcItem;
        bool selected = (draw.itemState & ODS_SELECTED) != 0;
        COLORREF oldText = SetTextColor(dc, GetSysColor((draw.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT
                                                        : selected                      ? COLOR_HIGHLIGHTTEXT
                                                                                        : COLOR_MENUTEXT));
        COLORREF oldBack = SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
        const int iconWidth = GetSystemMetrics(SM_CXSMICON), iconHeight = GetSystemMetrics(SM_CYSMICON);
        int y = rect.top + (rect.bottom - rect.top - iconHeight) / 2;

        platform::unique_hfont font = MenuFont();
        platform::unique_select_object selectedFont(dc, font.get());
        int limit = CaptionLimit(dc);
        std::string caption =
            ShortenedCaption(item->caption, limit, [dc](const std::string& text) { return TextWidth(dc, text); });
        int x = rect.left + iconWidth + GetSystemMetrics(SM_CXMENUCHECK);
        ExtTextOutA(dc, x, y, ETO_OPAQUE, &rect, caption.c_str(), static_cast<UINT>(caption.size()), nullptr);

        const CMenuItemInfo& info = *item->info;
        if (info.icon) DrawIconEx(dc, rect.left + 6, y, info.icon, iconWidth, iconHeight, 0, nullptr, DI_NORMAL);
        if (info.topMarker) DrawIconEx(dc, rect.left + 6, y, info.topMarker, 7, 7, 0, nullptr, DI_NORMAL);
        if (info.bottomMarker) {
            DrawIconEx(dc, rect.left + 6, y + iconHeight - 7, info.bottomMarker, 7, 7, 0, nullptr, DI_NORMAL);
        }
        SetTextColor(dc, oldText);
        SetBkColor(dc, oldBack);
        return TRUE;
    }

    LRESULT OnCommand(UINT command) {
        // A click may free menus (Exit), so walk a copy.
        std::vector<CIconPopupMenu*> menus = LiveMenus();
        for (CIconPopupMenu* menu : menus) {
            auto& live = LiveMenus();
            if (std::find(live.begin(), live.end(), menu) == live.end()) continue;
            if (menu->HandleCommand(command)) break;
        }
        return 0;
    }
};

}  // namespace

CMenuItem::CMenuItem(std::string caption, std::function<void()> onClick)
    : caption(std::move(caption)), onClick(std::move(onClick)), m_command(TakeCommand()) {}

CMenuItem::~CMenuItem() {
    UsedCommands().erase(m_command);
}

CMenuItem& CMenuItem::Insert(int index, std::unique_ptr<CMenuItem> item) {
    size_t at = index < 0 || index > Count() ? m_children.size() : static_cast<size_t>(index);
    return **m_children.insert(m_children.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
}

void CMenuItem::Delete(int index) {
    if (index >= 0 && index < Count()) m_children.erase(m_children.begin() + index);
}

void CMenuItem::Reorder(const std::vector<int>& order) {
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (size_t i = 0; i < sorted.size(); ++i)
        if (sorted[i] != static_cast<int>(i)) return;
    if (sorted.size() != m_children.size()) return;
    std::vector<std::unique_ptr<CMenuItem>> reordered;
    reordered.reserve(order.size());
    for (int index : order) reordered.push_back(std::move(m_children[static_cast<size_t>(index)]));
    m_children = std::move(reordered);
}

int CMenuItem::IndexOf(const CMenuItem& child) const {
    for (int i = 0; i < Count(); ++i) {
        if (m_children[static_cast<size_t>(i)].get() == &child) return i;
    }
    return -1;
}

CIconPopupMenu::Creation CIconPopupMenu::Create(HWND owner) {
    if (!CWinSaver::IsForm(owner)) return {nullptr, kIconMenuOwnerMessage};
    return {std::unique_ptr<CIconPopupMenu>(new CIconPopupMenu(owner)), {}};
}

CIconPopupMenu::CIconPopupMenu(HWND owner) : m_owner(owner) {
    CIconPopupList::Instance().Join(this);
}

CIconPopupMenu::~CIconPopupMenu() {
    CIconPopupList::Instance().Leave(this);
}

HWND CIconPopupMenu::ListWindow() {
    return CIconPopupList::Instance().Window();
}

CMenuItem* CIconPopupMenu::ItemOfData(ULONG_PTR data) {
    auto* wanted = reinterpret_cast<CMenuItem*>(data);
    for (CIconPopupMenu* menu : LiveMenus()) {
        if (Owns(menu->m_root, wanted)) return wanted;
    }
    return nullptr;
}

void CIconPopupMenu::Loaded() {
    GiveInfos(m_root);
}

void CIconPopupMenu::SetItemIcon(int index, HICON icon) {
    CMenuItem& item = m_root[index];
    CMenuItemInfo info = item.info.value_or(CMenuItemInfo{});
    info.icon = icon;
    SetItemInfo(index, info);
}

void CIconPopupMenu::SetItemInfo(int index, const CMenuItemInfo& info) {
    CMenuItem& item = m_root[index];
    item.info = info;
    if (m_menu) Apply(m_menu.get(), item);
}

void CIconPopupMenu::SetItemBreak(int index, MenuBreak value) {
    CMenuItem& item = m_root[index];
    CMenuItemInfo info = item.info.value_or(CMenuItemInfo{});
    if (pOnBreakAt) pOnBreakAt(*this, index, info, value);
    info.breakAt = value;
    SetItemInfo(index, info);
}

void CIconPopupMenu::DeleteItems(int first, int last) {
    for (int i = std::min(last, Count() - 1); i >= std::max(first, 0); --i) m_root.Delete(i);
}

namespace {

struct ColumnGeometry {
    int screenHeight;
    int itemHeight;
};

ColumnGeometry ScreenColumnGeometry() {
    platform::unique_hdc_window screen(nullptr);
    platform::unique_hfont font = MenuFont();
    platform::unique_select_object selected(screen.get(), font.get());
    SIZE letter = {};
    GetTextExtentPoint32A(screen.get(), "I", 1, &letter);
    RECT desktop = {};
    GetWindowRect(GetDesktopWindow(), &desktop);
    return {desktop.bottom - desktop.top, MenuItemHeight(letter.cy, GetSystemMetrics(SM_CYSMICON))};
}

}  // namespace

void CIconPopupMenu::BreakIntoColumns() {
    const ColumnGeometry geometry = ScreenColumnGeometry();
    std::vector<MenuBreak> breaks = ColumnBreaks(Count(), geometry.screenHeight, geometry.itemHeight);
    for (int i = 0; i < Count(); ++i) SetItemBreak(i, breaks[static_cast<size_t>(i)]);
}

int CIconPopupMenu::ItemsPerColumn() {
    const ColumnGeometry geometry = ScreenColumnGeometry();
    return kelvane::ItemsPerColumn(geometry.screenHeight, geometry.itemHeight);
}

void CIconPopupMenu::Apply(HMENU menu, CMenuItem& item) {
    MENUITEMINFOA system = {};
    system.cbSize = sizeof system;
    system.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
    system.dwTypeData = const_cast<char*>(item.caption.c_str());
    if (item.IsSeparator()) {
        system.fType = MFT_SEPARATOR;
    } else if (item.info) {
        system.fType = MFT_OWNERDRAW;
        system.dwItemData = reinterpret_cast<ULONG_PTR>(&item);
    } else {
        system.fType = MFT_STRING;
    }
    if (item.info && item.info->breakAt == MenuBreak::Break) system.fType |= MFT_MENUBREAK;
    if (item.info && item.info->breakAt == MenuBreak::BarBreak) system.fType |= MFT_MENUBARBREAK;
    SetMenuItemInfoA(menu, item.Command(), FALSE, &system);
}

void CIconPopupMenu::Build(HMENU menu, CMenuItem& parent) {
    for (int i = 0; i < parent.Count(); ++i) {
        CMenuItem& item = parent[i];
        item.m_submenu = nullptr;
        if (!item.visible) continue;
        MENUITEMINFOA system = {};
        system.cbSize = sizeof system;
        system.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_STRING;
        system.fType = MFT_STRING;
        system.wID = item.Command();
        system.fState = (item.enabled ? MFS_ENABLED : MFS_GRAYED) | (item.isDefault ? MFS_DEFAULT : 0);
        system.dwTypeData = const_cast<char*>(item.caption.c_str());
        if (item.Count() > 0) {
            item.m_submenu = CreatePopupMenu();
            Build(item.m_submenu, item);
            system.fMask |= MIIM_SUBMENU;
            system.hSubMenu = item.m_submenu;
        }
        InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &system);
        Apply(menu, item);
    }
}

HMENU CIconPopupMenu::Handle() {
    // Destroying the old menu destroys its submenus with it.
    m_menu.reset(CreatePopupMenu());
    Build(m_menu.get(), m_root);
    return m_menu.get();
}

void CIconPopupMenu::Popup(POINT where) {
    if (OnPopup) OnPopup(*this);
    HMENU menu = Handle();
    platform::ShowTrayMenu(ListWindow(), menu, where, TPM_LEFTALIGN | TPM_RIGHTBUTTON);
}

bool CIconPopupMenu::ClickDefaultItem() {
    CMenuItem* item = FindDefault(m_root);
    if (!item || !item->enabled) return false;
    if (item->onClick) item->onClick();
    return true;
}

bool CIconPopupMenu::HandleCommand(UINT command) {
    CMenuItem* item = FindCommand(m_root, command);
    if (!item) return false;
    if (item->onClick) item->onClick();
    return true;
}

platform::unique_hfont MenuFont() {
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return platform::unique_hfont(CreateFontIndirectA(&metrics.lfMenuFont));
}

}  // namespace kelvane
