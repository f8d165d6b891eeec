#pragma once
// GetTickCount's 32-bit count of milliseconds since the system started wraps every 49.7 days.
// Extended to 64 bits: the last extended count seen (0: none yet) and a new 32-bit reading give
// the new extended count. The reading is taken as up to 24.8 days ahead of the last count, across
// a wrap or not; a reading behind it comes from a caller that read the clock just before another
// stored a later count (possibly just before the wrap) and gives the last count again, so the
// result never goes back nor leaps ahead.
#include <cstdint>

namespace hastelyn::win32 {

constexpr std::uint64_t extendTickCount(std::uint64_t last, std::uint32_t reading) {
    if (last == 0) return reading;
    const auto ahead = static_cast<std::int32_t>(reading - static_cast<std::uint32_t>(last));
    return ahead > 0 ? last + static_cast<std::uint32_t>(ahead) : last;
}

}  // namespace hastelyn::win32
