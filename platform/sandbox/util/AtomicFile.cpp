#include "platform/sandbox/util/AtomicFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <mutex>

#include "platform/Win32Types.h"
#include "platform/sandbox/util/Process.h"

namespace hastelyn::sandbox {
namespace {

bool writeAll(int fd, std::string_view content) {
    const char* p = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

std::atomic<unsigned> tempCounter{0};

// "<pid>-<start time>" of this process, made again after a fork.
std::string processTag() {
    static std::mutex lock;
    static long pid = 0;
    static std::string tag;
    const std::lock_guard<std::mutex> guard(lock);
    if (const long current = static_cast<long>(::getpid()); current != pid) {
        pid = current;
        tag = std::to_string(current) + "-" + std::to_string(processStartTime(current));
    }
    return tag;
}

// The digits at the front of s (advanced past them), or nothing when it does not start with one.
std::optional<std::uint64_t> takeNumber(std::string_view& s) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end == s.data()) return std::nullopt;
    s.remove_prefix(static_cast<std::size_t>(end - s.data()));
    return value;
}

}  // namespace

std::filesystem::path temporaryPathFor(const std::filesystem::path& path) {
    return path.parent_path() /
           ("." + path.filename().string() + ".tmp" + processTag() + "_" + std::to_string(tempCounter++));
}

std::optional<TempFileOwner> tempFileOwner(std::string_view name) {
    if (name.size() < 2 || name.front() != '.') return std::nullopt;
    const std::size_t tmp = name.rfind(".tmp");
    if (tmp == std::string_view::npos || tmp == 0) return std::nullopt;
    std::string_view tail = name.substr(tmp + 4);
    TempFileOwner owner;
    const auto pid = takeNumber(tail);
    if (!pid || *pid > static_cast<std::uint64_t>(INT64_MAX)) return std::nullopt;
    owner.pid = static_cast<std::int64_t>(*pid);
    if (tail.starts_with('-')) {
        tail.remove_prefix(1);
        const auto start = takeNumber(tail);
        if (!start) return std::nullopt;
        owner.startTime = *start;
    }
    if (!tail.starts_with('_')) return std::nullopt;
    tail.remove_prefix(1);
    if (!takeNumber(tail) || !tail.empty()) return std::nullopt;
    return owner;
}

bool isAtomicTempName(std::string_view name) { return tempFileOwner(name).has_value(); }

namespace {

bool later(const timespec& a, const timespec& b) {
    return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec > b.tv_nsec;
}

enum class Replaced { No, Swapped, Renamed };

std::atomic<bool> exchangeWorks{true};

// Whether path is a plain file that replaceWith swaps; old gets its stat.
bool swappable(const std::filesystem::path& path, struct stat& old) {
    return exchangeWorks.load(std::memory_order_relaxed) && ::lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
}

// Puts the complete file temp in the place of path in one step. A plain file there (swap) is
// swapped with it (RENAME_EXCHANGE), so that temp then names the old file; anything else there
// (nothing, a folder, a link), or a file system without the exchange, takes rename and its
// errors. Swapping rather than renaming over the old file matters on ext4: a rename over a
// file forces the new file's blocks to be allocated at once, so that the next replacement frees
// allocated blocks, which on a disk mounted with discard waits for the disk (about a
// millisecond a write).
Replaced replaceWith(const std::filesystem::path& temp, const std::filesystem::path& path, bool swap) {
    if (swap) {
        if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE) == 0) return Replaced::Swapped;
        if (errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP) exchangeWorks.store(false, std::memory_order_relaxed);
    }
    return ::rename(temp.c_str(), path.c_str()) == 0 ? Replaced::Renamed : Replaced::No;
}

Replaced replaceWith(const std::filesystem::path& temp, const std::filesystem::path& path) {
    struct stat old {};
    return replaceWith(temp, path, swappable(path, old));
}

}  // namespace

bool writeFileAtomically(const std::filesystem::path& path, std::string_view content) {
    FileStamp ignored;
    return writeFileAtomically(path, content, ignored);
}

bool writeFileAtomically(const std::filesystem::path& path, std::string_view content, FileStamp& written) {
    const std::filesystem::path temp = temporaryPathFor(path);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = writeAll(fd, content);
    struct stat st {};
    if (ok) ok = ::fstat(fd, &st) == 0;
    const int savedErrno = errno;
    ::close(fd);
    const Replaced replaced = ok ? replaceWith(temp, path) : Replaced::No;
    if (replaced != Replaced::Renamed) {
        // The old file after a swap (a reader that has it open keeps it); what was written else.
        const int err = ok ? errno : savedErrno;
        ::unlink(temp.c_str());
        if (replaced == Replaced::No) {
            errno = err;
            return false;
        }
    }
    written = stampOfStat(st);
    return true;
}

namespace {

// The rest of an open file, st being its stat.
std::optional<std::string> readOpenFile(int fd, const struct stat& st) {
    if (S_ISDIR(st.st_mode)) return std::nullopt;
    std::string content(st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0, '\0');
    std::size_t filled = 0;
    char tail[4096];
    while (true) {
        // Into the string while the size stat gave lasts, then through a small buffer in case
        // the file grew meanwhile.
        const bool inside = filled < content.size();
        char* to = inside ? content.data() + filled : tail;
        const std::size_t room = inside ? content.size() - filled : sizeof(tail);
        const ssize_t n = ::read(fd, to, room);
        if (n < 0) {
            if (errno == EINTR) continue;
            return std::nullopt;
        }
        if (n == 0) break;
        if (!inside) content.append(tail, static_cast<std::size_t>(n));
        filled += static_cast<std::size_t>(n);
    }
    content.resize(filled);
    return content;
}

}  // namespace

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    auto content = ::fstat(fd, &st) == 0 ? readOpenFile(fd, st) : std::nullopt;
    ::close(fd);
    return content;
}

std::optional<std::string> readReplacedFile(const std::filesystem::path& path) {
    for (int attempt = 0;; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return std::nullopt;
        // While the shared lock is held no FileReplacer writes over this file. It may have been
        // swapped out between the open and the lock, and be written over since: then it is
        // opened again, the file at path being the one that counts.
        int locked = 0;
        while ((locked = ::flock(fd, LOCK_SH)) != 0 && errno == EINTR) {
        }
        struct stat st {};
        struct stat current {};
        if (::fstat(fd, &st) != 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (locked == 0 && attempt < 100 && ::stat(path.c_str(), &current) == 0 &&
            (current.st_ino != st.st_ino || current.st_dev != st.st_dev)) {
            ::close(fd);
            continue;
        }
        auto content = readOpenFile(fd, st);
        ::close(fd);
        return content;
    }
}

FileReplacer::~FileReplacer() {
    if (owner_ != ::getpid()) return;
    for (const auto& [target, scratch] : scratch_) ::unlink(scratch.c_str());
}

int FileReplacer::openScratch(const std::string& target, std::filesystem::path& scratch, struct stat& kept) {
    const auto it = scratch_.find(target);
    if (it == scratch_.end()) return -1;
    scratch = std::move(it->second);
    scratch_.erase(it);
    int fd = ::open(scratch.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
    struct stat st {};
    // Not while someone reads it (readReplacedFile holds a shared lock), nor when it is no
    // longer a plain file of its own, made as this writer makes its files.
    if (fd >= 0 && (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) ||
                    st.st_nlink != 1 || !made_ || st.st_uid != madeUid_ || st.st_gid != madeGid_ ||
                    (st.st_mode & 07777) != madeMode_)) {
        ::close(fd);
        fd = -1;
    }
    if (fd < 0) {
        ::unlink(scratch.c_str());
        return -1;
    }
    kept = st;
    return fd;
}

bool FileReplacer::write(const std::filesystem::path& path, std::string_view content) {
    FileStamp ignored;
    return write(path, content, ignored);
}

bool FileReplacer::write(const std::filesystem::path& path, std::string_view content, FileStamp& written) {
    if (const auto pid = static_cast<long>(::getpid()); pid != owner_) {
        scratch_.clear();  // after a fork they belong to the parent
        owner_ = pid;
    }
    // A plain file there is swapped with the new one, made beside it, which then keeps the old
    // one under its temporary name. Anything else is replaced as writeFileAtomically does it.
    struct stat old {};
    const bool swap = swappable(path, old);
    const std::string target = path.string();
    std::filesystem::path temp;
    struct stat kept {};
    int fd = swap ? openScratch(target, temp, kept) : -1;
    const bool reused = fd >= 0;
    if (fd < 0) {
        temp = temporaryPathFor(path);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) return false;
    }
    bool ok = writeAll(fd, content);
    if (ok && reused && static_cast<std::uint64_t>(kept.st_size) > content.size())
        ok = ::ftruncate(fd, static_cast<off_t>(content.size())) == 0;
    struct stat st {};
    if (ok) ok = ::fstat(fd, &st) == 0;
    if (ok && reused && !later(st.st_mtim, kept.st_mtim)) {
        // Written within the clock tick of its last version: a stamp of that version must not
        // match this one, so the modification time moves on by a nanosecond.
        timespec times[2] = {{0, UTIME_OMIT}, kept.st_mtim};
        if (++times[1].tv_nsec == 1000000000) {
            times[1].tv_nsec = 0;
            ++times[1].tv_sec;
        }
        ok = ::futimens(fd, times) == 0 && ::fstat(fd, &st) == 0;
    }
    const int savedErrno = errno;
    ::close(fd);
    const Replaced replaced = ok ? replaceWith(temp, path, swap) : Replaced::No;
    if (replaced == Replaced::No) {
        const int err = ok ? errno : savedErrno;
        ::unlink(temp.c_str());
        errno = err;
        return false;
    }
    if (!made_) {
        made_ = true;
        madeUid_ = st.st_uid;
        madeGid_ = st.st_gid;
        madeMode_ = st.st_mode & 07777;
    }
    if (replaced == Replaced::Swapped) {
        if (scratch_.size() >= kMaxKept) {
            ::unlink(scratch_.begin()->second.c_str());
            scratch_.erase(scratch_.begin());
        }
        scratch_.emplace(target, std::move(temp));
    }
    written = stampOfStat(st);
    return true;
}

std::optional<std::filesystem::path> claimNewFile(const std::filesystem::path& path) {
    const std::filesystem::path note = temporaryPathFor(path);
    const int fd = ::open(note.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
        ::close(fd);
        if (::link(note.c_str(), path.c_str()) == 0) return note;
        const int error = errno;
        ::unlink(note.c_str());
        if (error != EPERM && error != EOPNOTSUPP && error != EMLINK) {
            errno = error;
            return std::nullopt;
        }
    }
    // No room for the note, or no links here: the file alone, made exclusively.
    const int made = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (made < 0) return std::nullopt;
    ::close(made);
    return std::filesystem::path();
}

namespace {

// The file a dead process claimed with this note (claimNewFile) goes when it is still the empty
// file the note links to: the process was killed before it wrote it.
void removeUnwrittenClaim(const std::filesystem::path& note) {
    struct stat noted {};
    if (::lstat(note.c_str(), &noted) != 0 || !S_ISREG(noted.st_mode) || noted.st_nlink != 2 || noted.st_size != 0)
        return;
    const std::string name = note.filename().string();
    const std::filesystem::path claimed = note.parent_path() / name.substr(1, name.rfind(".tmp") - 1);
    struct stat now {};
    if (::lstat(claimed.c_str(), &now) == 0 && now.st_dev == noted.st_dev && now.st_ino == noted.st_ino)
        ::unlink(claimed.c_str());
}

// Removes the entry when it is a temporary file (or a link under such a name) of a process that
// no longer runs.
bool removeIfDead(const std::filesystem::directory_entry& entry) {
    const auto owner = tempFileOwner(entry.path().filename().string());
    if (!owner || processAlive(owner->pid, owner->startTime)) return false;
    std::error_code ec;
    const auto type = entry.symlink_status(ec).type();
    if (ec || (type != std::filesystem::file_type::regular && type != std::filesystem::file_type::symlink)) return false;
    if (type == std::filesystem::file_type::regular) removeUnwrittenClaim(entry.path());
    return ::unlink(entry.path().c_str()) == 0;
}

}  // namespace

std::size_t removeDeadTempFiles(const std::filesystem::path& folder, bool below) {
    std::size_t removed = 0;
    std::error_code ec;
    if (below) {
        constexpr auto options = std::filesystem::directory_options::skip_permission_denied;
        for (std::filesystem::recursive_directory_iterator it(folder, options, ec), end; !ec && it != end;
             it.increment(ec))
            removed += removeIfDead(*it) ? 1 : 0;
    } else {
        for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
            removed += removeIfDead(*it) ? 1 : 0;
    }
    return removed;
}

long win32ErrorOf(int error, long missing) {
    namespace win32error = platform::win32error;
    switch (error) {
        case ENOENT: return missing;
        case ENOTDIR: return win32error::PathNotFound;
        case ENOSPC:
        case EDQUOT:
        case EFBIG: return win32error::DiskFull;  // past the largest file this process may write
        case EROFS: return win32error::WriteProtect;
        default: return win32error::AccessDenied;
    }
}

bool appendLine(const std::filesystem::path& path, std::string_view line) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    std::string buffer(line);
    buffer += '\n';
    const bool ok = writeAll(fd, buffer);
    ::close(fd);
    return ok;
}

}  // namespace hastelyn::sandbox
