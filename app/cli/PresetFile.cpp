#include "app/cli/PresetFile.h"

#include <algorithm>
#include <set>

#include "app/cli/RowNames.h"
#include "foundation/BoundedFile.h"
#include "foundation/CommandError.h"
#include "foundation/Edition.h"
#include "foundation/LockedItems.h"
#include "platform/Text.h"

namespace hastelyn::cli {
namespace {

constexpr std::string_view kSection = "Preset";

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

std::string decoded(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) return text::utf16leToUtf8(bytes.substr(2));
    return text::decodeFileText(bytes);
}

// The row names this Windows has no use for: the rows the edition disables.
std::set<std::string> rowsThisWindowsLacks(engine::Session& session) {
    const foundation::DisabledControls disabled = foundation::disabledControlsFor(session.codes);
    std::set<std::string> lacking;
    for (std::size_t c = 0; c < disabled.rows.size(); ++c)
        for (const int row : disabled.rows[c]) lacking.insert(foundation::tweakRowKey(c, static_cast<std::size_t>(row - 1)));
    return lacking;
}

}  // namespace

std::vector<PresetTick> readPreset(engine::Session& session, const std::string& path) {
    const auto refuse = [&](std::size_t line, const std::string& why) {
        throw foundation::CommandError("プリセット \"" + path + "\" の " + std::to_string(line) + " 行目: " + why +
                                       " 何も変更しませんでした。");
    };
    std::string bytes;
    switch (foundation::readFileWithin(session.platform.files, path, kMaxPresetBytes, bytes)) {
        case foundation::BoundedRead::Missing: throw foundation::CommandError("ファイル \"" + path + "\" が見つかりません。");
        case foundation::BoundedRead::TooLarge:
            throw foundation::CommandError("プリセット \"" + path + "\" は大きすぎます (上限 " +
                                           std::to_string(kMaxPresetBytes >> 20) + " MiB)。何も変更しませんでした。");
        case foundation::BoundedRead::Read: break;
    }
    const std::string content = decoded(bytes);
    const std::vector<RowView> rows = listRows(session.model);
    const std::set<std::string> lacking = rowsThisWindowsLacks(session);
    std::vector<PresetTick> ticks;
    bool inSection = false;
    std::size_t number = 0;
    for (std::size_t at = 0; at <= content.size();) {
        const std::size_t end = std::min(content.find('\n', at), content.size());
        const std::string_view line = trimmed(std::string_view(content).substr(at, end - at));
        at = end + 1;
        ++number;
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            if (!line.ends_with(']') || !text::equalsNoCase(trimmed(line.substr(1, line.size() - 2)), kSection))
                refuse(number, "セクションは [Preset] だけです: " + std::string(line));
            inSection = true;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) refuse(number, "\"行名=tick\" または \"行名=untick\" の行ではありません: " + std::string(line));
        if (!inSection) refuse(number, "[Preset] の前に行があります: " + std::string(line));
        const std::string_view name = trimmed(line.substr(0, equals));
        const std::string_view value = trimmed(line.substr(equals + 1));
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const RowView& r) { return text::equalsNoCase(r.name, name); });
        if (row == rows.end()) refuse(number, "行 " + std::string(name) + " はありません。");
        if (lacking.contains(row->name)) refuse(number, "行 " + row->name + " は、この Windows にはありません。");
        if (!text::equalsNoCase(value, "tick") && !text::equalsNoCase(value, "untick"))
            refuse(number, "行 " + row->name + " の値 \"" + std::string(value) + "\" は tick でも untick でもありません。");
        if (std::any_of(ticks.begin(), ticks.end(), [&](const PresetTick& t) { return t.row == row->name; }))
            refuse(number, "行 " + row->name + " が二度あります。");
        ticks.push_back({row->name, text::equalsNoCase(value, "tick")});
    }
    return ticks;
}

}  // namespace hastelyn::cli
