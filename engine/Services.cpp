#include "engine/Services.h"

#include <algorithm>
#include <mutex>
#include <optional>
#include <unordered_set>

#include "engine/ServiceCommand.h"
#include "engine/ServiceStatus.h"
#include "platform/Text.h"

namespace hastelyn::engine {
namespace {

using foundation::kNull;
using platform::RootKey;

}  // namespace

std::string serviceKeyPath(std::string_view keyName) {
    std::string path(kServicesKey);
    path += '\\';
    path += keyName;
    return path;
}

bool isListedService(const foundation::RegKeyValues& serviceKey) {
    // The logon account first: most keys are drivers, which have none.
    return serviceKey.read("ObjectName", RegType::String) != kNull && serviceKey.type("DisplayName") == RegType::String;
}

std::vector<ListedService> listedServices(Session& session) {
    std::vector<ListedService> services;
    const auto keys = session.registry.GetRegSubKeys(RootKey::LocalMachine, kServicesKey);
    for (const std::string& key : *keys) {
        const foundation::RegKeyValues values(session.registry, RootKey::LocalMachine, serviceKeyPath(key));
        if (isListedService(values)) services.push_back({key, values.read("DisplayName", RegType::String)});
    }
    return services;
}

std::vector<std::string> listedServiceKeys(Session& session) {
    std::vector<std::string> keys;
    for (ListedService& service : listedServices(session)) keys.push_back(std::move(service.keyName));
    return keys;
}

bool serviceRowBefore(std::string_view a, std::string_view b) {
    return text::compareFolded(a, b, text::CaseFold::ToLower) < 0;
}

bool serviceRowsEnabled(const ItemModel& model) {
    const std::vector<Row>& rows = model.services().rows;
    return !rows.empty() && rows.front().enabled;
}

void rememberStartType(Session& session, std::string_view section, std::string_view displayName,
                       const std::string& start) {
    const std::string kept = session.settings.read(section, displayName);
    if (start == "4" && kept != kNull && !kept.empty()) return;
    session.settings.write(section, displayName, start);
}

void FillServiceList(Session& session) {
    std::vector<Row>& rows = session.model.services().rows;
    auto& state = session.model.state();
    rows.clear();
    std::fill(state.begin() + static_cast<std::ptrdiff_t>(kFirstServiceState), state.end(), std::uint8_t{0});

    std::vector<std::string> names;
    std::unordered_set<std::string> stopped;  // display names, ASCII letters in upper case
    const platform::RegistryBatch batch(session.platform.registry);
    for (ListedService& service : listedServices(session)) {
        if (GetServiceStatusName(session.platform, service.keyName) == kStopped)
            stopped.insert(text::upperAscii(service.displayName));
        names.push_back(std::move(service.displayName));
    }
    std::stable_sort(names.begin(), names.end(),
                     [](const std::string& a, const std::string& b) { return serviceRowBefore(a, b); });
    if (names.size() > kMaxServiceRows) names.resize(kMaxServiceRows);

    rows.reserve(names.size());
    for (std::size_t r = 0; r < names.size(); ++r) {
        const bool isStopped = stopped.contains(text::upperAscii(names[r]));
        rows.push_back(Row{std::move(names[r]), isStopped, session.model.services().newRowsEnabled});
        if (isStopped) state[kFirstServiceState + r] = 1;
    }
}

void ApplyServiceRows(Session& session, ChangeMutex& mutex, PassResult& result) {
    foundation::RegistryValues& registry = session.registry;
    CheckList& list = session.model.services();
    auto& state = session.model.state();
    // Listed once, at the first row that changed: the commands change start types and states,
    // never which services are listed or their names.
    std::optional<std::vector<ListedService>> services;
    // The size is read again after every command: while one is awaited the windows run, and
    // nothing keeps the list as it was.
    for (std::size_t r = 0; r < list.rows.size() && r < kMaxServiceRows; ++r) {
        const std::size_t flagIndex = kFirstServiceState + r;
        const bool ticked = list.rows[r].ticked;
        if (!list.rows[r].enabled || ticked == (state[flagIndex] != 0)) continue;
        const std::string name = list.rows[r].label;
        session.applyingRow("Service:" + name);

        if (!services) {
            const platform::RegistryBatch batch(session.platform.registry);
            services = listedServices(session);
        }
        const auto found = std::find_if(services->begin(), services->end(),
                                        [&](const ListedService& s) { return s.displayName == name; });
        if (found == services->end()) continue;  // gone since the list was read: nothing to change
        const std::string path = serviceKeyPath(found->keyName);
        const std::lock_guard turn(mutex);
        // The service's reading and its change in one batch, taken under the mutex (never the
        // other way round: another run waits for the mutex holding nothing).
        const platform::RegistryBatch batch(session.platform.registry);
        const bool stopped = GetServiceStatusName(session.platform, found->keyName) == kStopped;
        if (!stillAsRead(stopped, state[flagIndex], list.rows[r].ticked)) {
            result.left.push_back(flagIndex);
            continue;
        }
        result.changedRows = true;

        (void)registry.takeSkippedRefusal();
        if (ticked) {
            rememberStartType(session, kServiceSection, name,
                              registry.ReadRegValue(RootKey::LocalMachine, path, "Start", RegType::DWORD));
            runServiceCommand(session, netCommand(true, name));
            registry.WriteRegValue(RootKey::LocalMachine, path, "Start", "4", RegType::DWORD);
        } else {
            std::string start = session.settings.read(kServiceSection, name);
            if (start == kNull) start = "3";
            registry.WriteRegValue(RootKey::LocalMachine, path, "Start", start, RegType::DWORD);
            runServiceCommand(session, netCommand(false, name));
        }
        if (auto refused = registry.takeSkippedRefusal()) {
            result.failed.push_back({flagIndex, std::move(*refused)});
            continue;
        }
        state[flagIndex] = state[flagIndex] ? 0 : 1;
    }
}

}  // namespace hastelyn::engine
