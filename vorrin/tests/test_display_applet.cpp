// A control-panel applet standing in for the display settings in tests. When
// opened it writes the command line of the process that opened it into
// "applet-record.txt" beside itself.
#include <windows.h>
#include <cpl.h>

#include <cstring>

namespace {

HMODULE s_module = nullptr;

void RecordOpening(const char* how) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(s_module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return;
    char* slash = strrchr(path, '\\');
    if (!slash || (slash - path) + sizeof "\\applet-record.txt" > MAX_PATH) return;
    strcpy(slash, "\\applet-record.txt");
    HANDLE file =
        CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    const char* commandLine = GetCommandLineA();
    WriteFile(file, how, static_cast<DWORD>(strlen(how)), &written, nullptr);
    WriteFile(file, ": ", 2, &written, nullptr);
    WriteFile(file, commandLine, static_cast<DWORD>(strlen(commandLine)), &written, nullptr);
    WriteFile(file, "\r\n", 2, &written, nullptr);
    CloseHandle(file);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) s_module = instance;
    return TRUE;
}

extern "C" __declspec(dllexport) LONG APIENTRY CPlApplet(HWND, UINT message, LPARAM, LPARAM param2) {
    switch (message) {
    case CPL_INIT: return TRUE;
    case CPL_GETCOUNT: return 1;
    case CPL_INQUIRE: {
        CPLINFO* info = reinterpret_cast<CPLINFO*>(param2);
        info->idIcon = CPL_DYNAMIC_RES;
        info->idName = CPL_DYNAMIC_RES;
        info->idInfo = CPL_DYNAMIC_RES;
        info->lData = 0;
        return 0;
    }
    case CPL_STARTWPARMSA:
    case CPL_STARTWPARMSW: RecordOpening("started"); return TRUE;
    case CPL_DBLCLK: RecordOpening("opened"); return 0;
    default: return 0;
    }
}
