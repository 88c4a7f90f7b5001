#include "kelvane/finder/window_menu_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvane {
namespace {

constexpr uint32_t kOverlapped = 0x00CF0000u;  // caption, system menu, frame, boxes

TaskWindowFacts Window(const std::string& className, uint32_t style = kOverlapped) {
    TaskWindowFacts facts;
    facts.isWindow = true;
    facts.visible = true;
    facts.className = className;
    facts.style = style;
    return facts;
}

TEST(IsTaskWindow, FollowsEachOfTheSixRules) {
    struct Case {
        const char* name;
        TaskWindowFacts facts;
        bool expected;
    };
    auto with = [](TaskWindowFacts facts, auto change) {
        change(facts);
        return facts;
    };
    const TaskWindowFacts app = Window("Notepad");
    const Case cases[] = {
        {"an application window", app, true},
        {"no window", with(app, [](auto& f) { f.isWindow = false; }), false},
        {"hidden", with(app, [](auto& f) { f.visible = false; }), false},
        {"hidden Explorer window", with(Window("CabinetWClass"), [](auto& f) { f.visible = false; }), true},
        {"hidden Explorer (tree) window", with(Window("ExploreWClass"), [](auto& f) { f.visible = false; }), true},
        {"Explorer class in other letters counts only when visible",
         with(Window("cabinetwclass"), [](auto& f) { f.visible = false; }), false},
        {"has a parent", with(app, [](auto& f) { f.hasParent = true; }), false},
        {"has an owner", with(app, [](auto& f) { f.hasOwner = true; }), false},
        {"owned Explorer window", with(Window("CabinetWClass"), [](auto& f) { f.hasOwner = true; }), false},
        {"tooltip", Window("tooltips_class32"), false},
        {"tooltip in capitals", Window("TOOLTIPS_CLASS32"), false},
        {"hint window", Window("thintwindow"), false},
        {"bare popup", Window("Popup", kStylePopup), false},
        {"bare popup with a border only", Window("Popup", kStylePopup | 0x00800000u), false},
        {"popup with a system menu", Window("Popup", kStylePopup | kStyleSystemMenu), true},
        {"popup with a sizing frame", Window("Popup", kStylePopup | kStyleSizingFrame), true},
        {"popup with a minimise box", Window("Popup", kStylePopup | kStyleMinimizeBox), true},
        {"popup with a maximise box", Window("Popup", kStylePopup | kStyleMaximizeBox), true},
        {"popup with a dialog frame", Window("Popup", kStylePopup | kStyleDialogFrame), true},
        {"no style at all", Window("Plain", 0), true},
        {"desktop", Window("Progman"), false},
        {"taskbar", Window("shell_traywnd"), false},
        {"shell bar", Window("BaseBar"), false},
        {"dial-up monitor", Window("RasmonWndClass"), false},
        {"browser's dummy frame", Window("IEDummyFrame"), false},
        {"a class that only begins like the taskbar", Window("Shell_TrayWndX"), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsTaskWindow(c.facts), c.expected);
    }
}

std::vector<std::string> Sorted(std::vector<std::pair<std::string, uintptr_t>> entries, bool fullPathsOff) {
    WindowList<uintptr_t> list;
    for (auto& [caption, handle] : entries) list.Add(caption, handle);
    SortExplorerWindows(list, fullPathsOff, [](uintptr_t handle) { return static_cast<uint64_t>(handle); });
    std::vector<std::string> result;
    for (const auto& entry : list) result.push_back(entry.caption + "#" + std::to_string(entry.window));
    return result;
}

TEST(SortExplorerWindows, SameNamesAreOrderedByTheTextOfTheirHandlesWhenFullPathsAreOff) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, uintptr_t>> entries;
        bool fullPathsOff;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        // "131102" < "65604" as text although it is the larger number.
        {"two Temp windows", {{"Temp", 65604}, {"Temp", 131102}}, true, {"Temp#131102", "Temp#65604"}},
        {"full paths on: equal names keep their enumeration order",
         {{"Temp", 65604}, {"Temp", 131102}},
         false,
         {"Temp#65604", "Temp#131102"}},
        // The tab sorts before every printable letter, so "Temp" goes before "Temp Files".
        {"a longer name after the shorter", {{"Temp Files", 1}, {"Temp", 2}}, true, {"Temp#2", "Temp Files#1"}},
        {"letter case is ignored", {{"b", 1}, {"A", 2}, {"a", 3}}, true, {"A#2", "a#3", "b#1"}},
        {"a caption that holds a tab is cut there", {{"x\ty", 5}, {"x", 4}}, true, {"x#4", "x#5"}},
        {"empty list", {}, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Sorted(c.entries, c.fullPathsOff), c.expected);
    }
}

TEST(FixedBlock, EndsTheFirstColumnOrStaysWhereItIs) {
    struct Case {
        const char* name;
        int firstFixed, lastFixed, perColumn, itemCount;
        int expectedPosition;
    };
    const Case cases[] = {
        {"menu fits: the block stays last", 3, 7, 25, 8, 3},
        {"exactly one column", 20, 24, 25, 25, 20},
        {"one item more than a column", 21, 25, 25, 26, 20},
        {"sixty items, 25 a column", 55, 59, 25, 60, 20},
        {"no window items", 0, 4, 25, 5, 0},
        {"a column shorter than the block", 10, 14, 3, 15, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(FixedBlockPosition(c.firstFixed, c.lastFixed, c.perColumn, c.itemCount), c.expectedPosition);
    }
}

TEST(FixedBlock, MovedInItsOrderWithTheWindowsBeyondTheColumnAfterIt) {
    // Windows w0..w4, then the block F0..F2; three items a column.
    // Block at 0: F0 F1 F2 | w0 w1 w2 | w3 w4.
    EXPECT_EQ(OrderWithFixedBlockInFirstColumn(5, 7, 3, 8), (std::vector<int>{5, 6, 7, 0, 1, 2, 3, 4}));
    // Five a column: w0 w1 F0 F1 F2 | w2 w3 w4.
    EXPECT_EQ(OrderWithFixedBlockInFirstColumn(5, 7, 5, 8), (std::vector<int>{0, 1, 5, 6, 7, 2, 3, 4}));
    // Fits: unchanged.
    EXPECT_EQ(OrderWithFixedBlockInFirstColumn(5, 7, 10, 8), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
    // A block that is not within the menu leaves it as it is.
    EXPECT_EQ(OrderWithFixedBlockInFirstColumn(2, 4, 2, 3), (std::vector<int>{0, 1, 2}));
}

}  // namespace
}  // namespace kelvane
