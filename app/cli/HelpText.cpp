#include "app/cli/HelpText.h"

#include "ui/model/ProgramVersion.h"

namespace hastelyn::cli {
namespace {

constexpr std::string_view kAbout =
    "Hastelyn without a window: the rows, restore points and settings of the program, on the same "
    "machine and the same program folder, for scripts and for rolling one restore point out to many PCs.";
#ifdef _WIN32
constexpr std::string_view kMachine = "The machine is this PC.";
#else
constexpr std::string_view kMachine =
    "HASTELYN_MACHINE names the sandbox machine's folder, made beforehand with hastelyn-mkmachine; unset, the "
    "machine is machine/ beside the program, made on first run. Set but empty, or naming a folder without a "
    "machine, it is an error.";
#endif
constexpr std::size_t kColumn = 24;

// "  NAME" padded to the column, then the text, wrapped in the column (on the next line when
// the name is longer).
std::string listed(std::string_view name, std::string_view text) {
    std::string line = "  " + std::string(name);
    const std::string column(kColumn, ' ');
    if (line.size() + 1 > kColumn) return line + "\n" + wrapped(text, column);
    line.append(kColumn - line.size(), ' ');
    return wrapped(text, line, 78, column);
}

std::string exitStatuses() {
    std::string out = "Exit status:\n";
    for (const ExitStatusEntry& e : exitStatusEntries()) out += listed(std::to_string(e.status), e.meaning);
    return out;
}

}  // namespace

std::string switchWithArgument(const SwitchEntry& entry) {
    return std::string(entry.name) + (entry.argument.empty() ? "" : " " + std::string(entry.argument));
}

std::string usageLine(const CommandEntry& command) {
    std::string line = std::string(kProgramName) + " " + std::string(command.name);
    if (!command.operand.empty()) line += " " + std::string(command.operand);
    for (const SwitchEntry& entry : switchEntries())
        if (takesSwitch(entry, command.name)) line += " [" + switchWithArgument(entry) + "]" + (entry.repeats ? "..." : "");
    return line;
}

std::string wrapped(std::string_view text, std::string_view indent, std::size_t width, std::string_view continuation) {
    if (continuation.empty()) continuation = indent;
    std::string out;
    std::string line(indent);
    bool empty = true;
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        const std::string_view word = text.substr(0, space);
        text = space == std::string_view::npos ? std::string_view() : text.substr(space + 1);
        if (!empty && line.size() + 1 + word.size() > width) {
            out += line + "\n";
            line = continuation;
            empty = true;
        }
        if (!empty) line += ' ';
        line += word;
        empty = false;
    }
    return empty ? out : out + line + "\n";
}

std::string programHelp() {
    std::string out = "usage: " + std::string(kProgramName) + " COMMAND [SWITCH]... [--help]\n       " +
                      std::string(kProgramName) + " --help | --version\n\n" + wrapped(kAbout, "") + "\nCommands:\n";
    for (const CommandEntry& command : commandEntries()) out += listed(command.name, command.summary);
    out += "\nUsage:\n";
    for (const CommandEntry& command : commandEntries()) out += wrapped(usageLine(command), "  ", 78, "      ");
    out += "\n" + wrapped("'" + std::string(kProgramName) + " help COMMAND' tells a command's switches.", "") + "\n" +
           exitStatuses() + "\n" + wrapped(kMachine, "");
    return out;
}

std::string commandHelp(const CommandEntry& command) {
    std::string out = wrapped("usage: " + usageLine(command), "", 78, "       ") + "\n" + wrapped(command.summary, "");
    if (!command.details.empty()) out += wrapped(command.details, "");
    out += "\nSwitches:\n";
    for (const SwitchEntry& entry : switchEntries())
        if (takesSwitch(entry, command.name))
            out += listed(switchWithArgument(entry), std::string(entry.text) + (entry.repeats ? " (repeatable)" : ""));
    out += listed("-h, --help", "print this help");
    return out;
}

std::string_view aboutProgram() { return kAbout; }
std::string_view aboutMachine() { return kMachine; }

std::string versionLine() { return std::string(kProgramName) + " " + std::string(ui::model::programVersion()); }

}  // namespace hastelyn::cli
