#include "kelvane/components/control_win32.h"

#include "platform/version_info.h"

namespace kelvane {
namespace {

std::string OrDefault(const std::string& value, const char* fallback) {
    return value.empty() ? fallback : value;
}

}  // namespace

bool CControlData::Load() {
    CRegistryEnhanced& registry = m_control.Registry();
    bool exists = registry.KeyExists();
    if (exists) LoadValues(registry);
    if (!m_creating) m_control.NotifyDataAspect(kAspectDataLoaded);
    return exists;
}

bool CControlData::Save() {
    bool written = SaveValues(m_control.Registry());
    m_control.NotifyDataAspect(kAspectDataSaved);
    return written;
}

CControl::CControl(HWND ownerForm) : m_ownerForm(ownerForm) {}

CControl::~CControl() = default;

std::string CControl::pCompany() const {
    return OrDefault(m_company, kDefaultCompany);
}
std::string CControl::pApplicationName() const {
    return OrDefault(m_applicationName, kDefaultApplicationName);
}
std::string CControl::pUserSettings() const {
    return OrDefault(m_userSettings, kDefaultUserSettings);
}
std::string CControl::pSaveSection() const {
    return OrDefault(m_saveSection, kDefaultSaveSection);
}

void CControl::SetpCompany(const std::string& company) {
    m_company = company;
    UpdateParts();
}

void CControl::SetpApplicationName(const std::string& name) {
    m_applicationName = name;
    UpdateParts();
}

void CControl::SetRegistryVersion(const std::string& version) {
    m_registryVersion = version;
    UpdateParts();
}

void CControl::SetpUserSettings(const std::string& section) {
    m_userSettings = section;
    UpdateParts();
}

void CControl::SetpSaveSection(const std::string& section) {
    m_saveSection = section;
    UpdateParts();
}

void CControl::SetpSavePositions(bool save) {
    m_savePositions = save;
    if (!save) m_winSaver.reset();
}

void CControl::SetpSaveOptions(CSaveOptions options) {
    m_saveOptions = options;
    if (m_winSaver) m_winSaver->SetOptions(options);
}

void CControl::SetpHideFromTaskBar(bool hide) {
    m_hideFromTaskBar = hide;
    ApplyHideFromTaskBar();
}

void CControl::SetApplicationWindow(HWND window) {
    m_applicationWindow = window;
    ApplyHideFromTaskBar();
}

void CControl::Loaded() {
    ApplyHideFromTaskBar();
}

void CControl::ApplyHideFromTaskBar() {
    if (m_applicationWindow) ShowWindow(m_applicationWindow, m_hideFromTaskBar ? SW_HIDE : SW_RESTORE);
}

void CControl::SetOwnerForm(HWND form) {
    m_ownerForm = form;
    m_winSaver.reset();
    m_winSaverError.clear();
}

RegistryParts CControl::SettingsParts() const {
    return {pCompany(), pApplicationName(), m_registryVersion, pUserSettings()};
}

RegistryParts CControl::PositionParts() const {
    return {pCompany(), pApplicationName(), m_registryVersion, pSaveSection()};
}

void CControl::UpdateParts() {
    if (m_registry) m_registry->SetParts(SettingsParts());
    if (m_winSaver) m_winSaver->Registry().SetParts(PositionParts());
}

CRegistryEnhanced& CControl::Registry() {
    if (!m_registry) {
        m_registry = std::make_unique<CRegistryEnhanced>(CRegistryEnhanced::KeyKind::Settings);
        m_registry->SetParts(SettingsParts());
    }
    return *m_registry;
}

CControlData& CControl::Data() {
    if (!m_data) {
        m_data = CreateData();
        m_data->m_creating = true;
        m_data->Defaults();
        m_data->Load();
        m_data->m_creating = false;
    }
    return *m_data;
}

std::unique_ptr<CControlData> CControl::CreateData() {
    return std::make_unique<CControlData>(*this);
}

void CControl::DataAspectChanged(int aspect) {
    if (pOnDataAspectChanged) pOnDataAspectChanged(*this, aspect);
}

CWinSaver* CControl::WinSaver() {
    if (!m_savePositions) return nullptr;
    if (!m_winSaver) {
        CWinSaver::Creation creation = CWinSaver::Create(m_ownerForm, PositionParts(), m_saveOptions);
        m_winSaver = std::move(creation.saver);
        m_winSaverError = creation.error;
    }
    return m_winSaver.get();
}

bool CControl::OwnerShown() {
    CWinSaver* saver = WinSaver();
    return saver && saver->Restore();
}

bool CControl::OwnerClosing() {
    CWinSaver* saver = WinSaver();
    return saver && saver->Save();
}

std::string RegistryVersionOfModule(HMODULE module) {
    std::optional<std::string> productVersion = platform::VersionString(platform::ModulePath(module), "ProductVersion");
    return productVersion ? RegistryVersionFromProductVersion(*productVersion) : std::string();
}

}  // namespace kelvane
