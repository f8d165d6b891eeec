#include "platform/sandbox/LiveRegistry.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/Text.h"
#include "platform/Win32Types.h"
#include "platform/sandbox/registry/HiveKey.h"

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

// The key names of a path, empty ones (doubled, leading or trailing backslashes) left out.
std::vector<std::string_view> keyNames(std::string_view path) {
    std::vector<std::string_view> names;
    while (!path.empty()) {
        const std::size_t slash = path.find('\\');
        if (slash != 0) names.push_back(path.substr(0, slash));
        if (slash == std::string_view::npos) break;
        path.remove_prefix(slash + 1);
    }
    return names;
}

// Gives bytes as RegQueryValueEx gives a value: the size without a buffer, MoreData with one
// too small.
long serve(std::uint32_t valueType, std::string_view bytes, std::uint32_t* type, std::uint8_t* data,
           std::uint32_t* size) {
    const auto needed = static_cast<std::uint32_t>(bytes.size());
    if (type) *type = valueType;
    if (!data) {
        if (size) *size = needed;
        return win32error::Success;
    }
    if (*size < needed) {
        *size = needed;
        return win32error::MoreData;
    }
    if (needed > 0) std::memcpy(data, bytes.data(), needed);
    *size = needed;
    return win32error::Success;
}

// UTF-8 to UTF-16; a byte that starts no valid character becomes '?'.
std::u16string utf16(std::string_view s) {
    std::u16string out;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t length = text::utf8CharLength(s, i);
        const auto lead = static_cast<unsigned char>(s[i]);
        char32_t c = lead;
        if (length == 1 && lead >= 0x80) {
            c = u'?';
        } else if (length > 1) {
            c = lead & (0xFF >> (length + 1));
            for (std::size_t k = 1; k < length; ++k) c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
        }
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
        i += length;
    }
    return out;
}

}  // namespace

LiveRegistry::LiveRegistry(SandboxRegistry& hives, const SandboxMachine& machine)
    : hives_(hives), machine_(machine), nextLive_(kFirstLiveKey) {}

bool LiveRegistry::performanceData(RootKey root) const {
    return root == RootKey::PerformanceData && machine_.version().platformId == 2;
}

std::optional<LiveRegistry::Stat> LiveRegistry::statKey(RootKey root, std::string_view subKey) const {
    if (root != RootKey::DynData || machine_.version().platformId != 1) return std::nullopt;
    const std::vector<std::string_view> names = keyNames(subKey);
    if (names.size() != 2 || !text::equalsNoCase(names[0], "PerfStats")) return std::nullopt;
    if (text::equalsNoCase(names[1], "StartStat")) return Stat::Start;
    if (text::equalsNoCase(names[1], "StatData")) return Stat::Data;
    if (text::equalsNoCase(names[1], "StopStat")) return Stat::Stop;
    return std::nullopt;
}

long LiveRegistry::openStat(Stat stat, long result, KeyHandle hive, KeyHandle& out) {
    out = {};
    if (result != win32error::Success && result != win32error::FileNotFound) return result;
    const std::uint64_t id = nextLive_++;
    live_.emplace(id, LiveKey{stat, hive});
    out = KeyHandle{id};
    return win32error::Success;
}

LiveRegistry::Kind LiveRegistry::kindOf(KeyHandle key, KeyHandle* hive) const {
    if (key.value == kPerformanceDataKey) {
        *hive = {};
        return Kind::Performance;
    }
    if (const auto it = live_.find(key.value); it != live_.end()) {
        *hive = it->second.hive;
        return Kind::Live;
    }
    *hive = key;
    return Kind::Hive;
}

long LiveRegistry::openKey(RootKey root, std::string_view subKey, platform::KeyAccess access, KeyHandle& out) {
    out = {};
    if (performanceData(root)) {
        if (!keyNames(subKey).empty()) return win32error::FileNotFound;
        out = KeyHandle{kPerformanceDataKey};
        return win32error::Success;
    }
    if (const std::optional<Stat> stat = statKey(root, subKey)) {
        KeyHandle hive;
        const long result = hives_.openKey(root, subKey, access, hive);
        return openStat(*stat, result, hive, out);
    }
    return hives_.openKey(root, subKey, access, out);
}

long LiveRegistry::createKey(RootKey root, std::string_view subKey, KeyHandle& out) {
    out = {};
    if (performanceData(root)) {
        if (!keyNames(subKey).empty()) return win32error::AccessDenied;
        out = KeyHandle{kPerformanceDataKey};
        return win32error::Success;
    }
    if (const std::optional<Stat> stat = statKey(root, subKey)) {
        KeyHandle hive;
        const long result = hives_.createKey(root, subKey, hive);
        return openStat(*stat, result, hive, out);
    }
    return hives_.createKey(root, subKey, out);
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
    KeyHandle hive;
    const Kind kind = kindOf(key, &hive);
    if (kind == Kind::Hive) return hives_.queryValue(key, name, type, data, size);
    if (data && !size) return win32error::InvalidParameter;

    if (kind == Kind::Performance) {
        const std::string block = processors_.performanceData(name, computerName());
        // Performance data never tells its size by success: without a buffer it is MoreData too.
        if (!data) {
            if (type) *type = regtype::Binary;
            if (size) *size = static_cast<std::uint32_t>(block.size());
            return win32error::MoreData;
        }
        return serve(regtype::Binary, block, type, data, size);
    }

    const Stat stat = live_.at(key.value).stat;
    if (stat == Stat::Start && !cpuUsage_.started()) cpuUsage_.start();
    if (stat == Stat::Stop) cpuUsage_.stop();
    if (stat == Stat::Data && cpuUsage_.started() && text::equalsNoCase(name, kCpuUsage)) {
        const std::uint32_t usage = cpuUsage_.usage();
        const char bytes[4] = {static_cast<char>(usage), static_cast<char>(usage >> 8), static_cast<char>(usage >> 16),
                               static_cast<char>(usage >> 24)};
        return serve(regtype::Binary, std::string_view(bytes, 4), type, data, size);
    }
    const long result = hive ? hives_.queryValue(hive, name, type, data, size) : win32error::FileNotFound;
    if (result == win32error::FileNotFound && stat != Stat::Data && name.empty())
        return serve(regtype::Sz, std::string_view("", 1), type, data, size);
    return result;
}

long LiveRegistry::setValue(KeyHandle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                            std::uint32_t size) {
    KeyHandle hive;
    kindOf(key, &hive);
    return hive ? hives_.setValue(hive, name, type, data, size) : win32error::AccessDenied;
}

long LiveRegistry::deleteValue(KeyHandle key, std::string_view name) {
    KeyHandle hive;
    kindOf(key, &hive);
    return hive ? hives_.deleteValue(hive, name) : win32error::AccessDenied;
}

long LiveRegistry::enumKey(KeyHandle key, std::uint32_t index, std::string& name) {
    KeyHandle hive;
    kindOf(key, &hive);
    return hive ? hives_.enumKey(hive, index, name) : win32error::NoMoreItems;
}

long LiveRegistry::enumValue(KeyHandle key, std::uint32_t index, std::string& name) {
    KeyHandle hive;
    kindOf(key, &hive);
    return hive ? hives_.enumValue(hive, index, name) : win32error::NoMoreItems;
}

long LiveRegistry::deleteTree(KeyHandle key, std::string_view subKey) {
    KeyHandle hive;
    kindOf(key, &hive);
    return hive ? hives_.deleteTree(hive, subKey) : win32error::AccessDenied;
}

long LiveRegistry::copyTree(KeyHandle key, std::string_view subKey, KeyHandle dest) {
    KeyHandle from, to;
    kindOf(key, &from);
    kindOf(dest, &to);
    if (!to) return win32error::AccessDenied;
    if (!from) return win32error::FileNotFound;
    return hives_.copyTree(from, subKey, to);
}

std::u16string LiveRegistry::computerName() {
    const HiveKey* key = hives_.currentKey(RootKey::LocalMachine, kComputerNameKey);
    const HiveValue* value = key ? key->findValue("ComputerName") : nullptr;
    if (!value) return {};
    const std::string_view name(value->data.data(), std::min(value->data.find('\0'), value->data.size()));
    return utf16(name);
}

}  // namespace hastelyn::sandbox
