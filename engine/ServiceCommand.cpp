#include "engine/ServiceCommand.h"

#include <cstdint>
#include <string>

#include "foundation/CommandError.h"
#include "platform/Win32Types.h"

namespace hastelyn::engine {
namespace {

constexpr std::uint32_t kWaitTimeout = 258;  // WAIT_TIMEOUT

}  // namespace

std::string netCommand(bool stop, std::string_view displayName) {
    return std::string(stop ? "net stop \"" : "net start \"") + std::string(displayName) + "\"";
}

void runServiceCommand(Session& session, std::string_view commandLine) {
    platform::Shell& shell = session.platform.shell;
    platform::ObjectHandle process;
    const long error = shell.createProcess(commandLine, process);
    if (error != platform::win32error::Success) throw foundation::CommandError("Exec Error " + std::to_string(error));
    while (shell.waitForSingleObject(process, 0) == kWaitTimeout) session.processEvents();
    shell.closeProcess(process);
}

}  // namespace hastelyn::engine
