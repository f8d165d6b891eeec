#pragma once
// Facts about the running Windows and the program's own place in it.
#include <cstdint>
#include <string>

namespace hastelyn::platform {

// GetVersionExA with the basic OSVERSIONINFOA structure.
struct OsVersion {
    std::uint32_t platformId = 0;  // 1 Windows 95 family, 2 NT family
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    std::string csdVersion;  // "Service Pack 2"
};

class SystemInfo {
public:
    virtual ~SystemInfo() = default;

    virtual OsVersion getVersion() = 0;
    // GetWindowsDirectoryA.
    virtual std::string windowsDirectory() = 0;
    // GetModuleFileNameA of the program itself.
    virtual std::string programPath() = 0;
    // GetCurrentDirectoryA.
    virtual std::string currentDirectory() = 0;
    // FormatMessageA for a Windows error code: the system's text for it.
    virtual std::string errorText(long code) = 0;
};

}  // namespace hastelyn::platform
