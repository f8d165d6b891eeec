#include "engine/Registration.h"

#include <chrono>

#include "platform/Win32Types.h"

namespace hastelyn::engine {
namespace {

// WinExec gives a value above 31 when the program started.
constexpr std::uint32_t kLastWinExecFailure = 31;

}  // namespace

void runRegSvr32(Session& session, std::string_view commandLine, std::uint32_t firstWaitMs) {
    platform::Shell& shell = session.platform.shell;
    platform::WindowSystem& windows = session.platform.windows;
    if (shell.winExec(commandLine, platform::showcmd::Normal) <= kLastWinExecFailure) return;
    shell.sleep(firstWaitMs);

    // The tool may take a while to load the library before its box comes up; a box closed
    // too early would stay for the user to close by hand.
    const auto started = std::chrono::steady_clock::now();
    const auto limit = std::chrono::milliseconds(kRegSvr32BoxWaitMs);
    for (std::uint32_t waited = 0;; waited += kRegSvr32PollMs) {
        if (const platform::WindowHandle box = windows.findWindow("", kRegSvr32BoxTitle)) {
            windows.sendMessage(box, platform::wm::Close, 0, 0);
            return;
        }
        if (waited >= kRegSvr32BoxWaitMs || std::chrono::steady_clock::now() - started >= limit) return;
        shell.sleep(kRegSvr32PollMs);
    }
}

}  // namespace hastelyn::engine
