// The installer's and uninstaller's decisions that need no window: paths,
// folder levels, what is copied, the registry table, the batch file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stowdesk {

// The classic path limit the programs' file calls live with.
inline constexpr size_t kMaxPath = 260;
// An install path must leave room for the longest name we put behind it
// ("\images\" plus a long file name, or "\KORB Stowdesk Homepage.url"), so no
// composed path is ever cut short into another file or folder.
inline constexpr size_t kMaxInstallPathLength = kMaxPath - 1 - 40;

// `left` + `right` with one backslash between them, added only when `left`
// does not already end in one.
std::string JoinPath(std::string_view left, std::string_view right);
// The path without one trailing backslash, if it has one.
std::string StripOneTrailingBackslash(std::string_view path);
bool EqualsIgnoringCase(std::string_view a, std::string_view b);
bool ContainsIgnoringCase(std::string_view text, std::string_view part);

// An earlier release's "UninstallString": the part from "/uninstall" on are
// the parameters, what stands before it (less the one character in front of
// it) the program. Nothing to start when "/uninstall" is missing or no program
// stands before it. Quotes around the program are removed.
struct UninstallCommand {
    std::string program;
    std::string parameters;
};
std::optional<UninstallCommand> SplitUninstallString(std::string_view text);

// The folders to create, outermost first, so that `path` exists: one per
// backslash-separated level. A drive ("C:"), a root ("\") and the server and
// share of a "\\server\share" path are never among them; empty levels
// (doubled backslashes) are skipped.
std::vector<std::string> FolderLevels(std::string_view path);

// True when the install path is too long to be used without cutting composed
// paths short; such a path is refused, never truncated.
bool InstallPathTooLong(std::string_view path);

// True when `path` is a folder given by its full path: a drive ("X:\") or a
// server's share ("\\server\share\") and at least one folder below it. A
// relative path would name another folder for every program that reads it
// back, and a drive's or share's root holds everything else too, where the
// uninstaller deletes by name and empties "images": neither is an install
// folder.
bool IsFullFolderPath(std::string_view path);

// Whether a directory entry of the source folder is left out of the copy:
// ".", "..", every folder and "setup.exe" (in any letter case).
bool SkippedWhenCopying(std::string_view name, bool isFolder);

// Whether a copy that failed is a library that Explorer may hold loaded.
bool IsLibraryPath(std::string_view sourcePath);

// The maker's folder above the install folder, which is removed too when it
// is empty; nothing when the install path has no parent or the parent is not
// a "KORB Software" folder.
std::optional<std::string> MakerFolderToRemove(std::string_view installPath);

// Whether `path` is `folder` or lies inside it (letter case ignored; a
// trailing backslash on either does not matter). An empty folder contains
// nothing.
bool IsSameOrInside(std::string_view path, std::string_view folder);

// A layout file of the product, which the uninstaller never deletes.
bool IsLayoutFile(std::string_view name);

// The uninstaller's batch file: it deletes the temporary copy as soon as that
// has ended, then itself.
inline constexpr int kMaxBatchFiles = 200;
std::string BatchFileName(std::string_view tempFolder, int number);
std::string BatchFileText(std::string_view temporaryCopy, std::string_view batchFile);

// One string value the installer writes under HKEY_CLASSES_ROOT.
struct ClassesEntry {
    const char* key;
    const char* name;  // "" for the default value
    std::string data;
};
// The ".sd" file type and its three verbs, in the order they are written.
std::vector<ClassesEntry> FileTypeEntries(std::string_view installPath);

// One sound event under the application key: its key name and display name
// (the same text) and the sound file it plays.
struct SoundEvent {
    const char* name;
    const char* sound;
};
inline constexpr SoundEvent kSoundEvents[] = {
    {"SD Help", "shhhuh.wav"}, {"Stowdesk", "tki-tko.wav"}, {"Restore Layout", "gnoop.wav"}};

// The value a sound event's ".Current" or ".Default" key gets. `carried` is
// what the previous key got (the installed sound before the first), `present`
// the key's value as read (nothing when it has none). A value the user chose
// is kept; an empty or one-character value gives way to the installed sound;
// a missing one takes what was carried.
std::string SoundValueToWrite(const std::string& carried, const std::optional<std::string>& present,
                              const std::string& installedSound);

}  // namespace stowdesk
