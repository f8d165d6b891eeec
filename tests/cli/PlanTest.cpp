// plan and --dry-run: the real passes over the recording layer, nothing reaching the machine, and
// what they show is what a real run then writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>

#include "tests/cli/RecordedRunFixture.h"

namespace hastelyn {
namespace {

using testing::JsonValue;

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

        const JsonValue plan = machine.json({"plan", "--tick-all", "--json"});
        const JsonValue dry = machine.json({"accelerate", "--tick-all", "--yes", "--dry-run", "--json"});
        EXPECT_EQ(machine.files(), untouched) << "a dry run changed the machine's folder";
        ASSERT_TRUE(plan["changed"].boolean());
        EXPECT_TRUE(dry["dry_run"].boolean());
        EXPECT_EQ(dry["result"].text(), "changed");
        EXPECT_TRUE(dry["restore_point"].isNull());
        EXPECT_EQ(changeLines(dry["rows"]), changeLines(plan["rows"]));

        const auto registryBefore = machine.registry();
        const JsonValue real = machine.json({"accelerate", "--tick-all", "--yes", "--json"});
        ASSERT_EQ(real["result"].text(), "changed");
        EXPECT_TRUE(real["failed"].array().empty());
        // The report of the real run is the plan (commands aside: a started tool's window is
        // there to be closed only when the tool really ran).
        EXPECT_EQ(changeLines(real["rows"], false), changeLines(plan["rows"], false));

        // Every registry value the run changed was planned with the value it got, and no other.
        std::map<std::string, std::optional<std::string>> planned;
        std::set<std::string> plannedFiles;
        for (const JsonValue& row : plan["rows"].array())
            for (const JsonValue& c : row["changes"].array()) {
                if (c["kind"].text() == "registry") planned[text::upperAscii(c["target"].text())] = c["after"].optionalText();
                if (c["kind"].text() == "profile" || c["kind"].text() == "file") plannedFiles.insert(hostFile(c["target"].text()));
            }
        EXPECT_EQ(planned, testing::stateChanges(registryBefore, machine.registry()));
        // The files it changed are those the plan names.
        const auto filesAfter = machine.files();
        std::set<std::string> changedFiles = changedDriveFiles(untouched, filesAfter);
        plannedFiles.erase(hostFile("C:\\Program Files\\Hastelyn\\Hastelyn.ini"));  // the settings notes of the service rows
        changedFiles.erase(hostFile("C:\\Program Files\\Hastelyn\\Hastelyn.ini"));
        EXPECT_EQ(changedFiles, plannedFiles);

        // A dry restore of the automatic restore point leaves the machine as the real run left it.
        const JsonValue restore =
            machine.json({"restore", real["restore_point"].text(), "--yes-all", "--dry-run", "--json"});
        EXPECT_EQ(machine.files(), filesAfter) << "a dry restore changed the machine's folder";
        EXPECT_EQ(restore["result"].text(), "restored");
        EXPECT_TRUE(restore["dry_run"].boolean());
        EXPECT_FALSE(restore["rows"].array().empty());

        // A second plan finds nothing left to do.
        EXPECT_FALSE(machine.json({"plan", "--tick-all", "--json"})["changed"].boolean());
    }
}

TEST(Plan, LockedRowsAreRefusedBesideWhatIsPlanned) {
    const EditionMachine machine("xp");
    const JsonValue plan = machine.json({"plan", "--tick", "System1", "--tick", "System10", "--json"}, 1);
    ASSERT_EQ(plan["refused"].array().size(), 1u);
    EXPECT_EQ(plan["refused"].array()[0]["row"].text(), "System10");
    EXPECT_EQ(plan["refused"].array()[0]["message"].text(),
              "System10 はロックされているか、この Windows では使えないため、変更できません。");
    ASSERT_EQ(plan["rows"].array().size(), 1u);
    const JsonValue& row = plan["rows"].array()[0];
    EXPECT_EQ(row["row"].text(), "System1");
    EXPECT_TRUE(row["ticked"].boolean());
    EXPECT_EQ(changeLines(plan["rows"]),
              std::vector<std::string>{"System1|registry|HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session "
                                       "Manager\\Memory Management\\DisablePagingExecutive|0|1"});
}

// A restricted account may not write HKEY_LOCAL_MACHINE: the plan names the row that would fail
// and why, as the real run then does, with the rows before it done.
TEST(Plan, TheRowAWriteIsRefusedAtFailsInThePlanAsInTheRealRun) {
    const EditionMachine machine("xp");
    ASSERT_EQ(machine.run({"status"}).exitCode, 0);
    const std::filesystem::path ini = machine.folder.path() / "machine.ini";
    std::string settings = testing::fileText(ini);
    settings.replace(settings.find("Account=Administrator"), 21, "Account=Restricted");
    std::ofstream(ini, std::ios::binary) << settings;

    const JsonValue plan = machine.json({"plan", "--tick-all", "--json"}, 1);
    const JsonValue real = machine.json({"accelerate", "--tick-all", "--yes", "--json"}, 1);
    ASSERT_EQ(plan["failed"].array().size(), 1u);
    EXPECT_EQ(plan["failed"].array()[0]["row"].text(), "Desktop4");
    EXPECT_NE(plan["failed"].array()[0]["message"].text().find("アクセスが拒否されました。"), std::string::npos);
    ASSERT_EQ(real["failed"].array().size(), 1u);
    EXPECT_EQ(real["failed"].array()[0]["row"].text(), "Desktop4");
    EXPECT_EQ(real["failed"].array()[0]["message"].text(), plan["failed"].array()[0]["message"].text());
    EXPECT_EQ(real["result"].text(), "changed");
    EXPECT_FALSE(real["restore_point"].isNull());
    EXPECT_EQ(changeLines(real["rows"], false), changeLines(plan["rows"], false));
}

}  // namespace
}  // namespace hastelyn
