#include <gtest/gtest.h>

#include "foundation/ColorText.h"
#include "foundation/DisplaySettings.h"
#include "foundation/LockedItems.h"
#include "foundation/Migration.h"
#include "foundation/SystemPaths.h"
#include "platform/Text.h"
#include "tests/support/SandboxFixture.h"

namespace hastelyn::foundation {
namespace {

using testing::MiniMachine;
using Change = LockableControls::Change;

const char* const kIni = "C:\\Program Files\\Hastelyn\\Hastelyn.ini";

// A machine and its settings file, as the program finds them at start.
struct Started {
    explicit Started(const MiniMachine& m = MiniMachine{})
        : fx(m), profiles(fx.platform()), settings(profiles, settingsPathFor(fx.platform().system.programPath())) {}
    SystemPaths detect() {
        SystemPaths paths;
        detectSystemPaths(fx.platform(), detectEdition(fx.platform().system.getVersion()), settings, paths);
        return paths;
    }
    std::string at(std::string_view section, std::string_view key) const { return settings.read(section, key); }
    void set(std::string_view key, std::string_view value) { settings.write(kGeneralSection, key, value); }

    testing::SandboxFixture fx;
    ProfileValues profiles;
    Settings settings;
};

TEST(SettingsPaths, TheSettingsFileAndTheFoundPathsInItAndMissingOnesLookedForAgain) {
    // The settings file is the program with its extension replaced.
    EXPECT_EQ(settingsPathFor("C:\\Tools\\Hastelyn.exe"), "C:\\Tools\\Hastelyn.ini");
    EXPECT_EQ(settingsPathFor("C:\\Tools\\a.b.exe"), "C:\\Tools\\a.b.ini");
    EXPECT_EQ(settingsPathFor("C:\\My.Tools\\Hastelyn"), "C:\\My.Tools\\Hastelyn.ini");

    MiniMachine m;
    m.drive('D', "Fixed", "NTFS").file("C:\\WINDOWS\\inf\\sysoc.inf", "").file("D:\\boot.ini", "");
    Started xp(m);
    const SystemPaths found = xp.detect();
    EXPECT_EQ(found.answerFile, "C:\\WINDOWS\\System32\\$winnt$.inf");
    EXPECT_EQ(xp.at("環境設定", "SysocPath"), "C:\\WINDOWS\\inf\\sysoc.inf");
    EXPECT_EQ(xp.at("環境設定", "BootPath"), "D:\\boot.ini");
    EXPECT_EQ(found.boot, "D:\\boot.ini");

    Started bare;
    EXPECT_EQ(bare.detect().sysoc, "NULL");
    EXPECT_EQ(bare.fx.platform().files.getFileAttributes(kIni), platform::fileattr::Invalid);
    bare.set("BootPath", "E:\\boot.ini");  // taken as stored, found or not
    EXPECT_EQ(bare.detect().boot, "E:\\boot.ini");

    // Without sysoc.inf in the Windows folder, WINDOWS comes before WINNT; the system drive's
    // boot.ini before any other.
    MiniMachine other;
    other.windowsFolder = "C:\\OS";
    other.drive('D', "Fixed", "NTFS").file("C:\\WINNT\\inf\\sysoc.inf", "").file("C:\\Windows\\INF\\SYSOC.INF", "");
    other.file("C:\\BOOT.INI", "").file("D:\\boot.ini", "");
    Started nt(other);
    EXPECT_EQ(nt.detect().sysoc, "C:\\WINDOWS\\inf\\sysoc.inf");
    EXPECT_EQ(nt.at("環境設定", "BootPath"), "C:\\boot.ini");

    MiniMachine w98;
    w98.edition("98").file("C:\\boot.ini", "");
    Started nine(w98);
    EXPECT_EQ(nine.detect().boot, "C:\\Msdos.sys");  // never looked for

    MiniMachine last;  // the last drive looked at
    last.drive('Z', "Fixed", "NTFS").file("Z:\\boot.ini", "");
    EXPECT_EQ(Started(last).detect().boot, "Z:\\boot.ini");
}

TEST(SettingsLocks, StartUpMarksOverwriteTheUsersLocksOfDisabledControlsOnly) {
    MiniMachine m;
    m.file(kIni, "[DisabledItem]\r\nSystem10=true\r\nSystem1=true\r\nDesktop2=garbage\r\nUtility1=pre_true\r\n");
    Started started(m);
    LockableControls controls;
    const DisabledControls xp = disabledControlsFor({"NT", "XP"});
    for (const int row : xp.rows[0]) controls.tweakRowEnabled[0][static_cast<std::size_t>(row - 1)] = false;
    controls.utilityEnabled[2] = controls.pcInfoEditable[1] = controls.serviceFirstRowEnabled = false;
    controls.serviceListHasRows = true;
    markPreLocked(started.settings, controls);
    EXPECT_EQ(*started.settings.keys("DisabledItem"),
              (std::vector<std::string>{"System10", "System1", "Desktop2", "Utility1", "Service", "Utility3",
                                        "PCInfo2"}));
    EXPECT_EQ(started.at("DisabledItem", "System10"), "pre_true");
    EXPECT_EQ(started.at("DisabledItem", "Desktop2"), "garbage");

    applyLockedItems(started.settings, controls);
    EXPECT_FALSE(controls.tweakRowEnabled[0][9]);
    EXPECT_FALSE(controls.tweakRowEnabled[0][0]);
    EXPECT_TRUE(controls.tweakRowEnabled[1][1]);
    EXPECT_TRUE(controls.utilityEnabled[0]);  // an old mark leaves the control as it is
    EXPECT_FALSE(controls.utilityEnabled[2]);
    EXPECT_EQ(controls.serviceRows, Change::Leave);

    Started empty;  // no services: nothing to mark
    markPreLocked(empty.settings, LockableControls{.serviceFirstRowEnabled = false});
    EXPECT_EQ(empty.at("DisabledItem", "Service"), "NULL");
}

TEST(SettingsLocks, ValuesCompareExactlyAndTheServicesAreLockedWhenAbsent) {
    const std::tuple<const char*, bool, Change> cases[] = {
        {nullptr, true, Change::Disable}, {"true", false, Change::Disable}, {"false", true, Change::Enable},
        {"True", true, Change::Enable},   {"", true, Change::Enable},       {"pre_true", false, Change::Leave},
    };
    for (const auto& [value, enabled, service] : cases) {
        MiniMachine m;
        if (value != nullptr) {
            const std::string v = value;
            m.file(kIni, "[DisabledItem]\r\nOthers10=" + v + "\r\nService=" + v + "\r\nUtility10=" + v +
                             "\r\nPCInfo3=" + v + "\r\n");
        }
        Started started(m);
        // Each control starts the other way round, except where it is to be left.
        const bool before = service == Change::Leave ? enabled : !enabled;
        LockableControls controls;
        controls.tweakRowEnabled[4][9] = controls.utilityEnabled[9] = controls.pcInfoEditable[2] = before;
        applyLockedItems(started.settings, controls);
        const std::string label = value == nullptr ? "absent" : value;
        EXPECT_EQ(controls.tweakRowEnabled[4][9], enabled) << label;
        EXPECT_EQ(controls.utilityEnabled[9], enabled) << label;
        EXPECT_EQ(controls.pcInfoEditable[2], enabled) << label;
        EXPECT_EQ(controls.serviceRows, service) << label;
    }
}

TEST(SettingsDisplay, ColoursCountWithAStyleAndANewTextNumbersWithinTheirRange) {
    MiniMachine m;
    m.file(kIni,
           "[環境設定]\r\nTitleColor=clRed\r\nMenuColor=$009CCFCE\r\nAccelColor=$009ccfff\r\nSubColor=pink\r\n"
           "CommentHint=on\r\nTabStyle=buttons\r\n");
    Started started(m);
    DisplaySettings display = loadDisplaySettings(started.settings);
    EXPECT_FALSE(display.titleColor || display.accelColor || display.repaintMain || display.commentHint ||
                 display.tabStyle);

    started.set("ColorStyle", "Optional");
    started.set("CommentHint", "On");
    started.set("TabStyle", "FlatButtons");
    display = loadDisplaySettings(started.settings);
    EXPECT_EQ(display.titleColor, 0x0000FFu);
    EXPECT_FALSE(display.menuColor);           // its default text
    EXPECT_EQ(display.accelColor, 0x9CCFFFu);  // the default colour, spelled otherwise
    EXPECT_FALSE(display.subColor || display.restoreColor);
    EXPECT_TRUE(display.repaintMain && display.commentHint);
    EXPECT_EQ(display.tabStyle, TabStyle::FlatButtons);

    Started plain;
    plain.set("ColorStyle", "Default");
    plain.set("TitleColor", "$00639AFF");
    plain.set("SubColor", "$1000000");
    EXPECT_FALSE(loadDisplaySettings(plain.settings).repaintMain);

    // Numbers outside their range, or not numbers, count as absent.
    const std::pair<const char*, std::optional<int>> fontSizes[] = {
        {"0", 0},   {"50", 50}, {"+12", 12}, {"51", {}}, {"-1", {}},
        {"x", {}},  {"", {}},   {"1 2", {}}, {"$A", {}}, {"99999999999999999999", {}},
    };
    for (const auto& [text, expected] : fontSizes) {
        plain.set("FontSize", text);
        EXPECT_EQ(loadDisplaySettings(plain.settings).commentFontSize, expected) << text;
    }
    const std::pair<const char*, std::optional<int>> opacities[] = {
        {"3", {}}, {"4", {}}, {"5", 5}, {"254", 254}, {"255", {}}, {"abc", {}}, {"", {}},
    };
    for (const auto& [text, expected] : opacities) {
        plain.set("Transparent", text);
        EXPECT_EQ(loadDisplaySettings(plain.settings).opacity, expected) << text;
    }
}

TEST(SettingsDisplay, GarbageCountsAsAbsentWhereItStands) {
    using namespace std::string_literals;
    MiniMachine m;
    m.file(kIni, text::toShiftJis("[環境設定]\r\nFontSize=12abc\r\nTransparent=\r\nColorStyle=Old\r\n"
                                  "a line without equals\r\nTabStyle=Buttons\r\n") +
                     "TitleColor=\x81\xFF\0\x01\r\n[DisabledItem]\r\nService=false\r\n"s + std::string(100000, '['));
    Started started(m);
    const DisplaySettings display = loadDisplaySettings(started.settings);
    EXPECT_FALSE(display.commentFontSize || display.opacity || display.titleColor || display.repaintMain);
    EXPECT_EQ(display.tabStyle, TabStyle::Buttons);
    LockableControls controls;
    applyLockedItems(started.settings, controls);
    EXPECT_EQ(controls.serviceRows, Change::Enable);
}

TEST(ColorText, NamesHexAndDecimalBothWays) {
    EXPECT_EQ(colorToText(0x0000FF), "clRed");
    EXPECT_EQ(colorToText(0xF0CAA6), "clSkyBlue");
    EXPECT_EQ(colorToText(0x639AFF), "$00639AFF");
    EXPECT_EQ(colorFromText("CLCREAM"), 0xF0FBFFu);
    EXPECT_EQ(colorFromText("$ff"), 0xFFu);
    EXPECT_EQ(colorFromText("16777215"), 0xFFFFFFu);
    for (const std::uint32_t color : {0x000000u, 0xFF0000u, 0xA4A0A0u, 0x123456u})
        EXPECT_EQ(colorFromText(colorToText(color)), color);
    for (const char* garbage : {"", "$", "$00G39AFF", "$000639AFF", "$FF00000F", "-1", "12a", "clNone", "0x00FF"})
        EXPECT_FALSE(colorFromText(garbage)) << garbage;
}

// The older edition's file as a Japanese Windows wrote it.
std::string olderFile() {
    return text::toShiftJis(
        "[システム9]\r\nmsmsgs=msmsgs=msgrocm.dll,OcEntry,msmsgs.inf,hide,7\r\n[デスクトップ]\r\n7=2\r\n"
        "[エクスプローラ]\r\n8=old8\r\n[その他]\r\n6=9E3E07B0\r\n[不要サービス]\r\nAlerter=3\r\n");
}

TEST(SettingsMigration, TakesTheCurrentFolderFilesOnceAndTheOlderEditionWhereThisOneHasNothing) {
    MiniMachine m;
    m.file("C:\\Work\\Hastelyn.ini",
           "[環境設定]\r\nSound=On\r\n[システム9]\r\n[デスクトップ]\r\n7=\r\n[デスクトップ10]\r\nSecurity Center=1\r\n"
           "[エクスプローラ]\r\n8=new8\r\n[不要サービス]\r\nMessenger=4\r\n")
        .file("C:\\Work\\Tervossa.ini", olderFile())
        .file("C:\\Program Files\\Hastelyn\\Tervossa.ini", "[その他]\r\n6=FFFFFFFF\r\n");
    Started started(m);
    migrateOlderSettings(started.settings, "C:\\Work");
    EXPECT_EQ(started.at("環境設定", "Sound"), "On");
    EXPECT_EQ(started.at("システム9", "msmsgs"), "msmsgs=msgrocm.dll,OcEntry,msmsgs.inf,hide,7");
    EXPECT_EQ(started.at("デスクトップ", "7"), "2");
    EXPECT_EQ(started.at("デスクトップ10", "Security Center"), "1");
    EXPECT_EQ(started.at("エクスプローラ", "8"), "new8");
    EXPECT_EQ(started.at("その他", "6"), "9E3E07BE");
    EXPECT_EQ(*started.settings.keys("不要サービス"), std::vector<std::string>{"Messenger"});
    EXPECT_EQ(started.at("環境設定", "TransitOption"), "1");

    started.profiles.WriteProfileValue("C:\\Work\\Hastelyn.ini", "環境設定", "DlgReboot", "On");
    migrateOlderSettings(started.settings, "C:\\Work\\");
    EXPECT_EQ(started.at("環境設定", "DlgReboot"), "NULL");
}

TEST(SettingsMigration, InTheProgramsOwnFolderTheSettingsFileIsThisEditionsFile) {
    MiniMachine m;
    m.file(kIni, "[環境設定]\r\nSound=Off\r\n[システム9]\r\nnetoc=netoc.dll\r\n[その他]\r\n6=000000B0\r\n")
        .file("C:\\Program Files\\Hastelyn\\Tervossa.ini", olderFile());
    Started started(m);
    migrateOlderSettings(started.settings, "C:\\Program Files\\Hastelyn");
    EXPECT_EQ(*started.settings.keys("環境設定"), (std::vector<std::string>{"Sound", "TransitOption"}));
    EXPECT_EQ(*started.settings.keys("システム9"), std::vector<std::string>{"netoc"});
    EXPECT_EQ(started.at("エクスプローラ", "8"), "old8");
    EXPECT_EQ(started.at("その他", "6"), "000000BE");
    EXPECT_EQ(started.at("不要サービス", "Alerter"), "NULL");
}

}  // namespace
}  // namespace hastelyn::foundation
