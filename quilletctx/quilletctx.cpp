// quilletctx.dll: the "Add to Tray" command in Explorer's context menu of
// folders. An in-process COM server in its least form: a class factory and
// one object with IShellExtInit (the folder chosen) and IContextMenu (the
// command, and its hand-over to quillet.exe).
//
// The library runs inside the shell: no exception leaves it, every pointer
// and length it is given is checked, copies are bounded, and it never waits
// on the program longer than a short timeout.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <new>
#include <optional>
#include <string>
#include <vector>

#include "quillet/app/quillet_names.h"
#include "quillet/shellext/drop_file_list.h"
#include "quillet/shellext/shell_extension_entries.h"
#include "quillet/shellext/shell_extension_keys_win32.h"

namespace {

LONG s_objects = 0;  // live objects and factories
LONG s_locks = 0;    // IClassFactory::LockServer

// A hung program is given this long to take the path; the shell never waits more.
constexpr UINT kHandOverTimeoutMs = 3000;

CLSID HandlerClassId() {
    const quillet::Guid& id = quillet::kShellExtensionClassId;
    CLSID clsid = {id.data1, id.data2, id.data3, {}};
    for (int i = 0; i < 8; ++i) clsid.Data4[i] = id.data4[i];
    return clsid;
}

bool IsFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A UTF-16 name in the ANSI code page quillet works in; nothing when a
// character has no ANSI form (such a path could not be opened by the program).
std::optional<std::string> AnsiName(const std::u16string& name) {
    if (name.size() > MAX_PATH) return std::nullopt;
    const auto* wide = reinterpret_cast<const wchar_t*>(name.data());
    char buffer[MAX_PATH * 2 + 1];
    BOOL lost = FALSE;
    int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, static_cast<int>(name.size()), buffer,
                                     sizeof buffer - 1, nullptr, &lost);
    if (length <= 0 || lost) return std::nullopt;
    return std::string(buffer, length);
}

// The first folder of a CF_HDROP block that can be handed over.
std::optional<std::string> FirstFolder(const quillet::DropFileList& list) {
    std::vector<std::string> names = list.names;
    for (const auto& wide : list.wideNames) {
        if (auto name = AnsiName(wide)) names.push_back(*name);
    }
    for (const auto& name : names) {
        if (quillet::CanHandOver(name) && IsFolder(name)) return name;
    }
    return std::nullopt;
}

std::optional<std::string> FolderOfDataObject(IDataObject* data) {
    FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    if (FAILED(data->GetData(&format, &medium))) return std::nullopt;
    std::optional<std::string> folder;
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
        SIZE_T size = GlobalSize(medium.hGlobal);
        if (const void* block = GlobalLock(medium.hGlobal)) {
            if (auto list = quillet::ReadDropFileList(static_cast<const uint8_t*>(block), size))
                folder = FirstFolder(*list);
            GlobalUnlock(medium.hGlobal);
        }
    }
    ReleaseStgMedium(&medium);
    return folder;
}

// The hand-over settings as registration left them: the Directory handler
// key, else the Folder one.
struct HandOverTarget {
    std::string windowClass;
    std::string programPath;
};

HandOverTarget ReadHandOverTarget() {
    HandOverTarget target;
    for (const char* fileClass : quillet::kHandlerFileClasses) {
        auto key = quillet::OpenClassesKey(quillet::HandlerKeyPath(fileClass));
        if (!key) continue;
        target.windowClass = quillet::ReadText(key, quillet::kWindowClassValueName).value_or(std::string());
        target.programPath = quillet::ReadText(key, quillet::kAppPathValueName).value_or(std::string());
        break;
    }
    return target;
}

HRESULT LastErrorResult() {
    DWORD error = GetLastError();
    return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
}

// The running program takes the path as a global atom with "HV:TxNewFile";
// without one, the program is started with /N and the path.
HRESULT HandOver(const std::string& path) {
    const HandOverTarget target = ReadHandOverTarget();
    HWND program = target.windowClass.empty() ? nullptr : FindWindowA(target.windowClass.c_str(), nullptr);
    if (program) {
        const UINT newFile = RegisterWindowMessageA(quillet::kNewFileMessageName);
        if (!newFile) return LastErrorResult();
        const ATOM atom = GlobalAddAtomA(path.c_str());
        if (!atom) return LastErrorResult();
        DWORD_PTR answer = 0;
        SetLastError(0);
        LRESULT delivered =
            SendMessageTimeoutA(program, newFile, atom, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, kHandOverTimeoutMs, &answer);
        HRESULT result = delivered ? S_OK : (GetLastError() ? LastErrorResult() : HRESULT_FROM_WIN32(ERROR_TIMEOUT));
        GlobalDeleteAtom(atom);
        return result;
    }
    if (target.programPath.empty()) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    std::string commandLine = "\"" + target.programPath + "\" " + quillet::HandOverArguments(path);
    if (commandLine.size() >= 32767) return E_INVALIDARG;
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(target.programPath.c_str(), writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return LastErrorResult();
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return S_OK;
}

// Copies `text` into the caller's buffer of `capacity` characters; a text
// that does not fit leaves an empty string and is refused.
HRESULT CopyCommandString(const char* text, UINT type, LPSTR buffer, UINT capacity) {
    const bool wide = (type & GCS_UNICODE) != 0;
    const size_t length = strlen(text);
    if (length + 1 > capacity) {
        if (wide)
            reinterpret_cast<wchar_t*>(buffer)[0] = L'\0';
        else
            buffer[0] = '\0';
        return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
    }
    if (!wide) {
        memcpy(buffer, text, length + 1);
        return S_OK;
    }
    auto* out = reinterpret_cast<wchar_t*>(buffer);
    int written = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length + 1), out, static_cast<int>(capacity));
    if (written <= 0) {
        out[0] = L'\0';
        return LastErrorResult();
    }
    return S_OK;
}

// Reference counting for the library's objects. Each live object keeps the
// library loaded (DllCanUnloadNow); `Derived` answers QueryInterface.
template <typename Derived, typename... Interfaces>
class CountedObject : public Interfaces... {
public:
    CountedObject() { InterlockedIncrement(&s_objects); }
    CountedObject(const CountedObject&) = delete;
    CountedObject& operator=(const CountedObject&) = delete;

    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_references); }
    STDMETHODIMP_(ULONG) Release() override {
        LONG left = InterlockedDecrement(&m_references);
        if (left == 0) delete static_cast<Derived*>(this);
        return left;
    }

protected:
    ~CountedObject() { InterlockedDecrement(&s_objects); }

    // Hands out `found` (null: no such interface) with a reference.
    HRESULT Answer(IUnknown* found, void** object) {
        *object = found;
        if (!found) return E_NOINTERFACE;
        found->AddRef();
        return S_OK;
    }

private:
    LONG m_references = 1;
};

class AddToTrayMenu final : public CountedObject<AddToTrayMenu, IShellExtInit, IContextMenu> {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        IUnknown* found = nullptr;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IShellExtInit)) {
            found = static_cast<IShellExtInit*>(this);
        } else if (IsEqualIID(riid, IID_IContextMenu)) {
            found = static_cast<IContextMenu*>(this);
        }
        return Answer(found, object);
    }

    // The folder comes from the data object's file list; a background menu
    // (no data object) offers nothing.
    STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE, IDataObject* data, HKEY) override {
        try {
            m_folder.clear();
            if (!data) return E_INVALIDARG;
            auto folder = FolderOfDataObject(data);
            if (!folder) return E_FAIL;
            m_folder = *folder;
            return S_OK;
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }

    STDMETHODIMP QueryContextMenu(HMENU menu, UINT index, UINT firstId, UINT lastId, UINT flags) override {
        try {
            const HRESULT none = MAKE_HRESULT(SEVERITY_SUCCESS, 0, 0);
            if (flags & CMF_DEFAULTONLY) return none;
            if (!menu || !IsMenu(menu)) return E_INVALIDARG;
            if (m_folder.empty() || firstId > lastId || !quillet::ReadCommandEnabled()) return none;
            auto classKey = quillet::OpenClassesKey(quillet::ShellExtensionClassKeyPath());
            const std::string text = quillet::MenuTextOrDefault(quillet::ReadText(classKey, ""));
            if (!InsertMenuA(menu, index, MF_BYPOSITION | MF_STRING, firstId, text.c_str())) return LastErrorResult();
            return MAKE_HRESULT(SEVERITY_SUCCESS, 0, 1);
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }

    STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* info) override {
        try {
            if (!info || info->cbSize < sizeof(CMINVOKECOMMANDINFO)) return E_INVALIDARG;
            if (HIWORD(reinterpret_cast<ULONG_PTR>(info->lpVerb)) != 0) {
                // The verb by name, read no further than our own verb's length.
                const size_t verbLength = strlen(quillet::kCommandVerb);
                if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, info->lpVerb,
                                   static_cast<int>(strnlen(info->lpVerb, verbLength + 1)), quillet::kCommandVerb,
                                   static_cast<int>(verbLength)) != CSTR_EQUAL) {
                    return E_INVALIDARG;
                }
            } else if (LOWORD(reinterpret_cast<ULONG_PTR>(info->lpVerb)) != 0) {
                return E_INVALIDARG;
            }
            if (m_folder.empty()) return E_FAIL;
            return HandOver(m_folder);
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }

    STDMETHODIMP GetCommandString(UINT_PTR command, UINT type, UINT*, LPSTR buffer, UINT capacity) override {
        if (command != 0) return E_INVALIDARG;
        switch (type) {
        case GCS_VALIDATEA:
        case GCS_VALIDATEW: return S_OK;
        case GCS_VERBA:
        case GCS_VERBW:
        case GCS_HELPTEXTA:
        case GCS_HELPTEXTW: {
            if (!buffer || capacity == 0) return E_INVALIDARG;
            const bool verb = (type & ~GCS_UNICODE) == GCS_VERBA;
            return CopyCommandString(verb ? quillet::kCommandVerb : quillet::kCommandHelpText, type, buffer, capacity);
        }
        default: return E_INVALIDARG;
        }
    }

private:
    friend class CountedObject<AddToTrayMenu, IShellExtInit, IContextMenu>;
    ~AddToTrayMenu() = default;

    std::string m_folder;
};

class AddToTrayFactory final : public CountedObject<AddToTrayFactory, IClassFactory> {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        bool known = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory);
        return Answer(known ? static_cast<IClassFactory*>(this) : nullptr, object);
    }

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        auto* menu = new (std::nothrow) AddToTrayMenu();
        if (!menu) return E_OUTOFMEMORY;
        HRESULT result = menu->QueryInterface(riid, object);
        menu->Release();
        return result;
    }
    STDMETHODIMP LockServer(BOOL lock) override {
        if (lock)
            InterlockedIncrement(&s_locks);
        else if (InterlockedDecrement(&s_locks) < 0)
            InterlockedIncrement(&s_locks);
        return S_OK;
    }

private:
    friend class CountedObject<AddToTrayFactory, IClassFactory>;
    ~AddToTrayFactory() = default;
};

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** object) {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (!IsEqualCLSID(clsid, HandlerClassId())) return CLASS_E_CLASSNOTAVAILABLE;
    auto* factory = new (std::nothrow) AddToTrayFactory();
    if (!factory) return E_OUTOFMEMORY;
    HRESULT result = factory->QueryInterface(riid, object);
    factory->Release();
    return result;
}

extern "C" HRESULT WINAPI DllCanUnloadNow() {
    return s_objects == 0 && s_locks == 0 ? S_OK : S_FALSE;
}
