// The real kelvane.exe emptying a scratch Recent folder on its timer. The
// program reads its settings and the user's shell folders from a scratch
// registry, so neither the real Recent folder nor the real settings are met.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "kelvane/app/kelvane_names.h"
#include "platform/handles.h"
#include "platform/registry.h"
#include "test_support/fake_taskbar.h"
#include "test_support/win_test_support.h"

namespace {

using platform::RegistryKey;
using test_support::RunningProgram;
using test_support::WaitUntil;

const char* const kSettingsKey = "SOFTWARE\\Nimbrel\\Kelvane\\1.0\\Settings";
const char* const kUserShellFolders = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

void MakeFile(const std::string& path) {
    platform::unique_hfile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << path << ": " << test_support::LastErrorText();
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class DocumentsTimer : public ::testing::Test {
protected:
    void SetUp() override {
        SetEnvironmentVariableA(kelvane::kTestRegistryVariable, scratch.RealPath().c_str());
        RegistryKey settings = RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKey);
        // Not the first run: no Startup shortcut, no hint to answer.
        settings.WriteDword("First Time Run", 0);
        settings.WriteDword("EmptyDocuments", 1);
        settings.WriteDword("EmptyDocumentsDelay", 1);
        settings.WriteString("EmptyDocumentsDelayTimeType", "mstSeconds");
        recent = folder.Path() + "\\Recent";
        ASSERT_TRUE(CreateDirectoryA(recent.c_str(), nullptr)) << test_support::LastErrorText();
        ASSERT_TRUE(RegistryKey::Create(HKEY_CURRENT_USER, kUserShellFolders).WriteString("Recent", recent));
    }
    void TearDown() override { SetEnvironmentVariableA(kelvane::kTestRegistryVariable, nullptr); }

    test_support::ScratchRegistry scratch;
    test_support::ScratchFolder folder;
    test_support::FakeTaskbar taskbar;
    std::string recent;
};

TEST_F(DocumentsTimer, EachTickDeletesTheNewShortcutsAndLeavesTheRest) {
    MakeFile(recent + "\\report.doc.lnk");
    MakeFile(recent + "\\UPPER.LNK");
    MakeFile(recent + "\\notes.txt");
    ASSERT_TRUE(CreateDirectoryA((recent + "\\Sub").c_str(), nullptr));
    MakeFile(recent + "\\Sub\\inner.lnk");

    RunningProgram kelvane(test_support::BinPath("kelvane.exe"));
    ASSERT_TRUE(kelvane.Started());
    HWND form = kelvane.WaitForWindow(kelvane::kMainFormClass);
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !Exists(recent + "\\report.doc.lnk"); })) << "the first tick deleted nothing";

    // The timer goes on: a shortcut made afterwards goes at a later tick.
    MakeFile(recent + "\\later.lnk");
    EXPECT_TRUE(WaitUntil([&] { return !Exists(recent + "\\later.lnk"); })) << "the timer stopped after one tick";

    for (const char* kept : {"UPPER.LNK", "notes.txt", "Sub\\inner.lnk"}) {
        EXPECT_TRUE(Exists(recent + "\\" + kept)) << kept;
    }
    PostMessageA(form, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !kelvane.Running(); })) << "kelvane did not end";
}

// The first run records which cascade folders were there before, looking in
// the same Start Menu folder the cascades are made in.
TEST_F(DocumentsTimer, TheFirstRunRecordsTheCascadeFoldersOfTheUsersStartMenu) {
    const std::string startMenu = folder.Path() + "\\Start Menu";
    ASSERT_TRUE(CreateDirectoryA(startMenu.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((startMenu + "\\" + kelvane::kPrintersCascade).c_str(), nullptr));
    ASSERT_TRUE(RegistryKey::Create(HKEY_CURRENT_USER, kUserShellFolders).WriteString("Start Menu", startMenu));
    RegistryKey settings = RegistryKey::Open(HKEY_CURRENT_USER, kSettingsKey, KEY_ALL_ACCESS);
    ASSERT_TRUE(settings.DeleteValue("First Time Run"));
    char startup[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, startup, CSIDL_STARTUP, TRUE));
    const std::string link = std::string(startup) + "\\Kelvane.lnk";
    auto removeLink = platform::scope_exit([&] { DeleteFileA(link.c_str()); });

    RunningProgram kelvane(test_support::BinPath("kelvane.exe"));
    HWND form = kelvane.WaitForWindow(kelvane::kMainFormClass);
    ASSERT_NE(form, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return settings.Read("CDU Already Exists").has_value(); }));
    EXPECT_EQ(settings.Read("CCP Already Exists")->Dword(), 0u);
    EXPECT_EQ(settings.Read("CP Already Exists")->Dword(), 1u);
    EXPECT_EQ(settings.Read("CDU Already Exists")->Dword(), 0u);
    PostMessageA(form, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !kelvane.Running(); })) << "kelvane did not end";
}

}  // namespace
