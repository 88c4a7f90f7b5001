// The Win32 binding inside the test process: the splash and the help launch,
// which the program's end-to-end tests cannot observe closely.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tempane/help_page_win32.h"
#include "tempane/main_frame_win32.h"
#include "tempane/names.h"
#include "tempane/resource.h"
#include "tempane/splash_win32.h"
#include "test_support/win_test_support.h"

namespace tempane {
namespace {

using namespace std::chrono_literals;
using test_support::WaitUntil;

class SplashTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_owner = test_support::CreateTestWindow("TempaneSplashOwner", {0, 0, 0, 0}, WS_POPUP);
        ASSERT_TRUE(m_owner);
    }
    void TearDown() override {
        if (HWND splash = SplashWindow()) DestroyWindow(splash);
        EnableSplash(false);
    }
    platform::unique_hwnd m_owner;
};

TEST_F(SplashTest, ShowsTheBitmapCentredOnTheWorkArea) {
    EnableSplash(true);
    HWND splash = ShowSplash(m_owner.get());
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(SplashWindow(), splash);
    EXPECT_TRUE(IsWindowVisible(splash));
    EXPECT_EQ(GetWindow(splash, GW_OWNER), m_owner.get());

    RECT rect = {}, area = {};
    GetWindowRect(splash, &rect);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_EQ(rect.right - rect.left, 360);
    EXPECT_EQ(rect.bottom - rect.top, 216);
    EXPECT_NEAR((rect.left + rect.right) / 2, (area.left + area.right) / 2, 1);
    EXPECT_NEAR((rect.top + rect.bottom) / 2, (area.top + area.bottom) / 2, 1);

    EXPECT_EQ(ShowSplash(m_owner.get()), nullptr) << "a second splash while one is up";
}

TEST_F(SplashTest, NothingIsShownUnlessEnabled) {
    EnableSplash(false);
    EXPECT_EQ(ShowSplash(m_owner.get()), nullptr);
    EXPECT_EQ(SplashWindow(), nullptr);
}

TEST_F(SplashTest, ItsTimerTakesItDown) {
    EnableSplash(true);
    HWND splash = ShowSplash(m_owner.get());
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(splash); }, 10s));
    EXPECT_EQ(SplashWindow(), nullptr);
}

TEST_F(SplashTest, KeysAndButtonPressesTakeItDownAndAreConsumed) {
    const UINT pressing[] = {WM_KEYDOWN,       WM_SYSKEYDOWN,    WM_LBUTTONDOWN,   WM_RBUTTONDOWN,
                             WM_MBUTTONDOWN,   WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_NCMBUTTONDOWN};
    EnableSplash(true);
    for (UINT message : pressing) {
        SCOPED_TRACE(message);
        HWND splash = ShowSplash(m_owner.get());
        ASSERT_NE(splash, nullptr);
        MSG press = {m_owner.get(), message, 0, 0, 0, {}};
        EXPECT_TRUE(SplashTakesMessage(press));
        EXPECT_FALSE(IsWindow(splash));
        EXPECT_EQ(SplashWindow(), nullptr);
        EXPECT_FALSE(SplashTakesMessage(press)) << "with no splash the press goes through";
    }
}

TEST_F(SplashTest, OtherMessagesPassItBy) {
    const UINT passing[] = {WM_MOUSEMOVE, WM_KEYUP, WM_LBUTTONUP, WM_CHAR, WM_TIMER, WM_PAINT, WM_NULL};
    EnableSplash(true);
    HWND splash = ShowSplash(m_owner.get());
    ASSERT_NE(splash, nullptr);
    for (UINT message : passing) {
        SCOPED_TRACE(message);
        MSG other = {splash, message, 0, 0, 0, {}};
        EXPECT_FALSE(SplashTakesMessage(other));
        EXPECT_TRUE(IsWindow(splash));
    }
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.find_last_of('\\'));
}

TEST(HelpCommand, OpensTheHelpPageBesideTheProgram) {
    struct Launch {
        HWND owner;
        std::string path;
    };
    std::vector<Launch> launches;
    MainFrame frame;
    frame.SetHelpLauncher([&](HWND owner, const std::string& path) { launches.push_back({owner, path}); });
    HWND window = frame.Create(GetModuleHandleA(nullptr));
    ASSERT_NE(window, nullptr) << test_support::LastErrorText();

    SendMessageA(window, WM_COMMAND, ID_TRAY_HELP, 0);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].owner, window);
    EXPECT_EQ(launches[0].path, FolderOf(ProgramPath()) + "\\Help\\index.html");

    DestroyWindow(window);
    // The frame ends the message loop when it goes; this test has none.
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST(HelpCommand, AMissingPageOpensNothingAndShowsNothing) {
    test_support::ScratchFolder folder;
    OpenWithShell(nullptr, folder.Path() + "\\Help\\index.html");
    for (HWND window : test_support::ProcessWindows(GetCurrentProcessId())) {
        EXPECT_FALSE(IsWindowVisible(window)) << "window \"" << window << "\" appeared";
    }
}

TEST(ProgramPath, IsTheFullPathOfThisProgram) {
    std::string path = ProgramPath();
    ASSERT_GT(path.size(), 4u);
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(path.substr(path.size() - 4), ".exe");
}

}  // namespace
}  // namespace tempane
