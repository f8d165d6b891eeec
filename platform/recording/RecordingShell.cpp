#include "platform/recording/RecordingShell.h"

#include <cstdio>

#include "platform/Text.h"
#include "platform/Win32Types.h"

namespace hastelyn::recording {
namespace {

constexpr std::uint32_t kWinExecStarted = 33;
constexpr std::intptr_t kShellExecuteDone = 42;

std::string messageText(std::string_view call, const std::string& window, std::uint32_t message, std::uint64_t wParam,
                        std::int64_t lParam) {
    char numbers[80];
    std::snprintf(numbers, sizeof numbers, ", 0x%04X, %llu, %lld)", message, static_cast<unsigned long long>(wParam),
                  static_cast<long long>(lParam));
    return std::string(call) + "(" + window + numbers;
}

}  // namespace

void recordCommandLine(ChangeLog& log, std::string_view commandLine) {
    for (const auto& [verb, after] : {std::pair{std::string_view("net start \""), "start"}, {"net stop \"", "stop"}}) {
        if (commandLine.size() > verb.size() + 1 && text::equalsNoCase(commandLine.substr(0, verb.size()), verb) &&
            commandLine.back() == '"') {
            log.recordCommand(ChangeKind::Service,
                              std::string(commandLine.substr(verb.size(), commandLine.size() - verb.size() - 1)), after);
            return;
        }
    }
    log.recordCommand(ChangeKind::Command, std::string(commandLine));
}

std::uint32_t RecordingShell::winExec(std::string_view commandLine, int showCommand) {
    if (mode_ == RecordingMode::DryRun) {
        recordCommandLine(log_, commandLine);
        return kWinExecStarted;
    }
    const std::uint32_t result = real_.winExec(commandLine, showCommand);
    if (result > 31) recordCommandLine(log_, commandLine);
    return result;
}

std::intptr_t RecordingShell::shellExecute(std::string_view verb, std::string_view file, std::string_view parameters,
                                           std::string_view directory, int showCommand) {
    const std::string line = parameters.empty() ? std::string(file) : std::string(file) + " " + std::string(parameters);
    if (mode_ == RecordingMode::DryRun) {
        recordCommandLine(log_, line);
        return kShellExecuteDone;
    }
    const std::intptr_t result = real_.shellExecute(verb, file, parameters, directory, showCommand);
    if (result > 32) recordCommandLine(log_, line);
    return result;
}

long RecordingShell::createProcess(std::string_view commandLine, platform::ObjectHandle& process) {
    if (mode_ == RecordingMode::DryRun) {
        recordCommandLine(log_, commandLine);
        process = platform::ObjectHandle{kNotStarted};
        return platform::win32error::Success;
    }
    const long result = real_.createProcess(commandLine, process);
    if (result == platform::win32error::Success) recordCommandLine(log_, commandLine);
    return result;
}

std::uint32_t RecordingShell::waitForSingleObject(platform::ObjectHandle process, std::uint32_t milliseconds) {
    if (process.value == kNotStarted) return 0;
    return real_.waitForSingleObject(process, milliseconds);
}

bool RecordingShell::closeProcess(platform::ObjectHandle process) {
    if (process.value == kNotStarted) return true;
    return real_.closeProcess(process);
}

void RecordingShell::sleep(std::uint32_t milliseconds) {
    if (mode_ == RecordingMode::PassThrough) real_.sleep(milliseconds);
}

bool RecordingShell::enableShutdownPrivilege() {
    return mode_ == RecordingMode::DryRun || real_.enableShutdownPrivilege();
}

bool RecordingShell::exitWindows(std::uint32_t flags) {
    const std::string line = "ExitWindowsEx(" + std::to_string(flags) + ")";
    if (mode_ == RecordingMode::DryRun) {
        log_.recordCommand(ChangeKind::Command, line);
        return true;
    }
    const bool done = real_.exitWindows(flags);
    if (done) log_.recordCommand(ChangeKind::Command, line);
    return done;
}

platform::WindowHandle RecordingWindows::findWindow(std::string_view className, std::string_view title) {
    const platform::WindowHandle window = real_.findWindow(className, title);
    if (window) found_[window.value] = "\"" + std::string(className.empty() ? title : className) + "\"";
    return window;
}

std::string RecordingWindows::windowName(platform::WindowHandle window) const {
    const auto found = found_.find(window.value);
    return found == found_.end() ? std::to_string(window.value) : found->second;
}

bool RecordingWindows::setForegroundWindow(platform::WindowHandle window) {
    if (mode_ == RecordingMode::DryRun) return true;
    return real_.setForegroundWindow(window);
}

bool RecordingWindows::postMessage(platform::WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                                   std::int64_t lParam) {
    const bool done = mode_ == RecordingMode::DryRun || real_.postMessage(window, message, wParam, lParam);
    if (done) log_.recordCommand(ChangeKind::Command, messageText("PostMessage", windowName(window), message, wParam, lParam));
    return done;
}

std::intptr_t RecordingWindows::sendMessage(platform::WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                                            std::int64_t lParam) {
    log_.recordCommand(ChangeKind::Command, messageText("SendMessage", windowName(window), message, wParam, lParam));
    return mode_ == RecordingMode::DryRun ? 0 : real_.sendMessage(window, message, wParam, lParam);
}

}  // namespace hastelyn::recording
