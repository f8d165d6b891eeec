#pragma once
// Named mutexes and top-level windows of the sandbox machine, shared between the processes
// that use the same machine folder.
#include "platform/WindowSystem.h"
#include "platform/sandbox/SandboxMachine.h"

namespace hastelyn::sandbox {

class SandboxWindowSystem : public platform::WindowSystem {
public:
    explicit SandboxWindowSystem(SandboxMachine& machine);
    ~SandboxWindowSystem() override;

    long openMutex(std::string_view name, platform::ObjectHandle& out) override;
    long createMutex(std::string_view name, platform::ObjectHandle& out) override;
    bool releaseMutex(platform::ObjectHandle mutex) override;
    bool closeHandle(platform::ObjectHandle handle) override;

    platform::WindowHandle findWindow(std::string_view className, std::string_view title) override;
    bool setForegroundWindow(platform::WindowHandle window) override;
    bool postMessage(platform::WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                     std::int64_t lParam) override;
    std::intptr_t sendMessage(platform::WindowHandle window, std::uint32_t message, std::uint64_t wParam,
                              std::int64_t lParam) override;

    platform::WindowHandle createWindow(std::string_view className, std::string_view title) override;
    bool destroyWindow(platform::WindowHandle window) override;
    std::vector<platform::WindowMessage> takeMessages() override;

private:
    SandboxMachine& machine_;
};

}  // namespace hastelyn::sandbox
