// Where the icon set file lives: "<internal name>cmn.tdf" beside the program
// when that file exists (common mode), otherwise "<internal name>.tdf" in the
// user's "<company> User Files" folder under the personal documents folder.
// Pure rules over facts the Win32 side gathers. Portable: no <windows.h>.
#pragma once

#include <string>
#include <string_view>

namespace quillet {

// Joins two path parts with one backslash, adding none when the left part
// already ends in one (a drive root such as "C:\").
std::string JoinPath(std::string_view left, std::string_view right);

// programFolder has no trailing backslash ("%bp").
std::string CommonDocumentPath(std::string_view programFolder, std::string_view internalName);
// The folder of the per-user document under the personal documents folder.
std::string UserFilesFolder(std::string_view personalFolder, std::string_view companyShortName);

struct DocumentPathFacts {
    std::string programFolder;  // "%bp"
    std::string internalName;   // "%in"
    bool commonDocumentExists = false;
    // The user files folder, empty when the system has no personal folder;
    // ready when it exists or could be created.
    std::string userFilesFolder;
    bool userFilesFolderReady = false;
};

struct DocumentLocation {
    std::string path;
    bool common = false;
};

DocumentLocation ChooseDocumentPath(const DocumentPathFacts& facts);

}  // namespace quillet
