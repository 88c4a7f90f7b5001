#include "quillet/app/program_application_win32.h"

#include <cstdlib>

#include "platform/error_text.h"
#include "platform/handles.h"
#include "platform/registry.h"
#include "quillet/strings/strings_win32.h"
#include "quillet/app/quillet_names.h"
#include "quillet/ui/messages.h"
#include "quillet/ui/object_sheets.h"

namespace quillet {

namespace {

constexpr const char* kCurrentVersionKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

DocumentInfo DocumentInfoOf(Language& language) {
    return {language.ExpandMacros("%fd"), language.ExpandMacros("%fv")};
}

std::string CompanyShortName(Language& language) {
    return language.ExpandMacros("%cs");
}

}  // namespace

bool ProgramDocumentFiles::ReplaceFile(const std::string& path, std::string_view bytes, std::string* reason) {
    // A read-only document is refused before anything is tried, without an
    // error code of its own.
    DWORD attributes = GetFileAttributesA(path.c_str());
    bool readOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    SetLastError(NO_ERROR);
    if (Win32DocumentFiles::ReplaceFile(path, bytes, reason)) {
        m_lastSaveError = NO_ERROR;
        return true;
    }
    DWORD error = readOnly ? ERROR_ACCESS_DENIED : GetLastError();
    // The code is trusted only when it is the one the reason was made from.
    if (error == NO_ERROR || platform::SystemErrorText(error) != *reason) error = ERROR_WRITE_FAULT;
    m_lastSaveError = error;
    return false;
}

ProgramApplication::ProgramApplication(HINSTANCE instance, std::unique_ptr<Language> language)
    : m_instance(instance), m_language(std::move(language)) {
    m_model.Root()->SetProgramTitle(m_language->ExpandMacros("%pn %pv"));
    m_document = LocateDocument(ProgramFolder(), m_language->ExpandMacros("%in"), CompanyShortName(*m_language));
}

ProgramApplication::~ProgramApplication() {
    SetApp(nullptr);
}

std::unique_ptr<ProgramApplication> ProgramApplication::Create(HINSTANCE instance) {
    std::unique_ptr<Language> language = CreateProgramLanguage(instance);
    if (!StartProgramLanguage(*language, instance)) return nullptr;
    std::unique_ptr<ProgramApplication> application(new ProgramApplication(instance, std::move(language)));
    SetApp(application.get());
    return application;
}

bool ProgramApplication::InitializeIconSet() {
    RegisterStandardFactories(m_model);
    // Loading the icon set applies its hide-desktop setting, so the switch
    // must be there first.
    m_model.Root()->SetDesktopIconsSwitch(std::make_shared<Win32DesktopIconsSwitch>());
    return Succeeded(m_model.AddStandardTrayIcon());
}

ProgramApplication::LoadResult ProgramApplication::LoadIconSet() {
    LoadProblem problem = LoadProblem::None;
    Status status = LoadDocument(m_model, m_files, m_document.path, &problem);
    if (status == kStatusOk) return LoadResult::Loaded;
    if (status == kStatusFalse && problem == LoadProblem::NoFile) return LoadResult::NoDocument;
    return LoadResult::Failed;
}

void ProgramApplication::BuildDefaultIconSet() {
    RefPtr<Object> tray = m_model.Root()->GetChild(0);
    if (!tray) return;
    AppendDefaultItems(m_model, *tray, DefaultIconSetItems(GatherDefaultIconSetFacts()));
}

bool ProgramApplication::SaveIconSet(HWND owner) {
    SaveFailure failure;
    if (SaveDocument(m_model, m_files, m_document.path, DocumentInfoOf(*m_language), &failure) == kStatusOk)
        return true;
    // The message box comes up over whatever the user is working in.
    HWND over = GetActiveWindow();
    if (!over) over = owner;
    SetLastError(failure.problem == SaveProblem::CantWrite ? m_files.LastSaveError() : ERROR_ACCESS_DENIED);
    ShowMessageWithError(over, MB_OK | MB_ICONERROR, std::string("$") + kSaveFailureKey, {failure.path});
    return false;
}

// Tests follow the hand-over through the file QUILLET_TEST_LOG names.
static void AppendTestLog(const std::string& line) {
    const char* logPath = std::getenv(kTestLogVariable);
    if (!logPath || !*logPath) return;
    platform::unique_hfile file(CreateFileA(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

bool ProgramApplication::RunNewItemWizard(HWND owner, Object* templateItem, const std::string& path) {
    if (!path.empty()) AppendTestLog("new item: " + path);
    NewItemRequest request;
    request.templateItem = templateItem;
    request.folderPath = path;
    // Next to the item it was started from; a handed-over folder at the end
    // of the first tray icon's menu; otherwise a new tray icon of the set.
    if (templateItem && templateItem->Owner()) {
        request.container = templateItem->Owner();
        request.insertAt = static_cast<size_t>(request.container->IndexOf(templateItem) + 1);
    } else if (!path.empty()) {
        RefPtr<Object> tray = m_model.Root()->GetChild(0);
        if (!tray) return false;
        request.container = tray.Get();
    } else {
        request.container = m_model.Root();
    }
    return ::quillet::RunNewItemWizard(owner, request);
}

DefaultIconSetFacts GatherDefaultIconSetFacts() {
    DefaultIconSetFacts facts;
    char drives[MAX_PATH] = {};
    DWORD length = GetLogicalDriveStringsA(sizeof drives, drives);
    if (length > 0 && length < sizeof drives) {
        for (const char* drive = drives; *drive; drive += strlen(drive) + 1)
            facts.drives.push_back({drive, GetDriveTypeA(drive)});
    }
    facts.programFiles = LookUpRegistryPath(RegistryPathValueName(kProgramFilesPath));
    char folder[MAX_PATH] = {};
    UINT windows = GetWindowsDirectoryA(folder, sizeof folder);
    if (windows > 0 && windows < sizeof folder) facts.windowsFolder = folder;
    DWORD temp = GetTempPathA(sizeof folder, folder);
    if (temp > 0 && temp < sizeof folder) facts.tempFolder = folder;
    return facts;
}

RegistryPathLookup LookUpRegistryPath(const std::string& valueName) {
    platform::RegistryKey key = platform::RegistryKey::Open(HKEY_LOCAL_MACHINE, kCurrentVersionKey);
    if (!key) return {RegistryPathLookup::Result::KeyMissing, {}};
    std::optional<platform::RegData> data = key.Read(valueName);
    if (!data || (data->type != REG_SZ && data->type != REG_EXPAND_SZ))
        return {RegistryPathLookup::Result::ValueMissing, {}};
    std::string text = data->Text();
    if (data->type == REG_EXPAND_SZ) text = platform::ExpandEnvironment(text);
    return {RegistryPathLookup::Result::Found, text};
}

Win32DesktopIconsSwitch::Win32DesktopIconsSwitch() {
    HWND desktop = FindWindowA("Progman", nullptr);
    if (desktop) m_view = FindWindowExA(desktop, nullptr, "SHELLDLL_DefView", nullptr);
}

int32_t Win32DesktopIconsSwitch::State() const {
    if (!m_view || !IsWindow(m_view)) return kDesktopIconsUnavailable;
    return IsWindowVisible(m_view) ? kDesktopIconsShown : kDesktopIconsHidden;
}

void Win32DesktopIconsSwitch::SetHidden(bool hidden) {
    if (m_view && IsWindow(m_view)) ShowWindow(m_view, hidden ? SW_HIDE : SW_SHOW);
}

}  // namespace quillet
