#pragma once
// A flock on a file, held for the life of the object: how processes that share a machine folder
// take turns at a read-modify-write of a shared file (exclusive), or read a set of files that
// only change together (shared). A process that dies holding it loses it at once.
//
// flock belongs to the open file: two FileLocks of one process on the same file conflict like
// those of two processes, so a process never nests them.
#include <filesystem>

namespace hastelyn::sandbox {

class FileLock {
public:
    enum class Mode { Exclusive, Shared };

    // Waits for the lock on the file at path. With create, a missing file is made (its folder
    // must exist); without, a missing file leaves the lock not held.
    FileLock(const std::filesystem::path& path, bool create, Mode mode = Mode::Exclusive);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace hastelyn::sandbox
