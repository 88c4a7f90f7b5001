// The rules of the contents page: which buttons it shows and enables, where a
// new child goes, how a child moves inside its container, and whether a row
// may be renamed. Portable: no <windows.h>.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "quillet/model/object.h"

namespace quillet {

struct ContentsButtonState {
    bool visible = true;
    bool enabled = false;
};

// The five buttons: the first reads New normally and Modify in preview mode.
struct ContentsButtons {
    bool firstIsModify = false;
    ContentsButtonState first;
    ContentsButtonState modify;
    ContentsButtonState remove;
    ContentsButtonState up;
    ContentsButtonState down;
};

// `selected` outside the list counts as no selection.
ContentsButtons ContentsButtonStates(bool previewMode, size_t count, std::optional<size_t> selected);

// Where the wizard puts a new child: just after the selected row, else at the
// end (kAppendIndex).
constexpr size_t kAppendIndex = static_cast<size_t>(-1);
size_t NewChildIndex(std::optional<size_t> selected, size_t count);

// Moves the child at `from` so that it ends at `to`, the others keeping their
// order. False, with nothing changed, when either index is outside the list;
// moving a child onto its own place succeeds and changes nothing.
bool MoveChild(Object& container, size_t from, size_t to);

// Whether a row's label may be edited at all.
bool MayRename(bool previewMode, const Object& child);
// The name an edited label gives the child, or nothing when the edit is to be
// refused (cancelled, or left empty).
std::optional<std::string> AcceptedName(const char* editedText);

}  // namespace quillet
