// The NTFS conversion: the estimate in 64 bits, the placeholder file through fsutil, the
// convert command the sandbox carries out, and what happens on No and when fsutil is missing.
#include <gtest/gtest.h>

#include "engine/Utilities.h"
#include "foundation/CommandError.h"
#include "foundation/SystemTools.h"
#include "tests/engine/EngineFixture.h"
#include "tests/support/CommandErrorText.h"

namespace hastelyn::engine {
namespace {

const std::string kPlain = "WinExec\t1\tcmd /k %SystemRoot%\\system32\\convert C: /fs:ntfs /v";

// An XP machine whose drive C has this file system and free space.
MiniMachine xpDrive(const std::string& fileSystem, std::uint64_t freeBytes) {
    MiniMachine m;
    m.drive('C', "Fixed", fileSystem, "SYSTEM", "1C2D3E4F").driveSpace('C', 400'000'000'000ULL, freeBytes);
    m.file("C:\\data\\a.txt", "a").file("C:\\data\\b.txt", "b");
    return m;
}

// journal.log's lines after the first `from`.
std::vector<std::string> journalLines(EngineFixture& fx, std::size_t from = 0) {
    const std::vector<std::string> lines = testing::linesOf(fx.journal());
    return {lines.begin() + static_cast<std::ptrdiff_t>(std::min(from, lines.size())), lines.end()};
}

TEST(NtfsConversion, EstimateRoundsTiesToEvenClampsTheReserveAndNeverOverflows) {
    EXPECT_EQ(roundedQuotient(250, 100), 2);
    EXPECT_EQ(roundedQuotient(350, 100), 4);
    EXPECT_EQ(roundedQuotient(351, 100), 4);
    EXPECT_EQ(roundedQuotient(-150, 100), -2);
    EXPECT_EQ(roundedQuotient(-1, 803), 0);

    // An unknown free space (-1): the smallest reserve, and never enough room.
    ConversionEstimate e = estimateConversion(-1, 10);
    EXPECT_EQ(e.need, 1048576 + 12800);
    EXPECT_EQ(e.placeholderSize, 10240);
    EXPECT_FALSE(e.fits);

    // A 300 GB drive with two million entries: every figure is past 32 bits, none is an error.
    e = estimateConversion(300'000'000'000, 2'000'000);
    EXPECT_EQ(e.need, 4194304LL + 373599004LL + 2'560'000'000LL);
    EXPECT_EQ(e.placeholderSize, 2'048'000'000LL);
    EXPECT_TRUE(e.fits);

    // size + need must stay below the free space: equal is not enough.
    EXPECT_EQ(estimateConversion(1'049'883, 0).need, 1'049'883);
    EXPECT_FALSE(estimateConversion(1'049'883, 0).fits);
    EXPECT_TRUE(estimateConversion(1'049'884, 0).fits);
    // A count no drive has gives no placeholder rather than a wrapped size.
    EXPECT_FALSE(estimateConversion(INT64_MAX, INT64_MAX / 1000).fits);
}

TEST(NtfsConversion, OnXpAFatDriveWithRoomGetsThePlaceholderThenConvertsOnce) {
    EngineFixture fx(xpDrive("FAT32", 20'000'000'000ULL));
    const long long entries = foundation::CountFolderEntries(fx.platform().files, "C:");
    ASSERT_GT(entries, 2);
    ASSERT_TRUE(convertToNtfs(fx.session(), 'C'));

    ASSERT_EQ(fx.dialogs().shown.size(), 1u);
    EXPECT_EQ(fx.dialogs().shown[0].second,
              "指定したドライブのファイルシステムをFATからNTFSに変換しますか？\r\n\r\n※ 変換によってデータの破損や損失が起こることは、"
              "通常ありませんが、\r\n　万一を考えて、重要なデータをバックアップしておくことを推奨します。");
    EXPECT_TRUE(fx.clipboard().history.empty()) << "the question has no spoken text";
    EXPECT_EQ(journalLines(fx), (std::vector<std::string>{
                                    "CreateProcess\tfsutil file createnew C:\\TmpMFT " + std::to_string(entries * 1024),
                                    kPlain + " /cvtarea:C:\\TmpMFT"}));
    // convert made the drive NTFS and took the placeholder for its file table.
    EXPECT_NE(testing::fileText(fx.folder() / "machine.ini").find("C=Fixed,NTFS,drives/C"), std::string::npos);
    EXPECT_EQ(fx.platform().files.getFileAttributes("C:\\TmpMFT"), platform::fileattr::Invalid);

    // A second conversion sees NTFS, also on the next start: the plain command, no fsutil.
    for (int round = 0; round < 2; ++round) {
        const std::size_t before = journalLines(fx).size();
        ASSERT_TRUE(convertToNtfs(fx.session(), 'C'));
        EXPECT_EQ(journalLines(fx, before), std::vector<std::string>{kPlain});
        fx.restart();
    }
}

TEST(NtfsConversion, ThePlainCommandWithoutRoomOnNtfsAndOffXp) {
    struct Case {
        const char* what;
        MiniMachine machine;
    };
    MiniMachine nt4 = xpDrive("FAT", 20'000'000'000ULL);
    nt4.edition("nt4");
    const Case cases[] = {
        {"too little room", xpDrive("FAT32", 1'050'000)},
        {"NTFS already", xpDrive("NTFS", 20'000'000'000ULL)},
        {"NT 4.0", nt4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EngineFixture fx(c.machine);
        ASSERT_TRUE(convertToNtfs(fx.session(), 'C'));
        EXPECT_EQ(journalLines(fx), std::vector<std::string>{kPlain});
    }
}

TEST(NtfsConversion, NoStartsNothingAndAMissingFsutilEndsWithExecError) {
    EngineFixture no(xpDrive("FAT32", 20'000'000'000ULL));
    no.dialogs().answers = {false};
    EXPECT_FALSE(convertToNtfs(no.session(), 'C'));
    EXPECT_EQ(no.journal(), "");

    MiniMachine m = xpDrive("FAT32", 20'000'000'000ULL);
    m.shell("Missing", "fsutil");
    EngineFixture fx(m);
    EXPECT_EQ(testing::commandErrorOf([&] { convertToNtfs(fx.session(), 'C'); }), "Exec Error 2");
    const std::vector<std::string> lines = journalLines(fx);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "NotStarted\tfsutil\t2");
    EXPECT_NE(testing::fileText(fx.folder() / "machine.ini").find("C=Fixed,FAT32"), std::string::npos);
}

}  // namespace
}  // namespace hastelyn::engine
