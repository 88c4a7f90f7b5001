#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quillet/model/object_model.h"
#include "quillet/options/contents_page_rules.h"

namespace quillet {
namespace {

constexpr std::optional<size_t> kNone = std::nullopt;

// One letter per button (first, Modify, Remove, Up, Down): E enabled,
// d disabled, - hidden.
std::string Sketch(const ContentsButtons& b) {
    std::string text;
    for (const ContentsButtonState* s : {&b.first, &b.modify, &b.remove, &b.up, &b.down})
        text += !s->visible ? '-' : s->enabled ? 'E' : 'd';
    return text;
}

TEST(ContentsButtonsTest, FollowTheModeAndTheSelectedRow) {
    struct Case {
        const char* name;
        bool preview;
        size_t count;
        std::optional<size_t> selected;
        const char* expected;
    };
    const Case cases[] = {
        {"empty container: only New", false, 0, kNone, "Edddd"},
        {"rows but none selected", false, 3, kNone, "Edddd"},
        {"first of three", false, 3, 0, "EEEdE"},
        {"middle of three", false, 3, 1, "EEEEE"},
        {"last of three: Down off, Up on", false, 3, 2, "EEEEd"},
        {"the only row", false, 1, 0, "EEEdd"},
        {"a selection past the end counts as none", false, 2, 5, "Edddd"},
        {"preview, nothing selected", true, 3, kNone, "d----"},
        {"preview, a row selected", true, 3, 1, "E----"},
        {"preview, empty", true, 0, kNone, "d----"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ContentsButtons buttons = ContentsButtonStates(c.preview, c.count, c.selected);
        EXPECT_EQ(c.expected, Sketch(buttons));
        EXPECT_EQ(c.preview, buttons.firstIsModify);
    }
}

TEST(ContentsButtonsTest, NewGoesAfterTheSelectedRowOrAtTheEnd) {
    EXPECT_EQ(1u, NewChildIndex(0, 3));
    EXPECT_EQ(3u, NewChildIndex(2, 3));
    EXPECT_EQ(kAppendIndex, NewChildIndex(kNone, 3));
    EXPECT_EQ(kAppendIndex, NewChildIndex(7, 3));
}

class MoveChildTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"a", "b", "c", "d"}) {
            RefPtr<Object> item = MakeRef<FolderItem>();
            item->SetProperty(kTagName, Value::FromText(name));
            ASSERT_EQ(kStatusOk, m_container->Insert(item.Get()));
        }
    }
    std::string Order() const {
        std::string order;
        for (const RefPtr<Object>& child : m_container->Children()) {
            order += child->ReadText(kTagName);
            EXPECT_EQ(m_container.Get(), child->Owner());
        }
        return order;
    }
    RefPtr<Object> m_container = MakeRef<StandardTrayIcon>();
};

TEST_F(MoveChildTest, TheChildEndsAtTheTargetIndex) {
    struct Case {
        size_t from, to;
        bool moved;
        const char* order;
    };
    const Case cases[] = {
        {0, 1, true, "bacd"},  // Down from the top
        {3, 2, true, "abdc"},  // Up from the bottom
        {0, 3, true, "bcda"},  // dragged from first to last
        {3, 0, true, "dabc"},  // dragged from last to first
        {1, 1, true, "abcd"},  // dropped on itself
        {4, 0, false, "abcd"},
        {0, 4, false, "abcd"},
        {kAppendIndex, 0, false, "abcd"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.from << " -> " << c.to);
        m_container = MakeRef<StandardTrayIcon>();  // a fresh container per case
        SetUp();
        EXPECT_EQ(c.moved, MoveChild(*m_container, c.from, c.to));
        EXPECT_EQ(c.order, Order());
    }
}

TEST_F(MoveChildTest, KeepsTheChildAliveWhileItIsOutOfTheList) {
    RefPtr<Object> last = m_container->GetChild(3);
    Object* raw = last.Get();
    last = nullptr;  // the container holds the only reference now
    ASSERT_TRUE(MoveChild(*m_container, 3, 0));
    EXPECT_EQ(raw, m_container->GetChild(0).Get());
    EXPECT_EQ(1, raw->ReferenceCount());
}

TEST(RenameTest, RefusedInPreviewModeAndForUntitledChildren) {
    RefPtr<Object> folder = MakeRef<FolderItem>();
    RefPtr<Object> separator = MakeRef<SeparatorItem>();
    EXPECT_TRUE(MayRename(false, *folder));
    EXPECT_FALSE(MayRename(true, *folder));
    EXPECT_FALSE(MayRename(false, *separator));
}

TEST(RenameTest, AnEmptyOrCancelledEditKeepsTheName) {
    EXPECT_FALSE(AcceptedName(nullptr));
    EXPECT_FALSE(AcceptedName(""));
    EXPECT_EQ("Tools", AcceptedName("Tools").value_or(""));
    // Blanks are a name the user may want; only nothing at all is refused.
    EXPECT_EQ(" ", AcceptedName(" ").value_or(""));
}

}  // namespace
}  // namespace quillet
