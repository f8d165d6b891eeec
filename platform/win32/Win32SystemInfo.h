#pragma once
// The running Windows and the program's place in it (GetVersionExW, GetWindowsDirectoryW,
// GetModuleFileNameW, GetCurrentDirectoryW, FormatMessageW); texts cross as UTF-8.
#include "platform/SystemInfo.h"

namespace hastelyn::win32 {

class Win32SystemInfo final : public platform::SystemInfo {
public:
    // What GetVersionExW says. Windows 8.1 and later tell a program without a compatibility
    // manifest that they are Windows 8 (6.2).
    platform::OsVersion getVersion() override;
    std::string windowsDirectory() override;
    std::string programPath() override;
    std::string currentDirectory() override;
    // The system's text in the user's language, without its closing line break; "エラー N"
    // for a code the system has no text for.
    std::string errorText(long code) override;
};

}  // namespace hastelyn::win32
