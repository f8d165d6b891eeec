#pragma once
// Colours as the settings file writes them: a colour name ("clWhite") or "$" with eight
// hexadecimal digits of the value 00BBGGRR; reading also takes a decimal number.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace hastelyn::foundation {

std::string colorToText(std::uint32_t color);
std::optional<std::uint32_t> colorFromText(std::string_view text);

}  // namespace hastelyn::foundation
