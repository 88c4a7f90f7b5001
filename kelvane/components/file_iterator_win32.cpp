#include "kelvane/components/file_iterator_win32.h"

#include <windows.h>

#include "platform/handles.h"

namespace kelvane {
namespace {

FoundEntry EntryOf(const WIN32_FIND_DATAA& data) {
    FoundEntry entry;
    entry.name = data.cFileName;
    entry.info.attributes = data.dwFileAttributes;
    entry.info.time =
        (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
    entry.info.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return entry;
}

class WindowsFileSearch : public FileSearch {
public:
    WindowsFileSearch(platform::unique_hfind find, const WIN32_FIND_DATAA& first)
        : m_find(std::move(find)), m_pending(EntryOf(first)) {}

    std::optional<FoundEntry> Next() override {
        if (m_pending) {
            std::optional<FoundEntry> entry = std::move(m_pending);
            m_pending.reset();
            return entry;
        }
        WIN32_FIND_DATAA data = {};
        if (!m_find || !FindNextFileA(m_find.get(), &data)) return std::nullopt;
        return EntryOf(data);
    }

private:
    platform::unique_hfind m_find;
    std::optional<FoundEntry> m_pending;
};

class WindowsSearcher : public FileSearcher {
public:
    std::unique_ptr<FileSearch> Search(const std::string& pattern) override {
        WIN32_FIND_DATAA data = {};
        platform::unique_hfind find(FindFirstFileA(pattern.c_str(), &data));
        if (!find) return nullptr;
        return std::make_unique<WindowsFileSearch>(std::move(find), data);
    }
};

}  // namespace

FileSearcher& WindowsFileSearcher() {
    static WindowsSearcher searcher;
    return searcher;
}

}  // namespace kelvane
