// A thread of its own for the pages under test, as a modal sheet or dialog
// of the program would block the thread that opened it: the test asks that
// thread to run things and reads and clicks the windows from its own.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace quillet {

class UiThread {
public:
    UiThread();
    // Closes whatever dialogs are still open on the thread, then ends it.
    ~UiThread();
    UiThread(const UiThread&) = delete;
    UiThread& operator=(const UiThread&) = delete;

    DWORD Id() const { return m_threadId; }
    // Runs `work` on the thread and waits for it. Also while the thread is
    // inside a modal loop (a sheet), since the request is sent to a window.
    void Call(const std::function<void()>& work);
    // Starts `work` on the thread without waiting: for what opens a modal
    // dialog. Done() tells when the last such work has returned.
    void Post(std::function<void()> work);
    bool Done() const { return m_posted.load() == m_finished.load(); }
    bool WaitUntilDone();

    // The thread's dialog (class "#32770") that holds a control with
    // `controlId`, waited for until visible; null if none came.
    HWND WaitForDialogWith(int controlId);
    // The window that has the thread's keyboard focus now.
    HWND Focus() const;
    HWND Capture() const;

private:
    static LRESULT CALLBACK HelperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Loop();

    std::atomic<DWORD> m_threadId{0};
    std::atomic<HWND> m_helper{nullptr};
    std::atomic<int> m_posted{0};
    std::atomic<int> m_finished{0};
    std::thread m_thread;
};

// A control's text, read from the test's thread.
std::string ControlText(HWND control);

}  // namespace quillet
