#include "platform/sandbox/SandboxServiceManager.h"

#include <cstring>

#include "platform/Text.h"
#include "platform/Win32Types.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "platform/sandbox/util/FileLock.h"
#include "platform/sandbox/util/IniValue.h"

namespace hastelyn::sandbox {
namespace {

namespace win32error = platform::win32error;
namespace servicestate = platform::servicestate;
using platform::RootKey;

constexpr std::string_view kServicesKey = "SYSTEM\\CurrentControlSet\\Services";
constexpr std::string_view kSection = "State";
constexpr std::size_t kMaxServiceName = 256;

std::string serviceKeyPath(std::string_view keyName) { return std::string(kServicesKey) + "\\" + std::string(keyName); }

bool isValidState(std::uint64_t n) { return n >= servicestate::Stopped && n <= servicestate::Paused; }

}  // namespace

SandboxServiceManager::SandboxServiceManager(SandboxMachine& machine, SandboxRegistry& registry)
    : machine_(machine),
      registry_(registry),
      stateFile_(machine.folder() / "services.ini"),
      stateLock_(machine.folder() / ".state.lock") {
    if (machine_.version().platformId != 2 || std::filesystem::exists(stateFile())) return;
    const HiveKey* services = registry_.currentKey(RootKey::LocalMachine, kServicesKey);
    if (services && !services->children().empty()) boot();
}

std::uint32_t SandboxServiceManager::stateAtBoot(std::optional<std::uint32_t> startType) {
    return startType && *startType <= 2 ? servicestate::Running : servicestate::Stopped;
}

std::optional<std::string> SandboxServiceManager::stringValue(const HiveKey& key, std::string_view valueName) {
    const HiveValue* value = key.findValue(valueName);
    if (!value || (value->type != platform::regtype::Sz && value->type != platform::regtype::ExpandSz))
        return std::nullopt;
    return std::string(text::cutAtNul(value->data));
}

std::optional<std::uint32_t> SandboxServiceManager::startType(const HiveKey& key) {
    const HiveValue* value = key.findValue("Start");
    if (!value || value->type != platform::regtype::Dword || value->data.size() != 4) return std::nullopt;
    std::uint32_t number = 0;
    std::memcpy(&number, value->data.data(), sizeof(number));  // little-endian, as the registry keeps it
    return number;
}

std::optional<std::uint32_t> SandboxServiceManager::startType(std::string_view keyName) {
    const HiveKey* key = registry_.currentKey(RootKey::LocalMachine, serviceKeyPath(keyName));
    return key ? startType(*key) : std::nullopt;
}

std::optional<std::string> SandboxServiceManager::findService(std::string_view name) {
    // The hive as it is in memory, brought up to date once: looking at every service through
    // open, query and close would look at the hive file for each of them.
    const HiveKey* services = registry_.currentKey(RootKey::LocalMachine, kServicesKey);
    if (!services) return std::nullopt;
    const std::string wanted = text::upperAscii(name);
    std::optional<std::string> byKeyName;
    known_.resize(services->children().size());
    auto known = known_.begin();
    for (const auto& [keyName, key] : services->children()) {
        KnownService& k = *known++;
        if (k.serial != key->serial() || k.valuesStamp != key->valuesStamp()) {
            k.serial = key->serial();
            k.valuesStamp = key->valuesStamp();
            k.keyName = text::upperAscii(keyName);
            k.displayName = stringValue(*key, "DisplayName");
            if (k.displayName) k.displayName = text::upperAscii(*k.displayName);
        }
        if (k.displayName == wanted) return keyName;
        if (!byKeyName && k.keyName == wanted) byKeyName = keyName;
    }
    return byKeyName;
}

ProfileDocument& SandboxServiceManager::states() {
    // The stamp first: should the file change while it is read, the next look sees it.
    const FileStamp stamp = stampOf(stateFile());
    if (!states_.current(stamp)) states_.take(stamp, readReplacedFile(stateFile()).value_or(""));
    return states_.document();
}

std::uint32_t SandboxServiceManager::state(std::string_view keyName) {
    if (const auto value = states().value(kSection, keyName)) {
        const auto n = parseDecimal(withoutComment(*value));
        if (n && isValidState(*n)) return static_cast<std::uint32_t>(*n);
    }
    return stateAtBoot(startType(keyName));
}

bool SandboxServiceManager::setState(std::string_view keyName, std::uint32_t state) {
    const FileLock lock(stateLock_, true);
    if (!lock.held()) return false;
    // Read under the lock: what another process wrote last counts. The document kept from the
    // last look is edited when the file still holds what it was made from.
    ProfileDocument& doc = states();
    if (!doc.setValue(kSection, keyName, std::to_string(state))) return true;
    std::string text = doc.text();
    FileStamp written;
    if (!stateWriter_.write(stateFile(), text, written)) {
        states_.forget();  // the document is ahead of the file
        return false;
    }
    states_.written(written);
    return true;
}

bool SandboxServiceManager::boot() {
    std::string content = "[" + std::string(kSection) + "]\r\n";
    if (const HiveKey* services = registry_.currentKey(RootKey::LocalMachine, kServicesKey)) {
        for (const auto& [keyName, key] : services->children())
            content += keyName + "=" + std::to_string(stateAtBoot(startType(*key))) + "\r\n";
    }
    const FileLock lock(stateLock_, true);
    if (!lock.held()) return false;
    states_.forget();
    return stateWriter_.write(stateFile(), content);
}

long SandboxServiceManager::openManager(platform::ObjectHandle& out) {
    out = {};
    if (machine_.version().platformId != 2) return serviceerror::CallNotImplemented;
    if (machine_.restrictedAccount()) return win32error::AccessDenied;
    const std::uint64_t id = nextHandle_;
    nextHandle_ += kHandleStep;
    handles_.emplace(id, OpenHandle{true, {}});
    out = {id};
    return win32error::Success;
}

long SandboxServiceManager::openService(platform::ObjectHandle manager, std::string_view serviceName,
                                        platform::ObjectHandle& out) {
    out = {};
    const auto it = handles_.find(manager.value);
    if (it == handles_.end() || !it->second.manager) return win32error::InvalidHandle;
    serviceName = text::cutAtNul(serviceName);
    if (serviceName.empty() || serviceName.size() > kMaxServiceName ||
        serviceName.find_first_of("\\/") != std::string_view::npos)
        return win32error::InvalidName;
    if (!registry_.currentKey(RootKey::LocalMachine, serviceKeyPath(serviceName))) return serviceerror::ServiceDoesNotExist;
    const std::uint64_t id = nextHandle_;
    nextHandle_ += kHandleStep;
    handles_.emplace(id, OpenHandle{false, std::string(serviceName)});
    out = {id};
    return win32error::Success;
}

platform::CallResult SandboxServiceManager::queryStatus(platform::ObjectHandle service, std::uint32_t& currentState) {
    const auto it = handles_.find(service.value);
    if (it == handles_.end() || it->second.manager) return platform::CallResult(win32error::InvalidHandle);
    currentState = state(it->second.keyName);
    return {};
}

platform::CallResult SandboxServiceManager::closeServiceHandle(platform::ObjectHandle handle) {
    if (handles_.erase(handle.value) > 0) return {};
    return platform::CallResult(win32error::InvalidHandle);
}

}  // namespace hastelyn::sandbox
