#pragma once
// Starting programs and restarting Windows.
#include <cstdint>
#include <string>
#include <string_view>

namespace hastelyn::platform {

class Shell {
public:
    virtual ~Shell() = default;

    // WinExec: starts a command line and returns at once; a result above 31 means started.
    virtual std::uint32_t winExec(std::string_view commandLine, int showCommand) = 0;
    // ShellExecuteA with the application window as owner; a result above 32 means done.
    virtual std::intptr_t shellExecute(std::string_view verb, std::string_view file, std::string_view parameters,
                                       std::string_view directory, int showCommand) = 0;

    // OpenProcessToken + LookupPrivilegeValueA("SeShutdownPrivilege") + AdjustTokenPrivileges,
    // results unchecked by the callers.
    virtual bool enableShutdownPrivilege() = 0;
    // ExitWindowsEx.
    virtual bool exitWindows(std::uint32_t flags) = 0;
};

}  // namespace hastelyn::platform
