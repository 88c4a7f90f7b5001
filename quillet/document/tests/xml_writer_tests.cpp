// Writing: the exact layout, entity encoding, round trips through bytes and
// files, and write failures.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "quillet/document/xml_document.h"

namespace quillet {
namespace {

RefPtr<XmlNode> AddChild(XmlNode* parent, std::string_view name, int32_t type = XmlNode::kElement) {
    RefPtr<XmlNode> child;
    EXPECT_EQ(parent->Document()->CreateNode(name, type, &child), kStatusOk);
    EXPECT_EQ(parent->InsertChild(child.Get(), -1), kStatusOk);
    return child;
}

std::string Saved(XmlDocument* document) {
    std::string bytes;
    EXPECT_EQ(document->SaveToBytes(&bytes, true), kStatusOk);
    return bytes;
}

TEST(XmlWriter, LaysOutASmallDocumentExactly) {
    auto document = XmlDocument::Create();
    XmlNode* root = document->Root();
    root->SetName("trayicon");
    root->SetAttribute("app", Value::FromText("Tray & more"));
    root->SetAttribute("version", Value::FromInteger(-12));
    root->SetAttribute("flag", Value::FromBoolean(true));
    root->SetAttribute("none", Value());
    AddChild(root, "factoryset");
    AddChild(root, "iconset")->SetText("hello");
    RefPtr<XmlNode> contents = AddChild(root, "contents");
    RefPtr<XmlNode> object = AddChild(contents.Get(), "object");
    object->SetAttribute("class", Value::FromText("{X}"));
    object->SetAttribute("title", Value::FromText("say \"hi\" 'now'"));
    AddChild(object.Get(), "", XmlNode::kText)->SetText("tail <x>");
    AddChild(root, "!--")->SetText("note");
    AddChild(root, "!--");
    AddChild(root, "![CDATA[")->SetText("a<b & c");
    RefPtr<XmlNode> pi = AddChild(root, "?pi");
    pi->SetAttribute("dropped", Value::FromInteger(1));
    AddChild(root, "!DOCTYPE")->SetText("x y");

    const std::string expected =
        "<?xml version=\"1.0\"?>\r\n"
        "\r\n"
        "<trayicon app=\"Tray &amp; more\" version=\"-12\" flag=\"1\" none=\"\">\r\n"
        "\t<factoryset/>\r\n"
        "\t<iconset>hello</iconset>\r\n"
        "\t<contents>\r\n"
        "\t\t<object class=\"{X}\" title=\"say &quot;hi&quot; &apos;now&apos;\">\r\n"
        "\t\t\ttail &lt;x&gt;\r\n"
        "\t\t</object>\r\n"
        "\t</contents>\r\n"
        "\t<!-- note -->\r\n"
        "\t<!-- -->\r\n"
        "\t<![CDATA[a<b & c]]>\r\n"
        "\t<?pi?>\r\n"
        "\t<!DOCTYPE x y>\r\n"
        "</trayicon>\r\n";
    EXPECT_EQ(Saved(document.Get()), expected);

    // Reading it back keeps every node; the Text child becomes the object's
    // own text, and the ?pi node keeps its place among its siblings.
    auto reread = XmlDocument::Create();
    ASSERT_EQ(reread->LoadFromBytes(expected), kStatusOk);
    std::string saved = Saved(reread.Get());
    EXPECT_NE(saved.find("\t\t<object class=\"{X}\" title=\"say &quot;hi&quot; &apos;now&apos;\">"
                         "tail &lt;x&gt;</object>\r\n"),
              std::string::npos);
    EXPECT_NE(saved.find("\t<?pi?>\r\n\t<!DOCTYPE x y>\r\n</trayicon>\r\n"), std::string::npos) << saved;
}

TEST(XmlWriter, OnlyTheExactCDataNameIsLaidOutAsCData) {
    // The reader knows a CDATA section by its exact name; a markup node whose
    // name differs in case is written as ordinary markup so that it reads back
    // the same instead of gaining "]]" with every save.
    const std::string input = "<r><![CdATA[/></r>";
    std::string saved = input;
    for (int pass = 0; pass < 3; ++pass) {
        SCOPED_TRACE(pass);
        auto document = XmlDocument::Create();
        ASSERT_EQ(document->LoadFromBytes(saved), kStatusOk);
        saved = Saved(document.Get());
        EXPECT_EQ(saved, "<?xml version=\"1.0\"?>\r\n\r\n<r>\r\n\t<![CdATA[ />\r\n</r>\r\n");
    }
}

TEST(XmlWriter, EmptyRootAndTextOnlyElements) {
    auto document = XmlDocument::Create();
    EXPECT_EQ(Saved(document.Get()), "<?xml version=\"1.0\"?>\r\n\r\n<document/>\r\n");
    document->Root()->SetAttribute("a", Value::FromText("v"));
    EXPECT_EQ(Saved(document.Get()), "<?xml version=\"1.0\"?>\r\n\r\n<document a=\"v\"/>\r\n");
    document->Root()->SetText("text");
    EXPECT_EQ(Saved(document.Get()), "<?xml version=\"1.0\"?>\r\n\r\n<document a=\"v\">text</document>\r\n");
}

TEST(XmlWriter, AttributeTextRoundTripsThroughEntities) {
    const char* texts[] = {
        "say \"hi\"", "fish & chips",    "a<b>c",
        "it's",       "&amp; literally", "&",
        ";&;",        "x &foo; y",       "C:\\Tools\\run.cmd \"%1\"",
        "tab\there",
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        auto document = XmlDocument::Create();
        document->Root()->SetAttribute("v", Value::FromText(text));
        document->Root()->SetText(text);
        auto reread = XmlDocument::Create();
        ASSERT_EQ(reread->LoadFromBytes(Saved(document.Get())), kStatusOk);
        Value value;
        ASSERT_EQ(reread->Root()->GetAttribute("v", &value), kStatusOk);
        EXPECT_EQ(value, Value::FromText(text));
        EXPECT_EQ(reread->Root()->TextView(), text);
    }
}

TEST(XmlWriter, CommentWithoutBlankRoundTripsAsItsOwnName) {
    const std::string input = "<r><!--tight--></r>";
    auto document = XmlDocument::Create();
    ASSERT_EQ(document->LoadFromBytes(input), kStatusOk);
    EXPECT_EQ(Saved(document.Get()), "<?xml version=\"1.0\"?>\r\n\r\n<r>\r\n\t<!--tight-->\r\n</r>\r\n");
}

TEST(XmlWriter, LoadSaveRoundTripIsStable) {
    const std::string input =
        "<?xml version=\"1.0\"?>\n<!DOCTYPE trayicon>\n<!-- kept out -->\n"
        "<trayicon app=\"Tray\" version=\"1.0\">\n"
        "  <factoryset>\n"
        "    <factory class=\"{DC83F3D0-F4B8-11D1-B9C9-006008536FD9}\" title=\"Folder &amp; more\">\n"
        "      <propertyset><property tag=\"1001\" data=\"0x20\"/><property tag=1002 data=C:\\x/>"
        "</propertyset>\n"
        "    </factory>\n"
        "  </factoryset>\n"
        "  <iconset>\n    <contents>\n      <object class=\"{A}\"/>\n      <object title=\"-1\">text "
        "&lt;here&gt;<![CDATA[raw]]></object>\n    </contents>\n  </iconset>\n"
        "</trayicon>\n";
    auto first = XmlDocument::Create();
    ASSERT_EQ(first->LoadFromBytes(input), kStatusOk);
    std::string once = Saved(first.Get());
    auto second = XmlDocument::Create();
    ASSERT_EQ(second->LoadFromBytes(once), kStatusOk);
    EXPECT_EQ(Saved(second.Get()), once);
    EXPECT_NE(once.find("<property tag=\"1001\" data=\"32\"/>"), std::string::npos) << once;
    EXPECT_EQ(once.find("kept out"), std::string::npos);
}

TEST(XmlWriter, DeepTreeBuiltInMemoryIsWalkedWithoutRecursion) {
    auto document = XmlDocument::Create();
    XmlNode* node = document->Root();
    for (int i = 0; i < 200000; ++i) {
        RefPtr<XmlNode> child = AddChild(node, "n");
        child->SetText("x");
        node = child.Get();
    }
    std::string deep;
    ASSERT_EQ(document->Root()->GetText(&deep, true), kStatusOk);
    EXPECT_EQ(deep, std::string(200000, 'x'));
    // Nothing deeper than the reader accepts is written: such a file would
    // not load again.
    std::string bytes = "unchanged";
    EXPECT_EQ(document->SaveToBytes(&bytes, false), kStatusCantSave);
    EXPECT_EQ(bytes, "");
}

TEST(XmlWriter, WhatTheWriterWritesTheReaderReads) {
    auto document = XmlDocument::Create();
    XmlNode* node = document->Root();
    for (int depth = 1; depth < kXmlMaxDepth; ++depth) node = AddChild(node, "n").Get();
    node->SetText("text below the deepest element");
    std::string bytes;
    ASSERT_EQ(document->SaveToBytes(&bytes, false), kStatusOk);
    auto reread = XmlDocument::Create();
    EXPECT_EQ(reread->LoadFromBytes(bytes), kStatusOk);
    EXPECT_EQ(Saved(reread.Get()), bytes);

    // One element more is refused before anything is written.
    AddChild(node, "n");
    EXPECT_EQ(document->SaveToBytes(&bytes, false), kStatusCantSave);
    EXPECT_EQ(bytes, "");
}

class BrokenWriteStream : public ByteStream {
public:
    Status Read(void*, uint32_t, uint32_t* bytesRead) override {
        *bytesRead = 0;
        return kStatusOk;
    }
    Status Write(const void*, uint32_t size) override {
        ++writes;
        if (writes > 1) return kStatusFail;
        accepted += size;
        return kStatusOk;
    }
    int writes = 0;
    size_t accepted = 0;
};

TEST(XmlWriter, FailedWriteReportsCantSaveAndDropsTheRest) {
    auto document = XmlDocument::Create();
    for (int i = 0; i < 2000; ++i) AddChild(document->Root(), "child")->SetText("some text");
    BrokenWriteStream stream;
    EXPECT_EQ(document->Save(stream, true), kStatusCantSave);
    EXPECT_EQ(stream.writes, 2);
    EXPECT_EQ(stream.accepted, 4096u);
    EXPECT_TRUE(document->Dirty());
}

TEST(XmlWriter, FilesRoundTrip) {
    std::string path = testing::TempDir() + "xml_writer_files_round_trip.xml";
    auto document = XmlDocument::Create();
    document->Root()->SetName("trayicon");
    AddChild(document->Root(), "iconset")->SetAttribute("n", Value::FromInteger(7));
    ASSERT_EQ(document->SaveToFile(path.c_str(), true), kStatusOk);
    EXPECT_FALSE(document->Dirty());

    auto reread = XmlDocument::Create();
    ASSERT_EQ(reread->LoadFromFile(path.c_str()), kStatusOk);
    EXPECT_EQ(Saved(reread.Get()), Saved(document.Get()));
    std::remove(path.c_str());

    EXPECT_EQ(reread->LoadFromFile(path.c_str()), kStatusFileNotFound);
    std::string unwritable = testing::TempDir() + "no such folder/x.xml";
    EXPECT_EQ(document->SaveToFile(unwritable.c_str(), true), kStatusCantSave);
}

}  // namespace
}  // namespace quillet
