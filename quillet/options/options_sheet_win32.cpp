#include "quillet/options/options_sheet_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/registry.h"
#include "quillet/app/application.h"
#include "quillet/app/quillet_names.h"
#include "quillet/document/tdf_document.h"
#include "quillet/options/options.h"
#include "quillet/strings/language.h"

namespace quillet {
namespace {

std::string ProgramKey() {
    return ProgramKeyPath(App().Texts().Facts());
}

// The per-user settings that the sheet's pages write outside the icon set:
// Cancel puts them back as they were, after an Apply as well.
struct ProgramValues {
    std::optional<DWORD> showTips;
    std::optional<DWORD> splash;
    std::optional<DWORD> relock;
    std::optional<bool> shellExtension;
    uint16_t language = kEnglishLanguage;

    static ProgramValues Remember(const ShellExtensionSwitch& shell) {
        ProgramValues values;
        values.showTips = ReadProgramValue(kShowTipsValueName);
        values.splash = ReadProgramValue(kSplashValueName);
        values.relock = ReadProgramValue(kRelockPasswordValueName);
        if (shell.isEnabled && shell.setEnabled) values.shellExtension = shell.isEnabled();
        values.language = App().Texts().GetLanguage();
        return values;
    }

    void Restore(const ShellExtensionSwitch& shell) const {
        RestoreProgramValue(kShowTipsValueName, showTips);
        RestoreProgramValue(kSplashValueName, splash);
        RestoreProgramValue(kRelockPasswordValueName, relock);
        if (shellExtension && shell.isEnabled() != *shellExtension) shell.setEnabled(*shellExtension);
        if (App().Texts().GetLanguage() != language) App().Texts().SetLanguage(language);
    }
};

// PropertySheet answers 0 both for Cancel and for OK without a page marked
// changed, and a page the user never opened hears of neither. So the sheet
// window itself is watched for the button that closes it: the last OK or
// Cancel asked for (a page may refuse OK, and then the user cancels).
struct CloseWatch {
    bool okPressed = false;
};
thread_local CloseWatch* t_watch = nullptr;

LRESULT CALLBACK SheetSubclass(HWND sheet, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    auto* watch = reinterpret_cast<CloseWatch*>(data);
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) watch->okPressed = true;
        if (LOWORD(wParam) == IDCANCEL) watch->okPressed = false;
        break;
    case PSM_PRESSBUTTON:
        if (wParam == PSBTN_OK) watch->okPressed = true;
        if (wParam == PSBTN_CANCEL) watch->okPressed = false;
        break;
    case WM_CLOSE: watch->okPressed = false; break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) watch->okPressed = false;
        break;
    case WM_NCDESTROY: RemoveWindowSubclass(sheet, SheetSubclass, id); break;
    default: break;
    }
    return DefSubclassProc(sheet, message, wParam, lParam);
}

int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM) {
    if (message == PSCB_INITIALIZED && t_watch) {
        SetWindowSubclass(sheet, SheetSubclass, 1, reinterpret_cast<DWORD_PTR>(t_watch));
    }
    return 0;
}

std::string SnapshotBytes(const ObjectModel& model) {
    RefPtr<DocumentSnapshot> snapshot = MakeRef<DocumentSnapshot>(model);
    snapshot->Capture();
    std::string bytes;
    snapshot->SaveToBytes(&bytes, DocumentInfo{});
    return bytes;
}

// The icon set as the sheet found it. A snapshot alone cannot take the sheet
// back: applying it sets the values it holds, but a property that only had
// its default before (no password, the questions switched on) would keep
// what the sheet set. So the properties each object had set are remembered
// too, and the others return to their defaults.
class UndoCopy {
public:
    explicit UndoCopy(const ObjectModel& model) : m_model(model), m_snapshot(MakeRef<DocumentSnapshot>(model)) {
        m_snapshot->Capture();
        m_bytes = SnapshotBytes(model);
        for (const RefPtr<ClassFactory>& factory : model.Factories()) Remember(factory->ClassObject());
        Remember(model.Root());
    }

    bool Changed() const { return SnapshotBytes(m_model) != m_bytes; }

    void Restore() const {
        if (!Changed()) return;
        m_snapshot->Apply();
        for (const Record& record : m_records) {
            for (PropertyTag tag : record.object->PersistedTags()) {
                Value value;
                const bool wasSet =
                    std::find(record.setTags.begin(), record.setTags.end(), tag) != record.setTags.end();
                if (!wasSet && record.object->GetSavedProperty(tag, &value)) record.object->SetProperty(tag, Value());
            }
        }
    }

private:
    struct Record {
        RefPtr<Object> object;
        std::vector<PropertyTag> setTags;
    };

    void Remember(Object* object) {
        if (!object) return;
        Record record{RefPtr<Object>(object), {}};
        for (PropertyTag tag : object->PersistedTags()) {
            Value value;
            if (object->GetSavedProperty(tag, &value)) record.setTags.push_back(tag);
        }
        m_records.push_back(std::move(record));
        for (const RefPtr<Object>& child : object->Children()) Remember(child.Get());
    }

    const ObjectModel& m_model;
    RefPtr<DocumentSnapshot> m_snapshot;
    std::string m_bytes;
    std::vector<Record> m_records;
};

}  // namespace

std::optional<DWORD> ReadProgramValue(const char* name) {
    platform::RegistryKey key = platform::RegistryKey::Open(HKEY_CURRENT_USER, ProgramKey());
    std::optional<platform::RegData> data = key ? key.Read(name) : std::nullopt;
    return data && data->type == REG_DWORD ? data->Dword() : std::nullopt;
}

DWORD ReadProgramDword(const char* name, DWORD fallback) {
    return ReadProgramValue(name).value_or(fallback);
}

void WriteProgramDword(const char* name, DWORD value) {
    platform::RegistryKey::Create(HKEY_CURRENT_USER, ProgramKey()).WriteDword(name, value);
}

void RestoreProgramValue(const char* name, std::optional<DWORD> value) {
    if (ReadProgramValue(name) == value) return;
    if (value) {
        WriteProgramDword(name, *value);
    } else if (platform::RegistryKey key = platform::RegistryKey::Open(HKEY_CURRENT_USER, ProgramKey(), KEY_WRITE)) {
        key.DeleteValue(name);
    }
}

std::string DialogItemText(HWND dialog, int id) {
    HWND item = GetDlgItem(dialog, id);
    std::string text(static_cast<size_t>(GetWindowTextLengthA(item)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool ShowOptionsWithPages(HWND parent, const std::vector<OptionsPageMaker>& leadingPages,
                          const ShellExtensionSwitch& shellExtension) {
    Application& app = App();
    IconSetRoot& root = *app.Model().Root();

    const std::string password = root.ReadText(kTagPassword);
    const ProgramValues remembered = ProgramValues::Remember(shellExtension);
    const UndoCopy undo(app.Model());

    std::vector<HPROPSHEETPAGE> pages;
    for (const OptionsPageMaker& make : leadingPages) {
        if (HPROPSHEETPAGE page = make ? make(root) : nullptr) pages.push_back(page);
    }
    if (HPROPSHEETPAGE page = CreateAdvancedPage(!root.ReadBoolean(kTagReadOnlyDocument), shellExtension))
        pages.push_back(page);
    if (pages.empty()) return false;

    std::string caption = root.ReadText(kTagName);
    if (caption.empty()) caption = "<untitled>";
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_USECALLBACK;
    header.hwndParent = parent;
    header.hInstance = GetModuleHandleA(nullptr);
    header.pszCaption = caption.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.phpage = pages.data();
    header.pfnCallback = SheetCallback;

    CloseWatch watch;
    CloseWatch* outer = t_watch;
    t_watch = &watch;
    const INT_PTR result = PropertySheetA(&header);
    t_watch = outer;

    if (result < 0 || !watch.okPressed) {
        undo.Restore();
        remembered.Restore(shellExtension);
        return false;
    }

    // A new password set through the change dialog, which asked for the old
    // one, is the user's change: putting the old one back would lose it
    // without a word. That proof of the password counts as an unlock.
    const std::string passwordAtOk = root.ReadText(kTagPassword);
    const bool passwordChanged = !password.empty() && !passwordAtOk.empty() && passwordAtOk != password;
    // An unlock inside the sheet lasts only as long as the sheet, unless the
    // user cleared "Relock Password"; it is restored before the lock test, so
    // the changes of a relocked sheet are discarded.
    if (!password.empty() && !passwordChanged && ReadProgramDword(kRelockPasswordValueName, 1) != 0) {
        root.SetProperty(kTagPassword, Value::FromText(password));
    }
    // The lock guards settings that were locked when the sheet opened. A lock
    // set inside the sheet is the user's change itself: discarding it with
    // the rest would show the settings as locked while the saved set stays
    // open, and the lock could never be set at all.
    const bool lockedBefore = !password.empty() && !passwordChanged && !root.ReadText(kTagPassword).empty();
    const bool locked =
        (lockedBefore && !root.ReadBoolean(kTagChangesAllowed)) || root.ReadBoolean(kTagReadOnlyDocument);
    if (locked) {
        undo.Restore();
    } else {
        app.SaveIconSet(parent);
    }
    if (app.Texts().GetLanguage() != remembered.language) app.Texts().ApplySelectedLanguage();
    return true;
}

}  // namespace quillet
