// The options sheet as the program shows it, with the contents and settings
// pages of their own libraries in front of the advanced page.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include "quillet/options/advanced_resource_ids.h"
#include "quillet/options/options.h"
#include "quillet/ui/tests/object_sheet_test_support.h"
#include "quillet/ui/tests/test_application.h"
#include "test_support/win_test_support.h"

namespace quillet {
namespace {

std::string TabText(HWND tabs, int index) {
    char text[128] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
    return text;
}

class OptionsProgramTest : public ::testing::Test {
protected:
    std::string Text(const char* key) { return app.Texts().GetText(key).value_or(key); }

    test_support::ScratchRegistry registry;
    TestApplication app;
};

TEST_F(OptionsProgramTest, ContentsSettingsAndAdvancedInThatOrderUnderTheRootsTitle) {
    SheetRun run([] { return ShowOptions(nullptr); });
    HWND sheet = run.WaitForWindow(app.Model().Root()->ReadText(kTagName));
    ASSERT_NE(nullptr, sheet);
    HWND tabs = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    ASSERT_EQ(3, SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ(Text("prop:Title"), TabText(tabs, 0));
    EXPECT_EQ(Text("propSettings"), TabText(tabs, 1));
    EXPECT_EQ(Text("adv:Title"), TabText(tabs, 2));

    // OK with nothing changed keeps the icon set as it is and saves it.
    PressSheetButton(sheet, PSBTN_OK);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_TRUE(run.Result());
    EXPECT_EQ(1, app.SaveCount());
}

TEST_F(OptionsProgramTest, CancelOnAnotherPageStillUndoesTheAdvancedPagesApply) {
    app.Model().Root()->SetProperty(kTagClickMode, Value::FromInteger(1));
    SheetRun run([] { return ShowOptions(nullptr); });
    HWND sheet = run.WaitForWindow(app.Model().Root()->ReadText(kTagName));
    ASSERT_NE(nullptr, sheet);
    SendMessageA(sheet, PSM_SETCURSEL, 2, 0);
    // The click list sits on one of the advanced page's sub-pages.
    HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    ASSERT_NE(nullptr, page);
    test_support::WaitUntil([&] { return FindWindowExA(page, nullptr, "#32770", nullptr) != nullptr; });
    HWND subPage = FindWindowExA(page, nullptr, "#32770", nullptr);
    HWND click = nullptr;
    for (HWND child = subPage; child && !click; child = FindWindowExA(page, child, "#32770", nullptr)) {
        click = GetDlgItem(child, IDC_INTERFACE_CLICK);
    }
    ASSERT_NE(nullptr, click);
    SendMessageA(click, CB_SETCURSEL, 1, 0);
    PressSheetButton(sheet, PSBTN_APPLYNOW);
    ASSERT_TRUE(test_support::WaitUntil([&] { return app.Model().Root()->ReadInteger(kTagClickMode) == 2; }));
    SendMessageA(sheet, PSM_SETCURSEL, 0, 0);
    PressSheetButton(sheet, PSBTN_CANCEL);
    ASSERT_TRUE(run.WaitForEnd());
    EXPECT_FALSE(run.Result());
    EXPECT_EQ(1, app.Model().Root()->ReadInteger(kTagClickMode));
    EXPECT_EQ(0, app.SaveCount());
}

}  // namespace
}  // namespace quillet
