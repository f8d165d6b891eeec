#pragma once
// Registry keys and texts that rows of several categories use.
#include <string>
#include <string_view>

namespace hastelyn::engine {

// HKEY_CURRENT_USER: the shell's policy values and the desktop settings.
inline constexpr std::string_view kPolicyKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline constexpr std::string_view kDesktopKey = "\\Control Panel\\Desktop";
// Either root: the shell's own settings.
inline constexpr std::string_view kExplorerKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
// HKEY_LOCAL_MACHINE: the memory manager's values.
inline constexpr std::string_view kMemoryKey =
    "\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
// HKEY_LOCAL_MACHINE: the browser's extensions, among them the messenger button, which is switched
// off by renaming its key aside (a leading semicolon).
inline constexpr std::string_view kBrowserExtensionsKey = "\\SOFTWARE\\Microsoft\\Internet Explorer\\Extensions";
inline constexpr std::string_view kMessengerButton = "{FB5F1910-F110-11d2-BB9E-00C04F795683}";
inline constexpr std::string_view kMessengerButtonAside = ";{FB5F1910-F110-11d2-BB9E-00C04F795683}";

// The error of a row whose file was not found at start ("[システム]9", "[起動・終了]5", ...).
inline std::string fileNotFoundText(std::string_view row) {
    return std::string(row) +
           " 設定対象ファイルの検出に失敗しました。\r\n[環境設定]から正しいファイルパスを設定することができます。";
}

}  // namespace hastelyn::engine
