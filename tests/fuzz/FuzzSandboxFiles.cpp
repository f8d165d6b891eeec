// Reads arbitrary bytes as the machine folder's own text files. The input, cut at lines "==",
// gives machine.ini's [Drives] lines, services.ini, attributes.ini and the arguments of the
// commands the sandbox carries out (net, reg, regedit, with their argument splitting). The
// machine opens or is refused with its error, the commands run, and nothing is ever written
// outside the machine folder.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/sandbox/SandboxCommands.h"
#include "platform/sandbox/SandboxPlatform.h"
#include "platform/sandbox/util/AtomicFile.h"

namespace {

namespace fs = std::filesystem;
namespace sandbox = hastelyn::sandbox;

const fs::path& base() {
    static const fs::path made = [] {
        fs::path path = fs::temp_directory_path() / ("sandbox-files-fuzz-" + std::to_string(::getpid()));
        std::atexit([] { fs::remove_all(fs::temp_directory_path() / ("sandbox-files-fuzz-" + std::to_string(::getpid()))); });
        return path;
    }();
    return made;
}

void put(const fs::path& file, std::string_view content) {
    if (!sandbox::writeFileAtomically(file, content)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> parts;
    for (std::size_t start = 0; parts.size() < 4;) {
        const std::size_t end = parts.size() < 3 ? bytes.find("\n==\n", start) : std::string_view::npos;
        parts.push_back(bytes.substr(std::min(start, bytes.size()), end == std::string_view::npos ? std::string_view::npos : end - start));
        start = end == std::string_view::npos ? bytes.size() : end + 4;
    }
    const fs::path machine = base() / "machine";
    const fs::path outside = base() / "outside";
    fs::remove_all(base());
    fs::create_directories(machine / "drives" / "C" / "WINDOWS");
    fs::create_directories(machine / "registry");
    fs::create_directories(outside);
    put(machine / "machine.ini", "[Shell]\nOpenOnHost=No\n[Drives]\n" + std::string(parts[0]));
    put(machine / "services.ini", parts[1]);
    put(machine / "attributes.ini", parts[2]);
    put(machine / "registry" / "HKEY_LOCAL_MACHINE.reg",
        "Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Alpha]\n"
        "\"DisplayName\"=\"Alpha Service\"\n\"Start\"=dword:00000002\n\"ObjectName\"=\"LocalSystem\"\n");
    put(machine / "drives" / "C" / "boot.ini", "[boot loader]\r\ntimeout=30\r\n");

    (void)sandbox::splitArguments(parts[3]);
    try {
        sandbox::SandboxPlatform sandboxPlatform(machine);
        hastelyn::platform::Platform& p = sandboxPlatform.platform();
        (void)p.files.getFileAttributes("C:\\boot.ini");
        (void)p.files.setFileAttributes("C:\\boot.ini", 1);
        for (const char* program : {"net ", "reg ", "regedit "}) (void)p.shell.winExec(program + std::string(parts[3]), 0);
    } catch (const std::runtime_error&) {
        // A machine.ini whose drive leads out or onto the machine's own files: refused.
    }
    if (!fs::is_empty(outside) || fs::exists(base() / "elsewhere")) std::abort();
    return 0;
}
