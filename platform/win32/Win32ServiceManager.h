#pragma once
// The service control manager (OpenSCManagerW, OpenServiceW, QueryServiceStatus,
// CloseServiceHandle); service names cross as UTF-8.
//
// The manager is opened once, at the first openManager that succeeds, and kept until this
// object ends: every openManager after it hands out the same handle, and closing that handle
// leaves it open. Each OpenSCManagerW is a connection of its own to the service control
// manager (on Windows and under Wine a new RPC binding), and a status is asked one service at a
// time, with a manager opened for each: the services list asks it of every service at start.
// What a manager handle allows is settled when it is opened, by the process's token, which
// does not change while the program runs.
#include "platform/ServiceManager.h"

namespace hastelyn::win32 {

class Win32ServiceManager final : public platform::ServiceManager {
public:
    long openManager(platform::ObjectHandle& out) override;
    long openService(platform::ObjectHandle manager, std::string_view serviceName, platform::ObjectHandle& out) override;
    platform::CallResult queryStatus(platform::ObjectHandle service, std::uint32_t& currentState) override;
    platform::CallResult closeServiceHandle(platform::ObjectHandle handle) override;

    Win32ServiceManager() = default;
    ~Win32ServiceManager() override;
    Win32ServiceManager(const Win32ServiceManager&) = delete;
    Win32ServiceManager& operator=(const Win32ServiceManager&) = delete;

private:
    platform::ObjectHandle manager_;
};

}  // namespace hastelyn::win32
