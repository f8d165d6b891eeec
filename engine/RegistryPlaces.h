#pragma once
// Registry keys and texts that rows of several categories use.
#include <string_view>

namespace hastelyn::engine {

// HKEY_CURRENT_USER: the shell's policy values and the desktop settings.
inline constexpr std::string_view kPolicyKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline constexpr std::string_view kDesktopKey = "\\Control Panel\\Desktop";
// HKEY_LOCAL_MACHINE: the memory manager's values.
inline constexpr std::string_view kMemoryKey =
    "\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";

// The status name of a stopped service, as shown and stored.
inline constexpr std::string_view kStopped = "停止中";

}  // namespace hastelyn::engine
