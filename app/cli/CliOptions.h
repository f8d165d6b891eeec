#pragma once
// The command line as parsed: the command, its files, ticks and switches.
#include <string>
#include <utility>
#include <vector>

#include "app/cli/OptionsCommand.h"
#include "app/cli/PcInfoCommands.h"

namespace hastelyn::cli {

// Bad arguments: the text and the usage go to stderr, the exit status is 2.
struct UsageError {
    std::string text;
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
