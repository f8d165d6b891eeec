#include "engine/OptionSettings.h"

#include <algorithm>

#include "foundation/ColorText.h"
#include "foundation/LockedItems.h"

namespace hastelyn::engine {
namespace {

using foundation::kDisabledItemSection;
using foundation::kGeneralSection;

constexpr std::string_view kPreLocked = "pre_true";
constexpr std::string_view kLocked = "true";
constexpr std::string_view kServiceKey = "Service";

void writeOrDelete(foundation::Settings& settings, std::string_view key, std::string_view value) {
    if (value.empty()) settings.remove(kGeneralSection, key);
    else settings.write(kGeneralSection, key, value);
}

}  // namespace

const std::array<ColorStyle, 9> kColorStyles = {{
    {"Default", {0x639AFF, 0x9CCFCE, 0x9CCFFF, 0x9CCFFF, 0x639AFF, 0x9CCFCE}},
    {"Old", {0xF0CAA6, 0xC0C0C0, 0xC0DCC0, 0xF0CAA6, 0xC0C0C0, 0xFFFFFF}},
    {"Black", {0x000000, 0x000000, 0x000000, 0x000000, 0x000000, 0x526563}},
    {"Red", {0x0000FF, 0x0000FF, 0x8080FF, 0x0000FF, 0x0000FF, 0x0000FF}},
    {"Green", {0x008000, 0x008000, 0x008000, 0x008000, 0x008000, 0x008000}},
    {"Gray", {0x808080, 0x808080, 0x808080, 0x808080, 0x808080, 0x808080}},
    {"White", {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF}},
    {"Blue", {0xFF0000, 0xFF0000, 0xFF8080, 0xFF0000, 0xFF0000, 0xCE9A63}},
    {"Yellow", {0x00FFFF, 0x00FFFF, 0x00FFFF, 0x00FFFF, 0x00FFFF, 0x00FFFF}},
}};

GeneralOptions readGeneralOptions(const foundation::Settings& settings) {
    GeneralOptions options;
    const std::string size = settings.general("FontSize");
    for (int offered : kFontSizes)
        if (size == std::to_string(offered)) options.fontSize = offered;
    for (std::size_t i = 0; i < kOptionSwitches.size(); ++i)
        options.switches[i] = settings.general(kOptionSwitches[i].key) == kOptionSwitches[i].ticked;
    options.sysocPath = settings.general("SysocPath");
    options.bootPath = settings.general("BootPath");
    return options;
}

void writeSwitch(foundation::Settings& settings, const OptionSwitch& option, bool ticked) {
    writeOrDelete(settings, option.key, ticked ? option.ticked : option.unticked);
}

void writeGeneralOptions(foundation::Settings& settings, const GeneralOptions& options) {
    settings.write(kGeneralSection, "FontSize", std::to_string(options.fontSize));
    for (std::size_t i = 0; i < kOptionSwitches.size(); ++i)
        writeSwitch(settings, kOptionSwitches[i], options.switches[i]);
    settings.write(kGeneralSection, "SysocPath", options.sysocPath);
    settings.write(kGeneralSection, "BootPath", options.bootPath);
}

const std::vector<std::string>& lockKeys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> all;
        for (std::size_t list = 0; list < foundation::kTweakListCount; ++list)
            for (std::size_t row = 0; row < foundation::kRowsPerList; ++row)
                all.push_back(foundation::tweakRowKey(list, row));
        for (std::size_t i = 1; i <= foundation::kUtilityButtons; ++i) all.push_back("Utility" + std::to_string(i));
        for (std::size_t i = 1; i <= foundation::kPcInfoFields; ++i) all.push_back("PCInfo" + std::to_string(i));
        all.emplace_back(kServiceKey);
        return all;
    }();
    return keys;
}

bool isLockKey(std::string_view key) {
    return std::find(lockKeys().begin(), lockKeys().end(), key) != lockKeys().end();
}

LockBox readLockBox(const foundation::Settings& settings, std::string_view key) {
    const std::string value = settings.read(kDisabledItemSection, key);
    if (value == kPreLocked) return {true, false};
    return {value == kLocked || (key == kServiceKey && value == "NULL"), true};
}

void writeLockBox(foundation::Settings& settings, std::string_view key, bool ticked) {
    if (ticked) settings.write(kDisabledItemSection, key, kLocked);
    else if (key == kServiceKey) settings.write(kDisabledItemSection, key, "false");
    else settings.remove(kDisabledItemSection, key);
}

const ColorStyle* findColorStyle(std::string_view name) {
    for (const ColorStyle& style : kColorStyles)
        if (style.name == name) return &style;
    return nullptr;
}

bool colorStyleSkipped(const foundation::Settings& settings, std::string_view style) {
    return style == kColorStyles[0].name && settings.general("ColorStyle") == "NULL";
}

void writeColorStyle(foundation::Settings& settings, std::string_view style, const StyleColors& colors) {
    writeOrDelete(settings, "ColorStyle", style == kColorStyles[0].name ? std::string_view() : style);
    for (std::size_t i = 0; i < kColorKeys.size(); ++i)
        settings.write(kGeneralSection, kColorKeys[i], foundation::colorToText(colors[i]));
}

StyleColors storedColors(const foundation::Settings& settings) {
    StyleColors colors = kColorStyles[0].colors;
    for (std::size_t i = 0; i < kColorKeys.size(); ++i)
        if (const auto stored = foundation::colorFromText(settings.general(kColorKeys[i]))) colors[i] = *stored;
    return colors;
}

void writeTransparent(foundation::Settings& settings, std::string_view text) {
    settings.write(kGeneralSection, "Transparent", text);
}

std::string_view tabStyleText(foundation::TabStyle style) {
    switch (style) {
        case foundation::TabStyle::FlatButtons: return "FlatButtons";
        case foundation::TabStyle::Buttons: return "Buttons";
        case foundation::TabStyle::Tabs: break;
    }
    return "Tabs";
}

void writeTabStyle(foundation::Settings& settings, foundation::TabStyle style) {
    settings.write(kGeneralSection, "TabStyle", tabStyleText(style));
}

}  // namespace hastelyn::engine
