#pragma once
// Parsed profile files kept in memory, keyed by host path and read again only when the file's
// stamp says it may have changed (KeptDocument.h), so that reading many values of a big file
// parses it once.
#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>

#include "platform/sandbox/KeptDocument.h"
#include "platform/sandbox/ProfileDocument.h"
#include "platform/sandbox/util/FileStamp.h"

namespace hastelyn::sandbox {

class ProfileCache {
public:
    // The document of the file at hostPath, or null when there is no readable file there.
    // Valid until the next call of this cache.
    ProfileDocument* document(const std::filesystem::path& hostPath);
    // The same, the file's stamp having just been taken by the caller.
    ProfileDocument* document(const std::filesystem::path& hostPath, const FileStamp& stamp);
    // An empty document for a file about to be made at hostPath.
    ProfileDocument& fresh(const std::filesystem::path& hostPath);
    // The document at hostPath was just written to its file, which got this stamp.
    void written(const std::filesystem::path& hostPath, const FileStamp& stamp);
    // Drops what is kept for hostPath (after a failed write, the document may be ahead of the
    // file).
    void forget(const std::filesystem::path& hostPath);

    // Times a file was read and parsed.
    std::uint64_t loads() const { return loads_; }

private:
    struct Entry {
        KeptDocument kept;
        std::uint64_t lastUse = 0;
    };
    Entry& touch(Entry& entry);
    void makeRoom();

    static constexpr std::size_t kMaxEntries = 32;
    std::unordered_map<std::string, Entry> entries_;
    std::uint64_t clock_ = 0;
    std::uint64_t loads_ = 0;
};

}  // namespace hastelyn::sandbox
