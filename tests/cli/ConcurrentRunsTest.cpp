// Two hastelyn-cli runs on one machine at the same time: neither loses the other's writes, and
// each keeps a restore point of its own.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "tests/cli/CliFixture.h"

namespace hastelyn {
namespace {

using testing::ProgramResult;
namespace fs = std::filesystem;

// Rows of the two runs: registry values of the same hive (HKEY_LOCAL_MACHINE), and for the
// second also the boot file.
const std::vector<std::string> kFirstRows = {"System1", "System2", "System4", "Explorer5", "Explorer6"};
const std::vector<std::string> kSecondRows = {"Power1", "Power2", "Power9", "Power10", "Others9"};

std::vector<std::string> accelerate(const std::vector<std::string>& rows, bool tick) {
    std::vector<std::string> arguments = {"accelerate", "--yes"};
    for (const std::string& row : rows) {
        arguments.push_back(tick ? "--tick" : "--untick");
        arguments.push_back(row);
    }
    return arguments;
}

TEST_F(Cli, TwoRunsAtOnceLoseNoWriteAndKeepARestorePointEach) {
    constexpr int kRounds = 50;
    std::set<std::string> kept;  // every restore point a run said it kept
    for (int round = 0; round < kRounds; ++round) {
        const bool tick = round % 2 == 0;
        testing::StartedProgram first = start(accelerate(kFirstRows, tick));
        testing::StartedProgram second = start(accelerate(kSecondRows, tick));
        const ProgramResult results[] = {finishProgram(first), finishProgram(second)};

        for (const ProgramResult& result : results) {
            ASSERT_EQ(result.exitCode, 0) << "round " << round << ": " << result.err;
            const std::vector<std::string> out = lines(result.out);
            ASSERT_EQ(out.size(), 2u) << "round " << round << ": " << result.out;
            EXPECT_EQ(out[0], "changed");
            const std::string path = out[1].substr(out[1].find('\t') + 1);
            EXPECT_TRUE(kept.insert(path).second) << "round " << round << ": two runs share " << path;
        }

        // Both runs' writes are there.
        std::map<std::string, std::string> ticks;
        for (const std::string& line : lines(run({"status"}).out)) {
            const std::size_t tab = line.find('\t');
            ticks[line.substr(0, tab)] = line.substr(tab + 1, 1);
        }
        for (const auto* rows : {&kFirstRows, &kSecondRows})
            for (const std::string& row : *rows) EXPECT_EQ(ticks[row], tick ? "1" : "0") << "round " << round << ": " << row;
        if (HasFailure()) return;
    }

    // Every restore point is there, whole, recording the state its own run found; there are
    // no others.
    sandbox::SandboxPlatform machine(folder_.path());
    std::set<std::string> present;
    const fs::path folder = machine.machine().mapPath("C:\\Program Files\\Hastelyn")->host;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().find("復元ポイント") != std::string::npos)
            present.insert("C:\\Program Files\\Hastelyn\\" + entry.path().filename().string());
    EXPECT_EQ(present, kept);
    platform::ProfileFiles& profiles = machine.platform().profiles;
    for (const std::string& path : kept) {
        EXPECT_NE(profiles.getString(path, "パソコン情報", "3", "NULL", 256), "NULL") << path;
        EXPECT_NE(profiles.getString(path, "不要サービス", "wscsvc", "NULL", 256), "NULL") << path;
    }
}

}  // namespace
}  // namespace hastelyn
