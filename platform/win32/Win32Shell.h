#pragma once
// Starting programs and restarting Windows. Command lines and file names cross as UTF-8 and go
// to the wide API.
//
// WinExec has no wide form: winExec does what it does through CreateProcessW (the command line
// searched for as WinExec searches it, the show command passed on) and gives WinExec's
// results: 33 when started, else 2 (file not found), 3 (path not found), 11 (not a program)
// or 0. It does not wait for the started program.
#include "platform/Shell.h"

namespace hastelyn::win32 {

class Win32WindowSystem;

class Win32Shell final : public platform::Shell {
public:
    // windows gives the owner window of shellExecute.
    explicit Win32Shell(Win32WindowSystem& windows) : windows_(windows) {}

    std::uint32_t winExec(std::string_view commandLine, int showCommand) override;
    std::intptr_t shellExecute(std::string_view verb, std::string_view file, std::string_view parameters,
                               std::string_view directory, int showCommand) override;
    long createProcess(std::string_view commandLine, platform::ObjectHandle& process) override;
    std::uint32_t waitForSingleObject(platform::ObjectHandle process, std::uint32_t milliseconds) override;
    bool closeProcess(platform::ObjectHandle process) override;
    void sleep(std::uint32_t milliseconds) override;
    bool enableShutdownPrivilege() override;
    bool exitWindows(std::uint32_t flags) override;

private:
    Win32WindowSystem& windows_;
};

}  // namespace hastelyn::win32
