#include "engine/InterfaceTable.h"

#include <algorithm>
#include <string_view>

#include "platform/Text.h"
#include "platform/Win32Types.h"

namespace hastelyn::engine {
namespace {

namespace iftable = platform::iftable;

std::uint32_t u32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) | static_cast<std::uint32_t>(at[1]) << 8 |
           static_cast<std::uint32_t>(at[2]) << 16 | static_cast<std::uint32_t>(at[3]) << 24;
}

}  // namespace

std::vector<InterfaceRow> interfaceRows(std::span<const std::uint8_t> table) {
    std::vector<InterfaceRow> rows;
    if (table.size() < iftable::RowsOffset) return rows;
    const std::size_t held = (table.size() - iftable::RowsOffset) / iftable::RowSize;
    const std::size_t count = std::min<std::size_t>({u32(table.data()), held, kMaxInterfaceRows});
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* row = table.data() + iftable::RowsOffset + i * iftable::RowSize;
        // The description's length counts its NUL; the bytes end at the first NUL anyway.
        const std::size_t length = std::min<std::size_t>(u32(row + iftable::DescrLen), iftable::DescrMax);
        const std::string_view bytes(reinterpret_cast<const char*>(row + iftable::Descr), length);
        rows.push_back({.type = u32(row + iftable::Type),
                        .receivedOctets = u32(row + iftable::InOctets),
                        .sentOctets = u32(row + iftable::OutOctets),
                        .description = text::decodeFileText(text::cutAtNul(bytes))});
    }
    return rows;
}

std::optional<std::vector<InterfaceRow>> readInterfaceTable(platform::Meters& meters, platform::ProcHandle function) {
    std::uint32_t size = 0;
    const long sizing = meters.getIfTable(function, nullptr, &size, false);
    if (sizing != platform::win32error::Success && sizing != platform::win32error::InsufficientBuffer)
        return std::nullopt;
    std::vector<std::uint8_t> table(size);
    if (meters.getIfTable(function, table.data(), &size, false) != platform::win32error::Success) return std::nullopt;
    return interfaceRows(std::span(table.data(), std::min<std::size_t>(size, table.size())));
}

}  // namespace hastelyn::engine
