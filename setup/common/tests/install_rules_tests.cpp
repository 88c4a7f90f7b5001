// The installer's and uninstaller's pure rules, case by case.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "setup/common/install_rules.h"
#include "setup/common/product_files.h"

namespace stowdesk {
namespace {

TEST(UninstallString, SplitsAtTheSwitchAndDropsTheCharacterBeforeIt) {
    struct Case {
        const char* text;
        bool started;
        const char* program;
        const char* parameters;
    } cases[] = {
        {"C:\\KORB\\uninst.exe /uninstall", true, "C:\\KORB\\uninst.exe", "/uninstall"},
        {"C:\\KORB\\uninst.exe /uninstall /s \"x\"", true, "C:\\KORB\\uninst.exe", "/uninstall /s \"x\""},
        {"\"C:\\Program Files\\KORB\\un.exe\" /uninstall", true, "C:\\Program Files\\KORB\\un.exe", "/uninstall"},
        // Without the switch, or with nothing before it, nothing is started.
        {"C:\\KORB\\uninst.exe", false, "", ""},
        {"/uninstall", false, "", ""},
        {" /uninstall", false, "", ""},
        {"", false, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        auto command = SplitUninstallString(c.text);
        ASSERT_EQ(command.has_value(), c.started);
        if (!command) continue;
        EXPECT_EQ(command->program, c.program);
        EXPECT_EQ(command->parameters, c.parameters);
    }
}

TEST(FolderLevels, CreatesEveryLevelButNeverADriveRootServerOrShare) {
    using Levels = std::vector<std::string>;
    struct Case {
        const char* path;
        Levels levels;
    } cases[] = {
        {"C:\\Program Files\\KORB Software\\Stowdesk",
         {"C:\\Program Files", "C:\\Program Files\\KORB Software", "C:\\Program Files\\KORB Software\\Stowdesk"}},
        {"C:\\a", {"C:\\a"}},
        {"C:", {}},
        {"C:\\", {}},
        {"C:\\a\\\\b", {"C:\\a", "C:\\a\\\\b"}},
        {"\\\\server\\share\\a\\b", {"\\\\server\\share\\a", "\\\\server\\share\\a\\b"}},
        {"\\\\server\\share", {}},
        {"\\\\server\\share\\", {}},
        {"\\\\server", {}},
        {"\\a\\b", {"\\a", "\\a\\b"}},
        {"a\\b", {"a", "a\\b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(FolderLevels(c.path), c.levels);
    }
}

TEST(FolderLevels, OnlyAFolderByItsFullPathIsAnInstallFolder) {
    struct Case {
        const char* path;
        bool usable;
    } cases[] = {
        {"C:\\Program Files\\KORB Stowdesk", true},
        {"d:\\a", true},
        {"\\\\server\\share\\a", true},
        // Roots hold everything else too.
        {"C:", false},
        {"C:\\", false},
        {"\\\\server\\share", false},
        {"\\\\server\\share\\", false},
        {"\\\\server", false},
        // Relative paths name another folder for each reader.
        {"Stowdesk", false},
        {"a\\b", false},
        {"\\a\\b", false},
        {"C:a", false},
        {"1:\\a", false},
        {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(IsFullFolderPath(c.path), c.usable);
    }
}

TEST(Paths, JoinStripAndLengthLimit) {
    EXPECT_EQ(JoinPath("C:\\a", "b.exe"), "C:\\a\\b.exe");
    EXPECT_EQ(JoinPath("C:\\a\\", "b.exe"), "C:\\a\\b.exe");
    EXPECT_EQ(JoinPath("", "b.exe"), "\\b.exe");
    EXPECT_EQ(StripOneTrailingBackslash("C:\\a\\b\\"), "C:\\a\\b");
    EXPECT_EQ(StripOneTrailingBackslash("C:\\a\\b\\\\"), "C:\\a\\b\\");
    EXPECT_EQ(StripOneTrailingBackslash("C:\\a"), "C:\\a");
    EXPECT_EQ(StripOneTrailingBackslash(""), "");

    // The longest accepted path still has room for every name put behind it.
    const std::string longest = "C:\\" + std::string(kMaxInstallPathLength - 3, 'x');
    EXPECT_FALSE(InstallPathTooLong(longest));
    EXPECT_TRUE(InstallPathTooLong(longest + "y"));
    EXPECT_LT(JoinPath(longest, "KORB Stowdesk Homepage.url").size(), kMaxPath);
    EXPECT_LT(JoinPath(longest, "images\\picture-of-16-chars.bmp").size(), kMaxPath);
}

TEST(CopyRules, SkipsDotsFoldersAndTheInstallerInAnyCase) {
    struct Case {
        const char* name;
        bool isFolder;
        bool skipped;
    } cases[] = {
        {".", true, true},           {"..", true, true},
        {"images", true, true},      {"other", true, true},
        {"setup.exe", false, true},  {"SETUP.EXE", false, true},
        {"Setup.Exe", false, true},  {"setup.exe.bak", false, false},
        {"sd.exe", false, false},    {"uninstall.exe", false, false},
        {"gnoop.wav", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SkippedWhenCopying(c.name, c.isFolder), c.skipped);
    }
    EXPECT_TRUE(IsLibraryPath("C:\\dist\\sd_dll.dll"));
    EXPECT_TRUE(IsLibraryPath("C:\\dist\\SD_DLL.DLL"));
    EXPECT_FALSE(IsLibraryPath("C:\\dist\\sd.exe"));
}

TEST(MakerFolder, RemovedOnlyWhenTheParentIsTheMakersFolder) {
    struct Case {
        const char* installPath;
        std::optional<std::string> parent;
    } cases[] = {
        {"C:\\Program Files\\KORB Software\\Stowdesk", "C:\\Program Files\\KORB Software"},
        {"C:\\Program Files\\korb software\\Stowdesk", "C:\\Program Files\\korb software"},
        {"C:\\Program Files\\KORB Stowdesk", std::nullopt},
        {"C:\\Tools", std::nullopt},
        {"Stowdesk", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.installPath);
        EXPECT_EQ(MakerFolderToRemove(c.installPath), c.parent);
    }
}

TEST(BatchFile, ExactTextAndNames) {
    EXPECT_EQ(BatchFileText("C:\\TEMP\\uninstall.exe", "C:\\TEMP\\delme2.bat"),
              "\r\n"
              "@echo off\r\n"
              ":myLabel\r\n"
              "del \"C:\\TEMP\\uninstall.exe\"\r\n"
              "if exist \"C:\\TEMP\\uninstall.exe\" goto myLabel\r\n"
              "del \"C:\\TEMP\\delme2.bat\"\r\n");
    EXPECT_EQ(BatchFileName("C:\\TEMP\\", 1), "C:\\TEMP\\delme1.bat");
    EXPECT_EQ(BatchFileName("C:\\TEMP", 200), "C:\\TEMP\\delme200.bat");
}

TEST(RegistryTable, FileTypeVerbsQuoteTheProgramAndTheDocument) {
    auto entries = FileTypeEntries("C:\\Program Files\\KORB Stowdesk");
    auto find = [&](const std::string& key) {
        auto it = std::find_if(entries.begin(), entries.end(), [&](const ClassesEntry& e) { return e.key == key; });
        return it == entries.end() ? std::string("<missing>") : it->data;
    };
    EXPECT_EQ(find("KorbStowdesk\\Shell\\open\\command"), "\"C:\\Program Files\\KORB Stowdesk\\sd.exe\" /s \"%1\"");
    EXPECT_EQ(find("KorbStowdesk\\Shell\\qRestore_Layout\\command"),
              "\"C:\\Program Files\\KORB Stowdesk\\sd.exe\" /r \"%1\"");
    EXPECT_EQ(find("KorbStowdesk\\Shell\\uOptions\\command"), "\"C:\\Program Files\\KORB Stowdesk\\sd.exe\" /? \"%1\"");
    EXPECT_EQ(find("KorbStowdesk\\DefaultIcon"), "C:\\Program Files\\KORB Stowdesk\\sd.exe,0");
}

TEST(SoundEvents, TheUsersChoiceIsKeptAndEmptyValuesGetTheInstalledSound) {
    const std::string installed = "C:\\SD\\gnoop.wav";
    struct Case {
        const char* name;
        std::string carried;
        std::optional<std::string> present;
        std::string written;
    } cases[] = {
        {"user's sound kept", installed, std::string("C:\\Media\\ding.wav"), "C:\\Media\\ding.wav"},
        {"empty value", installed, std::string(""), installed},
        {"one character", installed, std::string("x"), installed},
        {"two characters kept", installed, std::string("xy"), "xy"},
        {"missing value takes what was carried", "C:\\Media\\ding.wav", std::nullopt, "C:\\Media\\ding.wav"},
        {"longer than 260 characters kept whole", installed, std::string(300, 'z'), std::string(300, 'z')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SoundValueToWrite(c.carried, c.present, installed), c.written);
    }
}

TEST(UserData, LayoutFilesAndTheAutoSaveFolderAreRecognised) {
    EXPECT_TRUE(IsLayoutFile("layout1.sd"));
    EXPECT_TRUE(IsLayoutFile("DESK.SD"));
    EXPECT_FALSE(IsLayoutFile("sd.exe"));
    EXPECT_FALSE(IsLayoutFile("layout.sdx"));
    EXPECT_FALSE(IsLayoutFile("sd"));

    struct Case {
        const char* path;
        const char* folder;
        bool inside;
    } cases[] = {
        {"C:\\SD\\images\\Auto", "C:\\SD\\images\\Auto", true},
        {"C:\\SD\\images\\auto\\", "C:\\SD\\Images\\Auto", true},
        {"C:\\SD\\images\\Auto\\x", "C:\\SD\\images\\Auto", true},
        {"C:\\SD\\images\\AutoSave", "C:\\SD\\images\\Auto", false},
        {"C:\\SD\\images", "C:\\SD\\images\\Auto", false},
        {"C:\\SD\\images", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " in " + c.folder);
        EXPECT_EQ(IsSameOrInside(c.path, c.folder), c.inside);
    }
}

TEST(FileLists, NoLayoutFileIsEverDeletedAndEveryInstalledNameIsRemovedAgain) {
    std::vector<std::string_view> uninstalled;
    for (const auto* list : {&UninstallFirstGroup(), &UninstallLibraries(), &UninstallSecondGroup()}) {
        for (std::string_view name : *list) {
            SCOPED_TRACE(std::string(name));
            ASSERT_EQ(name.front(), '\\') << "uninstall names are appended to the folder as they stand";
            uninstalled.push_back(name.substr(1));
        }
    }
    uninstalled.push_back(kUninstallProgram);

    for (const std::vector<std::string_view>* list :
         {&DistributedFiles(), &OldReleaseFiles(), &std::as_const(uninstalled)}) {
        for (std::string_view name : *list) {
            SCOPED_TRACE(std::string(name));
            EXPECT_FALSE(IsLayoutFile(name));
            EXPECT_EQ(name.find_first_of("\\/*?"), std::string_view::npos);
        }
    }
    EXPECT_EQ(OldReleaseFiles().size(), 13u);
    for (const auto* list : {&DistributedFiles(), &OldReleaseFiles()}) {
        for (std::string_view name : *list) {
            SCOPED_TRACE(std::string(name));
            EXPECT_TRUE(std::any_of(uninstalled.begin(), uninstalled.end(),
                                    [&](std::string_view u) { return EqualsIgnoringCase(u, name); }));
        }
    }
}

}  // namespace
}  // namespace stowdesk
