// The rows of the pages "エクスプローラ" and "その他" on the carried machines: what a start ticks,
// what applying writes and reads back, rows switched off by edition or environment, the rows
// that act on keys, libraries and remembered values, and restore points.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "engine/Passes.h"
#include "engine/TweakItem.h"
#include "tests/engine/EngineFixture.h"

namespace hastelyn::engine {
namespace {

using testing::journalLines;
using Keys = std::vector<std::string>;

constexpr auto HKCU = RootKey::CurrentUser;
constexpr auto HKLM = RootKey::LocalMachine;
constexpr auto HKCR = RootKey::ClassesRoot;
constexpr std::size_t kExplorer = 2;
constexpr std::size_t kOthers = 4;
constexpr std::string_view kExplorerSection = "エクスプローラ";
constexpr std::string_view kOthersSection = "その他";
constexpr auto kBinary = platform::regtype::Binary;

const std::string kNameSpace = "\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RemoteComputer\\NameSpace";
const std::string kTaskFolder = "{D6277990-4C6A-11CF-8D87-00AA0060F5BF}";
const std::string kTaskFolderKey = kNameSpace + "\\" + kTaskFolder;
const std::string kAvi = "{87D62D94-71B3-4b9a-9489-5FE6850DC73E}";
const std::string kVideo = "{40C3D757-D6E4-4b49-BB41-0E5BBEA28817}";
const std::string kExplorerKey = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
const std::string kFileSystem = "\\SYSTEM\\CurrentControlSet\\Control\\FileSystem";
const std::string kToolbar = "\\Software\\Microsoft\\Internet Explorer\\Toolbar";
const std::string kDesktop = "\\Control Panel\\Desktop";
const std::string kPolicies = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const std::string kInternet = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const std::string kErrorReporting = "\\SOFTWARE\\Microsoft\\PCHealth\\ErrorReporting";
const std::string kBrowserMain = "\\Software\\Microsoft\\Internet Explorer\\Main";
const std::string kCdrom = "\\SYSTEM\\CurrentControlSet\\Services\\Cdrom";
const std::string kExtensions = "\\SOFTWARE\\Microsoft\\Internet Explorer\\Extensions";
const std::string kMessenger = "{FB5F1910-F110-11d2-BB9E-00C04F795683}";
const std::string kAside = ";" + kMessenger;

// A restore point in the program's folder.
std::string point(const std::string& name) { return "C:\\Program Files\\Hastelyn\\復元ポイント " + name + ".ini"; }

void expectHandlerClass(EngineFixture& fx, const std::string& clsid, const char* name) {
    const std::string server = "\\CLSID\\" + clsid + "\\InProcServer32";
    EXPECT_EQ(fx.read(HKCR, "\\CLSID\\" + clsid, "", RegType::String), name);
    EXPECT_EQ(fx.session().registry.GetRegValueType(HKCR, server, ""), RegType::ExString);
    EXPECT_EQ(fx.read(HKCR, server, "", RegType::String), "%SystemRoot%\\System32\\shmedia.dll");
    EXPECT_EQ(fx.read(HKCR, server, "ThreadingModel", RegType::String), "Both");
}

const auto kEveryRow = [](const Row&) { return true; };

TEST(ExplorerItems, ImagesReadApplyAndKeepDisabledRowsUntouched) {
    const std::vector<int> all = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    EngineFixture::checkImages(kExplorer,
                               {{"95", {3, 4, 7}, {}, {2, 10}},
                                {"98", {3, 4, 7}, {}, {2, 10}},
                                {"me", {3, 4, 7}, {}, {2, 8, 10}},
                                {"nt4", {3, 4, 7}, {}, {2, 4, 5, 6, 10}},
                                {"2000", {4, 7}, {}, {2, 3, 4, 5, 6, 10}},
                                {"xp", {4}, {}, all},
                                {"2003", {4}, {}, all},
                                {"vista", {3, 4, 5, 7}, {}, all}},
                               kEveryRow);
}

TEST(OthersItems, ImagesReadApplyAndKeepDisabledRowsUntouched) {
    // ① needs media player 7 or 8, ⑩ the messenger extension. Without any menu mask, ticking ⑥
    // remembers nothing that unticking could put back.
    EngineFixture::checkImages(kOthers,
                               {{"95", {10}, {6}, {2, 3, 6, 7, 8, 9}},
                                {"98", {10}, {}, {2, 3, 6, 7, 8, 9}},
                                {"me", {}, {}, {1, 2, 3, 6, 7, 8, 9, 10}},
                                {"nt4", {10}, {6}, {2, 3, 6, 7, 8, 9}},
                                {"2000", {10}, {}, {2, 3, 4, 5, 6, 7, 8, 9}},
                                {"xp", {}, {}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
                                {"2003", {10}, {}, {2, 3, 4, 5, 6, 7, 8, 9}},
                                {"vista", {10}, {}, {2, 3, 4, 5, 6, 7, 8, 9}}},
                               kEveryRow);
}

TEST(ExplorerItems, RestrictedAccountSeesMachineKeysAsAbsent) {
    for (bool restricted : {false, true}) {
        testing::MiniMachine m;
        m.restrictedAccount(restricted)
            .hive(HKLM, {"[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Update]", "\"UpdateMode\"=dword:00000001",
                         "[HKEY_LOCAL_MACHINE" + kFileSystem + "]", "\"NtfsDisableLastAccessUpdate\"=dword:00000001",
                         "\"NtfsDisable8dot3NameCreation\"=dword:00000001", "[HKEY_LOCAL_MACHINE" + kTaskFolderKey + "]"})
            .hive(HKCR, {"[HKEY_CLASSES_ROOT\\CLSID\\" + kAvi + "]", "[HKEY_CLASSES_ROOT\\CLSID\\" + kVideo + "]"});
        EngineFixture fx(m, kAndRead);
        const auto ticked = [&](int r) { return fx.row(kExplorer, r).ticked ? 1 : 0; };
        EXPECT_EQ(ticked(3) + ticked(7), restricted ? 2 : 0);
        EXPECT_EQ(ticked(2) + ticked(5) + ticked(6), restricted ? 0 : 3);
    }
}

TEST(ExplorerItems, TaskFolderIsMadeWhereThereWasNone) {
    EngineFixture fx("vista");  // no scheduled-tasks folder under the network namespace
    readPass(fx.session());
    fx.apply(kExplorer, {}, {3});
    EXPECT_EQ(fx.read(HKLM, kTaskFolderKey, "", RegType::String), "タスク");
    EXPECT_FALSE(fx.tickedAfterRestart(kExplorer, 3));

    fx.session().registry.WriteRegValue(HKLM, kTaskFolderKey + "\\Sub", "x", "1", RegType::DWORD);
    fx.apply(kExplorer, {3});  // the key goes with everything below it, its siblings stay
    EXPECT_FALSE(fx.keyExists(HKLM, kNameSpace, kTaskFolder));
    EXPECT_FALSE(fx.session().registry.GetRegSubKeys(HKLM, kNameSpace)->empty());

    fx.restoreCategory(kExplorer, point("無"), 3);  // no key records nothing: the key stays away
    EXPECT_FALSE(fx.keyExists(HKLM, kNameSpace, kTaskFolder));
}

TEST(ExplorerItems, DesktopProcessAbsentIsInForceAndRestoresAsAbsent) {
    EngineFixture fx("xp", kAndRead);
    fx.backupCategory(kExplorer, point("4"), 4);
    EXPECT_TRUE(fx.restorePoint(point("4")).keys(kExplorerSection).empty());
    fx.apply(kExplorer, {}, {4});
    EXPECT_EQ(fx.read(HKCU, kExplorerKey, "DesktopProcess", RegType::DWORD), "1");
    fx.restoreCategory(kExplorer, point("4"), 4);
    EXPECT_EQ(fx.session().registry.GetRegValueType(HKCU, kExplorerKey, "DesktopProcess"), std::nullopt);
}

TEST(ExplorerItems, VideoHandlersCountOnlyWhenBothAreGone) {
    EngineFixture fx("xp");
    fx.session().registry.DeleteRegKey(HKCR, "\\CLSID\\" + kVideo);
    EXPECT_FALSE(fx.tickedAfterRestart(kExplorer, 7));
    fx.backupCategory(kExplorer, point("7"), 7);

    fx.apply(kExplorer, {7});
    EXPECT_FALSE(fx.keyExists(HKCR, "\\CLSID", kAvi));
    EXPECT_TRUE(fx.tickedAfterRestart(kExplorer, 7));

    fx.restoreCategory(kExplorer, point("7"), 7);  // each class by its own key
    expectHandlerClass(fx, kAvi, "Avi Properties Handler");
    EXPECT_FALSE(fx.keyExists(HKCR, "\\CLSID", kVideo));
    fx.restartAndRead();  // the row reads unticked now: ticked and unticked again, both come back
    fx.apply(kExplorer, {7});
    fx.apply(kExplorer, {}, {7});
    expectHandlerClass(fx, kVideo, "Video Media Properties Handler");
}

TEST(ExplorerItems, HiddenLinksFolderSurvivesARestorePoint) {
    EngineFixture fx("xp", kAndRead);
    fx.apply(kExplorer, {10});
    fx.backupCategory(kExplorer, point("10"), 10);
    fx.apply(kExplorer, {}, {10});
    EXPECT_EQ(fx.read(HKCU, kToolbar, "LinksFolderName", RegType::String), "リンク");
    fx.restoreCategory(kExplorer, point("10"), 10);
    EXPECT_EQ(fx.read(HKCU, kToolbar, "LinksFolderName", RegType::String), "\"\"");

    fx.restartAndRead();  // nothing saved: the name stays
    fx.apply(kExplorer, {}, {10});
    fx.restoreCategory(kExplorer, point("無"), 10);
    EXPECT_EQ(fx.read(HKCU, kToolbar, "LinksFolderName", RegType::String), "リンク");
}

TEST(ExplorerItems, CompressedFoldersRunTheRegistrationTool) {
    const std::string u1 = "WinExec\t1\tregsvr32 /u cabview.dll", u2 = "WinExec\t1\tregsvr32 /u zipfldr.dll";
    const std::string r1 = "WinExec\t1\tregsvr32 cabview.dll", r2 = "WinExec\t1\tregsvr32 zipfldr.dll";
    EngineFixture fx("xp", kAndRead);
    fx.apply(kExplorer, {8});
    EXPECT_EQ(fx.session().settings.read(kExplorerSection, "8"), "true");
    EXPECT_TRUE(fx.tickedAfterRestart(kExplorer, 8));
    fx.apply(kExplorer, {}, {8});
    EXPECT_EQ(fx.session().settings.read(kExplorerSection, "8"), "false");

    // "true" runs the ticked side, anything else the unticked one.
    for (const auto& [saved, setting] : {std::pair{"true", "true"}, std::pair{"TRUE", "false"}}) {
        fx.restorePoint(point("8")).put(kExplorerSection, "8", saved);
        fx.restoreCategory(kExplorer, point("8"), 8);
        EXPECT_EQ(fx.session().settings.read(kExplorerSection, "8"), setting);
    }
    EXPECT_EQ(journalLines(fx.folder(), "WinExec"), (Keys{u1, u2, r1, r2, u1, u2, r1, r2}));

    EngineFixture me("me");  // Me has the cabinet folder only
    readPass(me.session());
    me.apply(kExplorer, {8});
    me.apply(kExplorer, {}, {8});
    EXPECT_EQ(journalLines(me.folder(), "WinExec"), (Keys{u1, r1}));
}

TEST(ExplorerItems, RegistrationBoxIsClosedWhenItComesUp) {
    for (const char* delay : {"0", "300"}) {  // at once, or after the tool took a while
        SCOPED_TRACE(delay);
        EngineFixture fx("xp");
        testing::addShellSetting(fx.folder(), "RegSvr32DelayMs", delay);
        fx.restartAndRead();
        fx.apply(kExplorer, {8});
        EXPECT_FALSE(fx.platform().windows.findWindow("", "RegSvr32"));
        const auto sent = journalLines(fx.folder(), "SendMessage");
        ASSERT_EQ(sent.size(), 2u);
        for (const std::string& line : sent) EXPECT_NE(line.find("\t#32770\tRegSvr32\t16\t"), std::string::npos) << line;
        EXPECT_NE(testing::fileText(fx.folder() / "dlls.ini").find("zipfldr.dll=0"), std::string::npos);
        fx.apply(kExplorer, {}, {8});
        EXPECT_EQ(journalLines(fx.folder(), "SendMessage").size(), 4u);
    }

    // A tool that cannot start shows no box to wait for: a box of that title that is already up
    // belongs to someone else and stays.
    EngineFixture fx("xp");
    testing::addShellSetting(fx.folder(), "Missing", "regsvr32");
    fx.restart();
    const platform::WindowHandle othersBox = fx.platform().windows.createWindow("#32770", "RegSvr32");
    fx.apply(kExplorer, {8});
    EXPECT_EQ(fx.platform().windows.findWindow("", "RegSvr32"), othersBox);
    EXPECT_TRUE(journalLines(fx.folder(), "SendMessage").empty());
    EXPECT_EQ(fx.session().settings.read(kExplorerSection, "8"), "true");
}

// Everything in force: the keys follow the rows, and after an untick a restore puts every row
// back in force. (Back to the state at start: the whole-machine round trip.)
TEST(ExplorerAndOthersItems, RestorePointOfEverythingInForcePutsTheCategoryBack) {
    struct Case {
        std::size_t category;
        std::string_view section;
        Keys keys;  // absent values leave no key
    };
    const Case cases[] = {
        {kExplorer, kExplorerSection, {"1", "2", "3", "5", "6", "7a", "7b", "8", "9", "10"}},
        {kOthers, kOthersSection, {"1", "2", "3a", "3b", "4", "5a", "5b", "5c", "6", "7", "8", "9", "10"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section);
        EngineFixture fx("xp", kAndRead);
        fx.tickAll(c.category, true);
        applyPass(fx.session());
        fx.backupCategory(c.category, point("後"));
        EXPECT_EQ(fx.restorePoint(point("後")).keys(c.section), c.keys);

        fx.tickAll(c.category, false);
        applyPass(fx.session());
        fx.restoreCategory(c.category, point("後"));
        fx.restartAndRead();
        EXPECT_EQ(fx.tickedRows(c.category), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    }
}

// The rows of plain values on XP: their texts ticked and then unticked, as documented.
TEST(ExplorerAndOthersItems, TickAndUntickWriteTheDocumentedTexts) {
    struct Expected {
        std::size_t category;
        int row;
        RootKey root;
        std::string key;
        std::vector<const char*> names;
        RegType type;
        std::string ticked, unticked;
    };
    const Expected rows[] = {
        {kExplorer, 1, HKCU, kExplorerKey + "\\CabinetState", {"Use Search Asst"}, RegType::String, "no", "NULL"},
        {kExplorer, 2, HKLM, "\\System\\CurrentControlSet\\Control\\Update", {"UpdateMode"}, RegType::DWORD, "1", "0"},
        {kExplorer, 4, HKCU, kExplorerKey, {"DesktopProcess"}, RegType::DWORD, "NULL", "1"},
        {kExplorer, 5, HKLM, kFileSystem, {"NtfsDisableLastAccessUpdate"}, RegType::DWORD, "1", "NULL"},
        {kExplorer, 6, HKLM, kFileSystem, {"NtfsDisable8dot3NameCreation"}, RegType::DWORD, "1", "0"},
        {kExplorer, 9, HKCU, kPolicies, {"NoThumbnailCache"}, RegType::DWORD, "1", "NULL"},
        {kExplorer, 10, HKCU, kToolbar, {"LinksFolderName"}, RegType::String, "\"\"", "リンク"},
        {kOthers, 1, HKCU, "\\Software\\Microsoft\\MediaPlayer\\Preferences", {"DisableMRU"}, RegType::DWORD, "1", "0"},
        {kOthers, 2, HKLM, kErrorReporting, {"DoReport"}, RegType::DWORD, "0", "1"},
        {kOthers, 3, HKCU, kInternet, {"MaxConnectionsPer1_0Server", "MaxConnectionsPerServer"}, RegType::DWORD, "16",
         "NULL"},
        {kOthers, 4, HKLM, "\\SOFTWARE\\Policies\\Microsoft\\Windows\\WindowsUpdate\\AU", {"NoAutoUpdate"},
         RegType::DWORD, "1", "NULL"},
        {kOthers, 5, HKCU, kPolicies, {"NoResolveTrack", "NoResolveSearch", "LinkResolveIgnoreLinkInfo"}, RegType::DWORD,
         "1", "NULL"},
        {kOthers, 8, HKCU, kExplorerKey, {"link"}, RegType::Binary, "00000000", "0000001E"},
        {kOthers, 9, HKLM, "\\SOFTWARE\\Microsoft\\Outlook Express", {"Hide Messenger"}, RegType::DWORD, "2", "NULL"},
    };
    EngineFixture fx("xp", kAndRead);
    for (bool ticked : {true, false}) {
        for (const Expected& e : rows) {
            ASSERT_TRUE(fx.row(e.category, e.row).enabled) << e.row;
            fx.row(e.category, e.row).ticked = ticked;
        }
        applyPass(fx.session());
        for (const Expected& e : rows)
            for (const char* name : e.names)
                EXPECT_EQ(fx.read(e.root, e.key, name, e.type), ticked ? e.ticked : e.unticked) << name << " ticked " << ticked;
    }
}

TEST(OthersItems, ErrorReportingFollowsTheEdition) {
    struct Case {
        const char* image;
        std::string name;   // the value of the edition
        std::string other;  // never touched
        const char* unticked;
        const char* restoredWithoutKey;
    };
    for (const Case& c : {Case{"xp", "DoReport", "IEWatsonEnabled", "1", "0"},
                          Case{"2000", "IEWatsonEnabled", "DoReport", "NULL", "NULL"}}) {
        SCOPED_TRACE(c.image);
        EngineFixture fx(c.image);
        const std::string key = c.name == "DoReport" ? kErrorReporting : kBrowserMain;
        readPass(fx.session());
        fx.apply(kOthers, {2});
        EXPECT_EQ(fx.read(HKLM, key, c.name, RegType::DWORD), "0");
        fx.backupCategory(kOthers, point("2"), 2);
        fx.apply(kOthers, {}, {2});
        EXPECT_EQ(fx.read(HKLM, key, c.name, RegType::DWORD), c.unticked);
        fx.restoreCategory(kOthers, point("2"), 2);
        EXPECT_EQ(fx.read(HKLM, key, c.name, RegType::DWORD), "0");
        fx.restoreCategory(kOthers, point("無"), 2);  // XP keeps its value, the others delete it
        EXPECT_EQ(fx.read(HKLM, key, c.name, RegType::DWORD), c.restoredWithoutKey);
        EXPECT_EQ(fx.read(HKLM, c.name == "DoReport" ? kBrowserMain : kErrorReporting, c.other, RegType::DWORD), "NULL");
    }
}

TEST(OthersItems, ConnectionsCountOnlyWhenBothAreSixteen) {
    EngineFixture fx("xp");
    fx.session().registry.WriteRegValue(HKCU, kInternet, "MaxConnectionsPerServer", "16", RegType::DWORD);
    EXPECT_FALSE(fx.tickedAfterRestart(kOthers, 3));
    fx.apply(kOthers, {3});
    EXPECT_EQ(fx.read(HKCU, kInternet, "MaxConnectionsPer1_0Server", RegType::DWORD), "16");
    EXPECT_TRUE(fx.tickedAfterRestart(kOthers, 3));
}

TEST(OthersItems, LongMenuMaskIsKeptAndComesBack) {
    EngineFixture fx("xp");
    const std::string xpMask = fx.bytes(HKCU, kDesktop, "UserPreferencesMask", kBinary);
    ASSERT_EQ(xpMask.size(), 16u);
    EXPECT_FALSE(fx.tickedAfterRestart(kOthers, 6));
    fx.backupCategory(kOthers, point("6"), 6);
    EXPECT_EQ(fx.restorePoint(point("6")).get(kOthersSection, "6"), "UnfitType");

    fx.apply(kOthers, {6});
    EXPECT_EQ(fx.session().settings.read(kOthersSection, "6"), "UnfitType");
    EXPECT_EQ(fx.bytes(HKCU, kDesktop, "UserPreferencesMask", kBinary), "b0000000");
    // The documented "UnfitType" leaves the value alone; the exact section brings every byte back.
    fx.restoreCategory(kOthers, point("6"), 6);
    EXPECT_EQ(fx.bytes(HKCU, kDesktop, "UserPreferencesMask", kBinary), xpMask);
    EXPECT_FALSE(fx.tickedAfterRestart(kOthers, 6));

    fx.apply(kOthers, {6});
    fx.apply(kOthers, {}, {6});  // unticked, every byte of the user's own mask comes back too
    EXPECT_EQ(fx.bytes(HKCU, kDesktop, "UserPreferencesMask", kBinary), xpMask);

    // Kept bytes never stand for a later mask: one of another type has nothing to come back.
    fx.session().registry.DeleteRegValue(HKCU, kDesktop, "UserPreferencesMask");
    fx.session().registry.WriteRegValue(HKCU, kDesktop, "UserPreferencesMask", "7", RegType::DWORD);
    fx.restartAndRead();
    fx.apply(kOthers, {6});
    fx.apply(kOthers, {}, {6});
    EXPECT_EQ(fx.read(HKCU, kDesktop, "UserPreferencesMask", RegType::Binary), "000000B0");
}

TEST(OthersItems, MenuMaskOnNineXAndWithoutMemory) {
    EngineFixture fx("98", kAndRead);
    fx.apply(kOthers, {6});
    EXPECT_EQ(fx.session().settings.read(kOthersSection, "6"), "000000BE");
    EXPECT_EQ(fx.bytes(HKCU, kDesktop, "UserPreferenceMask", kBinary), "b0000000");
    EXPECT_EQ(fx.read(HKCU, kDesktop, "UserPreferencesMask", RegType::Binary), "NULL");
    fx.apply(kOthers, {}, {6});
    EXPECT_EQ(fx.read(HKCU, kDesktop, "UserPreferenceMask", RegType::Binary), "000000BE");

    EngineFixture fresh("98");  // in force without the program's tick: nothing to put back
    fresh.session().registry.WriteRegValue(HKCU, kDesktop, "UserPreferenceMask", "B0", RegType::Binary);
    EXPECT_TRUE(fresh.tickedAfterRestart(kOthers, 6));
    fresh.apply(kOthers, {}, {6});
    EXPECT_EQ(fresh.read(HKCU, kDesktop, "UserPreferenceMask", RegType::Binary), "000000B0");
}

TEST(OthersItems, AutoRunFollowsTheFamily) {
    EngineFixture nineX("98", kAndRead);
    nineX.apply(kOthers, {7});
    EXPECT_EQ(nineX.bytes(HKCU, kPolicies, "NoDriveTypeAutoRun", kBinary), "b5000000");
    EXPECT_TRUE(nineX.tickedAfterRestart(kOthers, 7));
    nineX.apply(kOthers, {}, {7});
    EXPECT_EQ(nineX.bytes(HKCU, kPolicies, "NoDriveTypeAutoRun", kBinary), "95000000");
    EXPECT_EQ(nineX.read(HKLM, kCdrom, "AutoRun", RegType::DWORD), "NULL");
    nineX.backupCategory(kOthers, point("7"), 7);

    EngineFixture nt("xp");  // restored on NT: the CD-ROM driver's value, a DWORD of the saved text
    readPass(nt.session());
    nt.apply(kOthers, {7});
    EXPECT_EQ(nt.read(HKLM, kCdrom, "AutoRun", RegType::DWORD), "0");
    EXPECT_EQ(nt.read(HKCU, kPolicies, "NoDriveTypeAutoRun", RegType::DWORD), "145");  // the user's policy stays
    nt.restorePoint(point("7")).put(kOthersSection, "7", nineX.restorePoint(point("7")).get(kOthersSection, "7"));
    nt.restoreCategory(kOthers, point("7"), 7);
    EXPECT_EQ(nt.session().registry.GetRegValueType(HKLM, kCdrom, "AutoRun"), RegType::DWORD);
    EXPECT_EQ(nt.read(HKLM, kCdrom, "AutoRun", RegType::DWORD), "95");
}

TEST(OthersItems, MessengerButtonRenamedAsideAndBack) {
    EngineFixture fx("xp");
    const std::string active = kExtensions + "\\" + kMessenger;
    fx.session().registry.WriteRegValue(HKLM, active + "\\Sub", "Kept", "yes", RegType::String);
    readPass(fx.session());
    fx.backupCategory(kOthers, point("10"), 10);

    fx.apply(kOthers, {10});
    EXPECT_FALSE(fx.keyExists(HKLM, kExtensions, kMessenger));
    EXPECT_EQ(fx.read(HKLM, kExtensions + "\\" + kAside + "\\Sub", "Kept", RegType::String), "yes");
    EXPECT_TRUE(fx.tickedAfterRestart(kOthers, 10));
    EXPECT_TRUE(fx.row(kOthers, 10).enabled);  // the key aside keeps the row on

    fx.restoreCategory(kOthers, point("10"), 10);  // "true": back under the active name
    EXPECT_FALSE(fx.keyExists(HKLM, kExtensions, kAside));
    EXPECT_EQ(fx.read(HKLM, active, "MenuText", RegType::String), "Windows Messenger");
    EXPECT_EQ(fx.read(HKLM, active + "\\Sub", "Kept", RegType::String), "yes");
    fx.restorePoint(point("10")).put(kOthersSection, "10", "false");
    fx.restoreCategory(kOthers, point("10"), 10);
    EXPECT_TRUE(fx.keyExists(HKLM, kExtensions, kAside));
    fx.restoreCategory(kOthers, point("無"), 10);  // no key records nothing: it stays aside
    EXPECT_TRUE(fx.keyExists(HKLM, kExtensions, kAside));

    EngineFixture bare("2000");  // under neither name: the row is off, and shows ticked
    readPass(bare.session());
    EXPECT_FALSE(bare.row(kOthers, 10).enabled);
    EXPECT_TRUE(bare.row(kOthers, 10).ticked);
}

}  // namespace
}  // namespace hastelyn::engine
