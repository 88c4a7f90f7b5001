#include "kelvane/shellmaint/shell_maintenance_rules.h"

#include <cctype>

#include "kelvane/app/kelvane_names.h"

namespace kelvane {
namespace {

// The parts of a path between backslashes.
bool HasDotPart(const std::string& path) {
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        std::string part = path.substr(start, end - start);
        if (part == "." || part == "..") return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

bool IsDocumentsShortcut(const std::string& path) {
    size_t nameStart = path.find_last_of("\\/:");
    std::string name = nameStart == std::string::npos ? path : path.substr(nameStart + 1);
    size_t period = name.find_last_of('.');
    return period != std::string::npos && name.compare(period, std::string::npos, ".lnk") == 0;
}

bool IsUsableShellFolder(const std::string& path) {
    std::string folder = path;
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    if (folder.find_first_of("*?/\"<>|") != std::string::npos || HasDotPart(folder)) return false;
    if (folder.size() > 3 && std::isalpha(static_cast<unsigned char>(folder[0])) && folder[1] == ':' &&
        folder[2] == '\\') {
        return folder.find(':', 2) == std::string::npos && folder[3] != '\\';
    }
    if (folder.rfind("\\\\", 0) == 0) {
        // \\server\share\below: three non-empty parts at least.
        size_t server = folder.find('\\', 2);
        if (server == std::string::npos || server == 2) return false;
        size_t share = folder.find('\\', server + 1);
        if (share == std::string::npos || share == server + 1) return false;
        return share + 1 < folder.size() && folder[share + 1] != '\\' && folder.find(':') == std::string::npos;
    }
    return false;
}

std::string WithTrailingBackslash(const std::string& folder) {
    if (!folder.empty() && folder.back() == '\\') return folder;
    return folder + '\\';
}

std::optional<uint32_t> EmptyDocumentsTimerInterval(const KelvaneSettings& settings) {
    int32_t interval = settings.EmptyDocumentsInterval();
    // An interval of 0 (a unit that names no value, or no delay) never fires.
    if (!settings.EmptyDocuments() || interval <= 0) return std::nullopt;
    return static_cast<uint32_t>(interval);
}

const char* CascadeFolderName(Cascade cascade) {
    switch (cascade) {
    case Cascade::ControlPanel: return kControlPanelCascade;
    case Cascade::Printers: return kPrintersCascade;
    case Cascade::DialUpNetworking: return kDialUpCascade;
    }
    return "";
}

bool CascadeOffered(Cascade cascade, const WindowsVersion& version) {
    if (cascade != Cascade::DialUpNetworking) return true;
    return version.windows9x && version.major == 4 && version.minor == 0;
}

CascadeAction CascadeActionFor(Cascade cascade, bool checked, const WindowsVersion& version) {
    if (!CascadeOffered(cascade, version)) return CascadeAction::LeaveAlone;
    return checked ? CascadeAction::Create : CascadeAction::RemoveIfEmpty;
}

bool CascadeChoices::Checked(Cascade cascade) const {
    switch (cascade) {
    case Cascade::ControlPanel: return controlPanel;
    case Cascade::Printers: return printers;
    case Cascade::DialUpNetworking: return dialUp;
    }
    return false;
}

}  // namespace kelvane
