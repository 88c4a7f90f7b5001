#include "kelvane/components/registry_path.h"

#include <cctype>

namespace kelvane {
namespace {

// Appends `part` piece by piece, each after one backslash; empty pieces
// (doubled, leading or trailing backslashes) are skipped.
void AppendPart(std::string& path, const std::string& part) {
    size_t start = 0;
    while (start <= part.size()) {
        size_t end = part.find('\\', start);
        if (end == std::string::npos) end = part.size();
        if (end > start) {
            path += '\\';
            path.append(part, start, end - start);
        }
        start = end + 1;
    }
}

std::string KeyPath(const char* root, const RegistryParts& parts) {
    std::string path;
    AppendPart(path, root);
    AppendPart(path, parts.company);
    AppendPart(path, parts.application);
    AppendPart(path, parts.version);
    AppendPart(path, parts.section);
    return path;
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string WithoutLastDotPart(const std::string& text) {
    size_t dot = text.rfind('.');
    return dot == std::string::npos ? text : text.substr(0, dot);
}

std::string SettingsKeyPath(const RegistryParts& parts) {
    return KeyPath("SOFTWARE", parts);
}

std::string PositionsKeyPath(const RegistryParts& parts) {
    return KeyPath("Software", parts);
}

ValueAddress AddressValue(const std::string& keyPath, const std::string& name) {
    std::string full = keyPath + "\\" + name;
    size_t last = full.rfind('\\');
    // Doubled or stray backslashes in the name would leave an empty key name.
    std::string normalisedKey;
    AppendPart(normalisedKey, full.substr(0, last));
    ValueAddress address{normalisedKey, full.substr(last + 1)};
    if (EqualsIgnoringCase(address.valueName, kDefaultValueName)) address.valueName.clear();
    return address;
}

std::string RelativeKeyPath(const std::string& keyPath) {
    size_t start = keyPath.find_first_not_of('\\');
    return start == std::string::npos ? std::string() : keyPath.substr(start);
}

std::string RegistryVersionFromProductVersion(const std::string& productVersion) {
    return WithoutLastDotPart(WithoutLastDotPart(productVersion));
}

}  // namespace kelvane
