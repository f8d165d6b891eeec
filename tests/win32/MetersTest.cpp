// The Win32 backend's guard around GetIfTable, and memory figures as a 32-bit program sees them.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/Win32Types.h"
#include "platform/win32/Win32Platform.h"

namespace hastelyn::win32test {
namespace {

namespace err = platform::win32error;

TEST(Win32Meters, OnlyAGetIfTableFoundByThatNameIsCalled) {
    win32::Win32Platform windows;
    platform::Meters& meters = windows.platform().meters;
    platform::ModuleHandle library;
    ASSERT_EQ(meters.loadLibrary("iphlpapi.dll", library), err::Success);
    // A real function of the library, of another signature: never called as GetIfTable.
    platform::ProcHandle other, getIfTable;
    ASSERT_EQ(meters.getProcAddress(library, "GetIfEntry", other), err::Success);
    std::uint32_t size = 0;
    EXPECT_EQ(meters.getIfTable(other, nullptr, &size, false), err::InvalidParameter);
    EXPECT_EQ(meters.getIfTable(platform::ProcHandle{}, nullptr, &size, false), err::InvalidParameter);
    ASSERT_EQ(meters.getProcAddress(library, "GetIfTable", getIfTable), err::Success);
    EXPECT_EQ(meters.getIfTable(getIfTable, nullptr, nullptr, false), err::InvalidParameter);
    EXPECT_EQ(meters.getIfTable(getIfTable, nullptr, &size, false), err::InsufficientBuffer);
    EXPECT_EQ(meters.freeLibrary(library), err::Success);
}

TEST(Win32Meters, ByteCountsOverFourGigabytesReadAsAllOnes) {
    win32::Win32Platform windows;
    const platform::MemoryStatus m = windows.platform().meters.globalMemoryStatus();
    MEMORYSTATUSEX whole{};
    whole.dwLength = sizeof whole;
    ASSERT_TRUE(GlobalMemoryStatusEx(&whole));
    // This program's address space is that of a 64-bit process, far beyond 4 GiB.
    ASSERT_GT(whole.ullTotalVirtual, 0xFFFFFFFFull);
    EXPECT_EQ(m.totalVirtual, 0xFFFFFFFFu);
    const auto expected = whole.ullTotalPhys > 0xFFFFFFFFull ? 0xFFFFFFFFu : static_cast<std::uint32_t>(whole.ullTotalPhys);
    EXPECT_EQ(m.totalPhys, expected);
}

}  // namespace
}  // namespace hastelyn::win32test
