#pragma once
// The service control manager of the sandbox machine: the services are the subkeys of the
// registry's HKLM\SYSTEM\CurrentControlSet\Services, each with a state that "net start" and
// "net stop" change.
//
// The states live in services.ini in the machine folder, section [State], one entry per
// service key name (any case) with the SERVICE_STATUS state number. A service without an entry
// has the state its start type gives at boot: Start 0, 1 or 2 (boot, system, automatic) runs,
// 3, 4 or no Start is stopped. Booting (the first time a machine is opened on the NT family,
// and every restart) writes that state for every service, so that a later change of a start
// type alone does not start or stop anything, as on Windows. The file is replaced atomically
// under a lock (.state.lock), so processes sharing the machine never lose each other's changes.
//
// Where this differs from Windows: the 9x family has no service manager (openManager gives
// ERROR_CALL_NOT_IMPLEMENTED); a restricted account cannot open the manager with all access
// (AccessDenied). Start and stop take no time: there are no pending states.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/ServiceManager.h"
#include "platform/sandbox/KeptDocument.h"
#include "platform/sandbox/ProfileDocument.h"
#include "platform/sandbox/SandboxMachine.h"
#include "platform/sandbox/registry/SandboxRegistry.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "platform/sandbox/util/FileStamp.h"

namespace hastelyn::sandbox {

// Windows error codes of the service control manager.
namespace serviceerror {
constexpr long CallNotImplemented = 120;  // ERROR_CALL_NOT_IMPLEMENTED
constexpr long ServiceDisabled = 1058;    // ERROR_SERVICE_DISABLED
constexpr long ServiceDoesNotExist = 1060;  // ERROR_SERVICE_DOES_NOT_EXIST
}  // namespace serviceerror

class SandboxServiceManager : public platform::ServiceManager {
public:
    // Boots the services when the machine is of the NT family and has no services.ini yet.
    SandboxServiceManager(SandboxMachine& machine, SandboxRegistry& registry);
    SandboxServiceManager(const SandboxServiceManager&) = delete;
    SandboxServiceManager& operator=(const SandboxServiceManager&) = delete;

    long openManager(platform::ObjectHandle& out) override;
    // Key names compare case-insensitively; ServiceDoesNotExist for a name that is no subkey,
    // InvalidName for an empty one or one holding a backslash.
    long openService(platform::ObjectHandle manager, std::string_view serviceName, platform::ObjectHandle& out) override;
    // The state as it is at the moment of the query (another process may have changed it).
    platform::CallResult queryStatus(platform::ObjectHandle service, std::uint32_t& currentState) override;
    platform::CallResult closeServiceHandle(platform::ObjectHandle handle) override;

    // For the sandbox's own commands.
    //
    // The key name (as the registry spells it) of the service a name stands for: the first
    // service in registry order whose DisplayName equals it (case-insensitively), else the
    // first whose key name does.
    std::optional<std::string> findService(std::string_view name);
    // Start of the service key, when it is a DWORD.
    std::optional<std::uint32_t> startType(std::string_view keyName);
    // The current state (servicestate::*).
    std::uint32_t state(std::string_view keyName);
    bool setState(std::string_view keyName, std::uint32_t state);
    // What starting Windows does: every service gets the state its start type gives.
    bool boot();

    const std::filesystem::path& stateFile() const { return stateFile_; }
    // Manager and service handles open now.
    std::size_t openHandleCount() const { return handles_.size(); }

private:
    struct OpenHandle {
        bool manager = false;
        std::string keyName;  // a service's, as it was opened
    };

    static std::uint32_t stateAtBoot(std::optional<std::uint32_t> startType);
    // services.ini as it is now. The file is read again when its stamp changed, or when the
    // version kept was not written by this manager and is young enough that a writer that
    // rewrites in place within the clock's tick could have kept the stamp; it is parsed again
    // only when its bytes changed.
    ProfileDocument& states();
    // The version just written under the lock, of that stamp, is the one kept.
    // A REG_SZ or REG_EXPAND_SZ value of a service key, up to its first NUL.
    static std::optional<std::string> stringValue(const HiveKey& key, std::string_view valueName);
    static std::optional<std::uint32_t> startType(const HiveKey& key);

    SandboxMachine& machine_;
    SandboxRegistry& registry_;
    std::filesystem::path stateFile_;
    std::filesystem::path stateLock_;
    // Each service key's name and display name as findService last read them, in registry order,
    // ASCII letters in upper case, with the key (serial) and the version of its values they were
    // read from: only keys that changed since are read again.
    struct KnownService {
        std::uint64_t serial = 0;
        std::uint64_t valuesStamp = 0;
        std::string keyName;
        std::optional<std::string> displayName;
    };
    std::vector<KnownService> known_;
    KeptDocument states_;  // services.ini as last read or written (a missing file reads empty)
    FileReplacer stateWriter_;
    std::unordered_map<std::uint64_t, OpenHandle> handles_;
    // Handle values of this manager's own range, a step apart as the system's handle values are.
    static constexpr std::uint64_t kFirstHandle = 0x5C0010;
    static constexpr std::uint64_t kHandleStep = 8;
    std::uint64_t nextHandle_ = kFirstHandle;
};

}  // namespace hastelyn::sandbox
