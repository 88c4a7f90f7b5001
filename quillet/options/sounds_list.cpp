#include "quillet/options/sounds_list.h"

#include <algorithm>
#include <cctype>

namespace quillet {
namespace {

char Lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

std::string Lowered(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), Lower);
    return result;
}

bool SameText(std::string_view left, std::string_view right) {
    return left.size() == right.size() &&
           std::equal(left.begin(), left.end(), right.begin(), [](char a, char b) { return Lower(a) == Lower(b); });
}

std::string_view FileNamePart(std::string_view path) {
    const size_t slash = path.rfind('\\');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool HasExtension(std::string_view path) {
    return FileNamePart(path).find('.') != std::string_view::npos;
}

std::string WithoutExtension(std::string_view name) {
    const size_t dot = name.rfind('.');
    return std::string(dot == std::string_view::npos ? name : name.substr(0, dot));
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

const std::string* FindListed(const SoundList& list, std::string_view name) {
    for (const std::string& listed : list.names) {
        if (SameText(listed, name)) return &listed;
    }
    return nullptr;
}

}  // namespace

std::vector<std::string> SoundListNames(const std::vector<SoundFile>& files) {
    std::vector<std::string> names;
    names.reserve(files.size());
    for (const SoundFile& file : files) {
        std::string name = WithoutExtension(file.name);
        if (!file.hasShortName) name = Lowered(name);
        names.push_back(std::move(name));
    }
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) { return Lowered(a) < Lowered(b); });
    return names;
}

std::vector<std::string> SoundList::Entries() const {
    std::vector<std::string> entries;
    entries.reserve(names.size() + 1);
    entries.push_back(noSoundText);
    entries.insert(entries.end(), names.begin(), names.end());
    return entries;
}

SoundChoice ChooseStoredSound(const SoundList& list, std::string_view stored) {
    SoundChoice choice;
    choice.entries = list.Entries();
    if (stored.empty()) return choice;

    const size_t slash = stored.rfind('\\');
    const bool inSoundFolder = slash == std::string_view::npos || SameText(stored.substr(0, slash), list.folder);
    std::string_view name = FileNamePart(stored);
    // Only ".wav" files are listed, so only that extension may be dropped to
    // find the entry.
    const size_t dot = name.rfind('.');
    if (dot != std::string_view::npos && SameText(name.substr(dot), ".wav"))
        name = name.substr(0, dot);
    else if (dot != std::string_view::npos)
        name = std::string_view();

    if (inSoundFolder && !name.empty()) {
        for (size_t i = 0; i < list.names.size(); ++i) {
            if (SameText(list.names[i], name)) {
                choice.chosen = i + 1;
                return choice;
            }
        }
    }
    choice.entries.emplace_back(stored);
    choice.chosen = choice.entries.size() - 1;
    return choice;
}

bool IsListedSound(const SoundList& list, std::string_view text) {
    return FindListed(list, text) != nullptr;
}

std::string SoundPathFromText(const SoundList& list, std::string_view text) {
    text = Trimmed(text);
    if (text.empty() || text == list.noSoundText) return std::string();
    // A listed name may itself hold a dot ("door.bell" from "door.bell.wav"):
    // it always means its ".wav" file.
    if (const std::string* listed = FindListed(list, text)) return list.folder + "\\" + *listed + ".wav";
    std::string path =
        text.find('\\') == std::string_view::npos ? list.folder + "\\" + std::string(text) : std::string(text);
    if (!HasExtension(path)) path += ".wav";
    return path;
}

}  // namespace quillet
