#pragma once
// An exclusive flock on a file, held for the life of the object: how processes that share a
// machine folder take turns at a read-modify-write of a shared file. A process that dies
// holding it loses it at once.
#include <filesystem>

namespace hastelyn::sandbox {

class FileLock {
public:
    // Waits for the lock on the file at path. With create, a missing file is made (its folder
    // must exist); without, a missing file leaves the lock not held.
    FileLock(const std::filesystem::path& path, bool create);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

}  // namespace hastelyn::sandbox
