// An application object for tests of quillet's windows: the English language
// library from the build's program folder, a fresh icon set with the standard
// factories, and stand-ins for saving and the new-item wizard that record how
// they were called. It installs itself with SetApp() for its lifetime.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "quillet/app/application.h"

namespace quillet {

class TestApplication : public Application {
public:
    struct WizardCall {
        HWND owner = nullptr;
        RefPtr<Object> templateItem;
        std::string path;
    };

    // Throws std::runtime_error when no language library can be loaded (the
    // test then fails with that text rather than crashing on a null library).
    TestApplication();
    // The same with another program folder ("%bp", where the libraries and
    // the help pages are looked for): a test copies there what it needs.
    explicit TestApplication(const std::string& programFolder);
    ~TestApplication() override;
    TestApplication(const TestApplication&) = delete;
    TestApplication& operator=(const TestApplication&) = delete;

    Language& Texts() override { return *m_language; }
    ObjectModel& Model() override { return *m_model; }
    bool SaveIconSet(HWND owner) override;
    HWND MainWindow() const override { return m_mainWindow; }
    bool RunNewItemWizard(HWND owner, Object* templateItem, const std::string& path) override;

    // Folder of the built language libraries (no trailing backslash).
    static std::string LanguageFolder();

    // A new, empty icon set with the standard factories registered.
    void ResetModel();
    void SetMainWindow(HWND window) { m_mainWindow = window; }

    // Saving: counted; succeeds unless told to fail, or as `handler` says
    // when one is set (it runs after the call is counted).
    int SaveCount() const;
    HWND LastSaveOwner() const;
    void SetSaveFails(bool fails);
    void SetSaveHandler(std::function<bool(HWND owner)> handler);

    // The wizard: each call recorded; answers `created` (false at first).
    std::vector<WizardCall> WizardCalls() const;
    void SetWizardResult(bool created);

private:
    std::unique_ptr<Language> m_language;
    std::unique_ptr<ObjectModel> m_model;
    HWND m_mainWindow = nullptr;

    // Dialogs under test may run on their own threads.
    mutable std::mutex m_lock;
    int m_saveCount = 0;
    HWND m_lastSaveOwner = nullptr;
    bool m_saveFails = false;
    std::function<bool(HWND)> m_saveHandler;
    std::vector<WizardCall> m_wizardCalls;
    bool m_wizardResult = false;
};

}  // namespace quillet
