// The restore point as a file: its exact bytes on a small machine, and the names new ones get.
#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <regex>
#include <utility>

#include "engine/RestorePoint.h"
#include "tests/engine/EngineFixture.h"

namespace hastelyn::engine {
namespace {

const char* const kFolder = "C:\\Program Files\\Hastelyn\\";
const char* const kBootLine =
    "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"Microsoft Windows XP Professional\" /fastdetect";

// An XP machine with some of the values every row reads, others absent, a few of the wrong type.
MiniMachine goldenMachine() {
    MiniMachine m;
    const std::string usb = "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Class\\"
                            "{36FC9E60-C465-11CF-8056-444553540000}\\";
    m.hive(RootKey::LocalMachine,
           {"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management]",
            "\"DisablePagingExecutive\"=dword:00000000", "\"LargeSystemCache\"=dword:ffffffff",
            "\"ClearPageFileAtShutdown\"=dword:00000000",
            "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\SubSystems]",
            "\"Windows\"=expand:\"%SystemRoot%\\\\system32\\\\csrss.exe SharedSection=1024,3072,512\"",
            "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer]",
            "\"AlwaysUnloadDLL\"=dword:00000001", "\"Max Cached Icons\"=\"2000\"",
            // Devices 0000 to 0002, then a gap: 0004 is never reached. 0001 has no IdleEnable.
            usb + "0000]", "\"IdleEnable\"=dword:00000001", usb + "0001]", "\"Class\"=\"USB\"", usb + "0002]",
            "\"IdleEnable\"=dword:00000000", usb + "0004]", "\"IdleEnable\"=dword:00000001",
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Policies\\Microsoft\\Windows\\WindowsUpdate]",
            "\"DoNotAllowXPSP2\"=dword:00000001",
            "[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Update]", "\"UpdateMode\"=hex:01",
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer\\NameSpace\\"
            "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}]",
            "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\FileSystem]",
            "\"NtfsDisable8dot3NameCreation\"=dword:00000000",
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Dfrg\\BootOptimizeFunction]", "\"Enable\"=\"Y\"",
            "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control]", "\"WaitToKillServiceTimeout\"=\"20000\"",
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\policies\\system]",
            "\"SynchronousMachineGroupPolicy\"=dword:00000000",
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting]", "\"DoReport\"=dword:00000001",
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Outlook Express]", "\"Hide Messenger\"=dword:00000002",
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\"
            "{FB5F1910-F110-11d2-BB9E-00C04F795683}]",
            "\"ButtonText\"=\"Messenger\"",
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]",
            "\"RegisteredOwner\"=\"山田 太郎\"", "\"ProductName\"=\"Microsoft Windows XP\"",
            "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName]",
            "\"ComputerName\"=\"YAMADA-PC\""});
    m.service("wscsvc", "Security Center", 2)      // runs
        .service("Beta", "Beta Service", std::nullopt)  // no start type: stopped
        .service("Cdrom", "CD-ROM Driver", 1, "")       // a driver: not listed
        .hive(RootKey::LocalMachine,
              {"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\Cdrom]", "\"AutoRun\"=dword:00000001"});
    m.hive(RootKey::CurrentUser,
           {"[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]",
            "\"NoLowDiskSpaceChecks\"=dword:00000001", "\"NoActiveDesktop\"=dword:00000001",
            "\"NoResolveTrack\"=dword:00000001",
            "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced]",
            "\"EnableBalloonTips\"=dword:00000000",
            "[HKEY_CURRENT_USER\\Control Panel\\Desktop]", "\"MenuShowDelay\"=\"400\"",
            "\"Wallpaper\"=\"C:\\\\WINDOWS\\\\Web\\\\Wallpaper\\\\Bliss.bmp\"", "\"AutoEndTasks\"=\"0\"",
            "\"UserPreferencesMask\"=hex:9e,3e,07,80,12,00,00,00",
            "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TrayNotify]",
            "\"IconStreams\"=hex:14,00,00,00",
            "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CabinetState]",
            "\"Use Search Asst\"=\"no\"",
            "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer]", "\"link\"=hex:1e,00,00,00",
            "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Toolbar]", "\"LinksFolderName\"=\"リンク\"",
            "[HKEY_CURRENT_USER\\Software\\Microsoft\\MediaPlayer\\Preferences]", "\"DisableMRU\"=dword:00000000",
            "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings]",
            "\"MaxConnectionsPerServer\"=dword:0000000a"});
    m.hive(RootKey::ClassesRoot, {"[HKEY_CLASSES_ROOT\\CLSID\\{87D62D94-71B3-4b9a-9489-5FE6850DC73E}]",
                                  "@=\"Avi Properties Handler\""});
    m.file("C:\\boot.ini", std::string("[boot loader]\r\ntimeout=30\r\n"
                                       "default=multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS\r\n"
                                       "[operating systems]\r\n") +
                               kBootLine + "\r\n");
    m.file("C:\\WINDOWS\\inf\\sysoc.inf", "[Components]\r\nPinball=ocgen.dll,OcEntry,pinball.inf,,7\r\n"
                                         "MSWordPad=ocgen.dll,OcEntry,wordpad.inf,,7\r\n");
    // The lines the System ⑨ row took the "hide" out of, and the Explorer ⑧ state.
    m.file("C:\\Program Files\\Hastelyn\\Hastelyn.ini", "[システム9]\r\nPinball=ocgen.dll,OcEntry,pinball.inf,HIDE,7\r\n"
                                                        "MSWordPad=ocgen.dll,OcEntry,wordpad.inf,hide,7\r\n"
                                                        "[エクスプローラ]\r\n8=true\r\n");
    return m;
}

using Section = std::pair<std::string, std::vector<std::string>>;

std::string render(const std::vector<Section>& sections) {
    std::string text;
    for (const auto& [name, lines] : sections) {
        text += "[" + name + "]\r\n";
        for (const std::string& line : lines) text += line + "\r\n";
    }
    return text;
}

// The restore point of goldenMachine(), section by section as the tables give it. Absent values
// have no line; [システム] "10" joins its section after [システム9] was begun.
std::vector<Section> goldenSections() {
    return {
        {"システム",
         {"1=0", "2=-1", "3=%SystemRoot%\\system32\\csrss.exe SharedSection=1024,3072,512", "6=1", "7.0=1", "7.2=0",
          "8=1", "10=1"}},
        {"システム9", {"Pinball=ocgen.dll,OcEntry,pinball.inf,HIDE,7", "MSWordPad=ocgen.dll,OcEntry,wordpad.inf,hide,7"}},
        {"デスクトップ",
         {"1=0", "2=400", "4=2000", "5a=1", "7=C:\\WINDOWS\\Web\\Wallpaper\\Bliss.bmp", "9a=true", "9b=false",
          "10=開始中"}},
        {"エクスプローラ", {"1=no", "2=UnfitType", "3=true", "6=0", "7a=true", "7b=false", "8=true", "10=リンク"}},
        {"起動・終了",
         {"1=Y", "2=20000", "5=\"Microsoft Windows XP Professional\" /fastdetect", "6=0", "8a=0", "9=0", "10=30"}},
        {"その他", {"1=0", "2=1", "3b=10", "5a=1", "6=UnfitType", "7=1", "8=0000001E", "9=2", "10=true"}},
        {"不要サービス", {"Beta=停止中", "wscsvc=開始中"}},
        {"不要サービス-s", {"wscsvc=2"}},
        {"パソコン情報", {"1=山田 太郎", "3=YAMADA-PC"}},
        // Last, every value of a row exactly: its type and bytes, or "absent" (with the number of
        // key levels that were missing too).
        {"正確な値",
         {"Platform=NT",
          "システム:1:DisablePagingExecutive=4:4:00000000",
          "システム:2:LargeSystemCache=4:4:FFFFFFFF",
          "システム:3:Windows=2:60:2553797374656D526F6F74255C73797374656D33325C63737273732E6578652053686172656453"
          "656374696F6E3D313032342C333037322C35313200",
          "システム:4:IoPageLockLimit=absent",
          "システム:5:IRQ8Priority=absent:1",
          "システム:6:AlwaysUnloadDLL=4:4:01000000",
          "システム:7.0:IdleEnable=4:4:01000000",
          "システム:7.1:IdleEnable=absent",
          "システム:7.2:IdleEnable=4:4:00000000",
          "システム:8:NoLowDiskSpaceChecks=4:4:01000000",
          "システム:10:DoNotAllowXPSP2=4:4:01000000",
          "デスクトップ:1:EnableBalloonTips=4:4:00000000",
          "デスクトップ:2:MenuShowDelay=1:4:34303000",
          "デスクトップ:3:NoSimpleStartMenu=absent",
          "デスクトップ:4:Max Cached Icons=1:5:3230303000",
          "デスクトップ:5a:NoActiveDesktop=4:4:01000000",
          "デスクトップ:5b:NoActiveDesktopChanges=absent",
          "デスクトップ:6a:ClassicShell=absent",
          "デスクトップ:6b:NoCustomizeWebView=absent",
          "デスクトップ:7:Wallpaper=1:35:433A5C57494E444F57535C5765625C57616C6C70617065725C426C6973732E626D7000",
          "デスクトップ:8:NoInstrumentation=absent",
          "デスクトップ:9a:IconStreams=3:4:14000000",
          "デスクトップ:9b:PastIconsStream=absent",
          "エクスプローラ:1:Use Search Asst=1:3:6E6F00",
          "エクスプローラ:2:UpdateMode=3:1:01",
          "エクスプローラ:4:DesktopProcess=absent",
          "エクスプローラ:5:NtfsDisableLastAccessUpdate=absent",
          "エクスプローラ:6:NtfsDisable8dot3NameCreation=4:4:00000000",
          "エクスプローラ:9:NoThumbnailCache=absent",
          "エクスプローラ:10:LinksFolderName=1:10:E383AAE383B3E382AF00",
          "起動・終了:1:Enable=1:2:5900",
          "起動・終了:2:WaitToKillServiceTimeout=1:6:323030303000",
          "起動・終了:3:ClearRecentDocsOnExit=absent",
          "起動・終了:4:KeepRasConnections=absent:1",
          "起動・終了:6:AutoEndTasks=1:2:3000",
          "起動・終了:7:WaitToKillAppTimeout=absent",
          "起動・終了:8a:SynchronousMachineGroupPolicy=4:4:00000000",
          "起動・終了:8b:SynchronousUserGroupPolicy=absent",
          "起動・終了:9:ClearPageFileAtShutdown=4:4:00000000",
          "その他:1:DisableMRU=4:4:00000000",
          "その他:2:DoReport=4:4:01000000",
          "その他:3a:MaxConnectionsPer1_0Server=absent",
          "その他:3b:MaxConnectionsPerServer=4:4:0A000000",
          "その他:4:NoAutoUpdate=absent:1",
          "その他:5a:NoResolveTrack=4:4:01000000",
          "その他:5b:NoResolveSearch=absent",
          "その他:5c:LinkResolveIgnoreLinkInfo=absent",
          "その他:6:UserPreferencesMask=3:8:9E3E078012000000",
          "その他:7:AutoRun=4:4:01000000",
          "その他:8:link=3:4:1E000000",
          "その他:9:Hide Messenger=4:4:02000000"}},
    };
}

TEST(RestorePointFile, BytesFollowTheTablesAndAnExistingFileKeepsItsOtherLines) {
    EngineFixture fx(goldenMachine());
    const std::string path = std::string(kFolder) + "復元ポイント golden.ini";
    WriteRestorePoint(fx.session(), path);
    EXPECT_EQ(fx.driveCText("Program Files/Hastelyn/復元ポイント golden.ini"), render(goldenSections()));

    // Over an existing file: its keys are replaced in place, new ones join their section, new
    // sections come after the ones it has, and nothing of it goes.
    const std::string again = std::string(kFolder) + "復元ポイント again.ini";
    fx.session().profiles.WriteProfileValue(again, "その他", "6", "old");
    fx.session().profiles.WriteProfileValue(again, "その他", "mine", "keep");
    fx.session().profiles.WriteProfileValue(again, "メモ", "note", "keep");
    WriteRestorePoint(fx.session(), again);
    std::vector<Section> expected = goldenSections();
    auto others = std::find_if(expected.begin(), expected.end(), [](const Section& s) { return s.first == "その他"; });
    std::vector<std::string> othersLines = {"6=UnfitType", "mine=keep"};
    for (const std::string& line : others->second)
        if (line != "6=UnfitType") othersLines.push_back(line);
    expected.erase(others);
    expected.insert(expected.begin(), {{"その他", othersLines}, {"メモ", {"note=keep"}}});
    EXPECT_EQ(fx.driveCText("Program Files/Hastelyn/復元ポイント again.ini"), render(expected));
}

std::tm at(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

TEST(RestorePointFile, NamesCarryDateAndTimeAndNeverTakeAnExistingFile) {
    EngineFixture fx{MiniMachine{}};
    Session& s = fx.session();
    const std::tm morning = at(2006, 5, 14, 9, 3, 27);
    const std::string first = RestorePointFileName(s, "", morning);
    EXPECT_EQ(first, std::string(kFolder) + "復元ポイント 2006-05-14 9：03：27.ini");
    EXPECT_EQ(RestorePointFileName(s, kAutomaticSuffix, at(2006, 12, 1, 23, 59, 5)),
              std::string(kFolder) + "復元ポイント 2006-12-01 23：59：05 (高速化設定前).ini");

    // A name once given is claimed (the file is there, empty), even before anything is written
    // to it: two restore points within the same second each get a name of their own.
    EXPECT_NE(s.platform.files.getFileAttributes(first), platform::fileattr::Invalid);
    const std::string second = RestorePointFileName(s, "", morning);
    EXPECT_EQ(second, std::string(kFolder) + "復元ポイント 2006-05-14 9：03：27 (2).ini");
    WriteRestorePoint(s, second);
    EXPECT_EQ(RestorePointFileName(s, "", morning), std::string(kFolder) + "復元ポイント 2006-05-14 9：03：27 (3).ini");
    // Automatic ones are named apart from the window's.
    const std::string automatic = RestorePointFileName(s, kAutomaticSuffix, morning);
    EXPECT_EQ(automatic, std::string(kFolder) + "復元ポイント 2006-05-14 9：03：27 (高速化設定前).ini");
    EXPECT_EQ(RestorePointFileName(s, kAutomaticSuffix, morning),
              std::string(kFolder) + "復元ポイント 2006-05-14 9：03：27 (高速化設定前) (2).ini");
    EXPECT_TRUE(IsRestorePoint(second));

    // The clock's own name: the program's folder, the same shape.
    const std::string now = RestorePointFileName(s, "");
    EXPECT_TRUE(std::regex_match(now, std::regex(R"(C:\\Program Files\\Hastelyn\\復元ポイント )"
                                                 R"(\d{4}-\d\d-\d\d \d{1,2}：\d\d：\d\d\.ini)")))
        << now;
}

TEST(RestorePointFile, ARestorePointIsKnownByTheTextAnywhereInItsPath) {
    EXPECT_TRUE(IsRestorePoint("C:\\Program Files\\Hastelyn\\復元ポイント 2006-05-14 9：03：27.ini"));
    EXPECT_TRUE(IsRestorePoint("D:\\復元ポイント\\backup.ini"));  // the folder is enough
    EXPECT_TRUE(IsRestorePoint("C:\\古い復元ポイントのコピー.txt"));
    EXPECT_FALSE(IsRestorePoint("C:\\Program Files\\Hastelyn\\Hastelyn.ini"));
    EXPECT_FALSE(IsRestorePoint("C:\\復元 ポイント.ini"));
    EXPECT_FALSE(IsRestorePoint(""));
}

}  // namespace
}  // namespace hastelyn::engine
