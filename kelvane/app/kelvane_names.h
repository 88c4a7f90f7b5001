// Names and texts of kelvane.exe that other programs, the registry or the
// user see: one place, never retyped.
#pragma once

namespace kelvane {

inline constexpr const char* kSemaphoreName = "Nimbrel Kelvane is running";
inline constexpr const char* kMainFormClass = "TfrmMainKelvane";
inline constexpr const char* kApplicationTitle = "Nimbrel Kelvane";
inline constexpr const char* kInitiateMessageName = "Nimbrel Kelvane Initiate Message";
// The help pages lie in this folder beside the program.
inline constexpr const char* kHelpFolderName = "help";

inline constexpr const char* kCompany = "Nimbrel";
inline constexpr const char* kApplicationName = "Kelvane";
inline constexpr const char* kKelvaneTrayHint = "Nimbrel Kelvane";
inline constexpr const char* kFinderTrayHint = "Nimbrel Finder";

// Tests point the program at a scratch registry: a key path under the real
// HKEY_CURRENT_USER whose "HKCU" and "HKLM" subkeys stand for those roots.
inline constexpr const char* kTestRegistryVariable = "KELVANE_TEST_REGISTRY_ROOT";
// Tests name a file here: each help request appends its context to it as a
// line instead of opening a browser.
inline constexpr const char* kTestHelpLogVariable = "KELVANE_TEST_HELP_LOG";

// Tray menu captions.
inline constexpr const char* kSettingsCaption = "Settings";
inline constexpr const char* kQuickCommandsCaption = "Quick Commands";
inline constexpr const char* kAdjustWindowsCaption = "Adjust windows";
inline constexpr const char* kAdjustAllCaption = "Adjust all to fit onscreen";
inline constexpr const char* kCloseAllCaption = "Close all windows";
inline constexpr const char* kHideAllCaption = "Hide all windows";
inline constexpr const char* kRestoreHiddenCaption = "Restore hidden windows";
inline constexpr const char* kMinimizeAllCaption = "Minimize all windows";
inline constexpr const char* kRestoreAllCaption = "Restore all windows";
inline constexpr const char* kExitCaption = "Exit";

// Dialog texts break lines with LF followed by CR.
inline constexpr const char* kFullPathHint =
    "To assist in finding windows easily you should turn on the option to display the full path of Explorer "
    "windows. To do this:\n\r\n\r1. Open 'My Computer' or Windows Explorer\n\r2. Select the View, (Folder) "
    "Options menu item\n\r3. Click on the View tab \n\r4. Tick the 'Display the full path in title bar' "
    "checkbox.\n\r5. Click 'OK'";

inline constexpr const char* kShiftPrompt =
    "Kelvane detected that the Shift key was pressed while starting up. This enables you to turn off certain "
    "features.\n\r\n\rThe feature 'Add extra commands to the System menu of applications' can cause erratic "
    "behaviour with certain programs due to the nature of how they work. Turning this feature off can stop these "
    "problems occurring if Kelvane is the cause. If this feature is disabled, and these problems no longer occur, "
    "the feature should not be used with your system. \n\r\n\rNote: If you determine that this feature is not "
    "causing problems, you can easily enable this feature later on through Kelvane's settings.\n\r\n\rDo you wish "
    "to disable the feature 'Add extra commands to the System menu of applications'?";

inline constexpr const char* kIllegalCommandMessage =
    "Nimbrel Kelvane was given an illegal command. If this problem occurs again, please contact Nimbrel. ";

// The Start Menu cascade folders whose existence the first run records.
inline constexpr const char* kControlPanelCascade = "Control Panel.{21EC2020-3AEA-1069-A2DD-08002B30309D}";
inline constexpr const char* kPrintersCascade = "Printers.{2227A280-3AEA-1069-A2DE-08002B30309D}";
inline constexpr const char* kDialUpCascade = "Dial-Up Networking.{992CFFA0-F557-101A-88EC-00DD010CCC48}";

inline constexpr const char* kCabinetStateKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CabinetState";

}  // namespace kelvane
