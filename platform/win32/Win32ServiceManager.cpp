#include "platform/win32/Win32ServiceManager.h"

#include <windows.h>

#include "platform/win32/LastError.h"
#include "platform/win32/WideText.h"

namespace hastelyn::win32 {
namespace {

SC_HANDLE scHandle(platform::ObjectHandle handle) {
    return reinterpret_cast<SC_HANDLE>(static_cast<std::uintptr_t>(handle.value));
}
platform::ObjectHandle objectOf(SC_HANDLE handle) {
    return platform::ObjectHandle{static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(handle))};
}

}  // namespace

Win32ServiceManager::~Win32ServiceManager() {
    if (manager_) CloseServiceHandle(scHandle(manager_));
}

long Win32ServiceManager::openManager(platform::ObjectHandle& out) {
    out = {};
    if (!manager_) {
        const SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
        if (manager == nullptr) return static_cast<long>(GetLastError());
        manager_ = objectOf(manager);
    }
    out = manager_;
    return ERROR_SUCCESS;
}

long Win32ServiceManager::openService(platform::ObjectHandle manager, std::string_view serviceName,
                                      platform::ObjectHandle& out) {
    out = {};
    const SC_HANDLE service = OpenServiceW(scHandle(manager), widen(serviceName).c_str(), SERVICE_ALL_ACCESS);
    if (service == nullptr) return static_cast<long>(GetLastError());
    out = objectOf(service);
    return ERROR_SUCCESS;
}

platform::CallResult Win32ServiceManager::queryStatus(platform::ObjectHandle service, std::uint32_t& currentState) {
    SERVICE_STATUS status{};
    if (!QueryServiceStatus(scHandle(service), &status)) return lastCallError();
    currentState = status.dwCurrentState;
    return {};
}

platform::CallResult Win32ServiceManager::closeServiceHandle(platform::ObjectHandle handle) {
    if (handle.value == manager_.value && manager_) return {};  // kept for the next openManager
    if (!CloseServiceHandle(scHandle(handle))) return lastCallError();
    return {};
}

}  // namespace hastelyn::win32
