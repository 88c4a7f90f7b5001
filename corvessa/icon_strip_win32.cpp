#include "corvessa/icon_strip_win32.h"

#include <shellapi.h>

#include <cstdint>

#include "corvessa/resource.h"

namespace corvessa {

platform::unique_hicon IconAt(HINSTANCE instance, const IconLocation& location) {
    auto index = ExtractionIndex(location.index);
    if (location.path.empty() || !index) return {};
    HICON icon = ExtractIconA(instance, location.path.c_str(), *index);
    if (ClassifyExtraction(reinterpret_cast<std::uintptr_t>(icon)) != Extraction::Icon) return {};
    return platform::unique_hicon(icon);
}

void IconStrip::Start(HWND window) {
    m_view = GetDlgItem(window, IDC_STRIP);
    m_positionLabel = GetDlgItem(window, IDC_POSITION);
    m_previous = GetDlgItem(window, IDC_PREVIOUS);
    m_next = GetDlgItem(window, IDC_NEXT);
    ShowWindow(m_positionLabel, SW_HIDE);
}

void IconStrip::Fill(const std::string& file, StripMode mode) {
    m_file = file;
    m_mode = mode;
    m_position = {};
    m_iconInView.reset();

    if (m_mode == StripMode::Library) {
        HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
        // Icons are counted by extracting them one by one until the file
        // runs out; each is let go at once, as only the one in view is drawn.
        for (;;) {
            platform::unique_hicon icon = IconAt(m_instance, IconLocation{m_file, m_position.attempts});
            ++m_position.attempts;
            if (!icon) break;
            if (m_position.attempts == 1) m_iconInView = std::move(icon);
        }
        SetCursor(previous);
    } else {
        // A single icon file counts as a strip of one icon, or of none.
        m_iconInView = IconAt(m_instance, IconLocation{m_file, 0});
        m_position.attempts = m_iconInView ? 2 : 1;
    }
    ShowPosition();
    InvalidateRect(m_view, nullptr, FALSE);
}

void IconStrip::Step(int direction) {
    if (direction < 0 && !CanStepPrevious()) return;
    if (direction > 0 && !CanStepNext()) return;
    m_position.currentIndex += direction;
    m_iconInView = IconAt(m_instance, IconLocation{m_file, m_position.currentIndex});
    ShowPosition();
    InvalidateRect(m_view, nullptr, FALSE);
}

std::optional<IconLocation> IconStrip::LocationInView() const {
    if (m_file.empty() || m_position.IconCount() == 0) return std::nullopt;
    return IconLocation{m_file, m_position.currentIndex};
}

void IconStrip::ShowPosition() {
    auto text = PositionText(m_position);
    if (m_mode == StripMode::SingleIcon || !text) {
        ShowWindow(m_positionLabel, SW_HIDE);
    } else {
        SetWindowTextA(m_positionLabel, text->c_str());
        ShowWindow(m_positionLabel, SW_SHOW);
        InvalidateRect(m_positionLabel, nullptr, FALSE);
    }
    // The arrows are drawn dimmed where there is nothing to step to.
    InvalidateRect(m_previous, nullptr, FALSE);
    InvalidateRect(m_next, nullptr, FALSE);
}

}  // namespace corvessa
