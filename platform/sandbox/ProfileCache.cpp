#include "platform/sandbox/ProfileCache.h"

#include "platform/Text.h"
#include "platform/sandbox/util/AtomicFile.h"

namespace hastelyn::sandbox {

ProfileCache::Entry& ProfileCache::touch(Entry& entry) {
    entry.lastUse = ++clock_;
    return entry;
}

void ProfileCache::makeRoom() {
    while (entries_.size() >= kMaxEntries) {
        auto oldest = entries_.begin();
        for (auto it = entries_.begin(); it != entries_.end(); ++it) {
            if (it->second.lastUse < oldest->second.lastUse) oldest = it;
        }
        entries_.erase(oldest);
    }
}

ProfileDocument* ProfileCache::document(const std::filesystem::path& hostPath) {
    return document(hostPath, stampOf(hostPath));
}

ProfileDocument* ProfileCache::document(const std::filesystem::path& hostPath, const FileStamp& stamp) {
    const std::string key = hostPath.string();
    if (!stamp.exists || stamp.directory) {
        entries_.erase(key);
        return nullptr;
    }
    auto it = entries_.find(key);
    if (it != entries_.end() && it->second.kept.current(stamp)) return &touch(it->second).kept.document();
    auto bytes = readReplacedFile(hostPath);
    if (!bytes) {
        entries_.erase(key);
        return nullptr;
    }
    if (it == entries_.end()) {
        makeRoom();
        it = entries_.emplace(key, Entry{}).first;
    }
    // Stamp taken before the read: a change during the read shows at the next look.
    if (it->second.kept.take(stamp, std::move(*bytes))) ++loads_;
    return &touch(it->second).kept.document();
}

ProfileDocument& ProfileCache::fresh(const std::filesystem::path& hostPath) {
    const std::string key = hostPath.string();
    auto it = entries_.find(key);
    if (it == entries_.end()) {
        makeRoom();
        it = entries_.emplace(key, Entry{}).first;
    }
    it->second.kept.forget();
    it->second.kept.document() = ProfileDocument{};
    return touch(it->second).kept.document();
}

void ProfileCache::written(const std::filesystem::path& hostPath, const FileStamp& stamp) {
    const auto it = entries_.find(hostPath.string());
    if (it != entries_.end()) it->second.kept.written(stamp);
}

void ProfileCache::forget(const std::filesystem::path& hostPath) { entries_.erase(hostPath.string()); }

}  // namespace hastelyn::sandbox
