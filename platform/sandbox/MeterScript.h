#pragma once
// Scripted meters: a machine folder with a file meters.ini serves the figures written there
// instead of this computer's, tick by tick (README.md beside this file, "Meters: scripted
// figures", has the format). Each meter counts its own readings: its k-th reading answers from
// [Tick k], the last tick again once they are used up; a figure a tick lacks keeps the previous
// tick's.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Meters.h"

namespace hastelyn::sandbox {

struct ScriptedInterface {
    std::uint32_t type = 0;
    std::uint32_t receivedOctets = 0;
    std::uint32_t sentOctets = 0;
    std::string description;
};

struct MeterTick {
    std::uint64_t fileTime = 0;  // FILETIME, 100-ns units since 1601
    std::vector<std::uint64_t> idle;  // per processor; empty: no "Processor" object
    std::uint32_t cpuUsage = 0;
    platform::MemoryStatus memory;
    std::vector<ScriptedInterface> interfaces;
};

class MeterScript {
public:
    // The script of meters.ini's text; every tick complete, figures carried forward.
    static MeterScript parse(std::string_view text);
    // The script of a machine folder, or null when it has no meters.ini (this computer's
    // figures then).
    static std::shared_ptr<const MeterScript> load(const std::filesystem::path& machineFolder);

    // The tick of the reading counted from 0; the last tick after the end.
    const MeterTick& tick(std::size_t reading) const;
    std::size_t tickCount() const { return ticks_.size(); }

private:
    std::vector<MeterTick> ticks_;  // at least one
};

// Counts one meter's readings of a script.
class ScriptReadings {
public:
    explicit ScriptReadings(std::shared_ptr<const MeterScript> script) : script_(std::move(script)) {}
    bool scripted() const { return script_ != nullptr; }
    // The tick the next reading answers from; only when scripted.
    const MeterTick& next() const { return script_->tick(readings_); }
    void handedOver() { ++readings_; }

private:
    std::shared_ptr<const MeterScript> script_;
    std::size_t readings_ = 0;
};

}  // namespace hastelyn::sandbox
