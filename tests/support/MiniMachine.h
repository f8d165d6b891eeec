#pragma once
// A small sandbox machine (platform/sandbox/README.md) made from a short description, for tests:
//
//   hastelyn::testing::TempFolder temp;
//   hastelyn::testing::MiniMachine m;
//   m.edition("98").restrictedAccount()
//    .file("C:\\WINDOWS\\win.ini", "[windows]\r\nrun=\r\n")
//    .file("C:\\boot.ini", "[boot loader]\r\n", 0x27)
//    .hive(hastelyn::platform::RootKey::LocalMachine, {"[HKEY_LOCAL_MACHINE\\Software\\A]", "\"x\"=dword:00000001"});
//   m.writeTo(temp.path());
//
// By default it is Windows XP SP2 with one NTFS drive C: in drives/C, an administrator account,
// and the Windows folder and the program's folder present.
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Registry.h"

namespace hastelyn::testing {

struct MiniMachine {
    struct Drive {
        char letter = 'C';
        std::string type = "Fixed";  // Removable, Fixed, Remote, CdRom, RamDisk
        std::string fileSystem = "NTFS";
        std::string hostFolder;  // relative to the machine folder; empty: drives/<letter>
        bool medium = true;      // false: no host folder at all
        std::string label = "SYSTEM";
        std::string serial = "1C2D3E4F";
        std::optional<std::pair<std::uint64_t, std::uint64_t>> space;  // total, free
    };

    std::uint32_t platformId = 2;
    std::uint32_t major = 5;
    std::uint32_t minor = 1;
    std::uint32_t build = 2600;
    std::string csdVersion = "Service Pack 2";
    std::string windowsFolder = "C:\\WINDOWS";
    bool restricted = false;
    std::string programPath = "C:\\Program Files\\Hastelyn\\Hastelyn.exe";
    std::string currentDirectory;  // empty: no CurrentDirectory line
    std::vector<Drive> drives{Drive{}};
    std::string extraIni;                    // appended to machine.ini as it is
    std::optional<std::string> machineIni;   // replaces the whole machine.ini
    std::optional<std::string> meters;       // meters.ini: scripted meters (platform/sandbox/MeterScript.h)

    // Version and Windows folder of an edition: "95", "98", "me", "nt4", "2000", "xp", "2003",
    // "vista".
    MiniMachine& edition(std::string_view name);
    MiniMachine& restrictedAccount(bool on = true);
    // Adds a drive, or replaces the one with the same letter. The short forms make one with its
    // host folder in drives/<letter>, or without a medium.
    MiniMachine& drive(Drive d);
    MiniMachine& drive(char letter, std::string type, std::string fileSystem, std::string label = "",
                       std::string serial = "0");
    MiniMachine& driveWithoutMedium(char letter, std::string type = "CdRom", std::string fileSystem = "CDFS");
    // Changes a drive added before: its host folder (relative to the machine folder), its sizes.
    MiniMachine& driveFolder(char letter, std::string hostFolder);
    MiniMachine& driveSpace(char letter, std::uint64_t total, std::uint64_t free);
    // A file at a Windows path (folders made as needed), with attribute bits when not zero.
    MiniMachine& file(std::string windowsPath, std::string content, std::uint32_t attributes = 0);
    MiniMachine& folder(std::string windowsPath, std::uint32_t attributes = 0);
    // Lines of a hive (after the regedit header line, which is written for you).
    MiniMachine& hive(platform::RootKey root, std::initializer_list<std::string_view> lines);
    MiniMachine& hive(platform::RootKey root, std::string_view text);
    // A service: a key under HKLM\SYSTEM\CurrentControlSet\Services with its DisplayName (quotes
    // allowed), Start (none when nullopt) and ObjectName.
    MiniMachine& service(std::string_view keyName, std::string_view displayName, std::optional<std::uint32_t> start,
                         std::string_view objectName = "LocalSystem");
    // An entry of machine.ini's [Shell] section (Missing, ProcessMilliseconds, RegSvr32DelayMs,
    // OpenOnHost). OpenOnHost is "No" unless set here: no test opens a browser by chance.
    MiniMachine& shell(std::string key, std::string value);

    // Writes the machine into folder (made when missing) and returns folder.
    std::filesystem::path writeTo(const std::filesystem::path& folder) const;
    // Where a Windows path of this machine lies under folder, spelled as given.
    std::filesystem::path hostPath(const std::filesystem::path& folder, std::string_view windowsPath) const;

private:
    Drive& driveOf(char letter);

    struct Entry {
        std::string windowsPath;
        std::optional<std::string> content;  // nothing: a folder
        std::uint32_t attributes = 0;
    };
    std::vector<Entry> entries_;
    std::map<platform::RootKey, std::string> hives_;
    std::vector<std::pair<std::string, std::string>> shellSettings_;
};

// Puts key=value into the [Shell] section of a machine's machine.ini (made when missing): a
// second [Shell] section would not count, as on Windows the first of two sections is read.
void addShellSetting(const std::filesystem::path& machineFolder, std::string_view key, std::string_view value);
// Makes a machine built from an image say OpenOnHost=No, as MiniMachine's do: its shell opens
// are journaled and nothing is opened on this computer.
void keepShellOpensInside(const std::filesystem::path& machineFolder);

}  // namespace hastelyn::testing
