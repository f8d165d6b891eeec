// verify: the machine compared with a restore point, row by row and value by value.
#include <gtest/gtest.h>

#include "foundation/RegistryValues.h"
#include "tests/cli/RecordedRunFixture.h"

namespace hastelyn {
namespace {

using testing::JsonValue;

constexpr const char* kMemory = "\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
constexpr const char* kPagingTarget =
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\DisablePagingExecutive";

TEST(Verify, MatchesAfterARestoreAndNamesTheOneValueChangedByHand) {
    const EditionMachine machine("xp");
    ASSERT_EQ(machine.run({"backup", "復元ポイント 基準.ini"}).exitCode, 0);
    EXPECT_EQ(machine.run({"verify", "復元ポイント 基準.ini"}).out, "matches\n");

    ASSERT_EQ(machine.run({"accelerate", "--tick-all", "--yes"}).exitCode, 0);
    const auto beforeVerify = machine.files();
    const JsonValue drifted = machine.json({"verify", "復元ポイント 基準.ini", "--json"}, 3);
    EXPECT_EQ(machine.files(), beforeVerify) << "verify changed the machine";
    EXPECT_FALSE(drifted["matches"].boolean());
    EXPECT_GT(drifted["differences"].array().size(), 10u);

    ASSERT_EQ(machine.run({"restore", "復元ポイント 基準.ini", "--yes-all"}).exitCode, 0);
    const JsonValue restored = machine.json({"verify", "復元ポイント 基準.ini", "--json"});
    EXPECT_TRUE(restored["matches"].boolean());
    EXPECT_TRUE(restored["differences"].array().empty()) << machine.run({"verify", "復元ポイント 基準.ini"}).out;
    EXPECT_EQ(restored["file"].text(), "C:\\Program Files\\Hastelyn\\復元ポイント 基準.ini");

    {
        sandbox::SandboxPlatform byHand(machine.folder.path());
        foundation::RegistryValues(byHand.platform())
            .WriteRegValue(platform::RootKey::LocalMachine, kMemory, "DisablePagingExecutive", "1", foundation::RegType::DWORD);
    }
    const testing::ProgramResult text = machine.run({"verify", "復元ポイント 基準.ini"});
    EXPECT_EQ(text.exitCode, 3);
    EXPECT_EQ(text.out, std::string("drifted\nSystem1\t") + kPagingTarget + "\texpected 0\tactual 1\n");
    const JsonValue one = machine.json({"verify", "復元ポイント 基準.ini", "--json"}, 3);
    ASSERT_EQ(one["differences"].array().size(), 1u);
    const JsonValue& difference = one["differences"].array()[0];
    EXPECT_EQ(difference["row"].text(), "System1");
    EXPECT_EQ(difference["target"].text(), kPagingTarget);
    EXPECT_EQ(difference["expected"].text(), "0");
    EXPECT_EQ(difference["actual"].text(), "1");
}

}  // namespace
}  // namespace hastelyn
