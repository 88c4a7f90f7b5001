// In-process tests of corvessa's Win32 binding: what the end-to-end tests
// cannot reach from another process.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "corvessa/icon_browser_win32.h"
#include "corvessa/icon_strip_win32.h"
#include "corvessa/main_window_win32.h"
#include "test_support/win_test_support.h"

namespace corvessa {
namespace {

std::string FixtureLibrary() {
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    return std::string(folder) + "\\corvessa_fixture12.dll";
}

TEST(CorvessaIcons, IconAtGivesTheIconsOfALibraryAndNothingElse) {
    const std::string library = FixtureLibrary();
    struct Case {
        IconLocation location;
        bool icon;
    } cases[] = {
        {{library, 0}, true},
        {{library, 11}, true},
        {{library, 12}, false},
        // ExtractIcon reads -1 as "how many icons": the count must never be
        // taken for an icon handle, drawn and destroyed.
        {{library, -1}, false},
        // Other negative indexes are resource ids; the library's run 1 to 12.
        {{library, -12}, true},
        {{library, -13}, false},
        {{library + ".missing", 0}, false},
        {{"", 0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(FormatIconLocation(c.location));
        EXPECT_EQ(static_cast<bool>(IconAt(GetModuleHandleA(nullptr), c.location)), c.icon);
    }
}

// SetErrorMode is the only way to read the mode on every system we run on.
UINT CurrentErrorMode() {
    UINT mode = SetErrorMode(0);
    SetErrorMode(mode);
    return mode;
}

TEST(CorvessaDriveProbes, AskNoDiskQuestionsAndGiveTheModeBack) {
    const UINT original = CurrentErrorMode();
    const UINT before[] = {0, SEM_NOGPFAULTERRORBOX, SEM_FAILCRITICALERRORS, SEM_NOOPENFILEERRORBOX};
    for (UINT mode : before) {
        SCOPED_TRACE(mode);
        SetErrorMode(mode);
        {
            QuietDriveErrors quiet;
            EXPECT_EQ(CurrentErrorMode(), mode | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
            {
                // Probes nest: a folder probe inside a drive change.
                QuietDriveErrors inner;
                EXPECT_EQ(CurrentErrorMode(), mode | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
            }
            EXPECT_EQ(CurrentErrorMode(), mode | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        }
        EXPECT_EQ(CurrentErrorMode(), mode);
    }
    SetErrorMode(original);
}

TEST(CorvessaStart, AFailedStartNamesTheCallAndWhy) {
    // This test program holds none of corvessa's pictures.
    MainWindow window(GetModuleHandleA(nullptr));
    std::string failure;
    EXPECT_FALSE(window.Create(SW_HIDE, failure));
    EXPECT_EQ(window.Window(), nullptr);
    const std::string call = "LoadImage: error ";
    EXPECT_EQ(failure.compare(0, call.size(), call), 0) << failure;
    // The system's own words follow the number.
    EXPECT_NE(failure.find(": ", call.size()), std::string::npos) << failure;
}

}  // namespace
}  // namespace corvessa
