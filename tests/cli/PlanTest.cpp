// plan and --dry-run: the real passes over the recording layer, nothing reaching the machine, and
// what they show is what a real run then writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>

#include "tests/cli/RecordedRunFixture.h"

namespace hastelyn {
namespace {

using nlohmann::json;

// "C:\boot.ini [boot loader] timeout" or "C:\boot.ini" -> "DRIVES/C/BOOT.INI", as filesBelow names it.
std::string hostFile(const std::string& target) {
    std::string path = target.substr(0, target.find(" ["));
    std::string out = "DRIVES/" + path.substr(0, 1) + "/" + path.substr(3);
    std::replace(out.begin(), out.end(), '\\', '/');
    return text::upperAscii(out);
}

// The machine's own files that changed (not the hives, the journal, nor the restore point).
std::set<std::string> changedDriveFiles(const std::map<std::string, std::string>& before,
                                        const std::map<std::string, std::string>& after) {
    std::set<std::string> changed;
    for (const auto& [path, bytes] : after)
        if (path.starts_with("drives/") && path.find("復元ポイント") == std::string::npos &&
            (!before.contains(path) || before.at(path) != bytes))
            changed.insert(text::upperAscii(path));
    for (const auto& [path, bytes] : before)
        if (path.starts_with("drives/") && !after.contains(path)) changed.insert(text::upperAscii(path));
    return changed;
}

TEST(Plan, ADryRunWritesNothingAndShowsWhatTheRealRunThenWrites) {
    for (const std::string edition : {"xp", "98"}) {
        SCOPED_TRACE(edition);
        const EditionMachine machine(edition);
        ASSERT_EQ(machine.run({"status"}).exitCode, 0);  // what every start writes is written
        const auto untouched = machine.files();

        const json plan = machine.json({"plan", "--tick-all", "--json"});
        // A dry run needs no --yes; the plan's text tells of no change made and no restore point.
        const json dry = machine.json({"accelerate", "--tick-all", "--dry-run", "--json"});
        const testing::ProgramResult planText = machine.run({"plan", "--tick-all"});
        EXPECT_EQ(planText.err.find("高速化しました"), std::string::npos) << planText.err;
        EXPECT_EQ(planText.err.find("復元ポイント"), std::string::npos) << planText.err;
        EXPECT_EQ(machine.files(), untouched) << "a dry run changed the machine's folder";
        ASSERT_EQ(plan.at("changed"), true);
        EXPECT_EQ(dry.at("dry_run"), true);
        EXPECT_EQ(dry.at("result"), "changed");
        EXPECT_TRUE(dry.at("restore_point").is_null());
        EXPECT_EQ(changeLines(dry.at("rows")), changeLines(plan.at("rows")));

        const auto registryBefore = machine.registry();
        const json real = machine.json({"accelerate", "--tick-all", "--yes", "--json"});
        ASSERT_EQ(real.at("result"), "changed");
        EXPECT_TRUE(real.at("failed").empty());
        // The report of the real run is the plan (commands aside: a started tool's window is
        // there to be closed only when the tool really ran).
        EXPECT_EQ(changeLines(real.at("rows"), false), changeLines(plan.at("rows"), false));

        // Every registry value the run changed was planned with the value it got, and no other.
        std::map<std::string, std::optional<std::string>> planned;
        std::set<std::string> plannedFiles;
        for (const json& row : plan.at("rows"))
            for (const json& c : row.at("changes")) {
                const json& after = c.at("after");
                const std::string target = c.at("target");
                if (c.at("kind") == "registry")
                    planned[text::upperAscii(target)] = after.is_null() ? std::nullopt : std::optional<std::string>(after);
                if (c.at("kind") == "profile" || c.at("kind") == "file") plannedFiles.insert(hostFile(target));
            }
        EXPECT_EQ(planned, testing::stateChanges(registryBefore, machine.registry()));
        // The files it changed are those the plan names.
        const auto filesAfter = machine.files();
        std::set<std::string> changedFiles = changedDriveFiles(untouched, filesAfter);
        plannedFiles.erase(hostFile("C:\\Program Files\\Hastelyn\\Hastelyn.ini"));  // the settings notes of the service rows
        changedFiles.erase(hostFile("C:\\Program Files\\Hastelyn\\Hastelyn.ini"));
        EXPECT_EQ(changedFiles, plannedFiles);

        // A dry restore of the automatic restore point leaves the machine as the real run left it.
        const json restore =
            machine.json({"restore", real.at("restore_point").get<std::string>(), "--dry-run", "--json"});
        EXPECT_EQ(machine.files(), filesAfter) << "a dry restore changed the machine's folder";
        EXPECT_EQ(restore.at("result"), "restored");
        EXPECT_EQ(restore.at("dry_run"), true);
        EXPECT_FALSE(restore.at("rows").empty());

        // A second plan finds nothing left to do.
        EXPECT_EQ(machine.json({"plan", "--tick-all", "--json"}).at("changed"), false);
    }
}

TEST(Plan, LockedRowsAreRefusedBesideWhatIsPlanned) {
    const EditionMachine machine("xp");
    const json plan = machine.json({"plan", "--tick", "System1", "--tick", "System10", "--json"}, 1);
    EXPECT_EQ(plan.at("refused"), json::parse(R"([{"row": "System10", "message": )"
                                              R"("System10 はロックされているか、この Windows では使えないため、変更できません。"}])"));
    ASSERT_EQ(plan.at("rows").size(), 1u);
    EXPECT_EQ(plan.at("rows").at(0).at("row"), "System1");
    EXPECT_EQ(plan.at("rows").at(0).at("ticked"), true);
    EXPECT_EQ(changeLines(plan.at("rows")),
              std::vector<std::string>{"System1|registry|HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session "
                                       "Manager\\Memory Management\\DisablePagingExecutive|0|1"});
}

// A restricted account may not write HKEY_LOCAL_MACHINE. A refused number is skipped and the run
// goes on, but its row did not take: it is named under "failed", and a run of only such rows is
// no change and keeps no restore point. A refused string ends the run at its row, the rows before
// it done. The plan names the same rows as the real run.
TEST(Plan, RowsWhoseWritesAreRefusedFailInThePlanAsInTheRealRun) {
    const EditionMachine machine("xp");
    ASSERT_EQ(machine.run({"status"}).exitCode, 0);
    const std::filesystem::path ini = machine.folder.path() / "machine.ini";
    std::string settings = testing::fileText(ini);
    settings.replace(settings.find("Account=Administrator"), 21, "Account=Restricted");
    std::ofstream(ini, std::ios::binary) << settings;
    const auto failedRows = [](const json& object) {
        std::vector<std::string> rows;
        for (const json& f : object.at("failed")) {
            EXPECT_TRUE(f.at("message").get<std::string>().ends_with("アクセスが拒否されました。")) << f;
            rows.push_back(f.at("row"));
        }
        return rows;
    };

    const json one = machine.json({"accelerate", "--tick", "System1", "--yes", "--json"}, 1);
    EXPECT_EQ(one.at("result"), "unchanged");
    EXPECT_TRUE(one.at("restore_point").is_null());
    EXPECT_EQ(failedRows(one), std::vector<std::string>{"System1"});
    for (const auto& [path, bytes] : machine.files()) EXPECT_EQ(path.find("復元ポイント"), std::string::npos) << path;
    const json onePlan = machine.json({"plan", "--tick", "System1", "--json"}, 1);
    EXPECT_EQ(onePlan.at("changed"), false);
    EXPECT_EQ(onePlan.at("failed"), one.at("failed"));

    const json plan = machine.json({"plan", "--tick-all", "--json"}, 1);
    const json real = machine.json({"accelerate", "--tick-all", "--yes", "--json"}, 1);
    EXPECT_EQ(failedRows(plan), (std::vector<std::string>{"System1", "System2", "System4", "System5", "Desktop4"}));
    EXPECT_EQ(real.at("failed"), plan.at("failed"));
    EXPECT_EQ(real.at("result"), "changed");
    EXPECT_FALSE(real.at("restore_point").is_null());
    EXPECT_EQ(changeLines(real.at("rows"), false), changeLines(plan.at("rows"), false));
}

}  // namespace
}  // namespace hastelyn
