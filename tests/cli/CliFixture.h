#pragma once
// hastelyn-cli run as a separate process on a machine folder of its own (the XP image).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "foundation/RegistryValues.h"
#include "platform/sandbox/SandboxPlatform.h"
#include "tests/support/FileText.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/RunProgram.h"
#include "tests/support/TempFolder.h"
#include "tools/machine/MachineImages.h"

namespace hastelyn {

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(images::buildMachine("xp", folder_.path()), "");
        testing::keepShellOpensInside(folder_.path());
    }

    testing::ProgramResult run(std::vector<std::string> arguments) {
        return testing::runProgram(HASTELYN_CLI, arguments, environment());
    }
    // Started and left running, for runs at the same time.
    testing::StartedProgram start(std::vector<std::string> arguments) {
        return testing::startProgram(HASTELYN_CLI, arguments, environment());
    }
    std::map<std::string, std::string> environment() const {
        return {{"HASTELYN_MACHINE", folder_.path().string()}};
    }
    std::string read(platform::RootKey root, std::string_view key, std::string_view name, foundation::RegType type) {
        sandbox::SandboxPlatform machine(folder_.path());
        return foundation::RegistryValues(machine.platform()).ReadRegValue(root, key, name, type);
    }
    bool exists(std::string_view windowsPath) {
        sandbox::SandboxPlatform machine(folder_.path());
        return machine.platform().files.getFileAttributes(windowsPath) != platform::fileattr::Invalid;
    }
    static std::vector<std::string> lines(const std::string& text) { return testing::linesOf(text); }

    testing::TempFolder folder_;
};

}  // namespace hastelyn
