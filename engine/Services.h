#pragma once
// The services list: one row per service that runs under a logon account, ticked when the
// service is stopped. Applying a newly ticked row disables and stops the service; a newly
// unticked one gets its former start type back and is started.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/MachineChanges.h"
#include "engine/Session.h"

namespace hastelyn::engine {

inline constexpr std::string_view kServicesKey = "\\SYSTEM\\CurrentControlSet\\Services";
// The page caption of the list, and the settings section that keeps the start type a service
// had before the program disabled it, one key per display name.
inline constexpr std::string_view kServiceSection = "不要サービス";
// Rows with a state flag (50 to 249). A machine with more listed services shows only the first
// 200 rows in list order: a row without a flag could be ticked but never applied.
inline constexpr std::size_t kMaxServiceRows = kStateTableSize - kFirstServiceState;

// A service's key from the root: kServicesKey + "\\" + key name.
std::string serviceKeyPath(std::string_view keyName);

struct ListedService {
    std::string keyName;
    std::string displayName;
};

// Whether the list shows the service of the key: a DisplayName of the plain string type and an
// ObjectName that reads as a text.
bool isListedService(const foundation::RegKeyValues& serviceKey);
// The key names of the services the list shows, in registry order.
std::vector<std::string> listedServiceKeys(Session& session);
// The same services with their display names.
std::vector<ListedService> listedServices(Session& session);

// The order of the list's rows: ASCII letters compared without case, everything else by its
// bytes (UTF-8, so by code point). Used with a stable sort, so equal names keep registry order.
bool serviceRowBefore(std::string_view a, std::string_view b);

// The apply pass changes services only while the list's rows are enabled (they are locked
// together, by "DisabledItem" "Service").
bool serviceRowsEnabled(const ItemModel& model);

// Keeps a service's start type before the program disables it, in the settings section given
// under its display name. A "4" (disabled) over a start type already kept is not written: that
// is the program's own work, met again when a run that had disabled the service was cut short
// before it stopped it, and the start type to give back is the one kept.
void rememberStartType(Session& session, std::string_view section, std::string_view displayName,
                       const std::string& start);

// Fills the list (sorted as a list box sorts), ticks the stopped services and sets their flags.
// The list is emptied first, with the flags of its rows.
void FillServiceList(Session& session);

// Applies every enabled row whose tick differs from its flag, running "net stop|start" and
// waiting for it while the windows process their events. A ticked row keeps the start type
// first, stops the service and then disables it; an unticked one gives the start type back and
// then starts it: a run cut short anywhere leaves the kept start type, and a service whose state
// is its saved one has its saved start type too, so a restore point taken before puts it back.
// Throws CommandError ("Exec Error " + number) when the command cannot be started: that row
// keeps its flag (a ticked one its Start value as it was, an unticked one its start type given
// back). A row whose service has gone since the list was read is skipped and keeps its flag.
// Each row is read again under the change mutex first, as the apply pass does, and left (in
// result) when another run has stopped or started its service since.
void ApplyServiceRows(Session& session, ChangeMutex& mutex, PassResult& result);

// The detail text of a service shown in the commentary panel, by display name (the last listed
// service of that name). An empty name gives the explanation with empty fields.
std::string ShowServiceDetail(Session& session, std::string_view displayName);

}  // namespace hastelyn::engine
