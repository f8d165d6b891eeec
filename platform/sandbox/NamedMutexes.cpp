#include "platform/sandbox/NamedMutexes.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/Text.h"
#include "platform/Win32Types.h"
#include "platform/sandbox/util/FileLock.h"

namespace hastelyn::sandbox {
namespace {

namespace win32error = platform::win32error;

constexpr std::size_t kLongestFileName = 200;

bool keptAsIs(char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    return std::string_view(" !#$&'()+,-.;=@[]^_`{}").find(c) != std::string_view::npos;
}

std::uint64_t fnv1a(std::string_view bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ull;
    }
    return hash;
}

bool tryLock(int fd, int operation) {
    int rc = 0;
    while ((rc = ::flock(fd, operation | LOCK_NB)) != 0 && errno == EINTR) {
    }
    return rc == 0;
}

bool sameFile(int fd, const std::filesystem::path& path) {
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::stat(path.c_str(), &named) == 0 && open.st_dev == named.st_dev &&
           open.st_ino == named.st_ino;
}

}  // namespace

std::string NamedMutexes::fileNameFor(std::string_view name) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string file;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        if (keptAsIs(c) && !(i == 0 && c == '.')) {
            file += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            file += '%';
            file += kHex[byte >> 4];
            file += kHex[byte & 0xF];
        }
    }
    if (file.size() > kLongestFileName) {
        std::uint64_t hash = fnv1a(name);
        std::string tail(16, '0');
        for (int i = 15; i >= 0; --i, hash >>= 4) tail[static_cast<std::size_t>(i)] = kHex[hash & 0xF];
        std::size_t keep = kLongestFileName - 17;
        // Never cut inside a %XX.
        if (file[keep - 1] == '%') keep -= 1;
        else if (file[keep - 2] == '%') keep -= 2;
        file = file.substr(0, keep) + "~" + tail;
    }
    return file;
}

NamedMutexes::NamedMutexes(std::filesystem::path folder) : folder_(std::move(folder)), pid_(::getpid()) {}

NamedMutexes::~NamedMutexes() {
    while (!handles_.empty()) close({handles_.begin()->first});
}

platform::ObjectHandle NamedMutexes::newHandle(std::optional<std::string> name) {
    const platform::ObjectHandle handle{nextHandle_};
    nextHandle_ += 4;
    handles_.emplace(handle.value, std::move(name));
    return handle;
}

long NamedMutexes::open(std::string_view name, platform::ObjectHandle& out) {
    out = {};
    name = text::cutAtNul(name);
    if (name.empty()) return win32error::FileNotFound;
    const std::string key(name);
    if (auto it = held_.find(key); it != held_.end()) {
        ++it->second.handles;
        out = newHandle(key);
        return win32error::Success;
    }
    // No guard file: no mutex was ever made here.
    const FileLock guard(guardPath(), false);
    if (!guard.held()) return win32error::FileNotFound;
    const int fd = ::open((folder_ / fileNameFor(name)).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return win32error::FileNotFound;
    // An exclusive lock granted means nobody holds it: a file a killed holder left behind.
    if (tryLock(fd, LOCK_EX) || !tryLock(fd, LOCK_SH)) {
        ::close(fd);
        return win32error::FileNotFound;
    }
    held_[key] = Held{fd, 1};
    out = newHandle(key);
    return win32error::Success;
}

long NamedMutexes::create(std::string_view name, platform::ObjectHandle& out) {
    out = {};
    name = text::cutAtNul(name);
    if (name.empty()) {
        out = newHandle(std::nullopt);
        return win32error::Success;
    }
    const std::string key(name);
    if (auto it = held_.find(key); it != held_.end()) {
        ++it->second.handles;
        out = newHandle(key);
        return win32error::AlreadyExists;
    }
    std::error_code ec;
    std::filesystem::create_directories(folder_, ec);
    const FileLock guard(guardPath(), true);
    if (!guard.held()) return win32error::AccessDenied;
    const int fd = ::open((folder_ / fileNameFor(name)).c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return win32error::AccessDenied;
    // Under the guard only this process can be trying for the exclusive lock, so it fails only
    // for holders; and turning it into a shared one cannot let another process in between.
    const bool existed = !tryLock(fd, LOCK_EX);
    if (!tryLock(fd, LOCK_SH)) {
        ::close(fd);
        return win32error::AccessDenied;
    }
    held_[key] = Held{fd, 1};
    out = newHandle(key);
    return existed ? win32error::AlreadyExists : win32error::Success;
}

long NamedMutexes::wait(platform::ObjectHandle handle) {
    const auto it = handles_.find(handle.value);
    if (it == handles_.end()) return win32error::InvalidHandle;
    if (!it->second) {
        ++unnamedOwned_[handle.value];
        return win32error::Success;
    }
    Held& held = held_.at(*it->second);
    if (held.owned > 0) {
        ++held.owned;
        return win32error::Success;
    }
    if (held.ownerFd < 0) {
        const std::filesystem::path path = folder_ / ("." + fileNameFor(*it->second) + ".owner");
        held.ownerFd = ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644);
        if (held.ownerFd < 0) return win32error::AccessDenied;
    }
    int rc = 0;
    while ((rc = ::flock(held.ownerFd, LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (rc != 0) return win32error::AccessDenied;
    held.owned = 1;
    return win32error::Success;
}

bool NamedMutexes::release(platform::ObjectHandle handle) {
    const auto it = handles_.find(handle.value);
    if (it == handles_.end()) return false;
    if (!it->second) {
        const auto owned = unnamedOwned_.find(handle.value);
        if (owned == unnamedOwned_.end()) return false;
        if (--owned->second == 0) unnamedOwned_.erase(owned);
        return true;
    }
    Held& held = held_.at(*it->second);
    if (held.owned == 0) return false;
    if (--held.owned == 0) ::flock(held.ownerFd, LOCK_UN);
    return true;
}

bool NamedMutexes::isHandle(platform::ObjectHandle handle) const { return handles_.contains(handle.value); }

bool NamedMutexes::close(platform::ObjectHandle handle) {
    const auto it = handles_.find(handle.value);
    if (it == handles_.end()) return false;
    const std::optional<std::string> name = std::move(it->second);
    handles_.erase(it);
    if (!name) {
        unnamedOwned_.erase(handle.value);
        return true;
    }
    const auto heldIt = held_.find(*name);
    if (heldIt == held_.end()) return true;
    if (--heldIt->second.handles > 0) return true;
    const int fd = heldIt->second.fd;
    // Its last handle gone, the process owns the mutex no more (its lock goes with the file).
    if (heldIt->second.ownerFd >= 0) ::close(heldIt->second.ownerFd);
    held_.erase(heldIt);
    if (::getpid() != pid_) {
        // A forked child: the lock is its parent's as well.
        ::close(fd);
        return true;
    }
    {
        // The exclusive lock is granted only when no other process holds the mutex: then it
        // goes, file and all.
        const FileLock guard(guardPath(), false);
        const std::filesystem::path path = folder_ / fileNameFor(*name);
        if (guard.held() && tryLock(fd, LOCK_EX) && sameFile(fd, path)) ::unlink(path.c_str());
        ::close(fd);
    }
    return true;
}

}  // namespace hastelyn::sandbox
