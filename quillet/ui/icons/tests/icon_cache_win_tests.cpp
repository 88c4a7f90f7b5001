// The process's icon cache with real icons: what it hands out, what trimming
// destroys, and that the icons menus and tray icons hold are never destroyed.
// Icons come from the fixture library (three icons) and the system's
// shell32.dll (many).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quillet/model/class_id.h"
#include "quillet/model/property_tags.h"
#include "quillet/ui/icons/icon_cache_win32.h"
#include "quillet/ui/icons/icon_chooser.h"
#include "quillet/ui/icons/tests/icon_test_support.h"
#include "quillet/ui/item_icons.h"
#include "quillet/ui/tests/test_application.h"

namespace quillet {
namespace {

std::string SystemFile(const char* name) {
    char folder[MAX_PATH] = {};
    GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder) + "\\" + name;
}

class IconCacheWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        TrimIconCache(0);
        ASSERT_GT(ExtractIconExA(shell.c_str(), -1, nullptr, nullptr, 0), 60u) << shell;
    }
    void TearDown() override { TrimIconCache(0); }

    TestApplication app;
    const std::string fixture = FixtureLibrary();
    const std::string shell = SystemFile("shell32.dll");
};

TEST_F(IconCacheWinTest, OneIconPerFileIndexSlotAndVariant) {
    const HICON large = GetCachedIcon(fixture, 1, false, false);
    ASSERT_NE(nullptr, large);
    EXPECT_EQ(kIconGreen, IconMiddle(large));
    EXPECT_EQ(32, IconEdge(large));
    std::string upper = fixture;
    CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    EXPECT_EQ(large, GetCachedIcon(upper, 1, false, false)) << "the key is lower-cased";

    const HICON small = GetCachedIcon(fixture, 1, true, false);
    EXPECT_EQ(16, IconEdge(small));
    EXPECT_NE(large, small);
    EXPECT_EQ(1u, TrimmableCachedIconEntries()) << "two slots of one entry";

    const HICON exact = GetCachedIcon(fixture, 1, true, true);
    EXPECT_EQ(16, IconEdge(exact));
    EXPECT_EQ(kIconGreen, IconMiddle(exact));
    EXPECT_NE(small, exact);
    EXPECT_EQ(2u, TrimmableCachedIconEntries()) << "the 16-pixel variant is an entry of its own";
    EXPECT_EQ(kIconBlue, IconMiddle(GetCachedIcon(fixture, -102, false, false)));
}

TEST_F(IconCacheWinTest, AFailedLoadIsReportedAndTriedAgain) {
    EXPECT_EQ(nullptr, GetCachedIcon(fixture, 7, false, false));
    EXPECT_EQ(nullptr, GetCachedIcon(fixture, -999, true, false));
    EXPECT_EQ(2u, TrimmableCachedIconEntries()) << "the entries stay";
}

// The system counts no USER objects under Wine (GetGuiResources answers 0),
// so an icon counts as destroyed when the system no longer knows its handle.
TEST_F(IconCacheWinTest, TrimmingDestroysTheIconsItDropsAndLeaksNone) {
    std::vector<HICON> icons;
    for (int i = 0; i < 48; ++i) icons.push_back(GetCachedIcon(shell, i, false, false));
    EXPECT_EQ(48u, TrimmableCachedIconEntries());
    auto alive = [&](size_t first, size_t last) {
        size_t count = 0;
        for (size_t i = first; i < last; ++i) count += IconEdge(icons[i]) != 0;
        return count;
    };
    EXPECT_EQ(48u, alive(0, 48));

    // The oldest ones made room for this one.
    icons.push_back(GetCachedIcon(shell, 48, false, false));
    EXPECT_EQ(25u, TrimmableCachedIconEntries());
    EXPECT_EQ(0u, alive(0, 24)) << "dropped but not destroyed";
    EXPECT_EQ(25u, alive(24, 49));

    // Asked for again, a trimmed icon is loaded anew.
    const HICON again = GetCachedIcon(shell, 0, false, false);
    EXPECT_EQ(32, IconEdge(again));

    TrimIconCache(3);
    EXPECT_EQ(3u, alive(24, 49) + (IconEdge(again) != 0));
    TrimIconCache(0);
    EXPECT_EQ(0u, TrimmableCachedIconEntries());
    EXPECT_EQ(0u, alive(0, 49));
    EXPECT_EQ(0, IconEdge(again));
}

// A menu entry or tray icon shows an item's icon for as long as it likes and
// never gives it back: trimming must leave those icons alone.
TEST_F(IconCacheWinTest, ItemIconsSurviveTrimmingAndShareTheCachesEntries) {
    RefPtr<Object> item;
    ASSERT_EQ(kStatusOk, app.Model().CreateObject(kClassFolder, &item));
    ASSERT_TRUE(item->SetProperty(kTagIconFile, Value::FromText(fixture)));
    ASSERT_TRUE(item->SetProperty(kTagIconIndex, Value::FromInteger(-101)));

    const HICON cached = GetCachedIcon(fixture, -101, true, false);
    const HICON shown = ItemIcon(*item, IconSize::Small);
    EXPECT_EQ(cached, shown) << "one entry for both";
    const HICON exact = ItemIcon(*item, IconSize::ExactLarge);
    EXPECT_EQ(exact, GetCachedIcon(fixture, -101, false, true));

    for (int i = 0; i < 100; ++i) GetCachedIcon(shell, i, true, false);
    TrimIconCache(0);
    EXPECT_EQ(kIconGreen, IconMiddle(shown)) << "destroyed under a menu";
    EXPECT_EQ(kIconGreen, IconMiddle(exact));
    EXPECT_EQ(shown, ItemIcon(*item, IconSize::Small));
    EXPECT_EQ(0u, TrimmableCachedIconEntries());
    EXPECT_GE(CachedIconEntries(), 2u);
}

}  // namespace
}  // namespace quillet
