#include "kelvane/shellmaint/shell_maintenance_rules.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(DocumentsShortcut, OnlyTheExactLowerCaseExtensionCounts) {
    struct Case {
        const char* path;
        bool shortcut;
    };
    const Case cases[] = {
        {"C:\\Recent\\letter.doc.lnk", true}, {"C:\\Recent\\plain.lnk", true},
        {"C:\\Recent\\.lnk", true},           {"plain.lnk", true},
        {"C:\\Recent\\UPPER.LNK", false},     {"C:\\Recent\\Mixed.Lnk", false},
        {"C:\\Recent\\notes.txt", false},     {"C:\\Recent\\shortcut.lnk.txt", false},
        {"C:\\Recent\\nolnk", false},         {"C:\\Recent\\trailing.lnk ", false},
        {"C:\\Recent\\link.lnkx", false},     {"C:\\Recent.lnk\\inside", false},
        {"C:\\Recent.lnk\\", false},          {"", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(IsDocumentsShortcut(c.path), c.shortcut);
    }
}

TEST(ShellFolder, OnlyAFullPathBelowARootIsUsable) {
    struct Case {
        const char* path;
        bool usable;
    };
    const Case cases[] = {
        {"C:\\Users\\me\\Recent", true},
        {"C:\\Users\\me\\Recent\\", true},
        {"c:\\x", true},
        {"\\\\server\\share\\Recent", true},
        {"\\\\server\\share\\Recent\\", true},
        {"", false},
        {"\\", false},
        {"C:", false},
        {"C:\\", false},
        {"C:\\\\", false},
        {"C:Recent", false},
        {"Recent", false},
        {".", false},
        {"\\Recent", false},
        {"%USERPROFILE%\\Recent", false},
        {"C:\\Users\\..", false},
        {"C:\\Users\\.\\Recent", false},
        {"C:\\*", false},
        {"C:\\Rec?nt", false},
        {"C:/Users/me", false},
        {"C:\\a:b", false},
        {"\\\\server", false},
        {"\\\\server\\share", false},
        {"\\\\server\\share\\", false},
        {"\\\\\\share\\x", false},
        {"\\\\server\\\\x", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(IsUsableShellFolder(c.path), c.usable);
    }
}

TEST(ShellFolder, ANameIsAppendedAfterOneBackslash) {
    EXPECT_EQ(WithTrailingBackslash("C:\\Start Menu"), "C:\\Start Menu\\");
    EXPECT_EQ(WithTrailingBackslash("C:\\Start Menu\\"), "C:\\Start Menu\\");
}

TEST(DocumentsTimer, RunsExactlyWhenOnAtTheDelayInItsUnit) {
    struct Case {
        const char* name;
        bool on;
        int32_t delay;
        CMinutesSecondsTimeType unit;
        std::optional<uint32_t> interval;
    };
    using T = CMinutesSecondsTimeType;
    const Case cases[] = {
        {"one minute", true, 1, T::mstMinutes, 60000u},
        {"ninety seconds", true, 90, T::mstSeconds, 90000u},
        {"off", false, 1, T::mstMinutes, std::nullopt},
        {"no delay", true, 0, T::mstSeconds, std::nullopt},
        {"a negative delay", true, -5, T::mstMinutes, std::nullopt},
        {"a unit that names no value", true, 5, T::NoValidValue, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KelvaneSettings settings;
        settings.SetEmptyDocuments(c.on);
        settings.SetEmptyDocumentsDelay(c.delay);
        settings.SetEmptyDocumentsDelayTimeType(c.unit);
        EXPECT_EQ(EmptyDocumentsTimerInterval(settings), c.interval);
    }
}

TEST(Cascades, DialUpNetworkingOnlyOnWindows95) {
    struct Case {
        const char* name;
        WindowsVersion version;
        bool dialUpOffered;
    };
    const Case cases[] = {
        {"Windows 95", {true, 4, 0}, true},     {"Windows 98", {true, 4, 10}, false},
        {"Windows Me", {true, 4, 90}, false},   {"NT 4.0", {false, 4, 0}, false},
        {"Windows 2000", {false, 5, 0}, false}, {"Windows 10", {false, 10, 0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(CascadeOffered(Cascade::ControlPanel, c.version));
        EXPECT_TRUE(CascadeOffered(Cascade::Printers, c.version));
        EXPECT_EQ(CascadeOffered(Cascade::DialUpNetworking, c.version), c.dialUpOffered);
        for (bool checked : {false, true}) {
            CascadeAction offered = checked ? CascadeAction::Create : CascadeAction::RemoveIfEmpty;
            EXPECT_EQ(CascadeActionFor(Cascade::Printers, checked, c.version), offered);
            EXPECT_EQ(CascadeActionFor(Cascade::DialUpNetworking, checked, c.version),
                      c.dialUpOffered ? offered : CascadeAction::LeaveAlone);
        }
    }
}

TEST(Cascades, FolderNamesEndInTheShellObjectsClassIds) {
    EXPECT_STREQ(CascadeFolderName(Cascade::ControlPanel), "Control Panel.{21EC2020-3AEA-1069-A2DD-08002B30309D}");
    EXPECT_STREQ(CascadeFolderName(Cascade::Printers), "Printers.{2227A280-3AEA-1069-A2DE-08002B30309D}");
    EXPECT_STREQ(CascadeFolderName(Cascade::DialUpNetworking),
                 "Dial-Up Networking.{992CFFA0-F557-101A-88EC-00DD010CCC48}");
}

}  // namespace
}  // namespace kelvane
