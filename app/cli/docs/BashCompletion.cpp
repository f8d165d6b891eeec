#include <string_view>

#include "app/cli/CommandTable.h"
#include "app/cli/docs/DocPages.h"

namespace hastelyn::cli {
namespace {

constexpr std::string_view kFiles = "mapfile -t COMPREPLY < <(compgen -f -- \"$cur\"); return ;;";

// What completes the word after a switch or in an operand's place: a choice's words, files for
// a FILE, nothing for a free text.
std::string valueCompletion(std::string_view argument) {
    if (const std::string words = choiceWords(argument); !words.empty()) return "words=\"" + words + "\" ;;";
    if (argument == "FILE") return std::string(kFiles);
    return "return ;;";
}

}  // namespace

std::string bashCompletion() {
    std::string commands;
    for (const CommandEntry& command : commandEntries()) commands += (commands.empty() ? "" : " ") + std::string(command.name);

    std::string out =
        "# bash completion for " + std::string(kProgramName) + ", written from its command table by the build.\n"
        "_hastelyn_cli() {\n"
        "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} command=${COMP_WORDS[1]} words=\n"
        "    COMPREPLY=()\n"
        "    if [ \"$COMP_CWORD\" -eq 1 ]; then\n"
        "        words=\"" + commands + " --help --version\"\n"
        "    elif [ \"$command\" = help ]; then\n"
        "        [ \"$COMP_CWORD\" -eq 2 ] && words=\"" + commands + "\"\n"
        "    else\n"
        "        case \"$prev\" in\n";
    for (const SwitchEntry& entry : switchEntries())
        if (!entry.argument.empty()) out += "            " + std::string(entry.name) + ") " + valueCompletion(entry.argument) + "\n";
    out += "        esac\n"
           "        if [ -z \"$words\" ]; then\n"
           "            case \"$command\" in\n";
    for (const CommandEntry& command : commandEntries()) {
        std::string switches;
        for (const SwitchEntry& entry : switchEntries())
            if (takesSwitch(entry, command.name)) switches += std::string(entry.name) + " ";
        out += "                " + std::string(command.name) + ") words=\"" + switches + "--help\" ;;\n";
    }
    out += "            esac\n"
           "            if [[ $cur != -* ]]; then\n"
           "                case \"$command\" in\n";
    for (const CommandEntry& command : commandEntries())
        if (!command.operand.empty() && command.name != "help")
            out += "                    " + std::string(command.name) + ") " + valueCompletion(command.operand) + "\n";
    out += "                esac\n"
           "            fi\n"
           "        fi\n"
           "    fi\n"
           "    mapfile -t COMPREPLY < <(compgen -W \"$words\" -- \"$cur\")\n"
           "}\n"
           "complete -F _hastelyn_cli " + std::string(kProgramName) + "\n";
    return out;
}

}  // namespace hastelyn::cli
