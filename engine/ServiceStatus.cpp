#include "engine/ServiceStatus.h"

namespace hastelyn::engine {
namespace {

constexpr std::string_view kUnknown = "不明";

}  // namespace

std::string GetServiceStatusName(platform::Platform& platform, std::string_view serviceKeyName) {
    platform::ServiceManager& services = platform.services;
    platform::ObjectHandle manager;
    if (services.openManager(manager) != platform::win32error::Success) return std::string(kUnknown);
    platform::ObjectHandle service;
    std::string name(kUnknown);
    if (services.openService(manager, serviceKeyName, service) == platform::win32error::Success) {
        std::uint32_t state = 0;
        if (services.queryStatus(service, state).ok()) {
            switch (state) {
                case platform::servicestate::Stopped: name = std::string(kStopped); break;
                case platform::servicestate::StartPending: name = "開始手続き中"; break;
                case platform::servicestate::StopPending: name = "停止手続き中"; break;
                case platform::servicestate::Running: name = "開始中"; break;
                case platform::servicestate::ContinuePending: name = "再開手続き中"; break;
                case platform::servicestate::PausePending: name = "一時停止手続き中"; break;
                case platform::servicestate::Paused: name = "一時停止中"; break;
                default: break;
            }
        }
        // Closing a handle this call opened cannot change the answer: the Windows program
        // ignores its result too.
        (void)services.closeServiceHandle(service);
    }
    (void)services.closeServiceHandle(manager);
    return name;
}

}  // namespace hastelyn::engine
