// `$key` references in texts, resolved through a language library, and the
// numbered inserts (%1, %2, ...) of message texts. Portable: no <windows.h>.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "quillet/strings/macros.h"
#include "quillet/strings/mlb_table.h"

namespace quillet {

// An expanded text holds at most this many characters, and so does each text
// taken from the library while expanding.
constexpr size_t kMaxExpandedText = 1023;
// A library text may refer to other keys; these bound how deep and how often,
// so that a library whose texts refer to each other in a loop still ends.
constexpr int kMaxKeyNesting = 8;
constexpr int kMaxKeyLookups = 1024;

struct Expansion {
    std::string text;
    bool allFound = true;
};

// Replaces every `$key` (ended by a blank, which is kept, or by ';', which is
// dropped) with the key's library text, itself expanded the same way; "$$"
// gives "$"; a missing key gives nothing and clears allFound. Then expands
// the macros over the whole result. `library` may be null (nothing found).
Expansion ExpandKeys(std::string_view text, const MlbTable* library, const VersionFacts& facts);

// Fills the numbered inserts of a message text the way Windows message
// formats do: %1 to %99 take that argument (a "!...!" type after the number
// is skipped: every argument is a text), %0 ends the message, %n gives CR LF,
// %r CR, %t a tab, and % with any other character gives that character.
// An insert without an argument gives nothing.
std::string FillInserts(std::string_view format, const std::vector<std::string>& arguments);

}  // namespace quillet
