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
    const bool sameStamp = it != entries_.end() && it->second.stamp == stamp;
    if (sameStamp && it->second.trusted) return &touch(it->second).document;
    auto bytes = readReplacedFile(hostPath);
    if (!bytes) {
        entries_.erase(key);
        return nullptr;
    }
    if (it == entries_.end()) {
        makeRoom();
        it = entries_.emplace(key, Entry{}).first;
    }
    Entry& entry = it->second;
    if (!sameStamp || *bytes != entry.bytes) {
        entry.document = ProfileDocument::parse(*bytes);
        ++loads_;
    }
    // Stamp taken before the read: a change during the read shows at the next look.
    entry.stamp = stamp;
    entry.trusted = settledBeforeNow(stamp);
    entry.bytes = entry.trusted ? std::string() : std::move(*bytes);
    return &touch(entry).document;
}

ProfileDocument& ProfileCache::fresh(const std::filesystem::path& hostPath) {
    const std::string key = hostPath.string();
    auto it = entries_.find(key);
    if (it == entries_.end()) {
        makeRoom();
        it = entries_.emplace(key, Entry{}).first;
    }
    it->second.stamp = FileStamp{};
    it->second.trusted = false;
    it->second.bytes.clear();
    it->second.document = ProfileDocument{};
    return touch(it->second).document;
}

void ProfileCache::written(const std::filesystem::path& hostPath, const FileStamp& stamp) {
    const auto it = entries_.find(hostPath.string());
    if (it == entries_.end()) return;
    it->second.stamp = stamp;
    it->second.trusted = stamp.exists;
    it->second.bytes.clear();
}

void ProfileCache::forget(const std::filesystem::path& hostPath) { entries_.erase(hostPath.string()); }

}  // namespace hastelyn::sandbox
