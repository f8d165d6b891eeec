#pragma once
// Telling whether the process that left something in a machine folder still runs.
#include <cstdint>

namespace hastelyn::sandbox {

// When the process started, in clock ticks since the computer started (/proc/<pid>/stat);
// 0 when that cannot be read. Together with the process id it names one process, even after
// the id has been given to another.
std::uint64_t processStartTime(std::int64_t pid);

// True while the process runs: it exists, is not a zombie and, when startTime is not 0,
// started then (its id was not reused). Without /proc, only kill(pid, 0) decides.
bool processAlive(std::int64_t pid, std::uint64_t startTime);

}  // namespace hastelyn::sandbox
