#include "engine/PresetText.h"

#include <algorithm>

#include "platform/Text.h"

namespace hastelyn::engine {
namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

std::string decoded(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) return text::utf16leToUtf8(bytes.substr(2));
    return text::decodeFileText(bytes);
}

// The refusal of a line; nothing when it is a comment, empty, the section or a tick.
std::optional<std::string> readLine(std::string_view line, bool& inSection, const std::vector<std::string>& rows,
                                    const std::set<std::string>& lacking, std::vector<PresetTick>& ticks) {
    if (line.empty() || line.front() == ';') return std::nullopt;
    if (line.front() == '[') {
        if (!line.ends_with(']') || line.size() < 2 || !text::equalsNoCase(trimmed(line.substr(1, line.size() - 2)), "Preset"))
            return "セクションは [Preset] だけです: " + std::string(line);
        inSection = true;
        return std::nullopt;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return "\"行名=tick\" または \"行名=untick\" の行ではありません: " + std::string(line);
    if (!inSection) return "[Preset] の前に行があります: " + std::string(line);
    const std::string_view name = trimmed(line.substr(0, equals));
    const std::string_view value = trimmed(line.substr(equals + 1));
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const std::string& r) { return text::equalsNoCase(r, name); });
    if (row == rows.end()) return "行 " + std::string(name) + " はありません。";
    if (lacking.contains(*row)) return "行 " + *row + " は、この Windows にはありません。";
    if (!text::equalsNoCase(value, "tick") && !text::equalsNoCase(value, "untick"))
        return "行 " + *row + " の値 \"" + std::string(value) + "\" は tick でも untick でもありません。";
    if (std::any_of(ticks.begin(), ticks.end(), [&](const PresetTick& t) { return t.row == *row; }))
        return "行 " + *row + " が二度あります。";
    ticks.push_back({*row, text::equalsNoCase(value, "tick")});
    return std::nullopt;
}

}  // namespace

PresetText parsePreset(std::string_view bytes, const std::vector<std::string>& rows, const std::set<std::string>& lacking) {
    const std::string content = decoded(bytes);
    PresetText preset;
    bool inSection = false;
    std::size_t number = 0;
    for (std::size_t at = 0; at <= content.size();) {
        const std::size_t end = std::min(content.find('\n', at), content.size());
        const std::string_view line = trimmed(std::string_view(content).substr(at, end - at));
        at = end + 1;
        ++number;
        if (std::optional<std::string> refusal = readLine(line, inSection, rows, lacking, preset.ticks)) {
            preset.ticks.clear();
            preset.refusedLine = number;
            preset.refusal = std::move(*refusal);
            break;
        }
    }
    return preset;
}

}  // namespace hastelyn::engine
