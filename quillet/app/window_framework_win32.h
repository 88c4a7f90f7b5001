// quillet's window framework on top of platform::BaseWindow: each window
// object also finds its handlers in a table of (message, handler) rows ended
// by a row with message -1, so that registered messages, whose numbers are
// only known at run time, sit in the same table as the system's. Every such
// window answers the registered "HVGetPtr(...)" message with itself, which is
// how the message-filter hook finds the windows of this process's framework.
#pragma once

#include <windows.h>

#include "platform/handles.h"

namespace quillet {

// The registered messages of quillet, looked up once at start
// (RegisterQuilletMessages) and read by every table built after that.
struct RegisteredMessages {
    UINT trayMessage = 0;  // "HV:TxTrayMsg": the tray icons' callback
    UINT newFile = 0;      // "HV:TxNewFile": a path handed over by the shell
    UINT notify = 0;       // "HV:Notify": between menu windows
    UINT getPointer = 0;   // "HVGetPtr(<module>)": the window's framework object
};
const RegisteredMessages& RegisterQuilletMessages(HINSTANCE instance);
// The messages registered at start (all zero before).
const RegisteredMessages& QuilletMessages();

// What the framework knows of each of its windows.
class FrameworkWindow {
public:
    // Offered keyboard messages before they are translated, by the
    // message-filter hook; true consumes the message.
    virtual bool PreTranslateMessage(const MSG&) { return false; }

protected:
    ~FrameworkWindow() = default;
};

// The framework object of a window of this process, or null for a window of
// another process or one outside the framework.
FrameworkWindow* FrameworkWindowOf(HWND window);

inline constexpr UINT kEndOfMessageTable = static_cast<UINT>(-1);

template <typename Derived>
struct MessageRow {
    UINT message;
    LRESULT (Derived::*handler)(WPARAM wParam, LPARAM lParam);
};

// Calls the handler of the first row for `message`; false when the table has
// none (and then the window's default handling follows).
template <typename Derived>
bool DispatchFromTable(Derived& window, const MessageRow<Derived>* rows, UINT message, WPARAM wParam,
                       LPARAM lParam, LRESULT* result) {
    for (const MessageRow<Derived>* row = rows; row->message != kEndOfMessageTable; ++row) {
        if (row->message == message && message != 0) {
            *result = (window.*(row->handler))(wParam, lParam);
            return true;
        }
    }
    return false;
}

// The thread's message-filter hook: keyboard messages of dialogs and menus
// running their own loops are offered to the framework windows from the
// message's window up through its parents. Installed by the application
// module for the life of the program.
class MessageFilterHook {
public:
    MessageFilterHook();
    ~MessageFilterHook();
    MessageFilterHook(const MessageFilterHook&) = delete;
    MessageFilterHook& operator=(const MessageFilterHook&) = delete;
    bool Installed() const { return static_cast<bool>(m_hook); }

private:
    platform::unique_hhook m_hook;
};

// True when a framework window consumed the keyboard message; what the hook
// does with each message, callable on its own for tests.
bool OfferToFrameworkWindows(const MSG& message);

}  // namespace quillet
