#pragma once
// The service control manager (OpenSCManagerA, OpenServiceA, QueryServiceStatus).
#include <cstdint>
#include <string_view>

#include "platform/CallResult.h"
#include "platform/WindowSystem.h"

namespace hastelyn::platform {

// SERVICE_STATUS.dwCurrentState values.
namespace servicestate {
constexpr std::uint32_t Stopped = 1;
constexpr std::uint32_t StartPending = 2;
constexpr std::uint32_t StopPending = 3;
constexpr std::uint32_t Running = 4;
constexpr std::uint32_t ContinuePending = 5;
constexpr std::uint32_t PausePending = 6;
constexpr std::uint32_t Paused = 7;
}  // namespace servicestate

class ServiceManager {
public:
    virtual ~ServiceManager() = default;

    // OpenSCManagerA(local machine, active database, SC_MANAGER_ALL_ACCESS).
    [[nodiscard]] virtual long openManager(ObjectHandle& out) = 0;
    // OpenServiceA(manager, key name, SERVICE_ALL_ACCESS).
    [[nodiscard]] virtual long openService(ObjectHandle manager, std::string_view serviceName, ObjectHandle& out) = 0;
    // QueryServiceStatus: the current state (servicestate::*).
    [[nodiscard]] virtual CallResult queryStatus(ObjectHandle service, std::uint32_t& currentState) = 0;
    // CloseServiceHandle.
    [[nodiscard]] virtual CallResult closeServiceHandle(ObjectHandle handle) = 0;
};

}  // namespace hastelyn::platform
