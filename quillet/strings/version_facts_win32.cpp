#include <cstdio>
#include <vector>

#include "quillet/strings/strings_win32.h"

namespace quillet {

namespace {

std::string LastWriteDate(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes)) return {};
    FILETIME local{};
    SYSTEMTIME time{};
    if (!FileTimeToLocalFileTime(&attributes.ftLastWriteTime, &local) || !FileTimeToSystemTime(&local, &time)) {
        return {};
    }
    char date[80];
    if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, sizeof date) == 0) return {};
    return date;
}

}  // namespace

VersionFacts ReadVersionFacts(const std::string& programPath) {
    VersionFacts facts;
    SetProgramPath(facts, programPath);
    facts.fileDate = LastWriteDate(programPath);

    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(programPath.c_str(), &ignored);
    if (size == 0) return facts;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(programPath.c_str(), 0, size, block.data())) return facts;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed &&
        length >= sizeof(VS_FIXEDFILEINFO)) {
        facts.productMajor = HIWORD(fixed->dwProductVersionMS);
    }

    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                        &length) ||
        !translations || length < sizeof(Translation)) {
        return facts;
    }
    auto field = [&](const char* name) -> std::string {
        char query[96];
        std::snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\%s", translations[0].language,
                      translations[0].codePage, name);
        char* value = nullptr;
        UINT characters = 0;
        if (!VerQueryValueA(block.data(), query, reinterpret_cast<void**>(&value), &characters) || !value) {
            return {};
        }
        // The count may or may not include the terminator.
        return std::string(value, strnlen(value, characters));
    };
    facts.comments = field("Comments");
    facts.companyName = field("CompanyName");
    facts.fileDescription = field("FileDescription");
    facts.fileVersion = field("FileVersion");
    facts.internalName = field("InternalName");
    facts.legalCopyright = field("LegalCopyright");
    facts.originalFilename = field("OriginalFilename");
    facts.productName = field("ProductName");
    facts.productVersion = field("ProductVersion");
    return facts;
}

}  // namespace quillet
