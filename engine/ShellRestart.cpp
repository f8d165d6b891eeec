#include "engine/ShellRestart.h"

#include "platform/Win32Types.h"

namespace hastelyn::engine {
namespace {

constexpr std::string_view kShellClass = "Progman";
constexpr std::string_view kQuestion = "\r\n[デスクトップ]⑨を有効にするために、Explorer.exeを再起動しますか？";

}  // namespace

void askShellRestart(Session& session) {
    if (session.dialogs.confirm("", kQuestion)) restartShell(session);
}

void restartShell(Session& session, std::uint32_t maxPolls) {
    platform::WindowSystem& windows = session.platform.windows;
    platform::Shell& shell = session.platform.shell;
    if (const platform::WindowHandle progman = windows.findWindow(kShellClass, ""))
        windows.postMessage(progman, platform::wm::Quit, 0, 0);
    for (std::uint32_t poll = 0; poll < maxPolls && windows.findWindow(kShellClass, ""); ++poll)
        shell.sleep(10);
    shell.winExec("explorer", platform::showcmd::Normal);
}

}  // namespace hastelyn::engine
