#include "platform/sandbox/PerformanceData.h"

#include <algorithm>

#include "platform/Meters.h"

namespace hastelyn::sandbox {
namespace {

namespace perf = platform::perfdata;

constexpr std::uint32_t kDetailNovice = 100;   // PERF_DETAIL_NOVICE
constexpr std::int32_t kNoUniqueId = -1;        // PERF_NO_UNIQUE_ID
constexpr std::uint64_t kPerfFrequency = 10'000'000;
constexpr std::uint64_t kHoldTime = 500'000;  // 50 ms in 100-nanosecond units

struct Counter {
    std::uint32_t nameIndex;
    std::uint32_t type;
    std::uint64_t CpuTimes::*field;
};

// In the order Windows lists them; each a 64-bit value in the counter block.
constexpr Counter kCounters[] = {
    {perf::ProcessorTimeCounter, perf::Timer100nsInverse, &CpuTimes::idle},
    {142, perf::Timer100ns, &CpuTimes::user},
    {144, perf::Timer100ns, &CpuTimes::system},
};
constexpr std::uint32_t kCounterCount = sizeof kCounters / sizeof kCounters[0];
// PERF_COUNTER_BLOCK: its length, 4 bytes to align the 64-bit values, then the values.
constexpr std::uint32_t kFirstCounterOffset = 8;
constexpr std::uint32_t kCounterBlockSize = kFirstCounterOffset + 8 * kCounterCount;

std::uint32_t alignedTo8(std::size_t n) { return static_cast<std::uint32_t>((n + 7) & ~std::size_t{7}); }

class Writer {
public:
    explicit Writer(std::string& out) : out_(out) {}
    void u16(std::size_t at, std::uint16_t v) { put(at, v, 2); }
    void u32(std::size_t at, std::uint32_t v) { put(at, v, 4); }
    void u64(std::size_t at, std::uint64_t v) { put(at, v, 8); }
    // UTF-16 text with its NUL.
    void text(std::size_t at, std::u16string_view s) {
        for (std::size_t i = 0; i < s.size(); ++i) u16(at + 2 * i, s[i]);
        u16(at + 2 * s.size(), 0);
    }

private:
    void put(std::size_t at, std::uint64_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) out_[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    std::string& out_;
};

std::u16string instanceName(std::size_t processor) {
    const std::string digits = std::to_string(processor);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

bool asksForProcessorObject(std::string_view valueName) {
    if (valueName == "Global") return true;
    while (!valueName.empty()) {
        const std::size_t blank = valueName.find(' ');
        if (valueName.substr(0, blank) == "238") return true;
        if (blank == std::string_view::npos) break;
        valueName.remove_prefix(blank + 1);
    }
    return false;
}

std::string buildPerformanceData(const std::vector<CpuTimes>& processors, std::uint64_t fileTime,
                                 std::uint64_t perfTime, std::u16string_view systemName) {
    const std::uint32_t nameBytes = static_cast<std::uint32_t>(2 * (systemName.size() + 1));
    const std::uint32_t headerLength = alignedTo8(perf::block::Size + nameBytes);

    // The instances: each processor, then the total (their average).
    std::vector<std::pair<std::u16string, CpuTimes>> instances;
    if (!processors.empty()) {
        CpuTimes sum;
        for (std::size_t i = 0; i < processors.size(); ++i) {
            instances.emplace_back(instanceName(i), processors[i]);
            for (const Counter& c : kCounters) sum.*c.field += processors[i].*c.field;
        }
        for (const Counter& c : kCounters) sum.*c.field /= processors.size();
        instances.emplace_back(u"_Total", sum);
    }
    const std::uint32_t definitionLength = perf::object::Size + kCounterCount * perf::counter::Size;
    std::uint32_t objectLength = definitionLength;
    for (const auto& [name, times] : instances)
        objectLength += alignedTo8(perf::instance::Size + 2 * (name.size() + 1)) + kCounterBlockSize;

    std::string out(headerLength + (instances.empty() ? 0 : objectLength), '\0');
    Writer w(out);
    for (int i = 0; i < 4; ++i) w.u16(perf::block::Signature + 2 * i, u"PERF"[i]);
    w.u32(perf::block::LittleEndian, 1);
    w.u32(perf::block::Version, 1);
    w.u32(perf::block::Revision, 1);
    w.u32(perf::block::TotalByteLength, static_cast<std::uint32_t>(out.size()));
    w.u32(perf::block::HeaderLength, headerLength);
    w.u32(perf::block::NumObjectTypes, instances.empty() ? 0 : 1);
    w.u32(perf::block::DefaultObject, perf::ProcessorObject);
    const SystemTime t = systemTimeOf(fileTime);
    const std::uint16_t fields[8] = {t.year, t.month, t.dayOfWeek, t.day, t.hour, t.minute, t.second, t.milliseconds};
    for (int i = 0; i < 8; ++i) w.u16(perf::block::SystemTime + 2 * i, fields[i]);
    w.u64(perf::block::PerfTime, perfTime);
    w.u64(perf::block::PerfFreq, kPerfFrequency);
    w.u64(perf::block::PerfTime100nSec, fileTime);
    w.u32(perf::block::SystemNameLength, nameBytes);
    w.u32(perf::block::SystemNameOffset, perf::block::Size);
    w.text(perf::block::Size, systemName);
    if (instances.empty()) return out;

    const std::size_t object = headerLength;
    w.u32(object + perf::object::TotalByteLength, objectLength);
    w.u32(object + perf::object::DefinitionLength, definitionLength);
    w.u32(object + perf::object::HeaderLength, perf::object::Size);
    w.u32(object + perf::object::NameTitleIndex, perf::ProcessorObject);
    w.u32(object + perf::object::HelpTitleIndex, perf::ProcessorObject + 1);
    w.u32(object + perf::object::DetailLevel, kDetailNovice);
    w.u32(object + perf::object::NumCounters, kCounterCount);
    w.u32(object + perf::object::DefaultCounter, 0);
    w.u32(object + perf::object::NumInstances, static_cast<std::uint32_t>(instances.size()));
    w.u32(object + perf::object::CodePage, 0);  // names in UTF-16
    w.u64(object + perf::object::PerfTime, perfTime);
    w.u64(object + perf::object::PerfFreq, kPerfFrequency);

    std::size_t at = object + perf::object::Size;
    for (std::uint32_t i = 0; i < kCounterCount; ++i, at += perf::counter::Size) {
        w.u32(at + perf::counter::ByteLength, perf::counter::Size);
        w.u32(at + perf::counter::NameTitleIndex, kCounters[i].nameIndex);
        w.u32(at + perf::counter::HelpTitleIndex, kCounters[i].nameIndex + 1);
        w.u32(at + perf::counter::DetailLevel, kDetailNovice);
        w.u32(at + perf::counter::CounterType, kCounters[i].type);
        w.u32(at + perf::counter::CounterSize, 8);
        w.u32(at + perf::counter::CounterOffset, kFirstCounterOffset + 8 * i);
    }
    for (const auto& [name, times] : instances) {
        const std::uint32_t length = alignedTo8(perf::instance::Size + 2 * (name.size() + 1));
        w.u32(at + perf::instance::ByteLength, length);
        w.u32(at + perf::instance::UniqueId, static_cast<std::uint32_t>(kNoUniqueId));
        w.u32(at + perf::instance::NameOffset, perf::instance::Size);
        w.u32(at + perf::instance::NameLength, static_cast<std::uint32_t>(2 * (name.size() + 1)));
        w.text(at + perf::instance::Size, name);
        at += length;
        w.u32(at, kCounterBlockSize);
        for (std::uint32_t i = 0; i < kCounterCount; ++i) w.u64(at + kFirstCounterOffset + 8 * i, times.*kCounters[i].field);
        at += kCounterBlockSize;
    }
    return out;
}

std::string ProcessorSampler::performanceData(std::string_view valueName, std::u16string_view systemName) {
    std::vector<CpuTimes> processors;
    if (script_.scripted()) {
        const MeterTick& tick = script_.next();
        if (asksForProcessorObject(valueName)) {
            for (const std::uint64_t idle : tick.idle) processors.push_back(CpuTimes{.idle = idle});
        }
        return buildPerformanceData(processors, tick.fileTime, tick.fileTime, systemName);
    }
    if (asksForProcessorObject(valueName)) {
        if (std::optional<ProcessorTimes> times = readProcessorTimes()) processors = std::move(times->each);
        if (processors.size() == last_.size()) {
            for (std::size_t i = 0; i < processors.size(); ++i) {
                for (const Counter& c : kCounters)
                    processors[i].*c.field = std::max(processors[i].*c.field, last_[i].*c.field);
            }
        }
        if (!processors.empty()) last_ = processors;
    }
    return buildPerformanceData(processors, fileTimeNow(), monotonic100ns(), systemName);
}

void ProcessorSampler::handedOver(std::string_view valueName) {
    if (asksForProcessorObject(valueName)) script_.handedOver();
}

void CpuUsageStatistic::start() {
    started_ = true;
    last_ = 0;
    const std::optional<ProcessorTimes> times = readProcessorTimes();
    reference_ = times ? times->all : CpuTimes{};
    referenceTime_ = monotonic100ns();
}

std::uint32_t CpuUsageStatistic::usage() {
    if (!started_) return 0;
    if (script_.scripted()) return script_.next().cpuUsage;
    const std::uint64_t now = monotonic100ns();
    if (now - referenceTime_ < kHoldTime) return last_;
    const std::optional<ProcessorTimes> times = readProcessorTimes();
    if (!times) return last_;
    const CpuTimes& t = times->all;
    if (t.total() > reference_.total()) {
        const std::uint64_t total = t.total() - reference_.total();
        const std::uint64_t idle = t.idle > reference_.idle ? t.idle - reference_.idle : 0;
        const std::uint64_t busy = idle < total ? total - idle : 0;
        last_ = static_cast<std::uint32_t>((busy * 100 + total / 2) / total);
    }
    reference_ = t;
    referenceTime_ = now;
    return last_;
}

}  // namespace hastelyn::sandbox
