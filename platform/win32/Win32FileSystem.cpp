#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

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
