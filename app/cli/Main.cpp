// hastelyn-cli: the main job without a window, on the same machine and program folder as the
// program. See README.md for the commands.
#include <cstdio>
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
#include "app/cli/ParseArguments.h"
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

bool oneOf(const std::string& command, std::initializer_list<const char*> names) {
    for (const char* name : names)
        if (command == name) return true;
    return false;
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

int usageError(UsageError error, const Options& options) {
    if (error.command.empty()) error.command = options.command;
    std::fprintf(stderr, "%s\n", usageMessage(error).c_str());
    return 2;
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
        CommandLine line = parseArguments(argc, argv);
        if (line.text) {
            std::fputs(line.text->c_str(), stdout);
            return 0;
        }
        options = std::move(line.options);
    } catch (const UsageError& e) {
        return usageError(e, options);
    }
    try {
        const auto machine = openMachine();
        std::optional<recording::RecordingPlatform> recorder;
        if (const auto mode = recordingFor(options)) recorder.emplace(machine->platform(), *mode);
        cli::ConsoleClipboard clipboard;
        // plan and the dry runs ask nothing of their own: they run as if the first question was
        // answered. verify runs the restore after its own first question: the restore's questions
        // get --yes-all's answer.
        const bool verify = options.command == "verify";
        const bool yesFirst = (options.yes && !verify) || options.dryRun || options.command == "plan";
        cli::AnsweringDialogs dialogs(yesFirst, options.yesAll, verify);
        engine::Session session(recorder ? recorder->platform() : machine->platform(), clipboard, dialogs);
        if (recorder) session.applyingRow = [&](std::string_view row) { recorder->log().beginRow(row); };
        engine::startWithoutWindows(session);
        CommandContext context{session, options, recorder ? &recorder->log() : nullptr};
        return dispatch(context);
    } catch (const UsageError& e) {
        return usageError(e, options);
    } catch (const ReportedError& e) {
        return failed(options, e.what(), true);
    } catch (const std::exception& e) {
        return failed(options, e.what(), false);
    }
}
