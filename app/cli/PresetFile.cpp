#include "app/cli/PresetFile.h"

#include <set>

#include "app/cli/RowNames.h"
#include "foundation/BoundedFile.h"
#include "foundation/CommandError.h"
#include "foundation/Edition.h"
#include "foundation/LockedItems.h"

namespace hastelyn::cli {
namespace {

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
    std::string bytes;
    switch (foundation::readFileWithin(session.platform.files, path, kMaxPresetBytes, bytes)) {
        case foundation::BoundedRead::Missing: throw foundation::CommandError("ファイル \"" + path + "\" が見つかりません。");
        case foundation::BoundedRead::TooLarge:
            throw foundation::CommandError("プリセット \"" + path + "\" は大きすぎます (上限 " +
                                           std::to_string(kMaxPresetBytes >> 20) + " MiB)。何も変更しませんでした。");
        case foundation::BoundedRead::Read: break;
    }
    std::vector<std::string> names;
    for (const RowView& view : listRows(session.model)) names.push_back(view.name);
    engine::PresetText preset = engine::parsePreset(bytes, names, rowsThisWindowsLacks(session));
    if (preset.refusedLine != 0)
        throw foundation::CommandError("プリセット \"" + path + "\" の " + std::to_string(preset.refusedLine) + " 行目: " +
                                       preset.refusal + " 何も変更しませんでした。");
    return std::move(preset.ticks);
}

}  // namespace hastelyn::cli
