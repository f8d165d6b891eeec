#pragma once
// Files and drives as Windows sees them. Paths are Windows paths ("C:\WINDOWS\inf").
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/CallResult.h"

namespace hastelyn::platform {

// One entry of FindFirstFileA / FindNextFileA.
struct FindData {
    std::string name;  // cFileName, without the folder
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
};

// GetVolumeInformationA.
struct VolumeInfo {
    std::string label;
    std::uint32_t serialNumber = 0;
    std::uint32_t maxComponentLength = 255;
    std::string fileSystem;  // "NTFS", "FAT32", "FAT", "CDFS"
};

// GetDiskFreeSpaceExA.
struct DiskSpace {
    std::uint64_t freeToCaller = 0;
    std::uint64_t total = 0;
    std::uint64_t totalFree = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // GetFileAttributesA: fileattr::Invalid when the path does not exist.
    virtual std::uint32_t getFileAttributes(std::string_view path) = 0;
    // SetFileAttributesA.
    [[nodiscard]] virtual CallResult setFileAttributes(std::string_view path, std::uint32_t attributes) = 0;
    // FindFirstFileA / FindNextFileA / FindClose over a pattern ("C:\dir\*.*", "C:\dir\a*.ini"),
    // every attribute included; "." and ".." are listed for a folder other than a drive root,
    // as Windows does. FileNotFound when nothing matches, PathNotFound when the folder does not
    // exist.
    [[nodiscard]] virtual CallResult findFiles(std::string_view pattern, std::vector<FindData>& out) = 0;
    // DeleteFileA.
    [[nodiscard]] virtual CallResult deleteFile(std::string_view path) = 0;
    // CreateFileW with CREATE_NEW, the handle closed at once: an empty new file, or FileExists
    // when the name is taken. How a process claims the name of a file it makes
    // among others that may pick the same name at the same moment.
    [[nodiscard]] virtual CallResult createNewFile(std::string_view path) = 0;
    // CopyFileA.
    [[nodiscard]] virtual CallResult copyFile(std::string_view from, std::string_view to, bool failIfExists) = 0;
    // The whole content of a file (CreateFileA for reading, ReadFile): Success, or the Windows
    // error (FileNotFound, PathNotFound; AccessDenied for a folder).
    [[nodiscard]] virtual CallResult readFile(std::string_view path, std::string& content) = 0;
    // Replaces the content of a file whole, making the file when it is missing: the new content
    // goes to a new file that then takes the old one's place (MoveFileExA), so that a crash
    // leaves the old content or the new. Success, or the Windows error (PathNotFound for a
    // missing folder; AccessDenied for a folder or a read-only file).
    [[nodiscard]] virtual CallResult replaceFile(std::string_view path, std::string_view content) = 0;

    // GetDriveTypeA on a root such as "C:\" or "C:".
    virtual std::uint32_t getDriveType(std::string_view root) = 0;
    // GetVolumeInformationA on a root "C:\".
    [[nodiscard]] virtual CallResult getVolumeInformation(std::string_view root, VolumeInfo& out) = 0;
    // GetDiskFreeSpaceExA on a root "C:\".
    [[nodiscard]] virtual CallResult getDiskFreeSpace(std::string_view root, DiskSpace& out) = 0;
};

}  // namespace hastelyn::platform
