#pragma once
// Parsed profile files kept in memory, keyed by host path and read again only when the file's
// stamp (inode, size, modification time) changed, so that reading many values of a big file
// parses it once. A stamp read within the file system clock's tick of the file's last change
// (settledBeforeNow) proves nothing: a writer rewriting the file in place to the same size
// within that tick leaves it as it was. Such a file is read again at every look, and parsed
// again when its bytes differ from those kept; the stamp of a file written here is unique.
#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>

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
        FileStamp stamp;
        bool trusted = false;  // the same stamp means the same file
        std::string bytes;     // as read, while the stamp is not trusted
        ProfileDocument document;
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
