#include "hookshim/menu_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using hookshim::MenuItemFact;

constexpr MenuItemFact kSep{0, true};
constexpr MenuItemFact kTop{hookshim::kCommandAlwaysOnTop, false};
constexpr MenuItemFact kHide{hookshim::kCommandHideWindow, false};
constexpr MenuItemFact kNever{hookshim::kCommandNeverAdjust, false};
constexpr MenuItemFact kRestore{61728, false};
constexpr MenuItemFact kClose{61536, false};

struct RemovalCase {
    const char* name;
    std::vector<MenuItemFact> items;
    bool hasCommands;
    std::vector<int> removed;  // highest position first
};

TEST(MenuRules, FindsAndRemovesOnlyTheAppendedCommands) {
    const RemovalCase cases[] = {
        {"standard menu with the commands", {kRestore, kSep, kClose, kSep, kTop, kHide, kNever}, true, {6, 5, 4, 3}},
        {"no commands", {kRestore, kSep, kClose}, false, {}},
        {"empty menu", {}, false, {}},
        // The application rebuilt its menu and kept only the last command:
        // its own items before it stay.
        {"leftover command after the program's items", {kRestore, kSep, kClose, kNever}, true, {3}},
        {"no separator before the commands", {kClose, kTop, kHide, kNever}, true, {3, 2, 1}},
        {"commands at the very start", {kTop, kHide, kNever}, true, {2, 1, 0}},
        {"the last of two sets goes", {kSep, kTop, kHide, kNever, kSep, kTop, kHide, kNever}, true, {7, 6, 5, 4}},
        {"items after the commands stay", {kSep, kTop, kHide, kNever, kClose}, true, {3, 2, 1, 0}},
        {"a separator with the command's number is not the command", {kClose, {61402, true}}, false, {}},
    };
    for (const RemovalCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto itemAt = [&](int i) { return c.items[static_cast<size_t>(i)]; };
        const int count = static_cast<int>(c.items.size());
        EXPECT_EQ(hookshim::HasCommands(count, itemAt), c.hasCommands);
        const hookshim::CommandRemoval removal = hookshim::PlanCommandRemoval(count, itemAt);
        EXPECT_EQ(std::vector<int>(removal.positions, removal.positions + removal.count), c.removed);
    }
}

}  // namespace
