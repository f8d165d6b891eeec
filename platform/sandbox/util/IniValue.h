#pragma once
// Values of the sandbox's own INI files (machine.ini, attributes.ini), which allow a comment
// after a value: "Major=5   ; Windows XP".
#include <cstdint>
#include <optional>
#include <string_view>

namespace hastelyn::sandbox {

// The value without a trailing "; comment" (a ';' at the start or after a blank) and without
// the blanks around it.
std::string_view withoutComment(std::string_view value);
// Blanks (space, tab) removed at both ends.
std::string_view trimSpaces(std::string_view s);
// One pair of enclosing double or single quotes removed.
std::string_view withoutQuotes(std::string_view value);

// A whole decimal number that fits 64 bits; nothing for anything else.
std::optional<std::uint64_t> parseDecimal(std::string_view text);
// Hexadecimal digits, "0x" allowed in front.
std::optional<std::uint64_t> parseHex(std::string_view text);

}  // namespace hastelyn::sandbox
