#pragma once
#include <sys/types.h>

#include <filesystem>
#include <vector>

namespace hastelyn::testing {

// The changes a run makes in the folders it writes (files made, written, renamed, deleted): a test
// waits for them, never for a time, whatever the machine's speed.
class FolderChanges {
public:
    explicit FolderChanges(const std::vector<std::filesystem::path>& folders);
    FolderChanges(const FolderChanges&) = delete;
    FolderChanges& operator=(const FolderChanges&) = delete;
    ~FolderChanges();

    // Waits until `count` changes were seen in all or the program ended (it is left to be
    // reaped); the changes seen so far.
    int awaitChanges(int count, pid_t program);

private:
    void readEvents();

    int fd_;
    int seen_ = 0;
};

}  // namespace hastelyn::testing
