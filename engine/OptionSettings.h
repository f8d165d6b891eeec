#pragma once
// What the options window writes into the settings file and how: one set of rules shared by the
// window's three apply buttons and by hastelyn-cli options, so the two cannot drift apart.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/DisplaySettings.h"
#include "foundation/Settings.h"

namespace hastelyn::engine {

// A switch of the general page: the key, the text a ticked box writes, and the text an
// unticked box writes ("" deletes the key, the default).
struct OptionSwitch {
    std::string_view box;
    std::string_view key;
    std::string_view ticked;
    std::string_view unticked;
};

// In the order the general page's apply writes them.
inline constexpr std::array<OptionSwitch, 6> kOptionSwitches = {{
    {"ChcLineFeed", "LineFeed", "Off", ""},
    {"ChcCommentHint", "CommentHint", "On", ""},
    {"ChcReboot", "DlgReboot", "On", ""},
    {"ChcInform", "DlgInform", "Off", ""},
    {"ChcSound", "Sound", "On", "Off"},
    {"ChcAutoRestore", "AutoRestore", "Off", ""},
}};

inline constexpr int kDesignFontSize = 10;
// The sizes the font radio buttons offer.
inline constexpr std::array<int, 5> kFontSizes = {8, 9, 10, 11, 12};

// Everything the general page's apply writes.
struct GeneralOptions {
    int fontSize = kDesignFontSize;
    std::array<bool, kOptionSwitches.size()> switches{};
    std::string sysocPath = "NULL";
    std::string bootPath = "NULL";
};

// As the page loads it: a stored size other than 8, 9, 11 or 12 is the design size; each box
// ticked when its key holds the ticked text; the paths as read ("NULL" when absent).
GeneralOptions readGeneralOptions(const foundation::Settings& settings);
// "FontSize", the switches in their order, then "SysocPath" and "BootPath" unchecked.
void writeGeneralOptions(foundation::Settings& settings, const GeneralOptions& options);
void writeSwitch(foundation::Settings& settings, const OptionSwitch& option, bool ticked);

// The locked-items page's boxes by key: "System1" ... "Others10", "Utility1" ... "Utility10",
// "PCInfo1" ... "PCInfo3", "Service", in the page's order.
const std::vector<std::string>& lockKeys();
bool isLockKey(std::string_view key);

struct LockBox {
    bool ticked = false;
    bool enabled = true;  // false for an item the program locked ("pre_true")
};
// "pre_true" ticked and fixed; "true" ticked ("Service" also when absent); anything else unticked.
LockBox readLockBox(const foundation::Settings& settings, std::string_view key);
// An enabled box: ticked writes "true"; unticked deletes the key, except "Service", written
// "false" (its absence means locked).
void writeLockBox(foundation::Settings& settings, std::string_view key, bool ticked);

// The six colour keys in target order: title, menu, accel, sub (options), restore, compact.
inline constexpr std::array<std::string_view, 6> kColorKeys = {"TitleColor",  "MenuColor",    "AccelColor",
                                                               "SubColor",    "RestoreColor", "CompactColor"};
using StyleColors = std::array<std::uint32_t, kColorKeys.size()>;  // 00BBGGRR each

struct ColorStyle {
    std::string_view name;  // "Default" (the key deleted), or the value of "ColorStyle"
    StyleColors colors;
};
// Every fixed style; "Optional" takes the colours the user picked.
extern const std::array<ColorStyle, 9> kColorStyles;
inline constexpr std::string_view kOptionalStyle = "Optional";
// A fixed style by name, or null.
const ColorStyle* findColorStyle(std::string_view name);

// "Default" chosen while no style was ever stored: the colour step leaves everything as it is.
bool colorStyleSkipped(const foundation::Settings& settings, std::string_view style);
// "ColorStyle" (deleted for "Default") and the six colour keys as colour texts.
void writeColorStyle(foundation::Settings& settings, std::string_view style, const StyleColors& colors);
// Each colour key's stored colour where it reads as one, else the default style's colour.
StyleColors storedColors(const foundation::Settings& settings);

// "Transparent" as typed into the edit, unchecked (an empty text counts as absent at start).
void writeTransparent(foundation::Settings& settings, std::string_view text);
std::string_view tabStyleText(foundation::TabStyle style);
void writeTabStyle(foundation::Settings& settings, foundation::TabStyle style);

}  // namespace hastelyn::engine
