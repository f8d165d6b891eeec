#include "foundation/ColorText.h"

#include <array>
#include <cstdio>

#include "foundation/RegistryValues.h"
#include "platform/Text.h"

namespace hastelyn::foundation {
namespace {

struct NamedColor {
    std::string_view name;
    std::uint32_t value;  // 00BBGGRR
};

constexpr std::array<NamedColor, 20> kNamedColors = {{
    {"clBlack", 0x000000},  {"clMaroon", 0x000080}, {"clGreen", 0x008000},      {"clOlive", 0x008080},
    {"clNavy", 0x800000},   {"clPurple", 0x800080}, {"clTeal", 0x808000},       {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},    {"clLime", 0x00FF00},       {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},      {"clWhite", 0xFFFFFF},
    {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6}, {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
}};

// Only plain RGB colours: the high byte of a Windows colour value is always zero here.
constexpr std::uint32_t kLargestColor = 0x00FFFFFF;

}  // namespace

std::string colorToText(std::uint32_t color) {
    for (const NamedColor& named : kNamedColors) {
        if (named.value == color) return std::string(named.name);
    }
    std::array<char, 10> hex{};
    std::snprintf(hex.data(), hex.size(), "$%08X", static_cast<unsigned>(color));
    return hex.data();
}

std::optional<std::uint32_t> colorFromText(std::string_view text) {
    for (const NamedColor& named : kNamedColors) {
        if (text::equalsNoCase(named.name, text)) return named.value;
    }
    std::uint32_t value = 0;
    if (!parseDwordText(text, value) || value > kLargestColor) return std::nullopt;
    return value;
}

}  // namespace hastelyn::foundation
