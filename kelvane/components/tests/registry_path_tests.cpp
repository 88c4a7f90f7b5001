#include <gtest/gtest.h>

#include "kelvane/components/registry_path.h"

using namespace kelvane;

TEST(RegistryPath, SettingsKeyLeavesOutEmptyParts) {
    struct Case {
        RegistryParts parts;
        const char* expected;
    };
    const Case cases[] = {
        {{"Nimbrel", "Kelvane", "1.0", "Settings"}, "\\SOFTWARE\\Nimbrel\\Kelvane\\1.0\\Settings"},
        {{"Nimbrel", "Kelvane", "", "Settings"}, "\\SOFTWARE\\Nimbrel\\Kelvane\\Settings"},
        {{"Nimbrel", "Kelvane", "1.0", ""}, "\\SOFTWARE\\Nimbrel\\Kelvane\\1.0"},
        {{"Nimbrel", "Kelvane", "", ""}, "\\SOFTWARE\\Nimbrel\\Kelvane"},
        // A version with backslashes nests deeper but never leaves an empty key name.
        {{"Nimbrel", "Kelvane", "1.0\\beta", "Settings"}, "\\SOFTWARE\\Nimbrel\\Kelvane\\1.0\\beta\\Settings"},
        {{"Nimbrel", "Kelvane", "\\1.0\\\\beta\\", "Settings"}, "\\SOFTWARE\\Nimbrel\\Kelvane\\1.0\\beta\\Settings"},
        {{"Nimbrel", "Kelvane", "\\", "Settings"}, "\\SOFTWARE\\Nimbrel\\Kelvane\\Settings"},
        {{"Nimbrel", "Kelvane", "\\\\\\", ""}, "\\SOFTWARE\\Nimbrel\\Kelvane"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("version '" + c.parts.version + "' section '" + c.parts.section + "'");
        EXPECT_EQ(c.expected, SettingsKeyPath(c.parts));
    }
}

TEST(RegistryPath, PositionsKeyUsesItsOwnRootWord) {
    EXPECT_EQ("\\Software\\Nimbrel\\Kelvane\\1.0\\Positions",
              PositionsKeyPath({"Nimbrel", "Kelvane", "1.0", "Positions"}));
    EXPECT_EQ("\\Software\\Nimbrel\\Kelvane\\Positions", PositionsKeyPath({"Nimbrel", "Kelvane", "", "Positions"}));
}

TEST(RegistryPath, ValueNameIsTheLastPartOfTheAddress) {
    struct Case {
        const char* name;
        const char* keyPath;
        const char* valueName;
    };
    const char* key = "\\SOFTWARE\\Nimbrel\\Kelvane\\Settings";
    const Case cases[] = {
        {"Adjust Top", "\\SOFTWARE\\Nimbrel\\Kelvane\\Settings", "Adjust Top"},
        {"(Default)", "\\SOFTWARE\\Nimbrel\\Kelvane\\Settings", ""},
        {"(default)", "\\SOFTWARE\\Nimbrel\\Kelvane\\Settings", ""},
        {"", "\\SOFTWARE\\Nimbrel\\Kelvane\\Settings", ""},
        {"Sub\\Value", "\\SOFTWARE\\Nimbrel\\Kelvane\\Settings\\Sub", "Value"},
        {"Sub\\(Default)", "\\SOFTWARE\\Nimbrel\\Kelvane\\Settings\\Sub", ""},
        {"\\Lead", "\\SOFTWARE\\Nimbrel\\Kelvane\\Settings", "Lead"},
        {"Sub\\\\Value", "\\SOFTWARE\\Nimbrel\\Kelvane\\Settings\\Sub", "Value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ValueAddress address = AddressValue(key, c.name);
        EXPECT_EQ(c.keyPath, address.keyPath);
        EXPECT_EQ(c.valueName, address.valueName);
    }
}

TEST(RegistryPath, RelativePathDropsLeadingBackslashes) {
    EXPECT_EQ("SOFTWARE\\Nimbrel", RelativeKeyPath("\\SOFTWARE\\Nimbrel"));
    EXPECT_EQ("SOFTWARE", RelativeKeyPath("SOFTWARE"));
    EXPECT_EQ("", RelativeKeyPath("\\\\"));
}

TEST(RegistryPath, RegistryVersionDropsTheLastTwoDotParts) {
    struct Case {
        const char* productVersion;
        const char* expected;
    };
    const Case cases[] = {
        {"1.0.0.0", "1.0"}, {"2.5.13.4021", "2.5"},       {"1.2.3", "1"}, {"1.0", "1"}, {"7", "7"}, {"", ""},
        {"...", "."},       {"1, 0, 0, 0", "1, 0, 0, 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.productVersion);
        EXPECT_EQ(c.expected, RegistryVersionFromProductVersion(c.productVersion));
    }
}
