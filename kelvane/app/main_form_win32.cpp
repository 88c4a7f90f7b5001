#include "kelvane/app/main_form_win32.h"

#include <ctime>

#include "kelvane/adjuster/adjuster_settings.h"
#include "kelvane/adjuster/adjuster_win32.h"
#include "kelvane/app/first_run_win32.h"
#include "kelvane/app/kelvane_names.h"
#include "kelvane/app/reg_commands_win32.h"
#include "kelvane/app/resource.h"
#include "kelvane/app/settings_dialog_win32.h"
#include "kelvane/components/kelvane_settings.h"
#include "kelvane/components/stored_value.h"
#include "kelvane/shellmaint/shell_maintenance_rules.h"
#include "platform/windows_list.h"

namespace kelvane {
namespace {

// Shows a window again at the bottom of the Z order without moving, sizing
// or activating it.
void ShowAtBottom(HWND window) {
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

std::unique_ptr<CMenuItem> Item(const char* caption, std::function<void()> onClick = {}) {
    return std::make_unique<CMenuItem>(caption, std::move(onClick));
}

}  // namespace

int MessageDialog(const std::string& text, UINT type) {
    const char* title = kApplicationTitle;
    if (type & MB_ICONERROR) title = "Error";
    if ((type & MB_ICONMASK) == MB_ICONINFORMATION) title = "Information";
    return MessageBoxA(nullptr, text.c_str(), title, type | MB_TASKMODAL);
}

TfrmMainKelvane::TfrmMainKelvane()
    : m_initiateMessage(RegisterWindowMessageA(kInitiateMessageName)),
      m_taskbarCreatedMessage(platform::TaskbarCreatedMessage()) {}

TfrmMainKelvane::~TfrmMainKelvane() {
    if (m_window) DestroyWindow(m_window);
}

bool TfrmMainKelvane::Create(HINSTANCE instance, const StartSwitches& switches) {
    WNDCLASSEXA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_KELVANE));
    windowClass.lpszClassName = kMainFormClass;
    if (!platform::RegisterWindowClass(windowClass)) return false;
    // Never shown: the program is reached through its tray icons only.
    if (!CreateBound(WS_EX_TOOLWINDOW, kMainFormClass, kApplicationTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0, 0,
                     200, 100, nullptr, nullptr, instance)) {
        return false;
    }

    ioControl.SetOwnerForm(m_window);
    ioControl.SetpCompany(kCompany);
    ioControl.SetpApplicationName(kApplicationName);
    ioControl.SetpUserSettings("Settings");
    ioControl.SetpSaveSection("Positions");
    ioControl.SetpSaveOptions({CSaveOption::soSaveLocation});
    ioControl.SetpSavePositions(true);
    ioControl.Title = kApplicationTitle;
    ioControl.ShowMainForm = false;
    ioControl.SetRegistryVersion(RegistryVersionOfModule());
    ioControl.pOnDataAspectChanged = [this](CControl&, int aspect) {
        if (aspect == kAspectDataSaved && !m_destroying) ApplySettings();
    };

    LoadIcons(instance);
    BuildMenus();
    tiKelvane = std::make_unique<TCoolTrayIcon>(m_window);
    tiKelvane->SetIconVisible(false);
    tiKelvane->SetIconList(&imglKelvaneIcons);
    tiKelvane->SetCycleInterval(500);
    tiKelvane->SetHint(kKelvaneTrayHint);
    tiKelvane->PopupMenu = mnuPopup.get();
    tiKelvane->SetIcon(imglKelvaneIcons.front());
    tiFinder = std::make_unique<TCoolTrayIcon>(m_window);
    tiFinder->SetIconVisible(false);
    tiFinder->SetIconList(&imglKelvaneIcons);
    tiFinder->SetHint(kFinderTrayHint);
    tiFinder->PopupMenu = mnuFinder.get();
    tiFinder->LeftPopup = true;
    tiFinder->SetIcon(imglFinderIcons.front());

    if (switches.check || switches.checkRun) {
        if (auto error = RunRegistryCommands(ioControl.pCompany(), ioControl.RegistryVersion())) ShowException(*error);
        if (switches.check) return false;
    }

    m_commands = std::make_unique<SystemMenuCommands>(ioControl, m_window);
    m_commands->OnLoadFailure = [](const std::string& message) {
        MessageDialog(message, MB_OK | MB_ICONERROR);
        ExitProcess(1);
    };
    m_commands->FollowSettings();
    PlugInSettingsDialog(instance);
    PlugInFinder(instance);
    OnEmptyDocuments = [this] { m_documents.EmptyNow(); };

    bool firstTimeRun = true;
    ioControl.Registry().ReadBool(kFirstTimeRunValue, firstTimeRun);
    if (firstTimeRun) FirstRun();
    if (GetAsyncKeyState(VK_SHIFT) != 0) ShiftPrompt();
    m_commands->SwitchSystemHooks(ioControl.Settings().AddSystemMenuCommands());
    ApplySettings();
    return true;
}

void TfrmMainKelvane::LoadIcons(HINSTANCE instance) {
    auto load = [instance](int id) {
        // Shared images: never destroyed, so they are still there whenever
        // the shell asks for an icon again.
        return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    };
    for (int id : {IDI_KELVANE, IDI_KELVANE_2, IDI_KELVANE_3}) imglKelvaneIcons.push_back(load(id));
    imglFinderIcons.push_back(load(IDI_FINDER));
}

void TfrmMainKelvane::BuildMenus() {
    mnuPopup = CIconPopupMenu::Create(m_window).menu;
    mnuFinder = CIconPopupMenu::Create(m_window).menu;
    auto quick = [this](const char* caption) {
        return Item(caption, [this, caption] {
            if (OnQuickCommand) OnQuickCommand(caption);
        });
    };

    CMenuItem& root = mnuPopup->Items();
    miEndFinderSeparator = &root.Add(Item(kMenuSeparatorCaption));
    CMenuItem& settings = root.Add(Item(kSettingsCaption, [this] {
        if (OnOpenSettings) OnOpenSettings();
    }));
    settings.isDefault = true;
    CMenuItem& commands = root.Add(Item(kQuickCommandsCaption));
    commands.Add(Item(kAdjustWindowsCaption, [this] { AdjustWindows(false); }));
    commands.Add(Item(kAdjustAllCaption, [this] { AdjustWindows(true); }));
    commands.Add(Item(kMenuSeparatorCaption));
    commands.Add(quick(kCloseAllCaption));
    commands.Add(Item(kMenuSeparatorCaption));
    commands.Add(quick(kHideAllCaption));
    commands.Add(Item(kRestoreHiddenCaption, [this] {
        if (m_commands) m_commands->RestoreHiddenWindows();
    }));
    commands.Add(Item(kMenuSeparatorCaption));
    commands.Add(quick(kMinimizeAllCaption));
    commands.Add(quick(kRestoreAllCaption));
    root.Add(Item(kMenuSeparatorCaption));
    root.Add(Item(kExitCaption, [this] { PostMessageA(m_window, WM_CLOSE, 0, 0); }));
    mnuPopup->Loaded();
    mnuPopup->OnPopup = [this](CIconPopupMenu& menu) {
        if (!ioControl.Settings().MergeFinderMenu()) return;
        if (OnRemoveMergedItems) OnRemoveMergedItems(menu);
        if (OnMergeWindowList) OnMergeWindowList(menu);
    };

    mnuFinder->Loaded();
    mnuFinder->OnPopup = [this](CIconPopupMenu& menu) {
        if (OnBuildFinderMenu) OnBuildFinderMenu(menu);
    };
}

void TfrmMainKelvane::PlugInFinder(HINSTANCE instance) {
    m_windowMenu = std::make_unique<WindowMenu>(ioControl, instance);
    m_finderMenu = std::make_unique<FinderMenu>(m_window);
    OnRemoveMergedItems = [this](CIconPopupMenu& menu) { m_windowMenu->RemoveMergedItems(menu); };
    OnMergeWindowList = [this](CIconPopupMenu& menu) { m_windowMenu->Merge(menu, ExplorerHidesFullPaths()); };
    OnBuildFinderMenu = [this](CIconPopupMenu& menu) {
        m_finderMenu->Build(menu, ioControl.Settings().ShowFinderIcons());
    };
    OnQuickCommand = [this](const char* caption) {
        const std::string command = caption;
        auto hide = [this](HWND window) { m_commands->HideWindow(window); };
        if (command == kCloseAllCaption) RunQuickCommand(QuickCommand::CloseAll, hide);
        if (command == kHideAllCaption) RunQuickCommand(QuickCommand::HideAll, hide);
        if (command == kMinimizeAllCaption) RunQuickCommand(QuickCommand::MinimizeAll, hide);
        if (command == kRestoreAllCaption) RunQuickCommand(QuickCommand::RestoreAll, hide);
    };
}

void TfrmMainKelvane::PlugInSettingsDialog(HINSTANCE instance) {
    OnOpenSettings = [this, instance] {
        SettingsDialogActions actions;
        actions.emptyNow = [this] {
            if (OnEmptyDocuments) OnEmptyDocuments();
        };
        TfrmKelvaneSettings::Open(instance, m_window, ioControl, std::move(actions));
    };
}

void TfrmMainKelvane::FirstRun() {
    CreateStartupShortcut(ioControl.pApplicationName());
    RecordCascadeFolders(ioControl.Registry());
    if (ExplorerHidesFullPaths()) MessageDialog(kFullPathHint, MB_OK);
}

void TfrmMainKelvane::ShiftPrompt() {
    if (MessageDialog(kShiftPrompt, MB_YESNO | MB_ICONINFORMATION) != IDYES) return;
    ioControl.Registry().WriteBool(DescriptorOf(KelvaneSetting::AddSystemMenuCommands).valueName, false);
    // The value in force is the one in memory: keep it the same as the stored one.
    ioControl.KelvaneData().Settings().SetAddSystemMenuCommands(false);
    ioControl.NotifyDataAspect(kAspectDataSaved);
}

void TfrmMainKelvane::ApplySettings() {
    const KelvaneSettings& settings = ioControl.Settings();
    if (!settings.MergeFinderMenu()) {
        if (OnRemoveMergedItems) OnRemoveMergedItems(*mnuPopup);
        miEndFinderSeparator->visible = false;
    } else {
        miEndFinderSeparator->visible = true;
    }

    tiKelvane->Refresh();
    tiFinder->Refresh();
    tiKelvane->LeftPopup = settings.KelvaneAnyClickPopup();
    tiKelvane->ShowIcon();
    tiFinder->SetIconVisible(settings.ShowFinderTrayIcon());

    KillTimer(m_window, kShiftWindowsTimer);
    if (settings.AutoAdjustWindows()) {
        SetTimer(m_window, kShiftWindowsTimer, static_cast<UINT>(settings.AdjustFrequency()), nullptr);
    }
    KillTimer(m_window, kEmptyDocumentsTimer);
    if (auto interval = EmptyDocumentsTimerInterval(settings)) {
        SetTimer(m_window, kEmptyDocumentsTimer, *interval, nullptr);
    }
    SetTimer(m_window, kMinuteTimer, kMinuteInterval, nullptr);

    if (!settings.AddSystemMenuCommands() && m_commands) m_commands->RemoveCommandsFromAllWindows();
}

LRESULT TfrmMainKelvane::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (m_commands && m_commands->HandleMessage(message, wParam, lParam, result)) return result;
    if (message == m_initiateMessage || message == m_taskbarCreatedMessage) {
        ScheduleIconReAdd();
        return 0;
    }
    switch (message) {
    case WM_TIMER: return OnTimer(wParam);
    case WM_CLOSE: return OnClose();
    case WM_DESTROY: return OnDestroy();
    }
    return DefaultHandling(message, wParam, lParam);
}

LRESULT TfrmMainKelvane::OnTimer(UINT_PTR timer) {
    switch (timer) {
    case kShiftWindowsTimer: ShiftWindowsTick(); break;
    case kEmptyDocumentsTimer: EmptyDocumentsTick(); break;
    case kMinuteTimer: MinuteTick(); break;
    case kReAddIconsTimer: ReAddIcons(); break;
    }
    return 0;
}

void TfrmMainKelvane::ShiftWindowsTick() {
    KillTimer(m_window, kShiftWindowsTimer);
    const KelvaneSettings& settings = ioControl.Settings();
    adjuster::AdjustAllWindows(adjuster::AdjusterSettingsFrom(settings), AdjustAllMode,
                               [this](HWND window) { return ioControl.NeverAdjustWindows.Contains(window); });
    if (ioControl.Settings().AutoAdjustWindows()) {
        SetTimer(m_window, kShiftWindowsTimer, static_cast<UINT>(ioControl.Settings().AdjustFrequency()), nullptr);
    }
}

void TfrmMainKelvane::AdjustWindows(bool all) {
    auto neverAdjust = [this](HWND window) { return ioControl.NeverAdjustWindows.Contains(window); };
    if (!all) {
        adjuster::AdjustAllWindows(adjuster::AdjusterSettingsFrom(ioControl.Settings()), AdjustAllMode, neverAdjust);
        return;
    }
    KillTimer(m_window, kShiftWindowsTimer);
    AdjustAllMode = true;
    adjuster::AdjustAllWindows(adjuster::AdjusterSettingsFrom(ioControl.Settings()), AdjustAllMode, neverAdjust);
    AdjustAllMode = false;
    if (ioControl.Settings().AutoAdjustWindows()) {
        SetTimer(m_window, kShiftWindowsTimer, static_cast<UINT>(ioControl.Settings().AdjustFrequency()), nullptr);
    }
}

void TfrmMainKelvane::EmptyDocumentsTick() {
    KillTimer(m_window, kEmptyDocumentsTimer);
    if (OnEmptyDocuments) OnEmptyDocuments();
    if (auto interval = EmptyDocumentsTimerInterval(ioControl.Settings())) {
        SetTimer(m_window, kEmptyDocumentsTimer, *interval, nullptr);
    }
}

void TfrmMainKelvane::MinuteTick() {
    KillTimer(m_window, kMinuteTimer);
    SYSTEMTIME now = {};
    GetLocalTime(&now);
    if (HousekeepingDue(now.wMinute)) {
        if (m_commands) m_commands->PruneWindowLists();
        ProcessPendingMessages();
    }
    if (m_window) SetTimer(m_window, kMinuteTimer, kMinuteInterval, nullptr);
}

void TfrmMainKelvane::ScheduleIconReAdd() {
    // Two seconds for the new taskbar to settle; messages go on meanwhile.
    SetTimer(m_window, kReAddIconsTimer, kReAddIconsDelay, nullptr);
}

void TfrmMainKelvane::ReAddIcons() {
    KillTimer(m_window, kReAddIconsTimer);
    tiKelvane->HideIcon();
    tiFinder->HideIcon();
    tiKelvane->ShowIcon();
    tiFinder->ShowIcon();
}

void TfrmMainKelvane::ShowException(const std::string& message) {
    MessageDialog(message, MB_OK | MB_ICONERROR);
}

LRESULT TfrmMainKelvane::OnClose() {
    if (!m_closed) {
        m_closed = true;
        for (HWND window : platform::TopLevelWindows()) {
            if (IsExplorerWindow(window) && IsWindow(window) && !IsWindowVisible(window)) {
                ShowAtBottom(window);
            }
        }
        if (m_commands) {
            m_commands->RestoreHiddenWindows();
            m_commands->UndoTopmostWindows();
            m_commands->RemoveCommandsFromAllWindows();
        }
        ioControl.OwnerClosing();
    }
    DestroyWindow(m_window);
    return 0;
}

LRESULT TfrmMainKelvane::OnDestroy() {
    m_destroying = true;
    for (UINT_PTR timer : {kShiftWindowsTimer, kEmptyDocumentsTimer, kMinuteTimer, kReAddIconsTimer}) {
        KillTimer(m_window, timer);
    }
    if (m_commands) m_commands->SwitchSystemHooks(false);
    ioControl.Registry().WriteBool(kFirstTimeRunValue, false);
    tiKelvane.reset();
    tiFinder.reset();
    PostQuitMessage(0);
    return 0;
}

}  // namespace kelvane
