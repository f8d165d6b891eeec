#include "platform/sandbox/util/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

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

}  // namespace

bool writeFileAtomically(const std::filesystem::path& path, std::string_view content) {
    FileStamp ignored;
    return writeFileAtomically(path, content, ignored);
}

bool writeFileAtomically(const std::filesystem::path& path, std::string_view content, FileStamp& written) {
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path temp =
        path.parent_path() / ("." + path.filename().string() + ".tmp" + std::to_string(::getpid()) + "_" +
                              std::to_string(counter++));
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    bool ok = writeAll(fd, content);
    struct stat st {};
    if (ok) ok = ::fstat(fd, &st) == 0;
    const int savedErrno = errno;
    ::close(fd);
    if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = ok ? errno : savedErrno;
        ::unlink(temp.c_str());
        errno = err;
        return false;
    }
    written = FileStamp{};
    written.exists = true;
    written.device = static_cast<std::uint64_t>(st.st_dev);
    written.inode = static_cast<std::uint64_t>(st.st_ino);
    written.size = static_cast<std::uint64_t>(st.st_size);
    written.mtimeNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return true;
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
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
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        if (!inside) content.append(tail, static_cast<std::size_t>(n));
        filled += static_cast<std::size_t>(n);
    }
    ::close(fd);
    content.resize(filled);
    return content;
}

bool isAtomicTempName(std::string_view name) {
    if (name.size() < 2 || name.front() != '.') return false;
    const std::size_t tmp = name.rfind(".tmp");
    if (tmp == std::string_view::npos || tmp == 0) return false;
    const std::string_view tail = name.substr(tmp + 4);
    const std::size_t underscore = tail.find('_');
    if (underscore == std::string_view::npos || underscore == 0 || underscore + 1 == tail.size()) return false;
    for (std::size_t i = 0; i < tail.size(); ++i) {
        if (i != underscore && (tail[i] < '0' || tail[i] > '9')) return false;
    }
    return true;
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
