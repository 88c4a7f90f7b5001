// Drives quillet's new-item wizard in another process as a user would: a
// folder handed over opens the wizard on the folder class, Next shows the
// folder's details, Finish creates the item.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <string>

#include "test_support/win_test_support.h"

namespace quillet_tests {

// The visible wizard of the process, or null when none came up in time.
inline HWND WaitForNewItemWizard(DWORD processId, const std::string& caption = "New Item") {
    HWND wizard = nullptr;
    test_support::WaitUntil([&] {
        for (HWND window : test_support::ProcessWindows(processId, "#32770")) {
            char text[256] = {};
            GetWindowTextA(window, text, sizeof text);
            if (IsWindowVisible(window) && caption == text) {
                wizard = window;
                return true;
            }
        }
        return false;
    });
    return wizard;
}

// Presses Next, waits for the details page, presses Finish and waits for the
// wizard to close. False when a step did not happen.
inline bool FinishNewItemWizard(HWND wizard) {
    const auto currentPage = [wizard] {
        return reinterpret_cast<HWND>(SendMessageA(wizard, PSM_GETCURRENTPAGEHWND, 0, 0));
    };
    HWND first = currentPage();
    PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    if (!test_support::WaitUntil([&] {
            HWND page = currentPage();
            return page && page != first;
        }))
        return false;
    PostMessageA(wizard, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    return test_support::WaitUntil([&] { return !IsWindow(wizard); });
}

}  // namespace quillet_tests
