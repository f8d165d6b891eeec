// The programs the sandbox carries out (regsvr32, explorer, reg, regedit, fsutil, convert and the
// console that runs it), programs a machine lacks, and processes that take time.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "platform/Win32Types.h"
#include "platform/sandbox/SandboxPlatform.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/SandboxFixture.h"

namespace hastelyn::sandbox {
namespace {

namespace fs = std::filesystem;
namespace win32error = platform::win32error;
using platform::RootKey;
using platform::WindowHandle;
using Clock = std::chrono::steady_clock;

constexpr int kShow = platform::showcmd::Normal;

std::string exported(SandboxPlatform& sandbox, RootKey root, std::string_view key) {
    std::string text;
    return sandbox.registry().exportKey(root, key, text) == win32error::Success ? text : "(none)";
}

TEST(RegSvr32, KeepsTheRegistrationAndShowsABoxThatWmCloseEnds) {
    testing::SandboxFixture sandbox{testing::MiniMachine()};
    SandboxPlatform other(sandbox.folder());
    platform::Platform& p = sandbox.platform();

    EXPECT_EQ(p.shell.winExec("regsvr32 /u cabview.dll", kShow), 33u);
    const WindowHandle first = other.windows().findWindow("", "RegSvr32");
    ASSERT_TRUE(first);
    EXPECT_EQ(other.windows().findWindow("#32770", ""), first);
    EXPECT_EQ(p.shell.winExec("REGSVR32.EXE \"C:\\WINDOWS\\system32\\ZipFldr.dll\"", kShow), 33u);
    EXPECT_EQ(p.shell.winExec("regsvr32 /s /u zipfldr.dll", kShow), 33u);  // silent: no box
    const WindowHandle second = p.windows.findWindow("", "RegSvr32");
    ASSERT_TRUE(second);
    EXPECT_NE(second, first);

    // A box goes on WM_CLOSE, sent or posted, from any program; the others stay.
    EXPECT_EQ(other.platform().windows.sendMessage(second, platform::wm::Close, 0, 0), 0);
    EXPECT_EQ(p.windows.findWindow("", "RegSvr32"), first);
    EXPECT_TRUE(p.windows.postMessage(first, platform::wm::Close, 0, 0));
    EXPECT_FALSE(other.windows().findWindow("", "RegSvr32"));
    EXPECT_FALSE(p.windows.postMessage(first, platform::wm::Close, 0, 0));

    EXPECT_EQ(readWholeFile(sandbox.folder() / "dlls.ini"), "[Registered]\r\ncabview.dll=0\r\nzipfldr.dll=0\r\n");
    p.shell.shellExecute("open", "regsvr32", "/s cabview.dll", "", kShow);
    EXPECT_EQ(readWholeFile(sandbox.folder() / "dlls.ini"), "[Registered]\r\ncabview.dll=1\r\nzipfldr.dll=0\r\n");

    testing::SandboxFixture limited{testing::MiniMachine().restrictedAccount()};
    EXPECT_EQ(limited.platform().shell.winExec("regsvr32 /u cabview.dll", kShow), 33u);
    EXPECT_TRUE(limited.platform().windows.findWindow("#32770", "RegSvr32")) << "the box tells of the failure";
    EXPECT_FALSE(fs::exists(limited.folder() / "dlls.ini"));
}

TEST(RegSvr32, TheBoxComesUpAfterTheConfiguredDelay) {
    testing::SandboxFixture sandbox{testing::MiniMachine().shell("RegSvr32DelayMs", "60")};
    platform::Platform& p = sandbox.platform();

    const auto started = Clock::now();
    p.shell.winExec("regsvr32 cabview.dll", kShow);
    // Too early: the box is not there yet, so a close request finds nothing to close.
    EXPECT_FALSE(p.windows.findWindow("", "RegSvr32"));
    EXPECT_FALSE(p.windows.postMessage({65554}, platform::wm::Close, 0, 0));
    WindowHandle box;
    while (!box && Clock::now() - started < std::chrono::seconds(5)) {
        p.shell.sleep(5);
        box = p.windows.findWindow("", "RegSvr32");
    }
    EXPECT_GE(Clock::now() - started, std::chrono::milliseconds(60));
    EXPECT_EQ(box.value, 65554u);
    EXPECT_TRUE(p.windows.postMessage(box, platform::wm::Close, 0, 0));
    EXPECT_FALSE(p.windows.findWindow("", "RegSvr32"));
}

TEST(Shell, ProgmanQuitsExplorerBringsItBackAndARestartStartsItAnew) {
    testing::SandboxFixture sandbox{testing::MiniMachine().service("Svc", "Some Service", 3)};
    SandboxPlatform other(sandbox.folder());
    platform::Platform& p = sandbox.platform();

    // A machine that just started has its shell, before any file of windows is written.
    const WindowHandle shell = p.windows.findWindow("Progman", "Program Manager");
    EXPECT_EQ(shell.value, 65552u);
    EXPECT_FALSE(fs::exists(sandbox.folder() / "windows"));
    p.shell.winExec("explorer", kShow);
    EXPECT_EQ(p.windows.findWindow("Progman", ""), shell) << "a running shell is not started twice";

    // WM_QUIT from another program ends it; explorer, by any spelling, brings it back.
    EXPECT_EQ(other.platform().windows.sendMessage(shell, platform::wm::Quit, 0, 0), 0);
    EXPECT_FALSE(p.windows.findWindow("Progman", ""));
    EXPECT_EQ(p.shell.shellExecute("open", "C:\\WINDOWS\\Explorer.exe", "/e,C:\\", "", kShow), 42);
    EXPECT_TRUE(p.windows.findWindow("Progman", ""));

    // A restart: a new shell, the tools' boxes gone, services as their start types say.
    p.shell.winExec("net start \"Some Service\"", kShow);
    p.shell.winExec("regsvr32 zipfldr.dll", kShow);
    const WindowHandle main = p.windows.createWindow("TFrmMain", "Hastelyn");
    const WindowHandle before = p.windows.findWindow("Progman", "");
    EXPECT_TRUE(p.shell.exitWindows(platform::exitflag::Reboot));
    const std::vector<WindowEntry> left = other.windows().sandboxWindows();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].className, "Progman");
    EXPECT_NE(left[0].handle, before.value);
    EXPECT_EQ(other.services().state("Svc"), platform::servicestate::Stopped);
    EXPECT_EQ(p.windows.findWindow("TFrmMain", ""), main) << "the sandbox ends no program of its own";
}

TEST(RegistryCommands, RegSaveAndRestoreRoundTripAKey) {
    testing::MiniMachine m;
    m.hive(RootKey::CurrentUser, {"[HKEY_CURRENT_USER\\Identities\\{1}\\Rules]", "\"Count\"=dword:00000002",
                                  "[HKEY_CURRENT_USER\\Identities\\{1}\\Rules\\Mail\\000]", "\"Name\"=\"規則 1\"",
                                  "[HKEY_CURRENT_USER\\Identities\\{1}\\RulesOld]", "\"Keep\"=\"yes\"",
                                  "[HKEY_CURRENT_USER\\Identities\\{2}\\Rules]", "\"Count\"=dword:00000009"});
    testing::SandboxFixture sandbox{m};
    platform::Platform& p = sandbox.platform();
    const std::string original = exported(sandbox, RootKey::CurrentUser, "Identities\\{1}\\Rules");
    const auto run = [&p](std::string_view parameters) {
        EXPECT_EQ(p.shell.shellExecute("open", "reg", parameters, "", platform::showcmd::Hide), 42);
    };
    const fs::path hive = sandbox.folder() / "drives" / "C" / "Rules.hiv";

    run("save \"HKCU\\Identities\\{1}\\Rules\" \"C:\\Rules.hiv\"");
    EXPECT_EQ(readWholeFile(hive), original) << "the sandbox's hive file is regedit text";
    platform::KeyHandle key;
    ASSERT_EQ(p.registry.createKey(RootKey::CurrentUser, "Identities\\{1}\\Rules\\Extra", key), win32error::Success);
    EXPECT_EQ(p.registry.closeKey(key), platform::win32error::Success);
    run("save \"HKEY_CURRENT_USER\\Identities\\{1}\\Rules\" \"c:\\rules.HIV\"");
    EXPECT_EQ(readWholeFile(hive), original) << "an existing file is not replaced";

    // Restore replaces the key's content, wherever the file was saved from; nothing outside it.
    run("restore \"HKCU\\Identities\\{1}\\Rules\" \"C:\\Rules.hiv\"");
    EXPECT_EQ(exported(sandbox, RootKey::CurrentUser, "Identities\\{1}\\Rules"), original);
    EXPECT_NE(exported(sandbox, RootKey::CurrentUser, "Identities\\{1}\\RulesOld"), "(none)");
    run("restore \"HKCU\\Identities\\{2}\\Rules\" \"C:\\Rules.hiv\"");
    std::string moved = original;
    for (std::size_t at = 0; (at = moved.find("{1}", at)) != std::string::npos;) moved.replace(at, 3, "{2}");
    EXPECT_EQ(exported(sandbox, RootKey::CurrentUser, "Identities\\{2}\\Rules"), moved);

    // Failures change nothing: a missing file, a file that is no saved key, a missing key, a
    // whole root; a key line hidden behind a lone CR stays part of its value.
    run("restore \"HKCU\\Identities\\{1}\\Rules\" \"C:\\None.hiv\"");
    ASSERT_TRUE(p.files.replaceFile("C:\\Junk.hiv", "[x]\r\n\"a\"=\"b\"\r\n\r\n").ok());
    run("restore \"HKCU\\Identities\\{1}\\Rules\" \"C:\\Junk.hiv\"");
    EXPECT_EQ(exported(sandbox, RootKey::CurrentUser, "Identities\\{1}\\Rules"), original);
    ASSERT_TRUE(p.files.replaceFile("C:\\Junk.hiv", "REGEDIT4\n[HKEY_CURRENT_USER\\R]\n\"a\"=\"b\"\r[HKEY_LOCAL_MACHINE\\Software\\Evil]\n\n").ok());
    run("restore \"HKCU\\Identities\\{1}\\Rules\" \"C:\\Junk.hiv\"");
    EXPECT_EQ(exported(sandbox, RootKey::LocalMachine, "Software\\Evil"), "(none)");
    run("restore \"HKCU\\Identities\\{3}\\Rules\" \"C:\\Rules.hiv\"");
    EXPECT_EQ(exported(sandbox, RootKey::CurrentUser, "Identities\\{3}"), "(none)");
    run("save \"HKCU\" \"C:\\All.hiv\"");
    run("save \"HKCU\\Identities\\{9}\" \"C:\\None.hiv\"");
    EXPECT_FALSE(fs::exists(sandbox.folder() / "drives" / "C" / "All.hiv"));
    EXPECT_FALSE(fs::exists(sandbox.folder() / "drives" / "C" / "None.hiv"));
    run("save \"HKCU\\Identities\\{2}\\Rules\" \"C:\\Rules.hiv\" /y");
    EXPECT_EQ(readWholeFile(hive), moved) << "/y replaces the file";
}

TEST(RegistryCommands, RegeditExportsAndImportsAKeyAndAFileNotWrittenIsJournaled) {
    testing::MiniMachine m;
    m.hive(RootKey::CurrentUser, {"[HKEY_CURRENT_USER\\Software\\A]", "\"x\"=dword:00000001", "[HKEY_CURRENT_USER\\Software\\A\\B]",
                                  "\"m\"=hex(7):61,00,00,00,00,00"});
    m.hive(RootKey::LocalMachine, {"[HKEY_LOCAL_MACHINE\\Software\\M]", "\"y\"=\"1\""});
    testing::SandboxFixture sandbox{m};
    platform::Platform& p = sandbox.platform();
    const std::string original = exported(sandbox, RootKey::CurrentUser, "Software\\A");

    // A file a tool cannot write (a folder stands where it goes) is not counted as written: the
    // journal tells which tool failed on which file, and what stood there stays.
    const fs::path busy = sandbox.folder() / "drives" / "C" / "Busy.reg" / "inside";
    fs::create_directories(busy);
    EXPECT_EQ(p.shell.winExec("regedit /E C:\\Busy.reg HKCU\\Software\\A", 0), 33u);
    EXPECT_EQ(p.shell.winExec("reg save HKCU\\Software\\A C:\\Busy.reg /y", 0), 33u);
    EXPECT_NE(sandbox.journal().find("NotWritten\tregedit\tC:\\Busy.reg\t"), std::string::npos) << sandbox.journal();
    EXPECT_NE(sandbox.journal().find("NotWritten\treg\tC:\\Busy.reg\t"), std::string::npos) << sandbox.journal();
    EXPECT_TRUE(fs::is_directory(busy));

    p.shell.shellExecute("Open", "Regedit.exe", "/E \"C:\\a.reg\" \"HKEY_CURRENT_USER\\Software\\A\"", "", 0);
    p.shell.winExec("regedit -e C:\\m.reg HKLM\\Software\\M", 0);
    p.shell.winExec("regedit /e C:\\none.reg HKCU\\Software\\None", 0);
    p.shell.winExec("regedit /e C:\\all.reg", 0);
    EXPECT_EQ(readWholeFile(sandbox.folder() / "drives" / "C" / "a.reg"), original);
    EXPECT_TRUE(fs::exists(sandbox.folder() / "drives" / "C" / "m.reg"));
    EXPECT_FALSE(fs::exists(sandbox.folder() / "drives" / "C" / "none.reg"));
    EXPECT_FALSE(fs::exists(sandbox.folder() / "drives" / "C" / "all.reg")) << "never the whole registry";

    platform::KeyHandle software;
    ASSERT_EQ(p.registry.openKey(RootKey::CurrentUser, "Software", platform::KeyAccess::Full, software), win32error::Success);
    ASSERT_EQ(p.registry.deleteTree(software, "A"), win32error::Success);
    EXPECT_EQ(p.registry.closeKey(software), platform::win32error::Success);
    p.shell.shellExecute("Open", "Regedit.exe", "/s \"C:\\a.reg\"", "", 0);
    EXPECT_EQ(exported(sandbox, RootKey::CurrentUser, "Software\\A"), original);

    // A restricted account imports what it may write, nothing of HKEY_LOCAL_MACHINE.
    testing::SandboxFixture limited{testing::MiniMachine().restrictedAccount().file("C:\\m.reg", *readWholeFile(sandbox.folder() / "drives" / "C" / "m.reg"))};
    EXPECT_EQ(limited.platform().shell.winExec("regedit /s C:\\m.reg", 0), 33u);
    EXPECT_EQ(exported(limited, RootKey::LocalMachine, "Software\\M"), "(none)");
    EXPECT_EQ(limited.registry().openKeyCount(), 0u);
    EXPECT_EQ(sandbox.registry().openKeyCount(), 0u);
}

TEST(Fsutil, CreatesANewFileOfTheSizeGivenOnlyWhereNoneIs) {
    testing::SandboxFixture sandbox{testing::MiniMachine().file("C:\\Taken", "kept")};
    platform::Platform& p = sandbox.platform();
    const fs::path c = sandbox.folder() / "drives" / "C";

    platform::ObjectHandle process;
    ASSERT_EQ(p.shell.createProcess("fsutil file createnew C:\\TmpMFT 3145728", process), win32error::Success);
    EXPECT_EQ(p.shell.waitForSingleObject(process, 0), 0u);
    EXPECT_TRUE(p.shell.closeProcess(process));
    EXPECT_EQ(fs::file_size(c / "TmpMFT"), 3145728u);
    p.shell.winExec("FSUTIL FILE CREATENEW c:\\taken 10", 0);
    p.shell.winExec("fsutil file createnew C:\\NoFolder\\x 10", 0);
    p.shell.winExec("fsutil file createnew C:\\Bad 12x", 0);
    p.shell.winExec("fsutil file createnew C:\\Empty 0", 0);
    EXPECT_EQ(readWholeFile(c / "Taken"), "kept");
    EXPECT_FALSE(fs::exists(c / "NoFolder"));
    EXPECT_FALSE(fs::exists(c / "Bad"));
    EXPECT_EQ(fs::file_size(c / "Empty"), 0u);
    for (const auto& entry : fs::directory_iterator(c))
        EXPECT_FALSE(entry.path().filename().string().starts_with('.')) << "left behind: " << entry.path();
}

TEST(Shell, MissingProgramsCannotBeStartedAtAll) {
    testing::SandboxFixture sandbox{testing::MiniMachine().service("Svc", "Some Service", 2).shell("Missing", "net, REGSVR32.exe")};
    platform::Platform& p = sandbox.platform();

    EXPECT_EQ(p.shell.winExec("net stop \"Some Service\"", 0), 2u);
    EXPECT_EQ(p.shell.shellExecute("open", "regsvr32.exe", "/u cabview.dll", "", kShow), 2);
    platform::ObjectHandle process{5};
    EXPECT_EQ(p.shell.createProcess("C:\\WINDOWS\\system32\\Net.exe stop Svc", process), win32error::FileNotFound);
    EXPECT_FALSE(process);
    EXPECT_EQ(p.shell.winExec("explorer", kShow), 33u);

    EXPECT_EQ(sandbox.services().state("Svc"), platform::servicestate::Running);
    EXPECT_FALSE(p.windows.findWindow("", "RegSvr32"));
    EXPECT_FALSE(fs::exists(sandbox.folder() / "dlls.ini"));
    EXPECT_EQ(readWholeFile(sandbox.folder() / "journal.log"),
              "WinExec\t0\tnet stop \"Some Service\"\n"
              "NotStarted\tnet\t2\n"
              "ShellExecute\topen\tregsvr32.exe\t/u cabview.dll\t\t1\n"
              "NotStarted\tregsvr32.exe\t2\n"
              "CreateProcess\tC:\\WINDOWS\\system32\\Net.exe stop Svc\n"
              "NotStarted\tC:\\WINDOWS\\system32\\Net.exe\t2\n"
              "WinExec\t1\texplorer\n");
}

TEST(Shell, AProcessRunsForTheConfiguredTimeAndItsHandleIsFreed) {
    testing::SandboxFixture sandbox{testing::MiniMachine().service("Svc", "Some Service", 2).shell("ProcessMilliseconds", "30")};
    platform::Shell& shell = sandbox.platform().shell;

    const auto started = Clock::now();
    platform::ObjectHandle process;
    ASSERT_EQ(shell.createProcess("net stop \"Some Service\"", process), win32error::Success);
    EXPECT_EQ(sandbox.services().state("Svc"), platform::servicestate::Stopped) << "its work is done at its start";
    // A wait that returned before the process's time was up must have timed out; a busy machine
    // may get there later, when the process has ended.
    for (std::uint32_t wait : {0u, 10u}) {
        const std::uint32_t result = shell.waitForSingleObject(process, wait);
        if (Clock::now() - started < std::chrono::milliseconds(30)) {
            EXPECT_EQ(result, 258u) << "wait " << wait;
        }
    }
    while (shell.waitForSingleObject(process, 0) == 258u) shell.sleep(2);
    EXPECT_GE(Clock::now() - started, std::chrono::milliseconds(30)) << "it ended no sooner than its time";
    EXPECT_EQ(shell.waitForSingleObject(process, 0), 0u);

    platform::ObjectHandle waited;
    ASSERT_EQ(shell.createProcess("notepad C:\\x.txt", waited), win32error::Success);
    EXPECT_EQ(shell.waitForSingleObject(waited, 0xFFFFFFFFu), 0u) << "INFINITE waits for the end";
    EXPECT_NE(waited.value, process.value);
    EXPECT_EQ(sandbox.shell().openProcessCount(), 2u);
    EXPECT_TRUE(shell.closeProcess(process));
    EXPECT_TRUE(shell.closeProcess(waited));
    EXPECT_FALSE(shell.closeProcess(waited));
    EXPECT_EQ(shell.waitForSingleObject(waited, 0), 0xFFFFFFFFu);
    EXPECT_EQ(sandbox.shell().openProcessCount(), 0u);
}

std::string fileSystemOf(platform::Platform& p, const char* root) {
    platform::VolumeInfo volume;
    return p.files.getVolumeInformation(root, volume).ok() ? volume.fileSystem : "(none)";
}

testing::MiniMachine fatMachine() {
    testing::MiniMachine m;
    m.drive('C', "Fixed", "FAT32", "SYSTEM", "1C2D3E4F").drive('E', "Fixed", "FAT", "DATA", "0");
    m.driveWithoutMedium('D');
    return m;
}

TEST(Convert, AConsoleLineMakesAFatDriveNtfsForThisProcessAndTheNext) {
    testing::SandboxFixture fx(fatMachine());
    platform::Platform& p = fx.platform();
    EXPECT_EQ(p.shell.winExec("cmd /k %SystemRoot%\\system32\\convert C: /fs:ntfs /v", kShow), 33u);
    EXPECT_EQ(fileSystemOf(p, "C:\\"), "NTFS");
    EXPECT_EQ(fileSystemOf(p, "E:\\"), "FAT");
    // Recorded for the next process; the drive's other facts stay as machine.ini had them.
    EXPECT_NE(fx.journal().find("WinExec\t1\tcmd /k %SystemRoot%"), std::string::npos);
    EXPECT_NE(testing::fileText(fx.folder() / "machine.ini").find("C=Fixed,NTFS,drives/C,SYSTEM,1C2D3E4F"),
              std::string::npos);

    // A placeholder named but missing stops the conversion.
    p.shell.winExec("convert E: /fs:ntfs /v /cvtarea:E:\\TmpMFT", kShow);
    EXPECT_EQ(fileSystemOf(p, "E:\\"), "FAT");
}

TEST(Convert, NothingChangesWithoutTheFileSystemOnOtherDrivesInARestrictedAccountOrWithoutConvert) {
    {
        testing::SandboxFixture fx(fatMachine());
        platform::Platform& p = fx.platform();
        p.shell.winExec("convert C:", kShow);
        p.shell.winExec("convert D: /fs:ntfs", kShow);
        p.shell.winExec("cmd /k format a: /q", kShow);
        EXPECT_EQ(fileSystemOf(p, "C:\\"), "FAT32");
    }
    {
        testing::MiniMachine m = fatMachine();
        m.restrictedAccount();
        testing::SandboxFixture fx(m);
        fx.platform().shell.winExec("convert C: /fs:ntfs", kShow);
        EXPECT_EQ(fileSystemOf(fx.platform(), "C:\\"), "FAT32");
    }
    {
        testing::MiniMachine m = fatMachine();
        m.shell("Missing", "convert");
        testing::SandboxFixture fx(m);
        // The console starts; it does not find convert.
        EXPECT_EQ(fx.platform().shell.winExec("cmd /k %SystemRoot%\\system32\\convert C: /fs:ntfs", kShow), 33u);
        EXPECT_EQ(fileSystemOf(fx.platform(), "C:\\"), "FAT32");
    }
}

}  // namespace
}  // namespace hastelyn::sandbox
