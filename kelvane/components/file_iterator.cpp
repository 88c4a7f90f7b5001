#include "kelvane/components/file_iterator.h"

namespace kelvane {

std::optional<EFileIteratorError> CFileIterator::SetOptions(CFileIteratorOptions options) {
    if (m_state != State::Idle && !m_loading) return EFileIteratorError{kCannotChangeOnFlyText};
    m_options = options;
    return std::nullopt;
}

std::optional<EFileIteratorError> CFileIterator::SetRootFolder(const std::string& folder) {
    if (m_state != State::Idle && !m_loading) return EFileIteratorError{kCannotChangeOnFlyText};
    m_rootFolder = folder;
    return std::nullopt;
}

std::optional<EFileIteratorError> CFileIterator::Run() {
    if (m_state != State::Idle) return EFileIteratorError{kIteratorNotAvailableText};
    if (!OnAddFile && !OnAddFileQuery) return std::nullopt;
    m_state = State::Running;
    if (OnActivate) OnActivate(*this);
    Walk(m_rootFolder);
    if (OnTerminate) OnTerminate(*this);
    m_state = State::Idle;
    return std::nullopt;
}

void CFileIterator::Walk(const std::string& rootFolder) {
    std::string folder = rootFolder;
    if (!folder.empty() && folder.back() == '\\') folder.pop_back();
    // An empty folder would make the pattern "\*.*", the root of the current
    // drive: no root folder means nothing to walk.
    if (folder.empty()) return;
    std::unique_ptr<FileSearch> search = m_searcher.Search(folder + "\\*.*");
    if (!search) return;
    while (m_state == State::Running) {
        std::optional<FoundEntry> entry = search->Next();
        if (!entry) break;
        if (entry->info.attributes & kAttributeDirectory) {
            // "." and ".." and every other dot-named folder are neither
            // reported nor entered.
            if (entry->name.empty() || entry->name.front() == '.') continue;
            if (m_options.Has(CFileIteratorOption::cfiIncludeFolders)) Report(folder, *entry);
            if (m_options.Has(CFileIteratorOption::cfiRecurseFolders)) Walk(folder + "\\" + entry->name);
        } else if (entry->info.attributes & kAttributeVolumeLabel) {
            continue;
        } else {
            if (m_options.Has(CFileIteratorOption::cfiDetails)) m_details = entry->info;
            Report(folder, *entry);
        }
    }
}

void CFileIterator::Report(const std::string& folder, const FoundEntry& entry) {
    std::string name = m_options.Has(CFileIteratorOption::cfiPath) ? folder + "\\" + entry.name : entry.name;
    bool canAdd = true;
    if (OnAddFileQuery) OnAddFileQuery(*this, name, m_details, canAdd);
    if (canAdd && OnAddFile) OnAddFile(*this, name, m_details);
}

}  // namespace kelvane
