// The one way quillet plays a sound, and the sound folder's listing.
#include <windows.h>

#include <mmsystem.h>

#include "platform/handles.h"
#include "quillet/options/options.h"
#include "quillet/options/options_sheet_win32.h"

namespace quillet {
namespace {

void RecordSound(const std::string& path) {
    char log[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA(kTestSoundLogVariable, log, sizeof log);
    if (length == 0 || length >= sizeof log) return;
    platform::unique_hfile file(CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;
    const std::string line = path + "\r\n";
    DWORD written = 0;
    WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace

void PlaySoundFile(const std::string& path) {
    if (path.empty()) return;
    RecordSound(path);
    sndPlaySoundA(path.c_str(), SND_ASYNC);
}

std::vector<SoundFile> ListSoundFiles(const std::string& folder) {
    std::vector<SoundFile> files;
    WIN32_FIND_DATAA found = {};
    platform::unique_hfind find(FindFirstFileA((folder + "\\*.wav").c_str(), &found));
    if (!find) return files;
    do {
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_DIRECTORY)) continue;
        // The pattern also matches through short names ("x.wave" is
        // "X~1.WAV"), and such a file is not a sound the list can name.
        const size_t length = lstrlenA(found.cFileName);
        if (length < 4 || lstrcmpiA(found.cFileName + length - 4, ".wav") != 0) continue;
        files.push_back({found.cFileName, found.cAlternateFileName[0] != '\0'});
    } while (FindNextFileA(find.get(), &found));
    return files;
}

}  // namespace quillet
