// The rules of the window menu and the quick commands that need no window:
// which windows count as application windows, how Explorer windows of the
// same name are told apart and ordered, and where the fixed commands go when
// the menu has more items than one column holds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kelvane/components/window_list.h"

namespace kelvane {

// Window styles the rules look at (the values Windows gives them).
inline constexpr uint32_t kStylePopup = 0x80000000u;
inline constexpr uint32_t kStyleDialogFrame = 0x00400000u;
inline constexpr uint32_t kStyleSystemMenu = 0x00080000u;
inline constexpr uint32_t kStyleSizingFrame = 0x00040000u;
inline constexpr uint32_t kStyleMinimizeBox = 0x00020000u;
inline constexpr uint32_t kStyleMaximizeBox = 0x00010000u;

// What is known of a top-level window before it is counted.
struct TaskWindowFacts {
    bool isWindow = false;
    bool visible = false;
    bool hasParent = false;
    bool hasOwner = false;
    std::string className;
    uint32_t style = 0;
};

// "CabinetWClass" or "ExploreWClass".
bool IsExplorerWindowClass(const std::string& className);

// An application window: it exists; it is visible or an Explorer window; it
// has neither parent nor owner; it is no tooltip or hint window; it is no
// bare popup (popup style without any of system menu, sizing frame, minimise
// box, maximise box, dialog frame); and it is not the desktop, the taskbar or
// one of the shell's other bars.
bool IsTaskWindow(const TaskWindowFacts& facts);

// Explorer entries with full paths off carry "\t" and the handle in decimal
// while they are sorted, so that folders of the same name are ordered by the
// decimal texts of their handles.
std::string CaptionWithHandle(const std::string& caption, uint64_t handle);
std::string CutAtTab(const std::string& caption);

// Sorts the Explorer windows by caption; with full paths off, by caption and
// handle text, leaving the captions as they were.
template <typename Window, typename HandleNumber>
void SortExplorerWindows(WindowList<Window>& list, bool fullPathsOff, HandleNumber handleNumber) {
    if (!fullPathsOff) {
        list.SortByCaption();
        return;
    }
    WindowList<Window> tagged;
    for (const auto& entry : list)
        tagged.Add(CaptionWithHandle(entry.caption, handleNumber(entry.window)), entry.window);
    tagged.SortByCaption();
    list.Clear();
    for (const auto& entry : tagged) list.Add(CutAtTab(entry.caption), entry.window);
}

// The fixed commands stand together from `firstFixed` to `lastFixed`. They
// are moved to the position this returns so that they end the first column
// of `perColumn` items; never past the items that are there, never before 0.
int FixedBlockPosition(int firstFixed, int lastFixed, int perColumn, int itemCount);

// The order of a menu's items (as indexes of the current order) after the
// fixed block, last item first, has each been moved to FixedBlockPosition.
std::vector<int> OrderWithFixedBlockInFirstColumn(int firstFixed, int lastFixed, int perColumn, int itemCount);

}  // namespace kelvane
