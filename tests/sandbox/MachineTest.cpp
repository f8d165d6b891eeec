#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/Win32Types.h"
#include "platform/sandbox/SandboxMachine.h"
#include "tests/support/FileText.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/TempFolder.h"

namespace hastelyn::sandbox {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using testing::MiniMachine;
using testing::TempFolder;
namespace win32error = platform::win32error;
namespace drivetype = platform::drivetype;

// Runs a piece of a test with the process in another current folder.
class CurrentFolder {
public:
    explicit CurrentFolder(const fs::path& folder) : saved_(fs::current_path()) { fs::current_path(folder); }
    ~CurrentFolder() { fs::current_path(saved_); }

private:
    fs::path saved_;
};

// What opening a machine folder raises; empty when the machine opens.
std::string openError(const fs::path& folder) {
    try {
        const SandboxMachine machine(folder);
        return std::string();
    } catch (const std::runtime_error& e) {
        return std::string(e.what());
    }
}

TEST(Machine, ReadsItsFactsTakesDefaultsForWhatIsMissingOrGarbledAndJournals) {
    TempFolder temp;
    MiniMachine m;
    m.edition("98").restrictedAccount();
    m.writeTo(temp.path());
    SandboxMachine machine(temp.path());
    EXPECT_EQ(machine.version().platformId, 1u);
    EXPECT_EQ(machine.version().major, 4u);
    EXPECT_EQ(machine.version().minor, 10u);
    EXPECT_EQ(machine.version().build, 2222u);
    EXPECT_EQ(machine.version().csdVersion, " A ");
    EXPECT_EQ(machine.windowsDirectory(), "C:\\WINDOWS");
    EXPECT_TRUE(machine.restrictedAccount());
    // Its journal gets one tab-separated line per event.
    EXPECT_TRUE(machine.journal("WinExec", {"1", "net stop \"Security Center\""}));
    EXPECT_TRUE(machine.journal("Odd", {"tab\there", "line\r\nbreak", std::string_view("nul\0cut", 7)}));
    EXPECT_EQ(testing::fileText(machine.journalPath()),
              "WinExec\t1\tnet stop \"Security Center\"\n"
              "Odd\ttab here\tline  break\tnul\n");

    TempFolder garbled;
    MiniMachine g;
    g.machineIni = "\xFE\xFF\x00junk\n[Version]\nMajor=4   ; NT 4.0\nMinor=abc\nBuild=99999999999999\n"
                   "[System]\nAccount=Somebody\nWindowsFolder=\n[Drives]\nCC=Fixed\n1=Fixed\n"s;
    g.writeTo(garbled.path());
    const SandboxMachine fallback(garbled.path());
    EXPECT_EQ(fallback.version().platformId, 2u);
    EXPECT_EQ(fallback.version().major, 4u);  // the comment after the value does not count
    EXPECT_EQ(fallback.version().minor, 1u);
    EXPECT_EQ(fallback.version().build, 2600u);
    EXPECT_EQ(fallback.version().csdVersion, "Service Pack 2");
    EXPECT_EQ(fallback.windowsDirectory(), "C:\\WINDOWS");
    EXPECT_EQ(fallback.programPath(), "C:\\Program Files\\Hastelyn\\Hastelyn.exe");
    EXPECT_FALSE(fallback.restrictedAccount());
    ASSERT_EQ(fallback.drives().size(), 1u);  // no valid drive named: C: in drives/C
    EXPECT_EQ(fallback.drives()[0].letter, 'C');
    EXPECT_EQ(fallback.drives()[0].type, drivetype::Fixed);
    EXPECT_EQ(fallback.drives()[0].hostFolder, garbled.path() / "drives" / "C");
}

// A folder without machine.ini is refused by its name. A drive's host folder lies in the machine
// folder, away from the machine's own files: one that is absolute, climbs out with "..", is a
// link leading out, or is, holds or lies in registry/, machine.ini and the like is refused by
// naming the drive.
TEST(Machine, FoldersWithoutMachineIniAndDriveFoldersOutsideTheMachineAreRefused) {
    TempFolder outside;
    for (const fs::path& folder : {outside.path(), outside.path() / "nowhere"})
        EXPECT_NE(openError(folder).find(folder.string()), std::string::npos) << folder;
    for (const std::string& host : {outside.path().string(), "../elsewhere"s, "drives/../../elsewhere"s}) {
        TempFolder temp;
        MiniMachine m;
        m.drive('D', "Fixed", "NTFS").driveFolder('D', host);
        m.machineIni = "[Drives]\nC=Fixed,NTFS,drives/C\nD=Fixed,NTFS," + host + "\n";
        m.writeTo(temp.path() / "machine");
        const std::string error = openError(temp.path() / "machine");
        EXPECT_NE(error.find("drive D"), std::string::npos) << host << ": " << error;
    }

    TempFolder linked;
    MiniMachine m;
    m.writeTo(linked.path());
    fs::create_directory_symlink(outside.path(), linked.path() / "drives" / "E");
    m.machineIni = "[Drives]\nC=Fixed,NTFS,drives/C\nE=Fixed,NTFS,drives/E\n";
    m.writeTo(linked.path());
    EXPECT_NE(openError(linked.path()).find("drive E"), std::string::npos);

    // Nor may it be, hold or lie in the machine's own files, by any spelling or link.
    fs::create_directory_symlink(linked.path() / "registry", linked.path() / "drives" / "R");
    for (const std::string& host : {"."s, "drives/.."s, "registry"s, "Registry/sub"s, "windows"s, "locks"s,
                                   "machine.ini"s, ".hidden"s, "drives/R"s}) {
        m.machineIni = "[Drives]\nC=Fixed,NTFS,drives/C\nE=Fixed,NTFS," + host + "\n";
        m.writeTo(linked.path());
        EXPECT_NE(openError(linked.path()).find("drive E: \"" + host + "\" is, holds or lies in the machine's own"),
                  std::string::npos)
            << host;
    }
    // Inside, by any spelling, is fine.
    m.machineIni = "[Drives]\nC=Fixed,NTFS,./drives/x/../C\nE=Fixed,NTFS,registry-copy\n";
    m.writeTo(linked.path());
    EXPECT_EQ(openError(linked.path()), "");
}

class PathMapping : public ::testing::Test {
protected:
    void SetUp() override {
        m_.file("C:\\WINDOWS\\System32\\Drivers\\etc\\hosts", "127.0.0.1 localhost\r\n");
        m_.file("C:\\boot.ini", "[boot loader]\r\n");
        m_.currentDirectory = "C:\\WINDOWS";
        m_.driveWithoutMedium('D');
        m_.writeTo(temp_.path());
        machine_ = std::make_unique<SandboxMachine>(temp_.path());
        drive_ = temp_.path() / "drives" / "C";
    }

    std::optional<MappedPath> map(std::string_view path, long* error = nullptr) {
        return machine_->mapPath(path, error);
    }

    TempFolder temp_;
    MiniMachine m_;
    std::unique_ptr<SandboxMachine> machine_;
    fs::path drive_;
};

TEST_F(PathMapping, FindsEachPartCaseInsensitivelyWithEitherSlashAndBack) {
    const auto hosts = map("c:/windows//system32\\DRIVERS/Etc\\\\HOSTS");
    ASSERT_TRUE(hosts);
    EXPECT_EQ(hosts->host, drive_ / "WINDOWS" / "System32" / "Drivers" / "etc" / "hosts");
    EXPECT_EQ(hosts->windows, "C:\\WINDOWS\\System32\\Drivers\\etc\\hosts");
    EXPECT_FALSE(hosts->root);

    // What does not exist yet keeps the spelling given, so a new file gets it.
    const auto fresh = map("C:\\windows\\NewFolder\\New.TXT");
    ASSERT_TRUE(fresh);
    EXPECT_EQ(fresh->host, drive_ / "WINDOWS" / "NewFolder" / "New.TXT");
    EXPECT_EQ(fresh->windows, "C:\\WINDOWS\\NewFolder\\New.TXT");

    const auto root = map("C:\\");
    ASSERT_TRUE(root);
    EXPECT_TRUE(root->root);
    EXPECT_EQ(root->windows, "C:\\");
    EXPECT_EQ(root->host, drive_);

    // Windows drops dots and spaces at the end of the last part.
    EXPECT_EQ(map("C:\\BOOT.INI. .")->windows, "C:\\boot.ini");

    // Host paths map back; those outside the drives map to nothing.
    EXPECT_EQ(machine_->windowsPathOf(drive_ / "WINDOWS" / "System32"), "C:\\WINDOWS\\System32");
    EXPECT_EQ(machine_->windowsPathOf(drive_), "C:\\");
    EXPECT_EQ(machine_->windowsPathOf(drive_ / "WINDOWS" / ".." / "boot.ini"), "C:\\boot.ini");
    EXPECT_FALSE(machine_->windowsPathOf(temp_.path() / "machine.ini"));
    EXPECT_FALSE(machine_->windowsPathOf("/etc/passwd"));
}

TEST_F(PathMapping, DotDotStopsAtTheRootAndNeverLeavesTheDrive) {
    const auto up = map("C:\\..\\..\\..\\..\\etc\\passwd");
    ASSERT_TRUE(up);
    EXPECT_EQ(up->windows, "C:\\etc\\passwd");
    EXPECT_EQ(up->host, drive_ / "etc" / "passwd");
    EXPECT_EQ(map("C:\\WINDOWS\\System32\\..\\..\\boot.ini")->windows, "C:\\boot.ini");
    EXPECT_EQ(map("C:/WINDOWS/./System32/.")->windows, "C:\\WINDOWS\\System32");
    for (const char* path : {"C:\\..", "..\\..\\..\\..", "C:..\\..\\..\\x", "\\..\\..\\x", "C:\\a\\..\\..\\..\\b"}) {
        const auto mapped = map(path);
        ASSERT_TRUE(mapped) << path;
        const fs::path relative = mapped->host.lexically_normal().lexically_relative(drive_);
        EXPECT_FALSE(relative.empty() || *relative.begin() == "..") << path << " -> " << mapped->host;
    }
}

TEST_F(PathMapping, UnknownDrivesMissingMediaNetworkPathsAndBadNamesMapToNothing) {
    const std::pair<const char*, long> cases[] = {
        {"Q:\\x", win32error::PathNotFound},       {"D:\\setup.exe", win32error::PathNotFound},
        {"\\\\server\\share\\file", win32error::PathNotFound}, {"", win32error::PathNotFound},
        {"C:\\a|b", win32error::InvalidName},      {"C:\\x\\a:b", win32error::InvalidName},
        {"C:\\what?", win32error::InvalidName},    {"C:\\star*", win32error::InvalidName},
        {"C:\\tab\there", win32error::InvalidName}, {"C:\\<x>", win32error::InvalidName},
    };
    for (const auto& [path, expected] : cases) {
        long error = 0;
        EXPECT_FALSE(map(path, &error)) << path;
        EXPECT_EQ(error, expected) << path;
    }
}

TEST_F(PathMapping, RelativePathsFollowTheCurrentDirectory) {
    // The process's folder lies on no drive: [System] CurrentDirectory counts.
    EXPECT_EQ(machine_->currentDirectory(), "C:\\WINDOWS");
    EXPECT_EQ(map("system32\\drivers\\ETC\\hosts")->windows, "C:\\WINDOWS\\System32\\Drivers\\etc\\hosts");
    EXPECT_EQ(map("..\\boot.ini")->windows, "C:\\boot.ini");
    EXPECT_EQ(map("\\boot.ini")->windows, "C:\\boot.ini");
    EXPECT_EQ(map("C:win.ini")->windows, "C:\\WINDOWS\\win.ini");

    {
        // Inside a drive's folder, the process's own folder is the current directory.
        CurrentFolder inside(drive_ / "WINDOWS" / "System32");
        EXPECT_EQ(machine_->currentDirectory(), "C:\\WINDOWS\\System32");
        EXPECT_EQ(map("drivers\\etc")->windows, "C:\\WINDOWS\\System32\\Drivers\\etc");
    }

    // Without CurrentDirectory, the program's folder.
    TempFolder other;
    MiniMachine plain;
    plain.writeTo(other.path());
    EXPECT_EQ(SandboxMachine(other.path()).currentDirectory(), "C:\\Program Files\\Hastelyn");
}

TEST(Machine, LocatesItsFolderFromTheEnvironmentOrBesideTheProgram) {
    const char* saved = std::getenv("HASTELYN_MACHINE");
    const std::string savedValue = saved != nullptr ? saved : "";
    ::setenv("HASTELYN_MACHINE", "/somewhere/else", 1);
    EXPECT_EQ(locateMachineFolder().folder, fs::path("/somewhere/else"));
    EXPECT_TRUE(locateMachineFolder().named);
    // Set but empty names no folder, and is not taken for the default.
    ::setenv("HASTELYN_MACHINE", "", 1);
    EXPECT_EQ(locateMachineFolder().folder, fs::path());
    EXPECT_TRUE(locateMachineFolder().named);
    ::unsetenv("HASTELYN_MACHINE");
    EXPECT_EQ(locateMachineFolder().folder, fs::read_symlink("/proc/self/exe").parent_path() / "machine");
    EXPECT_FALSE(locateMachineFolder().named);
    if (saved != nullptr) ::setenv("HASTELYN_MACHINE", savedValue.c_str(), 1);
}

}  // namespace
}  // namespace hastelyn::sandbox
