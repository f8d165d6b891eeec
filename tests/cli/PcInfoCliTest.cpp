// hastelyn-cli info and set-info on the XP image.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/cli/CliFixture.h"
#include "tests/support/FileText.h"

namespace hastelyn {
namespace {

using testing::ProgramResult;

constexpr auto HKLM = platform::RootKey::LocalMachine;
constexpr const char* kNt = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char* kName = "\\SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName";

TEST_F(Cli, InfoPrintsTheTenFieldsAsThePageShowsThem) {
    const ProgramResult result = run({"info"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> rows = lines(result.out);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0], "使用者\t山田 太郎");
    EXPECT_EQ(rows[2], "コンピュータ名\tYAMADA-XP");
    EXPECT_EQ(rows[6], "プロダクトキー\tT7RBW-RH4FX-CJPG9-KTTXD-HWT2M");
    EXPECT_EQ(rows[9], "プロセッサ情報\tx86 Family 15 Model 2 Stepping 9 GenuineIntel 2793MHz");
}

TEST_F(Cli, SetInfoValidatesAsksWritesAndKeepsWhatIsNotGiven) {
    // A refused computer name: the message on stderr, nothing written.
    ProgramResult result = run({"set-info", "--computer", "MY PC", "--yes"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("指定したコンピュータ名は有効ではありません。"), std::string::npos) << result.err;
    EXPECT_EQ(read(HKLM, kName, "ComputerName", foundation::RegType::String), "YAMADA-XP");

    // Without --yes the question is answered No.
    result = run({"set-info", "--user", "佐藤 花子"});
    EXPECT_EQ(result.out, "cancelled\n");
    EXPECT_EQ(read(HKLM, kNt, "RegisteredOwner", foundation::RegType::String), "山田 太郎");

    result = run({"set-info", "--user", "佐藤 花子", "--organization", "NULL", "--yes"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "changed\n");
    EXPECT_EQ(read(HKLM, kNt, "RegisteredOwner", foundation::RegType::String), "佐藤 花子");
    EXPECT_EQ(read(HKLM, kNt, "RegisteredOrganization", foundation::RegType::String), "NULL");
    EXPECT_EQ(read(HKLM, kName, "ComputerName", foundation::RegType::String), "YAMADA-XP");
    EXPECT_EQ(run({"set-info", "--bogus"}).exitCode, 2);
}

TEST_F(Cli, SetInfoLeavesALockedFieldAndARestartIsOnlyAJournalLine) {
    std::ofstream(folder_.path() / "drives/C/Program Files/Hastelyn/Hastelyn.ini", std::ios::binary)
        << "[環境設定]\r\nDlgReboot=On\r\n[DisabledItem]\r\nPCInfo3=true\r\n";
    const std::string statusBefore = run({"status"}).out;
    const ProgramResult result = run({"set-info", "--user", "a", "--computer", "OTHER", "--yes-all"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("コンピュータ名 はロックされているため"), std::string::npos) << result.err;
    EXPECT_EQ(read(HKLM, kNt, "RegisteredOwner", foundation::RegType::String), "a");
    EXPECT_EQ(read(HKLM, kName, "ComputerName", foundation::RegType::String), "YAMADA-XP");
    EXPECT_NE(testing::fileText(folder_.path() / "journal.log").find("ExitWindows\t2"), std::string::npos);
    EXPECT_EQ(run({"status"}).out, statusBefore);
}

}  // namespace
}  // namespace hastelyn
