// verify: the restore run as a dry run with the answers the restore would get; what it would
// change is where the machine has drifted from the restore point.
#include <algorithm>
#include <cstdio>

#include "app/cli/CommandOutput.h"
#include "app/cli/Commands.h"
#include "app/cli/PresetFile.h"
#include "app/cli/RowNames.h"
#include "app/cli/RestoreDrift.h"
#include "engine/RestorePoint.h"

namespace hastelyn::cli {
namespace {

std::string shown(const std::optional<std::string>& value) { return value ? *value : "(absent)"; }

// The rows of the preset (of the scope asked for) whose tick differs from what is in force now.
std::vector<Difference> presetDifferences(engine::Session& session, const Options& o, const std::string& preset) {
    const std::vector<RowView> rows = listRows(session.model);
    std::vector<Difference> found;
    const auto word = [](bool ticked) { return ticked ? "ticked" : "unticked"; };
    for (const PresetTick& tick : readPreset(session, preset)) {
        const auto view = std::find_if(rows.begin(), rows.end(), [&](const RowView& r) { return r.name == tick.row; });
        if (inScope(session, *view, o.scope) && view->row->ticked != tick.ticked)
            found.push_back({tick.row, "tick", word(tick.ticked), word(view->row->ticked)});
    }
    return found;
}

// "matches" or "drifted" and a line per difference; with --json the object, naming the file
// compared with under `field`.
int printDifferences(const Options& o, std::string_view field, const std::string& file, const std::vector<Difference>& found) {
    if (o.json) {
        Json list = Json::array();
        for (const Difference& d : found)
            list.push(Json::object()
                          .set("row", d.row)
                          .set("target", d.target)
                          .set("expected", d.expected)
                          .set("actual", d.actual));
        Json json = commandObject("verify");
        printJson(json.set(std::string(field), file).set("matches", found.empty()).set("differences", std::move(list)));
    } else {
        std::printf("%s\n", found.empty() ? "matches" : "drifted");
        for (const Difference& d : found)
            std::printf("%s\t%s\texpected %s\tactual %s\n", d.row.c_str(), d.target.c_str(), shown(d.expected).c_str(),
                        shown(d.actual).c_str());
    }
    return found.empty() ? 0 : 3;
}

}  // namespace

int runVerify(CommandContext& context) {
    engine::Session& session = context.session;
    const Options& o = context.options;
    if (!o.preset.empty()) {
        const std::string preset = machinePath(session, o.preset);
        return printDifferences(o, "preset", preset, presetDifferences(session, o, preset));
    }
    const std::string file = machinePath(session, o.files.front());
    refuseNonRestorePoint(session, file);
    engine::checkRestorePoint(session, file);
    const engine::RestoreOptions options = restoreOptionsFor(session, file, o.allowOtherPc);
    engine::ApplyRestorePoint(session, file, options);
    return printDifferences(o, "file", file, differences(session, *context.log));
}

}  // namespace hastelyn::cli
