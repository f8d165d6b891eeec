// The 64-bit tick count that stands in for GetTickCount64 on Windows 2000, XP and Server 2003.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/win32/runtime/TickCountExtension.h"

namespace hastelyn::win32 {
namespace {

constexpr std::uint64_t kTurn = 0x100000000ull;  // one wrap of the 32-bit count

TEST(TickCountExtension, FollowsTheCountAcrossItsWraps) {
    EXPECT_EQ(extendTickCount(0, 0x9000'0000u), 0x9000'0000u);  // the first reading, 28 days up
    EXPECT_EQ(extendTickCount(10, 25), 25u);
    EXPECT_EQ(extendTickCount(0xFFFF'FF00u, 0x10u), kTurn + 0x10u);
    EXPECT_EQ(extendTickCount(3 * kTurn + 0xFFFF'FFF0u, 5), 4 * kTurn + 5);
    // The longest step still followed: just under half a turn.
    EXPECT_EQ(extendTickCount(kTurn + 100, 100 + 0x7FFF'FFFFu), kTurn + 100 + 0x7FFF'FFFFu);
}

TEST(TickCountExtension, AReadingBehindTheLastCountNeitherGoesBackNorLeapsAhead) {
    // Read just before another caller stored a later count.
    EXPECT_EQ(extendTickCount(kTurn + 0x100u, 0xF0u), kTurn + 0x100u);
    EXPECT_EQ(extendTickCount(kTurn + 0x100u, 0x100u), kTurn + 0x100u);
    // Read just before the wrap, while the other caller's count is already past it.
    EXPECT_EQ(extendTickCount(kTurn + 0x10u, 0xFFFF'FFF0u), kTurn + 0x10u);
}

}  // namespace
}  // namespace hastelyn::win32
