// How the message dialog is laid out for a request in MessageBox style form:
// which buttons show and say what, which is the default, the icon, and what
// each way of closing the dialog answers. Portable: no <windows.h>, so the
// MessageBox values it reads are restated here.
#pragma once

#include <cstdint>

namespace quillet {

constexpr uint32_t kMessageOk = 0;
constexpr uint32_t kMessageOkCancel = 1;
constexpr uint32_t kMessageYesNo = 4;
constexpr uint32_t kMessageIconStop = 16;
constexpr uint32_t kMessageIconQuestion = 32;
constexpr uint32_t kMessageIconExclamation = 48;
constexpr uint32_t kMessageDefaultSecond = 0x100;

constexpr int kAnswerOk = 1;
constexpr int kAnswerCancel = 2;
constexpr int kAnswerYes = 6;
constexpr int kAnswerNo = 7;

enum class MessageIcon { Stop, Question, Exclamation, Information };

struct MessageLayout {
    // Only the first button, moved to the lone button's place.
    bool loneButton = false;
    // Texts (with `$`) to put on the buttons; null keeps the resource's.
    const char* firstText = nullptr;
    const char* secondText = nullptr;
    // What each button answers, and what closing the dialog any other way
    // (Escape, the close box) answers: never Yes.
    int firstAnswer = kAnswerOk;
    int secondAnswer = kAnswerCancel;
    int closeAnswer = kAnswerCancel;
    // 1 or 2: the button that has the focus and takes Enter.
    int defaultButton = 1;
    MessageIcon icon = MessageIcon::Information;
};

// Button kinds other than OK/Cancel and Yes/No show the lone OK button.
MessageLayout DecideMessageLayout(uint32_t style);

// How much taller the dialog must grow for a text of `textHeight` pixels in
// a text field `fieldHeight` high: never negative, and capped so that the
// dialog stays within `maxGrowth` (a screen's worth).
int MessageGrowth(int textHeight, int fieldHeight, int maxGrowth);

}  // namespace quillet
