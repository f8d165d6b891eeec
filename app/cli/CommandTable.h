#pragma once
// The commands of hastelyn-cli and their switches, in one table: the parser takes a switch only
// where the table gives it, and the usage, the help, the manual page and the bash completion are
// all written from it. A new switch is one line of kSwitches.
#include <span>
#include <string>
#include <string_view>

namespace hastelyn::cli {

struct Options;

constexpr std::string_view kProgramName = "hastelyn-cli";

struct CommandEntry {
    std::string_view name;
    std::string_view operand;  // "FILE", "backup|restore" (one of the words), or "" for none
    std::string_view summary;  // one line, lower case, no full stop
    std::string_view details;  // a paragraph, or ""
    // The command reads its own switches (their names are still checked against the table).
    bool ownParser = false;
};

struct SwitchEntry {
    std::string_view name;      // "--tick"
    std::string_view argument;  // "ROW", "user|machine" (one of the words), or "" for a flag
    bool repeats;               // may be given more than once
    std::string_view commands;  // the commands that take it, separated by spaces; "*" for all
    std::string_view text;      // one line of help
    // Stores the switch (and its argument) in the options; null where no command acts on it yet.
    void (*take)(Options& options, std::string argument);
};

std::span<const CommandEntry> commandEntries();
std::span<const SwitchEntry> switchEntries();

// The command of a name, or null ("help" is one).
const CommandEntry* findCommand(std::string_view name);
bool takesSwitch(const SwitchEntry& entry, std::string_view command);
// The switch of a name that the command takes, or null.
const SwitchEntry* findSwitch(std::string_view command, std::string_view name);

// The words of an argument or operand that is a choice ("user|machine"); empty for a free one.
std::string choiceWords(std::string_view text);

// The exit statuses every command keeps.
struct ExitStatusEntry {
    int status;
    std::string_view meaning;
};
std::span<const ExitStatusEntry> exitStatusEntries();

}  // namespace hastelyn::cli
