// Reading: the tolerant recovery rules, attribute typing, entities, the
// declaration and DOCTYPE checks, the depth limit and the NUL byte.
#include <gtest/gtest.h>

#include <string>

#include "quillet/document/xml_document.h"

namespace quillet {
namespace {

struct Loaded {
    RefPtr<XmlDocument> document = XmlDocument::Create();
    Status status = kStatusFail;
    XmlNode* root() const { return document->Root(); }
};

Loaded Load(std::string_view bytes) {
    Loaded loaded;
    loaded.status = loaded.document->LoadFromBytes(bytes);
    return loaded;
}

Value AttributeOf(const XmlNode* node, const char* name) {
    Value value;
    EXPECT_EQ(node->GetAttribute(name, &value), kStatusOk) << name;
    return value;
}

TEST(XmlReader, UnclosedElementIsDroppedWhenAnOuterEndTagArrives) {
    Loaded loaded = Load("<a><b><c/></a>");
    ASSERT_EQ(loaded.status, kStatusOk);
    EXPECT_STREQ(loaded.root()->Name(), "a");
    EXPECT_EQ(loaded.root()->FirstChild(), nullptr);
}

TEST(XmlReader, MismatchedEndTagTravelsUpUntilAnElementMatches) {
    Loaded loaded = Load("<a><keep/><b><c><d/></b><after/></a>");
    ASSERT_EQ(loaded.status, kStatusOk);
    XmlNode* a = loaded.root();
    ASSERT_EQ(a->ChildCount(), 3u);
    EXPECT_STREQ(a->FirstChild()->Name(), "keep");
    // </b> arrives inside c: c goes, with d, and the tag then closes b.
    XmlNode* b = a->FirstChild()->NextSibling();
    EXPECT_STREQ(b->Name(), "b");
    EXPECT_EQ(b->FirstChild(), nullptr);
    EXPECT_STREQ(a->LastChild()->Name(), "after");
}

TEST(XmlReader, EmptyEndTagClosesAnyElement) {
    Loaded loaded = Load("<a><b>x</></a>");
    ASSERT_EQ(loaded.status, kStatusOk);
    ASSERT_NE(loaded.root()->FirstChild(), nullptr);
    EXPECT_EQ(loaded.root()->FirstChild()->TextView(), "x");
}

TEST(XmlReader, EndTagNamesCompareWithCase) {
    // </A> does not close <a>; nothing above matches it, so the root fails.
    EXPECT_EQ(Load("<a>x</A>").status, kStatusFalse);
}

TEST(XmlReader, InputEndingInsideElementsCompletesThem) {
    Loaded loaded = Load("<a x=\"1\"><b>text<c y=\"2\"");
    ASSERT_EQ(loaded.status, kStatusOk);
    XmlNode* b = loaded.root()->FirstChild();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->TextView(), "text");
    ASSERT_NE(b->FirstChild(), nullptr);
    EXPECT_STREQ(b->FirstChild()->Name(), "c");
    EXPECT_EQ(AttributeOf(b->FirstChild(), "y"), Value::FromInteger(2));
}

TEST(XmlReader, TextAndChildrenInOrder) {
    Loaded loaded = Load("<a>head<b/>tail<c/>  </a>");
    ASSERT_EQ(loaded.status, kStatusOk);
    XmlNode* a = loaded.root();
    EXPECT_EQ(a->TextView(), "head");
    ASSERT_EQ(a->ChildCount(), 3u);
    XmlNode* tail = a->FirstChild()->NextSibling();
    EXPECT_EQ(tail->GetType(), XmlNode::kText);
    EXPECT_STREQ(tail->Name(), "");
    EXPECT_EQ(tail->TextView(), "tail");
    std::string deep;
    ASSERT_EQ(a->GetText(&deep, true), kStatusOk);
    EXPECT_EQ(deep, "headtail");
}

TEST(XmlReader, TextThatDecodesToNothingMakesNoNode) {
    Loaded loaded = Load("<a><b/>&foo;<c/>&#65;</a>");
    ASSERT_EQ(loaded.status, kStatusOk);
    std::string names;
    for (XmlNode* child = loaded.root()->FirstChild(); child; child = child->NextSibling())
        names += std::string(child->Name()) + ";";
    EXPECT_EQ(names, "b;c;");
    EXPECT_EQ(Load("&nothing;").status, kStatusFalse);
    EXPECT_EQ(Load("&a; &b;").status, kStatusFalse);
    loaded = Load("x &a;");
    ASSERT_EQ(loaded.status, kStatusOk);
    EXPECT_EQ(loaded.root()->TextView(), "x ");
}

TEST(XmlReader, TextDropsLineBreaksAndOuterBlanks) {
    struct Case {
        const char* input;
        const char* text;
    } cases[] = {
        {"<a>one\r\ntwo</a>", "onetwo"},      {"<a>one\ntwo</a>", "onetwo"},
        {"<a>one\rtwo</a>", "onetwo"},        {"<a> x </a>", "x"},
        {"<a>\r\n\t\tx y\t \r\n</a>", "x y"}, {"<a>a &amp; b</a>", "a & b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        Loaded loaded = Load(c.input);
        ASSERT_EQ(loaded.status, kStatusOk);
        EXPECT_EQ(loaded.root()->TextView(), c.text);
    }
}

TEST(XmlReader, AttributeTyping) {
    struct Case {
        const char* attribute;
        Value expected;
    } cases[] = {
        {"n=\"12\"", Value::FromInteger(12)},
        {"n=\"0x1F\"", Value::FromInteger(31)},
        {"n=\"0X1f\"", Value::FromInteger(31)},
        {"n=\"010\"", Value::FromInteger(8)},
        {"n=\"-1\"", Value::FromInteger(-1)},
        {"n=\"-5\"", Value::FromInteger(-5)},
        {"n=\"+7\"", Value::FromInteger(7)},
        {"n=\"4294967295\"", Value::FromInteger(-1)},
        {"n=\"99999999999\"", Value::FromInteger(-1)},
        {"n=\"0\"", Value::FromInteger(0)},
        {"n=\"1.0\"", Value::FromText("1.0")},
        {"n=\"12a\"", Value::FromText("12a")},
        {"n=\"08\"", Value::FromText("08")},
        {"n=\"0x\"", Value::FromText("0x")},
        {"n=\"12 \"", Value::FromText("12 ")},
        {"n=\"\"", Value::FromText("")},
        {"n=abc", Value::FromText("abc")},
        {"n=42", Value::FromInteger(42)},
        {"n=\"it's\"", Value::FromText("it's")},
        {"n='x'", Value::FromText("'x'")},
        {"n=\"&#49;\"", Value::FromText("")},
        {"n=\"a\r\nb\"", Value::FromText("a\nb")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attribute);
        Loaded loaded = Load(std::string("<e ") + c.attribute + "/>");
        ASSERT_EQ(loaded.status, kStatusOk);
        Value value = AttributeOf(loaded.root(), "n");
        EXPECT_EQ(value.Type(), c.expected.Type());
        EXPECT_EQ(value, c.expected) << value.ToText();
    }
}

TEST(XmlReader, AttributeSyntaxErrorsFailTheLoad) {
    const char* cases[] = {
        "<e n = \"1\"/>", "<e n= \"1\"/>", "<e =\"1\"/>", "<e n=/>", "<e n=>",
        "<e n=\"1/>",     "<e n>",         "<e n/>",      "<e/ x>",  "<?xml v=?>",
    };
    for (const char* input : cases) {
        SCOPED_TRACE(input);
        EXPECT_EQ(Load(input).status, kStatusFalse);
    }
}

TEST(XmlReader, AttributesAreUniqueWithoutRegardToCase) {
    Loaded loaded = Load("<e a=\"1\" b=\"2\" A=\"3\"/>");
    ASSERT_EQ(loaded.status, kStatusOk);
    std::string names;
    loaded.root()->GetAttributeNames(nullptr, &names);
    EXPECT_EQ(names, "a,b");
    EXPECT_EQ(AttributeOf(loaded.root(), "A"), Value::FromInteger(3));
}

TEST(XmlReader, UnquotedValuesEndAtTheClosingCharacter) {
    Loaded loaded = Load("<?pi a=x?><e b=y/>");
    ASSERT_EQ(loaded.status, kStatusOk);  // the ?pi node is the root
    EXPECT_STREQ(loaded.root()->Name(), "?pi");
    EXPECT_EQ(AttributeOf(loaded.root(), "a"), Value::FromText("x"));
    loaded = Load("<e b=y/>");
    ASSERT_EQ(loaded.status, kStatusOk);
    EXPECT_EQ(AttributeOf(loaded.root(), "b"), Value::FromText("y"));
}

TEST(XmlReader, EntityDecoding) {
    struct Case {
        const char* raw;
        const char* decoded;
    } cases[] = {
        {"a &amp; b &foo; &#65;", "a & b  "},
        {"&AMP;&Lt;&gT;&quot;&apos;", "&<>\"'"},
        {"&lt;&lt;", "<<"},
        {"x&;y", "xy"},
        {"&abcdefghi;z", "z"},    // a nine-letter name still ends at its ';'
        {"&abcdefghij;z", ";z"},  // too long: skip to the ';' and keep it
        {"a &amp b; c", "a  c"},
        // No ';' anywhere after the '&': the rest stays as it is.
        {"fish & chips", "fish & chips"},
        {"x &amp", "x &amp"},
        {"&", "&"},
        {"&lt; & more", "< & more"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.raw);
        Loaded loaded = Load(std::string("<e v=\"") + c.raw + "\">" + c.raw + "</e>");
        ASSERT_EQ(loaded.status, kStatusOk);
        EXPECT_EQ(AttributeOf(loaded.root(), "v"), Value::FromText(c.decoded));
        // Trailing blanks go before decoding, so decoded ones stay.
        EXPECT_EQ(loaded.root()->TextView(), c.decoded);
    }
}

TEST(XmlReader, DeclarationAndDoctype) {
    struct Case {
        const char* input;
        Status status;
        const char* rootName;
    } cases[] = {
        {"<?xml version=\"1.0\"?><y/>", kStatusOk, "y"},
        {"<?XML VERSION=\"1.0\"?><y/>", kStatusOk, "y"},
        {"<?xml?><y/>", kStatusOk, "y"},
        {"<?xml ?><y/>", kStatusOk, "y"},
        {"<?xml encoding=\"x\"?><y/>", kStatusOk, "y"},
        {"<?xml version=\"2.0\"?><y/>", kStatusFalse, nullptr},
        {"<?xml version=\"1\"?><y/>", kStatusFalse, nullptr},
        {"<?xml version=\"1.0\"?><!DOCTYPE x><y/>", kStatusFalse, nullptr},
        {"<?xml version=\"1.0\"?><!DOCTYPE y SYSTEM \"y.dtd\"><y/>", kStatusOk, "y"},
        {"<!DOCTYPE y><Y/>", kStatusFalse, nullptr},
        {"<!-- note --><!DOCTYPE y><!-- more --><y/>", kStatusOk, "y"},
        {"<?xml version=\"1.0\"?>", kStatusFalse, nullptr},
        {"", kStatusFalse, nullptr},
        {"   \r\n", kStatusFalse, nullptr},
        {"</y>", kStatusFalse, nullptr},
        {"<y/><z/>", kStatusOk, "y"},  // nothing after the root is read
        {"<y/>garbage <<<", kStatusOk, "y"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        Loaded loaded = Load(c.input);
        EXPECT_EQ(loaded.status, c.status);
        if (c.rootName) {
            ASSERT_NE(loaded.root(), nullptr);
            EXPECT_STREQ(loaded.root()->Name(), c.rootName);
        } else {
            EXPECT_EQ(loaded.root(), nullptr);
            std::string name = "unchanged";
            loaded.document->GetRootName(&name);
            EXPECT_EQ(name, "");
        }
    }
}

// Hands the input over one byte per read.
class TrickleReadStream : public ByteStream {
public:
    explicit TrickleReadStream(std::string_view bytes) : m_bytes(bytes) {}
    Status Read(void* buffer, uint32_t size, uint32_t* bytesRead) override {
        *bytesRead = 0;
        if (m_bytes.empty() || size == 0) return kStatusOk;
        *static_cast<char*>(buffer) = m_bytes.front();
        m_bytes.remove_prefix(1);
        *bytesRead = 1;
        return kStatusOk;
    }
    Status Write(const void*, uint32_t) override { return kStatusFail; }

private:
    std::string_view m_bytes;
};

TEST(XmlReader, AByteOrderMarkIsSkippedOnlyAtTheVeryStart) {
    const std::string mark = "\xEF\xBB\xBF";
    struct Case {
        std::string input;
        Status status;
        int32_t rootType;
        std::string rootName;  // or the text of a Text root
    } cases[] = {
        {mark + "<y a=\"1\"/>", kStatusOk, XmlNode::kElement, "y"},
        {mark + "<?xml version=\"1.0\"?>\r\n<y/>", kStatusOk, XmlNode::kElement, "y"},
        {mark + "<?xml version=\"2.0\"?><y/>", kStatusFalse, 0, ""},
        {mark, kStatusFalse, 0, ""},
        {"\xEF\xBB", kStatusOk, XmlNode::kText, "\xEF\xBB"},
        // Anywhere else the reading rules are unchanged: the bytes are text.
        {" " + mark + "<y/>", kStatusOk, XmlNode::kText, mark},
        {mark + mark + "<y/>", kStatusOk, XmlNode::kText, mark},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.input));
        for (bool trickle : {false, true}) {
            auto document = XmlDocument::Create();
            TrickleReadStream trickled(c.input);
            Status status = trickle ? document->Load(trickled) : document->LoadFromBytes(c.input);
            EXPECT_EQ(status, c.status) << "trickled: " << trickle;
            if (c.status != kStatusOk) continue;
            ASSERT_NE(document->Root(), nullptr);
            EXPECT_EQ(document->Root()->GetType(), c.rootType);
            if (c.rootType == XmlNode::kElement) {
                EXPECT_EQ(document->Root()->Name(), c.rootName);
            } else {
                std::string text;
                document->Root()->GetText(&text, false);
                EXPECT_EQ(text, c.rootName);
            }
        }
    }
}

TEST(XmlReader, CommentsAndOtherMarkup) {
    Loaded loaded = Load("<r><!-- a comment --><!--tight--><![CDATA[ <raw> & ]] ] ]]><!ENTITY  x  y  ></r>");
    ASSERT_EQ(loaded.status, kStatusOk);
    XmlNode* node = loaded.root()->FirstChild();
    ASSERT_NE(node, nullptr);
    EXPECT_STREQ(node->Name(), "!--");
    EXPECT_EQ(node->TextView(), "a comment");
    node = node->NextSibling();
    EXPECT_STREQ(node->Name(), "!--tight--");
    EXPECT_EQ(node->TextView(), "");
    node = node->NextSibling();
    EXPECT_STREQ(node->Name(), "![CDATA[");
    EXPECT_EQ(node->TextView(), " <raw> & ]] ] ");
    node = node->NextSibling();
    EXPECT_STREQ(node->Name(), "!ENTITY");
    EXPECT_EQ(node->TextView(), "x  y");
    EXPECT_EQ(node->NextSibling(), nullptr);
}

TEST(XmlReader, BrokenMarkupFailsTheLoad) {
    const char* cases[] = {
        "<r><!-- a-b --></r>",     // a comment cannot hold a single '-'
        "<r><!-- a --x></r>",      //
        "<r><!-- unterminated",    //
        "<r><![CDATA[ no end ]]",  //
        "<r></r x>",               // an end tag must close right after its name
    };
    for (const char* input : cases) {
        SCOPED_TRACE(input);
        EXPECT_EQ(Load(input).status, kStatusFalse);
    }
}

TEST(XmlReader, NulByteFailsTheLoad) {
    using namespace std::string_literals;
    const std::string cases[] = {
        "<a>te\0xt</a>"s, "<a><!-- x\0 --></a>"s, "<a>\0</a>"s, "<a b=\"\0\"/>"s,
        "<a\0/>"s,        "<!DOCTYPE a\0><a/>"s,  "<a><b/>\0"s, "<a><![CDATA[\0]]></a>"s,
    };
    for (const std::string& input : cases) {
        SCOPED_TRACE(testing::PrintToString(input));
        Loaded loaded = Load(input);
        EXPECT_EQ(loaded.status, kStatusFalse);
        EXPECT_EQ(loaded.root(), nullptr);
    }
    // After the root nothing more is read, so a NUL there does not matter.
    EXPECT_EQ(Load("<a/>\0"s).status, kStatusOk);
    EXPECT_EQ(Load("<a>x</a>\0\0"s).status, kStatusOk);
}

std::string Nested(int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "<n>";
    for (int i = 0; i < depth; ++i) text += "</n>";
    return text;
}

TEST(XmlReader, NestingDepthIsBounded) {
    EXPECT_EQ(Load(Nested(kXmlMaxDepth)).status, kStatusOk);
    EXPECT_EQ(Load(Nested(kXmlMaxDepth + 1)).status, kStatusFalse);
    std::string unclosed;
    for (int i = 0; i < 100000; ++i) unclosed += "<n>";
    EXPECT_EQ(Load(unclosed).status, kStatusFalse);
}

TEST(XmlReader, LongRunsCrossTheReadBuffer) {
    std::string longText(10000, 'x');
    std::string longName(5000, 'n');
    std::string input =
        "<" + longName + " v=\"" + longText + "\">\r\n" + longText + "\r\n" + longText + "</" + longName + ">";
    Loaded loaded = Load(input);
    ASSERT_EQ(loaded.status, kStatusOk);
    EXPECT_EQ(loaded.root()->Name(), longName);
    EXPECT_EQ(AttributeOf(loaded.root(), "v"), Value::FromText(longText));
    EXPECT_EQ(loaded.root()->TextView(), longText + longText);
}

TEST(XmlReader, CrLfSplitAcrossBuffersIsOneLineEnd) {
    // The CR is the last byte of the first 4096-byte read.
    std::string input = "<a v=\"" + std::string(4096 - 7, 'x') + "\r\ny\"/>";
    ASSERT_EQ(input[4095], '\r');
    Loaded loaded = Load(input);
    ASSERT_EQ(loaded.status, kStatusOk);
    EXPECT_EQ(AttributeOf(loaded.root(), "v").TextView(), std::string(4096 - 7, 'x') + "\ny");
}

class FailingReadStream : public ByteStream {
public:
    explicit FailingReadStream(std::string_view bytes) : m_bytes(bytes) {}
    Status Read(void* buffer, uint32_t size, uint32_t* bytesRead) override {
        if (m_served) return kStatusReadFault;
        m_served = true;
        uint32_t count = std::min<uint32_t>(size, static_cast<uint32_t>(m_bytes.size()));
        std::copy(m_bytes.begin(), m_bytes.begin() + count, static_cast<char*>(buffer));
        *bytesRead = count;
        return kStatusOk;
    }
    Status Write(const void*, uint32_t) override { return kStatusFail; }

private:
    std::string_view m_bytes;
    bool m_served = false;
};

TEST(XmlReader, BrokenStreamIsNotASuccessfulLoad) {
    auto document = XmlDocument::Create();
    FailingReadStream broken("<a><b>cut off here");
    EXPECT_EQ(document->Load(broken), kStatusReadFault);
    EXPECT_EQ(document->Root(), nullptr);

    FailingReadStream complete("<a/>");
    EXPECT_EQ(document->Load(complete), kStatusOk);
}

TEST(XmlReader, LoadClearsDirtyAndReplacesTheTree) {
    auto document = XmlDocument::Create();
    document->Root()->SetText("changed");
    ASSERT_TRUE(document->Dirty());
    ASSERT_EQ(document->LoadFromBytes("<fresh/>"), kStatusOk);
    EXPECT_FALSE(document->Dirty());
    EXPECT_EQ(document->IsDirty(), kStatusFalse);
    EXPECT_STREQ(document->Root()->Name(), "fresh");
}

}  // namespace
}  // namespace quillet
