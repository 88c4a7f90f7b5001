#include "platform/shortcut.h"

#include <objidl.h>
#include <shlguid.h>
#include <shlobj.h>

namespace platform {

namespace {

// Releases a COM interface pointer when it goes away.
template <typename T>
class com_ptr {
public:
    com_ptr() = default;
    ~com_ptr() {
        if (m_pointer) m_pointer->Release();
    }
    com_ptr(const com_ptr&) = delete;
    com_ptr& operator=(const com_ptr&) = delete;
    T* operator->() const { return m_pointer; }
    T* get() const { return m_pointer; }
    void** put_void() { return reinterpret_cast<void**>(&m_pointer); }

private:
    T* m_pointer = nullptr;
};

std::wstring Wide(const std::string& text) {
    int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), length);
    wide.resize(wide.size() - 1);
    return wide;
}

}  // namespace

HRESULT CreateShortcut(const std::string& linkPath, const ShortcutFields& fields) {
    com_ptr<IShellLinkA> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.put_void());
    if (FAILED(result)) return result;
    if (FAILED(result = link->SetPath(fields.target.c_str()))) return result;
    if (FAILED(result = link->SetArguments(fields.arguments.c_str()))) return result;
    if (FAILED(result = link->SetWorkingDirectory(fields.workingFolder.c_str()))) return result;
    if (FAILED(result = link->SetShowCmd(fields.showCommand))) return result;
    if (FAILED(result = link->SetHotkey(fields.hotkey))) return result;
    com_ptr<IPersistFile> file;
    if (FAILED(result = link->QueryInterface(IID_IPersistFile, file.put_void()))) return result;
    return file->Save(Wide(linkPath).c_str(), TRUE);
}

std::optional<ShortcutFields> ReadShortcut(const std::string& linkPath) {
    com_ptr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.put_void()))) {
        return std::nullopt;
    }
    com_ptr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.put_void())) ||
        FAILED(file->Load(Wide(linkPath).c_str(), STGM_READ))) {
        return std::nullopt;
    }
    ShortcutFields fields;
    char text[MAX_PATH * 2] = {};
    if (SUCCEEDED(link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH))) fields.target = text;
    text[0] = '\0';
    if (SUCCEEDED(link->GetArguments(text, sizeof text))) fields.arguments = text;
    text[0] = '\0';
    if (SUCCEEDED(link->GetWorkingDirectory(text, sizeof text))) fields.workingFolder = text;
    link->GetShowCmd(&fields.showCommand);
    link->GetHotkey(&fields.hotkey);
    return fields;
}

}  // namespace platform
