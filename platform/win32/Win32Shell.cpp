#include "platform/win32/Win32Shell.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include "platform/win32/WideText.h"
#include "platform/win32/Win32WindowSystem.h"

namespace hastelyn::win32 {
namespace {

constexpr std::uint32_t kWinExecStarted = 33;
constexpr std::uint32_t kWinExecBadFormat = 11;  // ERROR_BAD_FORMAT, as WinExec gives it

HANDLE handle(platform::ObjectHandle object) {
    return reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(object.value));
}

// CreateProcessW may change the command line it is given, so it gets a copy of its own.
bool startProcess(std::string_view commandLine, STARTUPINFOW& startup, DWORD flags, PROCESS_INFORMATION& process) {
    std::wstring line = widen(commandLine);
    line.push_back(L'\0');
    return CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &startup, &process) !=
           FALSE;
}

}  // namespace

std::uint32_t Win32Shell::winExec(std::string_view commandLine, int showCommand) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCommand);
    PROCESS_INFORMATION process{};
    if (!startProcess(commandLine, startup, 0, process)) {
        switch (GetLastError()) {
            case ERROR_FILE_NOT_FOUND: return ERROR_FILE_NOT_FOUND;
            case ERROR_PATH_NOT_FOUND: return ERROR_PATH_NOT_FOUND;
            case ERROR_BAD_EXE_FORMAT: return kWinExecBadFormat;
            default: return 0;
        }
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return kWinExecStarted;
}

std::intptr_t Win32Shell::shellExecute(std::string_view verb, std::string_view file, std::string_view parameters,
                                       std::string_view directory, int showCommand) {
    // Some verbs are carried out by shell extensions, which need COM on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const std::wstring wideVerb = widen(verb);
    const std::wstring wideFile = widen(file);
    const std::wstring wideParameters = widen(parameters);
    const std::wstring wideDirectory = widen(directory);
    const HWND owner = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(windows_.ownerWindow().value));
    const HINSTANCE result = ShellExecuteW(owner, orNull(wideVerb), wideFile.c_str(), orNull(wideParameters),
                                           orNull(wideDirectory), showCommand);
    if (SUCCEEDED(com)) CoUninitialize();
    return reinterpret_cast<std::intptr_t>(result);
}

long Win32Shell::createProcess(std::string_view commandLine, platform::ObjectHandle& out) {
    out = {};
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    // Standard handles are passed only to a child that inherits handles, which this one does not.
    startup.dwFlags &= ~static_cast<DWORD>(STARTF_USESTDHANDLES);
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nullptr;
    PROCESS_INFORMATION process{};
    if (!startProcess(commandLine, startup, CREATE_DEFAULT_ERROR_MODE, process))
        return static_cast<long>(GetLastError());
    CloseHandle(process.hThread);
    out.value = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(process.hProcess));
    return ERROR_SUCCESS;
}

std::uint32_t Win32Shell::waitForSingleObject(platform::ObjectHandle process, std::uint32_t milliseconds) {
    return WaitForSingleObject(handle(process), milliseconds);
}

bool Win32Shell::closeProcess(platform::ObjectHandle process) { return CloseHandle(handle(process)) != FALSE; }

void Win32Shell::sleep(std::uint32_t milliseconds) { Sleep(milliseconds); }

bool Win32Shell::enableShutdownPrivilege() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return false;
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool enabled = false;
    if (LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
        // Success also when the privilege is not held; only then does the error say so.
        enabled = AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
                  GetLastError() == ERROR_SUCCESS;
    }
    CloseHandle(token);
    return enabled;
}

bool Win32Shell::exitWindows(std::uint32_t flags) { return ExitWindowsEx(flags, 0) != FALSE; }

}  // namespace hastelyn::win32
