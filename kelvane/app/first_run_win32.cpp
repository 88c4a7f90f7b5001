#include "kelvane/app/first_run_win32.h"

#include <shlobj.h>

#include "kelvane/app/kelvane_names.h"
#include "kelvane/app/start_rules.h"
#include "kelvane/components/kelvane_settings.h"
#include "kelvane/shellmaint/shell_maintenance_win32.h"
#include "platform/registry.h"
#include "platform/shortcut.h"
#include "platform/version_info.h"

namespace kelvane {
namespace {

std::string SpecialFolder(int csidl) {
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE)) return {};
    std::string folder = path;
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace

std::string StartupShortcutPath(const std::string& applicationName) {
    std::string folder = SpecialFolder(CSIDL_STARTUP);
    return folder.empty() ? std::string() : folder + applicationName + ".lnk";
}

std::string CommonStartupShortcutPath(const std::string& applicationName) {
    std::string folder = SpecialFolder(CSIDL_COMMON_STARTUP);
    return folder.empty() ? std::string() : folder + applicationName + ".lnk";
}

bool CreateStartupShortcut(const std::string& applicationName) {
    std::string link = StartupShortcutPath(applicationName);
    if (link.empty()) return false;
    platform::ShortcutFields fields;
    fields.target = platform::ModulePath();
    fields.workingFolder = fields.target.substr(0, fields.target.find_last_of('\\'));
    return SUCCEEDED(platform::CreateShortcut(link, fields));
}

void RecordCascadeFolders(CRegistryEnhanced& settings) {
    // The same Start Menu folder the cascades are made in.
    settings.WriteBool(kCcpAlreadyExistsValue, CascadeExists(Cascade::ControlPanel));
    settings.WriteBool(kCpAlreadyExistsValue, CascadeExists(Cascade::Printers));
    settings.WriteBool(kCduAlreadyExistsValue, CascadeExists(Cascade::DialUpNetworking));
}

bool ExplorerHidesFullPaths() {
    platform::RegistryKey key = platform::RegistryKey::Open(HKEY_CURRENT_USER, kCabinetStateKey, KEY_READ);
    if (!key) return FullPathsOff(std::nullopt);
    std::optional<platform::RegData> data = key.Read("Settings");
    return FullPathsOff(data ? std::optional<std::string>(data->bytes.substr(0, 12)) : std::optional<std::string>());
}

}  // namespace kelvane
