#include "platform/version_info.h"

#include <cstdio>
#include <cstring>

namespace platform {

namespace {

// What VerQueryValue finds at `path` in a version block, or nullptr.
const void* QueryBlock(const std::vector<char>& block, const char* path, UINT& length) {
    void* found = nullptr;
    length = 0;
    if (!VerQueryValueA(block.data(), path, &found, &length)) return nullptr;
    return found;
}

}  // namespace

std::string ModulePath(HMODULE module) {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

std::optional<VersionResource> VersionResource::Read(const std::string& file) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    VersionResource resource;
    resource.m_block.resize(size);
    if (!GetFileVersionInfoA(file.c_str(), 0, size, resource.m_block.data())) return std::nullopt;

    struct Translation {
        WORD language;
        WORD codePage;
    };
    UINT length = 0;
    const auto* translations =
        static_cast<const Translation*>(QueryBlock(resource.m_block, "\\VarFileInfo\\Translation", length));
    if (translations && length >= sizeof(Translation)) {
        char folder[40];
        snprintf(folder, sizeof folder, "\\StringFileInfo\\%04x%04x\\", translations[0].language,
                 translations[0].codePage);
        resource.m_stringFolder = folder;
    }
    return resource;
}

std::optional<std::string> VersionResource::String(const std::string& name) const {
    if (m_stringFolder.empty()) return std::nullopt;
    const std::string query = m_stringFolder + name;
    UINT length = 0;
    const auto* value = static_cast<const char*>(QueryBlock(m_block, query.c_str(), length));
    if (!value) return std::nullopt;
    // length counts characters and may include the terminator.
    return std::string(value, strnlen(value, length));
}

std::optional<VS_FIXEDFILEINFO> VersionResource::Fixed() const {
    UINT length = 0;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(QueryBlock(m_block, "\\", length));
    if (!fixed || length < sizeof(VS_FIXEDFILEINFO)) return std::nullopt;
    return *fixed;
}

std::optional<std::string> VersionString(const std::string& file, const std::string& name) {
    std::optional<VersionResource> resource = VersionResource::Read(file);
    return resource ? resource->String(name) : std::nullopt;
}

}  // namespace platform
