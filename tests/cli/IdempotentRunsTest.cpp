// hastelyn-cli run again with the same ticks, as a configuration tool runs it on every pass: the
// first run leaves every row it applied in force, so that the second finds nothing to change and
// writes nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "tests/support/FileText.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TempFolder.h"
#include "tools/machine/MachineImages.h"

namespace hastelyn {
namespace {

struct Edition {
    const char* image;
    // Rows whose unticked action puts nothing back, so that they read as in force again: Desktop
    // ⑨ cannot bring forgotten notification items back, and Desktop ⑦ has no former wallpaper
    // to show on a machine that had none (the 98 image).
    std::set<std::string> inForceAfterUntick;
};

void PrintTo(const Edition& edition, std::ostream* out) { *out << edition.image; }

class IdempotentRuns : public ::testing::TestWithParam<Edition> {
protected:
    void SetUp() override {
        ASSERT_EQ(images::buildMachine(GetParam().image, folder_.path()), "");
        testing::keepShellOpensInside(folder_.path());
        // The services list unlocked, so that its rows are rolled out as well.
        const std::filesystem::path program = folder_.path() / "drives/C/Program Files/Hastelyn";
        std::filesystem::create_directories(program);
        std::ofstream(program / "Hastelyn.ini", std::ios::binary | std::ios::app) << "[DisabledItem]\r\nService=false\r\n";
    }

    testing::ProgramResult run(std::vector<std::string> arguments) {
        return testing::runProgram(HASTELYN_CLI, arguments, {{"HASTELYN_MACHINE", folder_.path().string()}});
    }

    // The enabled rows, each with its tick.
    std::map<std::string, bool> enabledRows() {
        const testing::ProgramResult status = run({"status"});
        EXPECT_EQ(status.exitCode, 0) << status.err;
        std::map<std::string, bool> rows;
        for (const std::string& line : testing::linesOf(status.out)) {
            const std::size_t name = line.find('\t');
            if (line.substr(name + 3, 1) == "1") rows[line.substr(0, name)] = line[name + 1] == '1';
        }
        return rows;
    }

    // Accelerates with the first arguments, which change something, and then with the second
    // (the same rows, those that cannot settle left out), which find nothing to change, keep no
    // restore point and leave every file of the machine as it was.
    void settles(const std::string& what, std::vector<std::string> first, std::vector<std::string> again) {
        SCOPED_TRACE(what);
        const testing::ProgramResult changed = accelerate(std::move(first));
        ASSERT_EQ(changed.exitCode, 0) << changed.err;
        EXPECT_TRUE(changed.out.starts_with("changed\n")) << changed.out;

        const auto before = testing::filesBelow(folder_.path());
        const testing::ProgramResult unchanged = accelerate(std::move(again));
        ASSERT_EQ(unchanged.exitCode, 0) << unchanged.err;
        EXPECT_EQ(unchanged.out, "unchanged\n");
        const auto after = testing::filesBelow(folder_.path());
        for (const auto& [path, bytes] : after) {
            const auto was = before.find(path);
            EXPECT_TRUE(was != before.end() && was->second == bytes) << "written again: " << path;
        }
        EXPECT_EQ(after.size(), before.size());
    }

    testing::ProgramResult accelerate(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "accelerate");
        arguments.push_back("--yes");
        return run(std::move(arguments));
    }

    testing::TempFolder folder_;
};

TEST_P(IdempotentRuns, ASecondRunWithTheSameTicksChangesNothing) {
    // Every enabled row ticked: the five lists by --tick-all, the services by name.
    std::vector<std::string> tickAll = {"--tick-all"};
    std::size_t services = 0;
    for (const auto& [row, ticked] : enabledRows())
        if (row.starts_with("Service:")) tickAll.insert(tickAll.end(), {"--tick", row}), ++services;
    // The 95 family has no services list.
    if (std::string(GetParam().image) != "98") {
        EXPECT_GT(services, 0u);
    }
    settles("tick all", tickAll, tickAll);
    for (const auto& [row, ticked] : enabledRows()) EXPECT_TRUE(ticked) << row << " does not read as in force";

    // Every enabled row unticked: only the rows that cannot be taken back read as in force
    // afterwards, and the same untick without them settles.
    std::vector<std::string> untickAll;
    std::vector<std::string> untickAgain;
    for (const auto& [row, ticked] : enabledRows()) {
        untickAll.insert(untickAll.end(), {"--untick", row});
        if (!GetParam().inForceAfterUntick.contains(row)) untickAgain.insert(untickAgain.end(), {"--untick", row});
    }
    settles("untick all", untickAll, untickAgain);
    std::set<std::string> stillTicked;
    for (const auto& [row, ticked] : enabledRows())
        if (ticked) stillTicked.insert(row);
    EXPECT_EQ(stillTicked, GetParam().inForceAfterUntick);
}

INSTANTIATE_TEST_SUITE_P(Editions, IdempotentRuns,
                         ::testing::Values(Edition{"xp", {"Desktop9"}}, Edition{"2000", {}}, Edition{"98", {"Desktop7"}}),
                         [](const auto& info) { return std::string("Windows") + info.param.image; });

}  // namespace
}  // namespace hastelyn
