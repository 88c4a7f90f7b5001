#include "quillet/ui/help_rules.h"

#include <algorithm>

namespace quillet {

bool HasHelpId(int controlId) {
    return controlId > 0 && controlId != 0xFFFF;
}

std::string HelpKeyFor(const HelpRow* rows, int controlId) {
    if (rows && HasHelpId(controlId)) {
        for (const HelpRow* row = rows; row->controlId != 0; ++row) {
            if (row->controlId == controlId) {
                return row->key && *row->key ? row->key : kUnknownHelpKey;
            }
        }
    }
    return kUnknownHelpKey;
}

namespace {

// The start of a span of `length` that lies inside [low, high), keeping the
// low end visible when the span is longer than the range.
int MoveInside(int start, int length, int low, int high) {
    return std::max(low, std::min(start, high - length));
}

}  // namespace

platform::Rect WhatsThisPlacement(int width, int height, const platform::Rect& control,
                                  const platform::Rect& screen) {
    const int left = MoveInside(control.left - width / 2, width, screen.left, screen.right);
    const int top = MoveInside(control.top + control.Height() / 2, height, screen.top, screen.bottom);
    return {left, top, left + width, top + height};
}

std::string HelpPageName(int context) {
    switch (context) {
    case kHelpContextFolderPage:
    case kHelpContextFolderDefaults:
    case kHelpContextFolderPreview: return "quillet-folder.html";
    case kHelpContextContentsPage: return "quillet-contents.html";
    case kHelpContextGeneralPage: return "quillet-general.html";
    default: return std::string();
    }
}

std::string HelpPagePath(std::string_view helpIndex, int context) {
    const std::string page = HelpPageName(context);
    if (page.empty()) return std::string(helpIndex);
    const size_t separator = helpIndex.find_last_of("\\/");
    const std::string_view folder =
        separator == std::string_view::npos ? std::string_view() : helpIndex.substr(0, separator + 1);
    return std::string(folder) + page;
}

}  // namespace quillet
