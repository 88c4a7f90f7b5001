#include "hookshim/system_menu_edit.h"

#include "hookshim/hookshim_protocol.h"
#include "hookshim/menu_rules.h"

namespace hookshim {

namespace {

MenuItemFact ItemAt(HMENU menu, int position) {
    const UINT state = GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
    const bool separator = state != static_cast<UINT>(-1) && (state & MF_SEPARATOR) != 0;
    return {static_cast<uint32_t>(GetMenuItemID(menu, position)), separator};
}

int ItemCount(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    return count > 0 ? count : 0;
}

void SetMark(HMENU menu, uint32_t command, bool checked) {
    CheckMenuItem(menu, command, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

bool MenuHasCommands(HMENU menu) {
    return HasCommands(ItemCount(menu), [menu](int i) { return ItemAt(menu, i); });
}

void RefreshCommandMarks(HMENU menu, uint32_t marks) {
    SetMark(menu, kCommandAlwaysOnTop, (marks & kMarkTopmost) != 0);
    SetMark(menu, kCommandNeverAdjust, (marks & kMarkNeverAdjust) != 0);
}

void AddOrRefreshCommands(HMENU menu, uint32_t marks) {
    if (!MenuHasCommands(menu)) {
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, kCommandAlwaysOnTop, kCaptionAlwaysOnTop);
        AppendMenuA(menu, MF_STRING, kCommandHideWindow, kCaptionHideWindow);
        AppendMenuA(menu, MF_STRING, kCommandNeverAdjust, kCaptionNeverAdjust);
    }
    RefreshCommandMarks(menu, marks);
}

bool RemoveCommands(HMENU menu) {
    const CommandRemoval removal = PlanCommandRemoval(ItemCount(menu), [menu](int i) { return ItemAt(menu, i); });
    for (int i = 0; i < removal.count; ++i) RemoveMenu(menu, static_cast<UINT>(removal.positions[i]), MF_BYPOSITION);
    return removal.count > 0;
}

}  // namespace hookshim
