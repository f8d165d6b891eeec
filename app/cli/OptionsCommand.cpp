#include "app/cli/OptionsCommand.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

#include "app/cli/CommandOutput.h"
#include "app/cli/JsonWriter.h"
#include "app/cli/RowNames.h"
#include "engine/OptionSettings.h"
#include "foundation/ColorText.h"
#include "foundation/DisplaySettings.h"

namespace hastelyn::cli {
namespace {

using foundation::kGeneralSection;

// The general keys the window edits, in the order they are printed.
constexpr std::array<std::string_view, 19> kGeneralKeys = {
    "FontSize",    "LineFeed",   "CommentHint", "DlgReboot",  "DlgInform",    "Sound",        "AutoRestore",
    "SysocPath",   "BootPath",   "SpeechOutput", "Transparent", "ColorStyle", "TitleColor",   "MenuColor",
    "AccelColor",  "SubColor",   "RestoreColor", "CompactColor", "TabStyle"};

const engine::OptionSwitch* findSwitch(std::string_view key) {
    for (const engine::OptionSwitch& option : engine::kOptionSwitches)
        if (option.key == key) return &option;
    return nullptr;
}

std::optional<std::size_t> colorKeyIndex(std::string_view key) {
    for (std::size_t i = 0; i < engine::kColorKeys.size(); ++i)
        if (engine::kColorKeys[i] == key) return i;
    return std::nullopt;
}

std::optional<foundation::TabStyle> tabStyleOf(std::string_view text) {
    for (auto style : {foundation::TabStyle::Tabs, foundation::TabStyle::FlatButtons, foundation::TabStyle::Buttons})
        if (engine::tabStyleText(style) == text) return style;
    return std::nullopt;
}

bool isColorStyleName(std::string_view name) {
    return name == engine::kOptionalStyle || engine::findColorStyle(name) != nullptr;
}

// What the window could have written under the key, or why not.
std::optional<std::string> valueError(std::string_view key, std::string_view value) {
    const auto expected = [&](std::string_view what) {
        return std::string(key) + ": " + std::string(what) + " expected, not \"" + std::string(value) + "\"";
    };
    if (key == "FontSize") {
        const auto size = foundation::settingNumber(value);
        const bool offered = size && value == std::to_string(*size) &&
                             std::find(engine::kFontSizes.begin(), engine::kFontSizes.end(), *size) != engine::kFontSizes.end();
        return offered ? std::nullopt : std::optional(expected("8, 9, 10, 11 or 12"));
    }
    if (const engine::OptionSwitch* option = findSwitch(key)) {
        if (value == option->ticked || value == option->unticked) return std::nullopt;
        return expected("\"" + std::string(option->ticked) + "\" or \"" + std::string(option->unticked) + "\"");
    }
    if (key == "SysocPath" || key == "BootPath") return std::nullopt;  // unchecked, as the window writes it
    if (key == "SpeechOutput")
        return value == "Speech" || value == "Both" || value.empty() ? std::nullopt
                                                                     : std::optional(expected("Speech, Both or \"\""));
    if (key == "Transparent") {
        const auto number = foundation::settingNumber(value);
        const bool typed = value.empty() || (number && value == std::to_string(*number) && *number >= 0 && *number <= 255);
        return typed ? std::nullopt : std::optional(expected("0 to 255 or \"\""));
    }
    if (key == "TabStyle") return tabStyleOf(value) ? std::nullopt : std::optional(expected("Tabs, FlatButtons or Buttons"));
    if (key == "ColorStyle")
        return isColorStyleName(value) ? std::nullopt
                                       : std::optional(expected("Default, Old, Black, Red, Green, Gray, White, Blue, "
                                                                "Yellow or Optional"));
    if (colorKeyIndex(key))
        return foundation::colorFromText(value) ? std::nullopt : std::optional(expected("a colour (clRed, $00BBGGRR)"));
    return "unknown setting: " + std::string(key);
}

// The keys the command shows with their texts ("NULL" when absent), in the order printed.
using KeyTexts = std::vector<std::pair<std::string, std::string>>;
struct Shown {
    KeyTexts settings;  // the general keys
    KeyTexts locked;    // the locked items
};

Shown readShown(engine::Session& session) {
    Shown shown;
    for (std::string_view key : kGeneralKeys) shown.settings.emplace_back(key, session.settings.general(key));
    for (const std::string& key : engine::lockKeys())
        shown.locked.emplace_back(key, session.settings.read(foundation::kDisabledItemSection, key));
    return shown;
}

Json textsJson(const KeyTexts& texts) {
    Json object = Json::object();
    for (const auto& [key, text] : texts) object.set(key, valueJson(text));
    return object;
}

// The keys whose text differs, in the order shown: {"key", "before", "after"}.
struct SettingChange {
    std::string key;
    std::string before;
    std::string after;
};
std::vector<SettingChange> settingChanges(const Shown& before, const Shown& after) {
    std::vector<SettingChange> out;
    const auto compare = [&out](const KeyTexts& a, const KeyTexts& b) {
        for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
            if (a[i].second != b[i].second) out.push_back({a[i].first, a[i].second, b[i].second});
    };
    compare(before.settings, after.settings);
    compare(before.locked, after.locked);
    return out;
}

// The colour keys and "ColorStyle" go together, as the hidden page's apply writes them.
void writeColors(engine::Session& session, const OptionsRequest& request) {
    std::optional<std::string> style;
    engine::StyleColors colors = engine::storedColors(session.settings);
    bool picked = false;
    for (const auto& [key, value] : request.settings) {
        if (key == "ColorStyle") style = value;
        if (const auto index = colorKeyIndex(key)) {
            colors[*index] = *foundation::colorFromText(value);
            picked = true;
        }
    }
    if (!style && !picked) return;
    const std::string name = style.value_or(std::string(engine::kOptionalStyle));
    if (engine::colorStyleSkipped(session.settings, name)) return;
    if (const engine::ColorStyle* fixed = engine::findColorStyle(name)) colors = fixed->colors;
    engine::writeColorStyle(session.settings, name, colors);
}

void writeSetting(engine::Session& session, const std::string& key, const std::string& value) {
    if (key == "ColorStyle" || colorKeyIndex(key)) return;  // writeColors
    if (const engine::OptionSwitch* option = findSwitch(key)) return engine::writeSwitch(session.settings, *option, value == option->ticked);
    if (key == "TabStyle") return engine::writeTabStyle(session.settings, *tabStyleOf(value));
    if (key == "Transparent") return engine::writeTransparent(session.settings, value);
    if (key == "SpeechOutput" && value.empty()) return session.settings.remove(kGeneralSection, key);
    session.settings.write(kGeneralSection, key, value);
}

}  // namespace

std::optional<std::string> parseOptionsArguments(int argc, char** argv, OptionsRequest& request) {
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--json") {
            request.json = true;
            continue;
        }
        if (arg != "--set" && arg != "--lock" && arg != "--unlock") return "unexpected argument: " + arg;
        if (i + 1 >= argc) return arg + (arg == "--set" ? " needs KEY=VALUE" : " needs a row");
        const std::string value = argv[++i];
        if (arg != "--set") {
            if (!engine::isLockKey(value)) return "no such row: " + value;
            request.locks.emplace_back(value, arg == "--lock");
            continue;
        }
        const std::size_t equals = value.find('=');
        if (equals == std::string::npos) return "--set needs KEY=VALUE, not " + value;
        std::string key = value.substr(0, equals);
        if (auto error = valueError(key, value.substr(equals + 1))) return error;
        request.settings.emplace_back(std::move(key), value.substr(equals + 1));
    }
    const auto given = [&](auto&& pick) {
        return std::any_of(request.settings.begin(), request.settings.end(), pick);
    };
    const bool fixedStyle = given([](const auto& s) { return s.first == "ColorStyle" && s.second != engine::kOptionalStyle; });
    if (fixedStyle && given([](const auto& s) { return colorKeyIndex(s.first).has_value(); }))
        return "a colour key goes with ColorStyle=Optional only";
    return std::nullopt;
}

int runOptions(engine::Session& session, const OptionsRequest& request) {
    const Shown before = readShown(session);
    if (request.settings.empty() && request.locks.empty()) {
        if (request.json) {
            printJson(commandObject("options")
                          .set("settings", textsJson(before.settings))
                          .set("locked", textsJson(before.locked)));
            return 0;
        }
        for (const KeyTexts* texts : {&before.settings, &before.locked})
            for (const auto& [key, text] : *texts) std::printf("%s\t%s\n", key.c_str(), text.c_str());
        return 0;
    }
    for (const auto& [key, value] : request.settings) writeSetting(session, key, value);
    writeColors(session, request);
    std::vector<Refusal> refused;
    for (const auto& [row, lock] : request.locks) {
        if (!engine::readLockBox(session.settings, row).enabled) {
            refused.push_back({row, row + " はプログラムが無効にした項目のため、変更できません。"});
            std::fprintf(stderr, "%s\n", refused.back().message.c_str());
            continue;
        }
        engine::writeLockBox(session.settings, row, lock);
    }
    // What changed is what reads otherwise now: a value set to the text it had is no change.
    const Shown after = readShown(session);
    const std::vector<SettingChange> changed = settingChanges(before, after);
    if (request.json) {
        Json list = Json::array();
        for (const SettingChange& d : changed)
            list.push(
                Json::object().set("key", d.key).set("before", valueJson(d.before)).set("after", valueJson(d.after)));
        printJson(commandObject("options")
                      .set("changed", std::move(list))
                      .set("refused", refusalsJson(refused))
                      .set("settings", textsJson(after.settings))
                      .set("locked", textsJson(after.locked)));
    } else {
        std::printf("%s\n", changed.empty() ? "unchanged" : "changed");
        for (const SettingChange& d : changed)
            std::printf("%s\t%s → %s\n", d.key.c_str(), d.before.c_str(), d.after.c_str());
    }
    return refused.empty() ? 0 : 1;
}

}  // namespace hastelyn::cli
