#include "quillet/ui/message_layout.h"

#include <gtest/gtest.h>

#include <string>

namespace quillet {
namespace {

std::string Text(const char* text) {
    return text ? text : "(resource)";
}

TEST(DecideMessageLayout, ButtonsTextsAndAnswersFollowTheButtonKind) {
    const struct {
        uint32_t style;
        bool lone;
        const char* first;
        const char* second;
        int firstAnswer, secondAnswer, closeAnswer, defaultButton;
    } cases[] = {
        {0x00, true, nullptr, nullptr, kAnswerOk, kAnswerCancel, kAnswerOk, 1},
        {0x01, false, nullptr, nullptr, kAnswerOk, kAnswerCancel, kAnswerCancel, 1},
        {0x04, false, "$btnYes", "$btnNo", kAnswerYes, kAnswerNo, kAnswerNo, 1},
        // 292: the question before an item is removed, No as default.
        {0x124, false, "$btnYes", "$btnNo", kAnswerYes, kAnswerNo, kAnswerNo, 2},
        {0x101, false, nullptr, nullptr, kAnswerOk, kAnswerCancel, kAnswerCancel, 2},
        // A lone button is always the default.
        {0x100, true, nullptr, nullptr, kAnswerOk, kAnswerCancel, kAnswerOk, 1},
        // Kinds the dialog has no buttons for: the lone OK.
        {0x02, true, nullptr, nullptr, kAnswerOk, kAnswerCancel, kAnswerOk, 1},
        {0x03, true, nullptr, nullptr, kAnswerOk, kAnswerCancel, kAnswerOk, 1},
        {0x05, true, nullptr, nullptr, kAnswerOk, kAnswerCancel, kAnswerOk, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        const MessageLayout layout = DecideMessageLayout(c.style);
        EXPECT_EQ(c.lone, layout.loneButton);
        EXPECT_EQ(Text(c.first), Text(layout.firstText));
        EXPECT_EQ(Text(c.second), Text(layout.secondText));
        EXPECT_EQ(c.firstAnswer, layout.firstAnswer);
        EXPECT_EQ(c.secondAnswer, layout.secondAnswer);
        EXPECT_EQ(c.closeAnswer, layout.closeAnswer);
        EXPECT_EQ(c.defaultButton, layout.defaultButton);
        EXPECT_NE(kAnswerYes, layout.closeAnswer) << "closing is never Yes";
    }
}

TEST(DecideMessageLayout, IconFollowsBitsFourToSeven) {
    const struct {
        uint32_t style;
        MessageIcon icon;
    } cases[] = {
        {0x00, MessageIcon::Information}, {0x10, MessageIcon::Stop},
        {0x20, MessageIcon::Question},    {0x30, MessageIcon::Exclamation},
        {0x40, MessageIcon::Information}, {0x70, MessageIcon::Information},
        {0x24, MessageIcon::Question},    {0x131, MessageIcon::Exclamation},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        EXPECT_EQ(c.icon, DecideMessageLayout(c.style).icon);
    }
}

TEST(MessageGrowth, GrowsForALongTextButNeverShrinksNorPassesTheScreen) {
    EXPECT_EQ(0, MessageGrowth(20, 40, 600));
    EXPECT_EQ(0, MessageGrowth(40, 40, 600));
    EXPECT_EQ(60, MessageGrowth(100, 40, 600));
    EXPECT_EQ(600, MessageGrowth(5000, 40, 600));
    EXPECT_EQ(0, MessageGrowth(5000, 40, -10));
}

}  // namespace
}  // namespace quillet
