#pragma once
// hastelyn-cli on a machine of a chosen edition, with its --json output parsed.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "platform/sandbox/SandboxPlatform.h"
#include "tests/support/FileText.h"
#include "tests/support/JsonValue.h"
#include "tests/support/MachineState.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TempFolder.h"
#include "tools/machine/MachineImages.h"

namespace hastelyn {

struct EditionMachine {
    explicit EditionMachine(const std::string& edition) {
        EXPECT_EQ(images::buildMachine(edition, folder.path()), "");
        testing::keepShellOpensInside(folder.path());
    }
    testing::ProgramResult run(const std::vector<std::string>& arguments) const {
        return testing::runProgram(HASTELYN_CLI, arguments, {{"HASTELYN_MACHINE", folder.path().string()}});
    }
    // The output of a --json run, parsed; a parse error fails the test where it is asked.
    testing::JsonValue json(const std::vector<std::string>& arguments, int exitCode = 0) const {
        const testing::ProgramResult result = run(arguments);
        EXPECT_EQ(result.exitCode, exitCode) << result.err;
        return testing::parseJson(result.out);
    }
    std::map<std::string, std::string> files() const { return testing::filesBelow(folder.path()); }
    std::map<std::string, std::string> registry() const {
        sandbox::SandboxPlatform machine(folder.path());
        return testing::registryState(machine.platform());
    }

    testing::TempFolder folder;
};

// The changes of a "rows" array as "row|kind|target|before|after" lines, in order.
inline std::vector<std::string> changeLines(const testing::JsonValue& rows, bool withCommands = true) {
    std::vector<std::string> lines;
    for (const testing::JsonValue& row : rows.array())
        for (const testing::JsonValue& c : row["changes"].array()) {
            const std::string kind = c["kind"].text();
            if (!withCommands && (kind == "command" || kind == "service")) continue;
            lines.push_back(row["row"].text() + "|" + kind + "|" + c["target"].text() + "|" +
                            c["before"].optionalText().value_or("(null)") + "|" + c["after"].optionalText().value_or("(null)"));
        }
    return lines;
}

}  // namespace hastelyn
