#include <gtest/gtest.h>

#include "quillet/model/object_model.h"

namespace quillet {
namespace {

// Counts destructions, to see when the tree lets go of an object.
struct Tracked : StandardTrayIcon {
    explicit Tracked(int* destroyed) : m_destroyed(destroyed) {}
    ~Tracked() override { ++*m_destroyed; }
    int* m_destroyed;
};

TEST(ObjectTreeTest, ChildrenKeepInsertionOrderAndKnowTheirOwner) {
    RefPtr<Object> parent = MakeRef<StandardTrayIcon>();
    RefPtr<Object> a = MakeRef<FolderItem>(), b = MakeRef<SeparatorItem>(), c = MakeRef<ColumnSeparatorItem>();
    ASSERT_EQ(parent->Insert(a.Get()), kStatusOk);
    ASSERT_EQ(parent->Insert(c.Get()), kStatusOk);
    ASSERT_EQ(parent->Insert(b.Get(), c.Get()), kStatusOk);  // before c

    ASSERT_EQ(parent->Count(), 3u);
    EXPECT_EQ(parent->GetChild(0), a);
    EXPECT_EQ(parent->GetChild(1), b);
    EXPECT_EQ(parent->GetChild(2), c);
    EXPECT_EQ(parent->GetChild(3), nullptr);
    EXPECT_EQ(b->Owner(), parent.Get());
    Value owner;
    ASSERT_TRUE(b->GetProperty(kTagOwner, &owner));
    EXPECT_EQ(owner.ObjectReference(), parent.Get());

    ASSERT_EQ(parent->RemoveAt(1), kStatusOk);
    EXPECT_EQ(b->Owner(), nullptr);
    EXPECT_FALSE(b->GetProperty(kTagOwner, &owner));
    EXPECT_EQ(parent->Remove(b.Get()), kStatusFalse);
    EXPECT_EQ(parent->RemoveAt(5), kStatusInvalidArgument);
    EXPECT_EQ(parent->Count(), 2u);
}

TEST(ObjectTreeTest, InsertRefusesWhatWouldBreakTheTree) {
    RefPtr<Object> root = MakeRef<IconSetRoot>();
    RefPtr<Object> icon = MakeRef<StandardTrayIcon>();
    RefPtr<Object> other = MakeRef<StandardTrayIcon>();
    RefPtr<Object> folder = MakeRef<FolderItem>();
    ASSERT_EQ(root->Insert(icon.Get()), kStatusOk);
    ASSERT_EQ(icon->Insert(folder.Get()), kStatusOk);

    EXPECT_EQ(other->Insert(folder.Get()), kStatusInvalidArgument) << "already owned";
    EXPECT_EQ(icon->Insert(icon.Get()), kStatusInvalidArgument) << "itself";
    EXPECT_EQ(folder->Insert(root.Get()), kStatusInvalidArgument) << "its own owner";
    EXPECT_EQ(icon->Insert(nullptr), kStatusInvalidArgument);
    EXPECT_EQ(icon->Insert(other.Get(), root.Get()), kStatusInvalidArgument) << "before a stranger";
    RefPtr<Object> separator = MakeRef<SeparatorItem>();
    EXPECT_EQ(separator->Insert(other.Get()), kStatusNotImplemented);
    EXPECT_EQ(icon->InsertAt(other.Get(), 7), kStatusInvalidArgument);
    EXPECT_EQ(icon->Count(), 1u);
}

TEST(ObjectTreeTest, NoTreeGrowsDeeperThanTheLimit) {
    // A chain of folders below a tray icon, built top down.
    RefPtr<Object> root = MakeRef<IconSetRoot>();
    RefPtr<Object> icon = MakeRef<StandardTrayIcon>();
    ASSERT_EQ(root->Insert(icon.Get()), kStatusOk);
    RefPtr<Object> deepest = icon;
    for (size_t depth = 2; depth <= kMaxObjectDepth; ++depth) {
        RefPtr<Object> folder = MakeRef<FolderItem>();
        ASSERT_EQ(deepest->Insert(folder.Get()), kStatusOk) << depth;
        deepest = folder;
    }
    RefPtr<Object> tooDeep = MakeRef<SeparatorItem>();
    EXPECT_EQ(deepest->Insert(tooDeep.Get()), kStatusInvalidArgument);
    EXPECT_EQ(deepest->ReplaceChildren({tooDeep}), kStatusInvalidArgument);
    EXPECT_EQ(deepest->Count(), 0u);

    // Built bottom up, away from the root, the same limit holds when the
    // branch is hung in.
    RefPtr<Object> branch = MakeRef<FolderItem>();
    for (size_t height = 1; height < kMaxObjectDepth; ++height) {
        RefPtr<Object> top = MakeRef<FolderItem>();
        ASSERT_EQ(top->Insert(branch.Get()), kStatusOk) << height;
        branch = top;
    }
    RefPtr<Object> otherIcon = MakeRef<StandardTrayIcon>();
    ASSERT_EQ(otherIcon->Insert(branch.Get()), kStatusOk);
    EXPECT_EQ(root->Insert(otherIcon.Get()), kStatusInvalidArgument) << "127 levels below the root";
    EXPECT_EQ(root->ReplaceChildren({icon, otherIcon}), kStatusInvalidArgument);
    ASSERT_EQ(otherIcon->Remove(branch.Get()), kStatusOk);
    EXPECT_EQ(root->Insert(branch.Get()), kStatusOk) << "126 levels below the root";
}

TEST(ObjectTreeTest, TheTreeHoldsCountedReferences) {
    int destroyed = 0;
    RefPtr<Object> root = MakeRef<IconSetRoot>();
    {
        RefPtr<Object> icon = MakeRef<Tracked>(&destroyed);
        ASSERT_EQ(root->Insert(icon.Get()), kStatusOk);
        EXPECT_EQ(icon->ReferenceCount(), 2);
    }
    EXPECT_EQ(destroyed, 0) << "the root keeps it";
    RefPtr<Object> kept = root->GetChild(0);
    ASSERT_EQ(root->RemoveAt(0), kStatusOk);
    EXPECT_EQ(destroyed, 0) << "the caller still holds one";
    kept.Reset();
    EXPECT_EQ(destroyed, 1);
}

TEST(ObjectTreeTest, AChildOutlivingItsOwnerForgetsIt) {
    RefPtr<Object> folder = MakeRef<FolderItem>();
    {
        RefPtr<Object> icon = MakeRef<StandardTrayIcon>();
        ASSERT_EQ(icon->Insert(folder.Get()), kStatusOk);
    }
    EXPECT_EQ(folder->Owner(), nullptr);
    EXPECT_EQ(folder->ReadText(kTagName), "Folder");
}

TEST(ObjectTreeTest, ReplaceChildrenKeepsOrRefusesAsAWhole) {
    RefPtr<Object> root = MakeRef<IconSetRoot>();
    RefPtr<Object> a = MakeRef<StandardTrayIcon>(), b = MakeRef<StandardTrayIcon>(), c = MakeRef<StandardTrayIcon>();
    ASSERT_EQ(root->Insert(a.Get()), kStatusOk);
    ASSERT_EQ(root->Insert(b.Get()), kStatusOk);

    ASSERT_EQ(root->ReplaceChildren({c, a}), kStatusOk);
    EXPECT_EQ(root->Children(), (std::vector<RefPtr<Object>>{c, a}));
    EXPECT_EQ(b->Owner(), nullptr);
    EXPECT_EQ(c->Owner(), root.Get());

    EXPECT_EQ(root->ReplaceChildren({b, b}), kStatusInvalidArgument) << "duplicate";
    EXPECT_EQ(root->ReplaceChildren({b, root}), kStatusInvalidArgument) << "itself";
    EXPECT_EQ(root->Children(), (std::vector<RefPtr<Object>>{c, a}));
}

TEST(PropertyLookupTest, UnansweredPropertiesAreAskedOfTheOwnersUpToTheRoot) {
    ObjectModel model;
    model.Root()->SetProgramTitle("Quillet 2.1");
    ASSERT_EQ(model.AddStandardTrayIcon(), kStatusOk);
    RefPtr<Object> icon = model.Root()->GetChild(0);
    RefPtr<Object> separator = MakeRef<SeparatorItem>();
    ASSERT_EQ(icon->Insert(separator.Get()), kStatusOk);

    EXPECT_EQ(separator->ReadInteger(kTagMenuView), kMenuViewTextAndIcons);
    EXPECT_TRUE(separator->ReadBoolean(kTagConfirmDelete));
    EXPECT_EQ(icon->ReadText(kTagName), "Quillet 2.1") << "a tray icon shows the program title";
    EXPECT_EQ(icon->ReadText(kTagTrayTip), "Quillet 2.1");

    ASSERT_TRUE(icon->SetProperty(kTagName, Value::FromText("Tools")));
    EXPECT_EQ(icon->ReadText(kTagTrayTip), "Tools");
    ASSERT_TRUE(model.Root()->SetProperty(kTagMenuView, Value::FromInteger(kMenuViewText)));
    EXPECT_EQ(separator->ReadInteger(kTagMenuView), kMenuViewText);

    Value value;
    EXPECT_FALSE(separator->GetProperty(4711, &value)) << "nobody answers an unknown tag";
    EXPECT_FALSE(icon->GetOwnProperty(kTagMenuView, &value)) << "own excludes the owners";
}

TEST(PropertyLookupTest, IconsOfATrayIconComeFromTheRootUnlessItHasItsOwn) {
    ObjectModel model;
    int programIcon = 0, ownIcon = 0;
    ASSERT_TRUE(model.Root()->SetProperty(kTagSmallIcon, Value::FromIconHandle(&programIcon)));
    ASSERT_EQ(model.AddStandardTrayIcon(), kStatusOk);
    RefPtr<Object> icon = model.Root()->GetChild(0);
    Value value;
    ASSERT_TRUE(icon->GetProperty(kTagSmallIcon, &value));
    EXPECT_EQ(value.IconHandle(), &programIcon);
    ASSERT_TRUE(icon->SetProperty(kTagSmallIcon, Value::FromIconHandle(&ownIcon)));
    ASSERT_TRUE(icon->GetProperty(kTagSmallIcon, &value));
    EXPECT_EQ(value.IconHandle(), &ownIcon);
}

TEST(PropertyValueTest, ValuesAreConvertedToThePropertysType) {
    RefPtr<Object> folder = MakeRef<FolderItem>();
    struct Case {
        const char* what;
        PropertyTag tag;
        Value input;
        bool accepted;
        Value stored;
    } cases[] = {
        {"integer from decimal text", kTagIconIndex, Value::FromText("-12"), true, Value::FromInteger(-12)},
        {"integer from boolean", kTagIconIndex, Value::FromBoolean(true), true, Value::FromInteger(1)},
        {"text from integer", kTagName, Value::FromInteger(2000), true, Value::FromText("2000")},
        {"boolean from integer", kTagFolderNewWindow, Value::FromInteger(5), true, Value::FromBoolean(true)},
        {"boolean from text", kTagFolderNewWindow, Value::FromText("0"), true, Value::FromBoolean(false)},
        {"icon handle as text", kTagName, Value::FromIconHandle(&cases), false, Value()},
        {"object as integer", kTagIconIndex, Value::FromObjectReference(&cases), false, Value()},
        {"text as icon", kTagLargeIcon, Value::FromText("1"), false, Value()},
        {"read-only owner", kTagOwner, Value::FromObjectReference(&cases), false, Value()},
        {"read-only flags", kTagFlags, Value::FromInteger(0), false, Value()},
        {"unknown tag", 4711, Value::FromInteger(1), false, Value()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(folder->SetProperty(c.tag, c.input), c.accepted);
        if (!c.accepted) continue;
        Value stored;
        ASSERT_TRUE(folder->GetOwnProperty(c.tag, &stored));
        EXPECT_EQ(stored, c.stored);
    }
}

TEST(PropertyValueTest, ReadingInAnotherTypeConvertsButNeverHandles) {
    ObjectModel model;
    Value value;
    ASSERT_TRUE(model.Root()->GetPropertyAs(kTagMenuView, ValueType::Text, &value));
    EXPECT_STREQ(value.Text(), "3");
    ASSERT_TRUE(model.Root()->GetPropertyAs(kTagConfirmExit, ValueType::Integer, &value));
    EXPECT_EQ(value, Value::FromInteger(1));
    int icon = 0;
    ASSERT_TRUE(model.Root()->SetProperty(kTagLargeIcon, Value::FromIconHandle(&icon)));
    EXPECT_FALSE(model.Root()->GetPropertyAs(kTagLargeIcon, ValueType::Integer, &value));
    EXPECT_FALSE(model.Root()->GetPropertyAs(kTagMenuView, ValueType::IconHandle, &value));
}

TEST(PropertyValueTest, EmptyReturnsAPropertyToItsDefault) {
    RefPtr<Object> folder = MakeRef<FolderItem>();
    ASSERT_TRUE(folder->SetProperty(kTagName, Value::FromText("Games")));
    ASSERT_TRUE(folder->SetProperty(kTagFolderAction, Value::FromInteger(kFolderActionExplore)));
    ASSERT_TRUE(folder->SetProperty(kTagName, Value()));
    ASSERT_TRUE(folder->SetProperty(kTagFolderAction, Value()));
    EXPECT_EQ(folder->ReadText(kTagName), "Folder");
    EXPECT_EQ(folder->ReadInteger(kTagFolderAction), kFolderActionMenu);
}

}  // namespace
}  // namespace quillet
