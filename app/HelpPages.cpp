#include "app/HelpPages.h"

#include <system_error>

#include "platform/sandbox/util/AtomicFile.h"

namespace hastelyn::app {

namespace fs = std::filesystem;

fs::path shippedHelpFolder() {
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::path("help") : executable.parent_path() / "help";
}

std::string installHelpPages(const sandbox::SandboxMachine& machine, const fs::path& shipped) {
    std::error_code error;
    if (!fs::is_directory(shipped, error)) return "ヘルプのフォルダ " + shipped.string() + " がありません。";
    const std::string& program = machine.programPath();
    const std::string helpFolder = program.substr(0, program.find_last_of('\\') + 1) + "help\\";
    for (const fs::directory_entry& entry : fs::directory_iterator(shipped, error)) {
        if (!entry.is_regular_file(error)) continue;
        const std::string name = entry.path().filename().string();
        const std::optional<std::string> content = sandbox::readWholeFile(entry.path());
        const std::optional<sandbox::MappedPath> target = machine.mapPathForWrite(helpFolder + name);
        if (!content || !target) return "ヘルプのページ " + name + " をコピーできません。";
        if (sandbox::readWholeFile(target->host) == content) continue;
        fs::create_directories(target->host.parent_path(), error);
        if (!sandbox::writeFileAtomically(target->host, *content))
            return "ヘルプのページ " + target->windows + " を書き込めません。";
    }
    if (error) return "ヘルプのフォルダ " + shipped.string() + " を読めません: " + error.message();
    return {};
}

}  // namespace hastelyn::app
