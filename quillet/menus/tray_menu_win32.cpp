#include "quillet/menus/tray_menu.h"

#include "platform/handles.h"
#include "platform/tray.h"
#include "quillet/app/application.h"
#include "quillet/menus/menu_placement.h"
#include "quillet/menus/menu_window_win32.h"

namespace quillet {

void ShowTrayIconMenu(Object& trayIcon, HWND owner) {
    const std::vector<RefPtr<Object>> children = trayIcon.Children();
    POINT cursor = {};
    GetCursorPos(&cursor);
    const std::string empty = App().Texts().GetText("emptyMenuEntry").value_or("emptyMenuEntry");

    auto menu = std::make_shared<Menu>(trayIcon.ReadInteger(kTagMenuView, kMenuViewTextAndIcons));
    bool newColumn = false;
    for (const RefPtr<Object>& child : children) {
        if (!child->HasMenuEntry()) {
            newColumn = true;
            continue;
        }
        AddTrayItemToMenu(*menu, *child, newColumn ? kEntryNewColumn : 0);
        newColumn = false;
    }
    if (children.empty()) {
        platform::unique_hmenu popup(CreatePopupMenu());
        if (!popup) return;
        AppendMenuA(popup.get(), MF_STRING | MF_GRAYED, static_cast<UINT_PTR>(-1), empty.c_str());
        platform::ShowTrayMenu(owner, popup.get(), cursor, TPM_RETURNCMD);
        return;
    }
    // Children that give no entry (folders that cannot be found, column
    // separators alone) must not leave an empty window to click on.
    if (menu->Entries().empty()) menu->Append(empty, kEntryGrayed);
    ShowMenu(menu, owner, cursor.x, cursor.y, nullptr, kAlignBottom);
}

}  // namespace quillet
