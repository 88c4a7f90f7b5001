// Reading version resources back, from a library whose resource comes from
// the suite's template (platform/CMakeLists.txt gives its values).
#include <gtest/gtest.h>

#include "platform/version_info.h"
#include "test_support/win_test_support.h"

namespace {

std::string FixturePath() {
    std::string self = platform::ModulePath();
    return self.substr(0, self.rfind('\\')) + "\\platform_version_fixture.dll";
}

TEST(VersionResource, ReadsEveryStringOfTheFirstTranslation) {
    const std::optional<platform::VersionResource> resource = platform::VersionResource::Read(FixturePath());
    ASSERT_TRUE(resource) << FixturePath() << ": " << test_support::LastErrorText();
    const struct {
        const char* name;
        std::optional<std::string> expected;
    } cases[] = {
        {"CompanyName", "Nimbrel"},
        {"FileDescription", "Version resource test library"},
        {"FileVersion", "1.2 beta"},
        {"ProductVersion", "1.2 beta"},
        {"InternalName", "platform_version_fixture"},
        {"OriginalFilename", "platform_version_fixture.dll"},
        {"ProductName", "Platform Tests"},
        {"Comments", ""},                  // there, and empty
        {"LegalCopyright", std::nullopt},  // not given, so not there
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, resource->String(c.name));
    }
    EXPECT_EQ(std::optional<std::string>("Platform Tests"), platform::VersionString(FixturePath(), "ProductName"));
}

TEST(VersionResource, FixedPartHasTheNumbersAndTheFileType) {
    const std::optional<platform::VersionResource> resource = platform::VersionResource::Read(FixturePath());
    ASSERT_TRUE(resource);
    const std::optional<VS_FIXEDFILEINFO> fixed = resource->Fixed();
    ASSERT_TRUE(fixed);
    EXPECT_EQ(static_cast<DWORD>(VS_FFI_SIGNATURE), fixed->dwSignature);
    // "1.2.3" is 1.2.3.0.
    EXPECT_EQ(MAKELONG(2, 1), fixed->dwFileVersionMS);
    EXPECT_EQ(MAKELONG(0, 3), fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileVersionMS, fixed->dwProductVersionMS);
    EXPECT_EQ(fixed->dwFileVersionLS, fixed->dwProductVersionLS);
    EXPECT_EQ(static_cast<DWORD>(VFT_DLL), fixed->dwFileType);
    EXPECT_EQ(static_cast<DWORD>(VOS__WINDOWS32), fixed->dwFileOS);
}

TEST(VersionResource, MissingFileHasNone) {
    test_support::ScratchFolder folder;
    EXPECT_FALSE(platform::VersionResource::Read(folder.Path() + "\\absent.dll"));
    EXPECT_FALSE(platform::VersionString(folder.Path() + "\\absent.dll", "CompanyName"));
}

}  // namespace
