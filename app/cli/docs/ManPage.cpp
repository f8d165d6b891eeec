#include <string_view>

#include "app/cli/CommandTable.h"
#include "app/cli/HelpText.h"
#include "app/cli/docs/DocPages.h"

namespace hastelyn::cli {
namespace {

// Text as roff reads it: backslashes and minus signs escaped, no line taken for a request.
std::string roff(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') out += "\\e";
        else if (c == '-') out += "\\-";
        else out += c;
    }
    if (out.starts_with(".") || out.starts_with("'")) out.insert(0, "\\&");
    return out;
}

std::string paragraph(std::string_view text) { return roff(text) + "\n"; }

}  // namespace

std::string manPage() {
    const std::string name(kProgramName);
    std::string out = ".TH " + roff("HASTELYN-CLI") + " 1 \"\" \"" + roff(versionLine()) + "\" \"User Commands\"\n";
    out += ".ad l\n.nh\n";  // the switches are read, not justified or hyphenated
    out += ".SH NAME\n" + roff(name) + " \\- speed up Japanese Windows 95 to XP without a window\n";
    out += ".SH SYNOPSIS\n";
    for (const CommandEntry& command : commandEntries()) out += ".B " + roff(usageLine(command)) + "\n.br\n";
    out += ".B " + roff(name + " --help | --version") + "\n";
    out += ".SH DESCRIPTION\n" + paragraph(aboutProgram());
    out += ".SH COMMANDS\n";
    for (const CommandEntry& command : commandEntries()) {
        out += ".TP\n.B " + roff(std::string(command.name) + (command.operand.empty() ? "" : " " + std::string(command.operand))) +
               "\n" + paragraph(command.summary);
        if (!command.details.empty()) out += ".br\n" + paragraph(command.details);
    }
    out += ".SH SWITCHES\n";
    for (const SwitchEntry& entry : switchEntries()) {
        out += ".TP\n.B " + roff(switchWithArgument(entry)) + "\n" + paragraph(entry.text);
        out += ".br\n" + paragraph(entry.commands == "*" ? "Every command." : "Commands: " + std::string(entry.commands) + ".");
    }
    out += ".TP\n.B " + roff("-h, --help") + "\n" + paragraph("Print the help, or the command's help, on stdout.");
    out += ".TP\n.B " + roff("--version") + "\n" + paragraph("Print \"" + versionLine() + "\".");
    out += ".SH EXIT STATUS\n";
    for (const ExitStatusEntry& e : exitStatusEntries()) out += ".TP\n.B " + std::to_string(e.status) + "\n" + paragraph(e.meaning);
    out += ".SH ENVIRONMENT\n.TP\n.B HASTELYN_MACHINE\n" + paragraph(aboutMachine());
    return out;
}

}  // namespace hastelyn::cli
