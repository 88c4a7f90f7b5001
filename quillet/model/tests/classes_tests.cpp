#include <gtest/gtest.h>

#include "quillet/model/object_model.h"

namespace quillet {
namespace {

TEST(IconSetRootTest, SettingsStartAtTheirDefaults) {
    ObjectModel model;
    model.Root()->SetProgramTitle("Quillet 2.1");
    struct Case {
        PropertyTag tag;
        Value expected;
    } cases[] = {
        {kTagName, Value::FromText("Quillet 2.1")},
        {kTagConfirmDelete, Value::FromBoolean(true)},
        {kTagConfirmExit, Value::FromBoolean(true)},
        {kTagHotkeyMode, Value::FromInteger(kHotkeyModeNone)},
        {kTagCustomHotkey, Value::FromInteger(0)},
        {kTagMenuView, Value::FromInteger(kMenuViewTextAndIcons)},
        {kTagClickSound, Value::FromText("")},
        {kTagClickMode, Value::FromInteger(1)},
        {kTagPassword, Value::FromText("")},
        {kTagChangesAllowed, Value::FromBoolean(false)},
        {kTagLocked, Value::FromBoolean(false)},
        {kTagReadOnlyDocument, Value::FromBoolean(false)},
        {kTagHideDesktop, Value::FromInteger(kDesktopIconsUnavailable)},
        {kTagFlags, Value::FromInteger(0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tag);
        Value value;
        ASSERT_TRUE(model.Root()->GetProperty(c.tag, &value));
        EXPECT_EQ(value, c.expected);
    }
    EXPECT_FALSE(model.Root()->SetProperty(kTagName, Value::FromText("Other"))) << "read-only";
    EXPECT_FALSE(model.Root()->SetProperty(kTagLocked, Value::FromBoolean(true))) << "computed";
}

TEST(IconSetRootTest, CustomHotkeyCountsOnlyInCustomMode) {
    ObjectModel model;
    IconSetRoot& root = *model.Root();
    int changes = 0;
    root.SetHotkeyChanged([&] { ++changes; });

    EXPECT_TRUE(root.SetProperty(kTagCustomHotkey, Value::FromInteger(0x0378)));
    EXPECT_EQ(root.ReadInteger(kTagCustomHotkey), 0) << "accepted and ignored outside custom mode";
    EXPECT_EQ(changes, 0);

    ASSERT_TRUE(root.SetProperty(kTagHotkeyMode, Value::FromInteger(kHotkeyModeNatural)));
    EXPECT_EQ(changes, 1);
    ASSERT_TRUE(root.SetProperty(kTagHotkeyMode, Value::FromInteger(kHotkeyModeNatural)));
    EXPECT_EQ(changes, 1) << "the same value changes nothing";
    EXPECT_EQ(root.ReadInteger(kTagCustomHotkey), 0);

    ASSERT_TRUE(root.SetProperty(kTagHotkeyMode, Value::FromInteger(kHotkeyModeCustom)));
    ASSERT_TRUE(root.SetProperty(kTagCustomHotkey, Value::FromInteger(0x0378)));
    EXPECT_EQ(root.ReadInteger(kTagCustomHotkey), 0x0378);
    EXPECT_EQ(changes, 3);
    EXPECT_FALSE(root.SetProperty(kTagHotkeyMode, Value::FromInteger(3)));
    EXPECT_EQ(root.ReadInteger(kTagHotkeyMode), kHotkeyModeCustom);
}

TEST(IconSetRootTest, LockedFollowsPasswordAndReadOnlyDocument) {
    ObjectModel model;
    IconSetRoot& root = *model.Root();
    ASSERT_TRUE(root.SetProperty(kTagPassword, Value::FromText("quillet01234567012")));
    EXPECT_TRUE(root.ReadBoolean(kTagLocked));
    ASSERT_TRUE(root.SetProperty(kTagPassword, Value::FromText("")));
    EXPECT_FALSE(root.ReadBoolean(kTagLocked));
    ASSERT_TRUE(root.SetProperty(kTagReadOnlyDocument, Value::FromBoolean(true)));
    EXPECT_TRUE(root.ReadBoolean(kTagLocked));
}

TEST(IconSetRootTest, MenuViewRefusesViewsThatShowNothing) {
    ObjectModel model;
    for (int32_t view : {0, 4, -1}) {
        SCOPED_TRACE(view);
        EXPECT_FALSE(model.Root()->SetProperty(kTagMenuView, Value::FromInteger(view)));
    }
    EXPECT_TRUE(model.Root()->SetProperty(kTagMenuView, Value::FromText("2")));
    EXPECT_EQ(model.Root()->ReadInteger(kTagMenuView), kMenuViewIcons);
}

class FakeDesktop : public DesktopIconsSwitch {
public:
    int32_t State() const override { return m_state; }
    void SetHidden(bool hidden) override {
        ++m_calls;
        m_state = hidden ? kDesktopIconsHidden : kDesktopIconsShown;
    }
    int32_t m_state = kDesktopIconsShown;
    int m_calls = 0;
};

TEST(IconSetRootTest, HideDesktopReadsAndSwitchesTheDesktop) {
    ObjectModel model;
    auto desktop = std::make_shared<FakeDesktop>();
    model.Root()->SetDesktopIconsSwitch(desktop);
    EXPECT_EQ(model.Root()->ReadInteger(kTagHideDesktop), kDesktopIconsShown);
    ASSERT_TRUE(model.Root()->SetProperty(kTagHideDesktop, Value::FromInteger(1)));
    EXPECT_EQ(model.Root()->ReadInteger(kTagHideDesktop), kDesktopIconsHidden);
    ASSERT_TRUE(model.Root()->SetProperty(kTagHideDesktop, Value::FromInteger(2)));
    EXPECT_EQ(desktop->m_calls, 1) << "2 marks the option unavailable and does nothing";
    EXPECT_FALSE(model.Root()->SetProperty(kTagHideDesktop, Value::FromInteger(7)));

    desktop->m_state = kDesktopIconsUnavailable;
    ASSERT_TRUE(model.Root()->SetProperty(kTagHideDesktop, Value::FromInteger(0)));
    EXPECT_EQ(desktop->m_calls, 1) << "no desktop view: nothing to switch";
}

TEST(IconSetRootTest, PersistsTheSettingsAndTheCustomHotkeyOnlyInCustomMode) {
    ObjectModel model;
    std::vector<PropertyTag> expected = {kTagName,          kTagIconFile,    kTagIconIndex,  kTagIconChooser,
                                         kTagConfirmDelete, kTagConfirmExit, kTagHotkeyMode, kTagMenuView,
                                         kTagClickSound,    kTagClickMode,   kTagPassword,   kTagChangesAllowed,
                                         kTagHideDesktop};
    EXPECT_EQ(model.Root()->PersistedTags(), expected);
    ASSERT_TRUE(model.Root()->SetProperty(kTagHotkeyMode, Value::FromInteger(kHotkeyModeCustom)));
    expected.insert(expected.begin() + 7, kTagCustomHotkey);
    EXPECT_EQ(model.Root()->PersistedTags(), expected);
}

TEST(FolderItemTest, DefaultsAndTheTagsItWritesPerAction) {
    RefPtr<FolderItem> folder = MakeRef<FolderItem>();
    EXPECT_EQ(folder->ReadText(kTagName), "Folder");
    EXPECT_EQ(folder->ReadText(kTagFolderPath), "");
    EXPECT_EQ(folder->ReadInteger(kTagFolderSpecial), kNoSpecialFolder);
    EXPECT_EQ(folder->ReadInteger(kTagFolderAction), kFolderActionMenu);
    EXPECT_FALSE(folder->ReadBoolean(kTagFolderAsRoot, true));
    EXPECT_FALSE(folder->ReadBoolean(kTagFolderNewWindow, true));

    const std::vector<PropertyTag> common = {kTagName,       kTagIconFile,      kTagIconIndex,   kTagIconChooser,
                                             kTagFolderPath, kTagFolderSpecial, kTagFolderAction};
    struct Case {
        int32_t action;
        std::vector<PropertyTag> extra;
    } cases[] = {
        {kFolderActionMenu, {}},
        {kFolderActionExplore, {kTagFolderNewWindow}},
        {kFolderActionExploreTree, {kTagFolderNewWindow, kTagFolderAsRoot}},
        {kFolderActionCommandPrompt, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.action);
        ASSERT_TRUE(folder->SetProperty(kTagFolderAction, Value::FromInteger(c.action)));
        std::vector<PropertyTag> expected = common;
        expected.insert(expected.end(), c.extra.begin(), c.extra.end());
        EXPECT_EQ(folder->PersistedTags(), expected);
    }
    EXPECT_FALSE(folder->SetProperty(kTagFolderAction, Value::FromInteger(0)));
    EXPECT_FALSE(folder->SetProperty(kTagFolderAction, Value::FromInteger(5)));
    EXPECT_FALSE(folder->SetProperty(kTagFolderSpecial, Value::FromInteger(-2)));
}

TEST(FolderItemTest, GenericPathSetsTheFolderPathOnlyForPlainFolders) {
    RefPtr<FolderItem> folder = MakeRef<FolderItem>();
    ASSERT_TRUE(folder->SetProperty(kTagPath, Value::FromText("C:\\Games")));
    EXPECT_EQ(folder->ReadText(kTagFolderPath), "C:\\Games");
    EXPECT_EQ(folder->ReadText(kTagPath), "C:\\Games");
    EXPECT_EQ(folder->ReadText(kTagClassName), "$folder:name");

    ASSERT_TRUE(folder->SetProperty(kTagFolderSpecial, Value::FromInteger(17)));
    EXPECT_TRUE(folder->IsSpecial());
    EXPECT_EQ(folder->ReadText(kTagClassName), "folder:clsSpecial");
    EXPECT_FALSE(folder->SetProperty(kTagPath, Value::FromText("D:\\")));
    EXPECT_EQ(folder->ReadText(kTagFolderPath), "C:\\Games");
    Value value;
    EXPECT_FALSE(folder->GetProperty(kTagPath, &value));
}

TEST(FolderItemTest, ASpecialFolderNeverAnswersThePathOfTheFolderHoldingIt) {
    ObjectModel model;
    ASSERT_EQ(model.AddStandardTrayIcon(), kStatusOk);
    RefPtr<FolderItem> plain = MakeRef<FolderItem>();
    ASSERT_TRUE(plain->SetProperty(kTagPath, Value::FromText("C:\\Games")));
    ASSERT_EQ(model.Root()->GetChild(0)->Insert(plain.Get()), kStatusOk);
    RefPtr<FolderItem> special = MakeRef<FolderItem>();
    ASSERT_TRUE(special->SetProperty(kTagFolderSpecial, Value::FromInteger(17)));
    ASSERT_EQ(plain->Insert(special.Get()), kStatusOk);
    RefPtr<FolderItem> inner = MakeRef<FolderItem>();
    ASSERT_EQ(plain->Insert(inner.Get()), kStatusOk);

    Value value;
    EXPECT_FALSE(special->GetProperty(kTagPath, &value)) << value.ToText();
    EXPECT_EQ(special->ReadText(kTagPath, "none"), "none");
    EXPECT_EQ(inner->ReadText(kTagPath, "none"), "") << "a plain folder answers its own path";
    // Other settings still come from the owners.
    EXPECT_EQ(special->ReadInteger(kTagMenuView), kMenuViewTextAndIcons);
}

TEST(ObjectSavedPropertyTest, OnlyWhatTheObjectHoldsItselfIsSaved) {
    ObjectModel model;
    ASSERT_EQ(model.AddStandardTrayIcon(), kStatusOk);
    RefPtr<FolderItem> folder = MakeRef<FolderItem>();
    ASSERT_EQ(model.Root()->GetChild(0)->Insert(folder.Get()), kStatusOk);
    ASSERT_TRUE(folder->SetProperty(kTagFolderSpecial, Value::FromInteger(17)));
    ASSERT_TRUE(model.Root()->SetProperty(kTagIconFile, Value::FromText("quillet.exe")));

    Value value;
    EXPECT_EQ(folder->ReadText(kTagName), "Folder");
    EXPECT_FALSE(folder->GetSavedProperty(kTagName, &value)) << "a class default";
    EXPECT_FALSE(folder->GetSavedProperty(kTagFolderAction, &value)) << "a class default";
    EXPECT_FALSE(folder->GetSavedProperty(kTagIconFile, &value)) << "the root's";
    EXPECT_FALSE(folder->GetSavedProperty(kTagPath, &value)) << "worked out, not held";
    ASSERT_TRUE(folder->GetSavedProperty(kTagFolderSpecial, &value));
    EXPECT_EQ(value.Integer(), 17);
    ASSERT_TRUE(folder->SetProperty(kTagName, Value::FromText("My Computer")));
    ASSERT_TRUE(folder->GetSavedProperty(kTagName, &value));
    EXPECT_EQ(value.ToText(), "My Computer");
    ASSERT_TRUE(folder->SetProperty(kTagName, Value()));
    EXPECT_FALSE(folder->GetSavedProperty(kTagName, &value)) << "back to the default";

    EXPECT_FALSE(model.Root()->GetSavedProperty(kTagConfirmDelete, &value));
    EXPECT_FALSE(model.Root()->GetSavedProperty(kTagName, &value)) << "the program title";
    ASSERT_TRUE(model.Root()->GetSavedProperty(kTagHideDesktop, &value)) << "the desktop's state";
    EXPECT_EQ(value.Integer(), kDesktopIconsUnavailable);
}

TEST(ClassesTest, EachClassAnswersItsFlagsIconAndDisplayName) {
    struct Case {
        const char* what;
        RefPtr<Object> object;
        int32_t flags;
        int32_t icon;
        const char* displayName;
        bool container;
        bool menuEntry;
    } cases[] = {
        {"tray icon", MakeRef<StandardTrayIcon>(), 0, 1, "", true, true},
        {"folder", MakeRef<FolderItem>(), 0, 104, "$folder:name", true, true},
        {"separator", MakeRef<SeparatorItem>(), 3, 200, "$separator:name", false, true},
        {"column separator", MakeRef<ColumnSeparatorItem>(), 3, 105, "$colseparator:name", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.object->ReadInteger(kTagFlags), c.flags);
        EXPECT_EQ(c.object->ClassIconResource(), c.icon);
        EXPECT_EQ(c.object->ReadText(kTagClassName), c.displayName);
        EXPECT_EQ(c.object->IsContainer(), c.container);
        EXPECT_EQ(c.object->HasMenuEntry(), c.menuEntry);
    }
    RefPtr<Object> separator = MakeRef<SeparatorItem>();
    EXPECT_FALSE(separator->SetProperty(kTagName, Value::FromText("x"))) << "untitled class";
}

TEST(ObjectModelTest, FactoriesAreRegisteredInOrderAndCreateTheirClass) {
    ObjectModel model;
    RegisterStandardFactories(model);
    ASSERT_EQ(model.Factories().size(), 3u);
    EXPECT_EQ(model.Factories()[0]->ClassId(), kClassFolder);
    EXPECT_EQ(model.Factories()[1]->ClassId(), kClassSeparator);
    EXPECT_EQ(model.Factories()[2]->ClassId(), kClassColumnSeparator);
    EXPECT_EQ(model.Factories()[0]->DisplayName(), "(Folder)");
    EXPECT_EQ(model.Factories()[1]->DisplayName(), "($separator:name)");

    RefPtr<Object> object;
    ASSERT_EQ(model.CreateObject(kClassSeparator, &object), kStatusOk);
    EXPECT_EQ(object->ClassId(), kClassSeparator);
    EXPECT_NE(object.Get(), model.Factories()[1]->ClassObject()) << "a new object, not the class";

    Value path = Value::FromText("C:\\Windows");
    ASSERT_EQ(model.CreateObject(kClassFolder, &object, &path), kStatusOk);
    EXPECT_EQ(object->ReadText(kTagFolderPath), "C:\\Windows");

    EXPECT_EQ(model.CreateObject(kClassStandardTrayIcon, &object), kStatusNotImplemented);
    EXPECT_EQ(object, nullptr);
    ASSERT_EQ(model.CreateSavedObject(kClassStandardTrayIcon, &object), kStatusOk);
    EXPECT_EQ(object->ClassId(), kClassStandardTrayIcon);
    EXPECT_EQ(model.CreateSavedObject(kClassIconSetRoot, &object), kStatusNotImplemented);

    Value icon = Value::FromIconHandle(&model);
    EXPECT_EQ(model.CreateObject(kClassFolder, &object, &icon), kStatusInvalidArgument);
    EXPECT_EQ(object, nullptr);
}

}  // namespace
}  // namespace quillet
