// verify: the restore run as a dry run; what it would change is where the machine has drifted
// from the restore point.
#include <cstdio>
#include <set>

#include "app/cli/CommandOutput.h"
#include "app/cli/Commands.h"
#include "engine/RestorePoint.h"
#include "engine/ServiceStatus.h"
#include "engine/Services.h"
#include "platform/Text.h"

namespace hastelyn::cli {
namespace {

struct Difference {
    std::string row;
    std::string target;
    std::optional<std::string> expected;
    std::optional<std::string> actual;
};

// The program's own settings file is no state of the machine: the restore only notes there the
// start types it is about to change.
bool isProgramSettings(const engine::Session& session, const recording::Change& change) {
    return change.kind == recording::ChangeKind::Profile &&
           text::equalsNoCase(change.target.substr(0, change.target.find(" [")), session.settings.path());
}

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
        if (!done.insert(row).second) continue;
        for (const recording::RowChanges& r : net)
            if (r.row == row)
                for (const recording::Change& c : r.changes)
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
    return out;
}

std::string shown(const std::optional<std::string>& value) { return value ? *value : "(absent)"; }

}  // namespace

int runVerify(CommandContext& context) {
    engine::Session& session = context.session;
    const std::string file = machinePath(session, context.options.files.front());
    refuseNonRestorePoint(session, file);
    engine::ApplyRestorePoint(session, file);
    const std::vector<Difference> found = differences(session, *context.log);

    if (context.options.json) {
        Json list = Json::array();
        for (const Difference& d : found)
            list.push(Json::object()
                          .set("row", d.row)
                          .set("target", d.target)
                          .set("expected", d.expected)
                          .set("actual", d.actual));
        printJson(commandObject("verify").set("file", file).set("matches", found.empty()).set("differences", std::move(list)));
    } else {
        std::printf("%s\n", found.empty() ? "matches" : "drifted");
        for (const Difference& d : found)
            std::printf("%s\t%s\texpected %s\tactual %s\n", d.row.c_str(), d.target.c_str(), shown(d.expected).c_str(),
                        shown(d.actual).c_str());
    }
    return found.empty() ? 0 : 3;
}

}  // namespace hastelyn::cli
