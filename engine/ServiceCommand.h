#pragma once
// A service command ("net start|stop" with a display name) run as a process of its own and
// awaited, while the windows go on processing their events.
#include <string>
#include <string_view>

#include "engine/Session.h"

namespace hastelyn::engine {

// "net stop "display name"" to stop the service, "net start "display name"" to start it.
std::string netCommand(bool stop, std::string_view displayName);

// Starts the command line and polls it until it has ended, calling session.processEvents()
// between polls. Its outcome (exit code) is not examined. Throws CommandError ("Exec Error "
// followed by the system's error number) when it cannot be started.
void runServiceCommand(Session& session, std::string_view commandLine);

}  // namespace hastelyn::engine
