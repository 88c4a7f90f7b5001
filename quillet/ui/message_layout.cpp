#include "quillet/ui/message_layout.h"

#include <algorithm>

namespace quillet {

MessageLayout DecideMessageLayout(uint32_t style) {
    MessageLayout layout;
    switch (style & 0x0F) {
    case kMessageOkCancel: break;
    case kMessageYesNo:
        layout.firstText = "$btnYes";
        layout.secondText = "$btnNo";
        layout.firstAnswer = kAnswerYes;
        layout.secondAnswer = kAnswerNo;
        layout.closeAnswer = kAnswerNo;
        break;
    default:
        layout.loneButton = true;
        // A box with only OK answers OK however it is closed, as MessageBox does.
        layout.closeAnswer = kAnswerOk;
        break;
    }
    if (!layout.loneButton && (style & 0xF00) == kMessageDefaultSecond) layout.defaultButton = 2;
    switch (style & 0xF0) {
    case kMessageIconStop: layout.icon = MessageIcon::Stop; break;
    case kMessageIconQuestion: layout.icon = MessageIcon::Question; break;
    case kMessageIconExclamation: layout.icon = MessageIcon::Exclamation; break;
    default: layout.icon = MessageIcon::Information; break;
    }
    return layout;
}

int MessageGrowth(int textHeight, int fieldHeight, int maxGrowth) {
    return std::clamp(textHeight - fieldHeight, 0, std::max(0, maxGrowth));
}

}  // namespace quillet
