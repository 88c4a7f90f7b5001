// Documents emptying and the cascade folders on real files and folders: a
// scratch Recent folder and a scratch Start Menu, found through a scratch
// registry where the lookup is tested.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "kelvane/shellmaint/shell_maintenance_win32.h"
#include "platform/handles.h"
#include "platform/registry.h"
#include "test_support/win_test_support.h"

namespace kelvane {
namespace {

using platform::RegistryKey;
using test_support::LastErrorText;

const char* const kUserShellFolders = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
const char* const kShellFolders = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

void MakeFile(const std::string& path) {
    platform::unique_hfile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << path << ": " << LastErrorText();
}

void MakeFolder(const std::string& path) {
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path << ": " << LastErrorText();
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Names directly inside a folder, sorted.
std::vector<std::string> Contents(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    platform::unique_hfind find(FindFirstFileA((folder + "\\*").c_str(), &data));
    if (!find) return names;
    do {
        std::string name = data.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find.get(), &data));
    std::sort(names.begin(), names.end());
    return names;
}

using Names = std::vector<std::string>;

// A Recent folder holding shortcuts in both cases, other files, a subfolder
// with its own shortcut and a folder named like a shortcut.
class RecentFolder : public ::testing::Test {
protected:
    void SetUp() override {
        recent = scratch.Path() + "\\Recent";
        MakeFolder(recent);
        for (const char* name : {"letter.doc.lnk", "plain.lnk", "UPPER.LNK", "Mixed.Lnk", "notes.txt", "lnk"}) {
            MakeFile(recent + "\\" + name);
        }
        MakeFolder(recent + "\\Sub");
        MakeFile(recent + "\\Sub\\inner.lnk");
        MakeFolder(recent + "\\folder.lnk");
        // Outside the Recent folder, where a wrong root would reach.
        MakeFile(scratch.Path() + "\\beside.lnk");
    }

    const Names kKept = {"Mixed.Lnk", "Sub", "UPPER.LNK", "folder.lnk", "lnk", "notes.txt"};
    const Names kAll = {"Mixed.Lnk",      "Sub", "UPPER.LNK", "folder.lnk",
                        "letter.doc.lnk", "lnk", "notes.txt", "plain.lnk"};

    test_support::ScratchFolder scratch;
    std::string recent;
};

TEST_F(RecentFolder, OnlyLowerCaseShortcutsDirectlyInsideAreDeleted) {
    for (const std::string& root : {recent, recent + "\\"}) {
        SCOPED_TRACE(root);
        MakeFile(recent + "\\letter.doc.lnk");
        MakeFile(recent + "\\plain.lnk");
        CDocumentsEmptier emptier;
        EXPECT_EQ(emptier.EmptyFolder(root), 2);
        EXPECT_EQ(Contents(recent), kKept);
        EXPECT_EQ(Contents(recent + "\\Sub"), Names{"inner.lnk"});
        EXPECT_TRUE(Exists(scratch.Path() + "\\beside.lnk"));
        EXPECT_FALSE(emptier.Running());
    }
}

TEST_F(RecentFolder, AShortcutThatCannotBeDeletedIsLeftAndTheRunGoesOn) {
    MakeFile(recent + "\\a-open.lnk");
    // Held open without sharing: DeleteFile fails with a sharing violation.
    platform::unique_hfile open(
        CreateFileA((recent + "\\a-open.lnk").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(open) << LastErrorText();
    CDocumentsEmptier emptier;
    EXPECT_EQ(emptier.EmptyFolder(recent), 2);
    Names expected = kKept;
    expected.push_back("a-open.lnk");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Contents(recent), expected);
}

TEST_F(RecentFolder, AMissingOrUnusableFolderDeletesNothing) {
    // The current folder holds shortcuts too: an empty root must not turn
    // into it, nor into the drive's root.
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(recent.c_str())) << LastErrorText();
    auto restore = platform::scope_exit([&] { SetCurrentDirectoryA(previous); });
    for (const std::string& folder : {recent + "\\Missing", std::string(), std::string("\\"), std::string("."),
                                      std::string("Recent"), recent.substr(0, 3), recent + "\\Sub\\.."}) {
        SCOPED_TRACE(folder);
        CDocumentsEmptier emptier;
        EXPECT_EQ(emptier.EmptyFolder(folder), 0);
        EXPECT_EQ(Contents(recent), kAll);
        EXPECT_EQ(Contents(recent + "\\Sub"), Names{"inner.lnk"});
        EXPECT_TRUE(Exists(scratch.Path() + "\\beside.lnk"));
    }
}

TEST_F(RecentFolder, EmptyNowFindsTheFolderThroughTheUsersShellFolders) {
    test_support::ScratchRegistry registry;
    SetEnvironmentVariableA("KELVANE_SCRATCH_RECENT", recent.c_str());
    auto unset = platform::scope_exit([] { SetEnvironmentVariableA("KELVANE_SCRATCH_RECENT", nullptr); });
    CDocumentsEmptier emptier;

    // Neither key holds the folder: nothing.
    EXPECT_EQ(ShellFolderPath("Recent"), "");
    EXPECT_EQ(emptier.EmptyNow(), 0);
    EXPECT_EQ(Contents(recent), kAll);

    // An empty "User Shell Folders" value falls back on "Shell Folders".
    RegistryKey user = RegistryKey::Create(HKEY_CURRENT_USER, kUserShellFolders);
    RegistryKey shell = RegistryKey::Create(HKEY_CURRENT_USER, kShellFolders);
    ASSERT_TRUE(user.WriteExpandString("Recent", ""));
    ASSERT_TRUE(shell.WriteString("Recent", recent));
    EXPECT_EQ(ShellFolderPath("Recent"), recent);
    EXPECT_EQ(emptier.EmptyNow(), 2);
    EXPECT_EQ(Contents(recent), kKept);

    // An expandable value has its environment references expanded, and wins.
    MakeFile(recent + "\\again.lnk");
    ASSERT_TRUE(shell.WriteString("Recent", scratch.Path()));
    ASSERT_TRUE(user.WriteExpandString("Recent", "%KELVANE_SCRATCH_RECENT%"));
    EXPECT_EQ(ShellFolderPath("Recent"), recent);
    EXPECT_EQ(emptier.EmptyNow(), 1);
    EXPECT_EQ(Contents(recent), kKept);
    EXPECT_TRUE(Exists(scratch.Path() + "\\beside.lnk"));

    // A reference that does not expand is no folder at all.
    MakeFile(recent + "\\again.lnk");
    ASSERT_TRUE(user.WriteExpandString("Recent", "%KELVANE_NO_SUCH_VARIABLE%"));
    EXPECT_EQ(emptier.EmptyNow(), 0);
    EXPECT_TRUE(Exists(recent + "\\again.lnk"));
}

class StartMenu : public ::testing::Test {
protected:
    std::string Path(Cascade cascade) const { return scratch.Path() + "\\" + CascadeFolderName(cascade); }
    test_support::ScratchFolder scratch;
};

const WindowsVersion kWindows95{true, 4, 0};
const WindowsVersion kWindowsNT{false, 4, 0};

TEST_F(StartMenu, CheckedCascadesAreCreatedAndDialUpOnlyOnWindows95) {
    ApplyCascadesIn(scratch.Path(), {true, true, true}, kWindowsNT);
    EXPECT_TRUE(FolderExists(Path(Cascade::ControlPanel)));
    EXPECT_TRUE(FolderExists(Path(Cascade::Printers)));
    EXPECT_FALSE(Exists(Path(Cascade::DialUpNetworking)));

    // Again, with every folder there already: harmless.
    ApplyCascadesIn(scratch.Path(), {true, true, true}, kWindows95);
    for (Cascade cascade : kCascades) EXPECT_TRUE(FolderExists(Path(cascade))) << CascadeFolderName(cascade);
}

TEST_F(StartMenu, UncheckingRemovesOnlyEmptyFoldersAndLeavesDialUpAloneOutsideWindows95) {
    for (Cascade cascade : kCascades) MakeFolder(Path(cascade));
    MakeFile(Path(Cascade::Printers) + "\\my printer notes.txt");

    ApplyCascadesIn(scratch.Path(), {}, kWindowsNT);
    EXPECT_FALSE(Exists(Path(Cascade::ControlPanel)));
    EXPECT_EQ(Contents(Path(Cascade::Printers)), Names{"my printer notes.txt"});
    EXPECT_TRUE(FolderExists(Path(Cascade::DialUpNetworking)));

    ApplyCascadesIn(scratch.Path(), {}, kWindows95);
    EXPECT_FALSE(Exists(Path(Cascade::DialUpNetworking)));
    EXPECT_EQ(Contents(Path(Cascade::Printers)), Names{"my printer notes.txt"});
    // Removing folders that are not there is harmless.
    ApplyCascadesIn(scratch.Path(), {}, kWindows95);
    EXPECT_EQ(Contents(scratch.Path()), Names{CascadeFolderName(Cascade::Printers)});
}

TEST_F(StartMenu, AnUnknownStartMenuCreatesNothingInTheCurrentFolder) {
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(scratch.Path().c_str())) << LastErrorText();
    auto restore = platform::scope_exit([&] { SetCurrentDirectoryA(previous); });
    for (const char* folder : {"", "\\", "Start Menu"}) {
        SCOPED_TRACE(folder);
        ApplyCascadesIn(folder, {true, true, true}, kWindows95);
        EXPECT_EQ(Contents(scratch.Path()), Names{});
    }
}

TEST_F(StartMenu, TheUsersStartMenuIsFoundThroughTheRegistry) {
    test_support::ScratchRegistry registry;
    for (Cascade cascade : kCascades) {
        EXPECT_EQ(CascadeFolderPath(cascade), "");
        EXPECT_FALSE(CascadeExists(cascade));
    }
    ASSERT_TRUE(RegistryKey::Create(HKEY_CURRENT_USER, kUserShellFolders).WriteString("Start Menu", scratch.Path()));
    EXPECT_EQ(CascadeFolderPath(Cascade::Printers), Path(Cascade::Printers));
    ApplyCascades({false, true, false});
    EXPECT_FALSE(CascadeExists(Cascade::ControlPanel));
    EXPECT_TRUE(CascadeExists(Cascade::Printers));
    // Wine reports an NT version: Dial-Up Networking is not offered there.
    EXPECT_FALSE(CascadeOffered(Cascade::DialUpNetworking));
    EXPECT_TRUE(CascadeOffered(Cascade::ControlPanel));
    ApplyCascades({});
    EXPECT_FALSE(CascadeExists(Cascade::Printers));
}

}  // namespace
}  // namespace kelvane
