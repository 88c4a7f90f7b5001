#include "kelvane/app/settings_dialog_win32.h"

#include <commctrl.h>

#include "kelvane/app/first_run_win32.h"
#include "kelvane/app/help_win32.h"
#include "kelvane/app/kelvane_names.h"
#include "kelvane/app/resource.h"
#include "kelvane/app/settings_dialog_resource.h"
#include "kelvane/components/dialog_control_rules.h"
#include "kelvane/shellmaint/shell_maintenance_win32.h"
#include "platform/version_info.h"

namespace kelvane {
namespace {

constexpr int kClientWidth = 382;
constexpr int kClientHeight = 361;
constexpr int kLeft = 120;
constexpr int kTop = 120;
constexpr int kFrequencyMaximum = 10;
constexpr int kOffscreenMinimum = 5;
constexpr int kOffscreenMaximum = 100;
constexpr int kOffscreenStep = 5;
constexpr int kDelayMinimum = 1;
constexpr int kDelayMaximum = 60;
constexpr const char* kResetQuestion = "Are you sure you want to restore all settings to the factory defaults?";
constexpr const char* kMailUrl = "mailto:kelvane@nimbrel.example";
constexpr const char* kWebUrl = "https://www.nimbrel.example/";
constexpr COLORREF kLinkColour = RGB(0, 0, 255);
constexpr COLORREF kLinkHoverColour = RGB(255, 0, 0);
constexpr int kPageTemplates[kSettingsPageCount] = {IDD_PAGE_GENERAL, IDD_PAGE_ADJUSTER, IDD_PAGE_START_MENU,
                                                    IDD_PAGE_ABOUT};

// The program-wide reference to the open dialog.
std::unique_ptr<TfrmKelvaneSettings> s_open;
HWND s_openWindow = nullptr;

bool FileExists(const std::string& path) {
    return !path.empty() && GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

void TfrmKelvaneSettings::Open(HINSTANCE instance, HWND owner, CKelvane& control, SettingsDialogActions actions) {
    if (s_openWindow) {
        ShowWindow(s_openWindow, SW_SHOWNORMAL);
        SetForegroundWindow(s_openWindow);
        return;
    }
    static bool commonControls = [] {
        INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
        return InitCommonControlsEx(&classes) != FALSE;
    }();
    (void)commonControls;
    s_open.reset(new TfrmKelvaneSettings(control, std::move(actions)));
    HWND dialog = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_SETTINGS), owner, DialogProc,
                                     reinterpret_cast<LPARAM>(s_open.get()));
    if (!dialog) {
        s_open.reset();
        return;
    }
    ShowWindow(dialog, SW_SHOWNORMAL);
    SetForegroundWindow(dialog);
}

HWND TfrmKelvaneSettings::Current() {
    return s_openWindow;
}

bool TfrmKelvaneSettings::HandleDialogKeys(MSG& message) {
    return s_openWindow && ::IsDialogMessageA(s_openWindow, &message);
}

TfrmKelvaneSettings::TfrmKelvaneSettings(CKelvane& control, SettingsDialogActions actions)
    : m_control(control), m_actions(std::move(actions)) {}

INT_PTR CALLBACK TfrmKelvaneSettings::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<TfrmKelvaneSettings*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        self->m_dialog = dialog;
        s_openWindow = dialog;
        self->OnInitDialog(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)));
        return TRUE;
    }
    auto* self = reinterpret_cast<TfrmKelvaneSettings*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!self) return FALSE;
    INT_PTR result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The close action frees the form, and with it the program-wide reference.
        SetWindowLongPtrA(dialog, DWLP_USER, 0);
        s_openWindow = nullptr;
        s_open.reset();
    }
    return result;
}

INT_PTR CALLBACK TfrmKelvaneSettings::PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrA(page, DWLP_USER, lParam);
        return FALSE;
    }
    auto* self = reinterpret_cast<TfrmKelvaneSettings*>(GetWindowLongPtrA(page, DWLP_USER));
    return self ? self->HandlePageMessage(page, message, wParam, lParam) : FALSE;
}

INT_PTR TfrmKelvaneSettings::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_NOTIFY:
        if (reinterpret_cast<NMHDR*>(lParam)->hwndFrom == m_tabs &&
            reinterpret_cast<NMHDR*>(lParam)->code == TCN_SELCHANGE) {
            ShowPage(TabCtrl_GetCurSel(m_tabs));
        }
        return TRUE;
    case WM_HELP: Help(); return TRUE;
    case WM_SETCURSOR: return OnSetCursor(reinterpret_cast<HWND>(wParam));
    case WM_CLOSE: DestroyWindow(m_dialog); return TRUE;
    case WM_DESTROY: OnDestroy(); return TRUE;
    }
    return FALSE;
}

INT_PTR TfrmKelvaneSettings::HandlePageMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_HSCROLL:
        if (reinterpret_cast<HWND>(lParam) == tbAdjustFrequency.Window()) OnFrequencyTrackBarMoved();
        return TRUE;
    case WM_VSCROLL:
        if (reinterpret_cast<HWND>(lParam) == udAdjustFrequency.Window()) OnFrequencyUpDownClicked();
        return TRUE;
    case WM_SETCURSOR: return OnSetCursor(reinterpret_cast<HWND>(wParam));
    case WM_CTLCOLORSTATIC:
        if (page == m_pages[static_cast<size_t>(SettingsPage::About)]) {
            return LinkColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        }
        return FALSE;
    }
    return FALSE;
}

void TfrmKelvaneSettings::OnInitDialog(HINSTANCE instance) {
    m_tabs = GetDlgItem(m_dialog, IDC_PAGES);
    for (const SettingsPageInfo& info : SettingsPages()) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(info.caption);
        SendMessageA(m_tabs, TCM_INSERTITEMA, static_cast<WPARAM>(info.page), reinterpret_cast<LPARAM>(&item));
    }
    CreatePages(instance);
    LayOut();
    FindControls();

    mnuAdmin.reset(CreatePopupMenu());
    AppendMenuA(mnuAdmin.get(), MF_STRING, IDM_ADMIN_HELP, "Help");
    AppendMenuA(mnuAdmin.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuA(mnuAdmin.get(), MF_STRING, IDM_ADMIN_RESET, "Reset Settings to Factory Defaults...");
    m_tooltip = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, m_dialog, nullptr, instance, nullptr);
    if (m_tooltip) {
        TOOLINFOA tool = {};
        tool.cbSize = TTTOOLINFOA_V1_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = m_dialog;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(m_dialog, IDC_ADMIN));
        tool.lpszText = const_cast<char*>("Administration Menu");
        SendMessageA(m_tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }

    // The About page: the logo, the version and the feedback heading in bold.
    HWND about = m_pages[static_cast<size_t>(SettingsPage::About)];
    SendDlgItemMessageA(about, IDC_LOGO, STM_SETICON,
                        reinterpret_cast<WPARAM>(LoadIconA(instance, MAKEINTRESOURCEA(IDI_KELVANE))), 0);
    std::optional<std::string> productVersion = platform::VersionString(platform::ModulePath(), "ProductVersion");
    SetDlgItemTextA(about, IDC_VERSION, ("Version " + VersionText(productVersion.value_or(""))).c_str());
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(m_dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    font.lfWeight = FW_BOLD;
    m_headingFont.reset(CreateFontIndirectA(&font));
    SendDlgItemMessageA(about, IDC_FEEDBACK_HEADING, WM_SETFONT, reinterpret_cast<WPARAM>(m_headingFont.get()), 0);

    LoadControls(m_control.Settings());
    std::optional<int32_t> storedPage;
    int32_t page = 0;
    if (m_control.Registry().ReadInteger(kControlLastPageValue, page)) storedPage = page;
    ShowPage(PageToOpen(storedPage));
}

void TfrmKelvaneSettings::CreatePages(HINSTANCE instance) {
    for (size_t i = 0; i < kSettingsPageCount; ++i) {
        m_pages[i] = CreateDialogParamA(instance, MAKEINTRESOURCEA(kPageTemplates[i]), m_dialog, PageProc,
                                        reinterpret_cast<LPARAM>(this));
    }
}

void TfrmKelvaneSettings::LayOut() {
    RECT frame = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongA(m_dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(m_dialog, GWL_EXSTYLE)));
    SetWindowPos(m_dialog, nullptr, kLeft, kTop, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);

    // The buttons along the bottom and the help button keep their template
    // size; the tab control takes the rest.
    const int margin = 6;
    auto place = [this](int id, int x, int y) {
        SetWindowPos(GetDlgItem(m_dialog, id), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    auto size = [this](int id) {
        RECT rect = {};
        GetWindowRect(GetDlgItem(m_dialog, id), &rect);
        return SIZE{rect.right - rect.left, rect.bottom - rect.top};
    };
    SIZE button = size(IDOK);
    int buttonTop = kClientHeight - margin - button.cy;
    place(IDC_ADMIN, margin, buttonTop);
    place(IDCANCEL, kClientWidth - margin - button.cx, buttonTop);
    place(IDOK, kClientWidth - 2 * margin - 2 * button.cx, buttonTop);
    SIZE help = size(IDC_HELP_BUTTON);
    place(IDC_HELP_BUTTON, kClientWidth - margin - help.cx, margin);
    SetWindowPos(m_tabs, HWND_BOTTOM, margin, margin, kClientWidth - 2 * margin, buttonTop - 2 * margin,
                 SWP_NOACTIVATE);

    RECT display = {};
    GetWindowRect(m_tabs, &display);
    MapWindowPoints(nullptr, m_dialog, reinterpret_cast<POINT*>(&display), 2);
    TabCtrl_AdjustRect(m_tabs, FALSE, &display);
    for (HWND page : m_pages) {
        SetWindowPos(page, HWND_TOP, display.left, display.top, display.right - display.left,
                     display.bottom - display.top, SWP_NOACTIVATE);
    }
}

void TfrmKelvaneSettings::FindControls() {
    HWND general = m_pages[static_cast<size_t>(SettingsPage::General)];
    HWND adjuster = m_pages[static_cast<size_t>(SettingsPage::Adjuster)];
    HWND startMenu = m_pages[static_cast<size_t>(SettingsPage::StartMenu)];

    chkShowFinderTrayIcon = CCheckBox(general, IDC_SHOW_FINDER_TRAY_ICON);
    chkAutoAdjustWindows = CCheckBox(general, IDC_AUTO_ADJUST_WINDOWS);
    chkAutoRunAtStartup = CCheckBox(general, IDC_AUTO_RUN_AT_STARTUP);
    chkShowFinderIcons = CCheckBox(general, IDC_SHOW_FINDER_ICONS);
    chkAddSystemMenuCommands = CCheckBox(general, IDC_ADD_SYSTEM_MENU_COMMANDS);
    cbNCLButtonDblClk = CComboBox(general, IDC_NCL_BUTTON_DBLCLK);
    cbNCLButtonDblClk.SetItems(kDoubleClickItems);
    pnlMouseSettings = CPanel(general, {IDC_DO_LABEL, IDC_NCL_BUTTON_DBLCLK, IDC_DBLCLK_LABEL});

    chkAdjustTop = CCheckBox(adjuster, IDC_ADJUST_TOP);
    chkAdjustLeft = CCheckBox(adjuster, IDC_ADJUST_LEFT);
    chkAdjustBottom = CCheckBox(adjuster, IDC_ADJUST_BOTTOM);
    chkAdjustRight = CCheckBox(adjuster, IDC_ADJUST_RIGHT);
    tbAdjustFrequency = CTrackBar(adjuster, IDC_ADJUST_FREQUENCY_TB);
    tbAdjustFrequency.SetRange(0, kFrequencyMaximum);
    edtAdjustFrequency = DialogControl(adjuster, IDC_ADJUST_FREQUENCY_EDT);
    udAdjustFrequency = CUpDown(adjuster, IDC_ADJUST_FREQUENCY_UD);
    udAdjustFrequency.SetRange(0, kFrequencyMaximum);
    chkDontAdjustIfOffscreen = CCheckBox(adjuster, IDC_DONT_ADJUST_IF_OFFSCREEN);
    edtOffScreenPercent = DialogControl(adjuster, IDC_OFFSCREEN_PERCENT_EDT);
    udOffScreenPercent = CUpDown(adjuster, IDC_OFFSCREEN_PERCENT_UD);
    udOffScreenPercent.SetRange(kOffscreenMinimum, kOffscreenMaximum);
    udOffScreenPercent.SetStep(kOffscreenStep);
    udOffScreenPercent.SetPosition(25);
    pnlAdjustWindowsPercent =
        CPanel(adjuster, {IDC_OFFSCREEN_PERCENT_EDT, IDC_OFFSCREEN_PERCENT_UD, IDC_OFFSCREEN_LABEL});
    chkResizeWindows = CCheckBox(adjuster, IDC_RESIZE_WINDOWS);

    chkControlPanel = CCheckBox(startMenu, IDC_CONTROL_PANEL);
    chkPrinters = CCheckBox(startMenu, IDC_PRINTERS);
    chkDialUpNetworking = CCheckBox(startMenu, IDC_DIAL_UP_NETWORKING);
    chkEmptyDocuments = CCheckBox(startMenu, IDC_EMPTY_DOCUMENTS);
    edtEmptyDocumentsDelay = CMaskEdit(startMenu, IDC_EMPTY_DELAY_EDT);
    edtEmptyDocumentsDelay.SetRange(kDelayMinimum, kDelayMaximum);
    udEmptyDocumentsDelay = CUpDown(startMenu, IDC_EMPTY_DELAY_UD);
    udEmptyDocumentsDelay.SetRange(kDelayMinimum, kDelayMaximum);
    cbEmptyDocumentsDelayType = CComboBox(startMenu, IDC_EMPTY_DELAY_TYPE);
    cbEmptyDocumentsDelayType.SetItems(kDelayTypeItems);
    pnlEmptyDocumentsSettings =
        CPanel(startMenu, {IDC_EMPTY_EVERY_LABEL, IDC_EMPTY_DELAY_EDT, IDC_EMPTY_DELAY_UD, IDC_EMPTY_DELAY_TYPE});
}

void TfrmKelvaneSettings::LoadControls(const KelvaneSettings& settings) {
    SettingsDialogValues values = DialogValuesFrom(settings);
    for (const auto& [box, field] : CheckBoxFields()) box->SetChecked(values.*field);
    tbAdjustFrequency.SetPosition(values.frequencyPosition);
    udAdjustFrequency.SetPosition(values.frequencyPosition);
    edtAdjustFrequency.SetText(FrequencyText(tbAdjustFrequency.Position()));
    udOffScreenPercent.SetPosition(ParseInteger(values.offscreenPercentText).value_or(25));
    cbNCLButtonDblClk.SetItemIndex(values.doubleClickIndex);
    m_rememberedDoubleClickIndex = values.doubleClickIndex;

    const std::string application = m_control.pApplicationName();
    chkAutoRunAtStartup.SetChecked(FileExists(StartupShortcutPath(application)) ||
                                   FileExists(CommonStartupShortcutPath(application)));
    chkControlPanel.SetChecked(CascadeExists(Cascade::ControlPanel));
    chkPrinters.SetChecked(CascadeExists(Cascade::Printers));
    const bool dialUpOffered = CascadeOffered(Cascade::DialUpNetworking);
    chkDialUpNetworking.SetChecked(dialUpOffered && CascadeExists(Cascade::DialUpNetworking));
    chkDialUpNetworking.SetText(DialUpNetworkingCaption(dialUpOffered));
    chkDialUpNetworking.SetEnabled(dialUpOffered);
    udEmptyDocumentsDelay.SetPosition(values.emptyDocumentsDelay);
    edtEmptyDocumentsDelay.SetValue(values.emptyDocumentsDelay);
    cbEmptyDocumentsDelayType.SetItemIndex(values.delayTypeIndex);

    ApplySystemMenuRule();
    ApplyEmptyDocumentsRule();
    ApplyOffscreenRule();
}

std::array<TfrmKelvaneSettings::CheckBoxField, 11> TfrmKelvaneSettings::CheckBoxFields() {
    return {{
        {&chkAdjustTop, &SettingsDialogValues::adjustTop},
        {&chkAdjustLeft, &SettingsDialogValues::adjustLeft},
        {&chkAdjustBottom, &SettingsDialogValues::adjustBottom},
        {&chkAdjustRight, &SettingsDialogValues::adjustRight},
        {&chkAutoAdjustWindows, &SettingsDialogValues::autoAdjustWindows},
        {&chkResizeWindows, &SettingsDialogValues::resizeWindows},
        {&chkDontAdjustIfOffscreen, &SettingsDialogValues::dontAdjustIfOffscreen},
        {&chkShowFinderTrayIcon, &SettingsDialogValues::showFinderTrayIcon},
        {&chkAddSystemMenuCommands, &SettingsDialogValues::addSystemMenuCommands},
        {&chkShowFinderIcons, &SettingsDialogValues::showFinderIcons},
        {&chkEmptyDocuments, &SettingsDialogValues::emptyDocuments},
    }};
}

SettingsDialogValues TfrmKelvaneSettings::ControlValues() {
    SettingsDialogValues values;
    for (const auto& [box, field] : CheckBoxFields()) values.*field = box->Checked();
    values.frequencyPosition = tbAdjustFrequency.Position();
    values.offscreenPercentText = edtOffScreenPercent.Text();
    values.doubleClickIndex = cbNCLButtonDblClk.ItemIndex();
    values.emptyDocumentsDelay = udEmptyDocumentsDelay.Position();
    values.delayTypeIndex = cbEmptyDocumentsDelayType.ItemIndex();
    return values;
}

void TfrmKelvaneSettings::Apply() {
    KelvaneSettings& settings = m_control.KelvaneData().Settings();
    ApplyDialogValues(ControlValues(), settings);

    const std::string application = m_control.pApplicationName();
    const std::string userLink = StartupShortcutPath(application);
    const std::string commonLink = CommonStartupShortcutPath(application);
    if (!chkAutoRunAtStartup.Checked()) {
        for (const std::string& link : {userLink, commonLink}) {
            if (FileExists(link)) DeleteFileA(link.c_str());
        }
    } else if (!FileExists(userLink) && !FileExists(commonLink)) {
        CreateStartupShortcut(application);
    }

    CascadeChoices cascades;
    cascades.controlPanel = chkControlPanel.Checked();
    cascades.printers = chkPrinters.Checked();
    cascades.dialUp = chkDialUpNetworking.Checked();
    ApplyCascades(cascades);
    // Saving raises the change notification: the main form re-applies its
    // timers, icons and menus and the hooks follow their switch.
    m_control.KelvaneData().Save();
}

void TfrmKelvaneSettings::ApplySystemMenuRule() {
    MouseSettingsState state = MouseSettingsFor(chkAddSystemMenuCommands.Checked(), cbNCLButtonDblClk.ItemIndex(),
                                                m_rememberedDoubleClickIndex);
    m_rememberedDoubleClickIndex = state.rememberedIndex;
    cbNCLButtonDblClk.SetItemIndex(state.doubleClickIndex);
    pnlMouseSettings.SetContentsEnabled(state.enabled);
}

void TfrmKelvaneSettings::OnCommand(int id, int code) {
    switch (id) {
    case IDOK:
        Apply();
        DestroyWindow(m_dialog);
        return;
    case IDCANCEL: DestroyWindow(m_dialog); return;
    case IDC_ADMIN: ShowAdminMenu(); return;
    case IDC_HELP_BUTTON:
    case IDM_ADMIN_HELP: Help(); return;
    case IDM_ADMIN_RESET: ResetToFactoryDefaults(); return;
    case IDC_MAIL_LINK:
        if (code == STN_CLICKED) OpenUrl(kMailUrl);
        return;
    case IDC_WEB_LINK:
        if (code == STN_CLICKED) OpenUrl(kWebUrl);
        return;
    case IDC_EMPTY_NOW:
        if (m_actions.emptyNow) m_actions.emptyNow();
        return;
    case IDC_ADD_SYSTEM_MENU_COMMANDS:
        if (code == BN_CLICKED) ApplySystemMenuRule();
        return;
    case IDC_EMPTY_DOCUMENTS:
        if (code == BN_CLICKED) ApplyEmptyDocumentsRule();
        return;
    case IDC_DONT_ADJUST_IF_OFFSCREEN:
        if (code == BN_CLICKED) ApplyOffscreenRule();
        return;
    }
}

void TfrmKelvaneSettings::OnFrequencyTrackBarMoved() {
    int position = tbAdjustFrequency.Position();
    udAdjustFrequency.SetPosition(position);
    edtAdjustFrequency.SetText(FrequencyText(position));
}

void TfrmKelvaneSettings::OnFrequencyUpDownClicked() {
    tbAdjustFrequency.SetPosition(udAdjustFrequency.Position());
    OnFrequencyTrackBarMoved();
}

void TfrmKelvaneSettings::ShowPage(int index) {
    if (index < 0 || index >= static_cast<int>(kSettingsPageCount)) index = 0;
    if (TabCtrl_GetCurSel(m_tabs) != index) TabCtrl_SetCurSel(m_tabs, index);
    for (size_t i = 0; i < kSettingsPageCount; ++i) {
        ShowWindow(m_pages[i], static_cast<int>(i) == index ? SW_SHOW : SW_HIDE);
    }
    if (index == static_cast<int>(SettingsPage::Adjuster)) OnFrequencyTrackBarMoved();
}

int TfrmKelvaneSettings::CurrentPage() const {
    int index = TabCtrl_GetCurSel(m_tabs);
    return index < 0 ? 0 : index;
}

void TfrmKelvaneSettings::ShowAdminMenu() {
    RECT button = {};
    GetWindowRect(GetDlgItem(m_dialog, IDC_ADMIN), &button);
    // Chosen items arrive as WM_COMMAND, like the buttons.
    TrackPopupMenu(mnuAdmin.get(), TPM_LEFTALIGN | TPM_TOPALIGN, button.left, button.bottom, 0, m_dialog, nullptr);
}

void TfrmKelvaneSettings::ResetToFactoryDefaults() {
    if (MessageBoxA(m_dialog, kResetQuestion, "Confirm", MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    LoadControls(KelvaneSettings());
    chkAutoRunAtStartup.SetChecked(true);
}

void TfrmKelvaneSettings::Help() {
    ShowHelp(SettingsPages()[static_cast<size_t>(CurrentPage())].helpContext);
}

void TfrmKelvaneSettings::OnDestroy() {
    m_control.Registry().WriteInteger(kControlLastPageValue, CurrentPage());
    if (m_tooltip) DestroyWindow(m_tooltip);
}

bool TfrmKelvaneSettings::IsLink(HWND control) const {
    int id = GetDlgCtrlID(control);
    return GetParent(control) == m_pages[static_cast<size_t>(SettingsPage::About)] &&
           (id == IDC_MAIL_LINK || id == IDC_WEB_LINK);
}

INT_PTR TfrmKelvaneSettings::OnSetCursor(HWND under) {
    // A link takes the hover colour while the mouse is over it; any other
    // window under the mouse gives it back.
    HWND link = IsLink(under) ? under : nullptr;
    if (link != m_hoveredLink) {
        if (m_hoveredLink) InvalidateRect(m_hoveredLink, nullptr, TRUE);
        if (link) InvalidateRect(link, nullptr, TRUE);
        m_hoveredLink = link;
    }
    if (!link) return FALSE;
    SetCursor(LoadCursor(nullptr, IDC_HAND));
    SetWindowLongPtrA(GetParent(link), DWLP_MSGRESULT, TRUE);
    return TRUE;
}

INT_PTR TfrmKelvaneSettings::LinkColour(HDC dc, HWND control) {
    if (!IsLink(control)) return FALSE;
    SetTextColor(dc, control == m_hoveredLink ? kLinkHoverColour : kLinkColour);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

}  // namespace kelvane
