#include "kelvane/finder/window_menu_rules.h"

#include <algorithm>
#include <numeric>

namespace kelvane {
namespace {

std::string Folded(const std::string& text) {
    std::string folded = text;
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

bool IsOneOf(const std::string& className, std::initializer_list<const char*> names) {
    const std::string folded = Folded(className);
    return std::any_of(names.begin(), names.end(), [&](const char* name) { return folded == Folded(name); });
}

}  // namespace

bool IsExplorerWindowClass(const std::string& className) {
    return className == "CabinetWClass" || className == "ExploreWClass";
}

bool IsTaskWindow(const TaskWindowFacts& facts) {
    if (!facts.isWindow) return false;
    if (!facts.visible && !IsExplorerWindowClass(facts.className)) return false;
    if (facts.hasParent || facts.hasOwner) return false;
    if (IsOneOf(facts.className, {"tooltips_class32", "THintWindow"})) return false;
    const uint32_t frame =
        kStyleSystemMenu | kStyleSizingFrame | kStyleMinimizeBox | kStyleMaximizeBox | kStyleDialogFrame;
    if ((facts.style & kStylePopup) && !(facts.style & frame)) return false;
    return !IsOneOf(facts.className, {"Progman", "Shell_TrayWnd", "BaseBar", "RasmonWndClass", "IEDummyFrame"});
}

std::string CaptionWithHandle(const std::string& caption, uint64_t handle) {
    return caption + '\t' + std::to_string(handle);
}

std::string CutAtTab(const std::string& caption) {
    return caption.substr(0, caption.find('\t'));
}

int FixedBlockPosition(int firstFixed, int lastFixed, int perColumn, int itemCount) {
    const int fixed = lastFixed - firstFixed + 1;
    // A screen shorter than the fixed block still shows it from the top.
    return std::max(0, std::min(perColumn - fixed, itemCount - fixed));
}

std::vector<int> OrderWithFixedBlockInFirstColumn(int firstFixed, int lastFixed, int perColumn, int itemCount) {
    std::vector<int> order(static_cast<size_t>(std::max(itemCount, 0)));
    std::iota(order.begin(), order.end(), 0);
    if (firstFixed < 0 || lastFixed < firstFixed || lastFixed >= itemCount) return order;
    const auto at = static_cast<std::ptrdiff_t>(FixedBlockPosition(firstFixed, lastFixed, perColumn, itemCount));
    for (int item = lastFixed; item >= firstFixed; --item) {
        order.erase(std::find(order.begin(), order.end(), item));
        order.insert(order.begin() + at, item);
    }
    return order;
}

}  // namespace kelvane
