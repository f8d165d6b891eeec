#pragma once
// Files and drives of the sandbox machine. File attributes live in attributes.ini (the host
// has no place for them); the sandbox enforces the read-only one itself, since the program may
// run as root.
//
// Where this differs from Windows: folders are listed sorted case-insensitively (as NTFS does)
// on every file system; short (8.3) names are not matched by patterns.
#include <filesystem>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Win32Types.h"
#include "platform/sandbox/SandboxMachine.h"

namespace hastelyn::sandbox {

// A drive without a medium.
inline constexpr long kErrorNotReady = platform::win32error::NotReady;

class SandboxFileSystem final : public platform::FileSystem {
public:
    explicit SandboxFileSystem(SandboxMachine& machine);
    ~SandboxFileSystem() override;
    SandboxFileSystem(const SandboxFileSystem&) = delete;
    SandboxFileSystem& operator=(const SandboxFileSystem&) = delete;

    std::uint32_t getFileAttributes(std::string_view path) override;
    platform::CallResult setFileAttributes(std::string_view path, std::uint32_t attributes) override;
    platform::CallResult findFiles(std::string_view pattern, std::vector<platform::FindData>& out) override;
    platform::CallResult deleteFile(std::string_view path) override;
    platform::CallResult createNewFile(std::string_view path) override;
    platform::CallResult copyFile(std::string_view from, std::string_view to, bool failIfExists) override;
    platform::CallResult readFile(std::string_view path, std::string& content) override;
    platform::CallResult replaceFile(std::string_view path, std::string_view content) override;
    std::uint32_t getDriveType(std::string_view root) override;
    platform::CallResult getVolumeInformation(std::string_view root, platform::VolumeInfo& out) override;
    platform::CallResult getDiskFreeSpace(std::string_view root, platform::DiskSpace& out) override;

private:
    // The attributes of an existing file or folder.
    std::uint32_t attributesOf(const MappedPath& mapped, bool directory);
    // The drive a root names ("C:\", "C:", "c:/"), or null.
    const Drive* driveOfRoot(std::string_view root) const;
    // A drive that has its medium, or null with the error.
    const Drive* readyDrive(std::string_view root, long& error) const;

    SandboxMachine& machine_;
    // The notes of the names this process claimed (createNewFile), removed when it is done.
    std::vector<std::filesystem::path> claimNotes_;
    long claimOwner_;
};

}  // namespace hastelyn::sandbox
