#include "vorrin/toggler_rules.h"

namespace vorrin {

namespace {

constexpr std::string_view kHideSwitch = "-hide";
constexpr std::string_view kShowSwitch = "-show";
constexpr std::string_view kQuitSwitch = "-quit";

constexpr std::string_view kProductName = "Vorrin";
constexpr std::string_view kVersion = "v2.0";
constexpr std::string_view kAuthorLine = "Written by Nimbrel Software";
constexpr std::string_view kWebPage = "http://www.nimbrel.example/vorrin/";
constexpr std::string_view kMailAddress = "vorrin@nimbrel.example";

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

}  // namespace

StartSwitches ParseSwitches(std::string_view arguments) {
    StartSwitches switches;
    switches.hide = Contains(arguments, kHideSwitch);
    switches.show = Contains(arguments, kShowSwitch);
    switches.quit = Contains(arguments, kQuitSwitch);
    return switches;
}

TrayAction TrayActionFor(unsigned mouseMessage, DesktopState believed) {
    switch (mouseMessage) {
    case kLeftButtonUp: return believed == DesktopState::Hidden ? TrayAction::PostShow : TrayAction::PostHide;
    case kRightButtonUp: return TrayAction::ShowMenu;
    default: return TrayAction::None;
    }
}

std::optional<Command> CommandFromId(unsigned id) {
    switch (id) {
    case IDM_HIDE_DESKTOP_ICONS: return Command::HideDesktopIcons;
    case IDM_SHOW_DESKTOP_ICONS: return Command::ShowDesktopIcons;
    case IDM_ABOUT: return Command::About;
    case IDM_QUIT: return Command::Quit;
    case IDM_DISPLAY_PROPERTIES: return Command::DisplayProperties;
    case IDM_LOG_OFF: return Command::LogOff;
    case IDM_RESTART: return Command::Restart;
    case IDM_SHUT_DOWN: return Command::ShutDown;
    default: return std::nullopt;
    }
}

DesktopState StateAfter(Command command, DesktopState before) {
    switch (command) {
    case Command::HideDesktopIcons: return DesktopState::Hidden;
    case Command::ShowDesktopIcons: return DesktopState::Shown;
    default: return before;
    }
}

std::optional<SessionEnd> SessionEndFor(Command command) {
    switch (command) {
    case Command::LogOff: return SessionEnd{0, false};
    case Command::Restart: return SessionEnd{2, true};
    case Command::ShutDown: return SessionEnd{1, true};
    default: return std::nullopt;
    }
}

std::string AboutText() {
    std::string text;
    text.append(kProductName).append(" ").append(kVersion).append("\n");
    text.append(kAuthorLine).append("\n");
    text.append("\n");
    text.append(kWebPage).append("\n");
    text.append("mailto:").append(kMailAddress);
    return text;
}

}  // namespace vorrin
