#pragma once
// The service control manager (OpenSCManagerW, OpenServiceW, QueryServiceStatus,
// CloseServiceHandle); service names cross as UTF-8.
#include "platform/ServiceManager.h"

namespace hastelyn::win32 {

class Win32ServiceManager final : public platform::ServiceManager {
public:
    long openManager(platform::ObjectHandle& out) override;
    long openService(platform::ObjectHandle manager, std::string_view serviceName, platform::ObjectHandle& out) override;
    platform::CallResult queryStatus(platform::ObjectHandle service, std::uint32_t& currentState) override;
    platform::CallResult closeServiceHandle(platform::ObjectHandle handle) override;
};

}  // namespace hastelyn::win32
