#pragma once
// The service control manager of the sandbox machine: the services are the registry's
// Services key, each with a state that "net start" and "net stop" change.
#include "platform/ServiceManager.h"
#include "platform/sandbox/SandboxMachine.h"
#include "platform/sandbox/registry/SandboxRegistry.h"

namespace hastelyn::sandbox {

class SandboxServiceManager : public platform::ServiceManager {
public:
    SandboxServiceManager(SandboxMachine& machine, SandboxRegistry& registry);

    long openManager(platform::ObjectHandle& out) override;
    long openService(platform::ObjectHandle manager, std::string_view serviceName, platform::ObjectHandle& out) override;
    bool queryStatus(platform::ObjectHandle service, std::uint32_t& currentState) override;
    bool closeServiceHandle(platform::ObjectHandle handle) override;

private:
    SandboxMachine& machine_;
    SandboxRegistry& registry_;
};

}  // namespace hastelyn::sandbox
