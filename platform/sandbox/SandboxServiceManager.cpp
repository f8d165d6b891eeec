#include "platform/sandbox/SandboxServiceManager.h"

#include "platform/Win32Types.h"

namespace hastelyn::sandbox {

// Placeholder until service states are kept: nothing can be opened.
SandboxServiceManager::SandboxServiceManager(SandboxMachine& machine, SandboxRegistry& registry)
    : machine_(machine), registry_(registry) {}

long SandboxServiceManager::openManager(platform::ObjectHandle& out) {
    out = {};
    return platform::win32error::AccessDenied;
}

long SandboxServiceManager::openService(platform::ObjectHandle, std::string_view, platform::ObjectHandle& out) {
    out = {};
    return platform::win32error::AccessDenied;
}

bool SandboxServiceManager::queryStatus(platform::ObjectHandle, std::uint32_t&) { return false; }

bool SandboxServiceManager::closeServiceHandle(platform::ObjectHandle) { return true; }

}  // namespace hastelyn::sandbox
