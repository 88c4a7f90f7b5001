// The application object of the running quillet.exe: the language library,
// the icon set with its class factories, the icon set file and the hidden
// main window.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "quillet/app/application.h"
#include "quillet/document/tdf_win32.h"
#include "quillet/model/default_icon_set.h"

namespace quillet {

// The document files of the program: a failed save also leaves the system's
// error code, so the message can give the system's words for it.
class ProgramDocumentFiles : public Win32DocumentFiles {
public:
    bool ReplaceFile(const std::string& path, std::string_view bytes, std::string* reason) override;
    DWORD LastSaveError() const { return m_lastSaveError; }

private:
    DWORD m_lastSaveError = NO_ERROR;
};

class ProgramApplication : public Application {
public:
    // Loads the language library and picks the icon set file; null when no
    // language library could be loaded (the user has been told).
    static std::unique_ptr<ProgramApplication> Create(HINSTANCE instance);
    ~ProgramApplication() override;

    Language& Texts() override { return *m_language; }
    ObjectModel& Model() override { return m_model; }
    bool SaveIconSet(HWND owner) override;
    HWND MainWindow() const override { return m_mainWindow; }
    bool RunNewItemWizard(HWND owner, Object* templateItem, const std::string& path) override;

    void SetMainWindow(HWND window) { m_mainWindow = window; }

    // The factories (folder, separator, column separator), the desktop icons
    // switch and one standard tray icon; false when the icon was refused.
    bool InitializeIconSet();
    enum class LoadResult { Loaded, NoDocument, Failed };
    LoadResult LoadIconSet();
    // The first tray icon gets the default items of this machine.
    void BuildDefaultIconSet();

    const DocumentLocation& Document() const { return m_document; }

private:
    ProgramApplication(HINSTANCE instance, std::unique_ptr<Language> language);

    HINSTANCE m_instance;
    std::unique_ptr<Language> m_language;
    ObjectModel m_model;
    DocumentLocation m_document;
    ProgramDocumentFiles m_files;
    HWND m_mainWindow = nullptr;
};

// What the default icon set is made of on this machine.
DefaultIconSetFacts GatherDefaultIconSetFacts();
// A "!" path's registry value under the system's CurrentVersion key of
// HKEY_LOCAL_MACHINE.
RegistryPathLookup LookUpRegistryPath(const std::string& valueName);

// The desktop's icon view: the "SHELLDLL_DefView" child of the "Progman"
// window, as found when the switch is made.
class Win32DesktopIconsSwitch : public DesktopIconsSwitch {
public:
    Win32DesktopIconsSwitch();
    int32_t State() const override;
    void SetHidden(bool hidden) override;

private:
    HWND m_view = nullptr;
};

}  // namespace quillet
