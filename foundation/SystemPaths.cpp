#include "foundation/SystemPaths.h"

#include <array>
#include <vector>

#include "foundation/RegistryValues.h"

namespace hastelyn::foundation {
namespace {

std::string findSysoc(platform::Platform& platform, const std::string& windows, const std::string& root) {
    const std::array<std::string, 3> candidates = {
        windows + "\\inf\\sysoc.inf",
        root + "WINDOWS\\inf\\sysoc.inf",
        root + "WINNT\\inf\\sysoc.inf",
    };
    for (const std::string& candidate : candidates) {
        if (fileFound(platform.files, candidate)) return candidate;
    }
    return std::string(kNull);
}

std::string findBoot(platform::Platform& platform, const EditionCodes& codes, const std::string& root) {
    // The 9x family always boots from Msdos.sys on the system drive; it is not looked for.
    if (!codes.ntFamily()) return root + "Msdos.sys";
    if (const std::string onSystemDrive = root + "boot.ini"; fileFound(platform.files, onSystemDrive)) return onSystemDrive;
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        const std::string candidate = std::string(1, letter) + ":\\boot.ini";
        if (fileFound(platform.files, candidate)) return candidate;
    }
    return std::string(kNull);
}

}  // namespace

bool fileFound(platform::FileSystem& files, std::string_view path) {
    return path != kNull && files.getFileAttributes(path) != platform::fileattr::Invalid;
}

bool anyFileMatching(platform::FileSystem& files, std::string_view pattern) {
    std::vector<platform::FindData> found;
    return files.findFiles(pattern, found).ok() && !found.empty();
}

void detectSystemPaths(platform::Platform& platform, const EditionCodes& codes, Settings& settings,
                       SystemPaths& paths) {
    const std::string windows = platform.system.windowsDirectory();
    const std::string root = windows.substr(0, 3);

    paths.answerFile = windows + "\\System32\\$winnt$.inf";

    // A path not found stays "NULL" and is not written, so the next start looks again.
    const std::string storedSysoc = settings.general("SysocPath");
    const std::string storedBoot = settings.general("BootPath");
    paths.sysoc = storedSysoc == kNull ? findSysoc(platform, windows, root) : storedSysoc;
    paths.boot = storedBoot == kNull ? findBoot(platform, codes, root) : storedBoot;
    if (storedSysoc == kNull) settings.write(kGeneralSection, "SysocPath", paths.sysoc);
    if (storedBoot == kNull) settings.write(kGeneralSection, "BootPath", paths.boot);
}

}  // namespace hastelyn::foundation
