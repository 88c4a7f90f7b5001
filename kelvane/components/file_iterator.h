// CFileIterator walks the entries of one folder (optionally its subfolders)
// and reports each one through events; the receiver decides whether to take
// it and what to do with it. The walk asks a small file-search interface, so
// the same code runs over FindFirstFile on Windows and over a table in tests.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

namespace kelvane {

enum class CFileIteratorOption : unsigned {
    cfiPath = 1,            // report full path names instead of bare names
    cfiDetails = 2,         // fill the details record
    cfiRecurseFolders = 4,  // descend into subfolders
    cfiIncludeFolders = 8,  // report subfolders as entries too
};

class CFileIteratorOptions {
public:
    CFileIteratorOptions() = default;
    CFileIteratorOptions(std::initializer_list<CFileIteratorOption> options) {
        for (CFileIteratorOption option : options) m_bits |= static_cast<unsigned>(option);
    }
    bool Has(CFileIteratorOption option) const { return (m_bits & static_cast<unsigned>(option)) != 0; }
    unsigned Bits() const { return m_bits; }
    bool operator==(const CFileIteratorOptions& other) const { return m_bits == other.m_bits; }

private:
    unsigned m_bits = 0;
};

// File attribute bits as the file search reports them.
inline constexpr uint32_t kAttributeVolumeLabel = 0x08;
inline constexpr uint32_t kAttributeDirectory = 0x10;

// An entry's details as the file search reports them; the time is the last
// write time in 100-ns units since 1601 (a FILETIME as one number).
struct TFileInfo {
    uint32_t attributes = 0;
    uint64_t time = 0;
    uint64_t size = 0;
};

struct FoundEntry {
    std::string name;
    TFileInfo info;
};

// One running search over a pattern "folder\*.*".
class FileSearch {
public:
    virtual ~FileSearch() = default;
    // The next entry, or nothing when the search has ended.
    virtual std::optional<FoundEntry> Next() = 0;
};

class FileSearcher {
public:
    virtual ~FileSearcher() = default;
    // Starts a search of every entry kind; nothing when the folder cannot be
    // searched (missing, no access).
    virtual std::unique_ptr<FileSearch> Search(const std::string& pattern) = 0;
};

struct EFileIteratorError {
    std::string message;
};

inline constexpr const char* kIteratorNotAvailableText =
    "Iterator is not available at the moment. Please call later, but do call";
inline constexpr const char* kCannotChangeOnFlyText = "Cannot change options on fly. Try later";

class CFileIterator {
public:
    enum class State { Idle = 0, Running = 1, StopRequested = 2 };

    using AddFileQueryEvent =
        std::function<void(CFileIterator& sender, const std::string& fileName, const TFileInfo& info, bool& canAdd)>;
    using AddFileEvent = std::function<void(CFileIterator& sender, const std::string& fileName, const TFileInfo& info)>;
    using NotifyEvent = std::function<void(CFileIterator& sender)>;

    explicit CFileIterator(FileSearcher& searcher) : m_searcher(searcher) {}
    CFileIterator(const CFileIterator&) = delete;
    CFileIterator& operator=(const CFileIterator&) = delete;

    CFileIteratorOptions Options() const { return m_options; }
    const std::string& RootFolder() const { return m_rootFolder; }
    // Refused while a walk runs, unless the component is being loaded.
    [[nodiscard]] std::optional<EFileIteratorError> SetOptions(CFileIteratorOptions options);
    [[nodiscard]] std::optional<EFileIteratorError> SetRootFolder(const std::string& folder);

    // While loading, the properties may be set whatever the state.
    void BeginLoading() { m_loading = true; }
    void Loaded() { m_loading = false; }

    // Walks RootFolder, raising OnActivate, the entry events and OnTerminate.
    // Refused when a walk already runs; does nothing when no entry event is
    // assigned.
    [[nodiscard]] std::optional<EFileIteratorError> Run();
    // Ends a running walk at its next entry.
    void Stop() {
        if (m_state == State::Running) m_state = State::StopRequested;
    }
    State CurrentState() const { return m_state; }

    AddFileQueryEvent OnAddFileQuery;
    AddFileEvent OnAddFile;
    NotifyEvent OnActivate;
    NotifyEvent OnTerminate;

private:
    void Walk(const std::string& folder);
    void Report(const std::string& folder, const FoundEntry& entry);

    FileSearcher& m_searcher;
    CFileIteratorOptions m_options;
    std::string m_rootFolder;
    State m_state = State::Idle;
    bool m_loading = false;
    TFileInfo m_details;
};

}  // namespace kelvane
