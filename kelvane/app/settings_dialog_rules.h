// What the settings dialog decides without a window: its pages and their
// help, the values its controls show and what they store, the rules that
// enable one control by another, the page it opens on and the version text.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "kelvane/components/kelvane_settings.h"

namespace kelvane {

enum class SettingsPage { General, Adjuster, StartMenu, About };

struct SettingsPageInfo {
    SettingsPage page;
    const char* caption;
    int helpContext;
    const char* helpPage;  // file name in the help folder beside the program
};

inline constexpr size_t kSettingsPageCount = 4;
const std::array<SettingsPageInfo, kSettingsPageCount>& SettingsPages();

// The help page of a help context; nothing for a context no page has.
std::optional<std::string> HelpPageOf(int helpContext);

// The page the dialog opens on: the stored "Control Last Page", or the first
// page for a missing, negative or too large one.
int PageToOpen(std::optional<int32_t> storedPage);

// The state of the settings the dialog edits, as its controls hold it.
struct SettingsDialogValues {
    bool adjustTop = false;
    bool adjustLeft = false;
    bool adjustBottom = false;
    bool adjustRight = false;
    int frequencyPosition = 0;  // whole seconds; 0 stands for half a second
    bool autoAdjustWindows = false;
    bool resizeWindows = false;
    bool dontAdjustIfOffscreen = false;
    std::string offscreenPercentText;
    bool showFinderTrayIcon = false;
    bool addSystemMenuCommands = false;
    bool showFinderIcons = false;
    int doubleClickIndex = -1;  // -1: the combo box shows no entry
    bool emptyDocuments = false;
    int emptyDocumentsDelay = 1;
    int delayTypeIndex = -1;
};

// The combo boxes' entries.
inline constexpr std::array<const char*, 2> kDoubleClickItems = {"Maximize/Restore", "Always on top"};
inline constexpr std::array<const char*, 2> kDelayTypeItems = {"Minutes", "Seconds"};

SettingsDialogValues DialogValuesFrom(const KelvaneSettings& settings);

// Writes the dialog's values into `settings`. A combo box showing no entry,
// or a percentage that is no number, leaves its setting as it was, so a
// stored choice the dialog cannot show is kept.
void ApplyDialogValues(const SettingsDialogValues& values, KelvaneSettings& settings);

// "Add extra commands to the System menu": off remembers the double-click
// choice, shows the first entry and disables the mouse settings; on brings
// the remembered choice back and enables them.
struct MouseSettingsState {
    int doubleClickIndex;
    int rememberedIndex;
    bool enabled;
};
MouseSettingsState MouseSettingsFor(bool addSystemMenuCommands, int doubleClickIndex, int rememberedIndex);

// The version the About page shows: ProductVersion without its last
// dot-separated part ("1.0.0.0" -> "1.0.0").
std::string VersionText(const std::string& productVersion);

// The Dial-Up Networking cascade exists only on Windows 95; elsewhere its
// check box says so and is disabled.
std::string DialUpNetworkingCaption(bool windows95);

}  // namespace kelvane
