// The program's profile layer (values as texts, "NULL" for absence, read-only files made
// writable) on top of each backend.
#include "foundation/CommandError.h"
#include "foundation/ProfileValues.h"
#include "tests/conformance/ConformanceFixture.h"
#include "tests/support/CommandErrorText.h"

namespace hastelyn::conformance {
namespace {

using foundation::CommandError;
using foundation::ProfileValues;

// "[環境設定]\r\nSound = On \r\nLinks=\"\"\r\nQuoted=\"a b\"\r\nEmpty=\r\n[エクスプローラ]\r\n10=\"\"\r\n"
// as a Japanese Windows system keeps it (Shift_JIS).
const std::string kSettings =
    "[\x8A\xC2\x8B\xAB\x90\xDD\x92\xE8]\r\n"
    "Sound = On \r\nLinks=\"\"\r\nQuoted=\"a b\"\r\nEmpty=\r\n"
    "[\x83\x47\x83\x4E\x83\x58\x83\x76\x83\x8D\x81\x5B\x83\x89]\r\n"
    "10=\"\"\r\n";

using ProfileLayer = Conformance;

TEST_F(ProfileLayer, ReadsTrimmedUnquotedValuesAndNullForAbsence) {
    const std::string ini = file("Hastelyn.ini");
    target().writeFile(ini, kSettings + "long=" + std::string(5000, 'x') + "\r\n");
    ProfileValues layer(p());
    EXPECT_EQ(layer.ReadProfileValue(ini, "環境設定", "sound"), "On");
    EXPECT_EQ(layer.ReadProfileValue(ini, "環境設定", "Links"), "");
    EXPECT_EQ(layer.ReadProfileValue(ini, "環境設定", "Quoted"), "a b");
    EXPECT_EQ(layer.ReadProfileValue(ini, "環境設定", "Empty"), "");
    EXPECT_EQ(layer.ReadProfileValue(ini, "エクスプローラ", "10"), "");
    EXPECT_EQ(layer.ReadProfileValue(ini, "エクスプローラ", "long"), std::string(2047, 'x'));
    EXPECT_EQ(layer.ReadProfileValue(ini, "環境設定", "Missing"), "NULL");
    EXPECT_EQ(layer.ReadProfileValue(ini, "Nowhere", "Sound"), "NULL");
    EXPECT_EQ(layer.ReadProfileValue(file("absent.ini"), "環境設定", "Sound"), "NULL");
    EXPECT_EQ(*layer.GetProfileSectionKeys(ini, "環境設定"), (Names{"Sound", "Links", "Quoted", "Empty"}));
    EXPECT_TRUE(layer.GetProfileSectionKeys(file("absent.ini"), "環境設定")->empty());
}

TEST_F(ProfileLayer, WritesSkipNullAndMakeAReadOnlyFileWritable) {
    const std::string ini = file("Hastelyn.ini");
    target().writeFile(ini, kSettings);
    ProfileValues layer(p());
    platform::FileSystem& files = p().files;
    const bool hidden = checks("HiddenStays");
    ASSERT_TRUE(files.setFileAttributes(ini, fileattr::ReadOnly | (hidden ? fileattr::Hidden : 0)).ok());

    layer.WriteProfileValue(ini, "環境設定", "Sound", "Off");
    EXPECT_EQ(layer.ReadProfileValue(ini, "環境設定", "Sound"), "Off");
    EXPECT_EQ(files.getFileAttributes(ini) & fileattr::ReadOnly, 0u);
    if (hidden) {
        EXPECT_NE(files.getFileAttributes(ini) & fileattr::Hidden, 0u);
    }

    layer.WriteProfileValue(ini, "環境設定", "Sound", "NULL");
    EXPECT_EQ(layer.ReadProfileValue(ini, "環境設定", "Sound"), "Off");
    layer.WriteProfileValue(file("never.ini"), "s", "k", "NULL");
    EXPECT_EQ(target().readFile(file("never.ini")), std::nullopt);

    layer.WriteProfileValues(ini,
                             {{"新しい節", "一", "1"}, {"新しい節", "二", "NULL"}, {"環境設定", "Links", "x"}});
    EXPECT_EQ(*layer.GetProfileSectionKeys(ini, "新しい節"), Names{"一"});
    EXPECT_EQ(layer.ReadProfileValue(ini, "環境設定", "links"), "x");

    // A value holding a NUL is written up to it, as the ANSI API reads it; the lines after stay.
    layer.WriteProfileValue(ini, "環境設定", "Links", std::string("cut\0rest", 8));
    EXPECT_EQ(layer.ReadProfileValue(ini, "環境設定", "Links"), "cut");
    EXPECT_EQ(layer.ReadProfileValue(ini, "環境設定", "Quoted"), "a b");

    ASSERT_TRUE(files.setFileAttributes(ini, fileattr::ReadOnly).ok());
    layer.DeleteProfileKey(ini, "環境設定", "Sound");
    EXPECT_EQ(layer.ReadProfileValue(ini, "環境設定", "Sound"), "NULL");
    EXPECT_EQ(files.getFileAttributes(ini) & fileattr::ReadOnly, 0u);
    EXPECT_EQ(*layer.GetProfileSectionKeys(ini, "環境設定"), (Names{"Links", "Quoted", "Empty"}));
}

TEST_F(ProfileLayer, ARefusedWriteNamesTheFile) {
    ProfileValues layer(p());
    const std::string ini = file("No Such Folder\\Hastelyn.ini");
    const std::string refused = testing::commandErrorOf([&] { layer.WriteProfileValue(ini, "s", "k", "v"); });
    EXPECT_NE(refused.find(ini), std::string::npos) << refused;
    EXPECT_THROW(layer.DeleteProfileKey(ini, "s", "k"), CommandError);
    EXPECT_THROW(layer.WriteProfileValues(ini, {{"s", "k", "v"}}), CommandError);
}

}  // namespace
}  // namespace hastelyn::conformance
