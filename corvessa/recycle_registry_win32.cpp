#include "corvessa/recycle_registry_win32.h"

#include <shlobj.h>

#include <cstdlib>
#include <iterator>
#include <optional>

#include "corvessa/resource.h"
#include "platform/registry.h"

namespace corvessa {

const char* const kRecycleBinKey = "SOFTWARE\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}";
const char* const kRecycleBinIconKey = "SOFTWARE\\Classes\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\DefaultIcon";
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

void RefreshShellIcons() {
    // The windows see another icon size while they handle the broadcast; then
    // the user's own value comes back exactly as it was, or goes again if
    // there was none.
    auto metrics = platform::RegistryKey::Create(HKEY_USERS, kWindowMetricsKey, kWriteAccess);
    std::optional<platform::RegData> stored = metrics.Read(kShellIconSizeValue);
    metrics.WriteString(kShellIconSizeValue, "31");
    // A hung window must not hang us: each window gets a few seconds.
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(""), SMTO_ABORTIFHUNG, 5000,
                        &result);
    if (stored) {
        RegSetValueExA(metrics.get(), kShellIconSizeValue, 0, stored->type,
                       reinterpret_cast<const BYTE*>(stored->bytes.data()), static_cast<DWORD>(stored->bytes.size()));
    } else {
        metrics.DeleteValue(kShellIconSizeValue);
    }
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

namespace {

struct Redirect {
    HKEY predefined;
    const char* subkey;
};
const Redirect kRedirects[] = {{HKEY_LOCAL_MACHINE, "HKLM"}, {HKEY_USERS, "HKU"}, {HKEY_CLASSES_ROOT, "HKCR"}};

}  // namespace

bool TestRegistryRedirect::Start() {
    const char* root = std::getenv(CORVESSA_TEST_REGISTRY_VARIABLE);
    if (!root || !*root) return true;
    static_assert(sizeof m_keys / sizeof m_keys[0] == std::size(kRedirects));
    for (size_t i = 0; i < std::size(kRedirects); ++i) {
        std::string path = std::string(root) + "\\" + kRedirects[i].subkey;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, m_keys[i].put(), nullptr) != ERROR_SUCCESS ||
            RegOverridePredefKey(kRedirects[i].predefined, m_keys[i].get()) != ERROR_SUCCESS) {
            return false;
        }
    }
    return true;
}

TestRegistryRedirect::~TestRegistryRedirect() {
    // The predefined keys point at our keys until they are restored.
    for (size_t i = 0; i < std::size(kRedirects); ++i) {
        if (m_keys[i]) RegOverridePredefKey(kRedirects[i].predefined, nullptr);
    }
}

}  // namespace corvessa
