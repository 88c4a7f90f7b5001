// Rules of the Recycle Bin customiser that need no window: icon locations,
// the rename decision, the icon strip's stepping and the hover hints.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvessa {

// An icon location as the shell stores it: "file,index".
struct IconLocation {
    std::string path;
    int index = 0;

    bool operator==(const IconLocation& other) const { return path == other.path && index == other.index; }
};

// Splits "file,index" (trailing blanks ignored). The split is at the last
// comma followed by a decimal number, since folder names may hold commas; a
// text without one is a file whose first icon is meant. Nothing for a text
// that is empty or blank.
std::optional<IconLocation> SplitIconLocation(std::string_view text);

// path + "," + index, without blanks.
std::string FormatIconLocation(const IconLocation& location);

// The text to store as the new name, or nothing when the typed text is blank
// or names the same as the current one apart from letter case and trailing
// blanks.
std::optional<std::string> NameToWrite(std::string_view typed, std::string_view current);

// `folder` and `name` with one backslash between them.
std::string JoinPath(std::string_view folder, std::string_view name);

// Whether a file-list filter lists files that hold many icons (libraries and
// programs, stepped through in the strip) or single icon files.
enum class StripMode { SingleIcon, Library };
StripMode StripModeForFilter(std::string_view filter);

// What one icon extraction gave: ExtractIcon answers 0 past the last icon
// and 1 for a file that holds no icons at all.
enum class Extraction { Icon, PastLastIcon, NoIcons };
Extraction ClassifyExtraction(std::uintptr_t handle);

// The index to hand to ExtractIcon for `index`, or nothing. ExtractIcon
// answers -1 with the number of icons in the file, which would be taken for
// an icon handle; other negative indexes name an icon by its resource id, as
// the shell's own entries do ("imageres.dll,-55").
std::optional<unsigned> ExtractionIndex(int index);

// The strip of a library: one extraction attempt per icon plus the one that
// found the end, so a file with n icons takes n + 1 attempts.
struct StripPosition {
    int currentIndex = 0;
    int attempts = 0;

    int IconCount() const { return attempts > 0 ? attempts - 1 : 0; }
    int LastIndex() const { return IconCount() - 1; }
    bool CanStepNext() const { return currentIndex < LastIndex(); }
    bool CanStepPrevious() const { return currentIndex > 0; }
};

// "Icon # 3 out of 11"; nothing when the strip holds no icon.
std::optional<std::string> PositionText(const StripPosition& position);

// Hints of the three text buttons, changed as the pointer moves.
enum class PointerOver { Background, CloseLabel, HelpLabel, ApplyLabel, FileList, PositionLabel, Elsewhere };
struct HoverHints {
    bool closeHint = false;  // "exit" instead of "X"
    bool helpHint = false;   // "help" instead of "?"
    bool applyBold = false;

    bool operator==(const HoverHints& other) const {
        return closeHint == other.closeHint && helpHint == other.helpHint && applyBold == other.applyBold;
    }
};
HoverHints HintsAfterMove(HoverHints hints, PointerOver place);
const char* CloseLabelText(const HoverHints& hints);
const char* HelpLabelText(const HoverHints& hints);

}  // namespace corvessa
