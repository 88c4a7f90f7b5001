#include "test_support/win_test_support.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <thread>

#include "platform/error_text.h"
#include "platform/registry.h"
#include "platform/windows_list.h"

namespace test_support {

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        PumpMessages();
        if (condition()) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

std::string LastErrorText(DWORD error) {
    return "error " + std::to_string(error) + ": " + platform::SystemErrorText(error);
}

static std::string UniqueName(const char* prefix) {
    static unsigned counter = 0;
    char name[96];
    snprintf(name, sizeof name, "%s-%lu-%lu-%u", prefix, GetCurrentProcessId(), GetTickCount(), ++counter);
    return name;
}

ScratchRegistry::ScratchRegistry() : m_path("Software\\SuiteTests\\" + UniqueName("scratch")) {
    auto user = platform::RegistryKey::Create(HKEY_CURRENT_USER, m_path + "\\HKCU", KEY_ALL_ACCESS);
    auto machine = platform::RegistryKey::Create(HKEY_CURRENT_USER, m_path + "\\HKLM", KEY_ALL_ACCESS);
    // Keep our own handles: the predefined keys point at them until we restore.
    RegOpenKeyExA(user.get(), "", 0, KEY_ALL_ACCESS, m_currentUser.put());
    RegOpenKeyExA(machine.get(), "", 0, KEY_ALL_ACCESS, m_localMachine.put());
    RegOverridePredefKey(HKEY_CURRENT_USER, m_currentUser.get());
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, m_localMachine.get());
}

ScratchRegistry::~ScratchRegistry() {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    m_currentUser.reset();
    m_localMachine.reset();
    platform::DeleteKeyTree(HKEY_CURRENT_USER, m_path);
}

ScratchFolder::ScratchFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    m_path = std::string(temp) + UniqueName("suite");
    CreateDirectoryA(m_path.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    // SHFileOperation wants a double-NUL-terminated list.
    std::string from = m_path + '\0';
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    SHFileOperationA(&operation);
}

static LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

platform::unique_hwnd CreateTestWindow(const std::string& className, RECT rect, DWORD style, DWORD exStyle) {
    static std::set<std::string> registered;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (registered.insert(className).second) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = TestWindowProc;
        windowClass.hInstance = instance;
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = className.c_str();
        RegisterClassA(&windowClass);
    }
    HWND window = CreateWindowExA(exStyle, className.c_str(), "Suite test window", style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr, instance, nullptr);
    PumpMessages();
    return platform::unique_hwnd(window);
}

RunningProgram::RunningProgram(const std::string& exePath, const std::string& arguments) {
    std::string commandLine = "\"" + exePath + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info)) {
        CloseHandle(info.hThread);
        m_process.reset(info.hProcess);
        m_id = info.dwProcessId;
    }
}

RunningProgram::~RunningProgram() {
    if (Running()) {
        TerminateProcess(m_process.get(), 1);
        WaitForSingleObject(m_process.get(), 5000);
    }
}

bool RunningProgram::Running() const {
    return m_process && WaitForSingleObject(m_process.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> RunningProgram::WaitForExit(std::chrono::milliseconds timeout) {
    if (!m_process) return std::nullopt;
    if (!WaitUntil([&] { return !Running(); }, timeout)) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(m_process.get(), &code);
    return code;
}

HWND RunningProgram::WaitForWindow(const std::string& className, std::chrono::milliseconds timeout) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            auto windows = ProcessWindows(m_id, className);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        },
        timeout);
    return found;
}

std::vector<HWND> ProcessWindows(DWORD processId, const std::string& className) {
    std::vector<HWND> result;
    for (HWND window : platform::TopLevelWindows()) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != processId) continue;
        if (!className.empty() && lstrcmpiA(platform::WindowClassName(window).c_str(), className.c_str()) != 0) {
            continue;
        }
        result.push_back(window);
    }
    return result;
}

namespace {

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchControl(HWND child, LPARAM search) {
    auto* wanted = reinterpret_cast<ControlSearch*>(search);
    if (GetDlgCtrlID(child) != wanted->id) return TRUE;
    wanted->found = child;
    return FALSE;
}

}  // namespace

HWND FindControl(HWND parent, int id) {
    ControlSearch search{id, nullptr};
    EnumChildWindows(parent, MatchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> VisibleMenus() {
    std::vector<HWND> menus;
    for (HWND window : platform::TopLevelWindows()) {
        if (platform::WindowClassName(window) == "#32768" && IsWindowVisible(window)) menus.push_back(window);
    }
    return menus;
}

ScreenPixels ReadScreen(HWND window) {
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (window && !GetWindowRect(window, &area)) return {};
    return ReadScreen(area);
}

ScreenPixels ReadScreen(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return {};

    platform::unique_hdc_window screen(nullptr);
    platform::unique_hdc memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    platform::unique_hbitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return {};
    {
        platform::unique_select_object selected(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
    }
    GdiFlush();

    ScreenPixels read;
    read.width = width;
    read.height = height;
    const auto* first = static_cast<const uint32_t*>(bits);
    read.pixels.assign(first, first + static_cast<size_t>(width) * height);
    for (uint32_t& pixel : read.pixels) pixel &= 0x00FFFFFF;
    return read;
}

bool WaitUntilDrawn(HWND window, std::chrono::milliseconds timeout) {
    // Settled: unchanged for this long, longer than a window takes between
    // drawing its frame and its contents.
    constexpr auto kSettled = std::chrono::milliseconds(50);
    ScreenPixels seen;
    auto seenSince = std::chrono::steady_clock::now();
    return WaitUntil(
        [&] {
            ScreenPixels now = ReadScreen(window);
            const auto& pixels = now.pixels;
            if (pixels.empty()) return false;
            if (pixels != seen.pixels) {
                seen = std::move(now);
                seenSince = std::chrono::steady_clock::now();
                return false;
            }
            bool drawn = std::any_of(pixels.begin(), pixels.end(), [&](uint32_t p) { return p != pixels.front(); });
            return drawn && std::chrono::steady_clock::now() - seenSince >= kSettled;
        },
        timeout);
}

std::string SaveScreenPicture(const std::string& name, HWND window) {
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (window && !GetWindowRect(window, &area)) return {};
    return SaveScreenPicture(name, area);
}

std::string SaveScreenPicture(const std::string& name, const RECT& area) {
    const ScreenPixels screen = ReadScreen(area);
    if (screen.pixels.empty()) return {};

    // A 24-bit BMP: rows from the bottom up, each padded to four bytes.
    const DWORD rowSize = ((screen.width * 3 + 3) / 4) * 4;
    std::vector<unsigned char> rows(static_cast<size_t>(rowSize) * screen.height);
    for (int y = 0; y < screen.height; ++y) {
        unsigned char* row = rows.data() + static_cast<size_t>(screen.height - 1 - y) * rowSize;
        for (int x = 0; x < screen.width; ++x) {
            const uint32_t pixel = screen.pixels[static_cast<size_t>(y) * screen.width + x];
            row[3 * x] = static_cast<unsigned char>(pixel);
            row[3 * x + 1] = static_cast<unsigned char>(pixel >> 8);
            row[3 * x + 2] = static_cast<unsigned char>(pixel >> 16);
        }
    }
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = screen.width;
    info.biHeight = screen.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + static_cast<DWORD>(rows.size());

    CreateDirectoryA(SUITE_SCREENSHOT_DIR, nullptr);
    std::string path = std::string(SUITE_SCREENSHOT_DIR) + "\\" + name + ".bmp";
    platform::unique_hfile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    bool ok = file && WriteFile(file.get(), &header, sizeof header, &written, nullptr) &&
              WriteFile(file.get(), &info, sizeof info, &written, nullptr) &&
              WriteFile(file.get(), rows.data(), static_cast<DWORD>(rows.size()), &written, nullptr);
    return ok ? path : std::string();
}

std::string BinPath(const std::string& fileName) {
    std::string path = std::string(SUITE_BIN_DIR) + "/" + fileName;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

std::string SaveMenusPicture(const std::string& name) {
    RECT area = {};
    for (HWND menu : VisibleMenus()) {
        if (!WaitUntilDrawn(menu)) return {};
        RECT place = {};
        GetWindowRect(menu, &place);
        UnionRect(&area, &area, &place);
    }
    if (IsRectEmpty(&area)) return {};
    return SaveScreenPicture(name, area);
}

}  // namespace test_support
