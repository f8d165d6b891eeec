#include "platform/sandbox/util/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace hastelyn::sandbox {

FileLock::FileLock(const std::filesystem::path& path, bool create, Mode mode) {
    const int flags = O_RDONLY | O_CLOEXEC | (create ? O_CREAT : 0);
    const int fd = ::open(path.c_str(), flags, 0644);
    if (fd < 0) return;
    int rc = 0;
    while ((rc = ::flock(fd, mode == Mode::Shared ? LOCK_SH : LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (rc != 0) {
        ::close(fd);
        return;
    }
    fd_ = fd;
}

FileLock::~FileLock() {
    if (fd_ >= 0) ::close(fd_);  // closing the only descriptor drops the lock
}

}  // namespace hastelyn::sandbox
