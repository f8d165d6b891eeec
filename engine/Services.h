#pragma once
// The services list: one row per service that runs under a logon account, ticked when the
// service is stopped. Applying a newly ticked row disables and stops the service; a newly
// unticked one gets its former start type back and is started.
#include <string>
#include <string_view>
#include <vector>

#include "engine/Session.h"

namespace hastelyn::engine {

inline constexpr std::string_view kServicesKey = "\\SYSTEM\\CurrentControlSet\\Services";

// The key names of the services the list shows, in registry order: a DisplayName of the plain
// string type and an ObjectName that reads as a text.
std::vector<std::string> listedServiceKeys(Session& session);

// Fills the list (sorted as a list box sorts), ticks the stopped services and sets their flags.
void FillServiceList(Session& session);

// Applies every row whose tick differs from its flag, running "net stop|start" and waiting for
// it. Throws CommandError ("Exec Error " + number) when the command cannot be started.
void ApplyServiceRows(Session& session);

// The detail text of a service shown in the commentary panel.
std::string ShowServiceDetail(Session& session, std::string_view displayName);

}  // namespace hastelyn::engine
