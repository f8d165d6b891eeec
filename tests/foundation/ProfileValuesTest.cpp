#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "foundation/CommandError.h"
#include "foundation/ProfileValues.h"
#include "tests/foundation/SandboxFixture.h"

namespace hastelyn::foundation {
namespace {

using testing::MiniMachine;
using testing::SandboxFixture;

const char* const kIni = "C:\\Program Files\\Hastelyn\\Hastelyn.ini";

TEST(ProfileValues, ReadsTrimmedUnquotedValuesAndNullForAbsence) {
    MiniMachine m;
    m.file(kIni,
           "[環境設定]\r\nSound = On \r\nLinks=\"\"\r\nQuoted=\"a b\"\r\nEmpty=\r\n"
           "[エクスプローラ]\r\n10=\"\"\r\n");
    SandboxFixture fx(m);
    ProfileValues ini(fx.platform());
    EXPECT_EQ(ini.ReadProfileValue(kIni, "環境設定", "sound"), "On");
    EXPECT_EQ(ini.ReadProfileValue(kIni, "環境設定", "Links"), "");
    EXPECT_EQ(ini.ReadProfileValue(kIni, "環境設定", "Quoted"), "a b");
    EXPECT_EQ(ini.ReadProfileValue(kIni, "環境設定", "Empty"), "");
    EXPECT_EQ(ini.ReadProfileValue(kIni, "環境設定", "Missing"), "NULL");
    EXPECT_EQ(ini.ReadProfileValue(kIni, "Nowhere", "Sound"), "NULL");
    EXPECT_EQ(ini.ReadProfileValue("C:\\absent.ini", "環境設定", "Sound"), "NULL");
    EXPECT_EQ(*ini.GetProfileSectionKeys(kIni, "環境設定"),
              (std::vector<std::string>{"Sound", "Links", "Quoted", "Empty"}));
    EXPECT_TRUE(ini.GetProfileSectionKeys("C:\\absent.ini", "環境設定")->empty());
}

TEST(ProfileValues, LongValuesAreCutAt2047Characters) {
    MiniMachine m;
    m.file(kIni, "[s]\r\nlong=" + std::string(5000, 'x') + "\r\n");
    SandboxFixture fx(m);
    ProfileValues ini(fx.platform());
    EXPECT_EQ(ini.ReadProfileValue(kIni, "s", "long"), std::string(2047, 'x'));
}

TEST(ProfileValues, WritesSkipNullAndClearTheReadOnlyAttribute) {
    MiniMachine m;
    m.file(kIni, "[環境設定]\r\nSound=Off\r\n", platform::fileattr::ReadOnly | platform::fileattr::Hidden);
    SandboxFixture fx(m);
    ProfileValues ini(fx.platform());
    platform::FileSystem& files = fx.platform().files;

    ini.WriteProfileValue(kIni, "環境設定", "Sound", "On");
    EXPECT_EQ(ini.ReadProfileValue(kIni, "環境設定", "Sound"), "On");
    const std::uint32_t attributes = files.getFileAttributes(kIni);
    EXPECT_EQ(attributes & platform::fileattr::ReadOnly, 0u);
    EXPECT_NE(attributes & platform::fileattr::Hidden, 0u);

    ini.WriteProfileValue(kIni, "環境設定", "Sound", "NULL");
    EXPECT_EQ(ini.ReadProfileValue(kIni, "環境設定", "Sound"), "On");
    ini.WriteProfileValue("C:\\Program Files\\Hastelyn\\never.ini", "s", "k", "NULL");
    EXPECT_EQ(files.getFileAttributes("C:\\Program Files\\Hastelyn\\never.ini"), platform::fileattr::Invalid);

    files.setFileAttributes(kIni, platform::fileattr::ReadOnly);
    ini.DeleteProfileKey(kIni, "環境設定", "Sound");
    EXPECT_EQ(ini.ReadProfileValue(kIni, "環境設定", "Sound"), "NULL");
    EXPECT_EQ(files.getFileAttributes(kIni) & platform::fileattr::ReadOnly, 0u);
}

TEST(ProfileValues, RefusedWriteNamesTheFile) {
    SandboxFixture fx(MiniMachine{});
    ProfileValues ini(fx.platform());
    const std::string file = "C:\\No Such Folder\\Hastelyn.ini";
    try {
        ini.WriteProfileValue(file, "s", "k", "v");
        FAIL() << "no error";
    } catch (const CommandError& e) {
        EXPECT_NE(std::string(e.what()).find(file), std::string::npos) << e.what();
    }
    EXPECT_THROW(ini.DeleteProfileKey("Q:\\x.ini", "s", "k"), CommandError);
}

TEST(ProfileValues, ShiftJisFilesStillRead) {
    MiniMachine m;
    // "[環境設定]\r\nSound=On\r\n" as Shift_JIS.
    m.file(kIni, "[\x8A\xC2\x8B\xAB\x90\xDD\x92\xE8]\r\nSound=On\r\n");
    SandboxFixture fx(m);
    ProfileValues ini(fx.platform());
    EXPECT_EQ(ini.ReadProfileValue(kIni, "環境設定", "Sound"), "On");
}

}  // namespace
}  // namespace hastelyn::foundation
