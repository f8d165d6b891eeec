#include "engine/ProcessorCounters.h"

#include <algorithm>

#include "engine/MeterFormat.h"
#include "platform/Meters.h"
#include "platform/Win32Types.h"

namespace hastelyn::engine {
namespace {

namespace perf = platform::perfdata;
namespace win32error = platform::win32error;

constexpr std::size_t kBufferStep = 4096;
// A block never comes near this; past it the system is taken to have no processor object.
constexpr std::size_t kBufferLimit = 16 * 1024 * 1024;
constexpr std::uint64_t kDaysFrom1601To1970 = 134'774;

// Reads of little-endian numbers that report whether they stayed inside the block.
class BlockReader {
public:
    explicit BlockReader(std::span<const std::uint8_t> block) : block_(block) {}
    bool has(std::uint64_t at, std::uint64_t bytes) const { return at <= block_.size() && bytes <= block_.size() - at; }
    std::uint64_t number(std::uint64_t at, int bytes) const {
        std::uint64_t v = 0;
        for (int i = bytes - 1; i >= 0; --i) v = v << 8 | block_[at + static_cast<std::uint64_t>(i)];
        return v;
    }
    std::uint32_t u32(std::uint64_t at) const { return static_cast<std::uint32_t>(number(at, 4)); }

private:
    std::span<const std::uint8_t> block_;
};

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t daysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

}  // namespace

std::uint64_t fileTimeOf(const std::uint16_t (&t)[8]) {
    const auto [year, month, dayOfWeek, day, hour, minute, second, ms] = t;
    (void)dayOfWeek;  // SystemTimeToFileTime ignores it too
    if (year < 1601 || year > 30827 || month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 ||
        second > 59 || ms > 999)
        return 0;
    const auto days = static_cast<std::uint64_t>(daysFromCivil(year, month, day) + kDaysFrom1601To1970);
    const std::uint64_t seconds = days * 86400 + hour * 3600u + minute * 60u + second;
    return seconds * 10'000'000 + ms * 10'000u;
}

std::variant<ProcessorBlock, std::string> readProcessorBlock(std::span<const std::uint8_t> block) {
    const BlockReader r(block);
    if (!r.has(0, perf::block::Size)) return std::string(kNoProcessorObject);
    ProcessorBlock out;
    std::uint16_t systemTime[8];
    for (int i = 0; i < 8; ++i)
        systemTime[i] = static_cast<std::uint16_t>(r.number(perf::block::SystemTime + 2u * static_cast<unsigned>(i), 2));
    out.time = fileTimeOf(systemTime);

    // The object: from the end of the header, each object's length on to the next.
    std::uint64_t object = r.u32(perf::block::HeaderLength);
    const std::uint32_t objects = r.u32(perf::block::NumObjectTypes);
    bool found = false;
    for (std::uint32_t i = 0; i < objects && r.has(object, perf::object::Size); ++i) {
        if (r.u32(object + perf::object::NameTitleIndex) == perf::ProcessorObject) {
            found = true;
            break;
        }
        const std::uint32_t length = r.u32(object + perf::object::TotalByteLength);
        if (length == 0) break;
        object += length;
    }
    if (!found) return std::string(kNoProcessorObject);

    // Its counter, among the definitions after the object's header.
    std::uint64_t counter = object + r.u32(object + perf::object::HeaderLength);
    const std::uint32_t counters = r.u32(object + perf::object::NumCounters);
    found = false;
    for (std::uint32_t i = 0; i < counters && r.has(counter, perf::counter::Size); ++i) {
        if (r.u32(counter + perf::counter::NameTitleIndex) == perf::ProcessorTimeCounter) {
            found = true;
            break;
        }
        const std::uint32_t length = r.u32(counter + perf::counter::ByteLength);
        if (length == 0) break;
        counter += length;
    }
    if (!found) return std::string(kNoProcessorCounter);
    const std::uint32_t offset = r.u32(counter + perf::counter::CounterOffset);

    // Each instance: its definition, then its counter block, then the next instance.
    std::uint64_t instance = object + r.u32(object + perf::object::DefinitionLength);
    const std::uint32_t instances = r.u32(object + perf::object::NumInstances);
    for (std::uint32_t i = 0; i < instances && r.has(instance, perf::instance::Size); ++i) {
        const std::uint64_t counterBlock = instance + r.u32(instance + perf::instance::ByteLength);
        if (!r.has(counterBlock, 4) || !r.has(counterBlock + offset, 8)) break;
        out.idle.push_back(r.number(counterBlock + offset, 8));
        const std::uint32_t blockLength = r.u32(counterBlock);
        if (blockLength == 0) break;
        instance = counterBlock + blockLength;
    }
    return out;
}

std::optional<std::string> ProcessorCounters::sample() {
    platform::KeyHandle key;
    if (registry_.openKey(platform::RootKey::PerformanceData, "", platform::KeyAccess::Query, key) !=
        win32error::Success)
        return std::string(kNoProcessorObject);
    std::uint32_t size = 0;
    long result = win32error::MoreData;
    for (;;) {
        size = static_cast<std::uint32_t>(buffer_.size());
        result = registry_.queryValue(key, "238", nullptr, buffer_.empty() ? nullptr : buffer_.data(), &size);
        if (result != win32error::MoreData || buffer_.size() >= kBufferLimit) break;
        buffer_.resize(buffer_.size() + kBufferStep);
    }
    // Closing HKEY_PERFORMANCE_DATA only lets the system drop what it gathered; whether that
    // worked changes nothing for the sample in hand.
    (void)registry_.closeKey(key);
    if (result != win32error::Success) return std::string(kNoProcessorObject);

    auto read = readProcessorBlock(std::span(buffer_.data(), std::min<std::size_t>(size, buffer_.size())));
    if (const auto* error = std::get_if<std::string>(&read)) return *error;
    const ProcessorBlock& block = std::get<ProcessorBlock>(read);
    if (!count_) {
        count_ = block.idle.size();
        current_.assign(*count_, 0);
        previous_.assign(*count_, 0);
    }
    // An instance the block lacks (a processor taken away since) keeps its figure.
    for (std::size_t i = 0; i < *count_; ++i) {
        previous_[i] = current_[i];
        if (i < block.idle.size()) current_[i] = block.idle[i];
    }
    previousTime_ = currentTime_;
    currentTime_ = block.time;
    return std::nullopt;
}

std::optional<std::int64_t> ProcessorCounters::usage(std::size_t instance) const {
    if (!count_ || instance >= current_.size() || currentTime_ == previousTime_) return std::nullopt;
    // Differences as signed numbers: a counter or clock that stepped back gives a share beyond
    // 0-100, which the clamp takes in.
    const auto idle = static_cast<double>(static_cast<std::int64_t>(current_[instance] - previous_[instance]));
    const auto span = static_cast<double>(static_cast<std::int64_t>(currentTime_ - previousTime_));
    return std::clamp<std::int64_t>(roundHalfEven((1.0 - idle / span) * 100.0), 0, 100);
}

}  // namespace hastelyn::engine
