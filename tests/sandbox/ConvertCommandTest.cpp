// convert and the console that runs it: the drive's file system in machine.ini, the placeholder
// file, and what stays unchanged.
#include <gtest/gtest.h>

#include <string>

#include "platform/Win32Types.h"
#include "platform/sandbox/SandboxPlatform.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/SandboxFixture.h"

namespace hastelyn::sandbox {
namespace {

constexpr int kShow = platform::showcmd::Normal;

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

TEST(Convert, AConsoleLineMakesAFatDriveNtfsForThisProcessAndTheNextTakingItsPlaceholder) {
    testing::SandboxFixture fx(fatMachine());
    platform::Platform& p = fx.platform();
    EXPECT_EQ(p.shell.winExec("cmd /k %SystemRoot%\\system32\\convert C: /fs:ntfs /v", kShow), 33u);
    EXPECT_EQ(fileSystemOf(p, "C:\\"), "NTFS");
    EXPECT_EQ(fileSystemOf(p, "E:\\"), "FAT");
    SandboxPlatform next(fx.folder());
    EXPECT_EQ(fileSystemOf(next.platform(), "C:\\"), "NTFS");
    // The drive's other facts stay as machine.ini had them.
    EXPECT_NE(fx.journal().find("WinExec\t1\tcmd /k %SystemRoot%"), std::string::npos);
    EXPECT_NE(testing::fileText(fx.folder() / "machine.ini").find("C=Fixed,NTFS,drives/C,SYSTEM,1C2D3E4F"),
              std::string::npos);

    // With a placeholder named, it is taken, and a missing one stops the conversion.
    p.shell.winExec("convert E: /fs:ntfs /v /cvtarea:E:\\TmpMFT", kShow);
    EXPECT_EQ(fileSystemOf(p, "E:\\"), "FAT");

    platform::ObjectHandle process;
    ASSERT_EQ(p.shell.createProcess("fsutil file createnew E:\\TmpMFT 4096", process), platform::win32error::Success);
    ASSERT_TRUE(p.shell.closeProcess(process));
    p.shell.winExec("convert E: /fs:ntfs /v /cvtarea:E:\\TmpMFT", kShow);
    EXPECT_EQ(fileSystemOf(p, "E:\\"), "NTFS");
    EXPECT_EQ(p.files.getFileAttributes("E:\\TmpMFT"), platform::fileattr::Invalid);
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
