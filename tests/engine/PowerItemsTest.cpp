#include <gtest/gtest.h>

#include <filesystem>

#include "engine/BootFile.h"
#include "tests/engine/EngineFixture.h"

namespace hastelyn::engine {
namespace {

constexpr std::size_t kPower = 3;
const char* const kDesktopKey = "\\Control Panel\\Desktop";
const char* const kRestorePoint = "C:\\Program Files\\Hastelyn\\復元ポイント power.ini";
const char* const kLogoMissing =
    "[起動・終了]5 設定対象ファイルの検出に失敗しました。\r\n[環境設定]から正しいファイルパスを設定することができます。";
const char* const kTimeoutMissing =
    "[起動・終了]10 設定対象ファイルの検出に失敗しました。\r\n[環境設定]から正しいファイルパスを設定することができます。";

// What a Start-up row reads or writes, as texts.
std::vector<std::string> rowValues(EngineFixture& fx, int number) {
    const BootFile boot(fx.session());
    auto hklm = [&](const char* key, const char* name, RegType type) {
        return fx.read(RootKey::LocalMachine, key, name, type);
    };
    const char* system = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\policies\\system";
    switch (number) {
        case 1: return {hklm("\\SOFTWARE\\Microsoft\\Dfrg\\BootOptimizeFunction", "Enable", RegType::String)};
        case 2: return {hklm("\\SYSTEM\\CurrentControlSet\\Control", "WaitToKillServiceTimeout", RegType::String)};
        case 3:
            return {fx.read(RootKey::CurrentUser, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                            "ClearRecentDocsOnExit", RegType::DWORD)};
        case 4: return {hklm("\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "KeepRasConnections", RegType::String)};
        case 5: return {boot.ntFamily() ? boot.defaultLine() : boot.logo()};
        case 6: return {fx.read(RootKey::CurrentUser, kDesktopKey, "AutoEndTasks", RegType::String)};
        case 7: return {fx.read(RootKey::CurrentUser, kDesktopKey, "WaitToKillAppTimeout", RegType::String)};
        case 8:
            return {hklm(system, "SynchronousMachineGroupPolicy", RegType::DWORD), hklm(system, "SynchronousUserGroupPolicy", RegType::DWORD)};
        case 9:
            return {hklm("\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management",
                         "ClearPageFileAtShutdown", RegType::DWORD)};
        default: return {boot.timeout()};
    }
}

MiniMachine withBootIni(const std::string& text) {
    MiniMachine m;
    m.file("C:\\boot.ini", text);
    return m;
}

TEST(PowerItems, ReadTickApplyAndUntickOnEveryImage) {
    EngineFixture::checkImages(kPower,
                               {{"95", {}}, {"98", {}}, {"me", {}}, {"nt4", {9}}, {"2000", {9}}, {"xp", {1, 9}},
                                {"2003", {1, 9}}, {"vista", {9}, {}, {}, false}},
                               [](const Row&) { return true; });
}

// Each row's written texts, ticked and then unticked, as the documented values (not merely that
// the row reads ticked or unticked afterwards).
TEST(PowerItems, TickAndUntickWriteTheDocumentedTexts) {
    struct Expected {
        int row;
        std::vector<std::string> ticked, unticked;
    };
    const Expected rows[] = {
        {1, {"Y"}, {"N"}},           {2, {"1000"}, {"20000"}},      {3, {"1"}, {"NULL"}},
        {4, {"1"}, {"NULL"}},        {6, {"1"}, {"0"}},             {7, {"3000"}, {"20000"}},
        {8, {"0", "0"}, {"NULL", "NULL"}}, {9, {"0"}, {"1"}},        {10, {"5"}, {"30"}},
    };
    EngineFixture fx("xp", kAndRead);
    const std::string defaultLine = rowValues(fx, 5)[0];
    ASSERT_EQ(defaultLine.find(" /noguiboot"), std::string::npos);

    fx.tickAll(kPower, true);
    applyPass(fx.session());
    for (const Expected& e : rows) EXPECT_EQ(rowValues(fx, e.row), e.ticked) << "row " << e.row << " ticked";
    EXPECT_EQ(rowValues(fx, 5), std::vector<std::string>{defaultLine + " /noguiboot"});

    fx.tickAll(kPower, false);
    applyPass(fx.session());
    for (const Expected& e : rows) EXPECT_EQ(rowValues(fx, e.row), e.unticked) << "row " << e.row << " unticked";
    EXPECT_EQ(rowValues(fx, 5), std::vector<std::string>{defaultLine});
}

// A restore reads the rows afresh: one in force before it and not after it is no change for the
// next accelerate, which leaves it as it is.
TEST(PowerItems, ARowNoLongerInForceAfterAFreshReadIsNoChange) {
    EngineFixture fx("xp", kAndRead);
    fx.apply(kPower, {10});
    ASSERT_EQ(rowValues(fx, 10), std::vector<std::string>{"5"});
    BootFile(fx.session()).write("boot loader", "timeout", "20");  // changed by someone else
    clearTicks(fx.session());
    readPass(fx.session());
    ASSERT_FALSE(fx.row(kPower, 10).ticked);
    applyPass(fx.session());
    EXPECT_EQ(rowValues(fx, 10), std::vector<std::string>{"20"});
}

TEST(PowerItems, LogoSwitchIsAppendedAndRemovedInExactCase) {
    for (const char* image : {"nt4", "2000", "98"}) {
        SCOPED_TRACE(image);
        EngineFixture fx(image, kAndRead);
        const std::vector<std::string> before = rowValues(fx, 5);
        fx.apply(kPower, {5});
        if (std::string_view(image) == "nt4") {
            // Two lines under the default key: the first is the system's, the other stays.
            EXPECT_NE(fx.driveCText("boot.ini").find("\\WINNT=\"Windows NT Workstation Version 4.00\" /noguiboot\n"
                                                     "multi(0)disk(0)rdisk(0)partition(1)\\WINNT=\"Windows NT "
                                                     "Workstation Version 4.00 [VGA mode]\" /basevideo /sos\n"),
                      std::string::npos);
        }
        fx.apply(kPower, {}, {5});
        EXPECT_EQ(rowValues(fx, 5), before);
    }

    // Someone else's capitals read as in force and survive an untick.
    const std::string line = "\"XP\" /fastdetect /NOGUIBOOT";
    EngineFixture caps(withBootIni("[boot loader]\r\ndefault=multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS\r\n"
                                   "[operating systems]\r\nmulti(0)disk(0)rdisk(0)partition(1)\\WINDOWS=" + line + "\r\n"),
                       kAndRead);
    ASSERT_TRUE(caps.row(kPower, 5).ticked);
    caps.apply(kPower, {}, {5});
    EXPECT_EQ(caps.session().model.state()[34], 0);
    EXPECT_EQ(rowValues(caps, 5)[0], line);
    EXPECT_TRUE(caps.tickedAfterRestart(kPower, 5));
}

TEST(PowerItems, MissingBootFileShowsTheErrorsAndOnlyTheTimeoutKeepsItsFlag) {
    EngineFixture fx{MiniMachine{}};
    fx.session().settings.write("環境設定", "Sound", "On");
    ASSERT_EQ(fx.session().paths.boot, "NULL");
    readPass(fx.session());
    fx.apply(kPower, {5, 10});
    applyPass(fx.session());
    const auto error = foundation::DialogKind::Error;
    EXPECT_EQ(fx.dialogs().shown, (Shown{{error, kLogoMissing}, {error, kTimeoutMissing}, {error, kTimeoutMissing}}));
    EXPECT_EQ(fx.session().model.state()[34], 1);
    EXPECT_EQ(fx.session().model.state()[39], 0);

    fx.dialogs().shown.clear();
    fx.restoreCategory(kPower, kRestorePoint);
    EXPECT_EQ(fx.dialogs().shown, (Shown{{error, kLogoMissing}, {error, kTimeoutMissing}}));
    EXPECT_TRUE(fx.clipboard().history.empty());
}

// The switch is appended and removed alone, whatever form the line has; quotes come only to a
// line that is nothing but its title. A restore point taken before the change puts the very
// line back, and one taken without a change since leaves the file as it is.
TEST(PowerItems, BootLinesKeepTheirFormThroughTickUntickAndRestore) {
    const std::string head = "[boot loader]\r\ntimeout=30\r\ndefault=multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS\r\n"
                             "[operating systems]\r\nmulti(0)disk(0)rdisk(0)partition(1)\\WINDOWS=";
    struct Case {
        std::string line, ticked;
    };
    for (const Case& c : {Case{"Microsoft Windows XP Professional /fastdetect",
                               "Microsoft Windows XP Professional /fastdetect /noguiboot"},
                          Case{"\"Microsoft Windows XP Professional\"", "\"Microsoft Windows XP Professional\" /noguiboot"},
                          Case{"\"XP\" /fastdetect", "\"XP\" /fastdetect /noguiboot"}}) {
        SCOPED_TRACE(c.line);
        const std::string text = head + c.line + "\r\n";
        EngineFixture fx(withBootIni(text), kAndRead);
        fx.backupCategory(kPower, kRestorePoint);
        fx.restoreCategory(kPower, kRestorePoint);
        EXPECT_EQ(fx.driveCText("boot.ini"), text);
        EXPECT_FALSE(std::filesystem::exists(fx.folder() / "drives/C/boot.ini.hastelyn-backup"));

        fx.apply(kPower, {5});
        EXPECT_EQ(fx.driveCText("boot.ini"), head + c.ticked + "\r\n");
        fx.apply(kPower, {}, {5});
        EXPECT_EQ(fx.driveCText("boot.ini"), text);
        fx.apply(kPower, {5});
        fx.restoreCategory(kPower, kRestorePoint);
        EXPECT_EQ(fx.driveCText("boot.ini"), text);
    }
}

TEST(PowerItems, BootIniWithoutTheNeededLinesGetsNoMadeUpLine) {
    const std::string systems = "[operating systems]\r\nmulti(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP\"\r\n";
    for (const std::string& text : {systems, "[boot loader]\r\ndefault=multi(0)disk(0)rdisk(0)partition(2)\\WINNT\r\n" +
                                                 systems}) {
        EngineFixture fx(withBootIni(text), kAndRead);
        EXPECT_TRUE(fx.tickedRows(kPower).empty());
        fx.apply(kPower, {5, 10});
        EXPECT_EQ(fx.session().model.state()[34], 0);
        EXPECT_TRUE(fx.dialogs().shown.empty());
        const std::string after = fx.driveCText("boot.ini");
        EXPECT_EQ(after.find("NULL"), std::string::npos) << after;
        EXPECT_NE(after.find("=\"XP\"\r\n"), std::string::npos) << after;
        fx.restartAndRead();
        EXPECT_EQ(fx.tickedRows(kPower), std::vector<int>{10});  // the timeout is written all the same
    }
    // Garbage is no boot file worth reading, and no reason to fail.
    const char raw[] = "\xff\xfe[boot loader\0]\r\ntimeout\r\n=5\r\n";
    EngineFixture garbage(withBootIni(std::string(raw, sizeof raw - 1)), kAndRead);
    EXPECT_TRUE(garbage.tickedRows(kPower).empty());
}

TEST(PowerItems, BootFileIsCopiedOnceBeforeTheFirstChange) {
    EngineFixture fx("xp");
    const std::string original = fx.driveCText("boot.ini");
    platform::FileSystem& files = fx.platform().files;
    const std::uint32_t attributes = files.getFileAttributes("C:\\boot.ini");
    readPass(fx.session());
    fx.apply(kPower, {10});
    EXPECT_EQ(fx.driveCText("boot.ini.hastelyn-backup"), original);
    EXPECT_EQ(files.getFileAttributes("C:\\boot.ini.hastelyn-backup"), attributes);
    EXPECT_EQ(files.getFileAttributes("C:\\boot.ini") & platform::fileattr::ReadOnly, 0u);

    EXPECT_NE(fx.driveCText("boot.ini"), original);

    fx.row(kPower, 10).ticked = false;  // a second change keeps the first copy
    applyPass(fx.session());
    EXPECT_EQ(fx.driveCText("boot.ini.hastelyn-backup"), original);
    EXPECT_EQ(fx.driveCText("boot.ini"), original);  // the timeout back, every other line as it was
}

// NT 4.0, which the whole-machine round trip does not take.
TEST(PowerItems, RestorePointRoundTripsOnNt4) {
    EngineFixture fx("nt4");
    const auto bootText = [&] {
        std::string text = fx.driveCText("boot.ini");
        std::erase(text, '\r');
        return text;
    };
    const std::string boot = bootText();
    readPass(fx.session());
    const std::vector<int> atFirst = fx.tickedRows(kPower);
    std::vector<std::vector<std::string>> values;
    for (int r = 1; r <= 10; ++r) values.push_back(rowValues(fx, r));
    fx.backupCategory(kPower, kRestorePoint);
    fx.tickAll(kPower, true);
    applyPass(fx.session());

    fx.restoreCategory(kPower, kRestorePoint);
    for (int r = 1; r <= 10; ++r) EXPECT_EQ(rowValues(fx, r), values[static_cast<std::size_t>(r) - 1]) << r;
    EXPECT_EQ(bootText(), boot);  // titles keep their quotes
    fx.restartAndRead();
    EXPECT_EQ(fx.tickedRows(kPower), atFirst);
}

}  // namespace
}  // namespace hastelyn::engine
