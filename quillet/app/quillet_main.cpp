// quillet: folders, special shell folders and programs as tray icons, each
// popping up a menu of its contents.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <ole2.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/error_text.h"
#include "platform/registry.h"
#include "quillet/app/main_window_win32.h"
#include "quillet/app/program_application_win32.h"
#include "quillet/app/quillet_names.h"
#include "quillet/app/splash_window_win32.h"
#include "quillet/app/window_framework_win32.h"
#include "quillet/menus/tray_menu.h"
#include "quillet/shellext/shell_extension.h"

namespace {

constexpr int kStartFailed = -1;

// What the program holds from first to last: common controls, OLE, the
// shell's allocator and the message-filter hook. The application object
// lives inside it and is gone before it goes.
class ApplicationModule {
public:
    ApplicationModule() {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES};
        InitCommonControlsEx(&controls);
        m_oleStarted = SUCCEEDED(OleInitialize(nullptr));
        if (FAILED(SHGetMalloc(&m_allocator))) m_allocator = nullptr;
    }
    ~ApplicationModule() {
        m_filter.reset();
        if (m_allocator) m_allocator->Release();
        if (m_oleStarted) OleUninitialize();
    }
    ApplicationModule(const ApplicationModule&) = delete;
    ApplicationModule& operator=(const ApplicationModule&) = delete;

private:
    bool m_oleStarted = false;
    IMalloc* m_allocator = nullptr;
    std::unique_ptr<quillet::MessageFilterHook> m_filter = std::make_unique<quillet::MessageFilterHook>();
};

std::vector<std::string> Arguments() {
    std::vector<std::string> arguments;
    for (int i = 0; i < __argc; ++i) arguments.emplace_back(__argv[i]);
    return arguments;
}

int RunMessageLoop() {
    MSG message;
    BOOL got = 0;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return got == 0 ? static_cast<int>(message.wParam) : kStartFailed;
}

int Run(HINSTANCE instance) {
    using quillet::MainWindow;
    using quillet::ProgramApplication;
    std::unique_ptr<ProgramApplication> application = ProgramApplication::Create(instance);
    if (!application) return kStartFailed;
    quillet::RegisterQuilletMessages(instance);
    quillet::ShowStartupScreen(instance, application->Texts());

    MainWindow mainWindow(*application);
    switch (mainWindow.Create(instance)) {
    case MainWindow::CreateResult::Created: break;
    case MainWindow::CreateResult::OtherInstance: return kStartFailed;
    case MainWindow::CreateResult::Failed:
        platform::ShowStartFailure("quillet", platform::CallErrorText("CreateWindowEx"));
        return kStartFailed;
    }
    application->SetMainWindow(mainWindow.Window());

    if (!application->InitializeIconSet()) return kStartFailed;
    if (!quillet::RegisterMenuWindowClass(instance)) {
        platform::ShowStartFailure("quillet", platform::CallErrorText("RegisterClassEx"));
        return kStartFailed;
    }
    quillet::RegisterShellExtension();
    switch (application->LoadIconSet()) {
    case ProgramApplication::LoadResult::Loaded: break;
    case ProgramApplication::LoadResult::NoDocument: application->BuildDefaultIconSet(); break;
    case ProgramApplication::LoadResult::Failed: return kStartFailed;
    }
    mainWindow.RefreshTrayIcons();
    mainWindow.ApplyHotkey();
    mainWindow.HandleCommandLine(Arguments());
    return RunMessageLoop();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (!platform::RedirectRegistryForTests(quillet::kTestRegistryVariable)) return kStartFailed;
    ApplicationModule module;
    return Run(instance);
}
