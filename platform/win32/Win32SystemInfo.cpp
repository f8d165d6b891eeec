#include "platform/win32/Win32SystemInfo.h"

#include <windows.h>

#include <vector>

#include "platform/win32/WideText.h"

namespace hastelyn::win32 {

platform::OsVersion Win32SystemInfo::getVersion() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    platform::OsVersion version;
    if (!GetVersionExW(&info)) return version;
    version.platformId = info.dwPlatformId;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    version.build = info.dwBuildNumber;
    version.csdVersion = narrow(info.szCSDVersion);
    return version;
}

std::string Win32SystemInfo::windowsDirectory() {
    std::vector<wchar_t> buffer(MAX_PATH);
    UINT length = GetWindowsDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = GetWindowsDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
    }
    return narrow(std::wstring_view(buffer.data(), length < buffer.size() ? length : 0));
}

std::string Win32SystemInfo::programPath() {
    // The result is cut (and the error set) when the buffer is too small: grow until it fits.
    for (DWORD capacity = MAX_PATH; capacity <= 32768; capacity *= 2) {
        std::vector<wchar_t> buffer(capacity);
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), capacity);
        if (length == 0) return {};
        if (length < capacity) return narrow(std::wstring_view(buffer.data(), length));
    }
    return {};
}

std::string Win32SystemInfo::currentDirectory() {
    const DWORD needed = GetCurrentDirectoryW(0, nullptr);
    if (needed == 0) return {};
    std::vector<wchar_t> buffer(needed);
    const DWORD length = GetCurrentDirectoryW(needed, buffer.data());
    return narrow(std::wstring_view(buffer.data(), length < needed ? length : 0));
}

std::string Win32SystemInfo::errorText(long code) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (length == 0 || text == nullptr) return "エラー " + std::to_string(code);
    std::wstring_view message(text, length);
    while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' '))
        message.remove_suffix(1);
    std::string result = narrow(message);
    LocalFree(text);
    return result;
}

}  // namespace hastelyn::win32
