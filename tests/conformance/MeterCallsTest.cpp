// What the compact window's meters ask of Windows: the processor's performance data, the
// interface table of the IP Helper library loaded at run time, and the memory status.
#include <chrono>

#include "tests/conformance/ConformanceFixture.h"
#include "tests/conformance/PerformanceDataWalk.h"

namespace hastelyn::conformance {
namespace {

using MeterCalls = Conformance;

std::uint32_t u32At(const std::string& bytes, std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return v;
}

TEST_F(MeterCalls, ProcessorTimeComesAsPerformanceDataObject238) {
    KeyHandle perf;
    ASSERT_EQ(reg().openKey(RootKey::PerformanceData, "", KeyAccess::Query, perf), err::Success);
    ASSERT_TRUE(perf);

    // Without a buffer, and with one too small, the answer is MoreData; grown by 4096 bytes at
    // a time, the buffer soon takes the block.
    std::uint32_t size = 0;
    EXPECT_EQ(reg().queryValue(perf, "238", nullptr, nullptr, &size), err::MoreData);
    std::string tiny(16, '\0');
    size = static_cast<std::uint32_t>(tiny.size());
    EXPECT_EQ(reg().queryValue(perf, "238", nullptr, reinterpret_cast<std::uint8_t*>(tiny.data()), &size),
              err::MoreData);
    std::string data;
    std::uint32_t type = 0;
    ASSERT_EQ(queryPerformanceData(reg(), perf, "238", data, &type, 16), err::Success);
    EXPECT_EQ(type, regtype::Binary);
    PerformanceBlock first;
    ASSERT_NO_THROW(first = walkPerformanceData(data));
    EXPECT_LE(first.totalLength, data.size());
    EXPECT_LE(first.headerLength, first.totalLength);

    if (checks("Processor")) {
        ASSERT_TRUE(first.hasProcessor);
        EXPECT_EQ(first.processor.counterType, 0x21510500u) << "PERF_100NSEC_TIMER_INV";
        EXPECT_EQ(first.processor.counterSize, 8u);
        ASSERT_GE(first.processor.instances.size(), 2u) << "at least one processor and the total";
        EXPECT_EQ(first.processor.instances.back().first, u"_Total");

        // Sampled again until the system's clock has moved on: each query is a new sample.
        PerformanceBlock second = first;
        while (second.time100ns == first.time100ns) {
            ASSERT_EQ(queryPerformanceData(reg(), perf, "238", data), err::Success);
            ASSERT_NO_THROW(second = walkPerformanceData(data));
        }
        EXPECT_GT(second.time100ns, first.time100ns) << "each query is a new sample";
        ASSERT_EQ(second.processor.instances.size(), first.processor.instances.size());
        for (std::size_t i = 0; i < first.processor.instances.size(); ++i)
            EXPECT_GE(second.processor.instances[i].second, first.processor.instances[i].second) << "instance " << i;
    }

    // The root's handle outlives closing it: RegCloseKey(HKEY_PERFORMANCE_DATA) ends a
    // collection, not the key.
    EXPECT_EQ(reg().closeKey(perf), err::Success);
    EXPECT_EQ(reg().closeKey(perf), err::Success);
}

TEST_F(MeterCalls, GetIfTableTellsItsSizeThenFillsTheTable) {
    platform::Meters& meters = p().meters;
    platform::ModuleHandle none;
    EXPECT_EQ(meters.loadLibrary("HastelynNoSuchLibrary.dll", none), err::ModNotFound);
    EXPECT_FALSE(none);

    platform::ModuleHandle library;
    ASSERT_EQ(meters.loadLibrary("IPHLPAPI.DLL", library), err::Success);
    ASSERT_TRUE(library);
    platform::ProcHandle missing;
    EXPECT_EQ(meters.getProcAddress(library, "HastelynNoSuchFunction", missing), err::ProcNotFound);
    EXPECT_FALSE(missing);
    platform::ProcHandle getIfTable;
    ASSERT_EQ(meters.getProcAddress(library, "GetIfTable", getIfTable), err::Success);

    std::uint32_t size = 0;
    ASSERT_EQ(meters.getIfTable(getIfTable, nullptr, &size, false), err::InsufficientBuffer);
    ASSERT_GE(size, 4u + 860u) << "at least the loopback interface";
    EXPECT_EQ((size - 4) % 860, 0u) << "a row count, then rows of 860 bytes";
    std::string table(size - 1, '\0');
    std::uint32_t small = size - 1;
    EXPECT_EQ(meters.getIfTable(getIfTable, reinterpret_cast<std::uint8_t*>(table.data()), &small, false),
              err::InsufficientBuffer);
    EXPECT_GE(small, size);

    // An interface may come or go between two calls: the size of the refusal is what to ask with.
    long result = err::InsufficientBuffer;
    for (int round = 0; round < 4 && result == err::InsufficientBuffer; ++round) {
        table.assign(size, '\0');
        result = meters.getIfTable(getIfTable, reinterpret_cast<std::uint8_t*>(table.data()), &size, false);
    }
    ASSERT_EQ(result, err::Success);
    const std::uint32_t rows = u32At(table, 0);
    ASSERT_LE(4 + std::size_t{rows} * 860, table.size());
    bool loopback = false;
    for (std::uint32_t r = 0; r < rows; ++r) {
        const std::size_t row = 4 + std::size_t{r} * 860;
        loopback = loopback || u32At(table, row + 516) == 24;
        EXPECT_LE(u32At(table, row + 600), 256u) << "description length of row " << r;
    }
    EXPECT_TRUE(loopback) << "every system has its loopback interface";

    EXPECT_EQ(meters.freeLibrary(library), err::Success);
    // Whatever the address held, the function of a freed library is not called.
    size = 0;
    EXPECT_EQ(meters.getIfTable(getIfTable, nullptr, &size, false), err::InvalidParameter);
}

TEST_F(MeterCalls, MemoryStatusHoldsTogether) {
    const platform::MemoryStatus m = p().meters.globalMemoryStatus();
    EXPECT_LE(m.memoryLoad, 100u);
    EXPECT_GT(m.totalPhys, 0u);
    EXPECT_LE(m.availPhys, m.totalPhys);
    EXPECT_GT(m.totalPageFile, 0u);
    EXPECT_LE(m.availPageFile, m.totalPageFile);
    EXPECT_GT(m.totalVirtual, 0u);
    EXPECT_LE(m.availVirtual, m.totalVirtual);
}

}  // namespace
}  // namespace hastelyn::conformance
