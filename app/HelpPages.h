#pragma once
// The help pages reach the sandbox machine as the program's installer would put them: in the
// folder "help" beside the program (C:\Program Files\Hastelyn\help), copied from the folder
// "help" beside the executable on this computer when they differ.
#include <filesystem>
#include <string>

#include "platform/sandbox/SandboxMachine.h"

namespace hastelyn::app {

// The help folder beside the running executable.
std::filesystem::path shippedHelpFolder();

// Copies every file of the shipped folder that the machine lacks or holds otherwise; a page the
// machine has alone stays. Empty when done, else what went wrong.
std::string installHelpPages(const sandbox::SandboxMachine& machine, const std::filesystem::path& shipped);

}  // namespace hastelyn::app
