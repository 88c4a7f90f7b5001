// The fixed lists of file names the installer and the uninstaller delete.
// They hold only names that this installer or the product's earlier releases
// (and the maker's other programs sharing the folder) put into the install
// folder: never a layout (".sd") file, never a name a user would choose.
#pragma once

#include <string_view>
#include <vector>

namespace stowdesk {

// What the distribution folder ships beside setup.exe; setup copies them all.
const std::vector<std::string_view>& DistributedFiles();

// Left by earlier releases and the maker's other programs; setup deletes them
// from the install folder before copying (13 names).
const std::vector<std::string_view>& OldReleaseFiles();

// Uninstall, before the libraries: programs, help pages, text files, web
// shortcuts and pages, setup.exe.
const std::vector<std::string_view>& UninstallFirstGroup();

// Uninstall: libraries that shell extensions or hooks may hold loaded, in the
// order they are deleted (two of the maker's other programs', then ours).
const std::vector<std::string_view>& UninstallLibraries();

// Uninstall, after the libraries: sounds, tunes, help pages, programs, icons
// and web shortcuts of the product and of the maker's other programs.
const std::vector<std::string_view>& UninstallSecondGroup();

// The installed uninstaller, deleted last (it may still be ending).
inline constexpr std::string_view kUninstallProgram = "uninstall.exe";

}  // namespace stowdesk
