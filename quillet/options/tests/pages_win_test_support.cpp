#include "quillet/options/tests/pages_win_test_support.h"

#include <vector>

#include "test_support/win_test_support.h"

namespace quillet {

namespace {

constexpr UINT kRunMessage = WM_APP + 1;
constexpr UINT kRunPostedMessage = WM_APP + 2;

// The visible dialogs (class "#32770") among a thread's top-level windows.
BOOL CALLBACK CollectDialog(HWND window, LPARAM context) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpA(name, "#32770") == 0 && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

std::vector<HWND> ThreadDialogs(DWORD threadId) {
    std::vector<HWND> found;
    EnumThreadWindows(threadId, CollectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// A dialog holding `controlId` directly or on a page inside it.
bool Holds(HWND dialog, int controlId) {
    if (GetDlgItem(dialog, controlId)) return true;
    for (HWND child = FindWindowExA(dialog, nullptr, "#32770", nullptr); child;
         child = FindWindowExA(dialog, child, "#32770", nullptr)) {
        if (GetDlgItem(child, controlId)) return true;
    }
    return false;
}

}  // namespace

UiThread::UiThread() : m_thread([this] { Loop(); }) {
    test_support::WaitUntil([&] { return m_helper.load() != nullptr; });
}

UiThread::~UiThread() {
    // A failed test may leave dialogs up: cancel them until the work is done.
    test_support::WaitUntil([&] {
        for (HWND dialog : ThreadDialogs(m_threadId)) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        return Done();
    });
    PostMessageA(m_helper, WM_CLOSE, 0, 0);
    m_thread.join();
}

LRESULT CALLBACK UiThread::HelperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kRunMessage: (*reinterpret_cast<const std::function<void()>*>(lParam))(); return 0;
    case kRunPostedMessage: {
        auto* work = reinterpret_cast<std::function<void()>*>(lParam);
        (*work)();
        delete work;
        reinterpret_cast<UiThread*>(wParam)->m_finished++;
        return 0;
    }
    case WM_CLOSE: DestroyWindow(window); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

void UiThread::Loop() {
    m_threadId = GetCurrentThreadId();
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = HelperProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "QuilletPagesTestHelper";
    RegisterClassExA(&windowClass);
    m_helper = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               windowClass.hInstance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        if (root && IsDialogMessageA(root, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void UiThread::Call(const std::function<void()>& work) {
    SendMessageA(m_helper, kRunMessage, 0, reinterpret_cast<LPARAM>(&work));
}

void UiThread::Post(std::function<void()> work) {
    m_posted++;
    PostMessageA(m_helper, kRunPostedMessage, reinterpret_cast<WPARAM>(this),
                 reinterpret_cast<LPARAM>(new std::function<void()>(std::move(work))));
}

bool UiThread::WaitUntilDone() {
    return test_support::WaitUntil([&] { return Done(); });
}

HWND UiThread::WaitForDialogWith(int controlId) {
    HWND result = nullptr;
    test_support::WaitUntil([&] {
        for (HWND dialog : ThreadDialogs(m_threadId)) {
            if (Holds(dialog, controlId)) {
                result = dialog;
                return true;
            }
        }
        return false;
    });
    return result;
}

HWND UiThread::Focus() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(m_threadId, &info) ? info.hwndFocus : nullptr;
}

HWND UiThread::Capture() const {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(m_threadId, &info) ? info.hwndCapture : nullptr;
}

std::string ControlText(HWND control) {
    char text[1024] = {};
    SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

}  // namespace quillet
