// The options sheet's advanced page: a tab for each of its three sub-pages
// (user interface, language, security), each a child dialog of the page.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>

#include <array>
#include <memory>
#include <utility>

#include "platform/handles.h"
#include "platform/property_page.h"
#include "quillet/app/application.h"
#include "quillet/app/quillet_names.h"
#include "quillet/options/advanced_resource_ids.h"
#include "quillet/options/options.h"
#include "quillet/options/options_sheet_win32.h"
#include "quillet/strings/strings_win32.h"
#include "quillet/ui/messages.h"

namespace quillet {
namespace {

void destroy_image_list(HIMAGELIST list) {
    ImageList_Destroy(list);
}
using unique_himagelist = platform::unique_any<HIMAGELIST, destroy_image_list>;

// The folder the sound's Browse opened last, for the rest of the process.
std::string& LastSoundFolder() {
    static std::string folder;
    return folder;
}

bool FileExists(const std::string& path) {
    const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ComboItemText(HWND combo, int index) {
    const LRESULT length = SendMessageA(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
}

const HelpRow kInterfaceHelp[] = {
    {IDC_INTERFACE_SHOW_TIPS, "hlpAdv:showTips"},
    {IDC_INTERFACE_CONTEXT_MENU, "hlpAdv:contextmenu"},
    {IDC_INTERFACE_HIDE_DESKTOP, "hlpAdv:hidedesktop"},
    {IDC_INTERFACE_CONFIRM_DELETE, "hlpAdv:confirmdelete"},
    {IDC_INTERFACE_CONFIRM_EXIT, "hlpAdv:confirmexit"},
    {IDC_INTERFACE_STARTUP_SCREEN, "hlpAdv:startupscreen"},
    {IDC_INTERFACE_SOUND, "hlpAdv:sound"},
    {IDC_INTERFACE_SOUND_BROWSE, "hlpAdv:soundBrowse"},
    {IDC_INTERFACE_SOUND_PLAY, "hlpAdv:soundPlay"},
    {IDC_INTERFACE_CLICK, "hlpAdv:click"},
    {0, nullptr},
};

const HelpRow kLanguageHelp[] = {
    {IDC_LANGUAGE_LIST, "hlpAdv:language"},
    {0, nullptr},
};

const HelpRow kSecurityHelp[] = {
    {IDC_SECURITY_LOCK, "hlpAdv:lock"},
    {IDC_SECURITY_CHANGE, "hlpAdv:changePassword"},
    {0, nullptr},
};

// One sub-page: a child dialog of the advanced page.
class SubPage {
public:
    virtual ~SubPage() = default;

    HWND Create(HWND page, int templateId) {
        m_dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId), page,
                                      BoundDialogProcedure<SubPage>, reinterpret_cast<LPARAM>(this));
        return m_dialog;
    }
    HWND Window() const { return m_dialog; }
    virtual void Apply() {}

    void Bind(HWND dialog) { m_dialog = dialog; }
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_INITDIALOG:
            LocalizeDialog(App().Texts(), m_dialog);
            SetDialogHelp(m_dialog, HelpRows());
            OnInit();
            return FALSE;
        case WM_COMMAND: return OnCommand(LOWORD(wParam), HIWORD(wParam));
        case WM_CONTEXTMENU: return HandleContextHelp(m_dialog, wParam, lParam);
        case WM_DESTROY: SetDialogHelp(m_dialog, nullptr); return FALSE;
        default: return FALSE;
        }
    }

protected:
    virtual const HelpRow* HelpRows() const = 0;
    virtual void OnInit() = 0;
    virtual bool OnCommand(int id, int code) = 0;

    // Lights the sheet's Apply button.
    void Changed() {
        HWND page = GetParent(m_dialog);
        SendMessageA(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
    }

    HWND Item(int id) const { return GetDlgItem(m_dialog, id); }
    bool Checked(int id) const { return IsDlgButtonChecked(m_dialog, id) == BST_CHECKED; }
    void Check(int id, bool on) { CheckDlgButton(m_dialog, id, on ? BST_CHECKED : BST_UNCHECKED); }

    HWND m_dialog = nullptr;
};

// Tips, the shell's command, the desktop icons, the questions, the start-up
// screen, the click sound and the click behaviour.
class InterfacePage : public SubPage {
public:
    explicit InterfacePage(ShellExtensionSwitch shellExtension) : m_shellExtension(std::move(shellExtension)) {}

    void Apply() override {
        IconSetRoot& root = *App().Model().Root();
        WriteProgramDword(kShowTipsValueName, Checked(IDC_INTERFACE_SHOW_TIPS) ? 1 : 0);
        if (HasShellSwitch() && Checked(IDC_INTERFACE_CONTEXT_MENU) != m_shellExtension.isEnabled()) {
            m_shellExtension.setEnabled(Checked(IDC_INTERFACE_CONTEXT_MENU));
        }
        if (IsWindowEnabled(Item(IDC_INTERFACE_HIDE_DESKTOP))) {
            root.SetProperty(
                kTagHideDesktop,
                Value::FromInteger(Checked(IDC_INTERFACE_HIDE_DESKTOP) ? kDesktopIconsHidden : kDesktopIconsShown));
        }
        root.SetProperty(kTagConfirmDelete, Value::FromBoolean(Checked(IDC_INTERFACE_CONFIRM_DELETE)));
        root.SetProperty(kTagConfirmExit, Value::FromBoolean(Checked(IDC_INTERFACE_CONFIRM_EXIT)));
        WriteProgramDword(kSplashValueName, Checked(IDC_INTERFACE_STARTUP_SCREEN) ? 1 : 0);
        root.SetProperty(kTagClickSound, Value::FromText(SoundPathFromText(m_sounds, SoundText())));
        const LRESULT click = SendMessageA(Item(IDC_INTERFACE_CLICK), CB_GETCURSEL, 0, 0);
        root.SetProperty(kTagClickMode, Value::FromInteger(click == 1 ? 2 : 1));
    }

private:
    const HelpRow* HelpRows() const override { return kInterfaceHelp; }

    void OnInit() override {
        Language& texts = App().Texts();
        const IconSetRoot& root = *App().Model().Root();
        Check(IDC_INTERFACE_SHOW_TIPS, ReadProgramDword(kShowTipsValueName, 1) != 0);
        EnableWindow(Item(IDC_INTERFACE_CONTEXT_MENU), HasShellSwitch());
        Check(IDC_INTERFACE_CONTEXT_MENU, HasShellSwitch() && m_shellExtension.isEnabled());
        const int32_t desktop = root.ReadInteger(kTagHideDesktop, kDesktopIconsUnavailable);
        Check(IDC_INTERFACE_HIDE_DESKTOP, desktop == kDesktopIconsHidden);
        EnableWindow(Item(IDC_INTERFACE_HIDE_DESKTOP), desktop != kDesktopIconsUnavailable);
        Check(IDC_INTERFACE_CONFIRM_DELETE, root.ReadBoolean(kTagConfirmDelete, true));
        Check(IDC_INTERFACE_CONFIRM_EXIT, root.ReadBoolean(kTagConfirmExit, true));
        Check(IDC_INTERFACE_STARTUP_SCREEN, ReadProgramDword(kSplashValueName, 1) != 0);

        m_sounds.folder = texts.ExpandMacros("%bp");
        m_sounds.noSoundText = texts.GetText("opgNoWave").value_or("");
        m_sounds.names = SoundListNames(ListSoundFiles(m_sounds.folder));
        const SoundChoice choice = ChooseStoredSound(m_sounds, root.ReadText(kTagClickSound));
        HWND sound = Item(IDC_INTERFACE_SOUND);
        for (const std::string& entry : choice.entries) {
            SendMessageA(sound, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        }
        SendMessageA(sound, CB_SETCURSEL, choice.chosen, 0);
        m_playPicture.reset(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_PLAY_SOUND),
                                                            IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS)));
        SendMessageA(Item(IDC_INTERFACE_SOUND_PLAY), BM_SETIMAGE, IMAGE_BITMAP,
                     reinterpret_cast<LPARAM>(m_playPicture.get()));
        UpdatePlay(SoundText());

        HWND click = Item(IDC_INTERFACE_CLICK);
        for (const char* key : {"adv:click1", "adv:click2"}) {
            const std::string text = texts.GetText(key).value_or(key);
            SendMessageA(click, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        }
        SendMessageA(click, CB_SETCURSEL, root.ReadInteger(kTagClickMode, 1) == 2 ? 1 : 0, 0);
    }

    bool OnCommand(int id, int code) override {
        switch (id) {
        case IDC_INTERFACE_SHOW_TIPS:
        case IDC_INTERFACE_CONTEXT_MENU:
        case IDC_INTERFACE_HIDE_DESKTOP:
        case IDC_INTERFACE_CONFIRM_DELETE:
        case IDC_INTERFACE_CONFIRM_EXIT:
        case IDC_INTERFACE_STARTUP_SCREEN:
            if (code == BN_CLICKED) Changed();
            return true;
        case IDC_INTERFACE_SOUND:
            if (code == CBN_SELCHANGE) OnSoundChosen();
            if (code == CBN_EDITCHANGE) {
                UpdatePlay(SoundText());
                Changed();
            }
            return true;
        case IDC_INTERFACE_SOUND_PLAY: PlaySoundFile(SoundPathFromText(m_sounds, SoundText())); return true;
        case IDC_INTERFACE_SOUND_BROWSE: OnBrowse(); return true;
        case IDC_INTERFACE_CLICK:
            if (code == CBN_SELCHANGE) Changed();
            return true;
        default: return false;
        }
    }

    bool HasShellSwitch() const { return m_shellExtension.isEnabled && m_shellExtension.setEnabled; }

    std::string SoundText() const { return DialogItemText(m_dialog, IDC_INTERFACE_SOUND); }

    bool UpdatePlay(const std::string& text) {
        const bool playable = IsListedSound(m_sounds, text) || FileExists(SoundPathFromText(m_sounds, text));
        EnableWindow(Item(IDC_INTERFACE_SOUND_PLAY), playable);
        return playable;
    }

    // The edit text follows a choice only after this notification, so the
    // chosen entry's own text is read.
    void OnSoundChosen() {
        HWND sound = Item(IDC_INTERFACE_SOUND);
        const LRESULT index = SendMessageA(sound, CB_GETCURSEL, 0, 0);
        if (index == CB_ERR) return;
        const std::string text = ComboItemText(sound, static_cast<int>(index));
        UpdatePlay(text);
        Changed();
        // While the settings are locked a choice is not played: it cannot be
        // kept anyway.
        if (index == 0 || App().Model().Root()->ReadBoolean(kTagLocked)) return;
        PlaySoundFile(SoundPathFromText(m_sounds, text));
    }

    void OnBrowse() {
        Language& texts = App().Texts();
        std::string filter = texts.GetText("opgBrowseFilterName1").value_or("") + "|*.wav|" +
                             texts.GetText("opgBrowseFilterName2").value_or("") + "|*.*||";
        for (char& c : filter) {
            if (c == '|') c = '\0';
        }
        const std::string title = texts.GetText("opgBrowseTitle").value_or("");
        // Room for any path the dialog can return; a longer one fails the
        // dialog rather than being cut.
        std::string file(32768, '\0');
        OPENFILENAMEA open = {};
        open.lStructSize = sizeof open;
        open.hwndOwner = m_dialog;
        open.lpstrFilter = filter.c_str();
        open.lpstrFile = file.data();
        open.nMaxFile = static_cast<DWORD>(file.size());
        const std::string& initialFolder = LastSoundFolder().empty() ? m_sounds.folder : LastSoundFolder();
        open.lpstrInitialDir = initialFolder.c_str();
        open.lpstrTitle = title.c_str();
        open.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
        if (!GetOpenFileNameA(&open)) return;
        file.resize(strlen(file.c_str()));
        SetDlgItemTextA(m_dialog, IDC_INTERFACE_SOUND, file.c_str());
        const size_t slash = file.rfind('\\');
        if (slash != std::string::npos) LastSoundFolder() = file.substr(0, slash);
        Changed();
        if (UpdatePlay(file)) PlaySoundFile(SoundPathFromText(m_sounds, file));
    }

    ShellExtensionSwitch m_shellExtension;
    SoundList m_sounds;
    platform::unique_hbitmap m_playPicture;
};

// The language libraries beside the program, by their languages' names.
class LanguagePage : public SubPage {
public:
    void Apply() override {
        HWND list = Item(IDC_LANGUAGE_LIST);
        const LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
        if (index == LB_ERR) return;
        App().Texts().SetLanguage(static_cast<uint16_t>(SendMessageA(list, LB_GETITEMDATA, index, 0)));
    }

private:
    const HelpRow* HelpRows() const override { return kLanguageHelp; }

    void OnInit() override {
        Language& texts = App().Texts();
        HWND list = Item(IDC_LANGUAGE_LIST);
        for (uint16_t number : texts.AvailableLanguages()) {
            const std::string name = LanguageDisplayName(number);
            const LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
            if (index < 0) continue;
            SendMessageA(list, LB_SETITEMDATA, index, number);
            if (number == texts.GetLanguage()) SendMessageA(list, LB_SETCURSEL, index, 0);
        }
    }

    bool OnCommand(int id, int code) override {
        if (id != IDC_LANGUAGE_LIST) return false;
        if (code == LBN_SELCHANGE) Changed();
        return true;
    }
};

// Locking, unlocking and changing the settings password.
class SecurityPage : public SubPage {
public:
    explicit SecurityPage(bool changeable) : m_changeable(changeable) {}

private:
    const HelpRow* HelpRows() const override { return kSecurityHelp; }
    void OnInit() override { Refresh(); }

    void Refresh() {
        const bool hasPassword = !App().Model().Root()->ReadText(kTagPassword).empty();
        const std::string label = App().Texts().GetText(hasPassword ? "secDeactivate" : "secActivate").value_or("");
        SetDlgItemTextA(m_dialog, IDC_SECURITY_LOCK, label.c_str());
        EnableWindow(Item(IDC_SECURITY_LOCK), m_changeable);
        EnableWindow(Item(IDC_SECURITY_CHANGE), m_changeable && hasPassword);
    }

    bool OnCommand(int id, int code) override {
        if (code != BN_CLICKED) return false;
        if (id != IDC_SECURITY_LOCK && id != IDC_SECURITY_CHANGE) return false;
        if (ShowPasswordDialog(m_dialog, id == IDC_SECURITY_CHANGE)) {
            Refresh();
            Changed();
        }
        return true;
    }

    bool m_changeable;
};

class AdvancedPage {
public:
    AdvancedPage(bool securityChangeable, const ShellExtensionSwitch& shellExtension)
        : m_title(App().Texts().TranslateText("$adv:Title")),
          m_interface(shellExtension),
          m_security(securityChangeable) {}

    const char* Title() const { return m_title.c_str(); }

    void Bind(HWND page) { m_page = page; }
    INT_PTR HandleMessage(UINT message, WPARAM, LPARAM lParam) {
        switch (message) {
        case WM_INITDIALOG: return OnInitDialog();
        case WM_NOTIFY: return OnNotify(*reinterpret_cast<NMHDR*>(lParam));
        default: return FALSE;
        }
    }

private:
    struct SubPageRow {
        SubPage* page;
        int templateId;
        const char* captionKey;
        int iconId;
    };

    std::array<SubPageRow, 3> Rows() {
        return {{{&m_interface, IDD_OPTIONS_INTERFACE, "$adv:uiCaption", IDI_OPTIONS_INTERFACE},
                 {&m_language, IDD_OPTIONS_LANGUAGE, "$adv:intlCaption", IDI_OPTIONS_LANGUAGE},
                 {&m_security, IDD_OPTIONS_SECURITY, "$adv:secCaption", IDI_OPTIONS_SECURITY}}};
    }

    INT_PTR OnInitDialog() {
        Language& texts = App().Texts();
        LocalizeDialog(texts, m_page);
        HWND tabs = GetDlgItem(m_page, IDC_ADVANCED_TABS);
        const int iconSize = GetSystemMetrics(SM_CXSMICON);
        m_images.reset(ImageList_Create(iconSize, iconSize, ILC_COLOR32 | ILC_MASK, 3, 0));
        SendMessageA(tabs, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_images.get()));

        int index = 0;
        for (const SubPageRow& row : Rows()) {
            const std::string caption = texts.TranslateText(row.captionKey);
            TCITEMA item = {};
            item.mask = TCIF_TEXT | TCIF_IMAGE;
            item.pszText = const_cast<char*>(caption.c_str());
            item.iImage = -1;
            platform::unique_hicon icon(static_cast<HICON>(LoadImageA(
                GetModuleHandleA(nullptr), MAKEINTRESOURCEA(row.iconId), IMAGE_ICON, iconSize, iconSize, 0)));
            if (icon) item.iImage = ImageList_AddIcon(m_images.get(), icon.get());
            SendMessageA(tabs, TCM_INSERTITEMA, index++, reinterpret_cast<LPARAM>(&item));
            row.page->Create(m_page, row.templateId);
        }

        // Each sub-page fills the tab control's display area.
        RECT area = {};
        GetClientRect(tabs, &area);
        SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
        MapWindowPoints(tabs, m_page, reinterpret_cast<POINT*>(&area), 2);
        for (const SubPageRow& row : Rows()) {
            SetWindowPos(row.page->Window(), HWND_TOP, area.left, area.top, area.right - area.left,
                         area.bottom - area.top, SWP_NOACTIVATE);
        }
        ShowSubPage(0);
        return TRUE;
    }

    void ShowSubPage(int shown) {
        int index = 0;
        for (const SubPageRow& row : Rows()) {
            ShowWindow(row.page->Window(), index++ == shown ? SW_SHOW : SW_HIDE);
        }
    }

    INT_PTR OnNotify(const NMHDR& header) {
        if (header.idFrom == IDC_ADVANCED_TABS && header.code == TCN_SELCHANGE) {
            ShowSubPage(static_cast<int>(SendMessageA(header.hwndFrom, TCM_GETCURSEL, 0, 0)));
            return TRUE;
        }
        if (header.code == PSN_APPLY) {
            for (const SubPageRow& row : Rows()) {
                if (row.page->Window()) row.page->Apply();
            }
            SetWindowLongPtrA(m_page, DWLP_MSGRESULT, PSNRET_NOERROR);
            return TRUE;
        }
        return FALSE;
    }

    std::string m_title;
    HWND m_page = nullptr;
    unique_himagelist m_images;
    InterfacePage m_interface;
    LanguagePage m_language;
    SecurityPage m_security;
};

}  // namespace

HPROPSHEETPAGE CreateAdvancedPage(bool securityChangeable, const ShellExtensionSwitch& shellExtension) {
    auto page = std::make_unique<AdvancedPage>(securityChangeable, shellExtension);
    const char* title = page->Title();
    return platform::CreateOwningPropertyPage(std::move(page), IDD_OPTIONS_ADVANCED, title);
}

}  // namespace quillet
