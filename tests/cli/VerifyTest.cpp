// backup, restore and verify: the machine compared with a restore point, row by row and value by
// value.
#include <gtest/gtest.h>

#include <fstream>

#include "foundation/RegistryValues.h"
#include "tests/cli/RecordedRunFixture.h"

namespace hastelyn {
namespace {

using nlohmann::json;

constexpr const char* kMemory = "\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
constexpr const char* kPagingTarget =
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\DisablePagingExecutive";

TEST(Verify, MatchesAfterARestoreAndNamesTheOneValueChangedByHand) {
    const EditionMachine machine("xp");
    const testing::ProgramResult backup = machine.run({"backup", "復元ポイント 基準.ini"});
    ASSERT_EQ(backup.exitCode, 0) << backup.err;
    EXPECT_EQ(backup.out, "C:\\Program Files\\Hastelyn\\復元ポイント 基準.ini\n");
    EXPECT_EQ(machine.run({"verify", "復元ポイント 基準.ini"}).out, "matches\n");
    const std::string status = machine.run({"status"}).out;

    ASSERT_EQ(machine.run({"accelerate", "--tick-all", "--yes"}).exitCode, 0);
    const auto beforeVerify = machine.files();
    const json drifted = machine.json({"verify", "復元ポイント 基準.ini", "--json"}, 3);
    EXPECT_EQ(machine.files(), beforeVerify) << "verify changed the machine";
    EXPECT_EQ(drifted.at("matches"), false);
    EXPECT_GT(drifted.at("differences").size(), 10u);

    EXPECT_EQ(machine.run({"restore", "復元ポイント 基準.ini"}).out, "cancelled\n");  // not asked: No
    const testing::ProgramResult restore = machine.run({"restore", "復元ポイント 基準.ini", "--yes-all"});
    ASSERT_EQ(restore.exitCode, 0) << restore.err;
    EXPECT_EQ(restore.out, "restored\n");
    EXPECT_EQ(machine.run({"status"}).out, status);
    const json restored = machine.json({"verify", "復元ポイント 基準.ini", "--json"});
    EXPECT_EQ(restored.at("matches"), true);
    EXPECT_TRUE(restored.at("differences").empty()) << machine.run({"verify", "復元ポイント 基準.ini"}).out;
    EXPECT_EQ(restored.at("file"), "C:\\Program Files\\Hastelyn\\復元ポイント 基準.ini");

    {
        sandbox::SandboxPlatform byHand(machine.folder.path());
        foundation::RegistryValues(byHand.platform())
            .WriteRegValue(platform::RootKey::LocalMachine, kMemory, "DisablePagingExecutive", "1", foundation::RegType::DWORD);
    }
    const testing::ProgramResult text = machine.run({"verify", "復元ポイント 基準.ini"});
    EXPECT_EQ(text.exitCode, 3);
    EXPECT_EQ(text.out, std::string("drifted\nSystem1\t") + kPagingTarget + "\texpected 0\tactual 1\n");
    const json one = machine.json({"verify", "復元ポイント 基準.ini", "--json"}, 3);
    EXPECT_EQ(one.at("differences"), json::array({{{"row", "System1"}, {"target", kPagingTarget}, {"expected", "0"},
                                                   {"actual", "1"}}}));
}

// An owner with a line break is kept whole: verify does not take its first line for it. A service
// the program does not list is named by the restore and never touched.
TEST(Verify, ANameIsNoMatchForItsFirstLineAndAServiceOffTheListIsNamed) {
    const EditionMachine machine("xp");
    const auto owner = [&](const std::string& text) {
        sandbox::SandboxPlatform byHand(machine.folder.path());
        foundation::RegistryValues(byHand.platform())
            .WriteRegValue(platform::RootKey::LocalMachine, "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                           "RegisteredOwner", text, foundation::RegType::String);
    };
    owner("山田\r\n太郎");
    ASSERT_EQ(machine.run({"backup", "復元ポイント 基準.ini"}).exitCode, 0);
    owner("山田");
    EXPECT_EQ(machine.run({"verify", "復元ポイント 基準.ini", "--yes-all"}).exitCode, 3);
    const auto path = machine.folder.path() / "drives/C/Program Files/Hastelyn/復元ポイント 基準.ini";
    std::string text = testing::fileText(path);
    std::ofstream(path, std::ios::binary) << text.insert(text.find("[不要サービス]\r\n") + 22, "atapi=停止中\r\n");
    const testing::ProgramResult restore = machine.run({"restore", "復元ポイント 基準.ini", "--yes-all", "--json"});
    EXPECT_EQ(json::parse(restore.out).at("ignored_services"), json::array({"atapi"}));
    EXPECT_NE(restore.err.find("一覧にないサービスは復元しませんでした: atapi\n"), std::string::npos) << restore.err;
    EXPECT_EQ(machine.run({"verify", "復元ポイント 基準.ini", "--yes-all"}).out, "matches\n");
}

}  // namespace
}  // namespace hastelyn
