// A stand-in for the shell's taskbar in the test's own process: it records
// every Shell_NotifyIcon call that any program makes while it is up.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/window_base.h"

namespace test_support {

// Wine's shell32 hands each Shell_NotifyIcon call to the first "Shell_TrayWnd"
// window as WM_COPYDATA; created topmost and last, this one is found first
// (check that FindWindow finds Window()). It accepts every call. The calling
// program waits inside Shell_NotifyIcon until this thread handles the message:
// WaitUntil dispatches while it polls.
class FakeTaskbar : public platform::BaseWindow<FakeTaskbar> {
public:
    // One call as the taskbar saw it. The record's size is not among them:
    // shell32 converts every record, whatever its size, before handing it on.
    struct Call {
        DWORD message;  // NIM_ADD, NIM_MODIFY, NIM_DELETE
        HWND owner;
        UINT id;
        UINT flags;
        UINT callback;
        std::string tip;
    };

    FakeTaskbar();
    ~FakeTaskbar();

    const std::vector<Call>& Calls() const { return m_calls; }

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    LRESULT OnCopyData(const COPYDATASTRUCT& data);

    std::vector<Call> m_calls;
};

}  // namespace test_support
