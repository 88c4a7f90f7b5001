// The node tree API.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "quillet/document/xml_document.h"

namespace quillet {
namespace {

RefPtr<XmlNode> NewElement(XmlDocument* document, std::string_view name) {
    RefPtr<XmlNode> node;
    EXPECT_EQ(document->CreateNode(name, XmlNode::kElement, &node), kStatusOk);
    return node;
}

std::string ChildNames(const XmlNode* node) {
    std::string names;
    for (XmlNode* child = node->FirstChild(); child; child = child->NextSibling()) {
        if (!names.empty()) names += ' ';
        names += child->Name();
    }
    return names;
}

TEST(XmlDocument, NewDocumentIsCleanWithADocumentRoot) {
    auto document = XmlDocument::Create();
    EXPECT_EQ(document->IsDirty(), kStatusFalse);
    std::string text;
    EXPECT_EQ(document->GetRootName(&text), kStatusOk);
    EXPECT_EQ(text, "document");
    EXPECT_EQ(document->GetVersion(&text), kStatusOk);
    EXPECT_EQ(text, "1.0");
    Guid id;
    EXPECT_EQ(document->GetClassID(&id), kStatusOk);
    EXPECT_EQ(id.data1, 0xF8AC2695u);
    EXPECT_EQ(id.data2, 0xE72Du);
    EXPECT_EQ(id.data3, 0x11D1u);
    EXPECT_EQ(id.data4[0], 0xB9);
    EXPECT_EQ(id.data4[7], 0xD9);
    uint64_t size = 99;
    EXPECT_EQ(document->GetSizeMax(&size), kStatusOk);
    EXPECT_EQ(size, 0u);
    RefPtr<XmlNode> root;
    EXPECT_EQ(document->GetRoot(&root), kStatusOk);
    EXPECT_EQ(root->GetType(), XmlNode::kElement);
    RefPtr<XmlNode> none;
    EXPECT_EQ(document->CreateNode("x", 3, &none), kStatusInvalidArgument);
    EXPECT_EQ(none, nullptr);
}

TEST(XmlNode, AttributesKeepOrderAndIgnoreCase) {
    auto document = XmlDocument::Create();
    XmlNode* node = document->Root();
    node->SetAttribute("b", Value::FromInteger(1));
    node->SetAttribute("a", Value::FromText("x"));
    node->SetAttribute("c", Value::FromBoolean(true));
    node->SetAttribute("B", Value::FromText("replaced"));
    std::string names;
    ASSERT_EQ(node->GetAttributeNames(nullptr, &names), kStatusOk);
    EXPECT_EQ(names, "b,a,c");
    ASSERT_EQ(node->GetAttributeNames("; ", &names), kStatusOk);
    EXPECT_EQ(names, "b; a; c");

    Value value;
    EXPECT_EQ(node->GetAttribute("b", &value), kStatusOk);
    EXPECT_EQ(value, Value::FromText("replaced"));
    EXPECT_EQ(node->GetAttribute("C", &value), kStatusOk);
    EXPECT_EQ(value, Value::FromBoolean(true));
    EXPECT_EQ(node->GetAttribute("missing", &value), kStatusFalse);
    EXPECT_EQ(value, Value::FromBoolean(true)) << "a miss leaves the value alone";

    EXPECT_EQ(node->RemoveAttribute("A"), kStatusOk);
    EXPECT_EQ(node->RemoveAttribute("a"), kStatusFalse);
    node->GetAttributeNames(nullptr, &names);
    EXPECT_EQ(names, "b,c");
    EXPECT_EQ(node->AttributeCount(), 2u);
    EXPECT_STREQ(node->AttributeName(1), "c");
    EXPECT_EQ(node->AttributeName(2), nullptr);
    EXPECT_TRUE(node->AttributeValue(5).IsEmpty());
}

TEST(XmlNode, InsertChildPositions) {
    auto document = XmlDocument::Create();
    XmlNode* root = document->Root();
    struct Step {
        const char* name;
        int32_t index;
        const char* after;
    } steps[] = {
        {"a", -1, "a"},        {"b", -1, "a b"},         {"c", 0, "c a b"},          {"d", 2, "c a d b"},
        {"e", 4, "c a d b e"}, {"f", 99, "c a d b e f"}, {"g", -7, "c a d b e f g"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        EXPECT_EQ(root->InsertChild(NewElement(document.Get(), step.name).Get(), step.index), kStatusOk);
        EXPECT_EQ(ChildNames(root), step.after);
    }
    EXPECT_EQ(root->ChildCount(), 7u);
    EXPECT_STREQ(root->LastChild()->Name(), "g");
    EXPECT_STREQ(root->LastChild()->PreviousSibling()->Name(), "f");
}

TEST(XmlNode, MovingRemovingAndRefusedInserts) {
    auto document = XmlDocument::Create();
    XmlNode* root = document->Root();
    RefPtr<XmlNode> a = NewElement(document.Get(), "a");
    RefPtr<XmlNode> b = NewElement(document.Get(), "b");
    root->InsertChild(a.Get(), -1);
    root->InsertChild(b.Get(), -1);

    // A child with a parent moves instead of sitting in two lists.
    EXPECT_EQ(a->InsertChild(b.Get(), -1), kStatusOk);
    EXPECT_EQ(ChildNames(root), "a");
    EXPECT_EQ(b->Parent(), a.Get());

    EXPECT_EQ(b->InsertChild(root, -1), kStatusInvalidArgument);  // would make a cycle
    EXPECT_EQ(b->InsertChild(b.Get(), -1), kStatusInvalidArgument);
    EXPECT_EQ(root->InsertChild(nullptr, -1), kStatusInvalidArgument);
    auto other = XmlDocument::Create();
    EXPECT_EQ(other->Root()->InsertChild(a.Get(), -1), kStatusInvalidArgument);
    RefPtr<XmlNode> text;
    document->CreateNode("ignored", XmlNode::kText, &text);
    EXPECT_STREQ(text->Name(), "");
    EXPECT_EQ(text->InsertChild(NewElement(document.Get(), "x").Get(), -1), kStatusInvalidArgument);

    EXPECT_EQ(root->RemoveChild(b.Get()), kStatusFalse);  // not a direct child
    EXPECT_EQ(a->RemoveChild(b.Get()), kStatusOk);
    EXPECT_EQ(b->Parent(), nullptr);
    EXPECT_EQ(a->RemoveChild(b.Get()), kStatusFalse);

    EXPECT_EQ(b->SetParent(root), kStatusOk);
    EXPECT_EQ(ChildNames(root), "a b");
    RefPtr<XmlNode> parent;
    EXPECT_EQ(b->GetParent(&parent), kStatusOk);
    EXPECT_EQ(parent.Get(), root);
    EXPECT_EQ(b->SetParent(nullptr), kStatusOk);
    EXPECT_EQ(b->GetParent(&parent), kStatusFalse);
    EXPECT_EQ(parent, nullptr);
    EXPECT_EQ(ChildNames(root), "a");
}

TEST(XmlNode, ChildListsAndLookup) {
    auto document = XmlDocument::Create();
    ASSERT_EQ(document->LoadFromBytes("<r><Object n=\"1\"/><other/><object n=\"2\"/>text</r>"), kStatusOk);
    XmlNode* root = document->Root();

    RefPtr<XmlNodeList> list;
    ASSERT_EQ(root->GetChildren("OBJECT", &list), kStatusOk);
    ASSERT_EQ(list->Count(), 2);
    Value n;
    list->Item(1)->GetAttribute("n", &n);
    EXPECT_EQ(n, Value::FromInteger(2));
    RefPtr<XmlNode> item;
    EXPECT_EQ(list->Item(2, &item), kStatusFalse);
    EXPECT_EQ(item, nullptr);
    EXPECT_EQ(list->Item(-1, &item), kStatusFalse);

    ASSERT_EQ(root->GetChildren(nullptr, &list), kStatusOk);
    int32_t count = 0;
    list->Count(&count);
    EXPECT_EQ(count, 4);
    ASSERT_EQ(root->GetChildren("none", &list), kStatusOk);
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->Item(0), nullptr);
    EXPECT_EQ(root->FirstChild()->GetChildren(nullptr, &list), kStatusFalse);
    EXPECT_EQ(list, nullptr);

    RefPtr<XmlNode> found;
    ASSERT_EQ(root->FindChild("OTHER", &found), kStatusOk);
    EXPECT_STREQ(found->Name(), "other");
    EXPECT_EQ(root->FindChild("nothing", &found), kStatusFalse);
    EXPECT_EQ(found, nullptr);
}

TEST(XmlNode, ChangesMarkTheDocumentDirty) {
    auto document = XmlDocument::Create();
    XmlNode* root = document->Root();
    RefPtr<XmlNode> child = NewElement(document.Get(), "c");
    EXPECT_FALSE(document->Dirty()) << "creating a detached node changes nothing";

    struct Change {
        const char* what;
        std::function<void()> apply;
        bool dirties;
    } changes[] = {
        {"same text", [&] { root->SetText(""); }, false},
        {"text", [&] { root->SetText("t"); }, true},
        {"same text again", [&] { root->SetText("t"); }, false},
        {"name", [&] { root->SetName("r"); }, true},
        {"attribute", [&] { root->SetAttribute("a", Value::FromInteger(1)); }, true},
        {"missing attribute", [&] { root->RemoveAttribute("zz"); }, false},
        {"attribute removed", [&] { root->RemoveAttribute("a"); }, true},
        {"child", [&] { root->InsertChild(child.Get(), -1); }, true},
        {"not a child", [&] { root->RemoveChild(root); }, false},
        {"child removed", [&] { root->RemoveChild(child.Get()); }, true},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        std::string ignored;
        ASSERT_EQ(document->SaveToBytes(&ignored, true), kStatusOk);
        ASSERT_FALSE(document->Dirty());
        change.apply();
        EXPECT_EQ(document->Dirty(), change.dirties);
    }

    std::string ignored;
    document->SaveToBytes(&ignored, false);
    EXPECT_TRUE(document->Dirty()) << "a save that does not ask keeps the flag";
}

TEST(XmlNode, NodeReferenceKeepsItsDocumentAlive) {
    RefPtr<XmlNode> kept;
    {
        auto document = XmlDocument::Create();
        ASSERT_EQ(document->LoadFromBytes("<r><c>text</c></r>"), kStatusOk);
        kept = RefPtr<XmlNode>(document->Root()->FirstChild());
        document->Root()->RemoveChild(kept.Get());
    }
    EXPECT_EQ(kept->TextView(), "text");
    EXPECT_STREQ(kept->Document()->Root()->Name(), "r");
    RefPtr<XmlNodeList> list;
    {
        auto document = XmlDocument::Create();
        ASSERT_EQ(document->LoadFromBytes("<r><c/><c/></r>"), kStatusOk);
        ASSERT_EQ(document->Root()->GetChildren("c", &list), kStatusOk);
    }
    EXPECT_STREQ(list->Item(1)->Name(), "c");
}

}  // namespace
}  // namespace quillet
