#pragma once
// The arguments of hastelyn-cli read against its command table.
#include <optional>
#include <string>

#include "app/cli/CliOptions.h"

namespace hastelyn::cli {

struct CommandLine {
    Options options;
    // The help or the version, asked for: printed on stdout instead of running a command.
    std::optional<std::string> text;
};

// Throws UsageError.
CommandLine parseArguments(int argc, char** argv);

// "hastelyn-cli: plan: unknown switch '--tik' (see 'hastelyn-cli help plan')".
std::string usageMessage(const UsageError& error);

}  // namespace hastelyn::cli
