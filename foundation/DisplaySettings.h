#pragma once
// The display settings applied when the windows are made: commentary font and hint, main
// window opacity, colour style and page style.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/Settings.h"

namespace hastelyn::foundation {

enum class TabStyle { Tabs, FlatButtons, Buttons };

struct DisplaySettings {
    std::optional<int> commentFontSize;  // "FontSize" when 0 to 50
    bool commentHint = false;            // "CommentHint" = "On": hint pause 300000 ms
    std::optional<int> opacity;          // "Transparent" when 5 to 254
    // Each colour set only when "ColorStyle" is present and the key holds a colour that differs
    // from its default text.
    std::optional<std::uint32_t> titleColor, menuColor, accelColor, subColor, restoreColor, compactColor;
    bool repaintMain = false;  // at least one colour was set
    std::optional<TabStyle> tabStyle;
};

DisplaySettings loadDisplaySettings(const Settings& settings);

// A setting's number: an optional sign and decimal digits, nothing else; anything else, the
// empty text included, is no number and the setting counts as absent.
std::optional<long long> settingNumber(std::string_view text);

}  // namespace hastelyn::foundation
