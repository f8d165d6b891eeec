#include <algorithm>
#include <cstdio>
#include <optional>
#include <exception>

#include "app/cli/CommandOutput.h"
#include "app/cli/Commands.h"
#include "app/cli/RowNames.h"
#include "engine/Accelerate.h"
#include "engine/MachineChanges.h"
#include "engine/Passes.h"

namespace hastelyn::cli {
namespace {

constexpr const char* kLeftMessage = "ほかのプログラムが先に変更していたため、そのままにしました。";

// The ticks asked for; a row that is locked or disabled on this Windows is refused and said so.
std::vector<Refusal> setTicks(engine::Session& session, const Options& o) {
    if (o.tickAll)
        for (std::size_t c = 0; c < engine::kTweakCategoryCount; ++c)
            for (engine::Row& row : session.model.tweakList(c).rows)
                if (row.enabled) row.ticked = true;
    std::vector<Refusal> refused;
    for (const auto& [name, ticked] : o.tickChanges) {
        engine::Row* row = findRow(session.model, name);
        if (row == nullptr) throw UsageError{"no such row: " + name};
        if (!row->enabled) {
            refused.push_back({name, name + " はロックされているか、この Windows では使えないため、変更できません。"});
            std::fprintf(stderr, "%s\n", refused.back().message.c_str());
            continue;
        }
        row->ticked = ticked;
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
