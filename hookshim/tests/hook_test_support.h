// What the tests of the hook library and of the program's binding to it
// share: a hidden receiver window standing in for the program's main form,
// and the helper window program (hook_test_window.exe).
#pragma once

#include <windows.h>

#include <string>

#include "hookshim/tests/hook_test_window.h"
#include "platform/window_base.h"

namespace hook_tests {

// A hidden top-level window of its own class, bound to Derived, which
// defines HandleMessage. Derived creates it at the end of its constructor,
// once the members its HandleMessage reads are set.
template <typename Derived>
class ReceiverWindow : public platform::BaseWindow<Derived> {
public:
    ~ReceiverWindow() { DestroyWindow(this->m_window); }

protected:
    void CreateHidden(const char* className) {
        WNDCLASSEXA windowClass = {};
        windowClass.lpfnWndProc = platform::BaseWindow<Derived>::WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = className;
        platform::RegisterWindowClass(windowClass);
        this->CreateBound(0, className, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, windowClass.hInstance);
    }
};

// The helper program, beside the test programs.
inline std::string HookTestWindowPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + kHookTestWindowExe;
}

// The helper's answer to kHookTestStateQuery; 0 when it did not answer.
inline unsigned HelperState(HWND helper) {
    DWORD_PTR state = 0;
    SendMessageTimeoutA(helper, RegisterWindowMessageA(kHookTestStateQuery), 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
    return static_cast<unsigned>(state);
}

}  // namespace hook_tests
