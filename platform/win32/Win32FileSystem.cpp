#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32/LastError.h"
#include "platform/win32/WideText.h"

namespace hastelyn::win32 {

std::uint32_t Win32FileSystem::getFileAttributes(std::string_view path) {
    return GetFileAttributesW(widen(path).c_str());
}

platform::CallResult Win32FileSystem::setFileAttributes(std::string_view path, std::uint32_t attributes) {
    return SetFileAttributesW(widen(path).c_str(), attributes) ? platform::CallResult() : lastCallError();
}

platform::CallResult Win32FileSystem::findFiles(std::string_view pattern, std::vector<platform::FindData>& out) {
    out.clear();
    WIN32_FIND_DATAW data{};
    const HANDLE find = FindFirstFileW(widen(pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return lastCallError();
    do {
        platform::FindData entry;
        entry.name = narrow(data.cFileName);
        entry.attributes = data.dwFileAttributes;
        entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        out.push_back(std::move(entry));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return {};
}

platform::CallResult Win32FileSystem::deleteFile(std::string_view path) {
    return DeleteFileW(widen(path).c_str()) ? platform::CallResult() : lastCallError();
}

platform::CallResult Win32FileSystem::createNewFile(std::string_view path) {
    const HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                                    nullptr);
    if (file == INVALID_HANDLE_VALUE) return lastCallError();
    CloseHandle(file);
    return {};
}

platform::CallResult Win32FileSystem::copyFile(std::string_view from, std::string_view to, bool failIfExists) {
    return CopyFileW(widen(from).c_str(), widen(to).c_str(), failIfExists ? TRUE : FALSE) ? platform::CallResult() : lastCallError();
}

platform::CallResult Win32FileSystem::readFile(std::string_view path, std::string& content) {
    content.clear();
    const HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return lastCallError();
    long result = ERROR_SUCCESS;
    char buffer[65536];
    DWORD got = 0;
    while (true) {
        if (!ReadFile(file, buffer, sizeof(buffer), &got, nullptr)) {
            result = static_cast<long>(GetLastError());
            break;
        }
        if (got == 0) break;
        content.append(buffer, got);
    }
    CloseHandle(file);
    if (result != ERROR_SUCCESS) content.clear();
    return platform::CallResult(result);
}

platform::CallResult Win32FileSystem::replaceFile(std::string_view path, std::string_view content) {
    const std::wstring target = widen(path);
    // MoveFileExW would put the new file in the place of a read-only one on some systems; the
    // attribute protects the file as it protects it from being opened for writing.
    const DWORD existing = GetFileAttributesW(target.c_str());
    if (existing != INVALID_FILE_ATTRIBUTES &&
        (existing & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return platform::CallResult(ERROR_ACCESS_DENIED);
    const std::wstring temporary = target + L".new~";
    const HANDLE file =
        CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return lastCallError();
    long result = ERROR_SUCCESS;
    while (!content.empty() && result == ERROR_SUCCESS) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(content.size(), 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, content.data(), chunk, &written, nullptr)) {
            result = static_cast<long>(GetLastError());
        } else if (written == 0) {
            result = ERROR_WRITE_FAULT;
        } else {
            content.remove_prefix(written);
        }
    }
    if (!FlushFileBuffers(file) && result == ERROR_SUCCESS) result = static_cast<long>(GetLastError());
    CloseHandle(file);
    if (result == ERROR_SUCCESS &&
        !MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        result = static_cast<long>(GetLastError());
    // The new file goes when it could not take the old one's place; its own failure changes
    // nothing of the answer.
    if (result != ERROR_SUCCESS) (void)DeleteFileW(temporary.c_str());
    return platform::CallResult(result);
}

std::uint32_t Win32FileSystem::getDriveType(std::string_view root) {
    return GetDriveTypeW(orNull(widen(root)));
}

platform::CallResult Win32FileSystem::getVolumeInformation(std::string_view root, platform::VolumeInfo& out) {
    wchar_t label[MAX_PATH + 1] = {};
    wchar_t fileSystem[MAX_PATH + 1] = {};
    DWORD serial = 0;
    DWORD maxComponent = 0;
    DWORD flags = 0;
    if (!GetVolumeInformationW(orNull(widen(root)), label, MAX_PATH + 1, &serial, &maxComponent, &flags, fileSystem,
                               MAX_PATH + 1))
        return lastCallError();
    out.label = narrow(label);
    out.serialNumber = serial;
    out.maxComponentLength = maxComponent;
    out.fileSystem = narrow(fileSystem);
    return {};
}

platform::CallResult Win32FileSystem::getDiskFreeSpace(std::string_view root, platform::DiskSpace& out) {
    ULARGE_INTEGER freeToCaller{};
    ULARGE_INTEGER total{};
    ULARGE_INTEGER totalFree{};
    if (!GetDiskFreeSpaceExW(orNull(widen(root)), &freeToCaller, &total, &totalFree)) return lastCallError();
    out.freeToCaller = freeToCaller.QuadPart;
    out.total = total.QuadPart;
    out.totalFree = totalFree.QuadPart;
    return {};
}

}  // namespace hastelyn::win32
