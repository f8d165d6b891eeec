#pragma once
// Reading a performance data block back the way the compact window walks it, with the offsets
// of winperf.h written out here rather than taken from platform/Meters.h, so that a wrong
// constant there shows. Also the query loop the window uses: a buffer grown by 4096 bytes from
// nothing while the answer is MoreData.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Registry.h"
#include "platform/Win32Types.h"

namespace hastelyn::conformance {

struct ProcessorObject {
    std::uint32_t counterType = 0;
    std::uint32_t counterSize = 0;
    // Each instance's name and its "% Processor Time" value, in the block's order.
    std::vector<std::pair<std::u16string, std::uint64_t>> instances;
};

struct PerformanceBlock {
    std::uint32_t totalLength = 0;
    std::uint32_t headerLength = 0;
    std::uint32_t objectCount = 0;
    std::uint16_t systemTime[8] = {};  // year, month, day of week, day, hour, minute, second, ms
    std::uint64_t time100ns = 0;       // PerfTime100nSec
    bool hasProcessor = false;
    ProcessorObject processor;
};

// Throws std::runtime_error when the block does not hold together (a read past its end, a wrong
// signature, object 238 without counter 6).
inline PerformanceBlock walkPerformanceData(std::string_view b) {
    const auto need = [&](std::size_t at, std::size_t n) {
        if (at + n > b.size() || at + n < at)
            throw std::runtime_error("read of " + std::to_string(n) + " bytes at " + std::to_string(at) +
                                     " past the end (" + std::to_string(b.size()) + ")");
    };
    const auto u16 = [&](std::size_t at) {
        need(at, 2);
        return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8);
    };
    const auto u32 = [&](std::size_t at) {
        need(at, 4);
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(b[at + i]);
        return v;
    };
    const auto u64 = [&](std::size_t at) { return static_cast<std::uint64_t>(u32(at + 4)) << 32 | u32(at); };

    PerformanceBlock block;
    need(0, 88);
    if (b.substr(0, 8) != std::string_view("P\0E\0R\0F\0", 8)) throw std::runtime_error("no PERF signature");
    block.totalLength = u32(20);
    block.headerLength = u32(24);
    block.objectCount = u32(28);
    for (int i = 0; i < 8; ++i) block.systemTime[i] = u16(36 + 2 * i);
    block.time100ns = u64(72);

    std::size_t object = block.headerLength;
    std::uint32_t i = 0;
    for (; i < block.objectCount; ++i) {
        if (u32(object + 12) == 238) break;
        const std::uint32_t length = u32(object);
        if (length == 0) throw std::runtime_error("an object of length 0");
        object += length;
    }
    if (i == block.objectCount) return block;
    block.hasProcessor = true;

    // The counter definitions follow the object's header.
    std::size_t counter = object + u32(object + 8);
    const std::uint32_t counters = u32(object + 32);
    std::uint32_t c = 0;
    for (; c < counters; ++c, counter += u32(counter)) {
        if (u32(counter + 4) == 6) break;
    }
    if (c == counters) throw std::runtime_error("object 238 without counter 6");
    block.processor.counterType = u32(counter + 28);
    block.processor.counterSize = u32(counter + 32);
    const std::uint32_t offset = u32(counter + 36);

    // The instances follow the definitions; each one's counter block follows it.
    std::size_t instance = object + u32(object + 4);
    const auto instances = static_cast<std::int32_t>(u32(object + 40));
    for (std::int32_t k = 0; k < instances; ++k) {
        const std::size_t nameAt = instance + u32(instance + 16);
        const std::uint32_t nameBytes = u32(instance + 20);
        std::u16string name;
        for (std::uint32_t n = 0; n + 2 <= nameBytes; n += 2) {
            const char16_t ch = u16(nameAt + n);
            if (ch == 0) break;
            name += ch;
        }
        const std::size_t counterBlock = instance + u32(instance);
        block.processor.instances.emplace_back(std::move(name), u64(counterBlock + offset));
        instance = counterBlock + u32(counterBlock);
    }
    if (instance > object + u32(object)) throw std::runtime_error("instances past the object's length");
    return block;
}

// The window's query loop on an open HKEY_PERFORMANCE_DATA: from an empty buffer, 4096 bytes
// more while the answer is MoreData (at most `rounds` times). The result code; *type and the
// data on success.
inline long queryPerformanceData(platform::Registry& registry, platform::KeyHandle key, std::string_view name,
                                 std::string& data, std::uint32_t* type = nullptr, int rounds = 64) {
    data.clear();
    long result = platform::win32error::MoreData;
    for (int round = 0; round < rounds && result == platform::win32error::MoreData; ++round) {
        if (round > 0) data.resize(data.size() + 4096);
        auto size = static_cast<std::uint32_t>(data.size());
        result = registry.queryValue(key, name, type, data.empty() ? nullptr : reinterpret_cast<std::uint8_t*>(data.data()),
                                     &size);
        if (result == platform::win32error::Success) data.resize(size);
    }
    return result;
}

}  // namespace hastelyn::conformance
