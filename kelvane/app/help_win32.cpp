#include "kelvane/app/help_win32.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <fstream>

#include "kelvane/app/kelvane_names.h"
#include "kelvane/app/settings_dialog_rules.h"
#include "platform/version_info.h"

namespace kelvane {

std::string HelpPagePath(int helpContext) {
    std::optional<std::string> page = HelpPageOf(helpContext);
    if (!page) return {};
    std::string program = platform::ModulePath();
    return program.substr(0, program.find_last_of('\\') + 1) + kHelpFolderName + "\\" + *page;
}

bool ShowHelp(int helpContext) {
    std::string page = HelpPagePath(helpContext);
    if (const char* log = std::getenv(kTestHelpLogVariable); log && *log) {
        std::ofstream(log, std::ios::app) << helpContext << ' ' << page << '\n';
        return !page.empty();
    }
    if (page.empty()) return false;
    HINSTANCE result = ShellExecuteA(nullptr, "open", page.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace kelvane
