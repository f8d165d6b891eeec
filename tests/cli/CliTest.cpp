// hastelyn-cli as a script would use it: a separate process on a machine folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "foundation/RegistryValues.h"
#include "platform/sandbox/SandboxPlatform.h"
#include "tests/cli/CliFixture.h"
#include "tests/support/FileText.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TempFolder.h"
#include "tools/machine/MachineImages.h"

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

    const ProgramResult json = run({"status", "--json"});
    ASSERT_EQ(json.exitCode, 0);
    EXPECT_NE(json.out.find("{\"row\": \"System10\", \"ticked\": false, \"enabled\": false, \"label\": \"⑩ "),
              std::string::npos);
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

TEST_F(Cli, LockedRowsAndBadArgumentsAreRefused) {
    const ProgramResult locked = run({"accelerate", "--tick", "System10", "--yes"});
    EXPECT_EQ(locked.exitCode, 1);
    EXPECT_NE(locked.err.find("System10"), std::string::npos);
    EXPECT_EQ(read(HKLM, "\\SOFTWARE\\Policies\\Microsoft\\Windows\\WindowsUpdate", "DoNotAllowXPSP2", foundation::RegType::DWORD), "NULL");

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{}, {"fly"}, {"accelerate", "--tick", "Nowhere1"}, {"status", "--yes"},
          {"backup"}, {"restore", "a.ini", "b.ini"}, {"accelerate", "--tick"}}) {
        const ProgramResult result = run(bad);
        EXPECT_EQ(result.exitCode, 2) << (bad.empty() ? "" : bad[0]);
        EXPECT_NE(result.err.find("usage:"), std::string::npos);
    }
}

TEST_F(Cli, BackupAndRestoreBringTheMachineBack) {
    const std::string before = run({"status"}).out;
    const ProgramResult backup = run({"backup", "復元ポイント 手動.ini"});
    ASSERT_EQ(backup.exitCode, 0) << backup.err;
    EXPECT_EQ(backup.out, "C:\\Program Files\\Hastelyn\\復元ポイント 手動.ini\n");

    ASSERT_EQ(run({"accelerate", "--tick-all", "--yes"}).exitCode, 0);
    EXPECT_NE(run({"status"}).out, before);

    const ProgramResult notAsked = run({"restore", "復元ポイント 手動.ini"});
    EXPECT_EQ(notAsked.out, "cancelled\n");
    const ProgramResult restored = run({"restore", "復元ポイント 手動.ini", "--yes-all"});
    ASSERT_EQ(restored.exitCode, 0) << restored.err;
    EXPECT_EQ(restored.out, "restored\n");
    EXPECT_EQ(run({"status"}).out, before);

    const ProgramResult notARestorePoint = run({"restore", "C:\\boot.ini", "--yes"});
    EXPECT_EQ(notARestorePoint.exitCode, 1);
    const ProgramResult missing = run({"restore", "復元ポイント 無い.ini", "--yes"});
    EXPECT_EQ(missing.exitCode, 1);
}

// A folder or a file of random bytes is no restore point: refused with the reason before the
// question, and the machine is left exactly as it was.
TEST_F(Cli, RestoreRefusesWhatHoldsNoRestorePoint) {
    const std::filesystem::path program = folder_.path() / "drives/C/Program Files/Hastelyn";
    std::filesystem::create_directories(program / "復元ポイント 古い");
    std::string noise;
    std::uint32_t seed = 7;
    for (int i = 0; i < 2048; ++i) {
        seed = seed * 1664525u + 1013904223u;
        noise += static_cast<char>(seed >> 24);
    }
    std::ofstream(program / "復元ポイント 壊れた.ini", std::ios::binary) << noise;
    auto machine = [&] {
        auto files = testing::filesBelow(folder_.path());
        files.erase("journal.log");
        return files;
    };
    ASSERT_EQ(run({"backup", "写し.ini"}).exitCode, 0);  // whole, but not named as a restore point
    ASSERT_EQ(run({"status"}).exitCode, 0);             // what every start writes is written
    const auto before = machine();
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"復元ポイント 古い", "\"C:\\Program Files\\Hastelyn\\復元ポイント 古い\" はフォルダです。復元ポイントのファイルを指定してください。\n"},
        {"復元ポイント 壊れた.ini", "ファイル \"C:\\Program Files\\Hastelyn\\復元ポイント 壊れた.ini\" は、復元ポイントではありません。"
                                  "復元ポイントの記録がひとつもないため、何も変更しませんでした。\n"}};
    for (const auto& [name, message] : cases) {
        const ProgramResult result = run({"restore", name, "--yes-all"});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, message);
    }
    const ProgramResult copy = run({"restore", "写し.ini", "--yes-all"});
    EXPECT_EQ(copy.exitCode, 1);
    EXPECT_EQ(copy.out, "");
    EXPECT_NE(copy.err.find("選択されたファイルは、復元ポイントではありません。"), std::string::npos) << copy.err;
    EXPECT_EQ(machine(), before);
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
