#pragma once
// What the sandbox machine tells about its Windows: the version and folders from machine.ini,
// and the messages of a Japanese Windows for error codes.
#include "platform/SystemInfo.h"
#include "platform/sandbox/SandboxMachine.h"

namespace hastelyn::sandbox {

class SandboxSystemInfo final : public platform::SystemInfo {
public:
    explicit SandboxSystemInfo(SandboxMachine& machine);

    platform::OsVersion getVersion() override { return machine_.version(); }
    std::string windowsDirectory() override { return machine_.windowsDirectory(); }
    std::string programPath() override { return machine_.programPath(); }
    std::string currentDirectory() override { return machine_.currentDirectory(); }
    // The text without the line break FormatMessage ends it with; "エラー <code>" for codes it
    // does not know.
    std::string errorText(long code) override;

private:
    SandboxMachine& machine_;
};

}  // namespace hastelyn::sandbox
