#pragma once
// Starting programs and restarting Windows.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/WindowSystem.h"

namespace hastelyn::platform {

class Shell {
public:
    virtual ~Shell() = default;

    // WinExec: starts a command line and returns at once; a result above 31 means started.
    virtual std::uint32_t winExec(std::string_view commandLine, int showCommand) = 0;
    // ShellExecuteA with the application window as owner; a result above 32 means done.
    virtual std::intptr_t shellExecute(std::string_view verb, std::string_view file, std::string_view parameters,
                                       std::string_view directory, int showCommand) = 0;

    // CreateProcessA with no application name, no inherited handles, CREATE_DEFAULT_ERROR_MODE,
    // the default environment and folder, and the program's own start-up information. The
    // Windows error when it cannot start.
    virtual long createProcess(std::string_view commandLine, ObjectHandle& process) = 0;
    // WaitForSingleObject: 0 when the process has ended, 258 (WAIT_TIMEOUT) while it runs.
    virtual std::uint32_t waitForSingleObject(ObjectHandle process, std::uint32_t milliseconds) = 0;
    // CloseHandle of a process handle.
    virtual bool closeProcess(ObjectHandle process) = 0;
    // Sleep.
    virtual void sleep(std::uint32_t milliseconds) = 0;

    // OpenProcessToken + LookupPrivilegeValueA("SeShutdownPrivilege") + AdjustTokenPrivileges,
    // results unchecked by the callers.
    virtual bool enableShutdownPrivilege() = 0;
    // ExitWindowsEx.
    virtual bool exitWindows(std::uint32_t flags) = 0;
};

}  // namespace hastelyn::platform
