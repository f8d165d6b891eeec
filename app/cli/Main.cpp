// hastelyn-cli: the main job without a window, on the same machine and program folder as the
// program. See README.md for the commands.
#include <cstdio>
#include <cstring>
#include <exception>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/cli/CliOptions.h"
#include "app/cli/CommandOutput.h"
#include "app/cli/Commands.h"
#include "app/cli/ConsoleSurfaces.h"
#include "app/cli/OptionsCommand.h"
#include "engine/Startup.h"
#include "platform/recording/RecordingPlatform.h"
#ifdef _WIN32
#include "platform/win32/Console.h"
#include "platform/win32/Win32Platform.h"
#else
#include "app/MachineStartup.h"
#endif

using namespace hastelyn;
using namespace hastelyn::cli;

namespace {

#ifdef _WIN32
// On Windows the command line works on the system it runs on.
std::unique_ptr<win32::Win32Platform> openMachine() { return std::make_unique<win32::Win32Platform>(); }
#else
std::unique_ptr<sandbox::SandboxPlatform> openMachine() { return app::openMachine(); }
#endif

constexpr const char* kUsage =
    "usage: hastelyn-cli status [--scope user|machine] [--json]\n"
    "       hastelyn-cli accelerate [--preset FILE] [--tick ROW]... [--untick ROW]... [--tick-all] [--scope user|machine] [--yes] [--yes-all] [--dry-run] [--json]\n"
    "       hastelyn-cli plan [--preset FILE] [--tick ROW]... [--untick ROW]... [--tick-all] [--scope user|machine] [--yes] [--yes-all] [--json]\n"
    "       hastelyn-cli backup FILE [--json]\n"
    "       hastelyn-cli restore FILE [--yes] [--yes-all] [--allow-other-pc] [--dry-run] [--json]\n"
    "       hastelyn-cli verify FILE [--yes] [--yes-all] [--allow-other-pc] [--json] | --preset FILE [--scope user|machine] [--json]\n"
    "       hastelyn-cli info [--json]\n"
    "       hastelyn-cli set-info [--user TEXT] [--organization TEXT] [--computer TEXT] [--yes] [--yes-all] [--json]\n"
    "       hastelyn-cli mail-rules backup|restore [--yes] [--json]\n"
    "       hastelyn-cli options [--json] | [--set KEY=VALUE]... [--lock ROW]... [--unlock ROW]...\n";

bool oneOf(const std::string& command, std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (command == name) return true;
    return false;
}

Options parse(int argc, char** argv) {
    if (argc < 2) throw UsageError{"no command"};
    Options o;
    o.command = argv[1];
    if (o.command == "options") {
        if (auto error = parseOptionsArguments(argc, argv, o.optionsRequest)) throw UsageError{*error};
        o.json = o.optionsRequest.json;
        return o;
    }
    const bool ticks = oneOf(o.command, {"accelerate", "plan"});
    const bool asks = oneOf(o.command, {"accelerate", "plan", "restore", "verify", "set-info", "mail-rules"});
    const bool takesFile = oneOf(o.command, {"backup", "restore", "verify"});
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc) throw UsageError{arg + (o.command == "set-info" ? " needs a text" : " needs a row")};
            return argv[++i];
        };
        if (arg == "--json") o.json = true;
        else if (arg == "--user" && o.command == "set-info") o.pcInfo.user = value();
        else if (arg == "--organization" && o.command == "set-info") o.pcInfo.organization = value();
        else if (arg == "--computer" && o.command == "set-info") o.pcInfo.computer = value();
        else if (arg == "--tick" && ticks) o.tickChanges.emplace_back(value(), true);
        else if (arg == "--untick" && ticks) o.tickChanges.emplace_back(value(), false);
        else if (arg == "--tick-all" && ticks) o.tickAll = true;
        else if (arg == "--preset" && oneOf(o.command, {"accelerate", "plan", "verify"})) o.preset = o.preset.empty() ? value() : throw UsageError{"--preset may be given once"};
        else if (arg == "--scope" && oneOf(o.command, {"accelerate", "plan", "verify", "status"})) o.scope = value();
        else if (arg == "--allow-other-pc" && oneOf(o.command, {"restore", "verify"})) o.allowOtherPc = true;
        else if (arg == "--dry-run" && oneOf(o.command, {"accelerate", "restore"})) o.dryRun = true;
        else if (arg == "--yes" && asks) o.yes = true;  // plan takes it as accelerate does, and needs none
        else if (arg == "--yes-all" && asks) o.yesAll = true;
        else if (!arg.starts_with("--") && takesFile) o.files.push_back(arg);
        else if ((arg == "backup" || arg == "restore") && o.command == "mail-rules" && o.files.empty()) o.files.push_back(arg);
        else throw UsageError{"unexpected argument: " + arg};
    }
    if (!oneOf(o.command, {"status", "accelerate", "plan", "backup", "restore", "verify", "info", "set-info", "mail-rules"}))
        throw UsageError{"unknown command: " + o.command};
    if (takesFile && o.files.size() != (o.command == "verify" && !o.preset.empty() ? 0u : 1u)) throw UsageError{o.command + (o.preset.empty() ? " needs one FILE" : " takes FILE or --preset FILE")};
    if (!o.scope.empty() && ((o.scope != "user" && o.scope != "machine") || (o.command == "verify" && o.preset.empty()))) throw UsageError{"--scope takes user or machine (verify: with --preset)"};
    if (o.command == "mail-rules" && o.files.size() != 1) throw UsageError{"mail-rules needs backup or restore"};
    return o;
}

// The commands that report what they change run over the recording layer: a dry run for those
// that only look, pass-through for the real runs.
std::optional<recording::RecordingMode> recordingFor(const Options& o) {
    if (oneOf(o.command, {"plan", "verify"}) || o.dryRun) return recording::RecordingMode::DryRun;
    if (oneOf(o.command, {"accelerate", "restore"})) return recording::RecordingMode::PassThrough;
    return std::nullopt;
}

int dispatch(CommandContext& context) {
    const std::string& command = context.options.command;
    if (command == "status") return runStatus(context);
    if (command == "accelerate" || command == "plan") return runAccelerate(context);
    if (command == "backup") return runBackup(context);
    if (command == "restore") return runRestore(context);
    if (command == "verify") return runVerify(context);
    if (command == "info") return runInfo(context);
    if (command == "set-info") return runSetInfo(context);
    if (command == "options") return runOptions(context.session, context.options.optionsRequest);
    return runMailRules(context);
}

// The error of a command: on stderr unless a dialog already said it, and as the JSON object.
int failed(const Options& options, const std::string& message, bool said) {
    if (!said) std::fprintf(stderr, "%s\n", message.c_str());
    if (options.json) printJson(commandObject(options.command).set("error", message));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // The arguments as UTF-8, whatever the system's code page.
    const win32::Utf8Console console;
    std::vector<std::string> arguments = win32::programArguments();
    std::vector<char*> pointers;
    for (std::string& argument : arguments) pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    argc = static_cast<int>(arguments.size());
    argv = pointers.data();
#endif
    Options options;
    try {
        options = parse(argc, argv);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "%s\n%s", e.text.c_str(), kUsage);
        return 2;
    }
    try {
        const auto machine = openMachine();
        std::optional<recording::RecordingPlatform> recorder;
        if (const auto mode = recordingFor(options)) recorder.emplace(machine->platform(), *mode);
        cli::ConsoleClipboard clipboard;
        // plan and verify ask nothing of their own: they run as if the first question was answered.
        const bool verify = options.command == "verify";
        // verify runs the restore after its own first question: the restore's questions get --yes-all's answer.
        const bool yesFirst = (options.yes && !verify) || options.command == "plan";
        cli::AnsweringDialogs dialogs(yesFirst, options.yesAll, verify);
        engine::Session session(recorder ? recorder->platform() : machine->platform(), clipboard, dialogs);
        if (recorder) session.applyingRow = [&](std::string_view row) { recorder->log().beginRow(row); };
        engine::startWithoutWindows(session);
        CommandContext context{session, options, recorder ? &recorder->log() : nullptr};
        return dispatch(context);
    } catch (const UsageError& e) {
        std::fprintf(stderr, "%s\n%s", e.text.c_str(), kUsage);
        return 2;
    } catch (const ReportedError& e) {
        return failed(options, e.what(), true);
    } catch (const std::exception& e) {
        return failed(options, e.what(), false);
    }
}
