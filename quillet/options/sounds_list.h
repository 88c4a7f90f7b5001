// The click sound's list: which sounds the program folder offers, which entry
// a stored sound chooses, and which file an entry or a typed text means.
// Portable: no <windows.h>.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// A ".wav" file of the sound folder as the file system lists it.
struct SoundFile {
    std::string name;           // "Chimes.wav"
    bool hasShortName = false;  // the file has a separate 8.3 name
};

// The names offered after the "no sound" entry: the extension removed, names
// without a separate short name (old upper-case 8.3 names) lower-cased,
// sorted without regard to case.
std::vector<std::string> SoundListNames(const std::vector<SoundFile>& files);

// The list as the page shows it: entry 0 is the "no sound" text, then the
// offered names, then possibly the stored sound itself.
struct SoundList {
    std::string folder;       // the sound folder, without a trailing backslash
    std::string noSoundText;  // entry 0
    std::vector<std::string> names;

    std::vector<std::string> Entries() const;
};

struct SoundChoice {
    std::vector<std::string> entries;
    size_t chosen = 0;
};

// The entries for a stored sound and the one it chooses. A bare name means a
// file of the sound folder; a listed sound is chosen only when the stored file
// is that very file (a path elsewhere with the same name is a different
// sound), else the stored value becomes an entry of its own.
SoundChoice ChooseStoredSound(const SoundList& list, std::string_view stored);

// What the list's text means as a file: empty for the "no sound" entry (or
// nothing), the listed file for a listed name, else a bare name in the sound
// folder or a path as it is, with ".wav" added when the name has no extension.
std::string SoundPathFromText(const SoundList& list, std::string_view text);

// Whether `text` is one of the offered names (not entry 0).
bool IsListedSound(const SoundList& list, std::string_view text);

}  // namespace quillet
