#include <gtest/gtest.h>

#include "quillet/model/default_icon_set.h"

namespace quillet {
namespace {

using Kind = DefaultItem::Kind;
using Lookup = RegistryPathLookup::Result;

DefaultItem Special(int32_t csidl) {
    DefaultItem item;
    item.kind = Kind::SpecialFolder;
    item.csidl = csidl;
    return item;
}

std::vector<DefaultItem> Specials() {
    return {Special(17), Special(3), Special(4), Special(10), Special(6), Special(2)};
}

// The items after the six special folders.
std::vector<DefaultItem> Tail(const std::vector<DefaultItem>& items) {
    EXPECT_GE(items.size(), 6u);
    std::vector<DefaultItem> head(items.begin(), items.begin() + 6);
    EXPECT_EQ(head, Specials());
    return std::vector<DefaultItem>(items.begin() + 6, items.end());
}

std::string Describe(const std::vector<DefaultItem>& items) {
    std::string text;
    for (const DefaultItem& item : items) {
        if (item.kind == Kind::ColumnSeparator) text += "| ";
        else if (item.kind == Kind::SpecialFolder) text += "csidl" + std::to_string(item.csidl) + " ";
        else text += item.path + (item.name.empty() ? "" : "=" + item.name) + " ";
    }
    return text;
}

// Facts of a machine whose last column is always the same three folders, so
// that the cases differ only in their drives.
DefaultIconSetFacts MachineWith(std::vector<DriveFact> drives) {
    DefaultIconSetFacts facts;
    facts.drives = std::move(drives);
    facts.programFiles = {Lookup::Found, "C:\\Program Files"};
    facts.windowsFolder = "C:\\WINDOWS";
    facts.tempFolder = "C:\\TEMP\\";
    return facts;
}

TEST(DefaultIconSetTest, DrivesFormTheMiddleColumn) {
    const std::string last = "| C:\\Program Files C:\\WINDOWS=Windows Directory C:\\TEMP\\=Temp Directory ";
    struct Case {
        const char* name;
        std::vector<DriveFact> drives;
        std::string expected;
    } cases[] = {
        {"floppies, fixed, CD-ROM and network",
         {{"A:\\", kDriveRemovable}, {"B:\\", kDriveRemovable}, {"C:\\", kDriveFixed}, {"D:\\", kDriveCdRom},
          {"E:\\", kDriveRemote}},
         "| B:\\ C:\\ D:\\ " + last},
        {"no drive qualifies: no break before the drives, the last one stays",
         {{"A:\\", kDriveRemovable}, {"E:\\", kDriveRemote}, {"R:\\", 6}},
         last},
        {"no drives at all", {}, last},
        {"a lower-case a is skipped too", {{"a:\\", kDriveFixed}, {"c:\\", kDriveFixed}}, "| c:\\ " + last},
        {"unknown and no-root types are skipped", {{"C:\\", kDriveFixed}, {"X:\\", 0}, {"Y:\\", 1}},
         "| C:\\ " + last},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Describe(Tail(DefaultIconSetItems(MachineWith(c.drives)))), c.expected);
    }
}

TEST(DefaultIconSetTest, RegistryPathsResolveAndEmptyFoldersAreLeftOut) {
    struct Case {
        const char* name;
        RegistryPathLookup programFiles;
        std::string windows;
        std::string temp;
        std::string expected;
    } cases[] = {
        {"the value names the folder", {Lookup::Found, "D:\\Apps"}, "C:\\W", "C:\\T", "| D:\\Apps C:\\W=Windows Directory C:\\T=Temp Directory "},
        {"no key: the text stays as it is", {Lookup::KeyMissing, ""}, "C:\\W", "C:\\T",
         "| !ProgramFilesDir C:\\W=Windows Directory C:\\T=Temp Directory "},
        {"no value: no item", {Lookup::ValueMissing, ""}, "C:\\W", "C:\\T", "| C:\\W=Windows Directory C:\\T=Temp Directory "},
        {"an empty value: no item", {Lookup::Found, ""}, "C:\\W", "C:\\T", "| C:\\W=Windows Directory C:\\T=Temp Directory "},
        {"folders the system did not give", {Lookup::Found, "P"}, "", "", "| P "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DefaultIconSetFacts facts;
        facts.programFiles = c.programFiles;
        facts.windowsFolder = c.windows;
        facts.tempFolder = c.temp;
        EXPECT_EQ(Describe(Tail(DefaultIconSetItems(facts))), c.expected);
    }
}

TEST(DefaultIconSetTest, ItemPathsAndRegistryValueNames) {
    EXPECT_EQ(RegistryPathValueName("!MediaPath"), "MediaPath");
    EXPECT_EQ(RegistryPathValueName("C:\\!x"), "");
    EXPECT_EQ(RegistryPathValueName(""), "");
    EXPECT_EQ(ResolveItemPath("!MediaPath", {Lookup::Found, "C:\\WINDOWS\\MEDIA"}), "C:\\WINDOWS\\MEDIA");
    EXPECT_EQ(ResolveItemPath("C:\\Data", {Lookup::ValueMissing, ""}), "C:\\Data") << "only ! paths are looked up";
    EXPECT_EQ(ResolveItemPath("", {Lookup::Found, "C:\\"}), std::nullopt);
}

TEST(DefaultIconSetTest, TheItemsBecomeObjectsOfTheFirstTrayIcon) {
    ObjectModel model;
    RegisterStandardFactories(model);
    ASSERT_EQ(model.AddStandardTrayIcon(), kStatusOk);
    RefPtr<Object> tray = model.Root()->GetChild(0);
    auto items = DefaultIconSetItems(MachineWith({{"C:\\", kDriveFixed}}));
    ASSERT_EQ(AppendDefaultItems(model, *tray, items), items.size());
    ASSERT_EQ(tray->Count(), 6u + 2u + 4u);

    for (size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        RefPtr<Object> special = tray->GetChild(i);
        EXPECT_EQ(special->ClassId(), kClassFolder);
        EXPECT_EQ(special->ReadInteger(kTagFolderSpecial), kDefaultSpecialFolders[i]);
        EXPECT_EQ(special->ReadInteger(kTagFolderAction), kFolderActionMenu);
        Value name;
        EXPECT_FALSE(special->GetSavedProperty(kTagName, &name)) << "a special folder takes the shell's name";
    }
    EXPECT_EQ(tray->GetChild(6)->ClassId(), kClassColumnSeparator);
    EXPECT_EQ(tray->GetChild(7)->ReadText(kTagPath), "C:\\");
    EXPECT_EQ(tray->GetChild(8)->ClassId(), kClassColumnSeparator);
    EXPECT_EQ(tray->GetChild(9)->ReadText(kTagPath), "C:\\Program Files");
    EXPECT_EQ(tray->GetChild(10)->ReadText(kTagName), "Windows Directory");
    EXPECT_EQ(tray->GetChild(11)->ReadText(kTagPath), "C:\\TEMP\\");
    EXPECT_EQ(tray->GetChild(11)->ReadText(kTagName), "Temp Directory");
}

TEST(DefaultIconSetTest, ItemsOfUnservedClassesAreSkipped) {
    ObjectModel model;  // no factories
    ASSERT_EQ(model.AddStandardTrayIcon(), kStatusOk);
    RefPtr<Object> tray = model.Root()->GetChild(0);
    EXPECT_EQ(AppendDefaultItems(model, *tray, DefaultIconSetItems(MachineWith({}))), 0u);
    EXPECT_EQ(tray->Count(), 0u);
}

}  // namespace
}  // namespace quillet
