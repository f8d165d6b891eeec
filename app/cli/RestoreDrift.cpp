#include "app/cli/RestoreDrift.h"

#include <algorithm>
#include <set>

#include "app/cli/CommandOutput.h"
#include "engine/ServiceStatus.h"
#include "engine/Services.h"
#include "engine/Startup.h"
#include "engine/TweakItem.h"
#include "foundation/LockedItems.h"
#include "platform/Text.h"
#include "platform/recording/RecordingPlatform.h"

namespace hastelyn::cli {
namespace {

// "stopped" or "running" (any state but stopped) for the service of a display name, as the
// service manager says now.
std::string serviceState(engine::Session& session, const std::string& displayName) {
    const auto keys = session.registry.GetRegSubKeys(platform::RootKey::LocalMachine, engine::kServicesKey);
    for (const std::string& key : keys ? *keys : std::vector<std::string>()) {
        const std::string name = session.registry.ReadRegValue(platform::RootKey::LocalMachine, engine::serviceKeyPath(key),
                                                               "DisplayName", foundation::RegType::String);
        if (name == displayName)
            return engine::GetServiceStatusName(session.platform, key) == engine::kStopped ? "stopped" : "running";
    }
    return "stopped";
}

class QuietClipboard : public foundation::Clipboard {
public:
    std::string text() override { return text_; }
    void setText(std::string_view text) override { text_ = std::string(text); }

private:
    std::string text_;
};

// The restore's own first question was answered before the file is applied: the questions of
// the restore itself (shell restart, PC information) are Yes only with --yes-all.
class QuietDialogs : public foundation::DialogProvider {
public:
    explicit QuietDialogs(bool yesAll) : yesAll_(yesAll) {}
    bool show(foundation::DialogKind kind, std::string_view /*text*/) override {
        return kind != foundation::DialogKind::Confirmation || yesAll_;
    }

private:
    bool yesAll_;
};

}  // namespace

// Row by row in the order the restore reached them: the values whose end state differs from
// the machine's now, then the services it would start or stop.
std::vector<Difference> differences(engine::Session& session, const recording::ChangeLog& log) {
    const std::vector<recording::RowChanges> net = log.net();
    std::vector<std::string> order;
    for (const recording::RowChanges& r : log.byRow()) order.push_back(r.row);
    for (const recording::RowChanges& r : net) order.push_back(r.row);
    std::vector<Difference> out;
    std::set<std::string> done;
    for (const std::string& row : order) {
        if (row.empty() || !done.insert(row).second) continue;
        for (const recording::RowChanges& r : net)
            if (r.row == row)
                for (const recording::Change& c : r.changes)
                    // The restore only notes in the program's settings the start types it changes.
                    if (!isProgramSettings(session, c)) out.push_back({row, c.target, c.after, c.before});
        for (const recording::RowChanges& r : log.byRow())
            if (r.row == row)
                for (const recording::Change& c : r.changes)
                    if (c.kind == recording::ChangeKind::Service) {
                        // A row may start or stop its service whatever state it is in: only a
                        // state other than the one asked for is a difference.
                        const std::string expected = c.after == "start" ? "running" : "stopped";
                        const std::string actual = serviceState(session, c.target);
                        if (actual != expected) out.push_back({row, c.target, expected, actual});
                    }
    }
    // A row whose state the program's settings alone keep (the compressed folders: no value of
    // the machine says whether they are registered) shows its state as the restore would leave
    // it against the state read at start, when nothing else of it differs.
    const std::vector<engine::ItemList>& items = engine::tweakItems();
    for (std::size_t c = 0; c < items.size(); ++c)
        for (std::size_t r = 0; r < items[c].size(); ++r) {
            const std::string row = foundation::tweakRowKey(c, r);
            const bool now = session.model.state()[c * engine::kRowsPerCategory + r] != 0;
            const bool after = items[c][r]->inForce(session);
            if (now != after && std::none_of(out.begin(), out.end(), [&](const Difference& d) { return d.row == row; }))
                out.push_back({row, "state", after ? "in force" : "not in force", now ? "in force" : "not in force"});
        }
    return out;
}

std::vector<Difference> restoreDrift(platform::Platform& machine, const std::string& file, bool yesAll,
                                     const engine::RestoreOptions& options, engine::RestoreResult& restored) {
    recording::RecordingPlatform recorder(machine, recording::RecordingMode::DryRun);
    QuietClipboard clipboard;
    QuietDialogs dialogs(yesAll);
    engine::Session session(recorder.platform(), clipboard, dialogs);
    session.applyingRow = [&](std::string_view row) { recorder.log().beginRow(row); };
    engine::startWithoutWindows(session);
    restored = engine::ApplyRestorePoint(session, file, options);
    return differences(session, recorder.log());
}

}  // namespace hastelyn::cli
