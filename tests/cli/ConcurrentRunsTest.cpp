// Two hastelyn-cli runs on one machine at the same time: neither loses the other's writes, and
// each keeps a restore point of its own; neither acts on a reading the other has made stale.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <functional>
#include <set>

#include "engine/Accelerate.h"
#include "engine/Startup.h"
#include "tests/cli/CliFixture.h"
#include "tests/support/FakeSurfaces.h"
#include "tests/support/FolderChanges.h"

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

std::set<fs::path> restorePoints(const fs::path& folder) {
    std::set<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().find("復元ポイント") != std::string::npos) found.insert(entry.path());
    return found;
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

    // Every restore point is there, whole, recording the state its own run found; no others.
    sandbox::SandboxPlatform machine(folder_.path());
    std::set<std::string> present;
    for (const fs::path& point : restorePoints(machine.machine().mapPath("C:\\Program Files\\Hastelyn")->host))
        present.insert("C:\\Program Files\\Hastelyn\\" + point.filename().string());
    EXPECT_EQ(present, kept);
    platform::ProfileFiles& profiles = machine.platform().profiles;
    for (const std::string& path : kept) {
        EXPECT_NE(profiles.getString(path, "パソコン情報", "3", "NULL", 256), "NULL") << path;
        EXPECT_NE(profiles.getString(path, "不要サービス", "wscsvc", "NULL", 256), "NULL") << path;
    }
}

// Rows that keep the value they replace: Desktop ⑦ and Others ⑥ (state indexes 16 and 45).
const std::vector<std::string> kRecordingRows = {"Desktop7", "Others6"};
constexpr std::string_view kDesktop = "\\Control Panel\\Desktop";
const std::string kMask("\x9E\x3E\x07\x80\x12\x00\x00\x00", 8);

// Another run goes at the first question, after this one read the machine and before it acts.
class RunInBetween : public testing::ScriptedDialogs {
public:
    bool show(foundation::DialogKind kind, std::string_view text) override {
        if (kind == foundation::DialogKind::Confirmation && between) std::exchange(between, {})();
        return ScriptedDialogs::show(kind, text);
    }
    std::function<void()> between;
};

engine::AccelerateOutcome accelerateHere(sandbox::SandboxPlatform& machine, bool tick, RunInBetween& dialogs) {
    testing::FakeClipboard clipboard;
    engine::Session session(machine.platform(), clipboard, dialogs);
    engine::startWithoutWindows(session);
    session.model.tweakList(1).rows[6].ticked = tick;
    session.model.tweakList(4).rows[5].ticked = tick;
    return engine::BtnAccelerateClick(session);
}

// In both orders, a run that read the machine before another changed the same rows leaves them,
// says so, and loses no former value: the wallpaper and the mask come back with one untick.
TEST_F(Cli, ARunLeavesRowsAnotherRunChangedSinceItReadThem) {
    for (const bool tick : {true, false}) {
        for (const bool cliWaits : {true, false}) {
            SCOPED_TRACE(std::string(tick ? "tick" : "untick") + (cliWaits ? ", hastelyn-cli waits" : ", hastelyn-cli between"));
            testing::TempFolder temp;
            ASSERT_EQ(images::buildMachine("xp", temp.path()), "");
            sandbox::SandboxPlatform machine(temp.path());
            const std::map<std::string, std::string> environment = {{"HASTELYN_MACHINE", temp.path().string()}};
            foundation::RegistryValues registry(machine.platform());
            registry.WriteRegData(platform::RootKey::CurrentUser, kDesktop, "UserPreferencesMask", {platform::regtype::Binary, kMask});
            const std::string wallpaper = registry.ReadRegValue(platform::RootKey::CurrentUser, kDesktop, "Wallpaper", foundation::RegType::String);
            if (!tick) {
                ASSERT_EQ(testing::runProgram(HASTELYN_CLI, accelerate(kRecordingRows, true), environment).exitCode, 0);
            }

            engine::AccelerateOutcome here;
            RunInBetween dialogs;
            if (cliWaits) {
                platform::ObjectHandle mutex;
                machine.windows().createMutex("Hastelyn.Changes", mutex);
                ASSERT_EQ(machine.windows().waitForMutex(mutex), 0);
                const fs::path programFolder = machine.machine().mapPath("C:\\Program Files\\Hastelyn")->host;
                const std::set<fs::path> before = restorePoints(programFolder);
                std::vector<std::string> arguments = accelerate(kRecordingRows, tick);
                arguments.push_back("--json");
                testing::FolderChanges changes({programFolder});
                testing::StartedProgram waiting = testing::startProgram(HASTELYN_CLI, arguments, environment);
                // Its restore point is made after it read the machine, just before its rows.
                for (int seen = 0; restorePoints(programFolder) == before;) {
                    const int now = changes.awaitChanges(seen + 1, waiting.pid);
                    ASSERT_GT(now, seen) << "ended without a restore point";
                    seen = now;
                }
                here = accelerateHere(machine, tick, dialogs);
                machine.windows().releaseMutex(mutex);
                machine.windows().closeHandle(mutex);
                const testing::ProgramResult result = testing::finishProgram(waiting);
                ASSERT_EQ(result.exitCode, 0) << result.err;
                const nlohmann::json json = nlohmann::json::parse(result.out);
                EXPECT_EQ(json.at("result"), "unchanged");
                EXPECT_EQ(json.at("rows"), nlohmann::json::array());
                EXPECT_EQ(json.at("left").size(), 2u);
                for (std::size_t i = 0; i < 2; ++i) EXPECT_EQ(json.at("left")[i].at("row"), kRecordingRows[i]);
                EXPECT_TRUE(here.changed);
            } else {
                dialogs.between = [&] {
                    EXPECT_EQ(testing::runProgram(HASTELYN_CLI, accelerate(kRecordingRows, tick), environment).exitCode, 0);
                };
                here = accelerateHere(machine, tick, dialogs);
                EXPECT_FALSE(here.changed);
                EXPECT_EQ(here.left, (std::vector<std::size_t>{16, 45}));
                ASSERT_FALSE(dialogs.shown.empty());
                EXPECT_NE(dialogs.shown.back().second.find("ほかのプログラムが先に変更していたため、そのままにしました。\r\n　デスクトップ ⑦\r\n　その他 ⑥"),
                          std::string::npos) << dialogs.shown.back().second;
            }

            if (tick) {
                ASSERT_EQ(testing::runProgram(HASTELYN_CLI, accelerate(kRecordingRows, false), environment).exitCode, 0);
            }
            sandbox::SandboxPlatform after(temp.path());
            foundation::RegistryValues values(after.platform());
            EXPECT_EQ(values.ReadRegValue(platform::RootKey::CurrentUser, kDesktop, "Wallpaper", foundation::RegType::String), wallpaper);
            EXPECT_EQ(values.ReadRegData(platform::RootKey::CurrentUser, kDesktop, "UserPreferencesMask").value_or(foundation::RegData{}).bytes, kMask);
        }
    }
}

}  // namespace
}  // namespace hastelyn
