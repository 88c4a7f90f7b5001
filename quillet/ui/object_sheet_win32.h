// The object page: an object's title and icons, its class's settings panel
// and the class defaults it comes from. The first page of an object's
// property sheet, and the new-item wizard's second page.
#pragma once

#include <windows.h>
#include <prsht.h>

#include <functional>
#include <memory>
#include <string>

#include "quillet/model/object.h"
#include "quillet/ui/settings_panel.h"

namespace quillet {

// The text of a key as objects store them: "$key" references expanded, a bare
// key looked up, anything else as it is.
std::string KeyText(const std::string& keyOrText);

// All the text of a window, however long.
std::string WindowText(HWND window);

class ObjectPage {
public:
    // `templateId`: the sheet's page or the wizard's. In a wizard, Finish on
    // this page validates and applies it, then calls `finish`, whose false
    // keeps the wizard open.
    explicit ObjectPage(int templateId, std::function<bool()> finish = {});
    ObjectPage(const ObjectPage&) = delete;
    ObjectPage& operator=(const ObjectPage&) = delete;

    // The object the page edits; a page already shown shows the new one the
    // next time it becomes active.
    void SetObject(Object* object);
    Object* CurrentObject() const { return m_object.Get(); }

    HPROPSHEETPAGE CreatePage(const std::string& title);

    // Title first, then the class's panel. With messages the user is told
    // what is missing and the focus goes to that field.
    bool Validate(bool showMessages);
    // Writes the title (when it was changed) and the panel's values.
    void Apply();
    // Whether Apply ran (the sheet's OK).
    bool Applied() const { return m_applied; }
    HWND Window() const { return m_page; }

    // The page's window procedure's side (platform::CreatePropertyPage).
    void Bind(HWND page) { m_page = page; }
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    INT_PTR Notify(const NMHDR& header);
    void Fill();
    void ShowIcons();
    void ChangeIcon();
    bool ReadOnly() const;

    int m_templateId;
    std::function<bool()> m_finish;
    RefPtr<Object> m_object;
    RefPtr<Object> m_shownObject;
    std::unique_ptr<SettingsPanel> m_panel;
    std::string m_shownTitle;
    // The icon source before the chooser changed it, put back on Cancel.
    bool m_iconChanged = false;
    Value m_originalIconFile;
    Value m_originalIconIndex;
    HWND m_page = nullptr;
    bool m_applied = false;
};

}  // namespace quillet
