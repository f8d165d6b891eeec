#include "tests/win32/Win32TestSupport.h"

#include <windows.h>
#include <shlwapi.h>

#include <atomic>
#include <stdexcept>
#include <vector>

#include "platform/win32/WideText.h"

namespace hastelyn::win32test {

using win32::narrow;
using win32::widen;

bool runningUnderWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

namespace {

void removeTreeWide(const std::wstring& folder) {
    WIN32_FIND_DATAW data{};
    const HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + L"\\" + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
                removeTreeWide(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    SetFileAttributesW(folder.c_str(), FILE_ATTRIBUTE_DIRECTORY);
    RemoveDirectoryW(folder.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder(std::string_view tag) {
    static std::atomic<unsigned> counter{0};
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, temp);
    if (length == 0 || length > MAX_PATH) throw std::runtime_error("no temporary folder");
    std::wstring base(temp, length);
    if (!base.empty() && base.back() == L'\\') base.pop_back();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::wstring candidate = base + L"\\" + widen(tag) + L" " + std::to_wstring(GetCurrentProcessId()) +
                                       L"-" + std::to_wstring(counter++);
        if (CreateDirectoryW(candidate.c_str(), nullptr)) {
            path_ = narrow(candidate);
            return;
        }
    }
    throw std::runtime_error("cannot make a scratch folder");
}

ScratchFolder::~ScratchFolder() { removeTree(path_); }

ScratchKey::ScratchKey(std::string_view tag)
    : path_("Software\\" + std::string(tag) + " " + std::to_string(GetCurrentProcessId())) {
    SHDeleteKeyW(HKEY_CURRENT_USER, widen(path_).c_str());
}

ScratchKey::~ScratchKey() { SHDeleteKeyW(HKEY_CURRENT_USER, widen(path_).c_str()); }

std::optional<std::string> readFileBytes(std::string_view path) {
    const HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string bytes;
    std::vector<char> buffer(65536);
    DWORD read = 0;
    while (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) && read > 0)
        bytes.append(buffer.data(), read);
    CloseHandle(file);
    return bytes;
}

bool writeFileBytes(std::string_view path, std::string_view bytes) {
    const HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != FALSE &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

void removeTree(std::string_view path) { removeTreeWide(widen(path)); }

}  // namespace hastelyn::win32test
