#include "quillet/app/placeholders_win32.h"

#include <cstdlib>

#include "platform/handles.h"
#include "quillet/app/quillet_names.h"
#include "quillet/ui/messages.h"

namespace quillet {

void AppendTestLog(const std::string& line) {
    const char* path = std::getenv(kTestLogVariable);
    if (!path || !*path) return;
    platform::unique_hfile file(CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

bool RunNewItemWizardStandIn(Application& application, HWND owner, Object*, const std::string& path) {
    AppendTestLog("new item: " + path);
    ShowFormattedMessage(owner, MB_OK | MB_ICONINFORMATION, "$propNewIcon;: %1", {path});
    DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    RefPtr<Object> tray = application.Model().Root()->GetChild(0);
    if (!tray) return false;
    RefPtr<Object> folder;
    Value initial = Value::FromText(path);
    if (Failed(application.Model().CreateObject(kClassFolder, &folder, &initial)) || !folder) return false;
    return Succeeded(tray->Insert(folder.Get()));
}

void ShowIconSetProperties(HWND) {
    AppendTestLog("properties");
}

void ShowTipOfTheDay(HWND, bool atStartup) {
    if (!atStartup) AppendTestLog("tip of the day");
}

void RegisterShellContextMenuHandler() {}

}  // namespace quillet
