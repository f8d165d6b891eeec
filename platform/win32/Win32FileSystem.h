#pragma once
// Files and drives through the wide API (GetFileAttributesW, FindFirstFileW, GetDriveTypeW,
// GetVolumeInformationW, GetDiskFreeSpaceExW ...); paths and names cross as UTF-8.
#include "platform/FileSystem.h"

namespace hastelyn::win32 {

class Win32FileSystem final : public platform::FileSystem {
public:
    std::uint32_t getFileAttributes(std::string_view path) override;
    platform::CallResult setFileAttributes(std::string_view path, std::uint32_t attributes) override;
    // Entries come in the order Windows lists them.
    platform::CallResult findFiles(std::string_view pattern, std::vector<platform::FindData>& out) override;
    platform::CallResult deleteFile(std::string_view path) override;
    platform::CallResult createNewFile(std::string_view path) override;
    platform::CallResult copyFile(std::string_view from, std::string_view to, bool failIfExists) override;
    platform::CallResult readFile(std::string_view path, std::string& content) override;
    platform::CallResult replaceFile(std::string_view path, std::string_view content) override;
    std::uint32_t getDriveType(std::string_view root) override;
    platform::CallResult getVolumeInformation(std::string_view root, platform::VolumeInfo& out) override;
    platform::CallResult getDiskFreeSpace(std::string_view root, platform::DiskSpace& out) override;
};

}  // namespace hastelyn::win32
