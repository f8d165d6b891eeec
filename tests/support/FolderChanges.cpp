#include "tests/support/FolderChanges.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace hastelyn::testing {

FolderChanges::FolderChanges(const std::vector<std::filesystem::path>& folders)
    : fd_(inotify_init1(IN_CLOEXEC | IN_NONBLOCK)) {
    for (const std::filesystem::path& folder : folders)
        if (inotify_add_watch(fd_, folder.c_str(), IN_CREATE | IN_MODIFY | IN_MOVED_TO | IN_DELETE) < 0)
            ADD_FAILURE() << "cannot watch " << folder;
}
FolderChanges::~FolderChanges() { close(fd_); }

int FolderChanges::awaitChanges(int count, pid_t program) {
    const int ended = static_cast<int>(::syscall(SYS_pidfd_open, program, 0));
    if (ended < 0) ADD_FAILURE() << "cannot watch the program's end";
    while (seen_ < count) {
        pollfd ready[2] = {{fd_, POLLIN, 0}, {ended, POLLIN, 0}};
        if (::poll(ready, 2, -1) < 0) break;
        readEvents();
        if (ready[1].revents != 0) break;
    }
    close(ended);
    return seen_;
}

void FolderChanges::readEvents() {
    alignas(inotify_event) char buffer[16384];
    for (ssize_t got; (got = ::read(fd_, buffer, sizeof(buffer))) > 0;)
        for (ssize_t at = 0; at < got; ++seen_)
            at += static_cast<ssize_t>(sizeof(inotify_event) + reinterpret_cast<const inotify_event*>(buffer + at)->len);
}

}  // namespace hastelyn::testing
