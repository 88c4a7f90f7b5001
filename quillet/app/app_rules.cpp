#include "quillet/app/app_rules.h"

#include "quillet/model/property_tags.h"

namespace quillet {

std::optional<size_t> TrayIconIndex(uint32_t id, size_t count) {
    if (id < kFirstTrayIconId || id - kFirstTrayIconId >= count) return std::nullopt;
    return id - kFirstTrayIconId;
}

namespace {
bool IsNewItemSwitch(const std::string& argument) {
    return argument.size() >= 2 && (argument[0] == '-' || argument[0] == '/') &&
           (argument[1] == 'N' || argument[1] == 'n');
}
}  // namespace

std::optional<std::string> NewItemPathFromArguments(const std::vector<std::string>& arguments) {
    std::optional<std::string> path;
    for (size_t i = 1; i + 1 < arguments.size(); ++i) {
        if (IsNewItemSwitch(arguments[i])) path = arguments[i + 1];
    }
    return path;
}

std::string TrayTipText(const std::string& name) {
    if (name.empty()) return kUnnamedIconTip;
    return name.substr(0, kMaxTrayTip);
}

TrayAction ClassifyTrayMessage(int32_t clickMode, uint32_t mouseMessage) {
    uint32_t openMessage = clickMode == 1 ? kLeftButtonDown : kLeftButtonDoubleClick;
    if (mouseMessage == openMessage) return TrayAction::OpenMenu;
    if (mouseMessage == kRightButtonDown) return TrayAction::CommandMenu;
    return TrayAction::Ignore;
}

std::vector<uint32_t> CommandMenuRemovals(bool locked) {
    std::vector<uint32_t> removed = {kCommandGeneralProperties, kCommandRemove};
    if (locked) removed.insert(removed.end(), {kCommandClose, kCommandNew});
    return removed;
}

std::optional<uint32_t> HotkeyToRegister(int32_t mode, int32_t custom) {
    if (mode == kHotkeyModeNatural) return static_cast<uint32_t>(kNaturalHotkey);
    if (mode == kHotkeyModeCustom && custom != 0) return static_cast<uint32_t>(custom) & 0xFFFFu;
    return std::nullopt;
}

ScreenPoint SplashOrigin(int screenWidth, int screenHeight, int bitmapWidth, int bitmapHeight) {
    return {(screenWidth - bitmapWidth) / 2, (screenHeight - bitmapHeight) / 3};
}

bool SplashTimeUp(uint32_t shownAt, uint32_t now) {
    return now - shownAt > kSplashShownMilliseconds;
}

}  // namespace quillet
