// End-to-end tests: the real uninstall.exe removes an installation made in
// the sandbox, in both phases, while the user's own files and layouts stay.
#include <windows.h>

#include <gtest/gtest.h>

#include "setup/common/install_rules.h"
#include "setup/common/product_names.h"
#include "setup/tests/stowdesk_test_fixture.h"

namespace stowdesk_tests {
namespace {

using namespace std::chrono_literals;
using test_support::RunningProgram;
using test_support::WaitUntil;

using stowdesk::kProductKey;
using stowdesk::kUninstallKey;

class UninstallTest : public StowdeskSandbox {
protected:
    void SetUp() override {
        StowdeskSandbox::SetUp();
        m_maker = Scratch() + "\\KORB Software";
        m_install = m_maker + "\\Stowdesk";
        m_autoSave = Scratch() + "\\SDAutoSave";
        CreateDirectoryA(m_maker.c_str(), nullptr);
        CreateDirectoryA(m_install.c_str(), nullptr);
        CreateDirectoryA((m_install + "\\images").c_str(), nullptr);
        CreateDirectoryA(m_autoSave.c_str(), nullptr);
        const std::string built = test_support::BinPath("dist");
        for (const char* name : {"uninstall.exe", "sd.exe", "SDtray.exe", "Quick.exe", "sd_dll.dll", "gnoop.wav",
                                 "shhhuh.wav", "tki-tko.wav", "images\\layout_saved.bmp"}) {
            ASSERT_TRUE(CopyFileA((built + "\\" + name).c_str(), (m_install + "\\" + name).c_str(), FALSE)) << name;
        }
        WriteWholeFile(m_autoSave + "\\auto.sd", "layout");

        SetText("HKLM", kProductKey, "InstallPath", m_install);
        SetText("HKLM", kUninstallKey, "UninstallString", m_install + "\\uninstall.exe");
        SetText("HKLM", "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\sd.exe", "", m_install + "\\sd.exe");
        SetText("HKCU", kProductKey, "PathToAutoSD", m_autoSave);
        SetText("HKCU", std::string(kProductKey) + "\\Positions", "Main", "1,2,3,4");
        SetText("HKCR", ".sd", "", "KorbStowdesk");
        SetText("HKCR", ".sd\\ShellNew", "NullFile", "");
        SetText("HKCR", "KorbStowdesk\\Shell\\open\\command", "", "\"" + m_install + "\\sd.exe\" /s \"%1\"");
        SetText("HKCU", "AppEvents\\Schemes\\Apps\\KORB Stowdesk\\Stowdesk\\.Current", "", m_install + "\\tki-tko.wav");
        for (const char* link :
             {"Start Menu\\KORB Stowdesk.lnk", "Start Menu\\KORB QuickStart.lnk", "Startup\\Restore 'layout1.sd'.lnk",
              "Desktop\\KORB Stowdesk.lnk", "Programs\\KORB Stowdesk 98.lnk"}) {
            WriteWholeFile(ShellFolder(link), "link");
        }
    }

    // Waits until the removal phase's batch file has deleted the temporary
    // copy and itself.
    bool WaitForCleanTemp(const std::string& batch) {
        return WaitUntil([&] { return !FileExists(Temp() + "\\uninstall.exe") && !FileExists(batch); }, 30s);
    }

    void ExpectProductRemoved() {
        for (const char* name : {"uninstall.exe", "sd.exe", "SDtray.exe", "Quick.exe", "sd_dll.dll", "gnoop.wav",
                                 "shhhuh.wav", "tki-tko.wav"}) {
            EXPECT_FALSE(FileExists(m_install + "\\" + name)) << name;
        }
        EXPECT_FALSE(FileExists(m_install + "\\images\\layout_saved.bmp"));
        for (const char* link :
             {"Start Menu\\KORB Stowdesk.lnk", "Start Menu\\KORB QuickStart.lnk", "Startup\\Restore 'layout1.sd'.lnk",
              "Desktop\\KORB Stowdesk.lnk", "Programs\\KORB Stowdesk 98.lnk"}) {
            EXPECT_FALSE(FileExists(ShellFolder(link))) << link;
        }
        EXPECT_FALSE(HasKey("HKLM", kProductKey));
        EXPECT_FALSE(HasKey("HKLM", "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\sd.exe"));
        EXPECT_FALSE(HasKey("HKCU", kProductKey));
        EXPECT_FALSE(HasKey("HKCR", ".sd"));
        EXPECT_FALSE(HasKey("HKCR", "KorbStowdesk"));
        EXPECT_FALSE(HasKey("HKCU", "AppEvents\\Schemes\\Apps\\KORB Stowdesk"));
        EXPECT_TRUE(HasKey("HKCU", "AppEvents\\Schemes\\Apps"));
        // The user's layouts stay, wherever they are.
        EXPECT_EQ(ReadWholeFile(m_autoSave + "\\auto.sd"), "layout");
    }

    std::string m_maker;
    std::string m_install;
    std::string m_autoSave;
};

TEST_F(UninstallTest, InternallyRemovesTheProductButKeepsTheUsersFilesAndOtherProducts) {
    // The user's own files in the install folder, a layout among the images,
    // another product of the maker, a leftover batch file.
    WriteWholeFile(m_install + "\\my notes.txt", "mine");
    WriteWholeFile(m_install + "\\layout1.sd", "layout");
    WriteWholeFile(m_install + "\\images\\desk.sd", "layout");
    SetText("HKCU", "Software\\KORB Software\\QuickMenu", "Setting", "1");
    SetText("HKLM", "Software\\KORB Software\\QuickMenu", "InstallPath", "C:\\QuickMenu");
    WriteWholeFile(Temp() + "\\delme1.bat", "leftover");
    // An auto-save folder the user put among the images keeps everything in it.
    const std::string autoSaveInImages = m_install + "\\images\\Auto Save";
    CreateDirectoryA(autoSaveInImages.c_str(), nullptr);
    WriteWholeFile(autoSaveInImages + "\\notes.txt", "kept");
    SetText("HKCU", kProductKey, "PathToAutoSD", autoSaveInImages);

    // Run as the first phase would: the copy in the temporary folder. While
    // the test holds that file open, the batch file cannot delete it and
    // waits, so its text can be read.
    const std::string copy = Temp() + "\\uninstall.exe";
    ASSERT_TRUE(CopyFileA((m_install + "\\uninstall.exe").c_str(), copy.c_str(), FALSE));
    platform::unique_hfile hold(CreateFileA(copy.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(hold) << test_support::LastErrorText();
    RunningProgram removal(copy, "/internally");
    ASSERT_TRUE(removal.Started());
    EXPECT_EQ(removal.WaitForExit(30s), std::optional<DWORD>(1));

    const std::string batch = Temp() + "\\delme2.bat";
    ASSERT_TRUE(WaitUntil([&] { return FileExists(batch); })) << "the leftover delme1.bat makes it delme2.bat";
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    EXPECT_EQ(ReadWholeFile(batch),
              stowdesk::BatchFileText(std::string(temp) + "uninstall.exe", std::string(temp) + "delme2.bat"));
    EXPECT_EQ(ReadWholeFile(batch).substr(0, 23), "\r\n@echo off\r\n:myLabel\r\n");
    hold.reset();
    EXPECT_TRUE(WaitForCleanTemp(batch));
    EXPECT_EQ(ReadWholeFile(Temp() + "\\delme1.bat"), "leftover");

    ExpectProductRemoved();
    // The install folder stays with the user's files, so the maker's too.
    EXPECT_EQ(ReadWholeFile(m_install + "\\my notes.txt"), "mine");
    EXPECT_EQ(ReadWholeFile(m_install + "\\layout1.sd"), "layout");
    EXPECT_EQ(ReadWholeFile(m_install + "\\images\\desk.sd"), "layout");
    EXPECT_EQ(ReadWholeFile(autoSaveInImages + "\\notes.txt"), "kept");
    EXPECT_TRUE(FolderExists(m_maker));
    // The uninstall entry is the first phase's to remove; another product's
    // key keeps the maker's key.
    EXPECT_TRUE(HasKey("HKLM", kUninstallKey));
    EXPECT_EQ(Text("HKCU", "Software\\KORB Software\\QuickMenu", "Setting"), std::optional<std::string>("1"));
    EXPECT_EQ(Text("HKLM", "Software\\KORB Software\\QuickMenu", "InstallPath"),
              std::optional<std::string>("C:\\QuickMenu"));
}

TEST_F(UninstallTest, FirstPhaseAsksThenHandsOverToATemporaryCopyThatRemovesEverything) {
    {
        // Cancel changes nothing.
        RunningProgram first(m_install + "\\uninstall.exe");
        ASSERT_TRUE(first.Started());
        HWND question = WaitForMessageBox(first.Id(), "This will uninstall");
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(MessageBoxText(question), "This will uninstall KORB Stowdesk, but keep your saved layouts.");
        EXPECT_NE(Picture("uninstall-question", question), "");
        ASSERT_TRUE(Answer(question, IDCANCEL));
        EXPECT_EQ(first.WaitForExit(), std::optional<DWORD>(1));
        EXPECT_TRUE(HasKey("HKLM", kUninstallKey));
        EXPECT_FALSE(FileExists(Temp() + "\\uninstall.exe"));
    }

    RunningProgram first(m_install + "\\uninstall.exe");
    ASSERT_TRUE(first.Started());
    HWND question = WaitForMessageBox(first.Id(), "This will uninstall");
    ASSERT_NE(question, nullptr);
    ASSERT_TRUE(Answer(question, IDOK));
    EXPECT_EQ(first.WaitForExit(), std::optional<DWORD>(1));

    // The copy in the temporary folder removes the product, the install
    // folder (its uninstall.exe included) and the empty maker's folder, and
    // its batch file removes the copy and itself.
    ASSERT_TRUE(WaitUntil([&] { return !FolderExists(m_install); }, 30s));
    EXPECT_TRUE(WaitForCleanTemp(Temp() + "\\delme1.bat"));
    ExpectProductRemoved();
    EXPECT_FALSE(HasKey("HKLM", kUninstallKey)) << "the first phase removes the uninstall entry";
    EXPECT_FALSE(FolderExists(m_maker));
    EXPECT_TRUE(FolderExists(m_autoSave));
    // With no other product of the maker, its keys go too.
    EXPECT_FALSE(HasKey("HKLM", stowdesk::kMakerKey));
    EXPECT_FALSE(HasKey("HKCU", stowdesk::kMakerKey));
}

TEST_F(UninstallTest, FirstPhaseReportsATemporaryCopyItCannotMakeAndTouchesNothingElse) {
    // A temporary copy still held by a previous run cannot be replaced.
    const std::string copy = Temp() + "\\uninstall.exe";
    WriteWholeFile(copy, "held");
    platform::unique_hfile hold(CreateFileA(copy.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(hold) << test_support::LastErrorText();
    RunningProgram first(m_install + "\\uninstall.exe");
    ASSERT_TRUE(first.Started());
    ASSERT_TRUE(Answer(WaitForMessageBox(first.Id(), "This will uninstall"), IDOK));
    HWND box = WaitForMessageBox(first.Id(), "Cannot copy uninstall.exe to TEMP.");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Cannot copy uninstall.exe to TEMP.");
    ASSERT_TRUE(Answer(box, IDOK));
    EXPECT_EQ(first.WaitForExit(), std::optional<DWORD>(1));

    // The uninstall entry is already gone; everything else stays.
    EXPECT_FALSE(HasKey("HKLM", kUninstallKey));
    EXPECT_TRUE(FileExists(m_install + "\\sd.exe"));
    EXPECT_TRUE(HasKey("HKCR", ".sd"));
    EXPECT_TRUE(Text("HKLM", kProductKey, "InstallPath").has_value());
    hold.reset();
    EXPECT_EQ(ReadWholeFile(copy), "held");
}

TEST_F(UninstallTest, WithoutAUsableInstallPathNoFileIsTouchedButTheRestGoes) {
    // Missing, longer than a path may be (cut short, it would name another
    // folder inside the install folder), a drive's root or a relative path as
    // an earlier setup stored them: no file is deleted anywhere.
    const std::optional<std::string> paths[] = {
        std::nullopt,
        m_install + "\\" + std::string(260 - m_install.size(), 'x'),
        "C:",
        "KORB Software\\Stowdesk",
    };
    for (const std::optional<std::string>& path : paths) {
        SCOPED_TRACE(path.value_or("<none>"));
        platform::RegistryKey key = Key("HKLM", kProductKey);
        if (path) {
            ASSERT_TRUE(key.WriteString("InstallPath", *path));
        } else {
            ASSERT_TRUE(key.DeleteValue("InstallPath"));
        }
        SetText("HKCR", ".sd", "", "KorbStowdesk");
        const std::string copy = Temp() + "\\uninstall.exe";
        ASSERT_TRUE(CopyFileA((m_install + "\\uninstall.exe").c_str(), copy.c_str(), FALSE));
        RunningProgram removal(copy, "/internally");
        HWND box = WaitForMessageBox(removal.Id(), "Cannot find install path to remove files.");
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(Answer(box, IDOK));
        EXPECT_EQ(removal.WaitForExit(30s), std::optional<DWORD>(1));
        EXPECT_TRUE(WaitForCleanTemp(Temp() + "\\delme1.bat"));

        EXPECT_TRUE(FileExists(m_install + "\\sd.exe"));
        EXPECT_TRUE(FileExists(m_install + "\\images\\layout_saved.bmp"));
        EXPECT_FALSE(HasKey("HKCR", ".sd"));
        EXPECT_FALSE(HasKey("HKCU", "AppEvents\\Schemes\\Apps\\KORB Stowdesk"));
        EXPECT_FALSE(FileExists(ShellFolder("Start Menu\\KORB Stowdesk.lnk")));
    }
}

TEST_F(UninstallTest, ALockedLibraryClosesExplorerOnOkAndItComesBack) {
    StartStandinTaskbar();
    StartProductStandins();
    const std::string library = m_install + "\\sd_dll.dll";
    platform::unique_hfile lock(
        CreateFileA(library.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock) << test_support::LastErrorText();
    const std::string copy = Temp() + "\\uninstall.exe";
    ASSERT_TRUE(CopyFileA((m_install + "\\uninstall.exe").c_str(), copy.c_str(), FALSE));
    RunningProgram removal(copy, "/internally");
    HWND question = WaitForMessageBox(removal.Id(), "close all Explorer windows");
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(MessageBoxText(question), "To finish deinstallation Uninstall will now close all Explorer windows.");
    ASSERT_TRUE(Answer(question, IDOK));
    EXPECT_TRUE(m_taskbar->WaitForExit().has_value());
    lock.reset();
    EXPECT_EQ(removal.WaitForExit(30s), std::optional<DWORD>(1));
    EXPECT_FALSE(FileExists(library));
    EXPECT_EQ(LogLines(Log(), "explorer.exe started").size(), 2u) << Log();
    // No tray applet was running, so none is started; the product's programs
    // are told that Explorer came back.
    EXPECT_TRUE(LogLines(Log(), "systray.exe started").empty()) << Log();
    EXPECT_TRUE(WaitUntil([&] {
        return !LogLines(Log(), "Quick message 0x402").empty() && !LogLines(Log(), "SDtray message 0x403").empty();
    })) << Log();
    EXPECT_TRUE(WaitForCleanTemp(Temp() + "\\delme1.bat"));
}

}  // namespace
}  // namespace stowdesk_tests
