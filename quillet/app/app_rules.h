// The decisions of quillet's start-up and main window that need no window:
// the command line's hand-over path, what a tray mouse message does, which
// tray command menu entries show, the hotkey to register, the tray tip and
// the start-up screen's place and time. Portable: no <windows.h>.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillet {

// Tray icon ids: the first tray icon of the icon set has this id, the next
// one this plus one, and so on.
constexpr uint32_t kFirstTrayIconId = 21200;

// The index of the tray icon `id` stands for, or nothing when no such icon
// is up (`count` icons are).
std::optional<size_t> TrayIconIndex(uint32_t id, size_t count);

// The path after the last "/N" or "-N" switch (any case, anything after the
// letter ignored), scanning from the argument after the program's own name.
// A switch in last place takes nothing.
std::optional<std::string> NewItemPathFromArguments(const std::vector<std::string>& arguments);

// The tray tip of an icon named `name`: at most 63 characters, which is what
// the first-version tray record holds; "<unnamed icon>" when it has no name.
std::string TrayTipText(const std::string& name);
constexpr size_t kMaxTrayTip = 63;
constexpr const char* kUnnamedIconTip = "<unnamed icon>";

// Mouse messages a tray icon reports.
constexpr uint32_t kLeftButtonDown = 0x0201;
constexpr uint32_t kLeftButtonDoubleClick = 0x0203;
constexpr uint32_t kRightButtonDown = 0x0204;

enum class TrayAction { Ignore, OpenMenu, CommandMenu };
// Click mode 1 (setting 9007) opens the menu on a left press, any other mode
// on a left double-click; a right press always shows the command menu.
TrayAction ClassifyTrayMessage(int32_t clickMode, uint32_t mouseMessage);

// The tray command menu's commands.
constexpr uint32_t kCommandClose = 40001;
constexpr uint32_t kCommandProperties = 40002;
constexpr uint32_t kCommandNew = 40003;
constexpr uint32_t kCommandAbout = 40004;
constexpr uint32_t kCommandTip = 40005;
constexpr uint32_t kCommandGeneralProperties = 40007;
constexpr uint32_t kCommandRemove = 40008;

// The commands taken out of the menu before it shows: Remove and General
// Properties always, and while the settings are locked Close and New too.
std::vector<uint32_t> CommandMenuRemovals(bool locked);

// The hotkey to register for hotkey mode `mode` (setting 9003) and custom
// hotkey `custom` (9004): modifiers in the high byte, the virtual key in the
// low one; nothing for no hotkey.
std::optional<uint32_t> HotkeyToRegister(int32_t mode, int32_t custom);

// The start-up screen: a third of the free height above it, centred across.
struct ScreenPoint {
    int x = 0;
    int y = 0;
};
ScreenPoint SplashOrigin(int screenWidth, int screenHeight, int bitmapWidth, int bitmapHeight);
// It closes at the first timer tick after more than two seconds; tick counts
// wrap after 49.7 days.
constexpr uint32_t kSplashTimerMilliseconds = 500;
constexpr uint32_t kSplashShownMilliseconds = 2000;
bool SplashTimeUp(uint32_t shownAt, uint32_t now);

}  // namespace quillet
