// The tip of the day with its real template, the English tips and a scratch
// registry for "Show Tips" and "Last Tip".
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/registry.h"
#include "quillet/options/advanced_resource_ids.h"
#include "quillet/options/options.h"
#include "quillet/ui/tests/object_sheet_test_support.h"
#include "quillet/ui/tests/test_application.h"
#include "test_support/win_test_support.h"

namespace quillet {
namespace {

using test_support::WaitUntil;

class TipTest : public ::testing::Test {
protected:
    platform::RegistryKey Key() {
        return platform::RegistryKey::Create(HKEY_CURRENT_USER, ProgramKeyPath(app.Texts().Facts()));
    }
    std::optional<DWORD> Value(const char* name) {
        std::optional<platform::RegData> data = Key().Read(name);
        return data ? data->Dword() : std::nullopt;
    }
    std::string Caption() { return app.Texts().GetText("tipTitle").value_or("tipTitle"); }

    test_support::ScratchRegistry registry;
    TestApplication app;
};

TEST_F(TipTest, EachShowingAndEachNextTakesTheFollowingTipAndTheLastLeadsToTheFirst) {
    ASSERT_EQ("8", app.Texts().GetText("tipCount").value_or(""));
    const struct {
        std::optional<DWORD> lastTip;
        DWORD shown;
        DWORD afterNext;
    } cases[] = {
        {std::nullopt, 1, 2}, {3, 4, 5}, {7, 8, 1}, {8, 1, 2}, {500, 1, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lastTip ? std::to_string(*c.lastTip) : "no Last Tip");
        if (c.lastTip)
            Key().WriteDword(kLastTipValueName, *c.lastTip);
        else
            Key().DeleteValue(kLastTipValueName);
        SheetRun run([] {
            ShowTips(nullptr, true);
            return true;
        });
        HWND dialog = run.WaitForWindow(Caption());
        ASSERT_NE(nullptr, dialog);
        EXPECT_EQ(c.shown, Value(kLastTipValueName).value_or(0));
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_TRUE(WaitUntil([&] { return Value(kLastTipValueName) == c.afterNext; }));
        EXPECT_TRUE(IsWindowVisible(dialog)) << "Next keeps the dialog open";
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        ASSERT_TRUE(run.WaitForEnd());
    }
}

TEST_F(TipTest, ShowTipsOffKeepsTheDialogAwayUnlessForcedAndTheBoxWritesAtOnce) {
    Key().WriteDword(kShowTipsValueName, 0);
    Key().WriteDword(kLastTipValueName, 2);
    ShowTips(nullptr, false);  // returns at once: there is nobody to close a dialog here
    EXPECT_EQ(2u, Value(kLastTipValueName).value_or(0)) << "no tip was taken";

    SheetRun run([] {
        ShowTips(nullptr, true);
        return true;
    });
    HWND dialog = run.WaitForWindow(Caption());
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(dialog, IDC_TIP_SHOW_TIPS));
    PostMessageA(GetDlgItem(dialog, IDC_TIP_SHOW_TIPS), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return Value(kShowTipsValueName) == 1u; })) << "written while the dialog is open";
    PostMessageA(GetDlgItem(dialog, IDC_TIP_SHOW_TIPS), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return Value(kShowTipsValueName) == 0u; }));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(run.WaitForEnd());
}

TEST_F(TipTest, TheTipAreaHasItsIconColumnRuleAndTextAndIsPictured) {
    Key().WriteDword(kLastTipValueName, 0);
    SheetRun run([] {
        ShowTips(nullptr, false);
        return true;
    });
    HWND dialog = run.WaitForWindow(Caption());
    ASSERT_NE(nullptr, dialog) << "tips are on by default";
    HWND area = GetDlgItem(dialog, IDC_TIP_AREA);
    ASSERT_TRUE(test_support::WaitUntilDrawn(dialog));
    EXPECT_FALSE(test_support::SaveScreenPicture("quillet-tip-of-the-day", dialog).empty());

    test_support::ScreenPixels pixels = test_support::ReadScreen(area);
    ASSERT_GT(pixels.width, 60);
    ASSERT_GT(pixels.height, 60);
    auto at = [&](int x, int y) { return pixels.pixels[static_cast<size_t>(y) * pixels.width + x]; };
    auto rgb = [](COLORREF colour) {
        return static_cast<uint32_t>(GetRValue(colour)) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    };
    const uint32_t shadow = rgb(GetSysColor(COLOR_BTNSHADOW));
    const uint32_t window = rgb(GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(shadow, at(20, pixels.height - 4)) << "the icon column runs down the left";
    EXPECT_EQ(shadow, at(pixels.width / 2, 32)) << "the rule under the title band";
    EXPECT_EQ(window, at(pixels.width - 4, 16)) << "the title band's background";
    EXPECT_EQ(window, at(pixels.width - 4, pixels.height - 4)) << "the text area's background";
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ASSERT_TRUE(run.WaitForEnd());
}

}  // namespace
}  // namespace quillet
