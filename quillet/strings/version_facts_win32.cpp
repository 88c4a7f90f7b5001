#include "platform/version_info.h"
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

    const std::optional<platform::VersionResource> resource = platform::VersionResource::Read(programPath);
    if (!resource) return facts;
    if (const std::optional<VS_FIXEDFILEINFO> fixed = resource->Fixed()) {
        facts.productMajor = HIWORD(fixed->dwProductVersionMS);
    }
    auto field = [&](const char* name) { return resource->String(name).value_or(std::string()); };
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
