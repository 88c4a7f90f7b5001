// Documents emptying and the Start Menu cascade folders: the shell folders
// read from the registry, the Recent folder's shortcuts deleted, the cascade
// folders created and removed.
#pragma once

#include <string>

#include "kelvane/components/file_iterator.h"
#include "kelvane/shellmaint/shell_maintenance_rules.h"

namespace kelvane {

// The user's shell folder of that name ("Recent", "Start Menu", ...): the
// value under "User Shell Folders" (environment references expanded), else
// the one under "Shell Folders"; empty when neither holds one.
std::string ShellFolderPath(const std::string& name);

// True when the path names an existing directory.
bool FolderExists(const std::string& path);

WindowsVersion RunningWindowsVersion();

// fiEmptyDocuments and the flag that keeps an emptying from re-entering
// itself (a timer tick inside "Empty Now"'s pending messages, say).
class CDocumentsEmptier {
public:
    CDocumentsEmptier();

    // Deletes the shortcuts directly inside the user's Recent folder. Returns
    // how many were deleted: 0 when an emptying already runs or the folder is
    // unknown.
    int EmptyNow();
    // The same on a given folder; nothing is deleted unless it is a full path
    // below a drive or share root.
    int EmptyFolder(const std::string& folder);
    bool Running() const { return m_running; }

private:
    CFileIterator fiEmptyDocuments;
    bool m_running = false;
    int m_deleted = 0;
};

// The cascade folder's full path in the user's Start Menu folder; empty when
// that folder is unknown.
std::string CascadeFolderPath(Cascade cascade);
bool CascadeExists(Cascade cascade);
bool CascadeOffered(Cascade cascade);

// Creates the checked cascade folders and removes the unchecked ones when
// they are empty (a folder holding the user's files stays, with them).
void ApplyCascades(const CascadeChoices& choices);
// The same in a given Start Menu folder, for a given Windows version.
void ApplyCascadesIn(const std::string& startMenuFolder, const CascadeChoices& choices, const WindowsVersion& version);

}  // namespace kelvane
