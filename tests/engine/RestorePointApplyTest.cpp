// Putting a restore point back: absent and unfit values, a restore point of the other family,
// services, a command that cannot start, and the PC-information question.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "engine/RestorePoint.h"
#include "engine/ServiceStatus.h"
#include "foundation/CommandError.h"
#include "tests/engine/EngineFixture.h"
#include "tests/support/CommandErrorText.h"

namespace hastelyn::engine {
namespace {

const char* const kPoint = "C:\\Program Files\\Hastelyn\\復元ポイント test.ini";
const char* const kPointHost = "Program Files/Hastelyn/復元ポイント test.ini";
const char* const kMemory = "\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
const char* const kPriority = "\\SYSTEM\\CurrentControlSet\\Control\\PriorityControl";
const char* const kDesktop = "\\Control Panel\\Desktop";
const char* const kTray = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TrayNotify";
const char* const kServices = "\\SYSTEM\\CurrentControlSet\\Services\\";
const char* const kNtVersion = "\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char* const kComputerName = "\\SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName";
const char* const kPcQuestion = "\r\n復元ポイント時の使用者/会社名/コンピュータ名を復元しますか？";
const char* const kPcSpoken =
    "確認のメッセージ。復元ポイント時の使用者 会社名 コンピュータ名を復元しますか？Yキーを押すと "
    "復元ポイント時の文字列に復元します。Nキーを押すと 画面を閉じます。";

// An XP machine on which a restore asks nothing but the PC-information question: the tray
// still remembers its items, and the boot file and sysoc.inf are there.
MiniMachine quietMachine() {
    MiniMachine m;
    m.hive(RootKey::CurrentUser,
           {"[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TrayNotify]",
            "\"IconStreams\"=hex:14,00,00,00", "\"PastIconsStream\"=hex:01", "[HKEY_CURRENT_USER\\Control Panel\\Desktop]",
            "\"MenuShowDelay\"=\"400\""});
    m.hive(RootKey::LocalMachine,
           {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]", "\"RegisteredOwner\"=\"山田 太郎\"",
            "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName]",
            "\"ComputerName\"=\"YAMADA-PC\""});
    m.file("C:\\boot.ini", "[boot loader]\r\ntimeout=30\r\ndefault=multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS\r\n"
                           "[operating systems]\r\n"
                           "multi(0)disk(0)rdisk(0)partition(1)\\WINDOWS=\"XP\" /fastdetect\r\n");
    m.file("C:\\WINDOWS\\inf\\sysoc.inf", "[Components]\r\nPinball=ocgen.dll,OcEntry,pinball.inf,HIDE,7\r\n");
    return m;
}

void setBytes(EngineFixture& fx, RootKey root, std::string_view path, std::string_view name,
              std::vector<std::uint8_t> bytes) {
    const std::string data(bytes.begin(), bytes.end());
    fx.session().registry.WriteRegData(root, path, name, {platform::regtype::Binary, data});
}

std::string start(EngineFixture& fx, std::string_view service) {
    return fx.read(RootKey::LocalMachine, kServices + std::string(service), "Start", RegType::DWORD);
}

// The documented keys stay as they were; the last section holds every value exactly, so that a
// value absent at backup goes again whatever its row's rule, the keys its writes made go with it
// (and not one level more: an empty key that was there stays), and a tray stream comes back
// byte for byte.
TEST(RestorePointApply, AbsentValuesGoAndStreamsComeBackFromTheLastSection) {
    MiniMachine m = quietMachine();
    m.hive(RootKey::LocalMachine, {"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager]"});
    EngineFixture fx(m);
    Session& s = fx.session();
    WriteRestorePoint(s, kPoint);
    // No System value is there (IoPageLockLimit, IRQ8Priority...): no line, not even the section.
    EXPECT_EQ(fx.driveCText(kPointHost).find("[システム]"), std::string::npos);

    s.registry.WriteRegValue(RootKey::LocalMachine, kMemory, "IoPageLockLimit", "2097152", RegType::DWORD);
    s.registry.WriteRegValue(RootKey::LocalMachine, kPriority, "IRQ8Priority", "2", RegType::DWORD);
    s.registry.WriteRegValue(RootKey::CurrentUser, kDesktop, "Wallpaper", "", RegType::String);
    s.registry.DeleteRegValue(RootKey::CurrentUser, kTray, "IconStreams");
    s.registry.DeleteRegValue(RootKey::CurrentUser, kTray, "PastIconsStream");
    ApplyRestorePoint(s, kPoint);
    EXPECT_EQ(fx.read(RootKey::LocalMachine, kMemory, "IoPageLockLimit", RegType::DWORD), "NULL");
    EXPECT_FALSE(fx.keyExists(RootKey::LocalMachine, "\\SYSTEM\\CurrentControlSet\\Control\\Session Manager",
                              "Memory Management"));
    EXPECT_TRUE(fx.keyExists(RootKey::LocalMachine, "\\SYSTEM\\CurrentControlSet\\Control", "Session Manager"));
    EXPECT_FALSE(fx.keyExists(RootKey::LocalMachine, "\\SYSTEM\\CurrentControlSet\\Control", "PriorityControl"));
    EXPECT_TRUE(fx.keyExists(RootKey::LocalMachine, "\\SYSTEM\\CurrentControlSet\\Control", "ComputerName"));
    EXPECT_FALSE(s.registry.RegKeyOrValueExists(RootKey::CurrentUser, kDesktop, "Wallpaper", Exists::Value));
    EXPECT_EQ(fx.bytes(RootKey::CurrentUser, kTray, "IconStreams", platform::regtype::Binary), "14000000");
    EXPECT_EQ(fx.bytes(RootKey::CurrentUser, kTray, "PastIconsStream", platform::regtype::Binary), "01");
}

// An account that may only read HKEY_LOCAL_MACHINE reads its values as absent: the exact section
// says nothing of a key it could not change, and the restore puts back the user's values alone.
TEST(RestorePointApply, ARestrictedAccountKeepsNoExactValueItCouldNotWrite) {
    MiniMachine m = quietMachine();
    m.hive(RootKey::LocalMachine,
           {"[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management]",
            "\"IoPageLockLimit\"=dword:00000000"});
    EngineFixture fx(m);
    fx.restrictAccount();
    Session& s = fx.session();
    WriteRestorePoint(s, kPoint);
    const std::string file = fx.driveCText(kPointHost);
    EXPECT_EQ(file.find("IoPageLockLimit"), std::string::npos) << file;
    EXPECT_NE(file.find("\r\nデスクトップ:2:MenuShowDelay=1:4:34303000\r\n"), std::string::npos) << file;

    s.registry.WriteRegValue(RootKey::CurrentUser, kDesktop, "MenuShowDelay", "0", RegType::String);
    fx.dialogs().answers = {false};  // owner and computer name may not be written either
    ApplyRestorePoint(s, kPoint);
    EXPECT_EQ(fx.read(RootKey::CurrentUser, kDesktop, "MenuShowDelay", RegType::String), "400");
    EXPECT_EQ(fx.bytes(RootKey::LocalMachine, kMemory, "IoPageLockLimit"), "00000000");
}

// A value longer than a line carries on over numbered keys; an entry that is cut short or not
// well formed is passed over, and the documented key alone decides.
TEST(RestorePointApply, LongExactValuesSpanLinesAndBrokenEntriesAreLeftOut) {
    EngineFixture fx(quietMachine());
    Session& s = fx.session();
    std::vector<std::uint8_t> stream(2500);
    for (std::size_t i = 0; i < stream.size(); ++i) stream[i] = static_cast<std::uint8_t>(i * 7 + 3);
    setBytes(fx, RootKey::CurrentUser, kTray, "IconStreams", stream);
    WriteRestorePoint(s, kPoint);
    const std::string key = "デスクトップ:9a:IconStreams";
    const std::string first = s.profiles.ReadProfileValue(kPoint, "正確な値", key);
    EXPECT_TRUE(first.starts_with("3:2500:030A1118")) << first;
    EXPECT_EQ(first.size(), 2000u);
    EXPECT_EQ(s.profiles.ReadProfileValue(kPoint, "正確な値", key + "/2").size(), 2000u);
    EXPECT_EQ(s.profiles.ReadProfileValue(kPoint, "正確な値", key + "/3").size(), 5000u - 1993u - 2000u);
    EXPECT_EQ(s.profiles.ReadProfileValue(kPoint, "正確な値", key + "/4"), "NULL");

    auto streamNow = [&] {
        const auto data = s.registry.ReadRegData(RootKey::CurrentUser, kTray, "IconStreams");
        return data ? std::vector<std::uint8_t>(data->bytes.begin(), data->bytes.end()) : std::vector<std::uint8_t>{};
    };
    s.registry.DeleteRegValue(RootKey::CurrentUser, kTray, "IconStreams");
    ApplyRestorePoint(s, kPoint);
    EXPECT_EQ(streamNow(), stream);

    s.registry.DeleteRegValue(RootKey::CurrentUser, kTray, "IconStreams");
    s.profiles.DeleteProfileKey(kPoint, "正確な値", key + "/3");
    s.profiles.WriteProfileValue(kPoint, "正確な値", "デスクトップ:9b:PastIconsStream", "3:2:0");
    s.profiles.WriteProfileValue(kPoint, "正確な値", "システム:4:IoPageLockLimit", "absent:two");
    s.profiles.WriteProfileValue(kPoint, "正確な値", "デスクトップ:2:MenuShowDelay", "1:2:ZZ00");
    setBytes(fx, RootKey::CurrentUser, kTray, "PastIconsStream", {5, 6});
    s.registry.WriteRegValue(RootKey::LocalMachine, kMemory, "IoPageLockLimit", "7", RegType::DWORD);
    ApplyRestorePoint(s, kPoint);
    EXPECT_TRUE(streamNow().empty());
    EXPECT_EQ(fx.bytes(RootKey::CurrentUser, kTray, "PastIconsStream"), "0506");
    EXPECT_EQ(fx.read(RootKey::LocalMachine, kMemory, "IoPageLockLimit", RegType::DWORD), "7");
    EXPECT_EQ(fx.read(RootKey::CurrentUser, kDesktop, "MenuShowDelay", RegType::String), "400");
}

// A folder, a file that is not there, and a file that holds none of a restore point's sections
// are refused with a message before anything is touched.
TEST(RestorePointApply, WhatIsNoRestorePointIsRefusedBeforeAnyChange) {
    EngineFixture fx(quietMachine());
    Session& s = fx.session();
    const std::filesystem::path host = fx.folder() / "drives/C/Program Files/Hastelyn";
    std::filesystem::create_directories(host / "復元ポイント フォルダ");
    std::ofstream(host / "復元ポイント memo.ini", std::ios::binary) << "[メモ]\r\n1=0\r\n[システム]\r\n";
    const std::string folder = "C:\\Program Files\\Hastelyn\\";
    const auto before = fx.machineFiles();
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"復元ポイント フォルダ",
         "\"C:\\Program Files\\Hastelyn\\復元ポイント フォルダ\" はフォルダです。復元ポイントのファイルを指定してください。"},
        {"復元ポイント 無い.ini", "ファイル \"C:\\Program Files\\Hastelyn\\復元ポイント 無い.ini\" が見つかりません。"},
        {"復元ポイント memo.ini", "ファイル \"C:\\Program Files\\Hastelyn\\復元ポイント memo.ini\" は、復元ポイントではありません。"
                                "復元ポイントの記録がひとつもないため、何も変更しませんでした。"},
    };
    for (const auto& [name, message] : cases) {
        SCOPED_TRACE(name);
        const std::string file = folder + name;
        EXPECT_EQ(testing::commandErrorOf([&] { ApplyRestorePoint(s, file); }), message);
    }
    EXPECT_TRUE(fx.dialogs().shown.empty());
    EXPECT_EQ(fx.machineFiles(), before);
}

TEST(RestorePointApply, A9xRestorePointOnNtFollowsTheFamilyFoundAtRestoreTime) {
    EngineFixture old("98");
    WriteRestorePoint(old.session(), kPoint);
    const std::string saved = old.driveCText(kPointHost);
    ASSERT_NE(saved.find("[その他]\r\n6=000000BE\r\n7=00000095\r\n"), std::string::npos) << saved;
    ASSERT_NE(saved.find("[パソコン情報]\r\n1=田中 美穂\r\n3=MIHO\r\n"), std::string::npos) << saved;

    EngineFixture fx("xp");
    const std::string organisation = fx.read(RootKey::LocalMachine, kNtVersion, "RegisteredOrganization", RegType::String);
    std::ofstream(fx.folder() / "drives/C" / kPointHost, std::ios::binary) << saved;
    const char* const nameSpace =
        "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer\\NameSpace";
    ASSERT_TRUE(fx.session().registry.RegKeyOrValueExists(RootKey::LocalMachine, nameSpace,
                                                          "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}", Exists::Key));
    const std::string bootIni = fx.driveCText("boot.ini");
    ApplyRestorePoint(fx.session(), kPoint);
    // The 9x "Logo" text is no boot line: boot.ini stays as it was.
    EXPECT_EQ(fx.driveCText("boot.ini"), bootIni);

    // The 9x mask lands in the NT value name, four bytes long; the 9x auto-run text in the NT
    // CD-ROM value, read as the decimal number a DWORD takes.
    EXPECT_EQ(fx.bytes(RootKey::CurrentUser, kDesktop, "UserPreferencesMask"), "be000000");
    EXPECT_EQ(fx.read(RootKey::LocalMachine, std::string(kServices) + "Cdrom", "AutoRun", RegType::DWORD), "95");
    EXPECT_FALSE(fx.session().registry.RegKeyOrValueExists(RootKey::LocalMachine, nameSpace,
                                                           "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}", Exists::Key));
    // Owner and computer name under the NT keys; the organisation the 98 machine lacked is not
    // recorded, and stays.
    EXPECT_EQ(fx.read(RootKey::LocalMachine, kNtVersion, "RegisteredOwner", RegType::String), "田中 美穂");
    EXPECT_EQ(fx.read(RootKey::LocalMachine, kNtVersion, "RegisteredOrganization", RegType::String), organisation);
    EXPECT_EQ(fx.read(RootKey::LocalMachine, kComputerName, "ComputerName", RegType::String), "MIHO");
    EXPECT_EQ(fx.read(RootKey::LocalMachine, "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "RegisteredOwner",
                      RegType::String),
              "NULL");
}

TEST(RestorePointApply, ServicesComeBackOnlyWhereTheirStateChanged) {
    MiniMachine m = quietMachine();
    m.service("Alpha", "Alpha Service", 2)
        .service("Delta", "Delta Service", 3)
        .service("Gamma", "Gamma Service", 2)
        .shell("ProcessMilliseconds", "30");
    EngineFixture fx(m);
    Session& s = fx.session();
    int polls = 0;
    s.processEvents = [&polls] { ++polls; };
    WriteRestorePoint(s, kPoint);
    EXPECT_NE(fx.driveCText(kPointHost).find("[不要サービス]\r\nAlpha=開始中\r\nDelta=停止中\r\nGamma=開始中\r\n"
                                             "[不要サービス-s]\r\nAlpha=2\r\nDelta=3\r\nGamma=2\r\n"),
              std::string::npos);

    // Alpha still runs but has another start type; Delta was started, Gamma stopped and
    // disabled, and the file lost Gamma's start type; a service the file names has gone.
    s.registry.WriteRegValue(RootKey::LocalMachine, std::string(kServices) + "Alpha", "Start", "3", RegType::DWORD);
    s.platform.shell.winExec("net start \"Delta Service\"", platform::showcmd::Hide);
    s.registry.WriteRegValue(RootKey::LocalMachine, std::string(kServices) + "Delta", "Start", "2", RegType::DWORD);
    s.platform.shell.winExec("net stop \"Gamma Service\"", platform::showcmd::Hide);
    s.registry.WriteRegValue(RootKey::LocalMachine, std::string(kServices) + "Gamma", "Start", "4", RegType::DWORD);
    s.profiles.DeleteProfileKey(kPoint, "不要サービス-s", "Gamma");
    s.profiles.WriteProfileValue(kPoint, "不要サービス", "Ghost", "開始中");
    s.profiles.WriteProfileValue(kPoint, "不要サービス-s", "Ghost", "2");
    const std::size_t journalBefore = fx.journal().size();

    ApplyRestorePoint(s, kPoint);
    const std::string journal = fx.journal().substr(journalBefore);
    EXPECT_EQ(start(fx, "Alpha"), "3");
    EXPECT_EQ(start(fx, "Delta"), "3");
    EXPECT_EQ(start(fx, "Gamma"), "3");  // no saved start type: manual
    EXPECT_EQ(GetServiceStatusName(s.platform, "Delta"), "停止中");
    EXPECT_EQ(GetServiceStatusName(s.platform, "Gamma"), "開始中");
    EXPECT_EQ(s.settings.read("不要サービス", "Alpha Service"), "NULL");
    EXPECT_EQ(s.settings.read("不要サービス", "Delta Service"), "2");
    EXPECT_EQ(s.settings.read("不要サービス", "Gamma Service"), "4");
    EXPECT_EQ(*s.settings.keys("不要サービス"), (std::vector<std::string>{"Delta Service", "Gamma Service"}));
    // In file order, each awaited while the windows went on.
    const std::size_t stopDelta = journal.find("CreateProcess\tnet stop \"Delta Service\"\n");
    const std::size_t startGamma = journal.find("CreateProcess\tnet start \"Gamma Service\"\n");
    EXPECT_NE(stopDelta, std::string::npos) << journal;
    EXPECT_NE(startGamma, std::string::npos) << journal;
    EXPECT_LT(stopDelta, startGamma);
    EXPECT_EQ(countOf(journal, "CreateProcess\t"), 2u);
    EXPECT_GT(polls, 0);
    EXPECT_FALSE(s.registry.RegKeyOrValueExists(RootKey::LocalMachine, kServices, "Ghost", Exists::Key));
}

TEST(RestorePointApply, AServiceCommandThatCannotStartEndsTheRestoreThere) {
    MiniMachine m = quietMachine();
    m.service("Alpha", "Alpha Service", 2).service("Beta", "Beta Service", 2).shell("Missing", "net");
    EngineFixture fx(m);
    Session& s = fx.session();
    WriteRestorePoint(s, kPoint);
    // As if both had been stopped and disabled when the file was made.
    for (const char* service : {"Alpha", "Beta"}) {
        s.profiles.WriteProfileValue(kPoint, "不要サービス", service, "停止中");
        s.profiles.WriteProfileValue(kPoint, "不要サービス-s", service, "4");
    }
    s.registry.WriteRegValue(RootKey::CurrentUser, kDesktop, "MenuShowDelay", "0", RegType::String);
    s.registry.WriteRegValue(RootKey::LocalMachine, kNtVersion, "RegisteredOwner", "someone else", RegType::String);

    EXPECT_EQ(testing::commandErrorOf([&] { ApplyRestorePoint(s, kPoint); }), "Exec Error 2");
    // The rows before stay restored; Alpha keeps its start type, since a service is stopped
    // before it is disabled; Beta and the PC-information question never came.
    EXPECT_EQ(fx.read(RootKey::CurrentUser, kDesktop, "MenuShowDelay", RegType::String), "400");
    EXPECT_EQ(start(fx, "Alpha"), "2");
    EXPECT_EQ(s.settings.read("不要サービス", "Alpha Service"), "2");
    EXPECT_EQ(start(fx, "Beta"), "2");
    EXPECT_EQ(s.settings.read("不要サービス", "Beta Service"), "NULL");
    EXPECT_TRUE(fx.dialogs().shown.empty());
    EXPECT_EQ(fx.read(RootKey::LocalMachine, kNtVersion, "RegisteredOwner", RegType::String), "someone else");
}

TEST(RestorePointApply, OwnerOrganisationAndComputerNameComeBackOnlyOnYes) {
    EngineFixture fx(quietMachine());
    Session& s = fx.session();
    s.settings.write("環境設定", "Sound", "On");
    WriteRestorePoint(s, kPoint);
    auto pcInformation = [&] {
        return fx.read(RootKey::LocalMachine, kNtVersion, "RegisteredOwner", RegType::String) + "/" +
               fx.bytes(RootKey::LocalMachine, kNtVersion, "RegisteredOrganization") + "/" +
               fx.read(RootKey::LocalMachine, kComputerName, "ComputerName", RegType::String);
    };
    s.registry.WriteRegValue(RootKey::LocalMachine, kNtVersion, "RegisteredOwner", "X", RegType::String);
    s.registry.WriteRegValue(RootKey::LocalMachine, kNtVersion, "RegisteredOrganization", "Y", RegType::String);
    s.registry.WriteRegValue(RootKey::LocalMachine, kComputerName, "ComputerName", "Z", RegType::String);

    fx.dialogs().answers = {false};
    ApplyRestorePoint(s, kPoint);
    EXPECT_EQ(fx.dialogs().shown, (Shown{{DialogKind::Confirmation, kPcQuestion}}));
    EXPECT_EQ(fx.clipboard().history, (std::vector<std::string>{kPcSpoken}));
    EXPECT_EQ(pcInformation(), "X/5900/Z");

    s.settings.write("環境設定", "Sound", "Off");
    fx.dialogs().answers = {true};
    ApplyRestorePoint(s, kPoint);
    EXPECT_EQ(fx.dialogs().shown.size(), 2u);
    EXPECT_EQ(fx.clipboard().history.size(), 1u);
    EXPECT_EQ(pcInformation(), "山田 太郎/5900/YAMADA-PC");  // no organisation saved: it stays
}

}  // namespace
}  // namespace hastelyn::engine
