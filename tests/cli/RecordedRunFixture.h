#pragma once
// hastelyn-cli on a machine of a chosen edition, with its --json output parsed.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/Text.h"
#include "platform/sandbox/SandboxPlatform.h"
#include "tests/support/FileText.h"
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
    nlohmann::json json(const std::vector<std::string>& arguments, int exitCode = 0) const {
        const testing::ProgramResult result = run(arguments);
        EXPECT_EQ(result.exitCode, exitCode) << result.err;
        return nlohmann::json::parse(result.out);
    }
    std::map<std::string, std::string> files() const { return testing::filesBelow(folder.path()); }
    std::map<std::string, std::string> registry() const {
        sandbox::SandboxPlatform machine(folder.path());
        return testing::registryState(machine.platform());
    }

    testing::TempFolder folder;
};

// The changes of a "rows" array as "row|kind|target|before|after" lines, in order.
inline std::vector<std::string> changeLines(const nlohmann::json& rows, bool withCommands = true) {
    const auto text = [](const nlohmann::json& value) { return value.is_null() ? "(null)" : value.get<std::string>(); };
    std::vector<std::string> lines;
    for (const nlohmann::json& row : rows)
        for (const nlohmann::json& c : row.at("changes")) {
            const std::string kind = c.at("kind");
            if (!withCommands && (kind == "command" || kind == "service")) continue;
            lines.push_back(text(row.at("row")) + "|" + kind + "|" + text(c.at("target")) + "|" + text(c.at("before")) + "|" +
                            text(c.at("after")));
        }
    return lines;
}

}  // namespace hastelyn
