// The TDF's Win32 side: the files themselves and the real folders that decide
// where the document lives.
#pragma once

#include <windows.h>

#include <string>

#include "quillet/document/tdf_document.h"
#include "quillet/document/tdf_path.h"

namespace quillet {

class Win32DocumentFiles : public DocumentFiles {
public:
    // Shared read: a file being written by someone else is not read half-way.
    ReadResult ReadWholeFile(const std::string& path, std::string* bytes) override;
    // Writes "<path>.saving" and moves it over the document only when every
    // byte is on disk; a read-only or locked document makes the move fail and
    // stays as it was. When the folder refuses new files, the document itself
    // is rewritten instead (then a failure part-way can leave it cut short).
    // Either way the document keeps its attributes.
    bool ReplaceFile(const std::string& path, std::string_view bytes, std::string* reason) override;
    // Asks for the access the save needs along the way it would take: a new
    // file beside the document and the right to replace the document, or,
    // when the folder refuses new files, the right to write the document.
    bool IsWriteRefused(const std::string& path) override;

protected:
    // Creates the new file a save writes first. Virtual so that tests can
    // stand in a folder that refuses new files, which Wine cannot make.
    virtual HANDLE CreateSavingFile(const std::string& saving);
};

// The folder of the running program, without a trailing backslash.
std::string ProgramFolder();

// Looks for the common document beside the program; without one, makes sure
// the user files folder exists under the personal documents folder and picks
// the per-user document (in the program folder when that folder cannot be
// had).
DocumentLocation LocateDocument(const std::string& programFolder, const std::string& internalName,
                                const std::string& companyShortName);

}  // namespace quillet
