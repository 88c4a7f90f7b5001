// How long a folder of 5,000 files takes to open as a menu: its contents read
// through the shell, sorted, laid out and the window shown and drawn (with
// the icons of the entries on the screen), beside a bare FindFirstFile walk
// of the same folder in the same run. Goal: within 5 times the walk.
//
// It also prints what the shell alone spends on the names (enumeration and
// GetDisplayNameOf), which every folder menu must ask for. In the build
// tree's Wine session:
//
//   scripts/wine-session.sh start $PWD/build/win32/wine win32
//   scripts/wine-run.sh $PWD/build/win32/wine build/win32/bench/quillet_menus_bench.exe [files] [runs]
//   scripts/wine-session.sh stop $PWD/build/win32/wine
#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "quillet/menus/menu_model_win32.h"
#include "quillet/menus/menu_window_win32.h"
#include "quillet/menus/tray_menu.h"
#include "quillet/ui/tests/test_application.h"
#include "test_support/win_test_support.h"

namespace {

double Now() {
    static LARGE_INTEGER s_frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(s_frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int Walk(const std::string& folder) {
    WIN32_FIND_DATAA found = {};
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do {
        ++count;
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return count;
}

// What the shell alone spends on the folder's names: one enumeration and
// GetDisplayNameOf for every item, which every folder menu must ask.
int ShellNames(const std::string& folder) {
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop))) return 0;
    std::wstring wide(folder.begin(), folder.end());
    ITEMIDLIST* id = nullptr;
    IShellFolder* shellFolder = nullptr;
    int count = 0;
    if (SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), nullptr, &id, nullptr)) &&
        SUCCEEDED(desktop->BindToObject(id, nullptr, IID_IShellFolder, reinterpret_cast<void**>(&shellFolder)))) {
        IEnumIDList* list = nullptr;
        if (shellFolder->EnumObjects(nullptr, SHCONTF_NONFOLDERS, &list) == S_OK && list) {
            ITEMIDLIST* item = nullptr;
            ULONG fetched = 0;
            while (list->Next(1, &item, &fetched) == S_OK && fetched == 1) {
                STRRET name = {};
                if (SUCCEEDED(shellFolder->GetDisplayNameOf(item, SHGDN_NORMAL, &name))) {
                    char text[MAX_PATH];
                    StrRetToBufA(&name, item, text, sizeof text);
                    ++count;
                }
                CoTaskMemFree(item);
            }
            list->Release();
        }
        shellFolder->Release();
    }
    CoTaskMemFree(id);
    desktop->Release();
    return count;
}

// Posted before the menu opens, so it is taken from the queue right after the
// window is made and before any paint: draws the window now, notes the time
// and closes the menu.
double s_shown = 0;
LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        HWND menu = quillet::LatestMenuWindow();
        if (menu) {
            UpdateWindow(menu);
            s_shown = Now();
            PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
    const int files = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    CoInitialize(nullptr);
    quillet::TestApplication app;
    quillet::RegisterMenuWindowClass(GetModuleHandleA(nullptr));
    WNDCLASSA probeClass = {};
    probeClass.lpfnWndProc = ProbeProc;
    probeClass.hInstance = GetModuleHandleA(nullptr);
    probeClass.lpszClassName = "QuilletMenuBenchProbe";
    RegisterClassA(&probeClass);
    HWND probe = CreateWindowA("QuilletMenuBenchProbe", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);

    test_support::ScratchFolder folder;
    for (int i = 0; i < files; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "\\document %05d.txt", i);
        HANDLE file = CreateFileA((folder.Path() + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    std::printf("Folder of %d files: %s\n", files, folder.Path().c_str());

    std::vector<double> walks, names, builds, shows, totals;
    for (int run = 0; run < runs; ++run) {
        const double walkStart = Now();
        const int walked = Walk(folder.Path());
        walks.push_back(Now() - walkStart);
        const double namesStart = Now();
        const int named = ShellNames(folder.Path());
        names.push_back(Now() - namesStart);

        quillet::RefPtr<quillet::Object> item;
        const quillet::Value path = quillet::Value::FromText(folder.Path());
        app.Model().CreateObject(quillet::kClassFolder, &item, &path);
        quillet::Menu top(quillet::kMenuViewTextAndIcons);
        const double buildStart = Now();
        if (!item || !quillet::AddFolderItemToMenu(top, *item, quillet::kMenuViewTextAndIcons, 0)) {
            std::printf("the folder could not be opened\n");
            return 1;
        }
        quillet::MenuEntry& entry = *top.Entries().front();
        entry.Submenu();
        std::shared_ptr<quillet::Menu> menu(std::move(entry.submenu));
        const double built = Now();
        builds.push_back(built - buildStart);

        s_shown = 0;
        PostMessageA(probe, WM_APP, 0, 0);
        quillet::ShowMenu(menu, nullptr, 0, 0, nullptr, 0);
        shows.push_back(s_shown - built);
        totals.push_back(s_shown - buildStart);
        std::printf("run %d: walk %.1f ms (%d names), shell names %.1f ms (%d), menu %.1f ms (read %.1f + show %.1f, "
                    "%zu entries)\n",
                    run + 1, walks.back(), walked, names.back(), named, totals.back(), builds.back(), shows.back(),
                    menu->Entries().size());
    }
    const double walk = Median(walks);
    const double total = Median(totals);
    std::printf("median of %d runs: bare walk %.1f ms, menu built and shown %.1f ms (read %.1f, show %.1f)\n", runs,
                walk, total, Median(builds), Median(shows));
    std::printf("ratio menu / walk: %.1f (goal: within 5)\n", walk > 0 ? total / walk : 0.0);
    const double shellNames = Median(names);
    std::printf("the shell's names alone: %.1f ms, %.1f times the walk; the menu is %.1f times the shell's names\n",
                shellNames, walk > 0 ? shellNames / walk : 0.0, shellNames > 0 ? total / shellNames : 0.0);
    DestroyWindow(probe);
    CoUninitialize();
    return 0;
}
