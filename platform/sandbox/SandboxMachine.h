#pragma once
// One simulated Windows machine in a folder (README.md beside this file): its facts from
// machine.ini, its drives and how Windows paths land in their host folders, the file
// attributes Windows keeps, the journal of what was started, and the last-error slot that the
// file and profile functions share.
//
// Not thread-safe: one platform per thread, as the program uses it.
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/SystemInfo.h"
#include "platform/sandbox/AttributeStore.h"
#include "platform/sandbox/ProfileDocument.h"

namespace hastelyn::sandbox {

// The machine folder of this process: the folder the environment variable HASTELYN_MACHINE
// names when it is set (named; empty when the variable is set but empty), otherwise "machine"
// beside the running executable.
struct MachineLocation {
    std::filesystem::path folder;
    bool named = false;
};
MachineLocation locateMachineFolder();

struct Drive {
    char letter = 'C';
    std::uint32_t type = 0;  // drivetype::*
    std::string fileSystem;  // "NTFS", "FAT32", "CDFS"
    // Where its files live; nothing for a drive without a medium.
    std::optional<std::filesystem::path> hostFolder;
    std::string label;
    std::uint32_t serialNumber = 0;
    // Sizes from [DriveSpace]; nothing means the host folder's real file system.
    std::optional<std::uint64_t> totalBytes;
    std::optional<std::uint64_t> freeBytes;
};

// A Windows path and the host path it stands for.
struct MappedPath {
    std::filesystem::path host;
    // The full Windows path, "C:\WINDOWS\win.ini", each existing part spelled as on disk.
    std::string windows;
    char drive = 'C';
    bool root = false;  // the root folder of the drive
    // The path named its drive and root, and every part exists as written: while that holds,
    // the same Windows path maps the same way again.
    bool asWritten = false;
};

class SandboxMachine {
public:
    // Reads folder/machine.ini; throws std::runtime_error naming the folder when it has none,
    // and naming the drive when a drive's host folder lies outside the machine folder (an
    // absolute path, one that climbs out with "..", or a link that leads out) or is, holds or
    // lies in the machine's own files ("." or "registry", say).
    // Anything else machine.ini lacks or garbles takes its default: Windows XP SP2 (NT 5.1.2600),
    // C:\WINDOWS, an administrator account, the program at
    // C:\Program Files\Hastelyn\Hastelyn.exe, and drive C: in drives/C when no drive is named.
    explicit SandboxMachine(std::filesystem::path folder);

    const std::filesystem::path& folder() const { return folder_; }
    const platform::OsVersion& version() const { return version_; }
    const std::string& windowsDirectory() const { return windowsDirectory_; }
    const std::string& programPath() const { return programPath_; }
    bool restrictedAccount() const { return restricted_; }
    const std::vector<Drive>& drives() const { return drives_; }
    // The drive of a letter (either case), or null.
    const Drive* drive(char letter) const;
    // A value of machine.ini as written (comment after it and blanks around it removed).
    std::optional<std::string> setting(std::string_view section, std::string_view key) const;
    // A setting that is a decimal number of 32 bits; fallback when it is missing or not one.
    std::uint32_t settingNumber(std::string_view section, std::string_view key, std::uint32_t fallback = 0) const;
    // A setting that lists names separated by commas, each without the blanks around it; empty
    // names left out.
    std::vector<std::string> settingList(std::string_view section, std::string_view key) const;

    // The Windows path of the process's current folder when that lies on a drive, else
    // [System] CurrentDirectory, else the program's folder.
    std::string currentDirectory() const;

    // Maps "X:\a\b" ("x:/a//b", relative paths against the current directory) onto the host.
    // Each part is found case-insensitively among what exists; parts that do not exist are kept
    // as given. ".." stops at the root, as on Windows. Nothing (and *error set) for an unknown
    // drive, a drive without a medium, a network path (PathNotFound) or a character Windows
    // does not allow in names (InvalidName).
    std::optional<MappedPath> mapPath(std::string_view windowsPath, long* error = nullptr) const;
    // mapPath for a path about to be written or deleted: a path that leads off the drives
    // through a symbolic link (out of the machine folder, or into its hives, machine.ini and
    // the other files of the machine) gives AccessDenied.
    std::optional<MappedPath> mapPathForWrite(std::string_view windowsPath, long* error = nullptr) const;
    // True when the host path, its symbolic links followed, lies in the machine folder.
    bool insideMachine(const std::filesystem::path& hostPath) const;
    // True when the host path, its symbolic links followed, lies in the folder of a drive.
    bool onADrive(const std::filesystem::path& hostPath) const;

    // The Windows path of a host path on one of the drives.
    std::optional<std::string> windowsPathOf(const std::filesystem::path& hostPath) const;

    // Appends one line to journal.log: kind and fields separated by tabs (tabs and line breaks
    // inside a field become spaces).
    bool journal(std::string_view kind, std::initializer_list<std::string_view> fields);
    std::filesystem::path journalPath() const { return folder_ / "journal.log"; }
    // Removes what processes that ended left of their writes: the temporary files in the
    // machine folder, registry/, windows/ and every folder of the drives (removeDeadTempFiles).
    // Those of running processes stay.
    void removeLeftoverTempFiles() const;

    AttributeStore& attributes() { return attributes_; }

    // Gives a drive named in [Drives] another file system, in machine.ini and for this process
    // (what "convert" does). False for a drive machine.ini does not name or a machine.ini that
    // cannot be written.
    [[nodiscard]] bool setDriveFileSystem(char letter, std::string_view fileSystem);

    long lastError() const { return lastError_; }
    void setLastError(long code) { lastError_ = code; }

private:
    void readDrives();
    // The host folder a drive's line names, relative to the machine folder; throws when it lies
    // outside.
    std::filesystem::path hostFolderOf(char letter, std::string_view field) const;

    std::filesystem::path folder_;
    std::filesystem::path canonicalFolder_;
    ProfileDocument ini_;
    platform::OsVersion version_;
    std::string windowsDirectory_;
    std::string programPath_;
    bool restricted_ = false;
    std::vector<Drive> drives_;
    std::vector<std::filesystem::path> canonicalHosts_;  // per drive, empty without a medium
    AttributeStore attributes_;
    long lastError_ = 0;
};

}  // namespace hastelyn::sandbox
