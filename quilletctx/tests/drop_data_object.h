// What the shell hands a context-menu handler, made by the tests: a data
// object whose CF_HDROP block they choose, and a small owner of COM pointers.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdint>
#include <string>
#include <vector>

namespace quilletctx_tests {

template <typename T>
struct ComPtr {
    T* p = nullptr;
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() {
        if (p) p->Release();
    }
    T** put() { return &p; }
    T* operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

// A DROPFILES block with the given names, ANSI or UTF-16.
inline std::vector<uint8_t> DropBlock(const std::vector<std::string>& names, bool wide = false) {
    std::vector<uint8_t> block(sizeof(DROPFILES), 0);
    auto* header = reinterpret_cast<DROPFILES*>(block.data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = wide;
    auto append = [&](const std::string& text) {
        for (char c : text) {
            block.push_back(static_cast<uint8_t>(c));
            if (wide) block.push_back(0);
        }
        block.push_back(0);
        if (wide) block.push_back(0);
    };
    for (const auto& name : names) append(name);
    append("");
    return block;
}

// The least data object the handler reads: CF_HDROP in global memory, or a
// medium of another kind when told to.
class DropDataObject : public IDataObject {
public:
    explicit DropDataObject(std::vector<uint8_t> block, DWORD tymed = TYMED_HGLOBAL)
        : m_block(std::move(block)), m_tymed(tymed) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
            *object = this;
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_references; }
    STDMETHODIMP_(ULONG) Release() override { return --m_references; }  // lives on the test's stack

    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override {
        ++m_reads;
        if (!format || !medium) return E_INVALIDARG;
        if (format->cfFormat != CF_HDROP || !(format->tymed & TYMED_HGLOBAL)) return DV_E_FORMATETC;
        *medium = {};
        if (m_tymed != TYMED_HGLOBAL) {
            // A medium the reader did not ask for: a stream.
            medium->tymed = TYMED_ISTREAM;
            return CreateStreamOnHGlobal(nullptr, TRUE, &medium->pstm);
        }
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, m_block.size());
        if (!memory) return E_OUTOFMEMORY;
        memcpy(GlobalLock(memory), m_block.data(), m_block.size());
        GlobalUnlock(memory);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory;
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* format) override {
        return format && format->cfFormat == CF_HDROP ? S_OK : DV_E_FORMATETC;
    }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out) out->ptd = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

    int Reads() const { return m_reads; }

private:
    std::vector<uint8_t> m_block;
    DWORD m_tymed;
    ULONG m_references = 1;
    int m_reads = 0;
};

inline const CLSID kHandlerClass = {0xA31B1730, 0x068E, 0x11D2, {0xBA, 0x02, 0x00, 0x60, 0x08, 0x53, 0x6F, 0xD9}};

// A new handler object through its registered class id, initialised with
// `data` as Explorer does; the result is Initialize's (or the failure
// before it).
inline HRESULT CreateHandler(IDataObject* data, ComPtr<IContextMenu>& menu) {
    ComPtr<IShellExtInit> init;
    HRESULT result =
        CoCreateInstance(kHandlerClass, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit, (void**)init.put());
    if (FAILED(result)) return result;
    result = init->QueryInterface(IID_IContextMenu, (void**)menu.put());
    if (FAILED(result)) return result;
    return init->Initialize(nullptr, data, nullptr);
}

// The command by menu offset or verb, as Explorer invokes it.
inline HRESULT Invoke(IContextMenu* handler, LPCSTR verb) {
    CMINVOKECOMMANDINFO info = {};
    info.cbSize = sizeof info;
    info.lpVerb = verb;
    info.nShow = SW_SHOWNORMAL;
    return handler->InvokeCommand(&info);
}

}  // namespace quilletctx_tests
