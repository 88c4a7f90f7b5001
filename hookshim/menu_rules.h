// Where the commands sit in a system menu, decided over the menu's items
// alone. Header-only and allocation-free: the hook library runs it inside
// other programs.
#pragma once

#include <cstdint>

#include "hookshim/hookshim_protocol.h"

namespace hookshim {

struct MenuItemFact {
    uint32_t id;
    bool separator;
};

// True when the menu holds Ne&ver Adjust, the last command appended.
template <typename ItemAt>
bool HasCommands(int itemCount, ItemAt itemAt) {
    for (int i = itemCount - 1; i >= 0; --i)
        if (!itemAt(i).separator && itemAt(i).id == kCommandNeverAdjust) return true;
    return false;
}

// The positions to remove, highest first: the last Ne&ver Adjust and, just
// before it, Hide Window, Always On Top and the separator, each only while
// the item is the one appended. An application that rebuilt its menu around
// a leftover command keeps its own items.
struct CommandRemoval {
    int count = 0;
    int positions[4] = {};
};

template <typename ItemAt>
CommandRemoval PlanCommandRemoval(int itemCount, ItemAt itemAt) {
    CommandRemoval removal;
    int p = itemCount - 1;
    while (p >= 0 && (itemAt(p).separator || itemAt(p).id != kCommandNeverAdjust)) --p;
    if (p < 0) return removal;
    removal.positions[removal.count++] = p;
    const uint32_t before[] = {kCommandHideWindow, kCommandAlwaysOnTop};
    for (uint32_t expected : before) {
        const int q = p - removal.count;
        if (q < 0 || itemAt(q).separator || itemAt(q).id != expected) return removal;
        removal.positions[removal.count++] = q;
    }
    const int q = p - removal.count;
    if (q >= 0 && itemAt(q).separator) removal.positions[removal.count++] = q;
    return removal;
}

}  // namespace hookshim
