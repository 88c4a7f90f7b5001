#include "quillet/ui/icons/icon_cache_win32.h"

#include <mutex>
#include <vector>

#include "quillet/ui/icons/icon_chooser.h"

namespace quillet {
namespace {

void DestroyDropped(const std::vector<IconCacheTable::Handle>& dropped) {
    for (IconCacheTable::Handle icon : dropped) DestroyIcon(reinterpret_cast<HICON>(icon));
}

class ProcessIconCache {
public:
    ~ProcessIconCache() {
        std::vector<IconCacheTable::Handle> dropped;
        m_table.Clear(&dropped);
        DestroyDropped(dropped);
    }

    HICON Get(const std::string& keyText, IconSlot slot, bool hold, const std::function<HICON()>& load) {
        std::vector<IconCacheTable::Handle> dropped;
        HICON icon = nullptr;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            IconCacheTable::Entry& entry = m_table.Touch(keyText, &dropped);
            if (hold) entry.pinned = true;
            IconCacheTable::Handle& held = entry.Slot(slot);
            if (!held) held = reinterpret_cast<IconCacheTable::Handle>(load());
            icon = reinterpret_cast<HICON>(held);
        }
        DestroyDropped(dropped);
        return icon;
    }

    void Trim(size_t keep) {
        std::vector<IconCacheTable::Handle> dropped;
        {
            std::lock_guard<std::mutex> guard(m_lock);
            m_table.Trim(keep, &dropped);
        }
        DestroyDropped(dropped);
    }

    size_t Entries() {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_table.Size();
    }
    size_t Trimmable() {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_table.TrimmableCount();
    }

private:
    std::mutex m_lock;
    IconCacheTable m_table;
};

ProcessIconCache& Cache() {
    static ProcessIconCache s_cache;
    return s_cache;
}

}  // namespace

HICON CachedIcon(const std::string& keyText, IconSlot slot, bool hold, const std::function<HICON()>& load) {
    return Cache().Get(keyText, slot, hold, load);
}

size_t CachedIconEntries() {
    return Cache().Entries();
}

size_t TrimmableCachedIconEntries() {
    return Cache().Trimmable();
}

void TrimIconCache(size_t keep) {
    Cache().Trim(keep);
}

}  // namespace quillet
