#pragma once
// How the recording shows what a value or a file held: short texts an administrator reads.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace hastelyn::recording {

// A registry value as text: strings as they are (without their closing NUL), a DWORD in
// decimal, every other type as "hex(T):" and its bytes in upper-case hexadecimal.
std::string registryValueText(std::uint32_t type, std::string_view bytes);

// The lines of a file that a change touched: what lies between the lines both contents begin
// with and the lines both end with, joined by "\n". A missing file is nullopt on its side.
struct LineChange {
    std::optional<std::string> before;
    std::optional<std::string> after;
};
LineChange changedLines(const std::optional<std::string>& before, const std::optional<std::string>& after);

}  // namespace hastelyn::recording
