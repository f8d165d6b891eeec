#include "app/cli/ParseArguments.h"

#include <algorithm>
#include <vector>

#include "app/cli/CommandTable.h"
#include "app/cli/HelpText.h"

namespace hastelyn::cli {
namespace {

bool isHelp(std::string_view arg) { return arg == "--help" || arg == "-h"; }

// Whether a choice ("user|machine") holds the word; any word for a free argument.
bool offered(std::string_view choice, std::string_view word) {
    const std::string words = " " + choiceWords(choice) + " ";
    return words == "  " || words.find(" " + std::string(word) + " ") != std::string::npos;
}

std::string inQuotes(std::string_view text) { return "'" + std::string(text) + "'"; }

// The text "help" prints, or throws.
std::string helpFor(int argc, char** argv) {
    if (argc == 2 || isHelp(argv[2])) return programHelp();
    if (argc > 3) throw UsageError{"unexpected argument " + inQuotes(argv[3]), "help"};
    const CommandEntry* command = findCommand(argv[2]);
    if (command == nullptr) throw UsageError{"unknown command " + inQuotes(argv[2])};
    return commandHelp(*command);
}

}  // namespace

CommandLine parseArguments(int argc, char** argv) {
    if (argc < 2) throw UsageError{"no command given"};
    const std::string first = argv[1];
    if (isHelp(first) || first == "help") return {{}, helpFor(argc, argv)};
    if (first == "--version") {
        if (argc > 2) throw UsageError{"unexpected argument " + inQuotes(argv[2]) + " after --version"};
        return {{}, versionLine() + "\n"};
    }
    const CommandEntry* command = findCommand(first);
    if (command == nullptr)
        throw UsageError{(first.starts_with("-") ? "unknown switch " : "unknown command ") + inQuotes(first)};

    CommandLine line;
    Options& o = line.options;
    o.command = first;
    const auto refuse = [&](const std::string& text) { return UsageError{text, o.command}; };
    std::vector<std::string> operands;
    std::vector<std::string_view> given;  // the switches with an argument that may come once
    bool switchesEnd = false;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (switchesEnd || !arg.starts_with("-") || arg == "-") {
            operands.push_back(arg);
            continue;
        }
        if (arg == "--") {
            switchesEnd = true;
            continue;
        }
        if (isHelp(arg)) return {{}, commandHelp(*command)};
        const SwitchEntry* entry = findSwitch(o.command, arg);
        if (entry == nullptr) throw refuse("unknown switch " + inQuotes(arg));
        std::string value;
        if (!entry->argument.empty() && !entry->repeats) {
            if (std::find(given.begin(), given.end(), entry->name) != given.end()) throw refuse(arg + " may be given once");
            given.push_back(entry->name);
        }
        if (!entry->argument.empty()) {
            if (i + 1 >= argc) throw refuse(arg + " needs " + std::string(entry->argument));
            value = argv[++i];
            if (!offered(entry->argument, value))
                throw refuse(arg + " takes " + std::string(entry->argument) + ", not " + inQuotes(value));
        }
        if (command->ownParser) continue;
        if (entry->take == nullptr) throw refuse(arg + " is not supported yet");
        entry->take(o, std::move(value));
    }
    if (command->operand.empty() && !operands.empty()) throw refuse("unexpected argument " + inQuotes(operands.front()));
    // verify compares with a restore point, or with a preset instead.
    const bool presetInstead = o.command == "verify" && !o.preset.empty();
    if (o.command == "verify" && !o.scope.empty() && !presetInstead) throw refuse("--scope needs --preset");
    if (presetInstead) {
        if (!operands.empty()) throw refuse("takes FILE or --preset FILE, not both");
    } else if (!command->operand.empty()) {
        if (operands.size() != 1) throw refuse("needs one " + std::string(command->operand));
        if (!offered(command->operand, operands.front()))
            throw refuse("takes " + std::string(command->operand) + ", not " + inQuotes(operands.front()));
    }
    o.files = std::move(operands);
    if (command->ownParser) {
        if (auto error = parseOptionsArguments(argc, argv, o.optionsRequest)) throw refuse(*error);
        o.json = o.optionsRequest.json;
    }
    return line;
}

std::string usageMessage(const UsageError& error) {
    const std::string program(kProgramName);
    if (error.command.empty()) return program + ": " + error.text + " (see '" + program + " --help')";
    return program + ": " + error.command + ": " + error.text + " (see '" + program + " help " + error.command + "')";
}

}  // namespace hastelyn::cli
