#include "quillet/document/tdf_win32.h"

#include <shlobj.h>

#include "platform/error_text.h"
#include "platform/handles.h"

namespace quillet {

namespace {

// Far above any real icon set; refusing it spares a huge allocation on a
// damaged or foreign file.
constexpr DWORD kLargestDocument = 256u * 1024u * 1024u;

constexpr const char* kSavingSuffix = ".saving";

bool IsExistingFile(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsExistingFolder(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD chunk = bytes.size() > 65536 ? 65536 : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written != chunk) return false;
        bytes.remove_prefix(chunk);
    }
    return true;
}

// A failure that set no error code still has to read as a failure.
DWORD LastErrorOr(DWORD fallback) {
    DWORD error = GetLastError();
    return error != NO_ERROR ? error : fallback;
}

// Windows 95 and 98 have no MoveFileEx. The old document is moved aside
// first and put back if the new one cannot take its place, so that one of
// the two is always there under the document's name.
DWORD ReplaceInSteps(const std::string& saving, const std::string& path) {
    const std::string aside = path + ".old";
    DeleteFileA(aside.c_str());
    bool movedAside = MoveFileA(path.c_str(), aside.c_str()) != FALSE;
    if (!movedAside && GetLastError() != ERROR_FILE_NOT_FOUND) return LastErrorOr(ERROR_WRITE_FAULT);
    if (!MoveFileA(saving.c_str(), path.c_str())) {
        DWORD error = LastErrorOr(ERROR_WRITE_FAULT);
        if (movedAside) MoveFileA(aside.c_str(), path.c_str());
        return error;
    }
    if (movedAside) DeleteFileA(aside.c_str());
    return NO_ERROR;
}

std::string PersonalFolder() {
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &list)) || !list) return std::string();
    char path[MAX_PATH] = {};
    BOOL found = SHGetPathFromIDListA(list, path);
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
        allocator->Free(list);
        allocator->Release();
    }
    return found ? std::string(path) : std::string();
}

}  // namespace

DocumentFiles::ReadResult Win32DocumentFiles::ReadWholeFile(const std::string& path, std::string* bytes) {
    platform::unique_hfile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? ReadResult::Missing : ReadResult::Failed;
    }
    DWORD high = 0;
    DWORD size = GetFileSize(file.get(), &high);
    if ((size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) || high != 0 || size > kLargestDocument)
        return ReadResult::Failed;
    std::string content(size, '\0');
    DWORD done = 0;
    while (done < size) {
        DWORD read = 0;
        if (!ReadFile(file.get(), &content[done], size - done, &read, nullptr)) return ReadResult::Failed;
        if (read == 0) break;
        done += read;
    }
    content.resize(done);
    *bytes = std::move(content);
    return ReadResult::Read;
}

HANDLE Win32DocumentFiles::CreateSavingFile(const std::string& saving) {
    return CreateFileA(saving.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

namespace {

// Writes the bytes to an open file, makes them its whole content and puts
// them on disk.
DWORD WriteWholeFile(platform::unique_hfile file, std::string_view bytes) {
    if (!WriteAll(file.get(), bytes) || !SetEndOfFile(file.get()) || !FlushFileBuffers(file.get()))
        return LastErrorOr(ERROR_WRITE_FAULT);
    if (!CloseHandle(file.release())) return LastErrorOr(ERROR_WRITE_FAULT);
    return NO_ERROR;
}

platform::unique_hfile OpenDocumentForWriting(const std::string& path, DWORD share) {
    // OPEN_EXISTING: the file keeps its attributes.
    return platform::unique_hfile(
        CreateFileA(path.c_str(), GENERIC_WRITE, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// The attributes SetFileAttributes can give back.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE |
                                  FILE_ATTRIBUTE_TEMPORARY;

}  // namespace

bool Win32DocumentFiles::ReplaceFile(const std::string& path, std::string_view bytes, std::string* reason) {
    // The move below would refuse a read-only document too, but only after the
    // whole new file had been written for nothing.
    DWORD attributes = GetFileAttributesA(path.c_str());
    bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY)) {
        *reason = platform::SystemErrorText(ERROR_ACCESS_DENIED);
        return false;
    }

    const std::string saving = path + kSavingSuffix;
    DWORD error = NO_ERROR;
    platform::unique_hfile file(CreateSavingFile(saving));
    if (file) {
        error = WriteWholeFile(std::move(file), bytes);
        if (error == NO_ERROR &&
            !MoveFileExA(saving.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            error = LastErrorOr(ERROR_WRITE_FAULT);
            if (error == ERROR_CALL_NOT_IMPLEMENTED) error = ReplaceInSteps(saving, path);
        }
        if (error != NO_ERROR) DeleteFileA(saving.c_str());
    } else {
        error = LastErrorOr(ERROR_WRITE_FAULT);
        // A folder that refuses new files may still let the document be written.
        if (error == ERROR_ACCESS_DENIED && exists) {
            platform::unique_hfile document = OpenDocumentForWriting(path, 0);
            error = document ? WriteWholeFile(std::move(document), bytes) : LastErrorOr(ERROR_WRITE_FAULT);
        }
    }
    if (error != NO_ERROR) {
        *reason = platform::SystemErrorText(error);
        return false;
    }
    // The new file came with attributes of its own, and writing marks a file
    // for archiving: the document keeps the ones it had.
    DWORD kept = attributes & kKeptAttributes;
    if (exists) SetFileAttributesA(path.c_str(), kept ? kept : FILE_ATTRIBUTE_NORMAL);
    return true;
}

bool Win32DocumentFiles::IsWriteRefused(const std::string& path) {
    // Wine running as root opens a read-only file for writing all the same, so
    // the attribute is asked first; Windows refuses such an open anyway, and
    // so does the save.
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return true;
    // Nothing is changed: the new file is removed again and the document is
    // only opened. A file that is merely in use (sharing violation) is not
    // refused for lack of access.
    const std::string saving = path + kSavingSuffix;
    platform::unique_hfile probe(CreateSavingFile(saving));
    if (probe) {
        probe.reset();
        DeleteFileA(saving.c_str());
        // The new file takes the document's place, which needs the right to
        // remove the document.
        platform::unique_hfile document(CreateFileA(path.c_str(), DELETE,
                                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        return !document && GetLastError() == ERROR_ACCESS_DENIED;
    }
    if (GetLastError() != ERROR_ACCESS_DENIED) return false;
    platform::unique_hfile document = OpenDocumentForWriting(path, FILE_SHARE_READ | FILE_SHARE_WRITE);
    return !document && GetLastError() == ERROR_ACCESS_DENIED;
}

std::string ProgramFolder() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return std::string();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    size_t slash = path.find_last_of('\\');
    path.resize(slash == std::string::npos ? 0 : slash);
    return path;
}

DocumentLocation LocateDocument(const std::string& programFolder, const std::string& internalName,
                                const std::string& companyShortName) {
    DocumentPathFacts facts;
    facts.programFolder = programFolder;
    facts.internalName = internalName;
    facts.commonDocumentExists = IsExistingFile(CommonDocumentPath(programFolder, internalName));
    if (!facts.commonDocumentExists) {
        facts.userFilesFolder = UserFilesFolder(PersonalFolder(), companyShortName);
        if (!facts.userFilesFolder.empty()) {
            CreateDirectoryA(facts.userFilesFolder.c_str(), nullptr);
            facts.userFilesFolderReady = IsExistingFolder(facts.userFilesFolder);
        }
    }
    return ChooseDocumentPath(facts);
}

}  // namespace quillet
