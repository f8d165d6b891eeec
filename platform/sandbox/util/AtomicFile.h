#pragma once
// Whole-file writes that a crash cannot tear: the new content goes to a temporary file in the
// same folder, which then takes the old file's place in one rename (a swap of the two when the
// old one is a plain file, the old one then being removed).
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/sandbox/util/FileStamp.h"

namespace hastelyn::sandbox {

// Writes content to path atomically; false (and errno set) when it could not.
bool writeFileAtomically(const std::filesystem::path& path, std::string_view content);
// The same, giving the stamp of the file written (taken before it replaced the old one, so that
// a later change by another process still shows).
bool writeFileAtomically(const std::filesystem::path& path, std::string_view content, FileStamp& written);

// The whole file, or nothing when it cannot be read.
std::optional<std::string> readWholeFile(const std::filesystem::path& path);

// The whole of a file that a FileReplacer writes, as one version of it: read under a shared
// lock (flock), which keeps replacers from writing over it meanwhile.
std::optional<std::string> readReplacedFile(const std::filesystem::path& path);

// Writes whole files atomically as writeFileAtomically does, for files rewritten often (hives,
// services.ini, profile files). The old file swapped out of place is kept under a temporary
// name beside its target and written over at the next write of the same file, so that a write neither makes nor frees an inode or disk blocks. (On ext4 without
// a journal, making an inode scans past every inode freed in the last seconds to minutes, which
// grows with every write; freeing allocated blocks on a disk mounted with discard waits for
// the disk.) A kept file is written over only while nobody has it open through
// readReplacedFile, who may still be reading the version it holds; otherwise a new temporary
// file is made. Readers that open such files without readReplacedFile may see a file change
// under them once it has been replaced. A kept file written over within the clock tick of its
// last version has its modification time moved on by a nanosecond, so that a FileStamp of
// that version never matches the new one.
//
// Kept files carry temporary names (isAtomicTempName) and go with the replacer; a process
// killed leaves them, like the temporary file of any write it was killed in.
class FileReplacer {
public:
    FileReplacer() = default;
    ~FileReplacer();
    FileReplacer(const FileReplacer&) = delete;
    FileReplacer& operator=(const FileReplacer&) = delete;

    bool write(const std::filesystem::path& path, std::string_view content);
    bool write(const std::filesystem::path& path, std::string_view content, FileStamp& written);

    // Files kept for writing over.
    std::size_t keptCount() const { return scratch_.size(); }

private:
    static constexpr std::size_t kMaxKept = 16;
    // The kept file for target opened for writing over (kept: its stat), or -1 (and it removed).
    int openScratch(const std::string& target, std::filesystem::path& scratch, struct stat& kept);

    std::unordered_map<std::string, std::filesystem::path> scratch_;  // target -> kept file
    long owner_ = 0;  // the process that made them
    // Owner and permissions of the files this replacer makes; a kept file must have them.
    bool made_ = false;
    unsigned madeUid_ = 0, madeGid_ = 0, madeMode_ = 0;
};

// A new temporary name beside path, for a file that is to become it: ".name.tmp<pid>-<start>_<n>",
// the process id with the process's start time (processStartTime), so that a process given the
// id of a dead one never meets that one's leftovers, and a running number.
std::filesystem::path temporaryPathFor(const std::filesystem::path& path);

// The process a temporary file belongs to: its id, and its start time (0 in the names of older
// versions, ".name.tmp<pid>_<n>", which had none).
struct TempFileOwner {
    std::int64_t pid = 0;
    std::uint64_t startTime = 0;
};
// The owner named by a temporary name of either form, or nothing for any other name.
std::optional<TempFileOwner> tempFileOwner(std::string_view fileName);

// True for the name of a temporary file (either form); one may be left behind when a process is
// killed in the middle of a write, and a FileReplacer keeps old versions under such names.
bool isAtomicTempName(std::string_view fileName);

// Makes an empty file at path, claiming the name: of processes claiming one name at once, exactly
// one gets it (the others fail with EEXIST). While the claimant runs, a note stays beside the
// file: a second link to it under a temporary name of the claimant (temporaryPathFor), which the
// claimant removes when it is done with the machine. A claimant killed before it wrote the file
// leaves both, and removeDeadTempFiles then removes the file with the note, as long as the file
// is still that empty one. The note's path (empty where the file system has no links: no note,
// the file is only made); nothing, with errno set, when the file could not be made.
std::optional<std::filesystem::path> claimNewFile(const std::filesystem::path& path);

// Removes the temporary files in folder whose process no longer runs (processAlive with the
// start time the name gives), and the files claimed by such a process and never written. A name of the older form without a start time is removed only
// when no process has its id: one that does may be its maker, still writing. below: in every
// folder under it too (links to folders are not followed). Returns how many went.
std::size_t removeDeadTempFiles(const std::filesystem::path& folder, bool below = false);

// The Windows error for the errno of a file call that failed: ENOENT gives `missing`
// (FileNotFound or PathNotFound, as the caller knows what was looked for), ENOTDIR PathNotFound,
// a full disk DiskFull, a read-only file system WriteProtect, anything else AccessDenied.
long win32ErrorOf(int error, long missing);

// Appends one line to a log file with a single write, so that lines from several processes
// never interleave.
bool appendLine(const std::filesystem::path& path, std::string_view line);

}  // namespace hastelyn::sandbox
