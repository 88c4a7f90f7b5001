#include "quillet/app/main_window_win32.h"

#include "quillet/app/app_rules.h"
#include "quillet/app/quillet_names.h"
#include "quillet/app/resource.h"
#include "quillet/menus/tray_menu.h"
#include "quillet/options/options.h"
#include "quillet/strings/strings_win32.h"
#include "quillet/ui/item_icons.h"
#include "quillet/ui/messages.h"

namespace quillet {

static_assert(IDM_CLOSE == kCommandClose && IDM_PROPERTIES == kCommandProperties && IDM_NEW == kCommandNew &&
              IDM_ABOUT == kCommandAbout && IDM_TIP == kCommandTip &&
              IDM_GENERAL_PROPERTIES == kCommandGeneralProperties && IDM_REMOVE == kCommandRemove);

namespace {

// Process-wide: a tray message that arrives while another is handled (from
// the messages dispatched below, or a menu's own loop) is dropped.
bool s_handlingTrayMessage = false;

// The small icon a tray icon shows: its exact 16 x 16 image, else its small
// icon, else its large one.
HICON TrayIconImage(const Object& icon) {
    for (IconSize size : {IconSize::ExactSmall, IconSize::Small, IconSize::Large}) {
        if (HICON image = ItemIcon(icon, size)) return image;
    }
    return nullptr;
}

// Lets the messages that are already waiting run before a menu takes over
// the thread. A quit message is put back for the main loop to find, and
// then false says that the program is ending.
bool DispatchWaitingMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return true;
}

// A counted stretch in which a modal window runs for the main window.
class BusyScope {
public:
    explicit BusyScope(int& busy) : m_busy(busy) { ++m_busy; }
    ~BusyScope() { --m_busy; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    int& m_busy;
};

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        LocalizeDialog(App().Texts(), dialog, reinterpret_cast<HMODULE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    default: break;
    }
    return FALSE;
}

}  // namespace

MainWindow::MainWindow(Application& application) : m_application(application) {}

MainWindow::~MainWindow() {
    m_application.Model().Root()->SetHotkeyChanged(nullptr);
    if (m_window) DestroyWindow(m_window);
    UnregisterHotkey();
    RemoveTrayIcons();
}

MainWindow::CreateResult MainWindow::Create(HINSTANCE instance) {
    const std::string className = m_application.Texts().ExpandMacros(kMainWindowClassPattern);
    if (HWND running = FindWindowA(className.c_str(), nullptr)) {
        SetForegroundWindow(GetLastActivePopup(running));
        return CreateResult::OtherInstance;
    }
    m_instance = instance;
    const RegisteredMessages& messages = QuilletMessages();
    m_messageTable = {
        {messages.trayMessage, &MainWindow::OnTrayMessage},
        {messages.newFile, &MainWindow::OnNewFile},
        {messages.getPointer, &MainWindow::OnGetPointer},
        {platform::TaskbarCreatedMessage(), &MainWindow::OnTaskbarCreated},
        {WM_HOTKEY, &MainWindow::OnHotkey},
        {WM_DESTROY, &MainWindow::OnDestroy},
        {kEndOfMessageTable, nullptr},
    };

    WNDCLASSEXA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_QUILLET));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className.c_str();
    if (!platform::RegisterWindowClass(windowClass)) return CreateResult::Failed;
    // Never shown: it owns the tray icons, the hotkey and the dialogs.
    if (!CreateBound(0, className.c_str(), "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                     CW_USEDEFAULT, nullptr, nullptr, instance)) {
        return CreateResult::Failed;
    }
    m_application.Model().Root()->SetHotkeyChanged([this] { ApplyHotkey(); });
    return CreateResult::Created;
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!m_messageTable.empty() && DispatchFromTable(*this, m_messageTable.data(), message, wParam, lParam, &result)) {
        return result;
    }
    return DefaultHandling(message, wParam, lParam);
}

void MainWindow::RefreshTrayIcons() {
    if (!m_window) return;
    if (!m_firstRefreshDone) {
        ShowTips(m_window, false);
        m_firstRefreshDone = true;
    }
    IconSetRoot* root = m_application.Model().Root();
    const size_t count = root->Count();
    for (size_t i = 0; i < count; ++i) {
        RefPtr<Object> icon = root->GetChild(i);
        const std::string tip = TrayTipText(icon->ReadText(kTagTrayTip));
        HICON image = TrayIconImage(*icon);
        if (i < m_trayIcons.size()) {
            m_trayIcons[i]->Update(image, tip);
        } else {
            m_trayIcons.push_back(std::make_unique<platform::TrayIcon>(
                m_window, static_cast<UINT>(kFirstTrayIconId + i), QuilletMessages().trayMessage));
            m_trayIcons.back()->Add(image, tip);
        }
    }
    for (size_t i = count; i < m_trayIcons.size(); ++i) m_trayIcons[i]->Remove();
    m_trayIcons.resize(count);
}

void MainWindow::RemoveTrayIcons() {
    for (auto& icon : m_trayIcons) icon->Remove();
    m_trayIcons.clear();
}

void MainWindow::ApplyHotkey() {
    UnregisterHotkey();
    if (!m_window) return;
    IconSetRoot* root = m_application.Model().Root();
    std::optional<uint32_t> hotkey =
        HotkeyToRegister(root->ReadInteger(kTagHotkeyMode), root->ReadInteger(kTagCustomHotkey));
    if (!hotkey) return;
    // A hotkey another program holds is not registered; the setting stays.
    RegisterHotKey(m_window, kHotkeyId, *hotkey >> 8, *hotkey & 0xFF);
    m_hotkeyRegistered = true;
}

void MainWindow::UnregisterHotkey() {
    if (!m_hotkeyRegistered) return;
    if (m_window) UnregisterHotKey(m_window, kHotkeyId);
    m_hotkeyRegistered = false;
}

void MainWindow::HandleCommandLine(const std::vector<std::string>& arguments) {
    std::optional<std::string> path = NewItemPathFromArguments(arguments);
    if (!path || !m_window) return;
    m_pendingPath = *path;
    PostMessageA(m_window, QuilletMessages().newFile, 0, 0);
}

LRESULT MainWindow::OnTrayMessage(WPARAM id, LPARAM mouseMessage) {
    IconSetRoot* root = m_application.Model().Root();
    TrayAction action = ClassifyTrayMessage(root->ReadInteger(kTagClickMode, 1), static_cast<uint32_t>(mouseMessage));
    if (action == TrayAction::Ignore) return 0;
    if (m_busy > 0) {
        // A dialog of ours is open: it comes forward instead of a menu.
        HWND popup = GetLastActivePopup(m_window);
        if (popup && popup != m_window) SetForegroundWindow(popup);
        return 0;
    }
    if (s_handlingTrayMessage) return 0;
    s_handlingTrayMessage = true;
    SetForegroundWindow(m_window);
    SetFocus(m_window);
    // The program is ending: no menu. Wine's menu loop was seen never to
    // return with a quit message waiting.
    if (!DispatchWaitingMessages()) {
        s_handlingTrayMessage = false;
        return 0;
    }
    if (action == TrayAction::OpenMenu) {
        if (std::optional<size_t> index = TrayIconIndex(static_cast<uint32_t>(id), root->Count()))
            OpenTrayIconMenu(*index);
    } else {
        ShowCommandMenu();
    }
    s_handlingTrayMessage = false;
    // A path handed over while the menu was open.
    if (m_window && !m_pendingPath.empty()) TakeUpPendingPath();
    return 0;
}

void MainWindow::OpenTrayIconMenu(size_t index) {
    RefPtr<Object> icon = m_application.Model().Root()->GetChild(index);
    if (!icon) return;
    BusyScope busy(m_busy);
    const std::string sound = icon->ReadText(kTagClickSound);
    if (!sound.empty()) PlaySoundFile(sound);
    ShowTrayIconMenu(*icon, m_window);
}

void MainWindow::ShowCommandMenu() {
    platform::unique_hmenu menu(LoadMenuA(m_instance, MAKEINTRESOURCEA(IDM_TRAY_COMMANDS)));
    HMENU commands = menu ? GetSubMenu(menu.get(), 0) : nullptr;
    if (!commands) return;
    const bool locked = m_application.Model().Root()->ReadBoolean(kTagLocked);
    for (uint32_t command : CommandMenuRemovals(locked)) DeleteMenu(commands, command, MF_BYCOMMAND);
    LocalizeMenu(m_application.Texts(), commands);
    POINT cursor = {};
    GetCursorPos(&cursor);
    UINT command = 0;
    {
        BusyScope busy(m_busy);
        command = platform::ShowTrayMenu(m_window, commands, cursor, TPM_RETURNCMD | TPM_RIGHTBUTTON);
    }
    menu.reset();
    RunCommand(command);
}

void MainWindow::RunCommand(UINT command) {
    switch (command) {
    case kCommandClose: Close(); break;
    case kCommandProperties: {
        BusyScope busy(m_busy);
        ShowOptions(m_window);
        // The options may have added, removed or reordered tray icons.
        RefreshTrayIcons();
        break;
    }
    case kCommandNew: {
        BusyScope busy(m_busy);
        if (m_application.RunNewItemWizard(m_window, nullptr, std::string())) {
            m_application.SaveIconSet(m_window);
            RefreshTrayIcons();
        }
        break;
    }
    case kCommandAbout: {
        BusyScope busy(m_busy);
        ShowAboutBox(m_window);
        break;
    }
    case kCommandTip: {
        BusyScope busy(m_busy);
        ShowTips(m_window, true);
        break;
    }
    default: break;
    }
}

void MainWindow::Close() {
    if (m_application.Model().Root()->ReadBoolean(kTagConfirmExit, true)) {
        BusyScope busy(m_busy);
        if (ShowMessage(m_window, MB_YESNO | MB_ICONQUESTION, "msgConfirmExit") != IDYES) return;
    }
    DestroyWindow(m_window);
}

LRESULT MainWindow::OnHotkey(WPARAM id, LPARAM) {
    if (static_cast<int>(id) == kHotkeyId) OnTrayMessage(kFirstTrayIconId, WM_LBUTTONDOWN);
    return 0;
}

LRESULT MainWindow::OnNewFile(WPARAM atom, LPARAM) {
    if (atom != 0) {
        // The sender owns the atom and deletes it.
        char path[MAX_PATH] = {};
        UINT length = GlobalGetAtomNameA(static_cast<ATOM>(atom), path, sizeof path);
        if (length == 0) return 0;
        m_pendingPath.assign(path, length);
        PostMessageA(m_window, QuilletMessages().newFile, 0, 0);
        return 0;
    }
    // While a menu or dialog runs the path waits for it to end.
    if (m_busy == 0 && !m_pendingPath.empty()) TakeUpPendingPath();
    return 0;
}

void MainWindow::TakeUpPendingPath() {
    const std::string path = m_pendingPath;
    {
        BusyScope busy(m_busy);
        if (m_application.RunNewItemWizard(m_window, nullptr, path)) {
            m_application.SaveIconSet(m_window);
            RefreshTrayIcons();
        }
    }
    // A path handed over while the wizard ran waits for its own turn.
    if (m_pendingPath == path) {
        m_pendingPath.clear();
    } else if (m_window) {
        PostMessageA(m_window, QuilletMessages().newFile, 0, 0);
    }
}

LRESULT MainWindow::OnDestroy(WPARAM, LPARAM) {
    UnregisterHotkey();
    RemoveTrayIcons();
    PostQuitMessage(0);
    return 0;
}

// A restarted shell has forgotten every icon: without them the program could
// not be reached at all, so they go up again at once.
LRESULT MainWindow::OnTaskbarCreated(WPARAM, LPARAM) {
    for (auto& icon : m_trayIcons) icon->Restore();
    return 0;
}

LRESULT MainWindow::OnGetPointer(WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>(static_cast<FrameworkWindow*>(this));
}

void ShowAboutBox(HWND owner) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutBoxProc, 0);
}

}  // namespace quillet
