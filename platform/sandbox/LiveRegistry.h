#pragma once
// The registry as a program on the sandbox machine sees it: the machine's hives
// (SandboxRegistry), and the keys Windows fills from the running system, made from this
// computer's figures at every query:
//
// - NT family: HKEY_PERFORMANCE_DATA. openKey with an empty subkey gives the root's own handle
//   (as RegOpenKeyEx does for a predefined key), which closeKey leaves valid, however often it
//   is closed. Its values are performance data blocks (REG_BINARY): a name that asks for the
//   "Processor" object ("238", a list of indexes holding it, or "Global") gets it, any other
//   name a block without objects (PerformanceData.h has the layout). A query without a buffer
//   or with one too small gives MoreData; the size it reports is the block's size at that
//   moment (Windows leaves it undefined: grow the buffer and ask again). Subkeys do not exist;
//   nothing can be written.
// - 95 family: HKEY_DYN_DATA\PerfStats\StartStat, StatData and StopStat open even when the hive
//   lacks them. Reading any value of StartStat (its unnamed one included) starts the CPU usage
//   statistic, reading one of StopStat stops it. While it runs, "KERNEL\CPUUsage" of StatData
//   is the busy share of all processors in percent since the previous reading (4 bytes,
//   REG_BINARY); stopped, it and every other value read as the hive holds them. The unnamed
//   value of StartStat and StopStat reads as an empty string when the hive has none, as every
//   key of the 95 family's registry has one.
// - A machine with a meter script (MeterScript.h) serves the script's figures instead.
//
// Handles of the hives pass through unchanged; the live keys have handles of their own.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/Registry.h"
#include "platform/sandbox/PerformanceData.h"
#include "platform/sandbox/SandboxMachine.h"
#include "platform/sandbox/registry/SandboxRegistry.h"

namespace hastelyn::sandbox {

class LiveRegistry final : public platform::Registry {
public:
    LiveRegistry(SandboxRegistry& hives, const SandboxMachine& machine);

    long openKey(platform::RootKey root, std::string_view subKey, platform::KeyAccess access,
                 platform::KeyHandle& out) override;
    long createKey(platform::RootKey root, std::string_view subKey, platform::KeyHandle& out) override;
    long closeKey(platform::KeyHandle key) override;
    long queryValue(platform::KeyHandle key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* size) override;
    long setValue(platform::KeyHandle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override;
    long deleteValue(platform::KeyHandle key, std::string_view name) override;
    long enumKey(platform::KeyHandle key, std::uint32_t index, std::string& name) override;
    long enumValue(platform::KeyHandle key, std::uint32_t index, std::string& name) override;
    long deleteTree(platform::KeyHandle key, std::string_view subKey) override;
    long copyTree(platform::KeyHandle key, std::string_view subKey, platform::KeyHandle dest) override;
    void beginBatch() override;
    void endBatch() override;

    // Live keys open now (the hives count their own: SandboxRegistry::openKeyCount).
    std::size_t liveKeyCount() const { return live_.size(); }

private:
    // The processor figures share the machine's meter script, if it has one.
    LiveRegistry(SandboxRegistry& hives, const SandboxMachine& machine,
                 const std::shared_ptr<const MeterScript>& script);

    enum class Stat { Start, Data, Stop };
    struct LiveKey {
        Stat stat = Stat::Data;
        platform::KeyHandle hive;  // the same key in the hive, when it has it
    };

    bool performanceData(platform::RootKey root) const;
    std::optional<Stat> statKey(platform::RootKey root, std::string_view subKey) const;
    // openKey and createKey: openHive(handle) opens or creates the key in the hives.
    // belowPerformanceData: the answer for a subkey of HKEY_PERFORMANCE_DATA.
    template <typename OpenHive>
    long open(platform::RootKey root, std::string_view subKey, long belowPerformanceData, platform::KeyHandle& out,
              OpenHive&& openHive);
    // The key of the hives a handle stands for: the handle itself for a key of the hives, the
    // hive's own key for a live key (zero when the hive lacks it), zero for
    // HKEY_PERFORMANCE_DATA.
    platform::KeyHandle hiveOf(platform::KeyHandle key) const;
    std::u16string computerName();

    SandboxRegistry& hives_;
    const SandboxMachine& machine_;
    std::unordered_map<std::uint64_t, LiveKey> live_;
    std::uint64_t nextLive_;
    ProcessorSampler processors_;
    CpuUsageStatistic cpuUsage_;
};

}  // namespace hastelyn::sandbox
