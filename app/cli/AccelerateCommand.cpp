#include <algorithm>
#include <cstdio>
#include <optional>
#include <exception>

#include "app/cli/CommandOutput.h"
#include "app/cli/Commands.h"
#include "app/cli/PresetFile.h"
#include "app/cli/RowNames.h"
#include "engine/Accelerate.h"
#include "engine/MachineChanges.h"
#include "engine/Passes.h"

namespace hastelyn::cli {
namespace {

constexpr const char* kLeftMessage = "ほかのプログラムが先に変更していたため、そのままにしました。";

// The ticks asked for: --tick-all, then the preset, then --tick and --untick in their order (a
// later one wins), each kept only when the row is of the scope asked for. A row that is locked or
// disabled on this Windows is refused and said so.
std::vector<Refusal> setTicks(engine::Session& session, const Options& o) {
    const std::vector<RowView> rows = listRows(session.model);
    if (o.tickAll)
        for (const RowView& view : rows)
            if (view.item != nullptr && view.row->enabled && inScope(session, view, o.scope)) view.row->ticked = true;
    std::vector<std::pair<std::string, bool>> asked;
    if (!o.preset.empty())
        for (const PresetTick& tick : readPreset(session, machinePath(session, o.preset)))
            asked.emplace_back(tick.row, tick.ticked);
    asked.insert(asked.end(), o.tickChanges.begin(), o.tickChanges.end());
    std::vector<Refusal> refused;
    for (const auto& [name, ticked] : asked) {
        const std::string& wanted = name;
        const auto view = std::find_if(rows.begin(), rows.end(), [&](const RowView& r) { return r.name == wanted; });
        if (view == rows.end()) throw UsageError{"no such row: " + name};
        if (!inScope(session, *view, o.scope)) {
            std::fprintf(stderr, "scope\t%s\t%s の行ではないため、変更しません (この行の書き込み先: %s)。\n", name.c_str(),
                         o.scope.c_str(), std::string(engine::scopeName(scopeOf(session, *view))).c_str());
            continue;
        }
        if (!view->row->enabled) {
            refused.push_back({name, name + " はロックされているか、この Windows では使えないため、変更できません。"});
            std::fprintf(stderr, "%s\n", refused.back().message.c_str());
            continue;
        }
        view->row->ticked = ticked;
    }
    return refused;
}

// Whether a row that took changed anything: the rows that failed may have written part of
// their values, and a run of only those changed nothing it can claim.
bool changedAny(const std::vector<recording::RowChanges>& rows, const std::vector<Refusal>& failed) {
    return std::any_of(rows.begin(), rows.end(), [&](const recording::RowChanges& r) {
        return std::none_of(failed.begin(), failed.end(), [&](const Refusal& f) { return f.row == r.row; });
    });
}

}  // namespace

int runAccelerate(CommandContext& context) {
    engine::Session& session = context.session;
    const Options& o = context.options;
    const bool plan = o.command == "plan";
    const bool dryRun = plan || o.dryRun;
    const std::vector<Refusal> refused = setTicks(session, o);

    engine::AccelerateOutcome outcome;
    std::optional<Refusal> ended;
    try {
        engine::accelerate(session, outcome, {.changed = {}, .dryRun = dryRun});
    } catch (const std::exception& e) {
        // An error at a row ends the pass there: the rows before stay done and are reported.
        if (context.log->currentRow().empty()) throw;
        ended = Refusal{context.log->currentRow(), e.what()};
        // The rows before may have changed: a window open on the machine is to read them again.
        session.applyingRow("");
        engine::stampChanges(session);
    }
    // Every row that did not take, in the order the pass reached them: those whose write was
    // refused and skipped, then the one an error ended the pass at.
    std::vector<Refusal> failed;
    for (const engine::FailedRow& f : outcome.failed)
        failed.push_back({engine::rowKeyOf(session.model, f.index), f.message});
    if (ended) failed.push_back(*ended);
    for (const Refusal& f : failed) std::fprintf(stderr, "failed\t%s\t%s\n", f.row.c_str(), f.message.c_str());
    // Rows another run changed first are left as they are, and said so.
    std::vector<Refusal> left;
    for (const std::size_t index : outcome.left) {
        left.push_back({engine::rowKeyOf(session.model, index), kLeftMessage});
        std::fprintf(stderr, "left\t%s\t%s\n", left.back().row.c_str(), kLeftMessage);
    }
    const std::vector<recording::RowChanges> rows = rowsOnly(context.log->byRow());
    const bool changed = changedAny(rows, failed);
    const char* result = !outcome.confirmed ? "cancelled" : changed ? "changed" : "unchanged";
    const std::string restorePoint = dryRun ? "" : outcome.restorePoint;

    if (o.json) {
        Json json = commandObject(o.command);
        if (plan) {
            json.set("changed", changed);
        } else {
            json.set("result", result);
            json.set("restore_point", restorePoint.empty() ? Json() : Json(restorePoint));
            if (dryRun) json.set("dry_run", true);
        }
        json.set("rows", rowsJson(rows, session.model));
        json.set("failed", refusalsJson(failed));
        json.set("refused", refusalsJson(refused));
        json.set("left", refusalsJson(left));
        json.set("reboot_required", rebootRequired(session, context.log->byRow()));
        printJson(json);
    } else if (plan) {
        printRows(stdout, rows, session.model);
    } else {
        std::printf("%s\n", result);
        if (!restorePoint.empty()) std::printf("restore-point\t%s\n", restorePoint.c_str());
        // A real run keeps its output as scripts know it; what it did goes with its messages.
        printRows(dryRun ? stdout : stderr, rows, session.model);
    }
    return refused.empty() && failed.empty() ? 0 : 1;
}

}  // namespace hastelyn::cli
