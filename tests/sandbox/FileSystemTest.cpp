#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "platform/Win32Types.h"
#include "platform/sandbox/SandboxFileSystem.h"
#include "platform/sandbox/SandboxMachine.h"
#include "platform/sandbox/util/AtomicFile.h"
#include "platform/sandbox/util/DosWildcard.h"
#include "tests/support/MiniMachine.h"
#include "tests/support/SandboxFixture.h"

namespace hastelyn::sandbox {
namespace {

namespace fs = std::filesystem;
namespace win32error = platform::win32error;
namespace fileattr = platform::fileattr;
namespace drivetype = platform::drivetype;

testing::MiniMachine filesMachine() {
    testing::MiniMachine m;
    m.file("C:\\boot.ini", "[boot loader]\r\n", 0x27);
    m.file("C:\\dir\\b.txt", "12345");
    m.file("C:\\dir\\A.INI", "[a]\r\n");
    m.file("C:\\dir\\readme", "");
    m.file("C:\\dir\\Hidden.sys", "x", fileattr::Hidden | fileattr::System);
    m.folder("C:\\dir\\Sub", fileattr::Hidden);
    m.file("C:\\dir\\Sub\\deep.dat", "deep");
    m.driveWithoutMedium('D');
    m.drive('E', "removable", "FAT", "FLOPPY", "0x12345678").driveSpace('E', 1457664, 2000000);
    return m;
}

class Files : public ::testing::Test {
protected:
    fs::path host(std::string_view windowsPath) const { return sandbox_.hostPath(windowsPath); }

    std::vector<std::string> names(std::string_view pattern) {
        std::vector<platform::FindData> found;
        std::vector<std::string> out;
        if (!files_.findFiles(pattern, found).ok()) return {"<none>"};
        for (const auto& f : found) out.push_back(f.name);
        return out;
    }

    testing::SandboxFixture sandbox_{filesMachine()};
    SandboxFileSystem& files_ = sandbox_.files();
};

using Names = std::vector<std::string>;

TEST_F(Files, AttributesLieInAttributesIni) {
    EXPECT_EQ(files_.getFileAttributes("c:/BOOT.INI"), 0x27u);
    EXPECT_EQ(files_.getFileAttributes("C:\\dir\\b.txt"), fileattr::Normal);
    EXPECT_EQ(files_.getFileAttributes("C:\\dir"), fileattr::Directory);
    EXPECT_EQ(files_.getFileAttributes("C:\\dir\\sub\\"), fileattr::Directory | fileattr::Hidden);
    EXPECT_EQ(files_.getFileAttributes("C:\\"), fileattr::Directory);

    EXPECT_EQ(files_.getFileAttributes("Q:\\x"), fileattr::Invalid);

    // Set, they persist; Directory and Normal are no attributes one sets, and a plain file loses
    // its entry.
    ASSERT_TRUE(files_.setFileAttributes("C:\\DIR\\B.TXT", fileattr::ReadOnly | fileattr::Archive).ok());
    EXPECT_EQ(readWholeFile(sandbox_.folder() / "attributes.ini").value_or("").find("c:\\dir\\b.txt=21\r\n") !=
                  std::string::npos,
              true);
    {
        SandboxMachine again(sandbox_.folder());  // another process sees it
        EXPECT_EQ(SandboxFileSystem(again).getFileAttributes("c:\\dir\\b.txt"), fileattr::ReadOnly | fileattr::Archive);
    }
    ASSERT_TRUE(files_.setFileAttributes("C:\\dir\\Sub", fileattr::Directory | fileattr::System).ok());
    EXPECT_EQ(files_.getFileAttributes("C:\\dir\\Sub"), fileattr::Directory | fileattr::System);
    ASSERT_TRUE(files_.setFileAttributes("C:\\dir\\b.txt", fileattr::Normal).ok());
    EXPECT_EQ(files_.getFileAttributes("C:\\dir\\b.txt"), fileattr::Normal);
    EXPECT_EQ(readWholeFile(sandbox_.folder() / "attributes.ini").value_or("").find("b.txt"), std::string::npos);
}

TEST_F(Files, FindFilesListsEverythingLikeWindows) {
    {
        // A temporary file a killed writer left behind is no file of the machine.
        std::FILE* f = std::fopen((host("C:\\dir") / ".b.txt.tmp99_0").c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
    }

    std::vector<platform::FindData> all;
    ASSERT_TRUE(files_.findFiles("c:/DIR\\*.*", all).ok());
    ASSERT_EQ(all.size(), 7u);
    const Names expected{".", "..", "A.INI", "b.txt", "Hidden.sys", "readme", "Sub"};
    for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(all[i].name, expected[i]);
    EXPECT_EQ(all[0].attributes, fileattr::Directory);
    EXPECT_EQ(all[3].attributes, fileattr::Normal);
    EXPECT_EQ(all[3].size, 5u);
    EXPECT_EQ(all[4].attributes, fileattr::Hidden | fileattr::System);
    EXPECT_EQ(all[6].attributes, fileattr::Directory | fileattr::Hidden);
    EXPECT_EQ(all[6].size, 0u);

    // Patterns as the wildcard table below matches them.
    EXPECT_EQ(names("C:\\dir\\*"), expected);
    EXPECT_EQ(names("C:\\dir\\*."), (Names{".", "..", "readme", "Sub"}));
    EXPECT_EQ(names("C:\\dir\\sub\\*.*"), (Names{".", "..", "deep.dat"}));
    EXPECT_EQ(names("C:\\*"), (Names{"boot.ini", "dir", "Program Files", "WINDOWS"}));  // no dots at a root

    std::vector<platform::FindData> found;
    EXPECT_EQ(files_.findFiles("C:\\nodir\\*.*", found).code(), win32error::PathNotFound);
}

TEST(DosWildcard, MatchesAsFindFirstFileDoes) {
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"*.*", "readme", true},      {"*.*", "a.b.c", true},      {"*", ".", true},
        {"*.ini", "SYSTEM.INI", true}, {"*.ini", "a.ini.bak", false}, {"*.ini", "a.ini.ini", true},
        {"*.", "readme", true},       {"*.", "a.txt", false},      {"a?.txt", "a.txt", true},
        {"a?.txt", "ab.txt", true},   {"a?.txt", "abc.txt", false}, {"??", "a", true},
        {"?", "ab", false},           {"a*b", "axxb", true},       {"a*b", "axxbc", false},
        {"file.", "file", true},      {"*~*", "A~1.TMP", true},    {"AbC", "abc", true},
        {"abc", "abd", false},        {"*.t?t", "x.txt", true},    {"*.t?t", "x.tt", false},
        {"*.tx?", "x.tx", true},
    };
    for (const Case& c : cases) EXPECT_EQ(matchesDosPattern(c.pattern, c.name), c.matches) << c.pattern << " " << c.name;
}

// Read-only and hidden files, and copies over existing ones, are the conformance suite's.
TEST_F(Files, DeleteAndCopyKeepToWindowsRules) {
    EXPECT_EQ(files_.deleteFile("C:\\dir\\Sub").code(), win32error::AccessDenied);

    // A copy takes the source's content and attributes; deleting it takes its entry too.
    ASSERT_TRUE(files_.copyFile("C:\\dir\\hidden.sys", "C:\\copy.sys", true).ok());
    EXPECT_EQ(readWholeFile(host("C:\\copy.sys")), "x");
    EXPECT_EQ(files_.getFileAttributes("C:\\copy.sys"), fileattr::Hidden | fileattr::System);
    EXPECT_TRUE(files_.deleteFile("c:\\COPY.SYS").ok());
    EXPECT_FALSE(fs::exists(host("C:\\copy.sys")));
    EXPECT_EQ(readWholeFile(sandbox_.folder() / "attributes.ini").value_or("").find("copy.sys"), std::string::npos);

    EXPECT_EQ(files_.copyFile("C:\\dir\\none", "C:\\x", false).code(), win32error::FileNotFound);
    EXPECT_EQ(files_.copyFile("C:\\dir\\b.txt", "C:\\nodir\\x", false).code(), win32error::PathNotFound);
    EXPECT_FALSE(files_.copyFile("C:\\dir\\b.txt", "C:\\DIR\\B.TXT", false).ok());
    EXPECT_EQ(readWholeFile(host("C:\\dir\\b.txt")), "12345");
}

TEST_F(Files, DrivesTellTypeVolumeAndSpace) {
    for (const char* root : {"C:\\", "C:", "c:", "c:/"}) EXPECT_EQ(files_.getDriveType(root), drivetype::Fixed) << root;
    EXPECT_EQ(files_.getDriveType("D:\\"), drivetype::CdRom);
    EXPECT_EQ(files_.getDriveType("e:\\"), drivetype::Removable);
    EXPECT_EQ(files_.getDriveType("Q:\\"), drivetype::NoRootDir);
    EXPECT_EQ(files_.getDriveType("C:\\WINDOWS"), drivetype::NoRootDir);
    EXPECT_EQ(files_.getDriveType("garbage"), drivetype::NoRootDir);

    platform::VolumeInfo volume;
    ASSERT_TRUE(files_.getVolumeInformation("e:\\", volume).ok());
    EXPECT_EQ(volume.serialNumber, 0x12345678u);
    EXPECT_EQ(volume.fileSystem, "FAT");
    ASSERT_TRUE(files_.getVolumeInformation("C:\\", volume).ok());
    EXPECT_EQ(volume.label, "SYSTEM");
    EXPECT_EQ(volume.serialNumber, 0x1C2D3E4Fu);
    EXPECT_EQ(volume.fileSystem, "NTFS");
    EXPECT_EQ(volume.maxComponentLength, 255u);
    EXPECT_EQ(files_.getVolumeInformation("D:\\", volume).code(), kErrorNotReady);  // no disc in it
    EXPECT_EQ(files_.getVolumeInformation("Q:\\", volume).code(), win32error::PathNotFound);

    platform::DiskSpace space;
    ASSERT_TRUE(files_.getDiskFreeSpace("E:\\", space).ok());
    EXPECT_EQ(space.total, 1457664u);
    EXPECT_EQ(space.freeToCaller, 1457664u);  // never more free than there is
    EXPECT_EQ(space.totalFree, 1457664u);
    ASSERT_TRUE(files_.getDiskFreeSpace("C:\\", space).ok());  // the host's own file system
    EXPECT_GT(space.total, 0u);
    EXPECT_LE(space.freeToCaller, space.totalFree);
    EXPECT_LE(space.totalFree, space.total);
    EXPECT_EQ(files_.getDiskFreeSpace("D:\\", space).code(), kErrorNotReady);
}

}  // namespace
}  // namespace hastelyn::sandbox
