#pragma once
// The whole sandbox: one machine folder and every platform part that serves it.
#include <filesystem>

#include "platform/Platform.h"
#include "platform/sandbox/LiveRegistry.h"
#include "platform/sandbox/SandboxFileSystem.h"
#include "platform/sandbox/SandboxMachine.h"
#include "platform/sandbox/SandboxMeters.h"
#include "platform/sandbox/SandboxProfiles.h"
#include "platform/sandbox/SandboxServiceManager.h"
#include "platform/sandbox/SandboxShell.h"
#include "platform/sandbox/SandboxSystemInfo.h"
#include "platform/sandbox/SandboxWindowSystem.h"
#include "platform/sandbox/registry/SandboxRegistry.h"

namespace hastelyn::sandbox {

class SandboxPlatform {
public:
    // Opens the machine in machineFolder; throws std::runtime_error naming the folder when it
    // holds no machine.ini.
    explicit SandboxPlatform(std::filesystem::path machineFolder);
    SandboxPlatform(const SandboxPlatform&) = delete;
    SandboxPlatform& operator=(const SandboxPlatform&) = delete;

    platform::Platform& platform() { return platform_; }

    SandboxMachine& machine() { return machine_; }
    // The hives. The program's registry (platform().registry) is liveRegistry(): these and the
    // keys made from this computer's figures.
    SandboxRegistry& registry() { return registry_; }
    LiveRegistry& liveRegistry() { return liveRegistry_; }
    SandboxProfiles& profiles() { return profiles_; }
    SandboxFileSystem& files() { return files_; }
    SandboxSystemInfo& system() { return system_; }
    SandboxShell& shell() { return shell_; }
    SandboxWindowSystem& windows() { return windows_; }
    SandboxServiceManager& services() { return services_; }
    SandboxMeters& meters() { return meters_; }

private:
    SandboxMachine machine_;
    SandboxRegistry registry_;
    LiveRegistry liveRegistry_;
    SandboxProfiles profiles_;
    SandboxFileSystem files_;
    SandboxSystemInfo system_;
    SandboxShell shell_;
    SandboxWindowSystem windows_;
    SandboxServiceManager services_;
    SandboxMeters meters_;
    platform::Platform platform_;
};

}  // namespace hastelyn::sandbox
