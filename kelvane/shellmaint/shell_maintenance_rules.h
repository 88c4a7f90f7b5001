// The rules of Documents emptying and of the Start Menu cascade folders,
// decided without asking Windows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "kelvane/components/kelvane_settings.h"

namespace kelvane {

// A file of the Recent folder is one of the Documents menu's shortcuts when
// its extension, taken from the last period of its name, is exactly ".lnk"
// (compared case-sensitively, as the program always has).
bool IsDocumentsShortcut(const std::string& path);

// A shell folder path fit to delete in or create folders in: a full path
// below a drive ("C:\...") or a share ("\\server\share\..."), never the root
// of either, never relative, with no wildcard and no "." or ".." part. An
// empty path, or one read wrong from the registry, must not turn into the
// current folder or a drive root.
bool IsUsableShellFolder(const std::string& path);

// The folder with one trailing backslash, ready for a name to be appended.
std::string WithTrailingBackslash(const std::string& folder);

// The Documents timer's interval, or nothing when it does not run: it runs
// exactly when "EmptyDocuments" is on, every delay minutes or seconds.
std::optional<uint32_t> EmptyDocumentsTimerInterval(const KelvaneSettings& settings);

enum class Cascade { ControlPanel, Printers, DialUpNetworking };
inline constexpr Cascade kCascades[] = {Cascade::ControlPanel, Cascade::Printers, Cascade::DialUpNetworking};

// The folder name the shell shows as a cascading menu of that shell object.
const char* CascadeFolderName(Cascade cascade);

struct WindowsVersion {
    bool windows9x = false;  // the Windows platform, not NT
    unsigned major = 0;
    unsigned minor = 0;
};

// Dial-Up Networking's folder is offered only on Windows 95 (the Windows
// platform, version 4.0 exactly); the others always.
bool CascadeOffered(Cascade cascade, const WindowsVersion& version);

enum class CascadeAction { Create, RemoveIfEmpty, LeaveAlone };
CascadeAction CascadeActionFor(Cascade cascade, bool checked, const WindowsVersion& version);

// What the dialog's three check boxes say.
struct CascadeChoices {
    bool controlPanel = false;
    bool printers = false;
    bool dialUp = false;
    bool Checked(Cascade cascade) const;
};

}  // namespace kelvane
