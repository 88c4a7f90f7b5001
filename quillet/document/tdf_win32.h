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
  // stays as it was.
  bool ReplaceFile(const std::string& path, std::string_view bytes, std::string* reason) override;
  bool IsWriteRefused(const std::string& path) override;
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
