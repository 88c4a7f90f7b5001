// What's-this help on a test window standing in for a dialog: the pop-up's
// text from the window's help table, its place on the screen, how it closes,
// and the one-entry menu a right click opens.
#include <windows.h>

#include <gtest/gtest.h>

#include "quillet/strings/strings_win32.h"
#include "quillet/ui/messages.h"
#include "quillet/ui/tests/test_application.h"
#include "test_support/win_test_support.h"

namespace quillet {
namespace {

using test_support::WaitUntil;

const HelpRow kHelpRows[] = {
    {1002, "hlpFolder:pvpath"},
    {1003, "hlpFolder:pvpathbrowse"},
    {1004, ""},
    {0, nullptr},
};

HWND HelpPopupWindow() {
    return FindWindowA(kHelpWindowClass, nullptr);
}

BOOL CALLBACK CountHelpPopups(HWND window, LPARAM count) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, kHelpWindowClass) == 0) ++*reinterpret_cast<int*>(count);
    return TRUE;
}

std::string WindowText(HWND window) {
    char text[2048] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

RECT WindowRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

class WhatsThisTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (HWND popup = HelpPopupWindow()) PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        WaitUntil([] { return HelpPopupWindow() == nullptr; });
    }

    // A "dialog" at `rect` with the help table above and one button per id.
    platform::unique_hwnd MakeDialog(RECT rect) {
        platform::unique_hwnd dialog = test_support::CreateTestWindow("QuilletWhatsThisTest", rect, WS_POPUP | WS_VISIBLE);
        SetDialogHelp(dialog.get(), kHelpRows);
        return dialog;
    }
    HWND AddControl(HWND dialog, int id, RECT rect, const char* className = "BUTTON") {
        return CreateWindowExA(0, className, "control", WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, dialog,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    }
    std::string Text(const char* key) { return app.Texts().GetText(key).value_or(std::string("<missing>")); }

    TestApplication app;
};

TEST_F(WhatsThisTest, ShowsTheTextOfTheControlsRowOrThatNoHelpIsAvailable) {
    platform::unique_hwnd dialog = MakeDialog({200, 200, 600, 400});
    const struct {
        int id;
        const char* key;  // given to ShowWhatsThis
        const char* shown;
    } cases[] = {
        {1002, nullptr, "hlpFolder:pvpath"},
        {1003, nullptr, "hlpFolder:pvpathbrowse"},
        {1004, nullptr, "hlpUnknown"},  // a row with an empty key
        {1099, nullptr, "hlpUnknown"},  // no row
        {1099, "hlpGen:hotkey", "hlpGen:hotkey"},
        {1002, "hlpNoSuchKey", "hlpUnknown"},  // a key the library lacks
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        HWND control = AddControl(dialog.get(), c.id, {20, 20, 120, 44});
        ShowWhatsThis(control, c.key);
        HWND popup = HelpPopupWindow();
        ASSERT_NE(nullptr, popup);
        EXPECT_EQ(Text(c.shown), WindowText(popup));
        EXPECT_EQ(popup, GetCapture()) << "the pop-up takes the mouse";
        PostMessageA(popup, WM_KEYDOWN, 'A', 0);
        EXPECT_TRUE(WaitUntil([] { return HelpPopupWindow() == nullptr; })) << "any key closes it";
        DestroyWindow(control);
    }
}

TEST_F(WhatsThisTest, SitsCentredOnTheControlsLeftEdgeBelowItsMiddle) {
    platform::unique_hwnd dialog = MakeDialog({200, 200, 600, 400});
    HWND control = AddControl(dialog.get(), 1002, {100, 40, 200, 60});
    ShowWhatsThis(control);
    HWND popup = HelpPopupWindow();
    ASSERT_NE(nullptr, popup);
    const RECT place = WindowRect(popup);
    const RECT at = WindowRect(control);
    EXPECT_LE(std::abs((place.left + place.right) / 2 - at.left), 1);
    EXPECT_EQ((at.top + at.bottom) / 2, place.top);
    EXPECT_LE(place.right - place.left, kWhatsThisTextWidth + kWhatsThisPadding);
}

TEST_F(WhatsThisTest, NearTheScreensEdgesStaysFullyVisible) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const struct {
        const char* name;
        RECT dialog;
    } cases[] = {
        {"right edge", {width - 120, 200, width, 300}},
        {"bottom right corner", {width - 120, height - 40, width, height}},
        {"left edge", {0, 200, 120, 300}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        platform::unique_hwnd dialog = MakeDialog(c.dialog);
        HWND control = AddControl(dialog.get(), 1003, {10, 5, 110, 30});
        ShowWhatsThis(control);
        HWND popup = HelpPopupWindow();
        ASSERT_NE(nullptr, popup);
        const RECT place = WindowRect(popup);
        EXPECT_GE(place.left, 0);
        EXPECT_GE(place.top, 0);
        EXPECT_LE(place.right, width);
        EXPECT_LE(place.bottom, height);
        EXPECT_GT(place.right - place.left, 2 * kWhatsThisShadow) << "a real pop-up, not an empty one";
        PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_TRUE(WaitUntil([] { return HelpPopupWindow() == nullptr; }));
    }
}

TEST_F(WhatsThisTest, ClosesOnAnyButtonAndWhenAnotherWindowTakesTheMouse) {
    platform::unique_hwnd dialog = MakeDialog({200, 200, 600, 400});
    HWND control = AddControl(dialog.get(), 1002, {20, 20, 120, 44});
    const UINT presses[] = {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN};
    for (UINT press : presses) {
        SCOPED_TRACE(press);
        ShowWhatsThis(control);
        HWND popup = HelpPopupWindow();
        ASSERT_NE(nullptr, popup);
        PostMessageA(popup, press, 0, MAKELPARAM(5, 5));
        EXPECT_TRUE(WaitUntil([] { return HelpPopupWindow() == nullptr; }));
    }
    ShowWhatsThis(control);
    ASSERT_NE(nullptr, HelpPopupWindow());
    SetCapture(dialog.get());
    EXPECT_TRUE(WaitUntil([] { return HelpPopupWindow() == nullptr; }));
    ReleaseCapture();
}

TEST_F(WhatsThisTest, ASecondRequestReplacesTheOpenPopUp) {
    platform::unique_hwnd dialog = MakeDialog({200, 200, 600, 400});
    HWND first = AddControl(dialog.get(), 1002, {20, 20, 120, 44});
    HWND second = AddControl(dialog.get(), 1003, {20, 60, 120, 84});
    ShowWhatsThis(first);
    ShowWhatsThis(second);
    int popups = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountHelpPopups, reinterpret_cast<LPARAM>(&popups));
    EXPECT_EQ(1, popups);
    EXPECT_EQ(Text("hlpFolder:pvpathbrowse"), WindowText(HelpPopupWindow()));
}

const HelpRow kFolderPageHelp[] = {
    {1002, "hlpFolder:pvpath"},     {1003, "hlpFolder:pvpathbrowse"}, {1004, "hlpFolder:pvaction"},
    {1005, "hlpFolder:pvNewWindow"}, {1006, "hlpFolder:pvTreeRoot"},  {0, nullptr},
};

// A dialog procedure as quillet's pages have it: the table given when the
// dialog opens, the helper called on WM_CONTEXTMENU.
INT_PTR CALLBACK FolderPageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        LocalizeDialog(App().Texts(), dialog);
        SetDialogHelp(dialog, kFolderPageHelp);
        SetDlgItemTextA(dialog, 1002, "C:\\Users\\Public\\Documents");
        return TRUE;
    case WM_CONTEXTMENU: return HandleContextHelp(dialog, wParam, lParam);
    default: return FALSE;
    }
}

class FolderPageTest : public WhatsThisTest {
protected:
    void SetUp() override {
        page.reset(CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(400), nullptr, FolderPageProc, 0));
        ASSERT_TRUE(page) << test_support::LastErrorText();
        SetWindowPos(page.get(), nullptr, 200, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        ShowWindow(page.get(), SW_SHOW);
        test_support::PumpMessages();
    }
    // A right click at the middle of control `id` (or of the dialog for 0), as
    // Windows reports it: to the control, or to the dialog for a static one.
    // With `choose` the menu's entry is taken, else the menu is cancelled.
    void RightClick(int id, bool choose) {
        HWND control = id ? GetDlgItem(page.get(), id) : page.get();
        const RECT rect = WindowRect(control);
        // The menu loop reads these keys once it runs.
        if (choose) {
            PostMessageA(page.get(), WM_KEYDOWN, VK_DOWN, 0);
            PostMessageA(page.get(), WM_KEYDOWN, VK_RETURN, 0);
        } else {
            PostMessageA(page.get(), WM_KEYDOWN, VK_ESCAPE, 0);
        }
        SendMessageA(page.get(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control),
                     MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
    }

    platform::unique_hwnd page;
};

TEST_F(FolderPageTest, ARightClickOffersWhatsThisAndChoosingItShowsTheControlsHelp) {
    const struct {
        int id;
        const char* shown;
    } cases[] = {
        {1002, "hlpFolder:pvpath"},
        {1004, "hlpFolder:pvaction"},
        {1006, "hlpFolder:pvTreeRoot"},
        {IDOK, "hlpUnknown"},  // a control without a row
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        RightClick(c.id, true);
        HWND popup = HelpPopupWindow();
        ASSERT_NE(nullptr, popup);
        EXPECT_EQ(Text(c.shown), WindowText(popup));
        PostMessageA(popup, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_TRUE(WaitUntil([] { return HelpPopupWindow() == nullptr; }));
    }
}

TEST_F(FolderPageTest, FromTheKeyboardTheFocusedControlGetsTheHelp) {
    // Shift+F10 or the menu key: WM_CONTEXTMENU without a point (-1).
    SetFocus(GetDlgItem(page.get(), 1006));
    PostMessageA(page.get(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(page.get(), WM_KEYDOWN, VK_RETURN, 0);
    SendMessageA(page.get(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(page.get()), -1);
    HWND popup = HelpPopupWindow();
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(Text("hlpFolder:pvTreeRoot"), WindowText(popup));
}

TEST_F(FolderPageTest, ACancelledMenuShowsNoHelp) {
    RightClick(1002, false);
    EXPECT_EQ(nullptr, HelpPopupWindow());
    // The menu is gone too: the dialog takes keys again.
    EXPECT_TRUE(test_support::VisibleMenus().empty());
}

TEST_F(FolderPageTest, AClickOnTheDialogFindsTheControlUnderThePoint) {
    // Windows sends the dialog itself a static or disabled control's click.
    EnableWindow(GetDlgItem(page.get(), 1005), FALSE);
    const RECT box = WindowRect(GetDlgItem(page.get(), 1005));
    PostMessageA(page.get(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(page.get(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(HandleContextHelp(page.get(), reinterpret_cast<WPARAM>(page.get()),
                                  MAKELPARAM(box.left + 4, box.top + 4)));
    HWND popup = HelpPopupWindow();
    ASSERT_NE(nullptr, popup);
    EXPECT_EQ(Text("hlpFolder:pvNewWindow"), WindowText(popup));
}

TEST_F(FolderPageTest, NoMenuWhereThereIsNoControlWithAnId) {
    // The label has the id every static control shares; below the check
    // boxes there is no control at all.
    HWND label = FindWindowExA(page.get(), nullptr, "Static", nullptr);
    ASSERT_NE(nullptr, label);
    const RECT labelRect = WindowRect(label);
    const RECT okRect = WindowRect(GetDlgItem(page.get(), IDOK));
    EXPECT_FALSE(HandleContextHelp(page.get(), reinterpret_cast<WPARAM>(page.get()),
                                   MAKELPARAM(labelRect.left + 2, labelRect.top + 2)));
    EXPECT_FALSE(HandleContextHelp(page.get(), reinterpret_cast<WPARAM>(page.get()),
                                   MAKELPARAM(okRect.left - 40, okRect.top + 2)));
    EXPECT_EQ(nullptr, HelpPopupWindow());
}

TEST_F(FolderPageTest, PictureOfThePopUp) {
    RightClick(1002, true);
    HWND popup = HelpPopupWindow();
    ASSERT_NE(nullptr, popup);
    ASSERT_TRUE(test_support::WaitUntilDrawn(popup));
    RECT area = WindowRect(page.get());
    const RECT place = WindowRect(popup);
    UnionRect(&area, &area, &place);
    InflateRect(&area, 8, 8);
    EXPECT_FALSE(test_support::SaveScreenPicture("quillet-whats-this", area).empty());
}

}  // namespace
}  // namespace quillet
