#include "platform/sandbox/SandboxShell.h"

#include <string>
#include <thread>

#include "platform/Text.h"
#include "platform/sandbox/HostOpener.h"
#include "platform/Win32Types.h"

namespace hastelyn::sandbox {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// What WinExec and ShellExecute give for a failure: small codes as they are.
long failureResult(long code) { return code > 0 && code < 32 ? code : 0; }

constexpr std::uint32_t kWaitTimeout = 258;        // WAIT_TIMEOUT
constexpr std::uint32_t kWaitFailed = 0xFFFFFFFFu;  // WAIT_FAILED
constexpr std::uint32_t kInfinite = 0xFFFFFFFFu;    // INFINITE
constexpr long kNoAssociation = 31;                 // SE_ERR_NOASSOC

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

std::string programName(std::string_view program) {
    const std::size_t slash = program.find_last_of("\\/");
    if (slash != std::string_view::npos) program.remove_prefix(slash + 1);
    std::string name = text::lowerAscii(program);
    if (name.size() > 4 && name.ends_with(".exe")) name.resize(name.size() - 4);
    return name;
}

SandboxShell::SandboxShell(SandboxMachine& machine) : machine_(machine) {}

void SandboxShell::addInterpreter(std::unique_ptr<CommandInterpreter> interpreter) {
    if (interpreter) interpreters_.push_back(std::move(interpreter));
}

bool SandboxShell::missing(std::string_view program) const {
    const std::string name = programName(program);
    for (const std::string& entry : machine_.settingList("Shell", "Missing"))
        if (programName(entry) == name) return true;
    return false;
}

std::optional<long> SandboxShell::start(const CommandStart& start) {
    if (missing(start.program)) {
        machine_.journal("NotStarted", {start.program, std::to_string(platform::win32error::FileNotFound)});
        return platform::win32error::FileNotFound;
    }
    for (const auto& interpreter : interpreters_) {
        if (auto outcome = interpreter->run(start)) return outcome;
    }
    return std::nullopt;
}

std::uint32_t SandboxShell::winExec(std::string_view commandLine, int showCommand) {
    commandLine = text::cutAtNul(commandLine);
    machine_.journal("WinExec", {std::to_string(showCommand), commandLine});
    const auto [program, arguments] = splitCommandLine(commandLine);
    CommandStart command;
    command.kind = "WinExec";
    command.program = program;
    command.arguments = arguments;
    command.showCommand = showCommand;
    const auto outcome = start(command);
    if (outcome && *outcome != platform::win32error::Success) return static_cast<std::uint32_t>(failureResult(*outcome));
    return 33;
}

std::intptr_t SandboxShell::shellExecute(std::string_view verb, std::string_view file, std::string_view parameters,
                                         std::string_view directory, int showCommand) {
    verb = text::cutAtNul(verb);
    file = text::cutAtNul(file);
    parameters = text::cutAtNul(parameters);
    directory = text::cutAtNul(directory);
    machine_.journal("ShellExecute", {verb, file, parameters, directory, std::to_string(showCommand)});
    CommandStart command;
    command.kind = "ShellExecute";
    command.program = file;
    command.arguments = parameters;
    command.verb = verb;
    command.directory = directory;
    command.showCommand = showCommand;
    auto outcome = start(command);
    if (!outcome) outcome = openOutside(verb, file);
    if (outcome && *outcome != platform::win32error::Success) return failureResult(*outcome);
    return 42;
}

std::optional<long> SandboxShell::openOutside(std::string_view verb, std::string_view file) {
    if (!verb.empty() && text::lowerAscii(verb) != "open") return std::nullopt;
    const std::string lower = text::lowerAscii(file);
    std::string target;
    if (lower.starts_with("http://") || lower.starts_with("https://")) {
        target = file;
    } else {
        if (!lower.ends_with(".htm") && !lower.ends_with(".html")) return std::nullopt;
        const std::optional<MappedPath> page = machine_.mapPath(file);
        const std::string& program = machine_.programPath();
        const std::string programFolder = text::lowerAscii(program.substr(0, program.find_last_of('\\') + 1));
        if (!page || programFolder.empty() || !text::lowerAscii(page->windows).starts_with(programFolder))
            return std::nullopt;
        std::error_code error;
        if (!std::filesystem::is_regular_file(page->host, error)) {
            machine_.journal("NotStarted", {file, std::to_string(platform::win32error::FileNotFound)});
            return platform::win32error::FileNotFound;
        }
        target = page->host.string();
    }
    if (text::lowerAscii(machine_.setting("Shell", "OpenOnHost").value_or("Yes")) == "no")
        return platform::win32error::Success;
    if (!openOnHost(target)) {
        machine_.journal("NotStarted", {"xdg-open", std::to_string(kNoAssociation)});
        return kNoAssociation;
    }
    machine_.journal("HostOpen", {target});
    return platform::win32error::Success;
}

bool SandboxShell::exitWindows(std::uint32_t flags) {
    machine_.journal("ExitWindows", {std::to_string(flags)});
    for (const auto& interpreter : interpreters_) interpreter->exitWindows(flags);
    return true;
}

long SandboxShell::createProcess(std::string_view commandLine, platform::ObjectHandle& process) {
    process = {};
    commandLine = text::cutAtNul(commandLine);
    machine_.journal("CreateProcess", {commandLine});
    const auto [program, arguments] = splitCommandLine(commandLine);
    if (program.empty()) return platform::win32error::FileNotFound;
    CommandStart command;
    command.kind = "CreateProcess";
    command.program = program;
    command.arguments = arguments;
    const auto outcome = start(command);
    if (outcome && *outcome != platform::win32error::Success) return *outcome;

    const auto runTime = std::chrono::milliseconds(machine_.settingNumber("Shell", "ProcessMilliseconds"));
    const std::uint64_t id = nextProcess_;
    nextProcess_ += 4;
    processes_.emplace(id, std::chrono::steady_clock::now() + runTime);
    process = {id};
    return platform::win32error::Success;
}

std::uint32_t SandboxShell::waitForSingleObject(platform::ObjectHandle process, std::uint32_t milliseconds) {
    const auto it = processes_.find(process.value);
    if (it == processes_.end()) {
        machine_.setLastError(platform::win32error::InvalidHandle);
        return kWaitFailed;
    }
    const auto now = std::chrono::steady_clock::now();
    if (it->second <= now) return 0;
    if (milliseconds != kInfinite && now + std::chrono::milliseconds(milliseconds) < it->second) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        return kWaitTimeout;
    }
    std::this_thread::sleep_until(it->second);
    return 0;
}

bool SandboxShell::closeProcess(platform::ObjectHandle process) {
    if (processes_.erase(process.value) > 0) return true;
    machine_.setLastError(platform::win32error::InvalidHandle);
    return false;
}

void SandboxShell::sleep(std::uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace hastelyn::sandbox
