// What the sandbox writes stays in the machine folder and goes with the process that made it:
// temporary files that never meet those of a process that ended, swap files beside their files,
// leftovers of ended processes removed when the machine is opened, and no write through a
// link that leads out of the machine.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/Win32Types.h"
#include "platform/sandbox/SandboxPlatform.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "platform/sandbox/util/Process.h"
#include "tests/support/FileText.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/TempFolder.h"

namespace hastelyn::sandbox {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using testing::MiniMachine;
using testing::TempFolder;

// A process that has ended: its id and start time.
struct EndedProcess {
    std::int64_t pid = 0;
    std::uint64_t startTime = 0;
};

EndedProcess endedProcess() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    // Until it is waited for, the ended child's start time can still be read.
    const EndedProcess ended{child, processStartTime(child)};
    int status = 0;
    ::waitpid(child, &status, 0);
    return ended;
}

std::string tempName(std::string_view file, std::int64_t pid, std::uint64_t start, int n) {
    return "." + std::string(file) + ".tmp" + std::to_string(pid) + "-" + std::to_string(start) + "_" + std::to_string(n);
}

std::string oldTempName(std::string_view file, std::int64_t pid, int n) {
    return "." + std::string(file) + ".tmp" + std::to_string(pid) + "_" + std::to_string(n);
}

// Made directly, as a process that ended made it (not through the writer under test).
void put(const fs::path& path, std::string_view text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// A process that got the id of one that ended meets its leftovers: they are neither written into
// nor in the way of a write.
TEST(MachineFiles, TemporaryNamesNeverMeetThoseOfAnEndedProcess) {
    TempFolder temp;
    const fs::path file = temp.path() / "state.ini";
    const std::int64_t pid = ::getpid();
    const std::uint64_t start = processStartTime(pid);
    for (int n = 0; n < 1000; ++n) {
        put(temp.path() / oldTempName("state.ini", pid, n), "leftover");
        put(temp.path() / tempName("state.ini", pid, start + 1, n), "leftover");
    }
    {
        FileReplacer files;
        for (const char* text : {"one", "two", "three"}) EXPECT_TRUE(files.write(file, text)) << text;
        EXPECT_TRUE(writeFileAtomically(file, "four"));
    }
    EXPECT_EQ(readWholeFile(file), "four");
    std::size_t leftovers = 0;
    for (const auto& entry : fs::directory_iterator(temp.path())) {
        if (entry.path() == file) continue;
        EXPECT_EQ(testing::fileText(entry.path()), "leftover") << entry.path();
        ++leftovers;
    }
    EXPECT_EQ(leftovers, 2000u);
}

// Opening a machine removes what ended processes left of their writes, in the machine folder and
// anywhere on its drives, and nothing of a running process.
TEST(MachineFiles, OpeningTheMachineRemovesOnlyLeftoversOfEndedProcesses) {
    TempFolder temp;
    MiniMachine m;
    m.file("C:\\boot.ini", "[boot loader]\r\n").file("C:\\WINDOWS\\inf\\sysoc.inf", "[Components]\r\n");
    m.writeTo(temp.path());
    const EndedProcess ended = endedProcess();
    ASSERT_NE(ended.startTime, 0u);
    const std::int64_t self = ::getpid();
    const std::uint64_t selfStart = processStartTime(self);
    const fs::path drive = temp.path() / "drives" / "C";
    const fs::path gone[] = {
        drive / tempName("boot.ini", ended.pid, ended.startTime, 0),
        drive / "WINDOWS" / "inf" / oldTempName("sysoc.inf", ended.pid, 1),
        temp.path() / "registry" / tempName("HKEY_CURRENT_USER.reg", self, selfStart + 1, 2),  // id reused
        temp.path() / tempName("services.ini", ended.pid, ended.startTime, 3),
    };
    const fs::path kept[] = {
        drive / tempName("boot.ini", self, selfStart, 4),
        drive / "WINDOWS" / oldTempName("win.ini", self, 5),  // may be its maker's: kept
        drive / ".boot.ini.tmp",
        drive / "notes.tmp1_2",
    };
    for (const fs::path& path : gone) put(path, "x");
    for (const fs::path& path : kept) put(path, "x");
    fs::create_directories(drive / tempName("folder", ended.pid, ended.startTime, 6));

    SandboxPlatform machine(temp.path());
    for (const fs::path& path : gone) EXPECT_FALSE(fs::exists(path)) << path;
    for (const fs::path& path : kept) EXPECT_TRUE(fs::exists(path)) << path;
    EXPECT_TRUE(fs::is_directory(drive / tempName("folder", ended.pid, ended.startTime, 6)));
}

// A file is swapped with its new version beside it, never in registry/: whatever registry/ is,
// boot.ini can be written, and no version of it is kept there.
TEST(MachineFiles, FilesAreReplacedBesideThemselves) {
    TempFolder temp;
    MiniMachine m;
    m.file("C:\\boot.ini", "[boot loader]\r\ntimeout=30\r\n");
    m.writeTo(temp.path());
    const fs::path registry = temp.path() / "registry";
    fs::permissions(registry, fs::perms::owner_read | fs::perms::owner_exec);
    {
        SandboxPlatform machine(temp.path());
        for (const char* timeout : {"5", "10", "15"})
            EXPECT_TRUE(machine.platform().profiles.writeString("C:\\boot.ini", "boot loader", "timeout"s,
                                                                std::string(timeout)).ok());
        for (const auto& entry : fs::directory_iterator(registry))
            EXPECT_FALSE(isAtomicTempName(entry.path().filename().string())) << entry.path();
    }
    fs::permissions(registry, fs::perms::owner_all);
    EXPECT_EQ(testing::fileText(temp.path() / "drives" / "C" / "boot.ini"), "[boot loader]\r\ntimeout=15\r\n");

    // A plain file where the registry folder should be: the hives cannot be written, boot.ini can.
    fs::remove_all(registry);
    put(registry, "not a folder");
    SandboxPlatform machine(temp.path());
    EXPECT_TRUE(machine.platform().profiles.writeString("C:\\boot.ini", "boot loader", "timeout"s, "20"s).ok());
    EXPECT_EQ(testing::fileText(temp.path() / "drives" / "C" / "boot.ini"), "[boot loader]\r\ntimeout=20\r\n");
}

// A link inside a drive may lead out of the machine: what lies behind it is read but never
// written, replaced or deleted through it; links that stay inside work as folders do.
TEST(MachineFiles, LinksLeadingOutOfTheMachineAreNotFollowedForWrites) {
    TempFolder temp;
    TempFolder outside;
    MiniMachine m;
    m.file("C:\\Data\\source.ini", "[s]\r\nk=1\r\n").folder("C:\\WINDOWS");
    m.writeTo(temp.path());
    put(outside.path() / "victim.ini", "[v]\r\nk=outside\r\n");
    const fs::path drive = temp.path() / "drives" / "C";
    fs::create_directory_symlink(outside.path(), drive / "Out");
    fs::create_symlink(outside.path() / "victim.ini", drive / "victim.ini");
    fs::create_directory_symlink(drive / "WINDOWS", drive / "Inside");
    fs::create_directory_symlink(temp.path() / "registry", drive / "Hives");

    SandboxPlatform machine(temp.path());
    platform::Platform& p = machine.platform();
    EXPECT_EQ(p.profiles.getString("C:\\Out\\victim.ini", "v", "k", "", 64), "outside");
    EXPECT_EQ(p.profiles.writeString("C:\\Out\\victim.ini", "v", "k"s, "changed"s).code(), platform::win32error::AccessDenied);
    EXPECT_FALSE(p.profiles.writeString("C:\\Out\\new.ini", "v", "k"s, "new"s).ok());
    EXPECT_FALSE(p.profiles.writeString("C:\\victim.ini", "v", "k"s, "changed"s).ok());
    EXPECT_FALSE(p.files.copyFile("C:\\Data\\source.ini", "C:\\Out\\copy.ini", false).ok());
    EXPECT_FALSE(p.files.copyFile("C:\\Data\\source.ini", "C:\\Out\\victim.ini", false).ok());
    EXPECT_FALSE(p.files.deleteFile("C:\\Out\\victim.ini").ok());
    p.shell.winExec("reg save \"HKCU\\Software\" \"C:\\Out\\saved.hiv\"", platform::showcmd::Hide);
    p.shell.winExec("regedit /E \"C:\\Out\\export.reg\" \"HKEY_CURRENT_USER\\Software\"", platform::showcmd::Hide);
    p.shell.winExec("fsutil file createnew C:\\Out\\big.dat 100", platform::showcmd::Hide);
    EXPECT_EQ(p.files.createNewFile("C:\\Out\\claimed.ini").code(), platform::win32error::AccessDenied);
    EXPECT_EQ(testing::fileText(outside.path() / "victim.ini"), "[v]\r\nk=outside\r\n");
    EXPECT_EQ(testing::filesBelow(outside.path()).size(), 1u);
    // A link into the machine's own files is no way onto them either.
    const auto hives = testing::filesBelow(temp.path() / "registry");
    EXPECT_FALSE(p.files.createNewFile("C:\\Hives\\new.reg").ok());
    EXPECT_FALSE(p.files.replaceFile("C:\\Hives\\HKEY_LOCAL_MACHINE.reg", "").ok());
    EXPECT_FALSE(p.profiles.writeString("C:\\Hives\\x.ini", "v", "k"s, "v"s).ok());
    EXPECT_EQ(testing::filesBelow(temp.path() / "registry"), hives);

    EXPECT_TRUE(p.profiles.writeString("C:\\Inside\\win.ini", "w", "k"s, "v"s).ok());
    EXPECT_EQ(testing::fileText(drive / "WINDOWS" / "win.ini"), "[w]\r\nk=v\r\n");
    EXPECT_TRUE(p.files.copyFile("C:\\Data\\source.ini", "C:\\Inside\\copy.ini", false).ok());
}

}  // namespace
}  // namespace hastelyn::sandbox
