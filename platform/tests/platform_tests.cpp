#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/rect_win32.h"
#include "platform/registry.h"
#include "platform/version_info.h"
#include "platform/windows_list.h"
#include "test_support/win_test_support.h"

using platform::RegistryKey;
using test_support::ScratchRegistry;

TEST(Registry, WritesAndReadsEachTypeBack) {
    ScratchRegistry scratch;
    auto key = RegistryKey::Create(HKEY_CURRENT_USER, "Software\\Probe");
    ASSERT_TRUE(key) << test_support::LastErrorText();

    ASSERT_TRUE(key.WriteString("text", "hello"));
    ASSERT_TRUE(key.WriteExpandString("expand", "%SystemRoot%\\x"));
    ASSERT_TRUE(key.WriteDword("number", 0x12345678));
    const unsigned char bytes[] = {1, 0, 255};
    ASSERT_TRUE(key.WriteBinary("blob", bytes, sizeof bytes));

    auto text = key.Read("text");
    ASSERT_TRUE(text);
    EXPECT_EQ(REG_SZ, text->type);
    EXPECT_EQ("hello", text->Text());

    auto expand = key.Read("expand");
    ASSERT_TRUE(expand);
    EXPECT_EQ(REG_EXPAND_SZ, expand->type);
    EXPECT_EQ("%SystemRoot%\\x", expand->Text()) << "the registry returns expandable strings raw";
    EXPECT_EQ(std::string::npos, platform::ExpandEnvironment(expand->Text()).find('%'));

    auto number = key.Read("number");
    ASSERT_TRUE(number);
    EXPECT_EQ(0x12345678u, number->Dword().value_or(0));

    auto blob = key.Read("blob");
    ASSERT_TRUE(blob);
    EXPECT_EQ(std::string("\x01\x00\xff", 3), blob->bytes);

    EXPECT_FALSE(key.Read("missing"));
    EXPECT_TRUE(key.DeleteValue("text"));
    EXPECT_FALSE(key.Read("text"));
}

TEST(Registry, ReadsValuesLongerThanAnyFixedBuffer) {
    ScratchRegistry scratch;
    auto key = RegistryKey::Create(HKEY_CURRENT_USER, "Software\\Probe");
    std::string longText(5000, 'x');
    ASSERT_TRUE(key.WriteString("long", longText));
    EXPECT_EQ(longText, key.Read("long")->Text());
}

TEST(Registry, ScratchKeysStayOutOfTheRealUserKey) {
    std::string realPath;
    {
        ScratchRegistry scratch;
        realPath = scratch.RealPath();
        ASSERT_TRUE(RegistryKey::Create(HKEY_CURRENT_USER, "Software\\Probe\\Deep\\Deeper"));
        EXPECT_TRUE(platform::KeyExists(HKEY_CURRENT_USER, "Software\\Probe\\Deep"));
        EXPECT_TRUE(platform::DeleteKeyTree(HKEY_CURRENT_USER, "Software\\Probe"));
        EXPECT_FALSE(platform::KeyExists(HKEY_CURRENT_USER, "Software\\Probe"));
        ASSERT_TRUE(RegistryKey::Create(HKEY_CURRENT_USER, "Software\\Probe"));
    }
    EXPECT_FALSE(platform::KeyExists(HKEY_CURRENT_USER, "Software\\Probe"));
    EXPECT_FALSE(platform::KeyExists(HKEY_CURRENT_USER, realPath)) << "scratch keys are removed";
}

// Every subkey is made before the first redirection: were HKEY_CURRENT_USER
// redirected first, the next key would land inside the redirected one.
TEST(Registry, RedirectsEachNamedKeyBelowTheVariablesKey) {
    const std::string root = "Software\\SuiteTests\\redirect-" + std::to_string(GetCurrentProcessId());
    ASSERT_EQ(0, _putenv(("PLATFORM_TEST_REGISTRY_ROOT=" + root).c_str()));
    auto undoRedirection = [] {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
    };
    platform::scope_exit cleanUp([&] {
        undoRedirection();
        _putenv("PLATFORM_TEST_REGISTRY_ROOT=");
        platform::DeleteKeyTree(HKEY_CURRENT_USER, root);
    });

    ASSERT_TRUE(platform::RedirectRegistryForTests("PLATFORM_TEST_REGISTRY_ROOT",
                                                   {{HKEY_CURRENT_USER, "HKCU"}, {HKEY_CLASSES_ROOT, "HKCR"}}));
    ASSERT_TRUE(RegistryKey::Create(HKEY_CURRENT_USER, "Probe"));
    ASSERT_TRUE(RegistryKey::Create(HKEY_CLASSES_ROOT, ".suiteprobe"));
    undoRedirection();

    EXPECT_TRUE(platform::KeyExists(HKEY_CURRENT_USER, root + "\\HKCU\\Probe"));
    EXPECT_TRUE(platform::KeyExists(HKEY_CURRENT_USER, root + "\\HKCR\\.suiteprobe"));
    EXPECT_FALSE(platform::KeyExists(HKEY_CLASSES_ROOT, ".suiteprobe"));
    EXPECT_TRUE(platform::RedirectRegistryForTests("PLATFORM_TEST_UNSET_REGISTRY_ROOT"))
        << "nothing asked, nothing failed";
}

TEST(WindowsList, FindsOurTopLevelWindowWithItsClass) {
    auto window = test_support::CreateTestWindow("PlatformProbeWindow", RECT{10, 10, 200, 100});
    ASSERT_TRUE(window);
    auto windows = platform::TopLevelWindows();
    EXPECT_NE(windows.end(), std::find(windows.begin(), windows.end(), window.get()));
    EXPECT_EQ("PlatformProbeWindow", platform::WindowClassName(window.get()));
}

TEST(VersionInfo, ProgramWithoutVersionResourceHasNone) {
    std::string self = platform::ModulePath();
    EXPECT_NE(std::string::npos, self.find("platform_tests"));
    EXPECT_FALSE(platform::VersionString(self, "ProductVersion"));
}

TEST(ScreenPicture, SavesAWindowAsBitmap) {
    auto window = test_support::CreateTestWindow("PlatformProbeWindow", RECT{20, 20, 220, 120});
    std::string path = test_support::SaveScreenPicture("platform-probe-window", window.get());
    ASSERT_FALSE(path.empty()) << test_support::LastErrorText();
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data));
    EXPECT_GT(data.nFileSizeLow, 200u * 100u * 3u);
}

TEST(Rect, IntersectsAnswersAsIntersectRectAndConvertsBothWays) {
    struct Case {
        const char* name;
        RECT a, b;
    };
    const Case cases[] = {
        {"overlapping", {0, 0, 100, 100}, {50, 50, 150, 150}},
        {"touching edges share no pixel", {0, 0, 100, 100}, {100, 0, 200, 100}},
        {"one inside the other", {0, 0, 100, 100}, {10, 10, 20, 20}},
        {"apart", {0, 0, 10, 10}, {20, 20, 30, 30}},
        {"empty", {0, 0, 100, 100}, {10, 10, 10, 50}},
        {"inside out", {0, 0, 100, 100}, {50, 50, 20, 20}},
        {"negative coordinates", {-300, -300, 1, 1}, {0, 0, 1024, 768}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RECT common = {};
        const bool windows = IntersectRect(&common, &c.a, &c.b) != FALSE;
        const platform::Rect a = platform::FromRECT(c.a), b = platform::FromRECT(c.b);
        EXPECT_EQ(windows, platform::Intersects(a, b));
        EXPECT_EQ(windows, platform::Intersects(b, a));
        const RECT back = platform::ToRECT(a);
        EXPECT_TRUE(EqualRect(&back, &c.a));
    }
}
