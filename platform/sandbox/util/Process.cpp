#include "platform/sandbox/util/Process.h"

#include <signal.h>
#include <sys/types.h>

#include <cerrno>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>

#include "platform/sandbox/util/AtomicFile.h"

namespace hastelyn::sandbox {
namespace {

struct StatFields {
    char state = '?';
    std::uint64_t startTime = 0;
};

// State (field 3) and start time (field 22) of /proc/<pid>/stat. The command name in field 2
// may hold blanks and parentheses, so counting starts after its last ')'.
std::optional<StatFields> readStat(std::int64_t pid) {
    const auto text = readWholeFile("/proc/" + std::to_string(pid) + "/stat");
    if (!text) return std::nullopt;
    const std::size_t close = text->rfind(')');
    if (close == std::string::npos) return std::nullopt;
    std::string_view rest = std::string_view(*text).substr(close + 1);
    StatFields fields;
    for (int field = 3; field <= 22; ++field) {
        while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
        const std::size_t end = rest.find(' ');
        const std::string_view word = rest.substr(0, end);
        if (word.empty()) return std::nullopt;
        if (field == 3) fields.state = word.front();
        if (field == 22) std::from_chars(word.data(), word.data() + word.size(), fields.startTime);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end);
    }
    return fields;
}

}  // namespace

std::uint64_t processStartTime(std::int64_t pid) {
    const auto fields = readStat(pid);
    return fields ? fields->startTime : 0;
}

bool processAlive(std::int64_t pid, std::uint64_t startTime) {
    if (pid <= 0) return false;
    if (const auto fields = readStat(pid)) {
        if (fields->state == 'Z' || fields->state == 'X' || fields->state == 'x') return false;
        return startTime == 0 || fields->startTime == 0 || fields->startTime == startTime;
    }
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH;
}

}  // namespace hastelyn::sandbox
