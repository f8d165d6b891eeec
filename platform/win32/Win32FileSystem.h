#pragma once
// Files and drives through the wide API (GetFileAttributesW, FindFirstFileW, GetDriveTypeW,
// GetVolumeInformationW, GetDiskFreeSpaceExW ...); paths and names cross as UTF-8.
#include "platform/FileSystem.h"
#include "platform/win32/LastError.h"

namespace hastelyn::win32 {

class Win32FileSystem final : public platform::FileSystem {
public:
    explicit Win32FileSystem(LastError& lastError) : lastError_(lastError) {}

    std::uint32_t getFileAttributes(std::string_view path) override;
    bool setFileAttributes(std::string_view path, std::uint32_t attributes) override;
    // Entries come in the order Windows lists them.
    bool findFiles(std::string_view pattern, std::vector<platform::FindData>& out) override;
    bool deleteFile(std::string_view path) override;
    bool createNewFile(std::string_view path) override;
    bool copyFile(std::string_view from, std::string_view to, bool failIfExists) override;
    std::uint32_t getDriveType(std::string_view root) override;
    bool getVolumeInformation(std::string_view root, platform::VolumeInfo& out) override;
    bool getDiskFreeSpace(std::string_view root, platform::DiskSpace& out) override;
    long lastError() override { return lastError_.code; }

private:
    bool fail();

    LastError& lastError_;
};

}  // namespace hastelyn::win32
