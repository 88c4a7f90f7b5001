// The Win32 binding inside the test process: the splash, the frame's start and
// the help launch, which the program's end-to-end tests cannot observe closely.
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
    platform::unique_hwnd m_owner;
    // Declared after its owner, so it goes first.
    Splash m_splash;
};

TEST_F(SplashTest, ShowsTheBitmapCentredOnTheWorkArea) {
    HWND splash = m_splash.Show(m_owner.get());
    ASSERT_NE(splash, nullptr);
    EXPECT_EQ(m_splash.Window(), splash);
    EXPECT_TRUE(IsWindowVisible(splash));
    EXPECT_EQ(GetWindow(splash, GW_OWNER), m_owner.get());

    RECT rect = {}, area = {};
    GetWindowRect(splash, &rect);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_EQ(rect.right - rect.left, 360);
    EXPECT_EQ(rect.bottom - rect.top, 216);
    EXPECT_NEAR((rect.left + rect.right) / 2, (area.left + area.right) / 2, 1);
    EXPECT_NEAR((rect.top + rect.bottom) / 2, (area.top + area.bottom) / 2, 1);

    EXPECT_EQ(m_splash.Show(m_owner.get()), nullptr) << "a second splash while one is up";
}

TEST_F(SplashTest, PaintsTheBitmapAlsoIntoAPrintedPicture) {
    HWND splash = m_splash.Show(m_owner.get());
    ASSERT_NE(splash, nullptr);
    platform::unique_hbitmap expected(static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_SPLASH), IMAGE_BITMAP, 0, 0, 0)));
    ASSERT_TRUE(expected);

    platform::unique_hdc_window screen(nullptr);
    platform::unique_hdc printed(CreateCompatibleDC(screen.get()));
    platform::unique_hdc original(CreateCompatibleDC(screen.get()));
    platform::unique_hbitmap picture(CreateCompatibleBitmap(screen.get(), 360, 216));
    platform::unique_select_object intoPrinted(printed.get(), picture.get());
    platform::unique_select_object intoOriginal(original.get(), expected.get());
    ASSERT_TRUE(PrintWindow(splash, printed.get(), 0)) << test_support::LastErrorText();
    for (POINT at : {POINT{0, 0}, POINT{180, 108}, POINT{359, 215}, POINT{40, 170}}) {
        SCOPED_TRACE(testing::Message() << at.x << "," << at.y);
        EXPECT_EQ(GetPixel(original.get(), at.x, at.y), GetPixel(printed.get(), at.x, at.y));
    }
}

TEST_F(SplashTest, ItsTimerTakesItDown) {
    HWND splash = m_splash.Show(m_owner.get());
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(splash); }, 10s));
    EXPECT_EQ(m_splash.Window(), nullptr);
    EXPECT_NE(m_splash.Show(m_owner.get()), nullptr) << "once gone, a splash can be shown again";
}

TEST_F(SplashTest, KeysAndButtonPressesTakeItDownAndAreConsumed) {
    const UINT pressing[] = {WM_KEYDOWN,     WM_SYSKEYDOWN,    WM_LBUTTONDOWN,   WM_RBUTTONDOWN,
                             WM_MBUTTONDOWN, WM_NCLBUTTONDOWN, WM_NCRBUTTONDOWN, WM_NCMBUTTONDOWN};
    for (UINT message : pressing) {
        SCOPED_TRACE(message);
        HWND splash = m_splash.Show(m_owner.get());
        ASSERT_NE(splash, nullptr);
        MSG press = {m_owner.get(), message, 0, 0, 0, {}};
        EXPECT_TRUE(m_splash.TakesMessage(press));
        EXPECT_FALSE(IsWindow(splash));
        EXPECT_EQ(m_splash.Window(), nullptr);
        EXPECT_FALSE(m_splash.TakesMessage(press)) << "with no splash the press goes through";
    }
}

TEST_F(SplashTest, OtherMessagesPassItBy) {
    const UINT passing[] = {WM_MOUSEMOVE, WM_KEYUP, WM_LBUTTONUP, WM_CHAR, WM_TIMER, WM_PAINT, WM_NULL};
    HWND splash = m_splash.Show(m_owner.get());
    ASSERT_NE(splash, nullptr);
    for (UINT message : passing) {
        SCOPED_TRACE(message);
        MSG other = {splash, message, 0, 0, 0, {}};
        EXPECT_FALSE(m_splash.TakesMessage(other));
        EXPECT_TRUE(IsWindow(splash));
    }
}

// The frame ends the message loop when it goes; these tests have none.
void DestroyFrame(HWND window) {
    DestroyWindow(window);
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST(MainFrame, ShowsTheSplashOnlyWhenAskedAndTakesItDownWithIt) {
    for (bool withSplash : {false, true}) {
        SCOPED_TRACE(withSplash ? "with splash" : "without splash");
        MainFrame frame;
        std::string failure;
        ASSERT_TRUE(frame.Create(GetModuleHandleA(nullptr), withSplash, failure)) << failure;
        HWND splash = frame.StartupSplash().Window();
        EXPECT_EQ(splash != nullptr, withSplash);
        EXPECT_EQ(splash ? GetWindow(splash, GW_OWNER) : frame.Window(), frame.Window());
        DestroyFrame(frame.Window());
        EXPECT_EQ(frame.StartupSplash().Window(), nullptr);
        EXPECT_FALSE(splash && IsWindow(splash)) << "the splash went with its owner";
    }
}

// Refuses to create frame windows in this thread, as a failing CreateWindowEx would.
LRESULT CALLBACK RefuseFrames(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const char* className = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->lpszClass;
        if (!IS_INTRESOURCE(className) && lstrcmpiA(className, kFrameClass) == 0) return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(MainFrame, AFailedCreationSaysWhichCallFailed) {
    platform::unique_hhook refuse(SetWindowsHookExA(WH_CBT, RefuseFrames, nullptr, GetCurrentThreadId()));
    ASSERT_TRUE(refuse) << test_support::LastErrorText();
    MainFrame frame;
    std::string failure;
    EXPECT_FALSE(frame.Create(GetModuleHandleA(nullptr), true, failure));
    EXPECT_EQ(0u, failure.find("CreateWindowEx: error ")) << failure;
    EXPECT_EQ(frame.Window(), nullptr);
    EXPECT_EQ(frame.StartupSplash().Window(), nullptr);
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
    std::string failure;
    ASSERT_TRUE(frame.Create(GetModuleHandleA(nullptr), false, failure)) << failure;
    HWND window = frame.Window();

    SendMessageA(window, WM_COMMAND, ID_TRAY_HELP, 0);
    ASSERT_EQ(launches.size(), 1u);
    EXPECT_EQ(launches[0].owner, window);
    EXPECT_EQ(launches[0].path, FolderOf(ProgramPath()) + "\\Help\\index.html");

    DestroyFrame(window);
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
