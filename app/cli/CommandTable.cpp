#include "app/cli/CommandTable.h"

#include <array>
#include <utility>

#include "app/cli/CliOptions.h"

namespace hastelyn::cli {
namespace {

constexpr std::array kCommands = {
    CommandEntry{"status", "", "print every row with its tick and whether it may be changed",
                 "One line per row of the six lists: ROW, ticked (0/1), enabled (0/1) and the label, separated "
                 "by tabs. ROW is System1 ... Others10, or Service: and the service's display name."},
    CommandEntry{"accelerate", "", "tick rows, then run the accelerate command (restore point first)",
                 "Asks first (--yes answers), keeps a restore point, applies the ticked rows and prints "
                 "cancelled, unchanged or changed, then restore-point and its path. A locked row is refused "
                 "on stderr with exit status 1."},
    CommandEntry{"plan", "", "show what accelerate would change, changing nothing",
                 "The arguments of accelerate. Prints each row and every value, file line and command the run "
                 "would change, before -> after; nothing reaches the machine."},
    CommandEntry{"backup", "FILE", "write a restore point to FILE",
                 "FILE is a path on the machine (C:\\...); a bare name lies in the program's folder."},
    CommandEntry{"restore", "FILE", "put back everything the restore point FILE records",
                 "Asks first, as the window does. A file that is not a restore point is refused before "
                 "anything changes."},
    CommandEntry{"verify", "FILE", "compare the machine with the restore point FILE (or a preset)",
                 "Prints matches (exit status 0), or drifted and one line per difference (exit status 3). "
                 "Changes nothing. With --preset FILE instead of the restore point, compares each row's tick "
                 "with the preset's (--scope only with --preset)."},
    CommandEntry{"info", "", "print the PC information fields", "One line per field: the label and the value."},
    CommandEntry{"set-info", "", "change the registered user, organisation or computer name",
                 "A field not given keeps its text. The page's checks, then its question."},
    CommandEntry{"mail-rules", "backup|restore", "save or put back the mail client's message rules",
                 "The backup is \"OE メールルールのバックアップ.hiv\" in the program's folder."},
    CommandEntry{"options", "", "print or change the program's settings and locked items",
                 "Without switches prints KEY<TAB>VALUE lines. --set writes only what the options window could "
                 "write; any other key or value is refused before anything is written.",
                 true},
    CommandEntry{"help", "[COMMAND]", "print the help, or a command's help", ""},
};

constexpr auto kAll = "*";

// The order of the lines is the order of the usage lines' switches.
constexpr std::array kSwitches = {
    SwitchEntry{"--tick", "ROW", true, "accelerate plan", "tick ROW before the run",
                [](Options& o, std::string row) { o.tickChanges.emplace_back(std::move(row), true); }},
    SwitchEntry{"--untick", "ROW", true, "accelerate plan", "untick ROW before the run",
                [](Options& o, std::string row) { o.tickChanges.emplace_back(std::move(row), false); }},
    SwitchEntry{"--tick-all", "", false, "accelerate plan", "tick every enabled row of the five tweak lists",
                [](Options& o, std::string) { o.tickAll = true; }},
    SwitchEntry{"--preset", "FILE", false, "accelerate plan verify", "take the rows to tick from the preset FILE",
                [](Options& o, std::string file) { o.preset = std::move(file); }},
    SwitchEntry{"--scope", "user|machine", false, "accelerate plan verify status",
                "only the rows of the current user, or of the whole machine",
                [](Options& o, std::string scope) { o.scope = std::move(scope); }},
    SwitchEntry{"--allow-other-pc", "", false, "restore verify", "take a restore point made on another PC",
                [](Options& o, std::string) { o.allowOtherPc = true; }},
    SwitchEntry{"--user", "TEXT", false, "set-info", "the registered user",
                [](Options& o, std::string text) { o.pcInfo.user = std::move(text); }},
    SwitchEntry{"--organization", "TEXT", false, "set-info", "the registered organisation",
                [](Options& o, std::string text) { o.pcInfo.organization = std::move(text); }},
    SwitchEntry{"--computer", "TEXT", false, "set-info", "the computer name",
                [](Options& o, std::string text) { o.pcInfo.computer = std::move(text); }},
    SwitchEntry{"--set", "KEY=VALUE", true, "options", "write a setting as the options window does", nullptr},
    SwitchEntry{"--lock", "ROW", true, "options", "lock ROW on the locked-items page", nullptr},
    SwitchEntry{"--unlock", "ROW", true, "options", "unlock ROW", nullptr},
    // plan takes --yes as accelerate does, and needs none.
    SwitchEntry{"--yes", "", false, "accelerate plan restore verify set-info mail-rules",
                "answer Yes to the command's own first question", [](Options& o, std::string) { o.yes = true; }},
    SwitchEntry{"--yes-all", "", false, "accelerate plan restore verify set-info mail-rules",
                "answer Yes to every question (shell restart, restart of Windows)",
                [](Options& o, std::string) { o.yesAll = true; }},
    SwitchEntry{"--dry-run", "", false, "accelerate restore", "change nothing; print what the run would change",
                [](Options& o, std::string) { o.dryRun = true; }},
    SwitchEntry{"--json", "", false, kAll, "print one JSON object (docs/cli.md)",
                [](Options& o, std::string) { o.json = true; }},
};

constexpr std::array kExitStatuses = {
    ExitStatusEntry{0, "done"},
    ExitStatusEntry{1, "failed: an error, or a row refused, failed or left"},
    ExitStatusEntry{2, "usage error: nothing was done"},
    ExitStatusEntry{3, "verify: the machine has drifted from the restore point"},
};

}  // namespace

std::span<const CommandEntry> commandEntries() { return kCommands; }
std::span<const SwitchEntry> switchEntries() { return kSwitches; }
std::span<const ExitStatusEntry> exitStatusEntries() { return kExitStatuses; }

const CommandEntry* findCommand(std::string_view name) {
    for (const CommandEntry& entry : kCommands)
        if (entry.name == name) return &entry;
    return nullptr;
}

bool takesSwitch(const SwitchEntry& entry, std::string_view command) {
    if (command == "help") return false;
    if (entry.commands == kAll) return true;
    for (std::string_view rest = entry.commands; !rest.empty();) {
        const std::size_t space = rest.find(' ');
        if (rest.substr(0, space) == command) return true;
        rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
    }
    return false;
}

const SwitchEntry* findSwitch(std::string_view command, std::string_view name) {
    for (const SwitchEntry& entry : kSwitches)
        if (entry.name == name && takesSwitch(entry, command)) return &entry;
    return nullptr;
}

std::string choiceWords(std::string_view text) {
    if (text.find('|') == std::string_view::npos) return "";
    std::string words(text);
    for (char& c : words)
        if (c == '|') c = ' ';
    return words;
}

}  // namespace hastelyn::cli
