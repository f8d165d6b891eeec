#pragma once
// What tells whether a file changed since it was last read: its identity, size and change time.
// A file replaced by writeFileAtomically gets a new inode; one replaced by a FileReplacer mostly
// goes back and forth between two inodes, the modification time of an inode moving forward
// with every version it holds.
#include <sys/stat.h>

#include <cstdint>
#include <filesystem>

namespace hastelyn::sandbox {

struct FileStamp {
    bool exists = false;
    bool directory = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t mtimeNs = 0;
    friend bool operator==(const FileStamp&, const FileStamp&) = default;
};

// The stamp of the file or folder at path (symbolic links followed); exists false when there is
// nothing there.
FileStamp stampOf(const std::filesystem::path& path);
// The stamp of what st describes.
FileStamp stampOfStat(const struct stat& st);
// Whether a later change of the file is bound to change its stamp, even by a writer that
// rewrites it in place to the same size: its modification time lies further back than the
// file system clock's tick, so that any later write stamps a later time.
bool settledBeforeNow(const FileStamp& stamp);

}  // namespace hastelyn::sandbox
