// The icon strip: the icons of one file, one of them in view in a small
// viewport, stepped through with the arrows, its position in a label.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "corvessa/recycle_rules.h"
#include "platform/handles.h"

namespace corvessa {

// The icon `location` names, or none.
platform::unique_hicon IconAt(HINSTANCE instance, const IconLocation& location);

class IconStrip {
public:
    explicit IconStrip(HINSTANCE instance) : m_instance(instance) {}

    // Binds the strip to its controls in `window`; the position label stays
    // hidden until a library is shown.
    void Start(HWND window);

    // Shows `file`: a library's icons are counted and stepped through, any
    // other file shows its first icon only.
    void Fill(const std::string& file, StripMode mode);

    // One icon to the previous (-1) or the next (+1), where there is one.
    void Step(int direction);

    HICON IconInView() const { return m_iconInView.get(); }
    // Where the icon in view comes from; nothing when none is in view.
    std::optional<IconLocation> LocationInView() const;
    bool CanStepPrevious() const { return m_mode == StripMode::Library && m_position.CanStepPrevious(); }
    bool CanStepNext() const { return m_mode == StripMode::Library && m_position.CanStepNext(); }

private:
    void ShowPosition();

    HINSTANCE m_instance;
    HWND m_view = nullptr;
    HWND m_positionLabel = nullptr;
    HWND m_previous = nullptr;
    HWND m_next = nullptr;

    std::string m_file;
    StripMode m_mode = StripMode::SingleIcon;
    StripPosition m_position;
    // Only the icon in view is kept; the others are extracted when stepped to.
    platform::unique_hicon m_iconInView;
};

}  // namespace corvessa
