#include "platform/sandbox/MeterScript.h"

#include <optional>

#include "platform/sandbox/ProfileDocument.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "platform/sandbox/util/IniValue.h"

namespace hastelyn::sandbox {
namespace {

// 2001-01-01 00:00 UTC as a FILETIME.
constexpr std::uint64_t kTimeBase = 126'227'808'000'000'000ull;
constexpr std::uint64_t kUnitsPerMillisecond = 10'000;

std::uint32_t clamp32(std::uint64_t n) { return n > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(n); }

// The numbers of a comma-separated list; nothing when one of them is no number.
std::optional<std::vector<std::uint64_t>> numbers(std::string_view text) {
    std::vector<std::uint64_t> out;
    while (true) {
        const std::size_t comma = text.find(',');
        const std::optional<std::uint64_t> n = parseDecimal(trimSpaces(text.substr(0, comma)));
        if (!n) return std::nullopt;
        out.push_back(*n);
        if (comma == std::string_view::npos) return out;
        text.remove_prefix(comma + 1);
    }
}

// "type,received,sent,description": the description is the rest of the line, commas and all.
std::optional<ScriptedInterface> interfaceRow(std::string_view text) {
    std::size_t at = 0;
    std::uint64_t field[3] = {};
    for (std::uint64_t& f : field) {
        const std::size_t comma = text.find(',', at);
        if (comma == std::string_view::npos) return std::nullopt;
        const std::optional<std::uint64_t> n = parseDecimal(trimSpaces(text.substr(at, comma - at)));
        if (!n) return std::nullopt;
        f = *n;
        at = comma + 1;
    }
    return ScriptedInterface{clamp32(field[0]), static_cast<std::uint32_t>(field[1]),
                             static_cast<std::uint32_t>(field[2]), std::string(trimSpaces(text.substr(at)))};
}

class TickReader {
public:
    TickReader(const ProfileDocument& doc, std::string section) : doc_(doc), section_(std::move(section)) {}

    std::optional<std::string_view> text(std::string_view key) const {
        const std::optional<std::string_view> v = doc_.value(section_, key);
        if (!v) return std::nullopt;
        return withoutComment(*v);
    }
    std::optional<std::vector<std::uint64_t>> list(std::string_view key, std::size_t count = 0) const {
        const std::optional<std::string_view> v = text(key);
        if (!v) return std::nullopt;
        std::optional<std::vector<std::uint64_t>> n = numbers(*v);
        if (n && count != 0 && n->size() != count) return std::nullopt;
        return n;
    }
    // A pair "total,available" into two 32-bit figures.
    void pair(std::string_view key, std::uint32_t& total, std::uint32_t& available) const {
        if (const auto n = list(key, 2)) {
            total = clamp32((*n)[0]);
            available = clamp32((*n)[1]);
        }
    }

private:
    const ProfileDocument& doc_;
    std::string section_;
};

}  // namespace

MeterScript MeterScript::parse(std::string_view text) {
    const ProfileDocument doc = ProfileDocument::parse(text);
    MeterScript script;
    MeterTick tick;
    for (std::size_t number = 1; doc.hasSection("Tick" + std::to_string(number)); ++number) {
        const TickReader read(doc, "Tick" + std::to_string(number));
        const auto time = read.list("Time", 1);
        tick.fileTime = kTimeBase + (time ? (*time)[0] : number * 1000) * kUnitsPerMillisecond;
        if (read.text("Idle") == "-") tick.idle.clear();
        else if (const auto idle = read.list("Idle")) tick.idle = *idle;
        if (const auto usage = read.list("CpuUsage", 1)) tick.cpuUsage = clamp32((*usage)[0]);
        if (const auto load = read.list("MemoryLoad", 1)) tick.memory.memoryLoad = clamp32((*load)[0]);
        read.pair("Physical", tick.memory.totalPhys, tick.memory.availPhys);
        read.pair("PagingFile", tick.memory.totalPageFile, tick.memory.availPageFile);
        read.pair("Virtual", tick.memory.totalVirtual, tick.memory.availVirtual);
        if (const auto first = read.text("Interface1")) {
            tick.interfaces.clear();
            if (*first != "-") {
                for (std::size_t row = 1;; ++row) {
                    const auto line = read.text("Interface" + std::to_string(row));
                    if (!line) break;
                    if (auto parsed = interfaceRow(*line)) tick.interfaces.push_back(std::move(*parsed));
                }
            }
        }
        script.ticks_.push_back(tick);
    }
    if (script.ticks_.empty()) script.ticks_.push_back(tick);
    return script;
}

std::shared_ptr<const MeterScript> MeterScript::load(const std::filesystem::path& machineFolder) {
    const std::optional<std::string> text = readWholeFile(machineFolder / "meters.ini");
    if (!text) return nullptr;
    return std::make_shared<const MeterScript>(parse(*text));
}

const MeterTick& MeterScript::tick(std::size_t reading) const {
    return ticks_[reading < ticks_.size() ? reading : ticks_.size() - 1];
}

}  // namespace hastelyn::sandbox
