#include "quillet/menus/menu_window_win32.h"

#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <optional>

#include "platform/handles.h"
#include "platform/rect_win32.h"
#include "platform/window_base.h"
#include "quillet/app/application.h"
#include "quillet/app/quillet_names.h"
#include "quillet/menus/menu_layout.h"
#include "quillet/menus/menu_placement.h"
#include "quillet/menus/menus_resource_ids.h"
#include "quillet/menus/tray_menu.h"
#include "quillet/ui/messages.h"
#include "quillet/ui/object_sheets.h"

namespace quillet {

namespace {

constexpr DWORD kPopupExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_DLGMODALFRAME;
constexpr DWORD kPopupStyle = WS_POPUPWINDOW | WS_VISIBLE;
constexpr DWORD kFloatingExStyle = WS_EX_PALETTEWINDOW;
constexpr DWORD kFloatingStyle = WS_POPUPWINDOW | WS_VISIBLE | WS_DLGFRAME | WS_THICKFRAME;
// Posted to a floating window to run what its chosen entry asked for once the
// sub-menus it opened have closed.
constexpr UINT kRunDeferred = WM_APP + 1;

// Command ids of the context menus.
constexpr UINT kShellFirst = 1;
constexpr UINT kShellLast = 0x6FFF;
constexpr UINT kFolderActionFirst = 0x7000;  // + action number
constexpr UINT kTrayBase = 1;
constexpr UINT kTrayNew = kTrayBase + 0;
constexpr UINT kTrayRemove = kTrayBase + 1;
constexpr UINT kTrayProperties = kTrayBase + 2;
constexpr UINT kTrayShellFirst = kTrayBase + 9000;
constexpr UINT kTrayShellLast = kTrayBase + 9100;

std::string Text(const char* key) {
    return App().Texts().GetText(key).value_or(key);
}

class MenuWindow;

// The open menu levels, outermost first; the last is the most recently
// opened. A floating window stands first while it has sub-menus open.
std::vector<MenuWindow*> s_chain;
// Every menu window object; those whose window is gone are freed at points
// outside any window procedure.
std::vector<std::unique_ptr<MenuWindow>> s_windows;
// The press on a title band that may become a tear-off.
struct TitlePress {
    MenuWindow* window = nullptr;
    POINT point = {};
};
std::optional<TitlePress> s_press;
// The running ShowMenu call.
struct Session {
    bool active = false;
    bool done = false;
    HWND owner = nullptr;
};
Session s_session;
// What the chosen entry or a context command asked for, run when the menus
// are closed.
std::function<void()> s_deferred;
// Set while capture moves on purpose, so that losing it does not cancel.
bool s_movingCapture = false;

MenuWindow* FindWindowObject(HWND window);
// The floating window whose sub-menus are open, if the chain starts at one.
MenuWindow* ChainFloating();

class MenuWindow : public platform::BaseWindow<MenuWindow> {
public:
    MenuWindow(std::shared_ptr<Menu> root, Menu* menu, MenuWindow* parent, HWND owner, bool floating)
        : m_root(std::move(root)), m_menu(menu), m_parent(parent), m_owner(owner), m_floating(floating) {
        if (parent) m_side = parent->m_side;
    }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HDC dc);

    bool CreatePopup(int x, int y, const RECT* avoid, int flags);
    bool CreateFloating(const POINT& pointer, int oldLeft, int pressX);

    Menu* GetMenu() const { return m_menu; }
    bool Floating() const { return m_floating; }
    MenuWindow* Parent() const { return m_parent; }
    const MenuLayout& Layout() const { return m_layout; }
    int Hot() const { return m_hot; }
    platform::Rect EntryScreenRect(int index) const;
    void ForgetOpenSubmenu() { m_openEntry = -1; }

private:
    void LayOut(bool titled, int width);
    std::vector<MenuEntryFacts> Facts() const;
    MenuWindow* ChainWindowAt(POINT screen);
    // The level and entry under a screen point when that entry can be chosen.
    struct Hit {
        MenuWindow* window;
        int index;
        MenuEntry* entry;
    };
    std::optional<Hit> SelectableEntryAt(POINT screen);
    void Hover(POINT screen);
    void SetHot(int index);
    void OpenSubmenu(int index);
    void OnMouseMove(POINT screen);
    void OnButtonDown(POINT screen, bool middle);
    void OnLeftUp(POINT screen);
    void OnRightUp(POINT screen);
    void OnTimer();
    void OnNotify(WPARAM wParam, LPARAM lParam);
    void Choose(MenuWindow* target, MenuEntry& entry, POINT screen);
    void TearOff(POINT screen);
    void OnSize(int width);
    void ShowContextMenu(MenuEntry& entry, POINT screen);
    void ShowTrayEntryMenu(MenuEntry& entry, POINT screen);
    void DrawEntry(HDC dc, int index, MenuEntry& entry);
    // Whom messages and launches are owned by once the menus have closed: the
    // menu's owner, or a floating window, which stays.
    HWND MessageOwner() const { return m_floating ? m_window : m_owner; }

    std::shared_ptr<Menu> m_root;
    Menu* m_menu;
    MenuWindow* m_parent;
    HWND m_owner;
    bool m_floating;
    SubmenuSide m_side = SubmenuSide::Right;
    MenuLayout m_layout;
    int m_hot = -1;
    int m_openEntry = -1;
    int m_timerEntry = -1;
    DWORD m_restStart = 0;
    bool m_sizing = false;
};

std::vector<MenuEntryFacts> MenuWindow::Facts() const {
    std::vector<MenuEntryFacts> facts;
    facts.reserve(m_menu->Entries().size());
    platform::unique_hdc_window screen(nullptr);
    platform::unique_select_object font(screen.get(), GetStockObject(DEFAULT_GUI_FONT));
    for (const auto& entry : m_menu->Entries()) {
        MenuEntryFacts fact;
        fact.separator = (entry->flags & kEntrySeparator) != 0;
        fact.newColumn = (entry->flags & kEntryNewColumn) != 0;
        SIZE size = {};
        const std::string& text = entry->text.empty() ? std::string(" ") : entry->text;
        if (!fact.separator &&
            GetTextExtentPoint32A(screen.get(), text.c_str(), static_cast<int>(text.size()), &size)) {
            fact.textWidth = entry->text.empty() ? 0 : size.cx;
            fact.textHeight = size.cy;
        }
        facts.push_back(fact);
    }
    return facts;
}

void MenuWindow::LayOut(bool titled, int width) {
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (width < 0)
        m_layout = LayOutMenu(Facts(), m_menu->View(), screenHeight, titled);
    else
        m_layout = LayOutMenuForWidth(Facts(), m_menu->View(), width, screenHeight);
}

bool MenuWindow::CreatePopup(int x, int y, const RECT* avoid, int flags) {
    LayOut(!m_menu->Title().empty(), -1);
    RECT frame = {0, 0, std::max(m_layout.width, 1), std::max(m_layout.height, 1)};
    AdjustWindowRectEx(&frame, kPopupStyle, FALSE, kPopupExStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const platform::Rect workArea = platform::FromRECT(work);
    platform::Rect place;
    if (m_parent) {
        const platform::Rect entry = m_parent->EntryScreenRect(m_parent->m_openEntry);
        SubmenuPlace submenu = PlaceSubmenu(width, height, entry, m_parent->m_side, 0, workArea);
        place = submenu.window;
        m_side = submenu.side;
    } else if (avoid && (flags & kAlignDropDown)) {
        place = PlaceSubmenu(width, height, platform::FromRECT(*avoid), m_side, flags, workArea).window;
    } else {
        place = PlaceMenu(width, height, x, y, flags, workArea);
    }
    HWND owner = m_parent ? m_parent->Window() : m_owner;
    if (!CreateBound(kPopupExStyle, kMenuWindowClass, "", kPopupStyle, place.left, place.top, width, height, owner,
                     nullptr, GetModuleHandleA(nullptr)))
        return false;
    SetWindowLongPtrA(m_window, 0, reinterpret_cast<LONG_PTR>(m_parent ? m_parent->Window() : nullptr));
    return true;
}

bool MenuWindow::CreateFloating(const POINT& pointer, int oldLeft, int pressX) {
    LayOut(false, -1);
    FloatingMetrics metrics{GetSystemMetrics(SM_CXFRAME), GetSystemMetrics(SM_CYFRAME),
                            GetSystemMetrics(SM_CYSMCAPTION)};
    const platform::Rect place =
        FloatingWindowRect(m_layout.width, m_layout.height, pointer.x, pointer.y, oldLeft, pressX, metrics);
    if (!CreateBound(kFloatingExStyle, kMenuWindowClass, m_menu->Title().c_str(), kFloatingStyle, place.left, place.top,
                     place.Width(), place.Height(), m_owner, nullptr, GetModuleHandleA(nullptr)))
        return false;
    ShowWindow(m_window, SW_SHOW);
    UpdateWindow(m_window);
    return true;
}

platform::Rect MenuWindow::EntryScreenRect(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= m_layout.entries.size()) return {};
    platform::Rect r = m_layout.entries[static_cast<size_t>(index)];
    POINT origin = {0, 0};
    ClientToScreen(m_window, &origin);
    return {r.left + origin.x, r.top + origin.y, r.right + origin.x, r.bottom + origin.y};
}

// Closes the levels deeper than `keep` (all when null); a floating window
// is never closed here.
void CloseAfter(MenuWindow* keep) {
    s_movingCapture = true;
    while (!s_chain.empty() && s_chain.back() != keep) {
        MenuWindow* last = s_chain.back();
        s_chain.pop_back();
        if (s_press && s_press->window == last) s_press.reset();
        last->ForgetOpenSubmenu();
        if (!last->Floating()) DestroyWindow(last->Window());
    }
    if (keep) {
        keep->ForgetOpenSubmenu();
        if (!keep->Floating()) SetCapture(keep->Window());
    } else if (s_session.active) {
        s_session.done = true;
    }
    if (s_chain.size() == 1 && s_chain.front()->Floating()) s_chain.clear();
    s_movingCapture = false;
}

void CloseChain() {
    CloseAfter(nullptr);
    if (GetCapture() && FindWindowObject(GetCapture())) ReleaseCapture();
}

// Runs `action` once the menus are closed: after ShowMenu's loop, or through
// the floating window that stays.
void Defer(std::function<void()> action, MenuWindow* floating) {
    s_deferred = std::move(action);
    if (floating && floating->Window()) PostMessageA(floating->Window(), kRunDeferred, 0, 0);
}

void RunDeferred() {
    std::function<void()> action = std::move(s_deferred);
    s_deferred = nullptr;
    if (action) action();
}

MenuWindow* FindWindowObject(HWND window) {
    if (!window) return nullptr;
    for (const auto& object : s_windows)
        if (object->Window() == window) return object.get();
    return nullptr;
}

MenuWindow* ChainFloating() {
    return (!s_chain.empty() && s_chain.front()->Floating()) ? s_chain.front() : nullptr;
}

void Prune() {
    s_windows.erase(std::remove_if(s_windows.begin(), s_windows.end(),
                                   [](const std::unique_ptr<MenuWindow>& w) {
                                       return !w->Window() &&
                                              std::find(s_chain.begin(), s_chain.end(), w.get()) == s_chain.end();
                                   }),
                    s_windows.end());
}

MenuWindow* MenuWindow::ChainWindowAt(POINT screen) {
    for (MenuWindow* window = this; window; window = window->m_parent) {
        RECT r = {};
        GetWindowRect(window->Window(), &r);
        if (PtInRect(&r, screen)) return window;
    }
    return nullptr;
}

void MenuWindow::SetHot(int index) {
    if (index == m_hot) return;
    auto invalidate = [this](int i) {
        if (i < 0 || static_cast<size_t>(i) >= m_layout.entries.size()) return;
        RECT r = platform::ToRECT(m_layout.entries[static_cast<size_t>(i)]);
        InvalidateRect(m_window, &r, TRUE);
    };
    invalidate(m_hot);
    m_hot = index;
    invalidate(m_hot);
}

void MenuWindow::Hover(POINT screen) {
    POINT client = screen;
    ScreenToClient(m_window, &client);
    int index = EntryAt(m_layout, client.x, client.y);
    if (index >= 0 && !m_menu->Entries()[static_cast<size_t>(index)]->Selectable()) index = -1;
    if (index == m_hot) return;
    SetHot(index);
    // A level that is not the deepest closes the ones below it.
    if (!s_chain.empty() && s_chain.back() != this && index != m_openEntry)
        SendMessageA(s_chain.back()->Window(), MenuNotifyMessage(), reinterpret_cast<WPARAM>(m_window), 0);
    if (index >= 0 && index != m_openEntry && m_menu->Entries()[static_cast<size_t>(index)]->HasSubmenu()) {
        m_restStart = GetTickCount();
        m_timerEntry = index;
        SetTimer(m_window, kSubmenuTimer, kSubmenuTimerPeriod, nullptr);
    } else {
        KillTimer(m_window, kSubmenuTimer);
        m_timerEntry = -1;
    }
}

void MenuWindow::OnTimer() {
    if (GetTickCount() - m_restStart < kSubmenuRestTime) return;
    KillTimer(m_window, kSubmenuTimer);
    if (m_timerEntry >= 0 && m_timerEntry == m_hot) OpenSubmenu(m_hot);
    m_timerEntry = -1;
}

void MenuWindow::OpenSubmenu(int index) {
    if (index < 0 || static_cast<size_t>(index) >= m_menu->Entries().size()) return;
    if (index == m_openEntry) return;
    MenuEntry& entry = *m_menu->Entries()[static_cast<size_t>(index)];
    CloseAfter(this);
    // A floating window opening its first level heads the chain, so that a
    // choice below it comes back to it.
    if (s_chain.empty()) s_chain.push_back(this);
    Menu* submenu = entry.Submenu();
    if (!submenu) return;
    m_openEntry = index;
    auto child = std::make_unique<MenuWindow>(m_root, submenu, this, m_owner, false);
    MenuWindow* created = child.get();
    s_windows.push_back(std::move(child));
    if (!created->CreatePopup(0, 0, nullptr, 0)) {
        m_openEntry = -1;
        return;
    }
    s_chain.push_back(created);
    s_movingCapture = true;
    SetCapture(created->Window());
    s_movingCapture = false;
}

void MenuWindow::OnMouseMove(POINT screen) {
    if (s_press && PassesTearOffDistance(s_press->point.x, s_press->point.y, screen.x, screen.y)) {
        TearOff(screen);
        return;
    }
    // Windows repeats a move at the same place whenever windows change under
    // the pointer; only a real move may restart the rest before a sub-menu.
    static POINT s_lastMove = {INT_MIN, INT_MIN};
    if (screen.x == s_lastMove.x && screen.y == s_lastMove.y && ChainWindowAt(screen) == this) return;
    s_lastMove = screen;
    MenuWindow* target = ChainWindowAt(screen);
    if (!target) {
        KillTimer(m_window, kSubmenuTimer);
        return;
    }
    target->Hover(screen);
}

void MenuWindow::OnButtonDown(POINT screen, bool middle) {
    MenuWindow* target = ChainWindowAt(screen);
    if (middle) {
        MenuWindow* floating = ChainFloating();
        if (m_floating && s_chain.empty()) {
            DestroyWindow(m_window);
            return;
        }
        CloseChain();
        if (floating && target == floating) DestroyWindow(floating->Window());
        return;
    }
    if (!target) {
        // A press outside every level cancels the menu.
        CloseChain();
        return;
    }
    POINT client = screen;
    ScreenToClient(target->Window(), &client);
    if (!target->m_floating && InTitleBand(target->m_layout, client.x, client.y)) s_press = TitlePress{target, screen};
}

std::optional<MenuWindow::Hit> MenuWindow::SelectableEntryAt(POINT screen) {
    MenuWindow* target = ChainWindowAt(screen);
    if (!target) return std::nullopt;
    POINT client = screen;
    ScreenToClient(target->Window(), &client);
    const int index = EntryAt(target->m_layout, client.x, client.y);
    if (index < 0) return std::nullopt;
    MenuEntry& entry = *target->m_menu->Entries()[static_cast<size_t>(index)];
    if (!entry.Selectable()) return std::nullopt;
    return Hit{target, index, &entry};
}

void MenuWindow::OnLeftUp(POINT screen) {
    if (s_press) {
        s_press.reset();
        return;
    }
    const std::optional<Hit> hit = SelectableEntryAt(screen);
    if (!hit) return;
    if (hit->entry->HasSubmenu()) {
        hit->window->SetHot(hit->index);
        hit->window->OpenSubmenu(hit->index);
        return;
    }
    Choose(hit->window, *hit->entry, screen);
}

void MenuWindow::Choose(MenuWindow* target, MenuEntry& entry, POINT screen) {
    std::shared_ptr<Menu> root = m_root;
    HWND owner = MessageOwner();
    if (s_chain.empty()) {
        // A floating window's own entry with nothing open below it.
        Defer([root, owner, &entry] { LaunchEntry(owner, entry); }, target);
        return;
    }
    s_movingCapture = true;
    ReleaseCapture();
    s_movingCapture = false;
    ChosenEntry chosen{&entry, target->Window(), screen};
    SendMessageA(s_chain.back()->Window(), MenuNotifyMessage(), 0, reinterpret_cast<LPARAM>(&chosen));
}

void MenuWindow::OnNotify(WPARAM wParam, LPARAM lParam) {
    if (wParam) {
        CloseAfter(FindWindowObject(reinterpret_cast<HWND>(wParam)));
        return;
    }
    const auto* chosen = reinterpret_cast<const ChosenEntry*>(lParam);
    if (!chosen || !chosen->entry) return;
    MenuEntry* entry = chosen->entry;
    std::shared_ptr<Menu> root = m_root;
    HWND owner = s_session.active ? s_session.owner : MessageOwner();
    MenuWindow* floating = ChainFloating();
    CloseChain();
    Defer([root, owner, entry] { LaunchEntry(owner, *entry); }, floating);
}

void MenuWindow::TearOff(POINT screen) {
    MenuWindow* pressed = s_press->window;
    const POINT press = s_press->point;
    s_press.reset();
    RECT old = {};
    GetWindowRect(pressed->Window(), &old);
    std::shared_ptr<Menu> root = pressed->m_root;
    Menu* menu = pressed->m_menu;
    HWND owner = pressed->m_owner;
    CloseChain();
    auto floating = std::make_unique<MenuWindow>(root, menu, nullptr, owner, true);
    MenuWindow* created = floating.get();
    s_windows.push_back(std::move(floating));
    if (!created->CreateFloating(screen, old.left, press.x)) return;
    // The drag that tore the menu off goes on moving the floating window; a
    // caption press without the button down would wait for a release that
    // never comes.
    if (GetKeyState(VK_LBUTTON) < 0)
        SendMessageA(created->Window(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
}

void MenuWindow::OnSize(int width) {
    if (!m_floating || m_sizing) return;
    m_sizing = true;
    LayOut(false, width);
    RECT client = {0, 0, width, std::max(m_layout.height, 1)};
    AdjustWindowRectEx(&client, kFloatingStyle, FALSE, kFloatingExStyle);
    RECT now = {};
    GetWindowRect(m_window, &now);
    SetWindowPos(m_window, nullptr, 0, 0, now.right - now.left, client.bottom - client.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(m_window, nullptr, TRUE);
    m_sizing = false;
}

// The folder actions a folder entry's context menu adds.
platform::unique_hmenu FolderActionsMenu() {
    platform::unique_hmenu menu(CreatePopupMenu());
    if (!menu) return menu;
    const std::pair<int, const char*> actions[] = {
        {kFolderActionExplore, "folder:actExp"},
        {kFolderActionExploreTree, "folder:actExpTree"},
        {kFolderActionCommandPrompt, "folder:actCmd"},
    };
    for (const auto& [action, key] : actions)
        AppendMenuA(menu.get(), MF_STRING, kFolderActionFirst + static_cast<UINT>(action), Text(key).c_str());
    return menu;
}

UINT TrackContextMenu(HMENU menu, HWND window, POINT screen) {
    s_movingCapture = true;
    const UINT command = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, screen.x, screen.y, 0, window, nullptr));
    // The popup menu took the capture; the deepest level takes it back.
    if (!s_chain.empty() && !s_chain.back()->Floating()) SetCapture(s_chain.back()->Window());
    s_movingCapture = false;
    return command;
}

void InvokeShellCommand(const ComRef<IContextMenu>& shell, HWND owner, UINT offset) {
    CMINVOKECOMMANDINFO invoke = {};
    invoke.cbSize = sizeof invoke;
    invoke.hwnd = owner;
    invoke.lpVerb = MAKEINTRESOURCEA(offset);
    invoke.nShow = SW_SHOWNORMAL;
    shell->InvokeCommand(&invoke);
}

void MenuWindow::ShowContextMenu(MenuEntry& entry, POINT screen) {
    if (entry.item) {
        ShowTrayEntryMenu(entry, screen);
        return;
    }
    if (!entry.parent || !entry.relative) return;
    ComRef<IContextMenu> shell;
    const ITEMIDLIST* relative = entry.relative.get();
    entry.parent->GetUIObjectOf(m_window, 1, &relative, IID_IContextMenu, nullptr, shell.put());
    platform::unique_hmenu menu(CreatePopupMenu());
    if (!menu) return;
    if (shell) shell->QueryContextMenu(menu.get(), 0, kShellFirst, kShellLast, CMF_NORMAL);
    if (entry.extraMenu) {
        platform::unique_hmenu actions = FolderActionsMenu();
        if (actions && AppendMenuA(menu.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(actions.get()),
                                   Text("menu:folderMenu").c_str()))
            actions.release();  // destroyed with its parent menu
    }
    if (GetMenuItemCount(menu.get()) <= 0) return;
    const UINT command = TrackContextMenu(menu.get(), m_window, screen);
    if (command == 0) return;
    std::shared_ptr<Menu> root = m_root;
    HWND owner = MessageOwner();
    MenuWindow* floating = ChainFloating() ? ChainFloating() : (m_floating ? this : nullptr);
    MenuEntry* chosen = &entry;
    CloseChain();
    if (command >= kFolderActionFirst) {
        const int action = static_cast<int>(command - kFolderActionFirst);
        Defer([root, owner, chosen, action] { RunFolderActionOn(owner, chosen->absolute.get(), action); }, floating);
    } else {
        Defer([root, owner, shell, command] { InvokeShellCommand(shell, owner, command - kShellFirst); }, floating);
    }
}

void MenuWindow::ShowTrayEntryMenu(MenuEntry& entry, POINT screen) {
    platform::unique_hmenu menu(CreatePopupMenu());
    if (!menu) return;
    ComRef<IContextMenu> shell;
    if (entry.parent && entry.relative) {
        const ITEMIDLIST* relative = entry.relative.get();
        entry.parent->GetUIObjectOf(m_window, 1, &relative, IID_IContextMenu, nullptr, shell.put());
    }
    if (shell) {
        platform::unique_hmenu shellMenu(CreatePopupMenu());
        if (shellMenu &&
            SUCCEEDED(shell->QueryContextMenu(shellMenu.get(), 0, kTrayShellFirst, kTrayShellLast, CMF_NORMAL)) &&
            AppendMenuA(menu.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(shellMenu.get()),
                        entry.text.c_str())) {
            shellMenu.release();
            AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
        }
    }
    RefPtr<Object> item = entry.item;
    if (!item->ReadBoolean(kTagLocked)) {
        AppendMenuA(menu.get(), MF_STRING, kTrayNew, Text("mnuNew").c_str());
        AppendMenuA(menu.get(), MF_STRING, kTrayRemove, Text("mnuRemove").c_str());
        AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
    }
    AppendMenuA(menu.get(), MF_STRING, kTrayProperties, Text("mnuProperties").c_str());
    const UINT command = TrackContextMenu(menu.get(), m_window, screen);
    if (command == 0) return;
    std::shared_ptr<Menu> root = m_root;
    HWND owner = MessageOwner();
    MenuWindow* floating = ChainFloating() ? ChainFloating() : (m_floating ? this : nullptr);
    CloseChain();
    Defer(
        [root, owner, item, shell, command] {
            if (command == kTrayNew) {
                if (App().RunNewItemWizard(owner, item.Get(), std::string())) App().SaveIconSet(owner);
            } else if (command == kTrayRemove) {
                if (item->ReadBoolean(kTagConfirmDelete) &&
                    ShowMessage(owner, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, "msgConfirmDelete") != IDYES)
                    return;
                Object* holder = item->Owner();
                if (holder && holder->Remove(item.Get()) == kStatusOk) App().SaveIconSet(owner);
            } else if (command == kTrayProperties) {
                if (EditObject(owner, *item)) App().SaveIconSet(owner);
            } else if (command >= kTrayShellFirst && command <= kTrayShellLast && shell) {
                InvokeShellCommand(shell, owner, command - kTrayShellFirst);
            }
        },
        floating);
}

void MenuWindow::OnRightUp(POINT screen) {
    if (s_press) {
        s_press.reset();
        return;
    }
    if (const std::optional<Hit> hit = SelectableEntryAt(screen)) hit->window->ShowContextMenu(*hit->entry, screen);
}

POINT ScreenPoint(HWND window, LPARAM lParam) {
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(window, &point);
    return point;
}

LRESULT MenuWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == MenuNotifyMessage()) {
        OnNotify(wParam, lParam);
        return 0;
    }
    switch (message) {
    case WM_MOUSEMOVE: OnMouseMove(ScreenPoint(m_window, lParam)); return 0;
    case WM_LBUTTONDOWN: OnButtonDown(ScreenPoint(m_window, lParam), false); return 0;
    case WM_RBUTTONDOWN: OnButtonDown(ScreenPoint(m_window, lParam), false); return 0;
    case WM_MBUTTONDOWN: OnButtonDown(ScreenPoint(m_window, lParam), true); return 0;
    case WM_LBUTTONUP: OnLeftUp(ScreenPoint(m_window, lParam)); return 0;
    case WM_RBUTTONUP: OnRightUp(ScreenPoint(m_window, lParam)); return 0;
    case WM_TIMER:
        if (wParam == kSubmenuTimer) OnTimer();
        return 0;
    case WM_SIZE: OnSize(LOWORD(lParam)); return 0;
    case WM_NCHITTEST:
        if (m_floating) return FloatingHitTest(static_cast<int>(DefaultHandling(message, wParam, lParam)));
        break;
    case WM_CAPTURECHANGED:
        if (!s_movingCapture && !FindWindowObject(reinterpret_cast<HWND>(lParam)) && !s_chain.empty() &&
            s_chain.back() == this)
            CloseChain();
        return 0;
    case WM_ACTIVATEAPP:
        if (!wParam && !s_chain.empty()) CloseChain();
        return 0;
    case kRunDeferred: RunDeferred(); return 0;
    case WM_DESTROY:
        // A floating window closed while its sub-menus are open takes them
        // with it (they are its owned windows); the chain must forget them.
        if (m_floating && ChainFloating() == this) CloseChain();
        break;
    case WM_MOUSEACTIVATE:
        if (!m_floating) return MA_NOACTIVATE;
        break;
    }
    return DefaultHandling(message, wParam, lParam);
}

void DrawTriangle(HDC dc, const platform::Rect& entry, COLORREF colour, int offset) {
    const int x = entry.right - 10 + offset;
    const int y = (entry.top + entry.bottom) / 2 + offset;
    POINT points[] = {{x, y - 3}, {x + 3, y}, {x, y + 3}};
    platform::unique_hbrush brush(CreateSolidBrush(colour));
    platform::unique_hpen pen(CreatePen(PS_SOLID, 1, colour));
    platform::unique_select_object selectBrush(dc, brush.get());
    platform::unique_select_object selectPen(dc, pen.get());
    Polygon(dc, points, 3);
}

HICON CheckIcon(bool highlighted) {
    static HICON s_icons[2] = {};
    static bool s_loaded[2] = {};
    const int which = highlighted ? 1 : 0;
    if (!s_loaded[which]) {
        s_loaded[which] = true;
        s_icons[which] = static_cast<HICON>(LoadImageA(
            GetModuleHandleA(nullptr), MAKEINTRESOURCEA(highlighted ? IDI_MENU_CHECK_HIGHLIGHTED : IDI_MENU_CHECK),
            IMAGE_ICON, 16, 16, LR_SHARED));
    }
    return s_icons[which];
}

void MenuWindow::DrawEntry(HDC dc, int index, MenuEntry& entry) {
    RECT r = platform::ToRECT(m_layout.entries[static_cast<size_t>(index)]);
    if (entry.flags & kEntrySeparator) {
        RECT line = {r.left + 1, r.top + 3, r.right - 1, r.top + 5};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    const bool highlighted = index == m_hot;
    const bool grayed = IsGrayed(entry.flags);
    const bool icons = (m_menu->View() & kMenuViewIcons) != 0;
    RECT cell = {r.left, r.top + (r.bottom - r.top - kMenuIconCell) / 2, r.left + kMenuIconCell,
                 r.top + (r.bottom - r.top - kMenuIconCell) / 2 + kMenuIconCell};
    RECT textArea = r;
    textArea.left = icons ? cell.right + 3 : r.left + 22;
    if (highlighted) {
        RECT fill = r;
        if (icons) fill.left = cell.right + 1;
        FillRect(dc, &fill, GetSysColorBrush(COLOR_HIGHLIGHT));
    }
    if (icons) {
        const bool checked = (entry.flags & kEntryChecked) != 0;
        HICON icon = checked ? CheckIcon(highlighted) : entry.Icon();
        if (icon) DrawIconEx(dc, cell.left + 1, cell.top + 1, icon, 16, 16, 0, nullptr, DI_NORMAL);
        if (checked)
            DrawEdge(dc, &cell, BDR_SUNKENOUTER, BF_RECT);
        else if (highlighted)
            DrawEdge(dc, &cell, BDR_RAISEDINNER, BF_RECT);
    }
    if (m_menu->View() & kMenuViewText) {
        const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_LEFT;
        if (grayed) {
            RECT shadow = textArea;
            OffsetRect(&shadow, 1, 1);
            SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
            DrawTextA(dc, entry.text.c_str(), static_cast<int>(entry.text.size()), &shadow, format);
            SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
        } else {
            SetTextColor(dc, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
        }
        DrawTextA(dc, entry.text.c_str(), static_cast<int>(entry.text.size()), &textArea, format);
    }
    if (entry.HasSubmenu()) {
        const platform::Rect area = m_layout.entries[static_cast<size_t>(index)];
        if (grayed) {
            DrawTriangle(dc, area, GetSysColor(COLOR_3DHILIGHT), 1);
            DrawTriangle(dc, area, GetSysColor(COLOR_GRAYTEXT), 0);
        } else {
            DrawTriangle(dc, area, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT), 0);
        }
    }
}

void MenuWindow::Paint(HDC dc) {
    RECT client = {};
    GetClientRect(m_window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
    platform::unique_select_object font(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    if (m_layout.titleBand) {
        RECT band = {1, 1, client.right - 1, kMenuTitleBand};
        FillRect(dc, &band, GetSysColorBrush(COLOR_ACTIVECAPTION));
    }
    for (int x : m_layout.columnLines) {
        RECT line = {x, 0, x + 2, client.bottom};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
    }
    RECT clip = {};
    GetClipBox(dc, &clip);
    for (size_t i = 0; i < m_layout.entries.size(); ++i) {
        RECT r = platform::ToRECT(m_layout.entries[i]);
        RECT common = {};
        // Only the entries that show are drawn: a big folder's icons are read
        // for the entries on the screen alone.
        if (!IntersectRect(&common, &r, &clip)) continue;
        DrawEntry(dc, static_cast<int>(i), *m_menu->Entries()[i]);
    }
}

}  // namespace

UINT MenuNotifyMessage() {
    static const UINT s_message = RegisterWindowMessageA(kNotifyMessageName);
    return s_message;
}

bool RegisterMenuWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass = {};
    windowClass.style = CS_SAVEBITS;
    windowClass.lpfnWndProc = MenuWindow::WindowProc;
    // The first extra word holds the parent menu window.
    windowClass.cbWndExtra = sizeof(LONG_PTR);
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
    windowClass.lpszClassName = kMenuWindowClass;
    return platform::RegisterWindowClass(windowClass);
}

void ShowMenu(std::shared_ptr<Menu> menu, HWND owner, int x, int y, const RECT* avoid, int flags) {
    if (!menu) return;
    Prune();
    RegisterMenuWindowClass(GetModuleHandleA(nullptr));
    auto window = std::make_unique<MenuWindow>(menu, menu.get(), nullptr, owner, false);
    MenuWindow* created = window.get();
    s_windows.push_back(std::move(window));
    CloseChain();
    if (!created->CreatePopup(x, y, avoid, flags)) return;
    s_chain.push_back(created);
    s_session = Session{true, false, owner};
    s_movingCapture = true;
    SetCapture(created->Window());
    s_movingCapture = false;

    MSG message = {};
    while (!s_session.done) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The quit message belongs to the loop outside.
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            CloseChain();
            break;
        }
        // The menu window handles no keys of its own; Escape cancels.
        if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
            CloseChain();
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    s_session = Session{};
    Prune();
    RunDeferred();
}

HWND LatestMenuWindow() {
    return s_chain.empty() ? nullptr : s_chain.back()->Window();
}

std::vector<HWND> OpenMenuWindows() {
    std::vector<HWND> windows;
    for (MenuWindow* window : s_chain)
        if (!window->Floating()) windows.push_back(window->Window());
    return windows;
}

std::vector<HWND> FloatingMenuWindows() {
    std::vector<HWND> windows;
    for (const auto& window : s_windows)
        if (window->Floating() && window->Window()) windows.push_back(window->Window());
    return windows;
}

const Menu* MenuOfWindow(HWND window) {
    MenuWindow* object = FindWindowObject(window);
    return object ? object->GetMenu() : nullptr;
}

std::vector<platform::Rect> MenuEntryRects(HWND window) {
    std::vector<platform::Rect> rects;
    MenuWindow* object = FindWindowObject(window);
    if (!object) return rects;
    for (size_t i = 0; i < object->Layout().entries.size(); ++i)
        rects.push_back(object->EntryScreenRect(static_cast<int>(i)));
    return rects;
}

int HighlightedEntry(HWND window) {
    MenuWindow* object = FindWindowObject(window);
    return object ? object->Hot() : -1;
}

}  // namespace quillet
