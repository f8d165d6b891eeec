#pragma once
// Starting programs and restarting, on the sandbox machine. Every start and restart is
// recorded in journal.log:
//   WinExec       <show>  <command line>
//   ShellExecute  <verb>  <file>  <parameters>  <directory>  <show>
//   CreateProcess <command line>
//   NotStarted    <program>  2          (after one of the above, for a program the machine lacks)
//   HostOpen      <address or host path>   (after ShellExecute, opened in this computer's browser)
//   ExitWindows   <flags>
// (fields separated by tabs). Interpreters plugged in with addInterpreter carry out the
// programs the sandbox knows (net, regsvr32, reg, ...); a program none of them claims counts as
// started and does nothing.
//
// machine.ini, section [Shell]:
//   Missing=net,regsvr32     programs that cannot be started at all (file not found)
//   ProcessMilliseconds=N    how long a process made by createProcess runs (default 0: it has
//                            ended when createProcess returns); what it does is done at its start
//   OpenOnHost=No            a shell "open" of an http: or https: address, or of a page (.htm,
//                            .html) in the program's folder, is only journaled; otherwise it is
//                            also opened in this computer's browser (tests say No)
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/Shell.h"
#include "platform/sandbox/SandboxMachine.h"

namespace hastelyn::sandbox {

// One program start, as the interpreters see it.
struct CommandStart {
    std::string_view kind;       // "WinExec", "ShellExecute" or "CreateProcess"
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

// The name of the program a start names, to compare with: its file name without folder and
// without ".exe", in lower case ("C:\WINDOWS\Regedit.EXE" gives "regedit").
std::string programName(std::string_view program);

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
    // Runs the command line as WinExec does and gives a handle to its process; FileNotFound
    // (and no handle) for a missing program, an interpreter's failure code likewise.
    long createProcess(std::string_view commandLine, platform::ObjectHandle& process) override;
    // 0 once the process has ended, 258 (WAIT_TIMEOUT) when it still runs after waiting the
    // time given (0xFFFFFFFF: until it ends), 0xFFFFFFFF (WAIT_FAILED) for a handle that is none.
    std::uint32_t waitForSingleObject(platform::ObjectHandle process, std::uint32_t milliseconds) override;
    bool closeProcess(platform::ObjectHandle process) override;
    void sleep(std::uint32_t milliseconds) override;
    bool enableShutdownPrivilege() override { return true; }
    bool exitWindows(std::uint32_t flags) override;

    // Process handles open now.
    std::size_t openProcessCount() const { return processes_.size(); }

private:
    // FileNotFound for a program listed in [Shell] Missing (journaled), else what the
    // interpreter that claims the start gives (nothing when none does).
    std::optional<long> start(const CommandStart& start);
    // A shell "open" of a web address or of a page in the program's folder, carried out on
    // this computer: Success when opened (or only journaled, by OpenOnHost=No), FileNotFound for
    // a page that does not exist, SE_ERR_NOASSOC when this computer has no opener; nothing for
    // any other start.
    std::optional<long> openOutside(std::string_view verb, std::string_view file);
    bool missing(std::string_view program) const;

    SandboxMachine& machine_;
    std::vector<std::unique_ptr<CommandInterpreter>> interpreters_;
    // When each process ends.
    std::unordered_map<std::uint64_t, std::chrono::steady_clock::time_point> processes_;
    std::uint64_t nextProcess_ = 0x7C4;
};

}  // namespace hastelyn::sandbox
