// The one way our property sheet pages are made: a page object rides in its
// page's PROPSHEETPAGE, is kept in DWLP_USER from WM_INITDIALOG on and told its
// window with Bind(HWND); every message from then on, WM_INITDIALOG included,
// goes to its INT_PTR HandleMessage(UINT, WPARAM, LPARAM).
#pragma once

#include <windows.h>

#include <prsht.h>

#include <memory>

namespace platform {

namespace detail {

template <typename Page>
INT_PTR CALLBACK PropertyPageProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* page = reinterpret_cast<Page*>(reinterpret_cast<const PROPSHEETPAGEA*>(lParam)->lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(page));
        page->Bind(dialog);
    }
    auto* self = reinterpret_cast<Page*>(GetWindowLongPtrA(dialog, DWLP_USER));
    return self ? self->HandleMessage(message, wParam, lParam) : FALSE;
}

template <typename Page>
UINT CALLBACK DeletePageOnRelease(HWND, UINT message, PROPSHEETPAGEA* page) {
    // The sheet lets go of a page it never showed as well as of one it did.
    if (message == PSPCB_RELEASE) delete reinterpret_cast<Page*>(page->lParam);
    return 1;
}

template <typename Page>
HPROPSHEETPAGE CreatePropertyPage(Page* page, int templateId, const char* title, LPFNPSPCALLBACKA release) {
    PROPSHEETPAGEA sheetPage = {};
    sheetPage.dwSize = sizeof sheetPage;
    sheetPage.dwFlags = PSP_USETITLE | (release ? PSP_USECALLBACK : 0);
    sheetPage.hInstance = GetModuleHandleA(nullptr);
    sheetPage.pszTemplate = MAKEINTRESOURCEA(templateId);
    sheetPage.pszTitle = title;
    sheetPage.pfnDlgProc = PropertyPageProcedure<Page>;
    sheetPage.pfnCallback = release;
    sheetPage.lParam = reinterpret_cast<LPARAM>(page);
    return CreatePropertySheetPageA(&sheetPage);
}

}  // namespace detail

// A page of the program's dialog template `templateId` whose object the caller
// keeps for as long as the sheet runs.
template <typename Page>
HPROPSHEETPAGE CreatePropertyPage(Page& page, int templateId, const char* title) {
    return detail::CreatePropertyPage(&page, templateId, title, nullptr);
}

// A page that owns its object: the object is deleted when the sheet releases
// the page, or at once when no page could be made (the release never comes).
template <typename Page>
HPROPSHEETPAGE CreateOwningPropertyPage(std::unique_ptr<Page> page, int templateId, const char* title) {
    HPROPSHEETPAGE handle =
        detail::CreatePropertyPage(page.get(), templateId, title, detail::DeletePageOnRelease<Page>);
    if (handle) page.release();
    return handle;
}

// The header of a sheet of `pages` with this program's resources; the caller
// adds what else its sheet needs (a callback, the start page).
inline PROPSHEETHEADERA PropertySheetHeader(HWND owner, DWORD flags, const char* caption, HPROPSHEETPAGE* pages,
                                            UINT count) {
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = flags;
    header.hwndParent = owner;
    header.hInstance = GetModuleHandleA(nullptr);
    header.pszCaption = caption;
    header.nPages = count;
    header.phpage = pages;
    return header;
}

}  // namespace platform
