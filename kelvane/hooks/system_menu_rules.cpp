#include "kelvane/hooks/system_menu_rules.h"

namespace kelvane {

namespace {
constexpr uint32_t kErrorModuleNotFound = 126;
}

bool TakesSystemMenuCommands(const std::string& className) {
    return className != hookshim::kExcludedClassName;
}

bool IsEligibleForCommands(const CommandWindowFacts& facts) {
    return facts.exists && !facts.isTaskbar && facts.hasCaption && facts.hasSystemMenu && facts.visible;
}

WindowAction ActionForSysCommand(uint32_t command) {
    switch (command) {
    case hookshim::kCommandAlwaysOnTop: return WindowAction::ToggleAlwaysOnTop;
    case hookshim::kCommandHideWindow: return WindowAction::HideWindow;
    default: return WindowAction::None;
    }
}

WindowAction ActionForDoubleClick(CNCLButtonDblClk action) {
    switch (action) {
    case CNCLButtonDblClk::nbAlwaysOnTop: return WindowAction::ToggleAlwaysOnTop;
    case CNCLButtonDblClk::nbHideWindow: return WindowAction::HideWindow;
    default: return WindowAction::None;
    }
}

hookshim::DoubleClickAction LibraryDoubleClickAction(CNCLButtonDblClk action) {
    switch (action) {
    case CNCLButtonDblClk::nbAlwaysOnTop: return hookshim::DoubleClickAction::AlwaysOnTop;
    case CNCLButtonDblClk::nbHideWindow: return hookshim::DoubleClickAction::HideWindow;
    default: return hookshim::DoubleClickAction::Default;
    }
}

std::string LoadFailureReason(uint32_t error) {
    if (error == kErrorModuleNotFound)
        return std::string("Could not find the required file '") + hookshim::kLibraryName +
               "' in the path. You may need to reinstall the application.";
    return std::string("Could not load ") + hookshim::kLibraryName;
}

}  // namespace kelvane
