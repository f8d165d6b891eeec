#pragma once
// The Windows programs the sandbox carries out when the program starts them (README.md beside
// this file, "Commands"), as interpreters of the shell:
//
//   net start|stop NAME            services (SandboxServiceManager); journal "Net", verb, NAME, result
//   regsvr32 [/u] [/s] FILE.dll    registration state in dlls.ini and the "RegSvr32" result box
//   explorer ...                   the shell: makes its "Progman" window again when it is gone
//   reg save|restore "KEY" "FILE"  a key to a file and back
//   regedit /E "FILE" "KEY", regedit /s "FILE"
//   fsutil file createnew PATH SIZE
//   convert X: /fs:ntfs [/cvtarea:FILE], also in a console line "cmd /k LINE" (ConvertCommand.cpp)
//
// A program is known by its file name, any case, with or without folder and ".exe". What such a
// program does with its arguments and how it fails stays inside it: like the real tools it
// runs hidden and nobody reads its exit code, so every start counts as started, also one whose
// work failed; a file such a program could not write is told in the journal ("NotWritten",
// the program, the file and the Windows error) instead of counting as written. Restarting Windows boots the services again and brings up a new shell.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sandbox/SandboxMachine.h"
#include "platform/sandbox/SandboxServiceManager.h"
#include "platform/sandbox/SandboxShell.h"
#include "platform/sandbox/SandboxWindowSystem.h"
#include "platform/sandbox/registry/SandboxRegistry.h"

namespace hastelyn::sandbox {

// The window of the registration tool's result box.
constexpr std::string_view kResultBoxClass = "#32770";
constexpr std::string_view kRegSvr32Title = "RegSvr32";

// Windows error codes of "net".
namespace neterror {
constexpr long ServiceActive = 2182;      // NERR_ServiceActive: already started
constexpr long BadServiceName = 2185;     // NERR_BadServiceName: no such service
constexpr long ServiceNotStarted = 3521;  // the service is not started
}  // namespace neterror

// The words of an argument text: blanks separate them, double quotes group blanks into a word
// and are dropped (a backslash is a path separator, not an escape).
std::vector<std::string> splitArguments(std::string_view arguments);
// Whether a word is the option of those letters: "/u" or "-u", any case.
bool isOption(std::string_view word, std::string_view letters);
// Writes a file a program makes (atomically); when that fails, journals "NotWritten" with the
// program, the file's name as the program was given it and the Windows error.
void writeProgramFile(SandboxMachine& machine, std::string_view program, const std::filesystem::path& host,
                      std::string_view shownName, std::string_view content);

// Adds the commands to shell and the procedures of the sandbox's own windows to windows: a
// result box ("#32770") closes on WM_CLOSE, the shell's window goes on WM_QUIT.
void installSandboxCommands(SandboxMachine& machine, SandboxRegistry& registry, SandboxShell& shell,
                            SandboxWindowSystem& windows, SandboxServiceManager& services);

// The registry commands (RegistryCommands.cpp).
std::unique_ptr<CommandInterpreter> makeRegCommand(SandboxMachine& machine, SandboxRegistry& registry);
std::unique_ptr<CommandInterpreter> makeRegeditCommand(SandboxMachine& machine, SandboxRegistry& registry);
// convert, and the console that runs a line of it (ConvertCommand.cpp).
std::unique_ptr<CommandInterpreter> makeConvertCommand(SandboxMachine& machine);
std::unique_ptr<CommandInterpreter> makeConsoleCommand(SandboxMachine& machine);

}  // namespace hastelyn::sandbox
