#pragma once
// The processor figures of this computer in the two forms Windows gives them to a program:
// the performance data block of HKEY_PERFORMANCE_DATA (NT family) and the CPU usage statistic
// of HKEY_DYN_DATA\PerfStats (95 family).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sandbox/HostFigures.h"
#include "platform/sandbox/MeterScript.h"

namespace hastelyn::sandbox {

// Whether a value name of HKEY_PERFORMANCE_DATA asks for the "Processor" object: "Global", or
// a list of object indexes separated by blanks that holds 238.
bool asksForProcessorObject(std::string_view valueName);

// The performance data block of one sample: a PERF_DATA_BLOCK (systemName in it), then, when
// processors is not empty, the "Processor" object (238) with its counters "% Processor Time"
// (6, idle time), "% User Time" (142) and "% Privileged Time" (144), one instance per
// processor named "0", "1", ... and last "_Total", whose figures are the processors' average.
// fileTime is the sample's time (PerfTime100nSec, and SystemTime to the millisecond),
// perfTime the monotonic clock at 10 MHz (PerfTime, PerfFreq).
std::string buildPerformanceData(const std::vector<CpuTimes>& processors, std::uint64_t fileTime,
                                 std::uint64_t perfTime, std::u16string_view systemName);

// Samples for the performance data, fresh from /proc/stat at every query, or the ticks of a
// meter script. A processor's figures never go back between the samples of one source (the
// kernel's idle time may step back a tick when it moves time between idle and iowait).
class ProcessorSampler {
public:
    explicit ProcessorSampler(std::shared_ptr<const MeterScript> script = nullptr) : script_(std::move(script)) {}

    // The block for a value name, as buildPerformanceData makes it; without the object when the
    // name does not ask for it or /proc/stat cannot be read.
    std::string performanceData(std::string_view valueName, std::u16string_view systemName);
    // The last block was handed over to the caller: a script's next block is the next tick's.
    void handedOver(std::string_view valueName);

private:
    std::vector<CpuTimes> last_;
    ScriptReadings script_;
};

// The 95 family's "KERNEL\CPUUsage": the busy share of all processors in percent, over the time
// since the figure was last worked out. A figure holds for 50 ms, so that the two reads of one
// query (size, then data) agree.
// With a meter script, the figure is the tick's CpuUsage.
class CpuUsageStatistic {
public:
    explicit CpuUsageStatistic(std::shared_ptr<const MeterScript> script = nullptr) : script_(std::move(script)) {}

    void start();
    void stop() { started_ = false; }
    bool started() const { return started_; }
    std::uint32_t usage();
    // The figure was handed over to the caller: a script's next one is the next tick's.
    void handedOver() { script_.handedOver(); }

private:
    ScriptReadings script_;
    bool started_ = false;
    CpuTimes reference_;
    std::uint64_t referenceTime_ = 0;
    std::uint32_t last_ = 0;
};

}  // namespace hastelyn::sandbox
