// The one routine that puts the three commands into a system menu, refreshes
// their check marks and takes them out again. The program runs it on menus
// it can reach; the hook library runs it inside a window's own process for
// the rest. Plain user32 calls only: no allocation, no exception.
#pragma once

#include <windows.h>

#include <cstdint>

namespace hookshim {

bool MenuHasCommands(HMENU menu);
// Appends a separator and the three commands unless the menu has them, then
// sets the marks (kMarkTopmost, kMarkNeverAdjust).
void AddOrRefreshCommands(HMENU menu, uint32_t marks);
void RefreshCommandMarks(HMENU menu, uint32_t marks);
// Takes the commands and their separator out; false when the menu had none.
bool RemoveCommands(HMENU menu);

}  // namespace hookshim
