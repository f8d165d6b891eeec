#include "platform/sandbox/util/FileStamp.h"

#include <ctime>

namespace hastelyn::sandbox {

FileStamp stampOf(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return FileStamp{};
    return stampOfStat(st);
}

FileStamp stampOfStat(const struct stat& st) {
    FileStamp stamp;
    stamp.exists = true;
    stamp.directory = S_ISDIR(st.st_mode);
    stamp.device = static_cast<std::uint64_t>(st.st_dev);
    stamp.inode = static_cast<std::uint64_t>(st.st_ino);
    stamp.size = static_cast<std::uint64_t>(st.st_size);
    stamp.mtimeNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return stamp;
}

bool settledBeforeNow(const FileStamp& stamp) {
    // File times come from the kernel's coarse clock, a few milliseconds per tick; a tenth of a
    // second leaves room for any tick.
    constexpr std::int64_t kMarginNs = 100'000'000;
    timespec now{};
    if (!stamp.exists || ::clock_gettime(CLOCK_REALTIME, &now) != 0) return false;
    return stamp.mtimeNs < static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec - kMarginNs;
}

}  // namespace hastelyn::sandbox
