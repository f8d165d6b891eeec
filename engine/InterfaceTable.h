#pragma once
// The interface table of the IP Helper library (GetIfTable), as the network meter reads it:
// the type, the two octet counters and the description of each row, at most the first
// kMaxInterfaceRows rows (the rows past them are left out, never read into the table).
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/Meters.h"

namespace hastelyn::engine {

inline constexpr std::size_t kMaxInterfaceRows = 8;

struct InterfaceRow {
    std::uint32_t type = 0;
    std::uint32_t receivedOctets = 0;
    std::uint32_t sentOctets = 0;
    std::string description;  // as the program shows it (UTF-8)
};

// The rows of a table as GetIfTable fills it; rows the bytes do not hold whole are left out.
std::vector<InterfaceRow> interfaceRows(std::span<const std::uint8_t> table);

// Asks GetIfTable (function, found in a loaded IP Helper library) for the size, then for the
// table; nothing when either call fails.
std::optional<std::vector<InterfaceRow>> readInterfaceTable(platform::Meters& meters, platform::ProcHandle function);

}  // namespace hastelyn::engine
