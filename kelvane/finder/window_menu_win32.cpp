#include "kelvane/finder/window_menu_win32.h"

#include <algorithm>

#include "platform/windows_list.h"

namespace kelvane {
namespace {

static_assert(kStylePopup == WS_POPUP && kStyleDialogFrame == WS_DLGFRAME && kStyleSystemMenu == WS_SYSMENU &&
                  kStyleSizingFrame == WS_THICKFRAME && kStyleMinimizeBox == WS_MINIMIZEBOX &&
                  kStyleMaximizeBox == WS_MAXIMIZEBOX,
              "the rules' style bits are Windows' own");

bool IsTopmost(HWND window) {
    return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

bool OfThisProcess(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

HICON AskIcon(HWND window, WPARAM which, UINT timeout) {
    DWORD_PTR icon = 0;
    if (!SendMessageTimeoutA(window, WM_GETICON, which, 0, SMTO_ABORTIFHUNG, timeout, &icon)) return nullptr;
    return reinterpret_cast<HICON>(icon);
}

}  // namespace

TaskWindowFacts TaskWindowFactsOf(HWND window) {
    TaskWindowFacts facts;
    facts.isWindow = window && IsWindow(window);
    if (!facts.isWindow) return facts;
    facts.visible = IsWindowVisible(window) != FALSE;
    facts.hasParent = GetParent(window) != nullptr;
    facts.hasOwner = GetWindow(window, GW_OWNER) != nullptr;
    facts.className = platform::WindowClassName(window);
    facts.style = static_cast<uint32_t>(GetWindowLongPtrA(window, GWL_STYLE));
    return facts;
}

bool IsTaskWindow(HWND window) {
    return IsTaskWindow(TaskWindowFactsOf(window));
}

bool IsExplorerWindow(HWND window) {
    return IsExplorerWindowClass(platform::WindowClassName(window));
}

bool IsForeignTaskWindow(HWND window) {
    if (window == GetDesktopWindow() || window == GetShellWindow()) return false;
    return IsTaskWindow(window) && !OfThisProcess(window);
}

std::vector<HWND> ForeignTaskWindows() {
    std::vector<HWND> windows = platform::TopLevelWindows();
    windows.erase(std::remove_if(windows.begin(), windows.end(), [](HWND w) { return !IsForeignTaskWindow(w); }),
                  windows.end());
    return windows;
}

std::string WindowCaption(HWND window) {
    char text[256] = {};
    const int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

HICON WindowMenuIcon(HWND window) {
    if (HICON icon = AskIcon(window, ICON_SMALL, kSmallIconTimeoutMs)) return icon;
    if (HICON icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM))) return icon;
    return AskIcon(window, ICON_BIG, kBigIconTimeoutMs);
}

void RestoreAndRaise(HWND window) {
    if (!IsWindow(window)) return;
    ShowWindow(window, SW_RESTORE);
    BringWindowToTop(window);
}

void RunQuickCommand(QuickCommand command, const std::function<void(HWND)>& hide) {
    for (HWND window : ForeignTaskWindows()) {
        switch (command) {
        case QuickCommand::CloseAll: PostMessageA(window, WM_CLOSE, 0, 0); break;
        case QuickCommand::HideAll:
            if (hide) hide(window);
            break;
        // A hidden Explorer window counts as an application window, but
        // minimising or restoring it would show it: both leave it hidden.
        case QuickCommand::MinimizeAll:
            if (IsWindowVisible(window)) ShowWindow(window, SW_SHOWMINNOACTIVE);
            break;
        case QuickCommand::RestoreAll:
            if (IsWindowVisible(window) && IsIconic(window)) ShowWindow(window, SW_RESTORE);
            break;
        }
    }
}

WindowMenu::WindowMenu(CKelvane& control, HINSTANCE resources) : m_control(control), m_resources(resources) {}

bool WindowMenu::IsMerged(const CMenuItem& item) const {
    return std::find(m_merged.begin(), m_merged.end(), &item) != m_merged.end();
}

void WindowMenu::RemoveMergedItems(CIconPopupMenu& menu) {
    CMenuItem& items = menu.Items();
    for (int i = items.Count() - 1; i >= 0; --i)
        if (IsMerged(items[i])) items.Delete(i);
    m_merged.clear();
    m_mergedWindows.clear();
}

void WindowMenu::CollectWindows() {
    CWindowList& explorer = m_control.ExplorerWindowList;
    CWindowList& others = m_control.OtherWindowList;
    explorer.Clear();
    others.Clear();
    for (HWND window : ForeignTaskWindows()) {
        (IsExplorerWindow(window) ? explorer : others).Add(WindowCaption(window), window);
    }
    // Windows the program hid are listed too; an entry whose window is gone
    // or was shown again meanwhile is dropped.
    CWindowList& hidden = m_control.HiddenWindows;
    for (size_t i = hidden.Count(); i-- > 0;) {
        HWND window = hidden[i].window;
        if (!IsWindow(window) || IsWindowVisible(window)) {
            hidden.Delete(i);
            continue;
        }
        CWindowList& list = IsExplorerWindow(window) ? explorer : others;
        // A hidden Explorer window is found by the enumeration as well: once is enough.
        if (!list.Contains(window)) list.Add(WindowCaption(window), window);
    }
}

void WindowMenu::InsertItems(CIconPopupMenu& menu, const CWindowList& windows) {
    for (size_t i = windows.Count(); i-- > 0;) {
        HWND window = windows[i].window;
        auto item = std::make_unique<CMenuItem>(windows[i].caption, [window] { RestoreAndRaise(window); });
        item->info = CMenuItemInfo{};
        m_merged.insert(m_merged.begin(), &menu.Items().Insert(0, std::move(item)));
        m_mergedWindows.insert(m_mergedWindows.begin(), window);
    }
}

void WindowMenu::KeepFixedBlockInFirstColumn(CIconPopupMenu& menu) {
    CMenuItem& items = menu.Items();
    int firstFixed = -1, lastFixed = -1;
    for (int i = 0; i < items.Count(); ++i) {
        if (IsMerged(items[i])) continue;
        if (firstFixed < 0) firstFixed = i;
        lastFixed = i;
    }
    if (firstFixed < 0) return;
    items.Reorder(
        OrderWithFixedBlockInFirstColumn(firstFixed, lastFixed, CIconPopupMenu::ItemsPerColumn(), items.Count()));
}

HICON WindowMenu::Marker(HICON& cached, const char* name) {
    if (!cached) {
        cached = static_cast<HICON>(LoadImageA(m_resources, name, IMAGE_ICON, 0, 0, LR_SHARED));
    }
    return cached;
}

void WindowMenu::GiveIcons(CIconPopupMenu& menu) {
    CMenuItem& items = menu.Items();
    for (int i = items.Count() - 1; i >= 0; --i) {
        auto merged = std::find(m_merged.begin(), m_merged.end(), &items[i]);
        if (merged == m_merged.end()) continue;
        HWND window = m_mergedWindows[static_cast<size_t>(merged - m_merged.begin())];
        CMenuItemInfo info = items[i].info.value_or(CMenuItemInfo{});
        info.icon = WindowMenuIcon(window);
        info.topMarker = IsTopmost(window) ? Marker(m_topmostMarker, kAlwaysOnTopIconName) : nullptr;
        info.bottomMarker = IsWindowVisible(window) ? nullptr : Marker(m_hiddenMarker, kHideWindowIconName);
        menu.SetItemInfo(i, info);
    }
}

void WindowMenu::Merge(CIconPopupMenu& menu, bool fullPathsOff) {
    RemoveMergedItems(menu);
    CollectWindows();
    SortExplorerWindows(m_control.ExplorerWindowList, fullPathsOff,
                        [](HWND window) { return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(window)); });
    InsertItems(menu, m_control.ExplorerWindowList);
    m_control.OtherWindowList.SortByCaption();
    InsertItems(menu, m_control.OtherWindowList);
    KeepFixedBlockInFirstColumn(menu);
    if (m_control.Settings().ShowFinderIcons()) GiveIcons(menu);
    menu.BreakIntoColumns();
}

}  // namespace kelvane
