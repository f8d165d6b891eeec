#include <gtest/gtest.h>

#include <regex>

#include "engine/RestorePoint.h"
#include "platform/Text.h"
#include "tests/engine/EngineFixture.h"

namespace hastelyn::engine {
namespace {

constexpr std::size_t kSystem = 0;
const char* const kMemory = "\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
const char* const kSubSystems = "\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\SubSystems";
const char* const kUsb = "\\SYSTEM\\CurrentControlSet\\Control\\Class\\{36FC9E60-C465-11CF-8056-444553540000}";
const char* const kUpdate = "\\SOFTWARE\\Policies\\Microsoft\\Windows\\WindowsUpdate";
const char* const kPoint = "C:\\Program Files\\Hastelyn\\復元ポイント system.ini";
const char* const kSysocMissing =
    "[システム]9 設定対象ファイルの検出に失敗しました。\r\n[環境設定]から正しいファイルパスを設定することができます。";

// What a System row reads or writes, as texts.
std::vector<std::string> rowValues(EngineFixture& fx, int row) {
    auto hklm = [&](const char* key, const char* name) { return fx.read(RootKey::LocalMachine, key, name, RegType::DWORD); };
    switch (row) {
        case 1: return {hklm(kMemory, "DisablePagingExecutive")};
        case 2: return {hklm(kMemory, "LargeSystemCache")};
        case 3: return {fx.read(RootKey::LocalMachine, kSubSystems, "Windows", RegType::String)};
        case 4: return {hklm(kMemory, "IoPageLockLimit")};
        case 5: return {hklm("\\SYSTEM\\CurrentControlSet\\Control\\PriorityControl", "IRQ8Priority")};
        case 6: return {hklm("\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer", "AlwaysUnloadDLL")};
        case 7: return {hklm((kUsb + std::string("\\0000")).c_str(), "IdleEnable")};
        case 8:
            return {fx.read(RootKey::CurrentUser, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                            "NoLowDiskSpaceChecks", RegType::DWORD)};
        case 9: {  // every component line, then how many the settings file remembers
            const std::string& sysoc = fx.session().paths.sysoc;
            std::vector<std::string> out = *fx.session().profiles.GetProfileSectionKeys(sysoc, "Components");
            for (std::string& key : out) key += "=" + fx.session().profiles.ReadProfileValue(sysoc, "Components", key);
            out.push_back(std::to_string(fx.session().settings.keys("システム9")->size()));
            return out;
        }
        default: return {hklm(kUpdate, "DoNotAllowXPSP2")};
    }
}

TEST(SystemItems, ReadTickApplyAndUntickOnEveryImage) {
    // ⑦ stays in force without any USB device; ⑩ does nothing but on XP.
    EngineFixture::checkImages(kSystem,
                               {{"95", {6, 7, 9}, {7}}, {"98", {6, 9}}, {"me", {6, 9}}, {"nt4", {6, 7, 9}, {7}},
                                {"2000", {6}}, {"xp", {6}}, {"2003", {2, 6, 10}, {10}}, {"vista", {6, 9}, {}, {}, false}},
                               [](const Row&) { return true; });
}

// The rows of plain values: their texts ticked and then unticked, as the documented values.
TEST(SystemItems, TickAndUntickWriteTheDocumentedTexts) {
    struct Expected {
        int row;
        std::string ticked, unticked;
    };
    const Expected rows[] = {
        {1, "1", "0"}, {4, "2097152", "0"}, {5, "2", "NULL"}, {6, "NULL", "1"}, {7, "1", "NULL"}, {8, "1", "NULL"},
    };
    EngineFixture fx("xp", kAndRead);
    for (bool ticked : {true, false}) {
        for (const Expected& e : rows) {
            ASSERT_TRUE(fx.row(kSystem, e.row).enabled) << e.row;
            fx.row(kSystem, e.row).ticked = ticked;
        }
        applyPass(fx.session());
        for (const Expected& e : rows)
            EXPECT_EQ(rowValues(fx, e.row), std::vector<std::string>{ticked ? e.ticked : e.unticked})
                << "row " << e.row << " ticked " << ticked;
    }
}

TEST(SystemItems, DesktopHeapChangesOnlyTheFirstSizeAsAnExpandableString) {
    MiniMachine m;
    m.hive(RootKey::LocalMachine, {"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\SubSystems]",
                                   "\"Windows\"=\"SharedSection=1024,3072,3072\""});
    EngineFixture fx(m, kAndRead);
    fx.apply(kSystem, {3});
    EXPECT_EQ(rowValues(fx, 3)[0], "SharedSection=1024,2048,3072");
    EXPECT_EQ(fx.session().registry.GetRegValueType(RootKey::LocalMachine, kSubSystems, "Windows"), RegType::ExString);

    fx.restartAndRead();  // 2048 anywhere is enough, beside a 3072 too
    ASSERT_TRUE(fx.row(kSystem, 3).ticked);
    fx.apply(kSystem, {}, {3});
    EXPECT_EQ(rowValues(fx, 3)[0], "SharedSection=1024,3072,3072");
}

TEST(SystemItems, UsbWalkStopsAtTheFirstMissingDevice) {
    const std::string device = std::string("[HKEY_LOCAL_MACHINE") + kUsb + "\\";
    MiniMachine m;
    m.hive(RootKey::LocalMachine, {device + "0000]", "\"IdleEnable\"=dword:1", device + "0001]", "\"IdleEnable\"=dword:1",
                                   device + "0003]", "\"IdleEnable\"=dword:0"});
    EngineFixture fx(m);
    auto idle = [&] {
        std::string all;
        for (const char* n : {"0000", "0001", "0002", "0003"})
            all += fx.read(RootKey::LocalMachine, std::string(kUsb) + "\\" + n, "IdleEnable", RegType::DWORD) + " ";
        return all;
    };
    readPass(fx.session());
    EXPECT_TRUE(fx.row(kSystem, 7).ticked);  // 0003 lies beyond the gap
    fx.backupCategory(kSystem, kPoint);
    const std::string point = fx.driveCText("Program Files/Hastelyn/復元ポイント system.ini");
    EXPECT_NE(point.find("7.0=1\r\n7.1=1\r\n"), std::string::npos);
    EXPECT_EQ(point.find("7.3"), std::string::npos);

    fx.apply(kSystem, {}, {7});
    EXPECT_EQ(idle(), "NULL NULL NULL 0 ");
    fx.restoreCategory(kSystem, kPoint);
    EXPECT_EQ(idle(), "1 1 NULL 0 ");

    // A device in the gap since: the file has no key for it nor for the one the walk now reaches
    // behind it, so their values go.
    fx.session().registry.WriteRegValue(RootKey::LocalMachine, std::string(kUsb) + "\\0002", "IdleEnable", "5",
                                        RegType::DWORD);
    fx.restoreCategory(kSystem, kPoint);
    EXPECT_EQ(idle(), "1 1 NULL NULL ");

    MiniMachine bare;  // a class key without devices
    bare.hive(RootKey::LocalMachine, {device.substr(0, device.size() - 1) + "]", "\"Class\"=\"USB\""});
    EngineFixture empty(bare, kAndRead);
    EXPECT_TRUE(empty.row(kSystem, 7).ticked);
}

TEST(SystemItems, UsbWalkEndsAfterTwentyDevices) {
    const std::string device = std::string("[HKEY_LOCAL_MACHINE") + kUsb + "\\";
    std::string hive;
    for (int n = 0; n <= 20; ++n) {  // 0000 to 0019 in force, 0020 not
        hive += device + (n < 10 ? "000" : "00") + std::to_string(n) + "]\r\n";
        hive += n < 20 ? "\"IdleEnable\"=dword:1\r\n" : "\"IdleEnable\"=dword:0\r\n";
    }
    MiniMachine m;
    m.hive(RootKey::LocalMachine, hive);
    EngineFixture fx(m, kAndRead);
    EXPECT_TRUE(fx.row(kSystem, 7).ticked) << "the twenty-first device is not read";
    fx.backupCategory(kSystem, kPoint);
    const std::string point = fx.driveCText("Program Files/Hastelyn/復元ポイント system.ini");
    EXPECT_NE(point.find("7.19=1\r\n"), std::string::npos);
    EXPECT_EQ(point.find("7.20"), std::string::npos);

    fx.apply(kSystem, {}, {7});
    const auto idle = [&](const char* n) {
        return fx.read(RootKey::LocalMachine, std::string(kUsb) + "\\" + n, "IdleEnable", RegType::DWORD);
    };
    EXPECT_EQ(idle("0019"), "NULL");
    EXPECT_EQ(idle("0020"), "0");
}

TEST(SystemItems, HiddenComponentsComeBackExactlyAndNeedTheirFile) {
    EngineFixture fx("xp");
    const std::string sysoc = fx.session().paths.sysoc;
    const std::vector<std::string> original = rowValues(fx, 9);
    readPass(fx.session());
    fx.apply(kSystem, {9});
    auto line = [&](const char* key) { return fx.session().profiles.ReadProfileValue(sysoc, "Components", key); };
    EXPECT_EQ(line("WBEM"), "ocgen.dll,OcEntry,wbemoc.inf,,7");
    EXPECT_EQ(line("Pinball"), "ocgen.dll,OcEntry,pinball.inf,,7");  // was HIDE
    EXPECT_EQ(line("TerminalServer"), "TsOc.dll, HydraOc, TsOc.inf,,2");
    EXPECT_EQ(fx.session().settings.read("システム9", "Pinball"), "ocgen.dll,OcEntry,pinball.inf,HIDE,7");
    fx.restartAndRead();
    ASSERT_TRUE(fx.row(kSystem, 9).ticked);
    fx.apply(kSystem, {}, {9});
    EXPECT_EQ(rowValues(fx, 9), original);  // every line as it was, "システム9" empty

    // No sysoc.inf: the row reads in force; changing it or restoring shows the error, silently.
    EngineFixture none{MiniMachine{}};
    none.session().settings.write("環境設定", "Sound", "On");
    readPass(none.session());
    none.apply(kSystem, {}, {9});
    none.restoreCategory(kSystem, kPoint);
    const std::pair<foundation::DialogKind, std::string> error{foundation::DialogKind::Error, kSysocMissing};
    EXPECT_EQ(none.dialogs().shown, (Shown{error, error}));
    EXPECT_TRUE(none.clipboard().history.empty());
    EXPECT_EQ(none.session().model.state()[8], 1);
}

// The settings file's memory of System ⑨ says what is out of sysoc.inf after any restore, so that
// the next restore point records the truth.
TEST(SystemItems, ARestoreLeavesTheMemoryOfExactlyTheLinesItTookOut) {
    EngineFixture fx("xp", kAndRead);
    Session& s = fx.session();
    const std::vector<std::string> original = rowValues(fx, 9);
    ASSERT_EQ(original.back(), "0");
    const std::string a = "C:\\Program Files\\Hastelyn\\復元ポイント A.ini";
    const std::string b = "C:\\Program Files\\Hastelyn\\復元ポイント B.ini";
    const std::string c = "C:\\Program Files\\Hastelyn\\復元ポイント C.ini";
    WriteRestorePoint(s, a);
    fx.apply(kSystem, {9});
    ApplyRestorePoint(s, a);
    EXPECT_EQ(rowValues(fx, 9), original);
    WriteRestorePoint(s, b);
    ApplyRestorePoint(s, b);
    EXPECT_EQ(rowValues(fx, 9), original);
    EXPECT_FALSE(fx.tickedAfterRestart(kSystem, 9));

    // A restore point with only some lines out, applied when all are: the others go back with
    // their "hide" and are forgotten, the ones it names stay out and remembered.
    Session& again = fx.session();
    fx.apply(kSystem, {9});
    WriteRestorePoint(again, c);
    const std::vector<std::string> out = *again.settings.keys("システム9");
    ASSERT_GT(out.size(), 2u);
    again.profiles.DeleteProfileKey(c, "システム9", "Pinball");
    ApplyRestorePoint(again, c);
    EXPECT_EQ(again.profiles.ReadProfileValue(again.paths.sysoc, "Components", "Pinball"),
              "ocgen.dll,OcEntry,pinball.inf,HIDE,7");
    EXPECT_EQ(again.settings.read("システム9", "Pinball"), "NULL");
    EXPECT_EQ(again.settings.keys("システム9")->size(), out.size() - 1);
    for (const std::string& key : out) {
        if (key == "Pinball") continue;
        SCOPED_TRACE(key);
        const std::string remembered = again.settings.read("システム9", key);
        const std::string line = again.profiles.ReadProfileValue(again.paths.sysoc, "Components", key);
        EXPECT_TRUE(text::containsNoCase(remembered, "hide"));
        EXPECT_FALSE(text::containsNoCase(line, "hide"));
    }
}

TEST(SystemItems, UpdateBlockIsLiftedByEveryPassOnXpComesBackFromARestorePointAndNeverFlips) {
    EngineFixture xp("xp");
    xp.session().registry.WriteRegValue(RootKey::LocalMachine, kUpdate, "DoNotAllowXPSP2", "1", RegType::DWORD);
    readPass(xp.session());
    EXPECT_TRUE(xp.row(kSystem, 10).ticked);
    WriteRestorePoint(xp.session(), kPoint);
    applyPass(xp.session());  // nothing changed
    EXPECT_EQ(rowValues(xp, 10)[0], "NULL");
    // Switched off on XP, yet a restore point puts the block back.
    ApplyRestorePoint(xp.session(), kPoint);
    EXPECT_EQ(rowValues(xp, 10)[0], "1");

    EngineFixture server("2003");  // enabled there, but it does nothing
    readPass(server.session());
    server.apply(kSystem, {}, {10});
    EXPECT_EQ(server.session().model.state()[9], 1);
    EXPECT_EQ(rowValues(server, 10)[0], "1");
}

// Everything in force: the keys in row order, the lines in their own section, and a restore
// takes the lines out of the way again. (Back to a state with less in force: the whole-machine
// round trip.)
TEST(SystemItems, RestorePointOfEverythingInForceRoundTrips) {
    EngineFixture fx("xp", kAndRead);
    fx.tickAll(kSystem, true);
    applyPass(fx.session());
    fx.backupCategory(kSystem, kPoint);
    EXPECT_TRUE(std::regex_search(fx.driveCText("Program Files/Hastelyn/復元ポイント system.ini"),
                                  std::regex("^\\[システム\\]\r\n1=1\r\n2=1\r\n3=[^\r]*2048[^\r]*\r\n4=2097152\r\n5=2\r\n"
                                             "7\\.0=1\r\n7\\.1=1\r\n7\\.2=1\r\n8=1\r\n\\[システム9\\]\r\nWBEM=[^\r]*hide")));
    fx.tickAll(kSystem, false);
    applyPass(fx.session());
    fx.restoreCategory(kSystem, kPoint);
    fx.restartAndRead();
    EXPECT_EQ(fx.tickedRows(kSystem), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

}  // namespace
}  // namespace hastelyn::engine
