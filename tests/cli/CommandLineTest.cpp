// The conventions around the commands: help and version, the machine the environment names,
// and what an installation brings (the manual page and the bash completion).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/cli/CliFixture.h"
#include "tests/support/FileText.h"
#include "ui/model/ProgramVersion.h"

namespace hastelyn {
namespace {

namespace fs = std::filesystem;
using testing::ProgramResult;

ProgramResult runOn(const std::string& machine, std::vector<std::string> arguments, const std::string& program = HASTELYN_CLI) {
    return testing::runProgram(program, arguments, {{"HASTELYN_MACHINE", machine}});
}

// Help and version go to stdout with exit status 0, and need no machine.
TEST(CommandLine, HelpAndVersionNeedNoMachine) {
    const std::string none = "/nonexistent/machine";
    const ProgramResult help = runOn(none, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.starts_with("usage: hastelyn-cli COMMAND")) << help.out;
    EXPECT_EQ(help.err, "");
    for (const std::string command : {"status", "accelerate", "plan", "verify", "mail-rules", "options"})
        EXPECT_NE(help.out.find("\n  " + command + " "), std::string::npos) << command;
    EXPECT_NE(help.out.find("  3                     verify: the machine has drifted"), std::string::npos);
    EXPECT_EQ(runOn(none, {"-h"}).out, help.out);
    EXPECT_EQ(runOn(none, {"help"}).out, help.out);

    const ProgramResult plan = runOn(none, {"help", "plan"});
    EXPECT_EQ(plan.exitCode, 0);
    EXPECT_TRUE(plan.out.starts_with("usage: hastelyn-cli plan [--tick ROW]...")) << plan.out;
    EXPECT_NE(plan.out.find("\n  --tick-all "), std::string::npos) << plan.out;
    EXPECT_EQ(plan.out.find("--dry-run"), std::string::npos) << "plan is a dry run already";
    for (const std::vector<std::string>& same : {std::vector<std::string>{"plan", "--help"}, {"plan", "--tick", "System1", "-h"}})
        EXPECT_EQ(runOn(none, same).out, plan.out);

    const ProgramResult version = runOn(none, {"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, "hastelyn-cli " + std::string(ui::model::programVersion()) + "\n");
}

// Only the default machine beside the program is made on first run; a machine named by
// HASTELYN_MACHINE must be there, and an empty name is no name.
TEST(CommandLine, OnlyTheDefaultMachineIsMadeOnFirstRun) {
    testing::TempFolder temp;
    const fs::path empty = temp.path() / "empty";
    fs::create_directories(empty);
    for (const fs::path& named : {temp.path() / "typo", empty}) {
        const ProgramResult result = runOn(named.string(), {"accelerate", "--tick", "System1", "--yes"});
        EXPECT_EQ(result.exitCode, 1) << named;
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("\"" + named.string() + "\""), std::string::npos) << result.err;
    }
    EXPECT_FALSE(fs::exists(temp.path() / "typo"));
    EXPECT_TRUE(fs::is_empty(empty));
    const ProgramResult unnamed = runOn("", {"status"});
    EXPECT_EQ(unnamed.exitCode, 1);
    EXPECT_NE(unnamed.err.find("HASTELYN_MACHINE"), std::string::npos) << unnamed.err;

    const fs::path program = temp.path() / "bin" / "hastelyn-cli";
    fs::create_directories(program.parent_path());
    fs::copy_file(HASTELYN_CLI, program);
    ::unsetenv("HASTELYN_MACHINE");
    const ProgramResult first = testing::runProgram(program.string(), {"status"});
    EXPECT_EQ(first.exitCode, 0) << first.err;
    EXPECT_TRUE(fs::exists(program.parent_path() / "machine" / "machine.ini"));
}

// An installation has the program, its manual page and its completion, and the completion
// completes the commands, a command's switches and the words of a choice.
TEST(CommandLine, AnInstallBringsTheManualPageAndACompletionThatCompletes) {
    testing::TempFolder prefix;
    const ProgramResult install =
        testing::runProgram(HASTELYN_CMAKE, {"--install", HASTELYN_BUILD_DIR, "--prefix", prefix.path().string()});
    ASSERT_EQ(install.exitCode, 0) << install.out << install.err;
    EXPECT_TRUE(fs::exists(prefix.path() / "bin/hastelyn-cli"));
    EXPECT_TRUE(testing::fileText(prefix.path() / "share/man/man1/hastelyn-cli.1").starts_with(".TH HASTELYN\\-CLI 1 "));
    const fs::path completion = prefix.path() / "share/bash-completion/completions/hastelyn-cli";
    const ProgramResult completed = testing::runProgram(
        "/bin/bash", {"-c", "source \"$0\"; try() { COMP_WORDS=(hastelyn-cli \"$@\"); COMP_CWORD=$#; _hastelyn_cli; "
                            "echo \"${COMPREPLY[*]}\"; }; try acc; try p; try plan --p; try status --scope ''; "
                            "try help ver; try mail-rules ''; try verify --allow; try options --set ''",
                      completion.string()});
    EXPECT_EQ(completed.err, "");
    EXPECT_EQ(testing::linesOf(completed.out),
              (std::vector<std::string>{"accelerate", "plan", "--preset", "user machine", "verify", "backup restore",
                                        "--allow-other-pc", ""}));
}

}  // namespace
}  // namespace hastelyn
