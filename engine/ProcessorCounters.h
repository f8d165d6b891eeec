#pragma once
// The processor figures of the NT family: samples of the "Processor" performance object (238)
// from HKEY_PERFORMANCE_DATA, its counter "% of CPU usage" (6), which counts each instance's
// idle time in 100-nanosecond units. The last instance is the total.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "platform/Registry.h"

namespace hastelyn::engine {

inline constexpr const char* kNoProcessorObject = "Unable to locate the \"Processor\" performance object";
inline constexpr const char* kNoProcessorCounter = "Unable to locate the \"% of CPU usage\" performance counter";

// What one performance data block says: its time (the block's SystemTime as a FILETIME) and the
// counter of each instance of the object, in order.
struct ProcessorBlock {
    std::uint64_t time = 0;
    std::vector<std::uint64_t> idle;
};

// Walks a block; the error text above when the object or its counter is missing. Every read
// stays inside the block: a block cut short counts as one without the object.
std::variant<ProcessorBlock, std::string> readProcessorBlock(std::span<const std::uint8_t> block);

// The FILETIME of a SYSTEMTIME's fields (year, month, day of week, day, hour, minute, second,
// milliseconds); 0 for a date before 1601 or out of range.
std::uint64_t fileTimeOf(const std::uint16_t (&systemTime)[8]);

class ProcessorCounters {
public:
    explicit ProcessorCounters(platform::Registry& registry) : registry_(registry) {}

    // The next sample sets the instance count anew.
    void forgetInstances() { count_.reset(); }
    // Takes a sample: the previous counters and time become the current ones', the current
    // ones come from the system. The error text when the object or counter is missing (the
    // counters then stay as they were).
    std::optional<std::string> sample();

    // The instance count of the first sample since forgetInstances.
    std::optional<std::size_t> instanceCount() const { return count_; }
    // The busy share of an instance over the last interval in percent, clamped to 0-100 (the
    // two samples' times may jitter); nothing when the interval is empty or the instance
    // unknown.
    std::optional<std::int64_t> usage(std::size_t instance) const;

private:
    platform::Registry& registry_;
    std::vector<std::uint8_t> buffer_;  // grows in steps of 4096 bytes
    std::optional<std::size_t> count_;
    std::vector<std::uint64_t> current_, previous_;
    std::uint64_t currentTime_ = 0, previousTime_ = 0;
};

}  // namespace hastelyn::engine
