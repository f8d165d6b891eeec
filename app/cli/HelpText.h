#pragma once
// The help texts of hastelyn-cli, written from its command table (CommandTable.h).
#include <string>
#include <string_view>

#include "app/cli/CommandTable.h"

namespace hastelyn::cli {

// "hastelyn-cli plan [--tick ROW]... [--tick-all] ... [--json]".
std::string usageLine(const CommandEntry& command);
// "--tick ROW", "--tick-all".
std::string switchWithArgument(const SwitchEntry& entry);

// What --help prints: the commands, their usage, the exit statuses and the environment.
std::string programHelp();
// What "help COMMAND" and "COMMAND --help" print.
std::string commandHelp(const CommandEntry& command);
// The paragraphs of the help about the program and about the machine it works on.
std::string_view aboutProgram();
std::string_view aboutMachine();
// "hastelyn-cli 1.92".
std::string versionLine();

// The text broken into lines of at most width bytes at spaces, the first after the indent, the
// others after the continuation (the indent when empty).
std::string wrapped(std::string_view text, std::string_view indent, std::size_t width = 78,
                    std::string_view continuation = {});

}  // namespace hastelyn::cli
