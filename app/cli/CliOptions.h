#pragma once
// The command line as parsed: the command, its files, ticks and switches.
#include <string>
#include <utility>
#include <vector>

#include "app/cli/OptionsCommand.h"
#include "app/cli/PcInfoCommands.h"

namespace hastelyn::cli {

// Bad arguments: a short message on stderr, "hastelyn-cli: COMMAND: TEXT (see ...)", and exit
// status 2. The command is filled in where the error is reported when the thrower left it out.
struct UsageError {
    UsageError(std::string text, std::string command = {}) : text(std::move(text)), command(std::move(command)) {}
    std::string text;
    std::string command;  // empty before a known command was read
};

struct Options {
    std::string command;
    std::vector<std::string> files;
    std::vector<std::pair<std::string, bool>> tickChanges;  // row name, ticked
    bool tickAll = false;
    bool json = false;
    bool dryRun = false;
    bool yes = false;
    bool yesAll = false;
    bool allowOtherPc = false;  // restore, verify: a restore point of another PC
    std::string preset;         // --preset FILE: the ticks of a preset file
    std::string scope;          // --scope: "user", "machine", or empty for every row
    PcInfoTexts pcInfo;
    OptionsRequest optionsRequest;
};

}  // namespace hastelyn::cli
