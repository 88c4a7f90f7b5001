#include "quillet/menus/folder_actions.h"

#include <gtest/gtest.h>

#include <vector>

#include "quillet/model/property_tags.h"

namespace quillet {

namespace {

std::string Shortened(const std::string& path) {
    return "short(" + path + ")";
}

// One id list element holding a class id: size, 2 bytes, 16 bytes of class id.
void AppendClassIdElement(std::vector<uint8_t>& list, const uint8_t (&id)[16], size_t extra = 0) {
    const size_t size = 20 + extra;
    list.push_back(static_cast<uint8_t>(size));
    list.push_back(static_cast<uint8_t>(size >> 8));
    list.push_back(0x1F);
    list.push_back(0x50);
    list.insert(list.end(), id, id + 16);
    list.insert(list.end(), extra, 0xAB);
}

// My Computer {20D04FE0-3AEA-1069-A2D8-08002B30309D} as its 16 bytes.
const uint8_t kMyComputer[16] = {0xE0, 0x4F, 0xD0, 0x20, 0xEA, 0x3A, 0x69, 0x10,
                                 0xA2, 0xD8, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};
// Control Panel {21EC2020-3AEA-1069-A2DD-08002B30309D}.
const uint8_t kControlPanel[16] = {0x20, 0x20, 0xEC, 0x21, 0xEA, 0x3A, 0x69, 0x10,
                                   0xA2, 0xDD, 0x08, 0x00, 0x2B, 0x30, 0x30, 0x9D};

}  // namespace

TEST(FolderActions, CommandLines) {
    struct Case {
        const char* name;
        int action;
        bool newWindow, asRoot;
        std::optional<std::string> comspec;
        FolderActionOutcome outcome;
        std::string program, parameters, directory;
    } cases[] = {
        {"explore", kFolderActionExplore, false, false, {}, FolderActionOutcome::Started, "EXPLORER.EXE",
         "C:\\PROG~1", ""},
        {"explore in a new window", kFolderActionExplore, true, false, {}, FolderActionOutcome::Started,
         "EXPLORER.EXE", "/N,C:\\PROG~1", ""},
        {"explore as root", kFolderActionExplore, false, true, {}, FolderActionOutcome::Started, "EXPLORER.EXE",
         "/ROOT,C:\\PROG~1", ""},
        {"tree", kFolderActionExploreTree, false, false, {}, FolderActionOutcome::Started, "EXPLORER.EXE",
         "/E,C:\\PROG~1", ""},
        {"tree as root in a new window", kFolderActionExploreTree, true, true, {}, FolderActionOutcome::Started,
         "EXPLORER.EXE", "/N,/E,/ROOT,C:\\PROG~1", ""},
        {"command prompt", kFolderActionCommandPrompt, true, true, std::string("C:\\WINDOWS\\cmd.exe"),
         FolderActionOutcome::Started, "C:\\WINDOWS\\cmd.exe", "/K", "C:\\PROG~1"},
        {"command prompt without COMSPEC", kFolderActionCommandPrompt, false, false, {},
         FolderActionOutcome::NoCommandPrompt, "", "", ""},
        {"command prompt with an empty COMSPEC", kFolderActionCommandPrompt, false, false, std::string(),
         FolderActionOutcome::NoCommandPrompt, "", "", ""},
        {"the menu action starts nothing", kFolderActionMenu, false, false, {}, FolderActionOutcome::NothingToOpen,
         "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FolderActionCommand command =
            MakeFolderActionCommand(c.action, c.newWindow, c.asRoot, std::string("C:\\PROG~1"), c.comspec);
        EXPECT_EQ(c.outcome, command.outcome);
        EXPECT_EQ(c.program, command.program);
        EXPECT_EQ(c.parameters, command.parameters);
        EXPECT_EQ(c.directory, command.directory);
    }
}

TEST(FolderActions, NoTargetStartsNothingEvenWithoutComspec) {
    for (int action : {kFolderActionExplore, kFolderActionExploreTree, kFolderActionCommandPrompt}) {
        SCOPED_TRACE(action);
        EXPECT_EQ(FolderActionOutcome::NothingToOpen,
                  MakeFolderActionCommand(action, true, true, std::nullopt, std::nullopt).outcome);
        EXPECT_EQ(FolderActionOutcome::NothingToOpen,
                  MakeFolderActionCommand(action, true, true, std::string(), std::nullopt).outcome);
    }
}

TEST(FolderActions, TargetPath) {
    struct Case {
        const char* name;
        std::string own;
        std::optional<std::string> special;
        std::optional<std::string> expected;
    } cases[] = {
        {"own path in its short form", "C:\\Program Files", {}, std::string("short(C:\\Program Files)")},
        {"own namespace path unchanged", "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", {},
         std::string("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}")},
        {"own path wins over the special one", "C:\\x", std::string("::{X}"), std::string("short(C:\\x)")},
        {"special namespace path", "", std::string("::{X}\\::{Y}"), std::string("::{X}\\::{Y}")},
        {"special file-system path", "", std::string("C:\\Start Menu"), std::string("short(C:\\Start Menu)")},
        {"nothing", "", {}, std::nullopt},
        {"empty special path", "", std::string(), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, FolderActionTarget(c.own, c.special, Shortened));
    }
}

TEST(FolderActions, NamespacePathFromIdListBytes) {
    std::vector<uint8_t> list;
    AppendClassIdElement(list, kMyComputer);
    AppendClassIdElement(list, kControlPanel, 6);
    list.push_back(0);
    list.push_back(0);
    EXPECT_EQ("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{21EC2020-3AEA-1069-A2DD-08002B30309D}",
              NamespacePathFromIdList(list.data(), list.size()).value_or("(none)"));

    // Without the terminator the given size ends the list just as well.
    EXPECT_EQ("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}",
              NamespacePathFromIdList(list.data(), 20).value_or("(none)"));
}

TEST(FolderActions, NamespacePathRefusesListsThatCannotHoldClassIds) {
    std::vector<uint8_t> good;
    AppendClassIdElement(good, kMyComputer);
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"empty list", {0, 0}},
        {"no bytes at all", {}},
        {"element shorter than a class id", {6, 0, 0x2F, 'C', ':', '\\', 0, 0}},
        {"element running past the end", {40, 0, 0x1F, 0x50, 1, 2, 3, 4}},
        {"good element then a short one", [&] {
             std::vector<uint8_t> v = good;
             v.insert(v.end(), {5, 0, 1, 2, 3, 0, 0});
             return v;
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(std::nullopt, NamespacePathFromIdList(c.bytes.data(), c.bytes.size()));
    }
    EXPECT_EQ(std::nullopt, NamespacePathFromIdList(nullptr, 10));
}

}  // namespace quillet
