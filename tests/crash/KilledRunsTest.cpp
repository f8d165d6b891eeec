// hastelyn-cli killed (SIGKILL) a thousand times on one machine, after each write of each command
// in turn: every file stays whole, no restore point is lost, one restore of the run's restore
// point or one more run gets back every value the user had, and the machine still works.
// Long: built as its own program, run by `./setup.sh test` after ctest (release build only).
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <limits>
#include <set>

#include "platform/sandbox/ProfileDocument.h"
#include "platform/sandbox/registry/HiveKey.h"
#include "platform/sandbox/registry/SandboxRegistry.h"
#include "platform/sandbox/util/FileStamp.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "tests/cli/CliFixture.h"
#include "tests/support/FileText.h"
#include "tests/support/FolderChanges.h"

namespace hastelyn {
namespace {

using testing::FolderChanges;
using testing::ProgramResult;
namespace fs = std::filesystem;

constexpr const char* kProgramFolder = "C:\\Program Files\\Hastelyn\\";
constexpr const char* kBaseRestorePoint = "復元ポイント 基準.ini";

std::size_t keyCount(const sandbox::HiveKey& key) {
    std::size_t n = 1;
    for (const auto& child : key.children()) n += keyCount(*child.second);
    return n;
}

class KilledRuns : public Cli {
protected:
    fs::path host(std::string_view windowsPath) {
        sandbox::SandboxPlatform machine(folder_.path());
        return machine.machine().mapPath(windowsPath)->host;
    }

    // Keys per hive as the registry reads them (hive file and journal).
    std::map<platform::RootKey, std::size_t> hiveKeys() {
        sandbox::SandboxRegistry registry(folder_.path() / "registry", false);
        std::map<platform::RootKey, std::size_t> keys;
        for (const auto root : {platform::RootKey::LocalMachine, platform::RootKey::CurrentUser,
                                platform::RootKey::ClassesRoot})
            keys[root] = keyCount(*registry.currentKey(root, ""));
        return keys;
    }

    // The restore points in the program's folder, by file name, each with its stamp; those that
    // are new or changed since the last look are read into `changed`.
    std::map<std::string, sandbox::FileStamp> restorePoints(const fs::path& folder,
                                                            std::map<std::string, std::string>& changed) {
        std::map<std::string, sandbox::FileStamp> found;
        changed.clear();
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (name.find("復元ポイント") == std::string::npos || sandbox::isAtomicTempName(name)) continue;
            const sandbox::FileStamp stamp = sandbox::stampOf(entry.path());
            found[name] = stamp;
            if (const auto it = seen_.find(name); it == seen_.end() || !(it->second == stamp))
                changed[name] = testing::fileText(entry.path());
        }
        seen_ = found;
        return found;
    }

    // What a kill could lose: each value the wallpaper, security-centre, compressed-folders and
    // services rows change, in force or kept in its record (a service never left running
    // disabled, which a restore finding it running would leave so); the mail-rule backup.
    std::string userValues() {
        sandbox::SandboxPlatform opened(folder_.path());
        foundation::RegistryValues registry(opened.platform());
        const auto ini = [&](const fs::path& file) {
            return sandbox::ProfileDocument::parse(fs::exists(file) ? testing::fileText(file) : "");
        };
        const fs::path program = host(kProgramFolder);
        const auto settings = ini(program / "Hastelyn.ini"), dlls = ini(folder_.path() / "dlls.ini");
        const auto services = ini(folder_.path() / "services.ini");
        const auto kept = [&](std::string_view section, std::string_view key) {
            const std::string text(settings.value(section, key).value_or(""));
            return text.empty() ? std::string("-") : text;
        };
        const auto value = [&](platform::RootKey root, std::string key, std::string name, foundation::RegType type) {
            const std::string text = registry.ReadRegValue(root, key, name, type);
            return text.empty() || text == "NULL" ? std::string("-") : text;
        };
        const auto service = [&](std::string key, std::string_view section, std::string_view name) {
            const std::string start = value(platform::RootKey::LocalMachine, "\\SYSTEM\\CurrentControlSet\\Services\\" + key,
                                            "Start", foundation::RegType::DWORD);
            const bool running = services.value("State", key) == "4";
            return running && start == "4" ? key + " running disabled" : start == "4" ? kept(section, name) : start;
        };
        const std::string wallpaper = value(platform::RootKey::CurrentUser, "\\Control Panel\\Desktop", "Wallpaper",
                                            foundation::RegType::String);
        const bool searchOff = kept("エクスプローラ", "8") == "true";
        const auto registered = [&](std::string_view dll) { return dlls.value("Registered", dll).value_or("1"); };
        return (wallpaper == "-" ? kept("デスクトップ", "7") : wallpaper) + " | " +
               service("wscsvc", "デスクトップ10", "Security Center") + " | " +
               service("wuauserv", "不要サービス", "Automatic Updates") + " | " +
               (registered("cabview.dll") == (searchOff ? "0" : "1") && registered("zipfldr.dll") == registered("cabview.dll")
                    ? "" : "compressed folders not as kept") +
               (fs::exists(program / "OE メールルールのバックアップ.hiv") ? "" : " | no mail-rule backup");
    }

private:
    std::map<std::string, sandbox::FileStamp> seen_;
};

// A whole restore point: written in one go, it ends with its last section.
bool wholeRestorePoint(const std::string& text) {
    const std::size_t last = text.rfind("[パソコン情報]\r\n");
    return last != std::string::npos && text.find("\r\n3=", last) != std::string::npos && text.ends_with("\r\n");
}

TEST_F(KilledRuns, AThousandKillsLeaveWholeFilesAndEveryRestorePointAndLoseNoValue) {
    ASSERT_EQ(run({"options", "--unlock", "Service"}).exitCode, 0);
    ASSERT_EQ(run({"backup", kBaseRestorePoint}).exitCode, 0);
    ASSERT_EQ(run({"mail-rules", "backup", "--yes"}).exitCode, 0);
    const fs::path programFolder = host(kProgramFolder);
    const std::string base = testing::fileText(programFolder / kBaseRestorePoint);
    ASSERT_TRUE(wholeRestorePoint(base));
    const auto keysAtStart = hiveKeys();
    const fs::path bootIni = host("C:\\boot.ini");
    const fs::path settings = programFolder / "Hastelyn.ini";

    const std::vector<std::vector<std::string>> commands = {
        {"accelerate", "--tick-all", "--tick", "Service:Automatic Updates", "--yes"},
        {"accelerate", "--yes", "--untick", "System1", "--untick", "Desktop2", "--untick", "Explorer5", "--untick",
         "Power10", "--untick", "Others1", "--untick", "Power5", "--untick", "Desktop7", "--untick", "Desktop10",
         "--untick", "Explorer8", "--untick", "Service:Automatic Updates"},
        // set-info renames the PC: its restore point then counts as another PC's.
        {"restore", kBaseRestorePoint, "--yes-all", "--allow-other-pc"},
        {"set-info", "--user", "新しい使用者", "--organization", "新しい会社", "--computer", "NEWPC", "--yes"},
        {"options", "--set", "FontSize=11", "--set", "Sound=Off", "--lock", "Others9"},
        {"mail-rules", "backup", "--yes"},
        {"mail-rules", "restore", "--yes"},
    };
    // After a kill: the accelerates restore their own restore point (every other pass over their
    // writes) or run again, set-info is undone by the base restore point, a mail-rule backup is
    // restored, the others run again.
    const auto recover = [&](std::size_t which, bool restore, const std::string& itsPoint) -> std::vector<std::string> {
        if (which < 2 && restore && !itsPoint.empty()) return {"restore", itsPoint, "--yes-all"};
        if (which == 3) return commands[2];
        if (which == 5) return {"mail-rules", "restore", "--yes"};
        return commands[which];
    };
    // How many changes each command makes when it runs to its end, so that the kills spread over
    // the whole of it.
    const std::vector<fs::path> written = {folder_.path(), folder_.path() / "registry", programFolder,
                                           bootIni.parent_path(), host("C:\\WINDOWS")};
    std::vector<int> length;
    for (const auto& command : commands) {
        FolderChanges changes(written);
        testing::StartedProgram started = start(command);
        length.push_back(changes.awaitChanges(std::numeric_limits<int>::max(), started.pid));
        ASSERT_EQ(finishProgram(started).exitCode, 0);
    }

    std::map<std::string, std::string> changed;
    restorePoints(programFolder, changed);
    for (const auto& [name, text] : changed) ASSERT_TRUE(wholeRestorePoint(text)) << name;

    std::set<std::string> kept;  // restore points that runs which ended said they kept
    int killed = 0;
    constexpr int kRounds = 1000;
    for (int round = 0; round < kRounds; ++round) {
        const std::size_t which = static_cast<std::size_t>(round) % commands.size();
        const int pass = round / static_cast<int>(commands.size());
        const int after = pass % (length[which] + 1);
        const std::string values = userValues();
        FolderChanges changes(written);
        testing::StartedProgram started = start(commands[which]);
        changes.awaitChanges(after, started.pid);
        ::kill(started.pid, SIGKILL);
        const ProgramResult result = finishProgram(started);
        if (result.exitCode == -1) ++killed;
        if (result.exitCode != -1) {
            ASSERT_EQ(result.exitCode, 0) << "round " << round << ": " << result.err;
            const std::vector<std::string> out = lines(result.out);
            if (out.size() == 2 && out[1].starts_with("restore-point\t"))
                kept.insert(out[1].substr(out[1].rfind('\\') + 1));
        }

        // Restore points: the base one as it was, every kept one there; any new or changed one
        // whole, or empty when a killed run had just claimed its name.
        auto points = restorePoints(programFolder, changed);
        ASSERT_FALSE(changed.contains(kBaseRestorePoint)) << "round " << round << ": the base restore point changed";
        for (const std::string& name : kept) ASSERT_TRUE(points.contains(name)) << "round " << round << ": lost " << name;
        std::string itsPoint;
        for (const auto& [name, text] : changed) {
            ASSERT_TRUE(text.empty() || wholeRestorePoint(text)) << "round " << round << ": torn " << name;
            if (!text.empty()) itsPoint = name;
        }

        // One run more gets every value back, and its opening of the machine took the name a
        // killed run claimed and left empty.
        if (result.exitCode == -1) {
            const ProgramResult again = run(recover(which, pass / (length[which] + 1) % 2 == 0, itsPoint));
            ASSERT_EQ(again.exitCode, 0) << "round " << round << ", command " << which << ": " << again.err;
            ASSERT_EQ(userValues(), values) << "round " << round << ", command " << which << " killed after " << after;
            points = restorePoints(programFolder, changed);
            for (const auto& [name, stamp] : points) ASSERT_NE(stamp.size, 0u) << "round " << round << ": left empty: " << name;
            for (const auto& [name, text] : changed)
                if (wholeRestorePoint(text) && name.find("高速化設定前") != std::string::npos) kept.insert(name);
        }

        // Profile files end with their last line; the hives read whole.
        const std::string boot = testing::fileText(bootIni);
        ASSERT_TRUE(boot.ends_with("\r\n") && boot.find("[operating systems]") != std::string::npos)
            << "round " << round << ": torn boot.ini";
        const std::string settingsText = testing::fileText(settings);
        ASSERT_TRUE(settingsText.empty() || settingsText.ends_with("\r\n")) << "round " << round << ": torn settings";
        for (const auto& [root, count] : hiveKeys())
            ASSERT_GE(count + 20, keysAtStart.at(root)) << "round " << round << ": keys lost in a hive";
        if ((round + 1) % 100 == 0) {
            std::printf("%d rounds, %d runs killed\n", round + 1, killed);
            std::fflush(stdout);
        }
    }
    // Every restore point a run kept is whole (each was checked when it appeared).
    for (const std::string& name : kept)
        EXPECT_TRUE(wholeRestorePoint(testing::fileText(programFolder / name))) << name;
    EXPECT_EQ(testing::fileText(programFolder / kBaseRestorePoint), base);
    EXPECT_GT(killed, kRounds / 4) << "most runs ended before their kill";

    // The machine still works: the base restore point puts it back.
    const ProgramResult restored = run(commands[2]);
    EXPECT_EQ(restored.exitCode, 0) << restored.err;
    EXPECT_EQ(run({"status"}).exitCode, 0);
    std::printf("%d of %d runs killed, %zu restore points kept by runs that ended\n", killed, kRounds, kept.size());
}

}  // namespace
}  // namespace hastelyn
