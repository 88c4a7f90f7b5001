// Dialog 101: the install path and the two options.
#pragma once

#include <windows.h>

#include <string>

namespace stowdesk {

struct InstallChoices {
    std::string installPath;  // without a trailing backslash; the folder exists
    bool startMenuShortcut = true;
    bool startAfterSetup = true;
};

class InstallDialog {
public:
    InstallDialog(HINSTANCE instance, std::string proposal) : m_instance(instance), m_proposal(std::move(proposal)) {}

    // IDOK with the choices filled in, or IDCANCEL.
    INT_PTR Show();
    const InstallChoices& Choices() const { return m_choices; }

private:
    static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    void OnInitDialog();
    void OnBrowse();
    void OnOk();
    void OnCancel();

    HINSTANCE m_instance;
    std::string m_proposal;
    InstallChoices m_choices;
    HWND m_dialog = nullptr;
};

// Makes `path` exist, creating it level by level (never a drive root, a
// server or a share). False when a level cannot be created.
bool CreateFolderLevels(const std::string& path);

}  // namespace stowdesk
