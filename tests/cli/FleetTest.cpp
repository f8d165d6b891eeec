// One configuration on many PCs: restore points that are each PC's own and settle, presets,
// rows chosen by where they write, and the restart a run leaves to do.
#include <gtest/gtest.h>

#include <fstream>

#include "foundation/ProfileValues.h"
#include "tests/cli/RecordedRunFixture.h"

namespace hastelyn {
namespace {

using nlohmann::json;

constexpr const char* kPoint = "復元ポイント 基準.ini";

std::filesystem::path programFile(const EditionMachine& machine, const std::string& name) {
    return machine.folder.path() / "drives/C/Program Files/Hastelyn" / name;
}

// The restore point with one line replaced (or removed, with an empty `to`).
void editPoint(const EditionMachine& machine, const std::string& from, const std::string& to) {
    std::string text = testing::fileText(programFile(machine, kPoint));
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size() + (to.empty() ? 2 : 0), to);
    std::ofstream(programFile(machine, kPoint), std::ios::binary) << text;
}

TEST(Fleet, ARestoreWithTheAnswersVerifyWasGivenSettles) {
    const EditionMachine machine("xp");
    ASSERT_EQ(machine.run({"backup", kPoint}).exitCode, 0);
    ASSERT_EQ(machine.run({"set-info", "--user", "別の人", "--yes"}).exitCode, 0);
    ASSERT_EQ(machine.run({"accelerate", "--tick", "System1", "--tick", "Explorer8", "--yes"}).exitCode, 0);

    const json first = machine.json({"restore", kPoint, "--yes", "--json"});
    EXPECT_EQ(first.at("result"), "restored");
    EXPECT_EQ(first.at("reboot_required"), true);
    // --yes leaves the PC information as it is, and verify --yes does not ask for it.
    EXPECT_EQ(machine.run({"verify", kPoint, "--yes"}).out, "matches\n");
    const auto settled = machine.files();
    const json second = machine.json({"restore", kPoint, "--yes", "--json"});
    EXPECT_EQ(second.at("result"), "unchanged");
    EXPECT_TRUE(second.at("rows").empty());
    EXPECT_EQ(second.at("reboot_required"), false);
    EXPECT_EQ(machine.files(), settled) << "a restore with nothing to put back ran something";
    {
        // The compressed folders' state is kept in the program's settings alone (a run cut short
        // after unregistering them).
        sandbox::SandboxPlatform byHand(machine.folder.path());
        foundation::ProfileValues(byHand.platform())
            .WriteProfileValue("C:\\Program Files\\Hastelyn\\Hastelyn.ini", "エクスプローラ", "8", "true");
    }
    EXPECT_EQ(machine.run({"verify", kPoint, "--yes"}).out, "drifted\nExplorer8\tstate\texpected not in force\tactual in force\n");
    EXPECT_EQ(machine.json({"restore", kPoint, "--yes", "--json"}).at("result"), "restored");

    const json all = machine.json({"verify", kPoint, "--yes-all", "--json"}, 3);
    ASSERT_EQ(all.at("differences").size(), 1u) << all.dump();
    EXPECT_EQ(all.at("differences")[0].at("row"), "PCInfo");
    EXPECT_EQ(machine.json({"restore", kPoint, "--yes-all", "--json"}).at("result"), "restored");
    EXPECT_EQ(machine.json({"restore", kPoint, "--yes-all", "--json"}).at("result"), "unchanged");
}

// Another PC's restore point is refused unless asked for; taken with --yes, it keeps this PC's
// names, and its boot line with only the logo row's switch brought. One without a computer name
// is taken as this PC's.
TEST(Fleet, AnotherPcsRestorePointKeepsThisPcsOwnValues) {
    const EditionMachine machine("xp");
    ASSERT_EQ(machine.run({"backup", kPoint}).exitCode, 0);
    const std::string line = "\"Microsoft Windows XP Professional\" /noexecute=optin /fastdetect";
    editPoint(machine, "3=YAMADA-XP", "3=SOURCE-PC");
    editPoint(machine, "1=山田 太郎", "1=元の人");
    editPoint(machine, "5=" + line, "5=\"Windows Server 2003, Standard\" /noexecute=optout /noguiboot");
    const auto before = machine.files();
    for (const char* command : {"restore", "verify"}) {
        const testing::ProgramResult refused = machine.run({command, kPoint, "--yes-all"});
        EXPECT_EQ(refused.exitCode, 1);
        for (const char* word : {"\"SOURCE-PC\"", "\"YAMADA-XP\"", "--allow-other-pc"})
            EXPECT_NE(refused.err.find(word), std::string::npos) << command << ": " << refused.err;
    }
    EXPECT_EQ(machine.files(), before);

    EXPECT_EQ(machine.json({"restore", kPoint, "--yes", "--allow-other-pc", "--json"}).at("result"), "restored");
    const std::string boot = testing::fileText(machine.folder.path() / "drives/C/boot.ini");
    EXPECT_NE(boot.find("\\WINDOWS=" + line + " /noguiboot\r\n"), std::string::npos) << boot;
    const std::string info = machine.run({"info"}).out;
    EXPECT_NE(info.find("使用者\t山田 太郎\n"), std::string::npos) << info;
    EXPECT_NE(info.find("コンピュータ名\tYAMADA-XP\n"), std::string::npos) << info;
    EXPECT_EQ(machine.run({"verify", kPoint, "--yes", "--allow-other-pc"}).out, "matches\n");

    editPoint(machine, "3=SOURCE-PC", "");
    editPoint(machine, "5=\"Windows Server 2003, Standard\" /noexecute=optout /noguiboot", "5=" + line);
    EXPECT_EQ(machine.run({"restore", kPoint, "--yes-all"}).exitCode, 0);
    EXPECT_NE(machine.run({"info"}).out.find("使用者\t元の人\n"), std::string::npos);
}

// What status says of a row's scope is where its writes go, on both families; --scope keeps only
// the rows of one.
TEST(Fleet, ARowsScopeIsWhereItWrites) {
    for (const std::string edition : {"xp", "98"}) {
        SCOPED_TRACE(edition);
        const EditionMachine machine(edition);
        std::map<std::string, std::string> scope;
        const json status = machine.json({"status", "--json"});
        for (const json& row : status.at("rows")) scope[row.at("row").get<std::string>()] = row.at("scope").get<std::string>();
        const json plan = machine.json({"plan", "--tick-all", "--json"});
        std::set<std::string> userRows;
        for (const std::string& change : changeLines(plan.at("rows"))) {
            const std::string row = change.substr(0, change.find('|'));
            const bool user = change.find("|registry|HKEY_CURRENT_USER\\") != std::string::npos;
            if (user) userRows.insert(row);
            // Besides the user's registry, a user row touches only the program's settings and the shell.
            const bool settingsOrShell =
                change.find("Hastelyn.ini") != std::string::npos || change.find("|command|") != std::string::npos;
            EXPECT_EQ(scope[row], user || (scope[row] == "user" && settingsOrShell) ? "user" : "machine") << change;
        }
        if (edition == "xp") {
            EXPECT_EQ(userRows.size(), 20u);  // of the 45 rows tick-all changes there
        }
        for (const std::string kept : {"user", "machine"}) {
            const json scoped = machine.json({"plan", "--tick-all", "--scope", kept, "--json"});
            for (const json& row : scoped.at("rows"))
                EXPECT_EQ(scope[row.at("row").get<std::string>()], kept) << row.dump();
        }
    }
}

// A preset is read whole before anything is written; a faulty one is refused naming the line and
// the row. --tick and --untick after it win.
TEST(Fleet, APresetIsCheckedBeforeAnyWriteAndVerified) {
    const EditionMachine machine("xp");
    ASSERT_EQ(machine.run({"status"}).exitCode, 0);
    const auto before = machine.files();
    const struct {
        std::string text;
        std::string message;
    } refused[] = {
        {"[Preset]\nSystem1=tick\nSystem11=tick\n", "の 3 行目: 行 System11 はありません。"},
        {"[Preset]\nSystem10=tick\n", "の 2 行目: 行 System10 は、この Windows にはありません。"},
        {"[Preset]\r\nDesktop1=yes\r\n", "の 2 行目: 行 Desktop1 の値 \"yes\" は"},
        {"[Preset]\nDesktop1=tick\n[Other]\n", "の 3 行目: セクションは [Preset] だけです"},
        {"System1=tick\n", "の 1 行目: [Preset] の前に"},
        {"[Preset]\nSystem1=tick\nsystem1=untick\n", "の 3 行目: 行 System1 が二度あります。"},
    };
    for (const auto& preset : refused) {
        std::ofstream(programFile(machine, "p.ini"), std::ios::binary) << preset.text;
        const testing::ProgramResult run = machine.run({"accelerate", "--preset", "p.ini", "--yes"});
        EXPECT_EQ(run.exitCode, 1) << preset.text;
        EXPECT_NE(run.err.find("プリセット \"C:\\Program Files\\Hastelyn\\p.ini\" " + preset.message), std::string::npos)
            << run.err;
    }
    std::filesystem::remove(programFile(machine, "p.ini"));
    EXPECT_EQ(machine.files(), before);

    // UTF-16 with its mark, a comment, blanks around the parts.
    const std::u16string wide = u"\xFEFF; 基準\r\n[Preset]\r\nSystem1 = tick\r\nDesktop1=tick\r\n";
    std::ofstream(programFile(machine, "p.ini"), std::ios::binary)
        .write(reinterpret_cast<const char*>(wide.data()), static_cast<std::streamsize>(wide.size() * 2));
    const json drift = machine.json({"verify", "--preset", "p.ini", "--json"}, 3);
    EXPECT_EQ(drift.at("differences"), json::parse(R"([
        {"row": "System1", "target": "tick", "expected": "ticked", "actual": "unticked"},
        {"row": "Desktop1", "target": "tick", "expected": "ticked", "actual": "unticked"}])"));
    ASSERT_EQ(machine.run({"accelerate", "--preset", "p.ini", "--untick", "Desktop1", "--yes"}).exitCode, 0);
    EXPECT_EQ(machine.run({"verify", "--preset", "p.ini", "--scope", "machine"}).out, "matches\n");
    EXPECT_EQ(machine.run({"verify", "--preset", "p.ini"}).out, "drifted\nDesktop1\ttick\texpected ticked\tactual unticked\n");
}

}  // namespace
}  // namespace hastelyn
