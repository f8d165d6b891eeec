// hastelyn-cli as a script would use it: a separate process on a machine folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "tests/cli/CliFixture.h"
#include "tests/support/FileText.h"

namespace hastelyn {
namespace {

using testing::ProgramResult;

constexpr auto HKLM = platform::RootKey::LocalMachine;
const char* const kMemory = "\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";

TEST_F(Cli, StatusListsEveryRowWithItsTickAndLock) {
    const ProgramResult result = run({"status"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> rows = lines(result.out);
    ASSERT_GT(rows.size(), 50u);
    EXPECT_EQ(rows[0], "System1\t0\t1\t① Windowsの基本機能をHDより高速なメモリに格納し、パフォーマンスを上げる");
    EXPECT_TRUE(rows[9].starts_with("System10\t0\t0\t⑩ ")) << rows[9];
    EXPECT_TRUE(rows[49].starts_with("Others10\t")) << rows[49];
    // The services follow, locked as long as the settings do not unlock them.
    EXPECT_TRUE(rows[50].starts_with("Service:")) << rows[50];
    EXPECT_NE(rows[50].find("\t0\t"), std::string::npos) << rows[50];
}

TEST_F(Cli, AccelerateAppliesTheTicksAfterItsQuestionIsAnswered) {
    const ProgramResult cancelled = run({"accelerate", "--tick", "System1"});
    EXPECT_EQ(cancelled.exitCode, 0);
    EXPECT_EQ(cancelled.out, "cancelled\n");
    EXPECT_NE(cancelled.err.find("[確認] チェックされた項目を高速化しますか？ → いいえ"), std::string::npos) << cancelled.err;
    EXPECT_EQ(read(HKLM, kMemory, "DisablePagingExecutive", foundation::RegType::DWORD), "0");

    const ProgramResult applied = run({"accelerate", "--tick", "System1", "--yes"});
    ASSERT_EQ(applied.exitCode, 0) << applied.err;
    const std::vector<std::string> out = lines(applied.out);
    ASSERT_EQ(out.size(), 2u) << applied.out;
    EXPECT_EQ(out[0], "changed");
    ASSERT_TRUE(out[1].starts_with("restore-point\tC:\\Program Files\\Hastelyn\\復元ポイント ")) << out[1];
    EXPECT_TRUE(out[1].ends_with(" (高速化設定前).ini"));
    EXPECT_TRUE(exists(out[1].substr(std::string("restore-point\t").size())));
    EXPECT_EQ(read(HKLM, kMemory, "DisablePagingExecutive", foundation::RegType::DWORD), "1");
    // The information message went to the error stream; nothing was asked a second time.
    EXPECT_NE(applied.err.find("[情報] チェックされた項目の設定を変更して"), std::string::npos) << applied.err;

    const ProgramResult again = run({"status"});
    EXPECT_EQ(lines(again.out)[0].substr(0, 10), "System1\t1\t");
}

// A usage error is one short line on stderr naming the program (and the command where there is
// one), exit status 2, and nothing done.
TEST_F(Cli, BadArgumentsAreRefusedInOneLine) {
    const std::map<std::vector<std::string>, std::string> cases = {
        {{}, "hastelyn-cli: no command given (see 'hastelyn-cli --help')"},
        {{"acclerate", "--tick", "System1"}, "hastelyn-cli: unknown command 'acclerate' (see 'hastelyn-cli --help')"},
        {{"--tick"}, "hastelyn-cli: unknown switch '--tick' (see 'hastelyn-cli --help')"},
        {{"help", "fly"}, "hastelyn-cli: unknown command 'fly' (see 'hastelyn-cli --help')"},
        {{"accelerate", "--tik", "System1"}, "hastelyn-cli: accelerate: unknown switch '--tik' (see 'hastelyn-cli help accelerate')"},
        {{"status", "--yes"}, "hastelyn-cli: status: unknown switch '--yes' (see 'hastelyn-cli help status')"},
        {{"accelerate", "--tick"}, "hastelyn-cli: accelerate: --tick needs ROW (see 'hastelyn-cli help accelerate')"},
        {{"status", "--scope", "all"}, "hastelyn-cli: status: --scope takes user|machine, not 'all' (see 'hastelyn-cli help status')"},
        {{"backup"}, "hastelyn-cli: backup: needs one FILE (see 'hastelyn-cli help backup')"},
        {{"restore", "a.ini", "b.ini"}, "hastelyn-cli: restore: needs one FILE (see 'hastelyn-cli help restore')"},
        {{"info", "extra"}, "hastelyn-cli: info: unexpected argument 'extra' (see 'hastelyn-cli help info')"},
        {{"mail-rules", "save"}, "hastelyn-cli: mail-rules: takes backup|restore, not 'save' (see 'hastelyn-cli help mail-rules')"},
        {{"options", "--set", "Nothing=1"}, "hastelyn-cli: options: unknown setting: Nothing (see 'hastelyn-cli help options')"},
        // Found only once the machine is read; as short, with --json too.
        {{"accelerate", "--tick", "Nowhere1", "--json"},
         "hastelyn-cli: accelerate: no such row: Nowhere1 (see 'hastelyn-cli help accelerate')"},
    };
    for (const auto& [arguments, message] : cases) {
        const ProgramResult result = run(arguments);
        EXPECT_EQ(result.exitCode, 2) << message;
        EXPECT_EQ(result.err, message + "\n");
        EXPECT_EQ(result.out, "");
    }
    EXPECT_EQ(read(HKLM, kMemory, "DisablePagingExecutive", foundation::RegType::DWORD), "0");
}

// A backup restore would refuse, and one over an existing file (a baseline), are never written.
TEST_F(Cli, BackupRefusesANameRestoreWouldRefuseAndAnExistingFile) {
    const std::filesystem::path folder = folder_.path() / "drives/C/Program Files/Hastelyn";
    ASSERT_EQ(run({"backup", "復元ポイント 基準.ini"}).exitCode, 0);
    const std::string baseline = testing::fileText(folder / "復元ポイント 基準.ini");
    ASSERT_EQ(run({"set-info", "--user", "別人", "--yes"}).exitCode, 0);

    const ProgramResult over = run({"backup", "復元ポイント 基準.ini"});
    EXPECT_EQ(over.exitCode, 1);
    EXPECT_NE(over.err.find("はすでにあります。"), std::string::npos) << over.err;
    EXPECT_EQ(testing::fileText(folder / "復元ポイント 基準.ini"), baseline);

    const ProgramResult unnamed = run({"backup", "base.ini"});
    EXPECT_EQ(unnamed.exitCode, 1);
    EXPECT_NE(unnamed.err.find("「復元ポイント」を含めてください。"), std::string::npos) << unnamed.err;
    EXPECT_FALSE(std::filesystem::exists(folder / "base.ini"));
}

// What holds no restore point is refused with the reason before the question is asked.
TEST_F(Cli, RestoreRefusesAFolderBeforeItsQuestion) {
    std::filesystem::create_directories(folder_.path() / "drives/C/Program Files/Hastelyn/復元ポイント 古い");
    const ProgramResult result = run({"restore", "復元ポイント 古い", "--yes-all"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "\"C:\\Program Files\\Hastelyn\\復元ポイント 古い\" はフォルダです。復元ポイントのファイルを指定してください。\n");
}

// A machine folder that lost its machine.ini: the command stops, naming the folder, and makes
// no default machine over the registry that is still there.
TEST_F(Cli, AFolderWithoutMachineIniIsNotMadeOver) {
    std::filesystem::remove(folder_.path() / "machine.ini");
    const std::filesystem::path hive = folder_.path() / "registry" / "HKEY_LOCAL_MACHINE.reg";
    const std::string before = testing::fileText(hive);
    const ProgramResult result = run({"status"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find(folder_.path().string()), std::string::npos) << result.err;
    EXPECT_EQ(testing::fileText(hive), before);
    EXPECT_FALSE(std::filesystem::exists(folder_.path() / "machine.ini"));
}

}  // namespace
}  // namespace hastelyn
