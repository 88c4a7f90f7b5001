#include "corvessa/main_window_win32.h"

#include "corvessa/control_text_win32.h"
#include "corvessa/recycle_registry_win32.h"
#include "corvessa/resource.h"
#include "platform/error_text.h"

namespace corvessa {

namespace {

const int kClientWidth = 380;
const int kClientHeight = 340;
const int kIconBoxSize = 36;
const int kStripView = 42;

struct Placement {
    int x;
    int y;
    int width;
    int height;
};

// Every control of the window: its class, style, place and first text.
struct ControlLayout {
    int id;
    const char* className;
    DWORD style;
    Placement place;
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
    {IDC_DRIVES,
     "COMBOBOX",
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS,
     {196, 58, 168, 200},
     ""},
    {IDC_FOLDERS,
     "LISTBOX",
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
         LBS_NOINTEGRALHEIGHT,
     {196, 84, 168, 112},
     ""},
    {IDC_FILES,
     "LISTBOX",
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_SORT | LBS_HASSTRINGS |
         LBS_NOINTEGRALHEIGHT,
     {196, 200, 168, 100},
     ""},
    {IDC_FILTER,
     "COMBOBOX",
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
     {232, 306, 80, 120},
     ""},
};

platform::unique_hicon IconOfStoredValue(HINSTANCE instance, const std::string& value) {
    auto location = SplitIconLocation(value);
    return location ? IconAt(instance, *location) : platform::unique_hicon();
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

MainWindow::MainWindow(HINSTANCE instance) : m_instance(instance), m_help(instance, m_look), m_strip(instance) {}

bool MainWindow::Create(int showCommand, std::string& failure) {
    if (!m_look.Load(m_instance, failure)) return false;
    m_pictures.Load(m_instance);
    WNDCLASSEXA windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = m_instance;
    windowClass.hIcon = LoadIconA(m_instance, MAKEINTRESOURCEA(IDI_CORVESSA));
    // Shared: the class keeps it for as long as the process runs.
    windowClass.hIconSm = static_cast<HICON>(
        LoadImageA(m_instance, MAKEINTRESOURCEA(IDI_CORVESSA), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR | LR_SHARED));
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = CORVESSA_MAIN_CLASS;
    if (!platform::RegisterWindowClass(windowClass)) {
        failure = platform::CallErrorText("RegisterClassEx");
        return false;
    }

    RECT frame = {0, 0, kClientWidth, kClientHeight};
    const DWORD style = WS_POPUP | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT work = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int left = work.left + (work.right - work.left - width) / 2;
    int top = work.top + (work.bottom - work.top - height) / 2;
    if (!CreateBound(WS_EX_APPWINDOW, CORVESSA_MAIN_CLASS, "Corvessa", style, left, top, width, height, nullptr,
                     nullptr, m_instance)) {
        failure = platform::CallErrorText("CreateWindowEx");
        return false;
    }
    ShowWindow(m_window, showCommand);
    SetFocus(Control(IDC_NEW_NAME));
    UpdateWindow(m_window);
    return true;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    switch (message) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
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
    default: return DefaultHandling(message, wParam, lParam);
    }
}

void MainWindow::OnCreate() {
    AddSystemMenuExtras();
    CreateControls();
    LoadFromRegistry();
    m_browser.Start(m_window);
}

void MainWindow::OnDestroy() {
    m_help.Close();
    PostQuitMessage(0);
}

void MainWindow::AddSystemMenuExtras() {
    HMENU systemMenu = GetSystemMenu(m_window, FALSE);
    platform::unique_hmenu extras(LoadMenuA(m_instance, MAKEINTRESOURCEA(IDM_SYSTEM_EXTRAS)));
    HMENU items = extras ? GetSubMenu(extras.get(), 0) : nullptr;
    if (!systemMenu || !items) return;
    AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    for (int i = 0, count = GetMenuItemCount(items); i < count; ++i) {
        char text[64] = {};
        GetMenuStringA(items, i, text, sizeof text, MF_BYPOSITION);
        AppendMenuA(systemMenu, MF_STRING, GetMenuItemID(items, i), text);
    }
}

void MainWindow::CreateControls() {
    for (const ControlLayout& layout : kControls) {
        HWND control = CreateWindowExA(0, layout.className, layout.text, layout.style, layout.place.x, layout.place.y,
                                       layout.place.width, layout.place.height, m_window,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), m_instance, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_look.font.get()), FALSE);
    }
    SendMessageA(Control(IDC_NEW_NAME), EM_LIMITTEXT, 0, 0);
    m_strip.Start(m_window);
}

void MainWindow::LoadFromRegistry() {
    m_storedName = ReadText(HKEY_LOCAL_MACHINE, kRecycleBinKey, "");
    SetWindowTextA(Control(IDC_CURRENT_NAME), m_storedName.c_str());
    SetWindowTextA(Control(IDC_NEW_NAME), m_storedName.c_str());

    auto loadIcon = [&](const char* value, std::string& loaded, platform::unique_hicon& icon) {
        auto location = SplitIconLocation(ReadText(HKEY_LOCAL_MACHINE, kRecycleBinIconKey, value));
        loaded = location ? FormatIconLocation(*location) : std::string();
        icon = IconOfStoredValue(m_instance, ReadText(HKEY_LOCAL_MACHINE, kRecycleBinIconKey, value, true));
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

void MainWindow::OnCommand(int id, int code) {
    switch (id) {
    case IDC_CLOSE:
        ShowWindow(m_window, SW_HIDE);
        DestroyWindow(m_window);
        break;
    case IDC_SHOW_HELP: m_help.Show(m_window); break;
    case IDC_APPLY: Apply(); break;
    case IDC_NEW_FULL: SetTarget(Target::Full); break;
    case IDC_NEW_EMPTY: SetTarget(Target::Empty); break;
    case IDC_PREVIOUS: m_strip.Step(-1); break;
    case IDC_NEXT: m_strip.Step(+1); break;
    case IDC_STRIP: AssignIconInView(); break;
    case IDOK:
        // Enter, as the dialog keys deliver it: opens the folder in focus.
        if (GetFocus() == m_browser.FolderList()) m_browser.OnFolderChosen();
        break;
    case IDC_DRIVES:
        if (code == CBN_SELCHANGE) m_browser.OnDriveChosen();
        break;
    case IDC_FOLDERS:
        if (code == LBN_DBLCLK) m_browser.OnFolderChosen();
        break;
    case IDC_FILES:
        if (code == LBN_SELCHANGE) FillStrip();
        break;
    case IDC_FILTER:
        if (code == CBN_SELCHANGE) m_browser.OnFilterChanged(true);
        if (code == CBN_EDITCHANGE) m_browser.OnFilterChanged(false);
        break;
    default: break;
    }
}

void MainWindow::OnSystemCommand(WPARAM command, LPARAM lParam) {
    switch (command & 0xFFF0) {
    case IDM_HELP_TOPICS: m_help.Show(m_window); break;
    case IDM_ABOUT: DialogBoxParamA(m_instance, MAKEINTRESOURCEA(IDD_ABOUT), m_window, AboutProc, 0); break;
    default: DefaultHandling(WM_SYSCOMMAND, command, lParam); break;
    }
}

void MainWindow::FillStrip() {
    if (auto file = m_browser.ChosenFile()) m_strip.Fill(*file, StripModeForFilter(m_browser.Filter()));
}

void MainWindow::AssignIconInView() {
    auto location = m_strip.LocationInView();
    if (!location) return;
    platform::unique_hicon icon = IconAt(m_instance, *location);
    if (!icon) return;
    if (m_target == Target::Full) {
        m_newFullIcon = std::move(icon);
        m_chosenFull = FormatIconLocation(*location);
        InvalidateRect(Control(IDC_NEW_FULL), nullptr, FALSE);
    } else {
        m_newEmptyIcon = std::move(icon);
        m_chosenEmpty = FormatIconLocation(*location);
        InvalidateRect(Control(IDC_NEW_EMPTY), nullptr, FALSE);
    }
}

void MainWindow::SetTarget(Target target) {
    m_target = target;
    RECT frames = TargetFramesArea(Control(IDC_NEW_FULL), Control(IDC_NEW_EMPTY));
    InvalidateRect(m_window, &frames, FALSE);
}

// ---- pointer -------------------------------------------------------------

LRESULT MainWindow::OnSetCursor(HWND over, UINT mouseMessage) {
    if (mouseMessage == WM_MOUSEMOVE) {
        PointerOver place = PointerOver::Elsewhere;
        if (over == m_window)
            place = PointerOver::Background;
        else if (over == Control(IDC_CLOSE))
            place = PointerOver::CloseLabel;
        else if (over == Control(IDC_SHOW_HELP))
            place = PointerOver::HelpLabel;
        else if (over == Control(IDC_APPLY))
            place = PointerOver::ApplyLabel;
        else if (over == Control(IDC_FILES))
            place = PointerOver::FileList;
        else if (over == Control(IDC_POSITION))
            place = PointerOver::PositionLabel;
        ShowHints(HintsAfterMove(m_hints, place));
    }
    // Controls choose their own pointer (the edit's text cursor, say).
    if (over != m_window) return FALSE;
    return DefaultHandling(WM_SETCURSOR, reinterpret_cast<WPARAM>(over), MAKELPARAM(HTCLIENT, mouseMessage));
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

void MainWindow::Paint(HDC dc) {
    PaintMainWindow(m_look, m_pictures, m_window, dc, Control(m_target == Target::Full ? IDC_NEW_FULL : IDC_NEW_EMPTY));
}

void MainWindow::OnMeasureItem(MEASUREITEMSTRUCT& item) {
    if (item.CtlID == IDC_FOLDERS) item.itemHeight = 18;
}

void MainWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const UINT plain = DT_SINGLELINE | DT_VCENTER;
    switch (item.CtlID) {
    case IDC_CURRENT_NAME: DrawLabel(m_look, item, plain | DT_END_ELLIPSIS, m_look.boldFont.get(), Look::kText); break;
    case IDC_CURRENT_NAME_CAPTION:
    case IDC_RENAME_CAPTION:
    case IDC_POSITION: DrawLabel(m_look, item, plain, m_look.font.get(), Look::kText); break;
    case IDC_FULL_CAPTION:
    case IDC_EMPTY_CAPTION: DrawLabel(m_look, item, plain | DT_CENTER, m_look.font.get(), Look::kText); break;
    case IDC_CURRENT_FULL: DrawIconBox(item, m_currentFullIcon.get()); break;
    case IDC_CURRENT_EMPTY: DrawIconBox(item, m_currentEmptyIcon.get()); break;
    case IDC_NEW_FULL: DrawIconBox(item, m_newFullIcon.get()); break;
    case IDC_NEW_EMPTY: DrawIconBox(item, m_newEmptyIcon.get()); break;
    case IDC_STRIP: DrawIconView(item, m_strip.IconInView()); break;
    case IDC_PREVIOUS: DrawArrow(m_look, item, m_pictures.previousArrow.get(), m_strip.CanStepPrevious()); break;
    case IDC_NEXT: DrawArrow(m_look, item, m_pictures.nextArrow.get(), m_strip.CanStepNext()); break;
    case IDC_CLOSE:
    case IDC_SHOW_HELP: DrawTitleButton(m_look, item); break;
    case IDC_APPLY: DrawPlateButton(m_look, item, m_hints.applyBold); break;
    case IDC_FOLDERS: DrawFolderItem(m_look, m_pictures, item, m_browser.Level(item.itemID)); break;
    default: break;
    }
}

}  // namespace corvessa
