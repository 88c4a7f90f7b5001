// How much kelvane.exe costs while nothing happens: starts the real program
// with its adjuster on a 500 ms timer (the shortest it allows) in a scratch
// registry, puts up 50 settled top-level windows, lets a minute pass and
// prints kelvane's CPU time over that minute (GetProcessTimes) as a share of
// one core, and how often any of the 50 windows was moved or sized.
//
//     idle_cpu.exe [seconds] [noadjust] [nohooks]
//
// Seconds default to 60; "noadjust" turns the adjuster's timer off and
// "nohooks" the system-menu commands, to see what the rest of the program
// costs.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "kelvane/app/kelvane_names.h"
#include "platform/handles.h"
#include "platform/registry.h"
#include "platform/windows_list.h"
#include "test_support/fake_taskbar.h"
#include "test_support/win_test_support.h"

namespace {

using namespace std::chrono_literals;

const char* const kSettingsKey = "SOFTWARE\\Nimbrel\\Kelvane\\1.0\\Settings";
constexpr int kWindows = 50;

struct WatchedWindow {
    WNDPROC original = nullptr;
    int positionCalls = 0;  // moves or sizes asked for, even to the same place
    int changes = 0;        // the rectangle really changed
    RECT last = {};
};
std::map<HWND, WatchedWindow> s_watched;

LRESULT CALLBACK WatchingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WatchedWindow& watched = s_watched[window];
    if (message == WM_WINDOWPOSCHANGING) {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) ++watched.positionCalls;
    } else if (message == WM_WINDOWPOSCHANGED) {
        RECT now = {};
        GetWindowRect(window, &now);
        if (!EqualRect(&now, &watched.last)) ++watched.changes;
        watched.last = now;
    }
    return CallWindowProcA(watched.original, window, message, wParam, lParam);
}

bool UnderWine() {
    return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// Wine answers GetProcessTimes for another process with the caller's own
// times. There the program's Linux process is found by its command line under
// /proc (Wine's Z: drive) and its stat read: user and system time in clock
// ticks of 1/100 s. Nothing when it cannot be told which process it is.
std::optional<unsigned long long> LinuxCpuTime100ns(const std::string& exePath) {
    std::optional<std::string> statPath;
    WIN32_FIND_DATAA found = {};
    platform::unique_hfind find(FindFirstFileA("Z:\\proc\\*", &found));
    if (!find) return std::nullopt;
    do {
        const std::string name = found.cFileName;
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream cmdline("Z:\\proc\\" + name + "\\cmdline", std::ios::binary);
        std::string first;
        std::getline(cmdline, first, '\0');
        if (lstrcmpiA(first.c_str(), exePath.c_str()) != 0) continue;
        if (statPath) return std::nullopt;  // two of them
        statPath = "Z:\\proc\\" + name + "\\stat";
    } while (FindNextFileA(find.get(), &found));
    if (!statPath) return std::nullopt;
    std::ifstream file(*statPath, std::ios::binary);
    std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // After "pid (name)": state, then ten fields before utime and stime.
    std::istringstream fields(stat.substr(stat.rfind(')') + 1));
    std::string skipped;
    for (int i = 0; i < 11; ++i) fields >> skipped;
    unsigned long long user = 0, system = 0;
    if (!(fields >> user >> system)) return std::nullopt;
    return (user + system) * 100000ULL;
}

unsigned long long CpuTime100ns(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
    auto value = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return value(kernel) + value(user);
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 60;
    bool adjusterOn = true;
    bool hooksOn = true;
    for (int i = 2; i < argc; ++i) {
        if (std::string(argv[i]) == "noadjust") adjusterOn = false;
        if (std::string(argv[i]) == "nohooks") hooksOn = false;
    }

    test_support::ScratchRegistry scratch;
    SetEnvironmentVariableA(kelvane::kTestRegistryVariable, scratch.RealPath().c_str());
    platform::RegistryKey settings = platform::RegistryKey::Create(HKEY_CURRENT_USER, kSettingsKey);
    settings.WriteDword("First Time Run", 0);
    settings.WriteDword("Adjust Frequency", 500);
    settings.WriteDword("Auto Adjust Windows", adjusterOn ? 1 : 0);
    settings.WriteDword("Add System Menu Commands", hooksOn ? 1 : 0);

    // Wine has no taskbar of its own: without one the program would wait in
    // Shell_NotifyIcon.
    test_support::FakeTaskbar taskbar;
    test_support::RunningProgram kelvane(test_support::BinPath("kelvane.exe"));
    HWND form = kelvane.WaitForWindow(kelvane::kMainFormClass);
    if (!form || !test_support::WaitUntil([&] { return taskbar.Calls().size() >= 2; })) {
        std::fprintf(stderr, "kelvane.exe did not start\n");
        return 1;
    }

    // Settled windows: every one well inside the work area.
    RECT workArea = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    std::vector<platform::unique_hwnd> windows;
    for (int i = 0; i < kWindows; ++i) {
        const int left = workArea.left + 10 + (i % 10) * 60;
        const int top = workArea.top + 10 + (i / 10) * 80;
        windows.push_back(test_support::CreateTestWindow("KelvaneIdleBench", {left, top, left + 300, top + 200}));
        HWND window = windows.back().get();
        if (!window) {
            std::fprintf(stderr, "window %d: %s\n", i, test_support::LastErrorText().c_str());
            return 1;
        }
        GetWindowRect(window, &s_watched[window].last);
        s_watched[window].original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WatchingWindowProc)));
    }
    // Let the program see the new windows (their system menus) before the clock starts.
    test_support::WaitUntil([] { return false; }, 3s);
    for (auto& [window, watched] : s_watched) watched.positionCalls = watched.changes = 0;

    const std::string kelvanePath = test_support::BinPath("kelvane.exe");
    const bool wine = UnderWine();
    const std::optional<unsigned long long> linuxBefore = wine ? LinuxCpuTime100ns(kelvanePath) : std::nullopt;
    const unsigned long long cpuBefore = CpuTime100ns(kelvane.Process());
    const auto started = std::chrono::steady_clock::now();
    test_support::WaitUntil([] { return false; }, std::chrono::seconds(seconds));
    const unsigned long long cpuAfter = CpuTime100ns(kelvane.Process());
    const std::optional<unsigned long long> linuxAfter = wine ? LinuxCpuTime100ns(kelvanePath) : std::nullopt;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    int positionCalls = 0;
    int changes = 0;
    for (const auto& [window, watched] : s_watched) {
        positionCalls += watched.positionCalls;
        changes += watched.changes;
    }
    double cpu = static_cast<double>(cpuAfter - cpuBefore) / 1e7;
    const char* source = "GetProcessTimes";
    if (wine) {
        if (!linuxBefore || !linuxAfter) {
            std::fprintf(stderr, "under Wine, and kelvane's Linux process could not be told apart\n");
            return 1;
        }
        cpu = static_cast<double>(*linuxAfter - *linuxBefore) / 1e7;
        source = "/proc stat: Wine's GetProcessTimes gives this process's own times";
    }
    std::printf("kelvane.exe idle, adjust timer %s, system-menu hooks %s, %d settled windows, %.1f s:\n",
                adjusterOn ? "500 ms" : "off", hooksOn ? "on" : "off", kWindows, wall);
    std::printf("  CPU time           %.3f s (%.3f%% of one core; goal under 1%%)\n", cpu, 100.0 * cpu / wall);
    std::printf("  read from          %s\n", source);
    const int ticks = static_cast<int>(wall / 0.5);
    const size_t topLevel = platform::TopLevelWindows().size();
    std::printf("  CPU per tick       %.3f ms over %d ticks, %.1f us per top-level window (%u of them)\n",
                1000.0 * cpu / ticks, ticks, 1e6 * cpu / ticks / topLevel, static_cast<unsigned>(topLevel));
    std::printf("  move/size calls    %d (goal 0)\n", positionCalls);
    std::printf("  rectangles changed %d (goal 0)\n", changes);
    std::printf("  still running      %s\n", kelvane.Running() ? "yes" : "NO");

    PostMessageA(form, WM_CLOSE, 0, 0);
    test_support::WaitUntil([&] { return !kelvane.Running(); });
    windows.clear();
    return kelvane.Running() ? 1 : 0;
}
