#include "platform/sandbox/SandboxWindowSystem.h"

#include "platform/Win32Types.h"

namespace hastelyn::sandbox {

// Placeholder until the shared window table lands: nothing exists, nothing is found.
SandboxWindowSystem::SandboxWindowSystem(SandboxMachine& machine) : machine_(machine) {}
SandboxWindowSystem::~SandboxWindowSystem() = default;

long SandboxWindowSystem::openMutex(std::string_view, platform::ObjectHandle& out) {
    out = {};
    return platform::win32error::FileNotFound;
}
long SandboxWindowSystem::createMutex(std::string_view, platform::ObjectHandle& out) {
    out = {1};
    return platform::win32error::Success;
}
bool SandboxWindowSystem::releaseMutex(platform::ObjectHandle) { return true; }
bool SandboxWindowSystem::closeHandle(platform::ObjectHandle) { return true; }
platform::WindowHandle SandboxWindowSystem::findWindow(std::string_view, std::string_view) { return {}; }
bool SandboxWindowSystem::setForegroundWindow(platform::WindowHandle) { return false; }
bool SandboxWindowSystem::postMessage(platform::WindowHandle, std::uint32_t, std::uint64_t, std::int64_t) {
    return false;
}
std::intptr_t SandboxWindowSystem::sendMessage(platform::WindowHandle, std::uint32_t, std::uint64_t,
                                               std::int64_t) {
    return 0;
}
platform::WindowHandle SandboxWindowSystem::createWindow(std::string_view, std::string_view) { return {1}; }
bool SandboxWindowSystem::destroyWindow(platform::WindowHandle) { return true; }
std::vector<platform::WindowMessage> SandboxWindowSystem::takeMessages() { return {}; }

}  // namespace hastelyn::sandbox
