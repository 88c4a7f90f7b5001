#include "quillet/options/contents_page_rules.h"

namespace quillet {

ContentsButtons ContentsButtonStates(bool previewMode, size_t count, std::optional<size_t> selected) {
    const bool hasRow = selected.has_value() && *selected < count;
    const size_t row = hasRow ? *selected : 0;
    ContentsButtons buttons;
    buttons.firstIsModify = previewMode;
    if (previewMode) {
        buttons.first.enabled = hasRow;
        buttons.modify.visible = buttons.remove.visible = buttons.up.visible = buttons.down.visible = false;
        return buttons;
    }
    buttons.first.enabled = true;
    buttons.modify.enabled = buttons.remove.enabled = hasRow;
    buttons.up.enabled = hasRow && row > 0;
    buttons.down.enabled = hasRow && row + 1 < count;
    return buttons;
}

size_t NewChildIndex(std::optional<size_t> selected, size_t count) {
    if (selected && *selected < count) return *selected + 1;
    return kAppendIndex;
}

bool MoveChild(Object& container, size_t from, size_t to) {
    if (from >= container.Count() || to >= container.Count()) return false;
    if (from == to) return true;
    RefPtr<Object> child = container.GetChild(from);
    if (Failed(container.RemoveAt(from))) return false;
    if (Failed(container.InsertAt(child.Get(), to))) {
        // Put it back where it was rather than lose it.
        container.InsertAt(child.Get(), from);
        return false;
    }
    return true;
}

bool MayRename(bool previewMode, const Object& child) {
    return !previewMode && (child.ReadInteger(kTagFlags) & kFlagUntitled) == 0;
}

std::optional<std::string> AcceptedName(const char* editedText) {
    if (!editedText || !*editedText) return std::nullopt;
    return std::string(editedText);
}

}  // namespace quillet
