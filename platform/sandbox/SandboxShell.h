#pragma once
// Starting programs and restarting, on the sandbox machine. Every start and restart is
// recorded in journal.log:
//   WinExec       <show>  <command line>
//   ShellExecute  <verb>  <file>  <parameters>  <directory>  <show>
//   ExitWindows   <flags>
// (fields separated by tabs). Interpreters plugged in with addInterpreter carry out the
// programs the sandbox knows (net, regsvr32, reg, ...); a program none of them claims counts as
// started and does nothing.
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/Shell.h"
#include "platform/sandbox/SandboxMachine.h"

namespace hastelyn::sandbox {

// One program start, as the interpreters see it.
struct CommandStart {
    std::string_view kind;       // "WinExec" or "ShellExecute"
    std::string_view program;    // the first word of the command line (quotes removed), or ShellExecute's file
    std::string_view arguments;  // the rest of the command line, or ShellExecute's parameters
    std::string_view verb;       // ShellExecute's verb ("open", ""); empty for WinExec
    std::string_view directory;  // ShellExecute's directory
    int showCommand = 1;
};

class CommandInterpreter {
public:
    virtual ~CommandInterpreter() = default;
    // Carries out a start meant for it and gives the Windows error code of the outcome
    // (Success when it ran); nothing when the start is not for it.
    virtual std::optional<long> run(const CommandStart& start) = 0;
    // Windows is being restarted or shut down (already recorded).
    virtual void exitWindows(std::uint32_t /*flags*/) {}
};

// The first word of a command line (a quoted one without its quotes) and the rest, blanks
// before it removed.
std::pair<std::string_view, std::string_view> splitCommandLine(std::string_view commandLine);

class SandboxShell final : public platform::Shell {
public:
    explicit SandboxShell(SandboxMachine& machine);

    // Interpreters are asked in the order they were added; the first to claim a start runs it.
    void addInterpreter(std::unique_ptr<CommandInterpreter> interpreter);

    // 33 when started; an interpreter's failure gives its code when below 32, else 0.
    std::uint32_t winExec(std::string_view commandLine, int showCommand) override;
    // 42 when done; an interpreter's failure gives its code when below 32, else 0.
    std::intptr_t shellExecute(std::string_view verb, std::string_view file, std::string_view parameters,
                               std::string_view directory, int showCommand) override;
    long createProcess(std::string_view commandLine, platform::ObjectHandle& process) override;
    std::uint32_t waitForSingleObject(platform::ObjectHandle process, std::uint32_t milliseconds) override;
    bool closeProcess(platform::ObjectHandle process) override;
    void sleep(std::uint32_t milliseconds) override;
    bool enableShutdownPrivilege() override { return true; }
    bool exitWindows(std::uint32_t flags) override;

private:
    std::optional<long> interpret(const CommandStart& start);

    SandboxMachine& machine_;
    std::vector<std::unique_ptr<CommandInterpreter>> interpreters_;
};

}  // namespace hastelyn::sandbox
