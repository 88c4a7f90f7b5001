// Runs a property sheet or wizard on a thread of its own, as the modal loop
// of the program would block, and finds its windows for the test's thread.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

#include "quillet/ui/ui_resource_ids.h"
#include "test_support/win_test_support.h"

namespace quillet {

class SheetRun {
public:
    explicit SheetRun(std::function<bool()> show)
        : m_thread([this, show = std::move(show)] {
              m_threadId = GetCurrentThreadId();
              m_result = show();
              m_done = true;
          }) {}
    ~SheetRun() {
        // A failed test may leave its windows up: cancel them so the thread ends.
        test_support::WaitUntil([&] {
            if (HWND window = TopDialog()) PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
            return m_done.load();
        });
        m_thread.join();
    }

    // The thread's visible dialog with this caption (any caption if empty).
    HWND WaitForWindow(const std::string& caption = std::string()) {
        HWND found = nullptr;
        test_support::WaitUntil([&] {
            found = FindWindowOfThread(caption);
            return found && IsWindowVisible(found);
        });
        return found;
    }
    // The dialog on top: a message over the sheet, else the sheet.
    HWND TopDialog() const { return FindWindowOfThread(std::string()); }

    bool WaitForEnd() {
        return test_support::WaitUntil([&] { return m_done.load(); });
    }
    bool Result() const { return m_result; }
    DWORD ThreadId() const { return m_threadId; }

    // The window that has the keyboard focus in the sheet's thread.
    HWND Focus() const {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(m_threadId, &info) ? info.hwndFocus : nullptr;
    }

private:
    struct Search {
        const std::string* caption;
        HWND found;
    };
    static BOOL CALLBACK Take(HWND window, LPARAM data) {
        auto* search = reinterpret_cast<Search*>(data);
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (lstrcmpA(name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
        char text[512] = {};
        GetWindowTextA(window, text, sizeof text);
        if (!search->caption->empty() && *search->caption != text) return TRUE;
        // Windows are enumerated top first: the first match is the one on top.
        search->found = window;
        return FALSE;
    }
    HWND FindWindowOfThread(const std::string& caption) const {
        if (!m_threadId) return nullptr;
        Search search{&caption, nullptr};
        EnumThreadWindows(m_threadId, Take, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    std::atomic<DWORD> m_threadId{0};
    std::atomic<bool> m_result{false};
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

inline std::string TextOf(HWND window) {
    char text[4096] = {};
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// Presses a sheet's button the way the user would, from another thread.
inline void PressSheetButton(HWND sheet, int button) {
    PostMessageA(sheet, PSM_PRESSBUTTON, button, 0);
}

// The page the sheet shows now.
inline HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

// The message dialog that came up over the sheet, or null when none did.
inline HWND WaitForMessageOver(SheetRun& run, HWND sheet) {
    HWND message = nullptr;
    test_support::WaitUntil([&] {
        message = run.TopDialog();
        return message && message != sheet && GetDlgItem(message, IDC_MESSAGE_TEXT);
    });
    return message != sheet ? message : nullptr;
}

}  // namespace quillet
