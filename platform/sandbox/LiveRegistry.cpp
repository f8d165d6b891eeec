#include "platform/sandbox/LiveRegistry.h"

#include <vector>

#include "platform/Text.h"
#include "platform/Win32Types.h"
#include "platform/sandbox/registry/HiveKey.h"
#include "platform/sandbox/registry/KeyNames.h"
#include "platform/sandbox/registry/RegistryText.h"

namespace hastelyn::sandbox {
namespace {

using platform::KeyHandle;
using platform::RootKey;
namespace win32error = platform::win32error;
namespace regtype = platform::regtype;

// HKEY_PERFORMANCE_DATA as 64-bit Windows hands it out; the hives count their handles up from
// 1 and the live keys from kFirstLiveKey, so none can meet another.
constexpr std::uint64_t kPerformanceDataKey = 0xFFFFFFFF80000004u;
constexpr std::uint64_t kFirstLiveKey = 0x4000000000000001u;

constexpr std::string_view kCpuUsage = "KERNEL\\CPUUsage";
constexpr std::string_view kComputerNameKey = "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName";

// Whether a subkey path, as a C string, names a key below the root.
bool namesSubkey(std::string_view subKey) {
    return text::cutAtNul(subKey).find_first_not_of('\\') != std::string_view::npos;
}

}  // namespace

LiveRegistry::LiveRegistry(SandboxRegistry& hives, const SandboxMachine& machine)
    : LiveRegistry(hives, machine, MeterScript::load(machine.folder())) {}

LiveRegistry::LiveRegistry(SandboxRegistry& hives, const SandboxMachine& machine,
                           const std::shared_ptr<const MeterScript>& script)
    : hives_(hives), machine_(machine), nextLive_(kFirstLiveKey), processors_(script), cpuUsage_(script) {}

bool LiveRegistry::performanceData(RootKey root) const {
    return root == RootKey::PerformanceData && machine_.version().platformId == 2;
}

std::optional<LiveRegistry::Stat> LiveRegistry::statKey(RootKey root, std::string_view subKey) const {
    if (root != RootKey::DynData || machine_.version().platformId != 1) return std::nullopt;
    std::vector<std::string> names;
    if (!splitKeyPath(subKey, names) || names.size() != 2 || !text::equalsNoCase(names[0], "PerfStats"))
        return std::nullopt;
    if (text::equalsNoCase(names[1], "StartStat")) return Stat::Start;
    if (text::equalsNoCase(names[1], "StatData")) return Stat::Data;
    if (text::equalsNoCase(names[1], "StopStat")) return Stat::Stop;
    return std::nullopt;
}

template <typename OpenHive>
long LiveRegistry::open(RootKey root, std::string_view subKey, long belowPerformanceData, KeyHandle& out,
                        OpenHive&& openHive) {
    out = {};
    if (performanceData(root)) {
        if (namesSubkey(subKey)) return belowPerformanceData;
        out = KeyHandle{kPerformanceDataKey};
        return win32error::Success;
    }
    const std::optional<Stat> stat = statKey(root, subKey);
    if (!stat) return openHive(out);
    // A statistics key opens whether the hive has it or not.
    KeyHandle hive;
    const long result = openHive(hive);
    if (result != win32error::Success && result != win32error::FileNotFound) return result;
    const std::uint64_t id = nextLive_++;
    live_.emplace(id, LiveKey{*stat, hive});
    out = KeyHandle{id};
    return win32error::Success;
}

KeyHandle LiveRegistry::hiveOf(KeyHandle key) const {
    if (key.value == kPerformanceDataKey) return {};
    const auto it = live_.find(key.value);
    return it == live_.end() ? key : it->second.hive;
}

long LiveRegistry::openKey(RootKey root, std::string_view subKey, platform::KeyAccess access, KeyHandle& out) {
    return open(root, subKey, win32error::FileNotFound, out,
                [&](KeyHandle& key) { return hives_.openKey(root, subKey, access, key); });
}

long LiveRegistry::createKey(RootKey root, std::string_view subKey, KeyHandle& out) {
    return open(root, subKey, win32error::AccessDenied, out,
                [&](KeyHandle& key) { return hives_.createKey(root, subKey, key); });
}

long LiveRegistry::closeKey(KeyHandle key) {
    if (key.value == kPerformanceDataKey) return win32error::Success;
    if (const auto it = live_.find(key.value); it != live_.end()) {
        if (it->second.hive) hives_.closeKey(it->second.hive);
        live_.erase(it);
        return win32error::Success;
    }
    return hives_.closeKey(key);
}

long LiveRegistry::queryValue(KeyHandle key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                              std::uint32_t* size) {
    const bool performance = key.value == kPerformanceDataKey;
    const auto live = live_.find(key.value);
    if (!performance && live == live_.end()) return hives_.queryValue(key, name, type, data, size);
    if (data && !size) return win32error::InvalidParameter;

    if (performance) {
        const std::string block = processors_.performanceData(name, computerName());
        // Performance data never tells its size by success: without a buffer it is MoreData too.
        if (!data) {
            if (type) *type = regtype::Binary;
            if (size) *size = static_cast<std::uint32_t>(block.size());
            return win32error::MoreData;
        }
        const long result = platform::copyValueData(regtype::Binary, block, type, data, size);
        if (result == win32error::Success) processors_.handedOver(name);
        return result;
    }

    const auto [stat, hive] = live->second;
    if (stat == Stat::Start && !cpuUsage_.started()) cpuUsage_.start();
    if (stat == Stat::Stop) cpuUsage_.stop();
    if (stat == Stat::Data && cpuUsage_.started() && text::equalsNoCase(name, kCpuUsage)) {
        const std::uint32_t usage = cpuUsage_.usage();
        const char bytes[4] = {static_cast<char>(usage), static_cast<char>(usage >> 8), static_cast<char>(usage >> 16),
                               static_cast<char>(usage >> 24)};
        const long result = platform::copyValueData(regtype::Binary, std::string_view(bytes, 4), type, data, size);
        if (result == win32error::Success && data != nullptr) cpuUsage_.handedOver();
        return result;
    }
    const long result = hive ? hives_.queryValue(hive, name, type, data, size) : win32error::FileNotFound;
    if (result == win32error::FileNotFound && stat != Stat::Data && name.empty())
        return platform::copyValueData(regtype::Sz, std::string_view("", 1), type, data, size);
    return result;
}

long LiveRegistry::setValue(KeyHandle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                            std::uint32_t size) {
    const KeyHandle hive = hiveOf(key);
    return hive ? hives_.setValue(hive, name, type, data, size) : win32error::AccessDenied;
}

long LiveRegistry::deleteValue(KeyHandle key, std::string_view name) {
    const KeyHandle hive = hiveOf(key);
    return hive ? hives_.deleteValue(hive, name) : win32error::AccessDenied;
}

long LiveRegistry::enumKey(KeyHandle key, std::uint32_t index, std::string& name) {
    const KeyHandle hive = hiveOf(key);
    return hive ? hives_.enumKey(hive, index, name) : win32error::NoMoreItems;
}

long LiveRegistry::enumValue(KeyHandle key, std::uint32_t index, std::string& name) {
    const KeyHandle hive = hiveOf(key);
    return hive ? hives_.enumValue(hive, index, name) : win32error::NoMoreItems;
}

long LiveRegistry::deleteTree(KeyHandle key, std::string_view subKey) {
    const KeyHandle hive = hiveOf(key);
    return hive ? hives_.deleteTree(hive, subKey) : win32error::AccessDenied;
}

long LiveRegistry::copyTree(KeyHandle key, std::string_view subKey, KeyHandle dest) {
    const KeyHandle from = hiveOf(key);
    const KeyHandle to = hiveOf(dest);
    if (!to) return win32error::AccessDenied;
    if (!from) return win32error::FileNotFound;
    return hives_.copyTree(from, subKey, to);
}

void LiveRegistry::beginBatch() { hives_.beginBatch(); }

void LiveRegistry::endBatch() { hives_.endBatch(); }

std::u16string LiveRegistry::computerName() {
    const HiveKey* key = hives_.currentKey(RootKey::LocalMachine, kComputerNameKey);
    const HiveValue* value = key ? key->findValue("ComputerName") : nullptr;
    if (!value) return {};
    return utf8ToUtf16(text::cutAtNul(value->data));
}

}  // namespace hastelyn::sandbox
