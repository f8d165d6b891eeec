#include "platform/sandbox/HostOpener.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

extern char** environ;

namespace hastelyn::sandbox {

std::optional<std::filesystem::path> findHostOpener() {
    const char* path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "";
    while (true) {
        const std::size_t colon = folders.find(':');
        const std::string_view folder = folders.substr(0, colon);
        if (!folder.empty()) {
            std::filesystem::path candidate = std::filesystem::path(folder) / "xdg-open";
            if (::access(candidate.c_str(), X_OK) == 0) return candidate;
        }
        if (colon == std::string_view::npos) return std::nullopt;
        folders.remove_prefix(colon + 1);
    }
}

bool openOnHost(std::string_view target) {
    const std::optional<std::filesystem::path> opener = findHostOpener();
    if (!opener) return false;
    // A shell starts the opener in the background and ends at once: the opener (and a browser
    // it may wait for) belongs to no one, and there is no child left to reap.
    const std::string script = "\"$0\" \"$1\" </dev/null >/dev/null 2>&1 &";
    const std::string openerText = opener->string();
    const std::string targetText(target);
    char* argv[] = {const_cast<char*>("/bin/sh"), const_cast<char*>("-c"), const_cast<char*>(script.c_str()),
                    const_cast<char*>(openerText.c_str()), const_cast<char*>(targetText.c_str()), nullptr};
    pid_t shell = 0;
    if (::posix_spawn(&shell, "/bin/sh", nullptr, nullptr, argv, environ) != 0) return false;
    int status = 0;
    while (::waitpid(shell, &status, 0) < 0) {
        if (errno != EINTR) return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace hastelyn::sandbox
