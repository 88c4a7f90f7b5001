// Version resources of program files.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace platform {

// Full path of a loaded module (nullptr: the running program).
std::string ModulePath(HMODULE module = nullptr);

// A file's version resource, read once. Its strings are those of the first
// translation "\VarFileInfo\Translation" lists, as the programs that read
// them (kelvane's registry version, quillet's macros) expect.
class VersionResource {
public:
    // Nothing when the file is missing or has no version resource.
    static std::optional<VersionResource> Read(const std::string& file);

    // A string value ("ProductVersion", "CompanyName", ...): nothing when the
    // resource lists no translation or has no such value; an empty text for
    // a value that is there and empty.
    std::optional<std::string> String(const std::string& name) const;

    // The numeric part: file and product versions, file type.
    std::optional<VS_FIXEDFILEINFO> Fixed() const;

private:
    std::vector<char> m_block;
    std::string m_stringFolder;  // "\StringFileInfo\<language><code page>\", empty without a translation
};

// One string of a file's version resource, as VersionResource::String.
std::optional<std::string> VersionString(const std::string& file, const std::string& name);

}  // namespace platform
