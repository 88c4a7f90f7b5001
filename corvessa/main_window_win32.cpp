#include "corvessa/main_window_win32.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cctype>
#include <cstring>

#include "corvessa/folder_list.h"
#include "corvessa/recycle_registry_win32.h"
#include "corvessa/resource.h"
#include "platform/window_object.h"

namespace corvessa {

namespace {

const int kClientWidth = 380;
const int kClientHeight = 340;
const int kIconBoxSize = 36;
const int kStripView = 42;
const char* const kFilters[] = {"*.ico", "*.dll", "*.exe", "*.icl"};
const COLORREF kMagenta = RGB(0xFF, 0x00, 0xFF);

// Every control of the window: its class, style, place and first text.
struct ControlLayout {
    int id;
    const char* className;
    DWORD style;
    RECT place;  // left, top, width, height
    const char* text;
};

const DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_OWNERDRAW;
const DWORD kPicture = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;

const ControlLayout kControls[] = {
    {IDC_SHOW_HELP, "BUTTON", kPicture, {326, 5, 22, 18}, "?"},
    {IDC_CLOSE, "BUTTON", kPicture, {352, 5, 22, 18}, "X"},
    {IDC_CURRENT_NAME_CAPTION, "STATIC", kLabel, {16, 42, 156, 14}, "Current Name:"},
    {IDC_CURRENT_NAME, "STATIC", kLabel, {16, 58, 156, 16}, "Recycle Bin"},
    {IDC_RENAME_CAPTION, "STATIC", kLabel, {16, 80, 156, 14}, "Rename:"},
    {IDC_NEW_NAME, "EDIT", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL, {16, 96, 156, 21}, ""},
    {IDC_FULL_CAPTION, "STATIC", kLabel, {14, 124, 48, 14}, "Full"},
    {IDC_EMPTY_CAPTION, "STATIC", kLabel, {60, 124, 48, 14}, "Empty"},
    {IDC_CURRENT_FULL, "STATIC", kLabel, {20, 142, kIconBoxSize, kIconBoxSize}, ""},
    {IDC_CURRENT_EMPTY, "STATIC", kLabel, {66, 142, kIconBoxSize, kIconBoxSize}, ""},
    {IDC_NEW_FULL, "BUTTON", kPicture, {20, 192, kIconBoxSize, kIconBoxSize}, "Full"},
    {IDC_NEW_EMPTY, "BUTTON", kPicture, {66, 192, kIconBoxSize, kIconBoxSize}, "Empty"},
    {IDC_PREVIOUS, "BUTTON", kPicture, {14, 277, 16, 16}, "Previous icon"},
    {IDC_STRIP, "BUTTON", kPicture, {34, 262, kStripView, kStripView}, "Icon strip"},
    {IDC_NEXT, "BUTTON", kPicture, {80, 277, 16, 16}, "Next icon"},
    {IDC_POSITION, "STATIC", kLabel | SS_NOTIFY, {14, 312, 158, 14}, ""},
    {IDC_APPLY, "BUTTON", kPicture, {108, 270, 64, 26}, "Apply!"},
    {IDC_DRIVES, "COMBOBOX", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS,
     {196, 58, 168, 200}, ""},
    {IDC_FOLDERS, "LISTBOX",
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
         LBS_NOINTEGRALHEIGHT,
     {196, 84, 168, 112}, ""},
    {IDC_FILES, "LISTBOX",
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_SORT | LBS_HASSTRINGS |
         LBS_NOINTEGRALHEIGHT,
     {196, 200, 168, 100}, ""},
    {IDC_FILTER, "COMBOBOX", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
     {232, 306, 80, 120}, ""},
};

// Captions painted straight onto the background.
struct PaintedCaption {
    RECT place;
    const char* text;
};
const PaintedCaption kCaptions[] = {
    {{110, 154, 172, 168}, "now"},
    {{110, 204, 172, 218}, "new"},
    {{16, 244, 172, 258}, "Icons in the file:"},
    {{196, 40, 364, 54}, "Pick an icon file:"},
    {{196, 309, 230, 323}, "Type:"},
};

RECT PlaceOf(HWND control) {
    RECT rect;
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string WindowText(HWND window) {
    int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    length = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(length, 0)));
    return text;
}

std::string ListText(HWND list, int index, UINT lengthMessage, UINT textMessage) {
    LRESULT length = SendMessageA(list, lengthMessage, index, 0);
    if (length < 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    length = SendMessageA(list, textMessage, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
    return text;
}

// The icon an icon location names, or none.
platform::unique_hicon IconFor(HINSTANCE instance, const std::optional<IconLocation>& location) {
    if (!location || location->path.empty()) return {};
    HICON icon = ExtractIconA(instance, location->path.c_str(), static_cast<UINT>(location->index));
    if (ClassifyExtraction(reinterpret_cast<std::uintptr_t>(icon)) != Extraction::Icon) return {};
    return platform::unique_hicon(icon);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        default: return FALSE;
    }
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : m_instance(instance), m_help(instance, m_look) {}

bool MainWindow::Create(int showCommand) {
    if (!m_look.Load(m_instance)) return false;
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = m_instance;
    windowClass.hIcon = LoadIconA(m_instance, MAKEINTRESOURCEA(IDI_CORVESSA));
    windowClass.hIconSm = static_cast<HICON>(
        LoadImageA(m_instance, MAKEINTRESOURCEA(IDI_CORVESSA), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = CORVESSA_MAIN_CLASS;
    if (!RegisterClassExA(&windowClass)) return false;

    RECT frame = {0, 0, kClientWidth, kClientHeight};
    const DWORD style = WS_POPUP | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int left = work.left + (work.right - work.left - width) / 2;
    int top = work.top + (work.bottom - work.top - height) / 2;
    m_window = CreateWindowExA(WS_EX_APPWINDOW, CORVESSA_MAIN_CLASS, "Corvessa", style, left, top, width, height,
                               nullptr, nullptr, m_instance, this);
    if (!m_window) return false;
    ShowWindow(m_window, showCommand);
    SetFocus(Control(IDC_NEW_NAME));
    UpdateWindow(m_window);
    return true;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = platform::BoundWindowObject<MainWindow>(window, message, lParam);
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCCREATE) self->m_window = window;
    return self->Handle(message, wParam, lParam);
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
        case WM_CREATE: OnCreate(); return 0;
        case WM_DESTROY: OnDestroy(); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: OnPaint(); return 0;
        case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)); return 0;
        case WM_DRAWITEM: OnDrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam)); return TRUE;
        case WM_MEASUREITEM: OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)); return TRUE;
        case WM_SETCURSOR: return OnSetCursor(reinterpret_cast<HWND>(wParam), HIWORD(lParam));
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: OnButtonDown(point); return 0;
        case WM_MOUSEMOVE: OnMouseMove(point); return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: OnButtonUp(); return 0;
        case WM_CAPTURECHANGED: m_dragging = false; return 0;
        case WM_SYSCOMMAND: OnSystemCommand(wParam, lParam); return 0;
        default: return DefWindowProcA(m_window, message, wParam, lParam);
    }
}

void MainWindow::OnCreate() {
    m_previousArrow.reset(LoadImageA(m_instance, MAKEINTRESOURCEA(IDB_ARROW_PREVIOUS), IMAGE_BITMAP, 0, 0, 0));
    m_nextArrow.reset(LoadImageA(m_instance, MAKEINTRESOURCEA(IDB_ARROW_NEXT), IMAGE_BITMAP, 0, 0, 0));
    auto smallIcon = [&](int id) {
        return platform::unique_hicon(
            static_cast<HICON>(LoadImageA(m_instance, MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    };
    m_folderClosed = smallIcon(IDI_FOLDER_CLOSED);
    m_folderOpen = smallIcon(IDI_FOLDER_OPEN);
    m_smallIcon = smallIcon(IDI_CORVESSA);

    HMENU systemMenu = GetSystemMenu(m_window, FALSE);
    platform::unique_hmenu extras(LoadMenuA(m_instance, MAKEINTRESOURCEA(IDM_SYSTEM_EXTRAS)));
    HMENU items = extras ? GetSubMenu(extras.get(), 0) : nullptr;
    if (systemMenu && items) {
        AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
        for (int i = 0, count = GetMenuItemCount(items); i < count; ++i) {
            char text[64] = {};
            GetMenuStringA(items, i, text, sizeof text, MF_BYPOSITION);
            AppendMenuA(systemMenu, MF_STRING, GetMenuItemID(items, i), text);
        }
    }

    CreateControls();
    LoadFromRegistry();
    FillDrives();
    char folder[MAX_PATH] = {};
    DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH || !ShowFolder(folder)) ShowFolder("C:\\");
}

void MainWindow::OnDestroy() {
    m_help.Close();
    PostQuitMessage(0);
}

void MainWindow::CreateControls() {
    for (const ControlLayout& layout : kControls) {
        HWND control = CreateWindowExA(0, layout.className, layout.text, layout.style, layout.place.left,
                                       layout.place.top, layout.place.right, layout.place.bottom, m_window,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), m_instance, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_look.font.get()), FALSE);
    }
    HWND filter = Control(IDC_FILTER);
    for (const char* pattern : kFilters) SendMessageA(filter, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pattern));
    SendMessageA(filter, CB_SETCURSEL, 0, 0);
    SendMessageA(Control(IDC_NEW_NAME), EM_LIMITTEXT, 0, 0);
    ShowWindow(Control(IDC_POSITION), SW_HIDE);
}

void MainWindow::LoadFromRegistry() {
    m_storedName = ReadText(HKEY_LOCAL_MACHINE, kRecycleBinKey, "");
    SetWindowTextA(Control(IDC_CURRENT_NAME), m_storedName.c_str());
    SetWindowTextA(Control(IDC_NEW_NAME), m_storedName.c_str());

    auto loadIcon = [&](const char* value, std::string& loaded, platform::unique_hicon& icon) {
        auto location = SplitIconLocation(ReadText(HKEY_LOCAL_MACHINE, kRecycleBinIconKey, value));
        loaded = location ? FormatIconLocation(*location) : std::string();
        auto shown = SplitIconLocation(ReadText(HKEY_LOCAL_MACHINE, kRecycleBinIconKey, value, true));
        icon = IconFor(m_instance, shown);
    };
    loadIcon("full", m_loadedFull, m_currentFullIcon);
    loadIcon("empty", m_loadedEmpty, m_currentEmptyIcon);
    m_chosenFull = m_loadedFull;
    m_chosenEmpty = m_loadedEmpty;
    m_newFullIcon.reset();
    m_newEmptyIcon.reset();
    for (int id : {IDC_CURRENT_FULL, IDC_CURRENT_EMPTY, IDC_NEW_FULL, IDC_NEW_EMPTY, IDC_CURRENT_NAME}) {
        InvalidateRect(Control(id), nullptr, FALSE);
    }
    SetTarget(Target::Full);
}

void MainWindow::Apply() {
    if (auto name = NameToWrite(WindowText(Control(IDC_NEW_NAME)), m_storedName)) {
        WriteText(HKEY_LOCAL_MACHINE, kRecycleBinKey, "", *name);
    }
    if (m_chosenFull != m_loadedFull) {
        WriteText(HKEY_LOCAL_MACHINE, kRecycleBinIconKey, "", m_chosenFull);
        WriteText(HKEY_LOCAL_MACHINE, kRecycleBinIconKey, "Full", m_chosenFull);
    }
    if (m_chosenEmpty != m_loadedEmpty) {
        WriteText(HKEY_LOCAL_MACHINE, kRecycleBinIconKey, "empty", m_chosenEmpty);
    }
    RefreshShellIcons();
    // Show what is stored now, so a write that did not take is not shown as done.
    LoadFromRegistry();
}

void MainWindow::RefreshShellIcons() {
    // The shell rebuilds its icon cache when the icon size metric changes.
    WriteText(HKEY_USERS, kWindowMetricsKey, kShellIconSizeValue, "31");
    // A hung window must not hang us: each window gets a few seconds.
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(""), SMTO_ABORTIFHUNG, 5000,
                        &result);
    WriteText(HKEY_USERS, kWindowMetricsKey, kShellIconSizeValue, "32");
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

void MainWindow::OnCommand(int id, int code, HWND) {
    switch (id) {
        case IDC_CLOSE:
            ShowWindow(m_window, SW_HIDE);
            DestroyWindow(m_window);
            break;
        case IDC_SHOW_HELP: m_help.Show(m_window); break;
        case IDC_APPLY: Apply(); break;
        case IDC_NEW_FULL: SetTarget(Target::Full); break;
        case IDC_NEW_EMPTY: SetTarget(Target::Empty); break;
        case IDC_PREVIOUS: Step(-1); break;
        case IDC_NEXT: Step(+1); break;
        case IDC_STRIP: AssignIconInView(); break;
        case IDOK:
            // Enter, as the dialog keys deliver it: opens the folder in focus.
            if (GetFocus() == Control(IDC_FOLDERS)) OnFolderChosen();
            break;
        case IDC_DRIVES:
            if (code == CBN_SELCHANGE) OnDriveChosen();
            break;
        case IDC_FOLDERS:
            if (code == LBN_DBLCLK) OnFolderChosen();
            break;
        case IDC_FILES:
            if (code == LBN_SELCHANGE) FillStrip();
            break;
        case IDC_FILTER:
            if (code == CBN_SELCHANGE) OnFilterChanged(true);
            if (code == CBN_EDITCHANGE) OnFilterChanged(false);
            break;
        default: break;
    }
}

void MainWindow::OnSystemCommand(WPARAM command, LPARAM lParam) {
    switch (command & 0xFFF0) {
        case IDM_HELP_TOPICS: m_help.Show(m_window); break;
        case IDM_ABOUT: DialogBoxParamA(m_instance, MAKEINTRESOURCEA(IDD_ABOUT), m_window, AboutProc, 0); break;
        default: DefWindowProcA(m_window, WM_SYSCOMMAND, command, lParam); break;
    }
}

// ---- icon browser --------------------------------------------------------

void MainWindow::FillDrives() {
    HWND drives = Control(IDC_DRIVES);
    SendMessageA(drives, CB_RESETCONTENT, 0, 0);
    char roots[512] = {};
    DWORD length = GetLogicalDriveStringsA(sizeof roots - 1, roots);
    if (length == 0 || length >= sizeof roots) return;
    for (const char* root = roots; *root; root += strlen(root) + 1) {
        std::string entry = {static_cast<char>(tolower(static_cast<unsigned char>(root[0]))), ':'};
        char label[MAX_PATH + 1] = {};
        UINT type = GetDriveTypeA(root);
        // Asking a removable or network drive for its label may wait for it.
        if (type == DRIVE_FIXED || type == DRIVE_RAMDISK) {
            if (GetVolumeInformationA(root, label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0) && *label) {
                entry += std::string(" [") + label + "]";
            }
        }
        SendMessageA(drives, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
}

void MainWindow::OnDriveChosen() {
    HWND drives = Control(IDC_DRIVES);
    LRESULT chosen = SendMessageA(drives, CB_GETCURSEL, 0, 0);
    std::string entry = ListText(drives, static_cast<int>(chosen), CB_GETLBTEXTLEN, CB_GETLBTEXT);
    bool shown = false;
    if (entry.size() >= 2) {
        // "c:" alone names the drive's current folder, as a folder list expects.
        char folder[MAX_PATH] = {};
        std::string drive = {static_cast<char>(toupper(static_cast<unsigned char>(entry[0]))), ':'};
        DWORD length = GetFullPathNameA(drive.c_str(), MAX_PATH, folder, nullptr);
        shown = (length > 0 && length < MAX_PATH && ShowFolder(folder)) || ShowFolder(drive + "\\");
    }
    // A drive that cannot be read (no disk) leaves the folder where it was.
    if (!shown) SelectDriveOfFolder();
}

bool MainWindow::ShowFolder(const std::string& folder) {
    std::vector<std::string> subfolders;
    WIN32_FIND_DATAA found = {};
    platform::unique_hfind find(FindFirstFileA(JoinPath(folder, "*").c_str(), &found));
    if (!find) return false;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        if (strcmp(found.cFileName, ".") == 0 || strcmp(found.cFileName, "..") == 0) continue;
        subfolders.push_back(found.cFileName);
    } while (FindNextFileA(find.get(), &found));
    std::vector<FolderLevel> levels = FolderListLevels(folder, std::move(subfolders));
    if (levels.empty()) return false;

    m_folderLevels = std::move(levels);
    int current = 0;
    while (current + 1 < static_cast<int>(m_folderLevels.size()) && m_folderLevels[current + 1].open) ++current;
    m_folder = m_folderLevels[static_cast<size_t>(current)].path;

    HWND list = Control(IDC_FOLDERS);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const FolderLevel& level : m_folderLevels) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(level.name.c_str()));
    }
    SendMessageA(list, LB_SETCURSEL, current, 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);

    SelectDriveOfFolder();
    FillFiles();
    return true;
}

void MainWindow::SelectDriveOfFolder() {
    if (m_folder.empty()) return;
    HWND drives = Control(IDC_DRIVES);
    char prefix[3] = {static_cast<char>(m_folder[0]), ':', '\0'};
    LRESULT driveIndex = SendMessageA(drives, CB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(prefix));
    if (driveIndex != CB_ERR) SendMessageA(drives, CB_SETCURSEL, driveIndex, 0);
}

void MainWindow::OnFolderChosen() {
    LRESULT chosen = SendMessageA(Control(IDC_FOLDERS), LB_GETCURSEL, 0, 0);
    if (chosen < 0 || chosen >= static_cast<LRESULT>(m_folderLevels.size())) return;
    std::string folder = m_folderLevels[static_cast<size_t>(chosen)].path;
    if (!ShowFolder(folder)) ShowFolder(m_folder);
}

void MainWindow::FillFiles() {
    HWND files = Control(IDC_FILES);
    SendMessageA(files, WM_SETREDRAW, FALSE, 0);
    SendMessageA(files, LB_RESETCONTENT, 0, 0);
    WIN32_FIND_DATAA found = {};
    platform::unique_hfind find(FindFirstFileA(JoinPath(m_folder, m_filter).c_str(), &found));
    if (find) {
        do {
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
            SendMessageA(files, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName));
        } while (FindNextFileA(find.get(), &found));
    }
    SendMessageA(files, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(files, nullptr, TRUE);
}

void MainWindow::OnFilterChanged(bool fromSelection) {
    HWND filter = Control(IDC_FILTER);
    if (fromSelection) {
        // The edit part still shows the old text while the selection changes.
        LRESULT chosen = SendMessageA(filter, CB_GETCURSEL, 0, 0);
        if (chosen < 0) return;
        m_filter = ListText(filter, static_cast<int>(chosen), CB_GETLBTEXTLEN, CB_GETLBTEXT);
    } else {
        m_filter = WindowText(filter);
    }
    FillFiles();
}

// ---- icon strip ----------------------------------------------------------

void MainWindow::FillStrip() {
    HWND files = Control(IDC_FILES);
    LRESULT chosen = SendMessageA(files, LB_GETCURSEL, 0, 0);
    if (chosen < 0) return;
    m_stripFile = JoinPath(m_folder, ListText(files, static_cast<int>(chosen), LB_GETTEXTLEN, LB_GETTEXT));
    m_stripMode = StripModeForFilter(m_filter);
    m_strip = {};
    m_iconInView.reset();

    if (m_stripMode == StripMode::Library) {
        HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
        // Icons are counted by extracting them one by one until the file
        // runs out; each is let go at once, as only the one in view is drawn.
        for (;;) {
            HICON icon = ExtractIconA(m_instance, m_stripFile.c_str(), static_cast<UINT>(m_strip.attempts));
            ++m_strip.attempts;
            if (ClassifyExtraction(reinterpret_cast<std::uintptr_t>(icon)) != Extraction::Icon) break;
            if (m_strip.attempts == 1) {
                m_iconInView.reset(icon);
            } else {
                DestroyIcon(icon);
            }
        }
        SetCursor(previous);
    } else {
        // A single icon file counts as a strip of one icon, or of none.
        m_iconInView = IconFor(m_instance, IconLocation{m_stripFile, 0});
        m_strip.attempts = m_iconInView ? 2 : 1;
    }
    ShowStripPosition();
    InvalidateRect(Control(IDC_STRIP), nullptr, FALSE);
}

void MainWindow::Step(int direction) {
    if (m_stripMode != StripMode::Library) return;
    if (direction < 0 && !m_strip.CanStepPrevious()) return;
    if (direction > 0 && !m_strip.CanStepNext()) return;
    m_strip.currentIndex += direction;
    m_iconInView = IconFor(m_instance, IconLocation{m_stripFile, m_strip.currentIndex});
    ShowStripPosition();
    InvalidateRect(Control(IDC_STRIP), nullptr, FALSE);
}

void MainWindow::ShowStripPosition() {
    HWND label = Control(IDC_POSITION);
    auto text = PositionText(m_strip);
    if (m_stripMode == StripMode::SingleIcon || !text) {
        ShowWindow(label, SW_HIDE);
    } else {
        SetWindowTextA(label, text->c_str());
        ShowWindow(label, SW_SHOW);
        InvalidateRect(label, nullptr, FALSE);
    }
    // The arrows are drawn dimmed where there is nothing to step to.
    InvalidateRect(Control(IDC_PREVIOUS), nullptr, FALSE);
    InvalidateRect(Control(IDC_NEXT), nullptr, FALSE);
}

void MainWindow::AssignIconInView() {
    if (m_stripFile.empty() || m_strip.IconCount() == 0) return;
    IconLocation location{m_stripFile, m_strip.currentIndex};
    platform::unique_hicon icon = IconFor(m_instance, location);
    if (!icon) return;
    if (m_target == Target::Full) {
        m_newFullIcon = std::move(icon);
        m_chosenFull = FormatIconLocation(location);
        InvalidateRect(Control(IDC_NEW_FULL), nullptr, FALSE);
    } else {
        m_newEmptyIcon = std::move(icon);
        m_chosenEmpty = FormatIconLocation(location);
        InvalidateRect(Control(IDC_NEW_EMPTY), nullptr, FALSE);
    }
}

void MainWindow::SetTarget(Target target) {
    m_target = target;
    // The frames around the new icons are part of the window's own painting.
    RECT frames = PlaceOf(Control(IDC_NEW_FULL));
    RECT empty = PlaceOf(Control(IDC_NEW_EMPTY));
    UnionRect(&frames, &frames, &empty);
    InflateRect(&frames, 5, 5);
    InvalidateRect(m_window, &frames, FALSE);
}

// ---- pointer -------------------------------------------------------------

LRESULT MainWindow::OnSetCursor(HWND over, UINT mouseMessage) {
    if (mouseMessage == WM_MOUSEMOVE) {
        PointerOver place = PointerOver::Elsewhere;
        if (over == m_window) place = PointerOver::Background;
        else if (over == Control(IDC_CLOSE)) place = PointerOver::CloseLabel;
        else if (over == Control(IDC_SHOW_HELP)) place = PointerOver::HelpLabel;
        else if (over == Control(IDC_APPLY)) place = PointerOver::ApplyLabel;
        else if (over == Control(IDC_FILES)) place = PointerOver::FileList;
        else if (over == Control(IDC_POSITION)) place = PointerOver::PositionLabel;
        ShowHints(HintsAfterMove(m_hints, place));
    }
    // Controls choose their own pointer (the edit's text cursor, say).
    if (over != m_window) return FALSE;
    return DefWindowProcA(m_window, WM_SETCURSOR, reinterpret_cast<WPARAM>(over), MAKELPARAM(HTCLIENT, mouseMessage));
}

void MainWindow::ShowHints(HoverHints hints) {
    if (hints == m_hints) return;
    bool applyChanged = hints.applyBold != m_hints.applyBold;
    m_hints = hints;
    SetWindowTextA(Control(IDC_CLOSE), CloseLabelText(m_hints));
    SetWindowTextA(Control(IDC_SHOW_HELP), HelpLabelText(m_hints));
    InvalidateRect(Control(IDC_CLOSE), nullptr, FALSE);
    InvalidateRect(Control(IDC_SHOW_HELP), nullptr, FALSE);
    if (applyChanged) InvalidateRect(Control(IDC_APPLY), nullptr, FALSE);
}

void MainWindow::OnButtonDown(POINT point) {
    m_dragging = true;
    m_dragStart = point;
    SetCapture(m_window);
}

void MainWindow::OnMouseMove(POINT point) {
    if (!m_dragging) {
        ShowHints(HintsAfterMove(m_hints, PointerOver::Background));
        return;
    }
    RECT frame;
    GetWindowRect(m_window, &frame);
    SetWindowPos(m_window, nullptr, frame.left + point.x - m_dragStart.x, frame.top + point.y - m_dragStart.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::OnButtonUp() {
    if (!m_dragging) return;
    m_dragging = false;
    ReleaseCapture();
}

// ---- painting ------------------------------------------------------------

void MainWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_window, &paint);
    RECT client;
    GetClientRect(m_window, &client);
    PaintBackground(m_look, m_window, dc, client);

    DrawIconEx(dc, 8, 6, m_smallIcon.get(), 16, 16, 0, nullptr, DI_NORMAL);
    RECT title = {30, 0, 300, Look::kTitleHeight};
    PaintText(dc, "Corvessa", title, m_look.titleFont.get(), Look::kTitleText, DT_SINGLELINE | DT_VCENTER);
    for (const PaintedCaption& caption : kCaptions) {
        PaintText(dc, caption.text, caption.place, m_look.font.get(), Look::kText, DT_SINGLELINE | DT_VCENTER);
    }

    RECT frame = PlaceOf(Control(m_target == Target::Full ? IDC_NEW_FULL : IDC_NEW_EMPTY));
    InflateRect(&frame, 3, 3);
    HBRUSH brush = CreateSolidBrush(Look::kTargetFrame);
    for (int ring = 0; ring < 2; ++ring) {
        FrameRect(dc, &frame, brush);
        InflateRect(&frame, -1, -1);
    }
    DeleteObject(brush);
    EndPaint(m_window, &paint);
}

void MainWindow::OnMeasureItem(MEASUREITEMSTRUCT& item) {
    if (item.CtlID == IDC_FOLDERS) item.itemHeight = 18;
}

void MainWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    switch (item.CtlID) {
        case IDC_CURRENT_NAME:
            DrawLabel(item, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS, m_look.boldFont.get(), Look::kText);
            break;
        case IDC_CURRENT_NAME_CAPTION:
        case IDC_RENAME_CAPTION:
        case IDC_POSITION:
            DrawLabel(item, DT_SINGLELINE | DT_VCENTER, m_look.font.get(), Look::kText);
            break;
        case IDC_FULL_CAPTION:
        case IDC_EMPTY_CAPTION:
            DrawLabel(item, DT_SINGLELINE | DT_VCENTER | DT_CENTER, m_look.font.get(), Look::kText);
            break;
        case IDC_CURRENT_FULL: DrawIconBox(item, m_currentFullIcon.get()); break;
        case IDC_CURRENT_EMPTY: DrawIconBox(item, m_currentEmptyIcon.get()); break;
        case IDC_NEW_FULL: DrawIconBox(item, m_newFullIcon.get()); break;
        case IDC_NEW_EMPTY: DrawIconBox(item, m_newEmptyIcon.get()); break;
        case IDC_STRIP: DrawStrip(item); break;
        case IDC_PREVIOUS:
            DrawArrow(item, m_previousArrow.get(), m_stripMode == StripMode::Library && m_strip.CanStepPrevious());
            break;
        case IDC_NEXT:
            DrawArrow(item, m_nextArrow.get(), m_stripMode == StripMode::Library && m_strip.CanStepNext());
            break;
        case IDC_CLOSE:
        case IDC_SHOW_HELP: DrawTextButton(item, true, false); break;
        case IDC_APPLY: DrawTextButton(item, false, m_hints.applyBold); break;
        case IDC_FOLDERS: DrawFolderItem(item); break;
        default: break;
    }
}

void MainWindow::DrawLabel(const DRAWITEMSTRUCT& item, UINT format, HGDIOBJ font, COLORREF color) {
    PaintBackground(m_look, item.hwndItem, item.hDC, item.rcItem);
    PaintText(item.hDC, WindowText(item.hwndItem).c_str(), item.rcItem, font, color, format);
}

void MainWindow::DrawIconBox(const DRAWITEMSTRUCT& item, HICON icon) {
    RECT box = item.rcItem;
    FillRect(item.hDC, &box, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(item.hDC, &box, EDGE_SUNKEN, BF_RECT);
    if (icon) DrawIconEx(item.hDC, box.left + 2, box.top + 2, icon, 32, 32, 0, nullptr, DI_NORMAL);
}

void MainWindow::DrawStrip(const DRAWITEMSTRUCT& item) {
    RECT view = item.rcItem;
    FillRect(item.hDC, &view, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(item.hDC, &view, BDR_SUNKENOUTER, BF_RECT);
    if (m_iconInView) {
        int left = view.left + (view.right - view.left - 32) / 2;
        int top = view.top + (view.bottom - view.top - 32) / 2;
        DrawIconEx(item.hDC, left, top, m_iconInView.get(), 32, 32, 0, nullptr, DI_NORMAL);
    }
}

void MainWindow::DrawArrow(const DRAWITEMSTRUCT& item, HGDIOBJ bitmap, bool enabled) {
    PaintBackground(m_look, item.hwndItem, item.hDC, item.rcItem);
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return;
    HDC memory = CreateCompatibleDC(item.hDC);
    HGDIOBJ old = SelectObject(memory, bitmap);
    // The arrow pictures hold both looks side by side: usable, then dimmed.
    int half = info.bmWidth / 2;
    bool pressed = (item.itemState & ODS_SELECTED) != 0;
    TransparentBlt(item.hDC, item.rcItem.left + (pressed ? 1 : 0), item.rcItem.top + (pressed ? 1 : 0), half,
                   info.bmHeight, memory, enabled ? 0 : half, 0, half, info.bmHeight, kMagenta);
    SelectObject(memory, old);
    DeleteDC(memory);
}

void MainWindow::DrawTextButton(const DRAWITEMSTRUCT& item, bool title, bool bold) {
    PaintBackground(m_look, item.hwndItem, item.hDC, item.rcItem);
    RECT area = item.rcItem;
    bool pressed = (item.itemState & ODS_SELECTED) != 0;
    if (!title) {
        // "Apply!" sits on a small raised plate.
        DrawEdge(item.hDC, &area, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);
    }
    if (pressed) OffsetRect(&area, 1, 1);
    COLORREF color = title ? (WindowText(item.hwndItem).size() > 1 ? Look::kHoverText : Look::kTitleText)
                           : Look::kText;
    HGDIOBJ font = (bold || title) ? m_look.boldFont.get() : m_look.font.get();
    PaintText(item.hDC, WindowText(item.hwndItem).c_str(), area, font, color,
              DT_SINGLELINE | DT_VCENTER | DT_CENTER);
}

void MainWindow::DrawFolderItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) return;
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (item.itemID >= m_folderLevels.size()) return;
    const FolderLevel& entry = m_folderLevels[item.itemID];
    int left = item.rcItem.left + 2 + entry.depth * 8;
    int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - 16) / 2;
    DrawIconEx(item.hDC, left, top, (entry.open ? m_folderOpen : m_folderClosed).get(), 16, 16, 0, nullptr,
               DI_NORMAL);
    RECT text = item.rcItem;
    text.left = left + 20;
    PaintText(item.hDC, entry.name.c_str(), text, m_look.font.get(),
              GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT),
              DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
}

}  // namespace corvessa
