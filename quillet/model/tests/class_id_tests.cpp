#include <gtest/gtest.h>

#include "quillet/model/class_id.h"

namespace quillet {
namespace {

TEST(ClassIdTest, BuiltInClassesHaveTheirFixedTextForm) {
    struct Case {
        const Guid* id;
        const char* text;
    } cases[] = {
        {&kClassIconSetRoot, "{7FF48766-F53B-11D1-B9CA-006008536FD9}"},
        {&kClassStandardTrayIcon, "{7FF48765-F53B-11D1-B9CA-006008536FD9}"},
        {&kClassFolder, "{DC83F3D0-F4B8-11D1-B9C9-006008536FD9}"},
        {&kClassSeparator, "{DC83F3D1-F4B8-11D1-B9C9-006008536FD9}"},
        {&kClassColumnSeparator, "{3C66A7F8-3333-11D2-BA7A-006008536FD9}"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ClassIdToText(*c.id), c.text);
        std::optional<Guid> parsed = ClassIdFromText(c.text);
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(*parsed, *c.id);
    }
}

TEST(ClassIdTest, TextFormPadsWithZerosAndReadsEitherCase) {
    Guid id{0x1, 0x2, 0x3, {0, 1, 2, 3, 4, 5, 6, 0xAB}};
    EXPECT_EQ(ClassIdToText(id), "{00000001-0002-0003-0001-0203040506AB}");
    std::optional<Guid> lower = ClassIdFromText("{00000001-0002-0003-0001-0203040506ab}");
    ASSERT_TRUE(lower.has_value());
    EXPECT_EQ(*lower, id);
}

TEST(ClassIdTest, AnythingButTheExactFormIsRefused) {
    const char* bad[] = {
        "",
        "{}",
        "7FF48765-F53B-11D1-B9CA-006008536FD9",
        "{7FF48765-F53B-11D1-B9CA-006008536FD9",
        "{7FF48765-F53B-11D1-B9CA-006008536FD9} ",
        " {7FF48765-F53B-11D1-B9CA-006008536FD9}",
        "{7FF48765F53B-11D1-B9CA-006008536FD9}",
        "{7FF48765-F53B-11D1-B9CA006008536FD9}",
        "{7FF48765-F53B-11D1-B9CA-006008536FD}",
        "{7FF48765-F53B-11D1-B9CA-006008536FD9A}",
        "{7FF4876G-F53B-11D1-B9CA-006008536FD9}",
        "{+FF48765-F53B-11D1-B9CA-006008536FD9}",
    };
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ClassIdFromText(text).has_value());
    }
}

}  // namespace
}  // namespace quillet
