// The icon set a first run starts with (no icon set file yet): the common
// special folders, the usable drives in a column of their own, then Program
// Files, the Windows folder and the temporary folder in the last column.
// Portable: the windowed side gathers the drives, the registry value and the
// folders, this decides what becomes of them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "quillet/model/object_model.h"

namespace quillet {

// Drive types as GetDriveType answers them.
constexpr uint32_t kDriveRemovable = 2;
constexpr uint32_t kDriveFixed = 3;
constexpr uint32_t kDriveRemote = 4;
constexpr uint32_t kDriveCdRom = 5;

struct DriveFact {
    std::string root;  // "C:\"
    uint32_t type = 0;
};

// The registry value a path beginning with "!" names, under
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion.
struct RegistryPathLookup {
    enum class Result { KeyMissing, ValueMissing, Found };
    Result result = Result::KeyMissing;
    std::string text;  // the value's content when Found
};

// What a folder item made from `path` points to: the path itself, or for a
// "!" path the registry value's content. The text stays as it is when the key
// cannot be opened; nothing when the value is missing or empty, or the path
// is empty.
std::optional<std::string> ResolveItemPath(const std::string& path, const RegistryPathLookup& lookup);

// The registry value name of a "!" path ("!ProgramFilesDir" ->
// "ProgramFilesDir"); empty for any other path.
std::string RegistryPathValueName(const std::string& path);

constexpr const char* kProgramFilesPath = "!ProgramFilesDir";
constexpr const char* kWindowsFolderName = "Windows Directory";
constexpr const char* kTempFolderName = "Temp Directory";

struct DefaultIconSetFacts {
    std::vector<DriveFact> drives;  // in GetLogicalDriveStrings order
    RegistryPathLookup programFiles;
    std::string windowsFolder;
    std::string tempFolder;
};

// One item of the default set, in menu order.
struct DefaultItem {
    enum class Kind { SpecialFolder, Folder, ColumnSeparator };
    Kind kind = Kind::Folder;
    int32_t csidl = kNoSpecialFolder;  // SpecialFolder
    std::string path;                  // Folder, already resolved
    std::string name;                  // Folder; empty: the class's own name

    bool operator==(const DefaultItem& other) const {
        return kind == other.kind && csidl == other.csidl && path == other.path && name == other.name;
    }
};

// My Computer, Control Panel, Printers, Recycle Bin, Favorites, Programs.
extern const int32_t kDefaultSpecialFolders[6];

std::vector<DefaultItem> DefaultIconSetItems(const DefaultIconSetFacts& facts);

// Appends the items to `trayIcon` through the model's factories; an item
// whose class no factory serves, or which the tray icon refuses, is skipped.
// Returns how many were appended.
size_t AppendDefaultItems(const ObjectModel& model, Object& trayIcon, const std::vector<DefaultItem>& items);

}  // namespace quillet
