#include "platform/sandbox/SandboxShell.h"

#include <string>

#include "platform/Win32Types.h"

namespace hastelyn::sandbox {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// What WinExec and ShellExecute give for a failure: small codes as they are.
long failureResult(long code) { return code > 0 && code < 32 ? code : 0; }

}  // namespace

std::pair<std::string_view, std::string_view> splitCommandLine(std::string_view line) {
    while (!line.empty() && isBlank(line.front())) line.remove_prefix(1);
    std::string_view program;
    std::string_view rest;
    if (!line.empty() && line.front() == '"') {
        const std::size_t close = line.find('"', 1);
        program = line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
        rest = close == std::string_view::npos ? std::string_view{} : line.substr(close + 1);
    } else {
        std::size_t end = 0;
        while (end < line.size() && !isBlank(line[end])) ++end;
        program = line.substr(0, end);
        rest = line.substr(end);
    }
    while (!rest.empty() && isBlank(rest.front())) rest.remove_prefix(1);
    return {program, rest};
}

SandboxShell::SandboxShell(SandboxMachine& machine) : machine_(machine) {}

void SandboxShell::addInterpreter(std::unique_ptr<CommandInterpreter> interpreter) {
    if (interpreter) interpreters_.push_back(std::move(interpreter));
}

std::optional<long> SandboxShell::interpret(const CommandStart& start) {
    for (const auto& interpreter : interpreters_) {
        if (auto outcome = interpreter->run(start)) return outcome;
    }
    return std::nullopt;
}

std::uint32_t SandboxShell::winExec(std::string_view commandLine, int showCommand) {
    commandLine = cutAtNul(commandLine);
    machine_.journal("WinExec", {std::to_string(showCommand), commandLine});
    const auto [program, arguments] = splitCommandLine(commandLine);
    CommandStart start;
    start.kind = "WinExec";
    start.program = program;
    start.arguments = arguments;
    start.showCommand = showCommand;
    const auto outcome = interpret(start);
    if (outcome && *outcome != platform::win32error::Success) return static_cast<std::uint32_t>(failureResult(*outcome));
    return 33;
}

std::intptr_t SandboxShell::shellExecute(std::string_view verb, std::string_view file, std::string_view parameters,
                                         std::string_view directory, int showCommand) {
    verb = cutAtNul(verb);
    file = cutAtNul(file);
    parameters = cutAtNul(parameters);
    directory = cutAtNul(directory);
    machine_.journal("ShellExecute", {verb, file, parameters, directory, std::to_string(showCommand)});
    CommandStart start;
    start.kind = "ShellExecute";
    start.program = file;
    start.arguments = parameters;
    start.verb = verb;
    start.directory = directory;
    start.showCommand = showCommand;
    const auto outcome = interpret(start);
    if (outcome && *outcome != platform::win32error::Success) return failureResult(*outcome);
    return 42;
}

bool SandboxShell::exitWindows(std::uint32_t flags) {
    machine_.journal("ExitWindows", {std::to_string(flags)});
    for (const auto& interpreter : interpreters_) interpreter->exitWindows(flags);
    return true;
}

// Placeholder until processes are carried out: every start succeeds and has ended.
long SandboxShell::createProcess(std::string_view commandLine, platform::ObjectHandle& process) {
    machine_.journal("CreateProcess", {commandLine});
    process = {1};
    return platform::win32error::Success;
}

std::uint32_t SandboxShell::waitForSingleObject(platform::ObjectHandle, std::uint32_t) { return 0; }

bool SandboxShell::closeProcess(platform::ObjectHandle) { return true; }

void SandboxShell::sleep(std::uint32_t) {}

}  // namespace hastelyn::sandbox
