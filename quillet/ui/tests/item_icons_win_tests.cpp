// Item icons loaded from this test program's own icons (ui_win_tests.rc):
// each image has one colour, so the colour in an icon's middle tells which
// image was taken.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/version_info.h"
#include "quillet/model/class_id.h"
#include "quillet/model/classes.h"
#include "quillet/ui/item_icons.h"
#include "quillet/ui/tests/test_application.h"
#include "quillet/ui/ui_resource_ids.h"
#include "test_support/win_test_support.h"

namespace quillet {
namespace {

constexpr COLORREF kTeal = RGB(0, 128, 128);       // program.ico (icon 1)
constexpr COLORREF kRed = RGB(255, 0, 0);          // sizes.ico 32x32 true colour
constexpr COLORREF kBlue = RGB(0, 0, 255);         // sizes.ico 32x32 16 colours
constexpr COLORREF kGreen = RGB(0, 255, 0);        // sizes.ico 16x16 16 colours
constexpr COLORREF kYellow = RGB(255, 255, 0);     // sizes.ico 16x16 true colour
constexpr COLORREF kPurple = RGB(128, 0, 128);     // truecolour.ico

// The icon's size and the pixels it draws on white, row by row.
struct Drawn {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF Middle() const { return pixels.empty() ? CLR_INVALID : pixels[(height / 2) * width + width / 2]; }
};

Drawn Draw(HICON icon) {
    Drawn drawn;
    ICONINFO info = {};
    if (!icon || !GetIconInfo(icon, &info)) return drawn;
    platform::unique_hbitmap mask(info.hbmMask);
    platform::unique_hbitmap colour(info.hbmColor);
    BITMAP bitmap = {};
    GetObjectA(info.hbmMask, sizeof bitmap, &bitmap);
    drawn.width = bitmap.bmWidth;
    drawn.height = colour ? bitmap.bmHeight : bitmap.bmHeight / 2;

    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = drawn.width;
    format.bmiHeader.biHeight = -drawn.height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    platform::unique_hdc dc(CreateCompatibleDC(nullptr));
    platform::unique_hbitmap target(CreateDIBSection(dc.get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    platform::unique_select_object selected(dc.get(), target.get());
    RECT all = {0, 0, drawn.width, drawn.height};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DrawIconEx(dc.get(), 0, 0, icon, drawn.width, drawn.height, 0, nullptr, DI_NORMAL);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    for (int i = 0; i < drawn.width * drawn.height; ++i) {
        const uint32_t p = pixels[i];
        drawn.pixels.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF));
    }
    return drawn;
}

class ItemIconsTest : public ::testing::Test {
protected:
    RefPtr<Object> Folder(const std::string& path = std::string()) {
        RefPtr<Object> folder;
        const Value initial = Value::FromText(path);
        EXPECT_EQ(kStatusOk, app.Model().CreateObject(kClassFolder, &folder, path.empty() ? nullptr : &initial));
        return folder;
    }
    RefPtr<Object> WithSource(const std::string& file, int index) {
        RefPtr<Object> item = Folder();
        EXPECT_TRUE(item->SetProperty(kTagIconFile, Value::FromText(file)));
        EXPECT_TRUE(item->SetProperty(kTagIconIndex, Value::FromInteger(index)));
        return item;
    }
    Drawn Fallback(IconSize size) {
        const bool large = size == IconSize::Large || size == IconSize::ExactLarge;
        platform::unique_hicon icon(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr),
                                                                   MAKEINTRESOURCEA(IDI_QUILLET_FALLBACK), IMAGE_ICON,
                                                                   large ? 0 : 16, large ? 0 : 16,
                                                                   large ? LR_DEFAULTSIZE : 0)));
        return Draw(icon.get());
    }

    TestApplication app;
    const std::string self = platform::ModulePath();
};

TEST_F(ItemIconsTest, AnIconSourceGivesTheImageItsIndexAndSizeName) {
    const int large = GetSystemMetrics(SM_CXICON);
    const struct {
        const char* name;
        int index;
        IconSize size;
        COLORREF colour;
        int edge;
    } cases[] = {
        // A negative index is the resource id of an icon of the file.
        {"resource 300, large", -300, IconSize::Large, kRed, large},
        {"resource 300, small", -300, IconSize::Small, kYellow, 16},
        {"resource 1, large", -1, IconSize::Large, kTeal, large},
        // Zero and above count the file's icons: 1, 218, 300, 301.
        {"first icon", 0, IconSize::Large, kTeal, large},
        {"third icon, large", 2, IconSize::Large, kRed, large},
        {"third icon, small", 2, IconSize::Small, kYellow, 16},
        // Exact sizes take the 16-colour image of exactly 32 or 16 pixels.
        {"resource 300, exact large", -300, IconSize::ExactLarge, kBlue, 32},
        {"resource 300, exact small", -300, IconSize::ExactSmall, kGreen, 16},
        {"third icon, exact large", 2, IconSize::ExactLarge, kBlue, 32},
        {"third icon, exact small", 2, IconSize::ExactSmall, kGreen, 16},
        // Without a 16-colour image the exact sizes fall back to the plain ones.
        {"resource 301, exact large", -301, IconSize::ExactLarge, kPurple, large},
        {"fourth icon, exact small", 3, IconSize::ExactSmall, kPurple, 16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Drawn drawn = Draw(ItemIcon(*WithSource(self, c.index), c.size));
        EXPECT_EQ(c.colour, drawn.Middle());
        EXPECT_EQ(c.edge, drawn.width);
        EXPECT_EQ(c.edge, drawn.height);
    }
}

TEST_F(ItemIconsTest, WhatCannotBeLoadedShowsTheFallbackIcon) {
    test_support::ScratchFolder folder;
    const struct {
        const char* name;
        std::string file;
        int index;
    } cases[] = {
        {"missing file", folder.Path() + "\\missing.exe", 0},
        {"missing file by resource", folder.Path() + "\\missing.dll", -5},
        {"no such resource", self, -4711},
        {"index past the last icon", self, 40},
        // 65536 + 300 is no resource id; cut to 16 bits it would be icon 300.
        {"resource id beyond 16 bits", self, -(65536 + 300)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (IconSize size : {IconSize::Large, IconSize::Small, IconSize::ExactLarge}) {
            const Drawn drawn = Draw(ItemIcon(*WithSource(c.file, c.index), size));
            ASSERT_FALSE(drawn.pixels.empty());
            EXPECT_EQ(Fallback(size).pixels, drawn.pixels);
        }
    }
}

TEST_F(ItemIconsTest, ClassesWithoutAnIconSourceShowTheirOwnIcons) {
    test_support::ScratchFolder scratch;
    RefPtr<Object> tray = MakeRef<StandardTrayIcon>();
    EXPECT_EQ(kTeal, Draw(ItemIcon(*tray, IconSize::Large)).Middle()) << "the program icon";
    EXPECT_EQ(kTeal, Draw(ItemIcon(*app.Model().Root(), IconSize::Small)).Middle());

    // A folder shows the shell's icon of its folder: neither the program's
    // nor the fallback.
    const Drawn fallback = Fallback(IconSize::Small);
    RefPtr<Object> plain = Folder(scratch.Path());
    RefPtr<Object> special = Folder();
    ASSERT_TRUE(special->SetProperty(kTagFolderSpecial, Value::FromInteger(17)));  // My Computer
    RefPtr<Object> shellObject = Folder("::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");  // My Computer too
    for (Object* folder : {plain.Get(), special.Get(), shellObject.Get()}) {
        SCOPED_TRACE(folder->ReadText(kTagPath));
        const Drawn drawn = Draw(ItemIcon(*folder, IconSize::Small));
        EXPECT_EQ(16, drawn.width);
        EXPECT_NE(fallback.pixels, drawn.pixels);
        EXPECT_NE(kTeal, drawn.Middle());
    }
    // The shell's icon goes with the folder, not with its owner's source.
    RefPtr<Object> owner = WithSource(self, -300);
    RefPtr<Object> child = Folder(scratch.Path());
    ASSERT_EQ(kStatusOk, owner->Insert(child.Get()));
    EXPECT_EQ(ItemIcon(*plain, IconSize::Small), ItemIcon(*child, IconSize::Small));

    // No icon of the class in this program (a separator's is resource 200).
    RefPtr<Object> separator = MakeRef<SeparatorItem>();
    EXPECT_EQ(fallback.pixels, Draw(ItemIcon(*separator, IconSize::Small)).pixels);
}

TEST_F(ItemIconsTest, AnIconPutOnTheObjectComesFirst) {
    platform::unique_hicon own(CopyIcon(LoadIconA(nullptr, IDI_WARNING)));
    RefPtr<Object> item = WithSource(self, -300);
    ASSERT_TRUE(item->SetProperty(kTagSmallIcon, Value::FromIconHandle(own.get())));
    EXPECT_EQ(own.get(), ItemIcon(*item, IconSize::Small));
    EXPECT_NE(own.get(), ItemIcon(*item, IconSize::Large));
}

TEST_F(ItemIconsTest, EachIconIsLoadedOnceAndKeptForEveryCaller) {
    const HICON first = ItemIcon(*WithSource(self, -300), IconSize::Small);
    // The same source written another way is the same icon.
    std::string upper = self;
    CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    EXPECT_EQ(first, ItemIcon(*WithSource(upper, -300), IconSize::Small));
    EXPECT_NE(first, ItemIcon(*WithSource(self, -300), IconSize::Large));

    // Asking again and again makes no new icons: none is leaked.
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    for (int i = 0; i < 200; ++i) {
        ItemIcon(*WithSource(self, i % 4), IconSize::Large);
        ItemIcon(*WithSource(self, -300), IconSize::ExactSmall);
        ItemIcon(*MakeRef<StandardTrayIcon>(), IconSize::Small);
    }
    ItemIcon(*WithSource(self, 0), IconSize::Large);  // warm the cache for every case above...
    const DWORD warmed = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    for (int i = 0; i < 200; ++i) {
        ItemIcon(*WithSource(self, i % 4), IconSize::Large);
        ItemIcon(*WithSource(self, -300), IconSize::ExactSmall);
        ItemIcon(*MakeRef<StandardTrayIcon>(), IconSize::Small);
    }
    // ...so that asking again adds nothing at all.
    EXPECT_EQ(warmed, GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    EXPECT_LE(warmed, before + 20) << "a few icons were loaded, not one per call";
    // And the first icon is still good to draw.
    EXPECT_EQ(kYellow, Draw(first).Middle());
}

TEST(KeptIcon, LoadsOnceAndTriesAFailedLoadAgain) {
    int loads = 0;
    auto failing = [&]() -> HICON {
        ++loads;
        return nullptr;
    };
    EXPECT_EQ(nullptr, KeptIcon("test|failing", failing));
    EXPECT_EQ(nullptr, KeptIcon("test|failing", failing));
    EXPECT_EQ(2, loads);

    loads = 0;
    auto copy = [&]() -> HICON {
        ++loads;
        return CopyIcon(LoadIconA(nullptr, IDI_QUESTION));
    };
    const HICON first = KeptIcon("test|question", copy);
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(first, KeptIcon("test|question", copy));
    EXPECT_EQ(1, loads);
    EXPECT_NE(first, KeptIcon("test|question|another", copy));
}

}  // namespace
}  // namespace quillet
