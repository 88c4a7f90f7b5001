#include "corvessa/recycle_registry_win32.h"

#include <cstdlib>

#include "corvessa/resource.h"
#include "platform/registry.h"

namespace corvessa {

const char* const kRecycleBinKey = "SOFTWARE\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}";
const char* const kRecycleBinIconKey =
    "SOFTWARE\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon";
const char* const kWindowMetricsKey = ".default\\Control Panel\\desktop\\WindowMetrics";
const char* const kShellIconSizeValue = "Shell Icon Size";

// Query, set, create-subkey, enumerate, notify and create-link: what the
// shell's own tools ask for when they write these keys.
static const REGSAM kWriteAccess = 0x3F;

std::string ReadText(HKEY root, const std::string& key, const std::string& name, bool expand) {
    auto data = platform::RegistryKey::Open(root, key, KEY_QUERY_VALUE).Read(name);
    if (!data || (data->type != REG_SZ && data->type != REG_EXPAND_SZ)) return {};
    std::string text = data->Text();
    if (expand && data->type == REG_EXPAND_SZ) text = platform::ExpandEnvironment(text);
    return text;
}

bool WriteText(HKEY root, const std::string& key, const std::string& name, const std::string& text) {
    return platform::RegistryKey::Create(root, key, kWriteAccess).WriteString(name, text);
}

bool RedirectRegistryForTests() {
    const char* root = std::getenv(CORVESSA_TEST_REGISTRY_VARIABLE);
    if (!root || !*root) return true;
    struct Redirect {
        HKEY predefined;
        const char* subkey;
    };
    static const Redirect redirects[] = {
        {HKEY_LOCAL_MACHINE, "HKLM"}, {HKEY_USERS, "HKU"}, {HKEY_CLASSES_ROOT, "HKCR"}};
    // The overrides point at these keys for the rest of the process.
    static platform::unique_hkey keys[3];
    for (int i = 0; i < 3; ++i) {
        std::string path = std::string(root) + "\\" + redirects[i].subkey;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, keys[i].put(), nullptr) != ERROR_SUCCESS ||
            RegOverridePredefKey(redirects[i].predefined, keys[i].get()) != ERROR_SUCCESS) {
            return false;
        }
    }
    return true;
}

}  // namespace corvessa
