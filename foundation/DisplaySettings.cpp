#include "foundation/DisplaySettings.h"

#include <array>
#include <string_view>

#include "foundation/ColorText.h"

namespace hastelyn::foundation {
namespace {

std::optional<int> numberWithin(const Settings& settings, std::string_view key, int low, int high) {
    const std::optional<long long> number = settingNumber(settings.general(key));
    if (!number || *number < low || *number > high) return std::nullopt;
    return static_cast<int>(*number);
}

struct ColorKey {
    std::string_view key;
    std::string_view defaultText;
    std::optional<std::uint32_t> DisplaySettings::*target;
};

const std::array<ColorKey, 6> kColorKeys = {{
    {"TitleColor", "$00639AFF", &DisplaySettings::titleColor},
    {"MenuColor", "$009CCFCE", &DisplaySettings::menuColor},
    {"AccelColor", "$009CCFFF", &DisplaySettings::accelColor},
    {"SubColor", "$009CCFFF", &DisplaySettings::subColor},
    {"RestoreColor", "$00639AFF", &DisplaySettings::restoreColor},
    {"CompactColor", "$009CCFCE", &DisplaySettings::compactColor},
}};

}  // namespace

std::optional<long long> settingNumber(std::string_view text) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
    if (pos == text.size()) return std::nullopt;
    long long value = 0;
    constexpr long long kCeiling = 1'000'000'000'000LL;  // far outside every range asked for
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c < '0' || c > '9') return std::nullopt;
        if (value < kCeiling) value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

DisplaySettings loadDisplaySettings(const Settings& settings) {
    DisplaySettings display;
    display.commentFontSize = numberWithin(settings, "FontSize", 0, 50);
    display.commentHint = settings.general("CommentHint") == "On";
    display.opacity = numberWithin(settings, "Transparent", 5, 254);

    // The colour keys count only once a colour style has been chosen; a key that still holds
    // its default text leaves the window's design colour.
    if (settings.general("ColorStyle") != "NULL") {
        for (const ColorKey& colorKey : kColorKeys) {
            const std::string value = settings.general(colorKey.key);
            if (value == "NULL" || value == colorKey.defaultText) continue;
            if (const std::optional<std::uint32_t> color = colorFromText(value)) {
                display.*colorKey.target = *color;
                display.repaintMain = true;
            }
        }
    }

    const std::string tabStyle = settings.general("TabStyle");
    if (tabStyle == "Tabs") display.tabStyle = TabStyle::Tabs;
    else if (tabStyle == "FlatButtons") display.tabStyle = TabStyle::FlatButtons;
    else if (tabStyle == "Buttons") display.tabStyle = TabStyle::Buttons;
    return display;
}

}  // namespace hastelyn::foundation
