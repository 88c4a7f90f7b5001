// kelvane: keeps windows on the screen, adds commands to every system menu
// and offers the window lists from the notification area.
#include <windows.h>
#include <objbase.h>

#include <string>
#include <vector>

#include "kelvane/app/first_run_win32.h"
#include "kelvane/app/kelvane_names.h"
#include "kelvane/app/main_form_win32.h"
#include "kelvane/app/settings_dialog_win32.h"
#include "kelvane/app/start_rules.h"
#include "platform/handles.h"
#include "platform/registry.h"

namespace {

std::vector<std::string> Arguments() {
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i) arguments.emplace_back(__argv[i]);
    return arguments;
}

// Another instance runs: bring its form forward and have it put its icons up
// again.
void HandOverToRunningInstance() {
    HWND running = FindWindowA(kelvane::kMainFormClass, nullptr);
    if (!running) return;
    SetForegroundWindow(running);
    PostMessageA(running, RegisterWindowMessageA(kelvane::kInitiateMessageName), 0, 0);
}

int RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (kelvane::TfrmKelvaneSettings::HandleDialogKeys(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (!platform::RedirectRegistryForTests(kelvane::kTestRegistryVariable)) return 2;
    // Held until the process ends.
    platform::unique_handle running(CreateSemaphoreA(nullptr, 0, 1, kelvane::kSemaphoreName));
    if (running && GetLastError() == ERROR_ALREADY_EXISTS) {
        running.reset();
        HandOverToRunningInstance();
        return 0;
    }

    CoInitialize(nullptr);
    int result = 0;
    {
        kelvane::TfrmMainKelvane form;
        if (form.Create(instance, kelvane::ParseStartSwitches(Arguments()))) result = RunMessageLoop();
    }
    CoUninitialize();
    return result;
}
