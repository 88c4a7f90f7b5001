#include "quillet/ui/icons/icon_cache.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "quillet/strings/key_hash.h"

namespace quillet {
namespace {

using Handle = IconCacheTable::Handle;

std::string Key(int n) {
    return IconCacheKeyText("C:\\Icons\\set.dll", n, false);
}

// Each entry gets icon n + 1000 in its large slot, so what is dropped tells
// which entries went.
IconCacheTable::Entry& Request(IconCacheTable& cache, int n, std::vector<Handle>* dropped) {
    IconCacheTable::Entry& entry = cache.Touch(Key(n), dropped);
    if (!entry.Slot(IconSlot::Large)) entry.Slot(IconSlot::Large) = static_cast<Handle>(n + 1000);
    return entry;
}

TEST(IconCacheKeyTextTest, FileIndexAndVariantLowerCased) {
    struct Case {
        const char* file;
        int index;
        bool sixteen;
        const char* expected;
    } cases[] = {
        {"C:\\Windows\\Shell32.DLL", 3, false, "c:\\windows\\shell32.dll,3"},
        {"C:\\Windows\\Shell32.DLL", 3, true, "c:\\windows\\shell32.dll,3,16"},
        {"Set.ico", -101, false, "set.ico,-101"},
        {"", 0, true, ",0,16"},
        // Bytes of a code page's upper half are left as they are.
        {"\xC4RGER.ICO", 1, false, "\xC4rger.ico,1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(c.expected, IconCacheKeyText(c.file, c.index, c.sixteen));
    }
    EXPECT_EQ(IconCacheKeyText("A.ICO", 1, false), IconCacheKeyText("a.ico", 1, false));
}

TEST(IconCacheTableTest, AMissWithMoreThan47EntriesTrimsTo24KeepingTheMostRecent) {
    IconCacheTable cache;
    std::vector<Handle> dropped;
    for (int n = 0; n < 48; ++n) Request(cache, n, &dropped);
    EXPECT_EQ(48u, cache.Size());
    EXPECT_TRUE(dropped.empty());

    // Entry 0 used again is the most recent of the old ones.
    Request(cache, 0, &dropped);
    EXPECT_EQ(48u, cache.Size()) << "a hit never trims";

    Request(cache, 48, &dropped);
    // The 24 most recent before the new one: 0 and 25..47; then 48 itself.
    EXPECT_EQ(25u, cache.Size());
    EXPECT_NE(nullptr, cache.Find(Key(0)));
    EXPECT_NE(nullptr, cache.Find(Key(48)));
    for (int n = 25; n <= 47; ++n) EXPECT_NE(nullptr, cache.Find(Key(n))) << n;
    std::vector<Handle> expected;
    for (int n = 1; n <= 24; ++n) expected.push_back(static_cast<Handle>(n + 1000));
    std::sort(dropped.begin(), dropped.end());
    EXPECT_EQ(expected, dropped);
}

TEST(IconCacheTableTest, WithAndWithoutThe16PixelVariantAreTwoEntries) {
    IconCacheTable cache;
    std::vector<Handle> dropped;
    cache.Touch(IconCacheKeyText("set.dll", 2, false), &dropped).Slot(IconSlot::Large) = 1;
    cache.Touch(IconCacheKeyText("set.dll", 2, true), &dropped).Slot(IconSlot::Large) = 2;
    EXPECT_EQ(2u, cache.Size());
    EXPECT_EQ(1u, cache.Touch(IconCacheKeyText("SET.DLL", 2, false), &dropped).Slot(IconSlot::Large));
    EXPECT_EQ(2u, cache.Touch(IconCacheKeyText("set.dll", 2, true), &dropped).Slot(IconSlot::Large));
    // The two slots of one entry are separate.
    EXPECT_EQ(0u, cache.Touch(IconCacheKeyText("set.dll", 2, true), &dropped).Slot(IconSlot::Small));
}

TEST(IconCacheTableTest, TrimKeepsTheMostRecentAndZeroEmpties) {
    IconCacheTable cache;
    std::vector<Handle> dropped;
    for (int n = 0; n < 5; ++n) Request(cache, n, &dropped);
    cache.Touch(Key(1), &dropped);

    cache.Trim(2, &dropped);
    EXPECT_EQ(2u, cache.Size());
    EXPECT_NE(nullptr, cache.Find(Key(1)));
    EXPECT_NE(nullptr, cache.Find(Key(4)));
    EXPECT_EQ(3u, dropped.size());

    cache.Trim(10, &dropped);
    EXPECT_EQ(2u, cache.Size());
    dropped.clear();
    cache.Trim(0, &dropped);
    EXPECT_EQ(0u, cache.Size());
    std::sort(dropped.begin(), dropped.end());
    EXPECT_EQ((std::vector<Handle>{1001, 1004}), dropped);
}

// Menus and tray icons hold their icons with no way to give them back:
// trimming must not destroy them under their holders.
TEST(IconCacheTableTest, PinnedEntriesOutliveTrimmingAndDoNotCountTowardsIt) {
    IconCacheTable cache;
    std::vector<Handle> dropped;
    for (int n = 0; n < 30; ++n) Request(cache, n, &dropped).pinned = true;
    for (int n = 30; n < 78; ++n) Request(cache, n, &dropped);
    EXPECT_TRUE(dropped.empty()) << "48 trimmable entries, no more";
    Request(cache, 78, &dropped);
    EXPECT_EQ(30u + 24u + 1u, cache.Size());
    for (int n = 0; n < 30; ++n) EXPECT_NE(nullptr, cache.Find(Key(n))) << n;

    cache.Trim(0, &dropped);
    EXPECT_EQ(30u, cache.Size());
    for (Handle icon : dropped) EXPECT_GE(icon, 1030u);

    dropped.clear();
    cache.Clear(&dropped);
    EXPECT_EQ(0u, cache.Size());
    EXPECT_EQ(30u, dropped.size());
}

TEST(IconCacheTableTest, TextsSharingAHashAreSeparateEntries) {
    // The hash shifts four bits a byte: one more in the last byte but one and
    // sixteen less in the last gives the same hash.
    const std::string first = "c:\\a.ico,5";
    const std::string second = "c:\\a.ico-%";
    ASSERT_EQ(KeyHash(first), KeyHash(second));

    IconCacheTable cache;
    std::vector<Handle> dropped;
    cache.Touch(first, &dropped).Slot(IconSlot::Small) = 1;
    EXPECT_EQ(0u, cache.Touch(second, &dropped).Slot(IconSlot::Small)) << "another file's icon handed out";
    cache.Touch(second, &dropped).Slot(IconSlot::Small) = 2;
    EXPECT_EQ(1u, cache.Touch(first, &dropped).Slot(IconSlot::Small));
    EXPECT_EQ(2u, cache.Size());
}

}  // namespace
}  // namespace quillet
