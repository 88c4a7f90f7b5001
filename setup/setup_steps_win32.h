// The installer's steps after the product windows were closed, in the order
// setup runs them.
#pragma once

#include <optional>
#include <string>

namespace stowdesk {

// Starts the uninstallers of releases 3.0, 2.0 and 1.0, without waiting.
void UninstallEarlierReleases();

// The registered install path, or the program-files folder + "KORB Stowdesk".
std::string ProposedInstallPath();

// The registry table: install path, uninstall entry, old autostart entry,
// sound events, file type, auto-save folder.
void WriteRegistry(const std::string& installPath);

// Copies every file beside setup.exe and its "images" folder. True only when
// every file was copied.
bool CopyProductFiles(const std::string& installPath);

// Removes the earlier releases' shortcuts, then makes the new ones (COM must
// be initialised).
void DeleteOldShortcuts();
void CreateShortcuts(bool startMenuShortcut);

// Starts Quick.exe /s and SDtray.exe from the install folder.
void StartProduct(const std::string& installPath);

// The install path as the product key holds it; a message when the key
// cannot be opened.
std::optional<std::string> ReadInstallPath();

}  // namespace stowdesk
