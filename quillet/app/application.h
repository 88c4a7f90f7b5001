// The application object as every window of quillet reaches it: the loaded
// language, the icon set and its saving, the hidden main window. The running
// program installs its own; a test installs one of its making.
#pragma once

#include <windows.h>

#include <string>

#include "quillet/model/object_model.h"
#include "quillet/strings/language.h"

namespace quillet {

class Application {
public:
    virtual ~Application() = default;

    virtual Language& Texts() = 0;
    virtual ObjectModel& Model() = 0;
    // Writes the icon set file at once. On failure the user has been told
    // (the file's path and the system's reason) and the result is false.
    virtual bool SaveIconSet(HWND owner) = 0;
    // The hidden main window that owns the tray icons; null before it exists.
    virtual HWND MainWindow() const = 0;
    // The new-item wizard, with an item as template or a path to start from.
    // True when the user created an item (the caller then saves).
    virtual bool RunNewItemWizard(HWND owner, Object* templateItem, const std::string& path) = 0;
};

// The one application of the process. Set once at start (and by tests);
// every caller may take it as present.
Application& App();
void SetApp(Application* application);

}  // namespace quillet
