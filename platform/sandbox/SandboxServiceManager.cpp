#include "platform/sandbox/SandboxServiceManager.h"

#include <cstring>
#include <vector>

#include "platform/Text.h"
#include "platform/Win32Types.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "platform/sandbox/util/FileLock.h"
#include "platform/sandbox/util/IniValue.h"

namespace hastelyn::sandbox {
namespace {

namespace win32error = platform::win32error;
namespace servicestate = platform::servicestate;
using platform::KeyAccess;
using platform::KeyHandle;
using platform::RootKey;

constexpr std::string_view kServicesKey = "SYSTEM\\CurrentControlSet\\Services";
constexpr std::string_view kSection = "State";
constexpr std::size_t kMaxServiceName = 256;

// An open registry key, closed with the object.
class Key {
public:
    Key(SandboxRegistry& registry, std::string_view path) : registry_(registry) {
        if (registry_.openKey(RootKey::LocalMachine, path, KeyAccess::Query, handle_) != win32error::Success)
            handle_ = {};
    }
    ~Key() {
        if (handle_) registry_.closeKey(handle_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    explicit operator bool() const { return static_cast<bool>(handle_); }
    KeyHandle handle() const { return handle_; }

    // The subkey names in registry order.
    std::vector<std::string> subkeys() {
        std::vector<std::string> names;
        std::string name;
        for (std::uint32_t i = 0; handle_ && registry_.enumKey(handle_, i, name) == win32error::Success; ++i)
            names.push_back(name);
        return names;
    }

private:
    SandboxRegistry& registry_;
    KeyHandle handle_;
};

std::string serviceKeyPath(std::string_view keyName) { return std::string(kServicesKey) + "\\" + std::string(keyName); }

bool isValidState(std::uint64_t n) { return n >= servicestate::Stopped && n <= servicestate::Paused; }

}  // namespace

SandboxServiceManager::SandboxServiceManager(SandboxMachine& machine, SandboxRegistry& registry)
    : machine_(machine), registry_(registry) {
    if (machine_.version().platformId != 2 || std::filesystem::exists(stateFile())) return;
    Key services(registry_, kServicesKey);
    if (services && !services.subkeys().empty()) boot();
}

std::uint32_t SandboxServiceManager::stateAtBoot(std::optional<std::uint32_t> startType) {
    return startType && *startType <= 2 ? servicestate::Running : servicestate::Stopped;
}

std::optional<std::string> SandboxServiceManager::stringValue(std::string_view keyName, std::string_view valueName) {
    Key key(registry_, serviceKeyPath(keyName));
    if (!key) return std::nullopt;
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (registry_.queryValue(key.handle(), valueName, &type, nullptr, &size) != win32error::Success) return std::nullopt;
    if (type != platform::regtype::Sz && type != platform::regtype::ExpandSz) return std::nullopt;
    std::string data(size, '\0');
    if (registry_.queryValue(key.handle(), valueName, nullptr, reinterpret_cast<std::uint8_t*>(data.data()), &size) !=
        win32error::Success)
        return std::nullopt;
    return std::string(cutAtNul(std::string_view(data.data(), size)));
}

std::optional<std::uint32_t> SandboxServiceManager::startType(std::string_view keyName) {
    Key key(registry_, serviceKeyPath(keyName));
    if (!key) return std::nullopt;
    std::uint32_t type = 0;
    std::uint8_t data[4] = {};
    std::uint32_t size = sizeof(data);
    if (registry_.queryValue(key.handle(), "Start", &type, data, &size) != win32error::Success) return std::nullopt;
    if (type != platform::regtype::Dword || size != sizeof(data)) return std::nullopt;
    std::uint32_t value = 0;
    std::memcpy(&value, data, sizeof(value));  // little-endian, as the registry keeps it
    return value;
}

std::optional<std::string> SandboxServiceManager::findService(std::string_view name) {
    Key services(registry_, kServicesKey);
    std::optional<std::string> byKeyName;
    for (const std::string& keyName : services.subkeys()) {
        const auto displayName = stringValue(keyName, "DisplayName");
        if (displayName && text::equalsNoCase(*displayName, name)) return keyName;
        if (!byKeyName && text::equalsNoCase(keyName, name)) byKeyName = keyName;
    }
    return byKeyName;
}

const ProfileDocument& SandboxServiceManager::states() {
    auto text = readWholeFile(stateFile());
    if (text != statesText_) {
        statesDocument_ = ProfileDocument::parse(text.value_or(""));
        statesText_ = std::move(text);
    }
    return statesDocument_;
}

std::uint32_t SandboxServiceManager::state(std::string_view keyName) {
    if (const auto value = states().value(kSection, keyName)) {
        const auto n = parseDecimal(withoutComment(*value));
        if (n && isValidState(*n)) return static_cast<std::uint32_t>(*n);
    }
    return stateAtBoot(startType(keyName));
}

bool SandboxServiceManager::setState(std::string_view keyName, std::uint32_t state) {
    const FileLock lock(machine_.folder() / ".state.lock", true);
    if (!lock.held()) return false;
    // Read under the lock: what another process wrote last counts.
    ProfileDocument doc = ProfileDocument::parse(readWholeFile(stateFile()).value_or(""));
    if (!doc.setValue(kSection, keyName, std::to_string(state))) return true;
    return writeFileAtomically(stateFile(), doc.text());
}

bool SandboxServiceManager::boot() {
    std::string content = "[" + std::string(kSection) + "]\r\n";
    {
        Key services(registry_, kServicesKey);
        for (const std::string& keyName : services.subkeys())
            content += keyName + "=" + std::to_string(stateAtBoot(startType(keyName))) + "\r\n";
    }
    const FileLock lock(machine_.folder() / ".state.lock", true);
    if (!lock.held()) return false;
    return writeFileAtomically(stateFile(), content);
}

long SandboxServiceManager::openManager(platform::ObjectHandle& out) {
    out = {};
    if (machine_.version().platformId != 2) return serviceerror::CallNotImplemented;
    if (machine_.restrictedAccount()) return win32error::AccessDenied;
    const std::uint64_t id = nextHandle_;
    nextHandle_ += 8;
    handles_.emplace(id, OpenHandle{true, {}});
    out = {id};
    return win32error::Success;
}

long SandboxServiceManager::openService(platform::ObjectHandle manager, std::string_view serviceName,
                                        platform::ObjectHandle& out) {
    out = {};
    const auto it = handles_.find(manager.value);
    if (it == handles_.end() || !it->second.manager) return win32error::InvalidHandle;
    serviceName = cutAtNul(serviceName);
    if (serviceName.empty() || serviceName.size() > kMaxServiceName ||
        serviceName.find_first_of("\\/") != std::string_view::npos)
        return win32error::InvalidName;
    if (!Key(registry_, serviceKeyPath(serviceName))) return serviceerror::ServiceDoesNotExist;
    const std::uint64_t id = nextHandle_;
    nextHandle_ += 8;
    handles_.emplace(id, OpenHandle{false, std::string(serviceName)});
    out = {id};
    return win32error::Success;
}

bool SandboxServiceManager::queryStatus(platform::ObjectHandle service, std::uint32_t& currentState) {
    const auto it = handles_.find(service.value);
    if (it == handles_.end() || it->second.manager) {
        machine_.setLastError(win32error::InvalidHandle);
        return false;
    }
    currentState = state(it->second.keyName);
    return true;
}

bool SandboxServiceManager::closeServiceHandle(platform::ObjectHandle handle) {
    if (handles_.erase(handle.value) > 0) return true;
    machine_.setLastError(win32error::InvalidHandle);
    return false;
}

}  // namespace hastelyn::sandbox
