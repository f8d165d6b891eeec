// The rows of the pages "エクスプローラ" and "その他" on the carried machines: what a start ticks,
// what applying writes and reads back, rows switched off by edition or environment, the rows
// that act on keys, libraries and remembered values, and restore points.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine/Passes.h"
#include "engine/Registration.h"
#include "engine/RestorePointFile.h"
#include "engine/TweakItem.h"
#include "foundation/OpenKey.h"
#include "tests/engine/EngineFixture.h"

namespace hastelyn::engine {
namespace {

using platform::RootKey;
using testing::EngineFixture;
using Rows = std::set<int>;
using Bytes = std::vector<std::uint8_t>;
using Keys = std::vector<std::string>;

constexpr auto HKCU = RootKey::CurrentUser;
constexpr auto HKLM = RootKey::LocalMachine;
constexpr auto HKCR = RootKey::ClassesRoot;
constexpr std::size_t kExplorer = 2;
constexpr std::size_t kOthers = 4;
constexpr std::string_view kExplorerSection = "エクスプローラ";
constexpr std::string_view kOthersSection = "その他";

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

Rows rowsWhere(EngineFixture& fx, std::size_t category, bool Row::*flag) {
    Rows rows;
    for (std::size_t i = 0; i < 10; ++i)
        if (fx.session().model.tweakList(category).rows[i].*flag) rows.insert(static_cast<int>(i) + 1);
    return rows;
}

// The next start of the program: a fresh model and the read pass.
Rows readAgain(EngineFixture& fx, std::size_t category) {
    fx.restart();
    readPass(fx.session());
    return rowsWhere(fx, category, &Row::ticked);
}

void applyRows(EngineFixture& fx, std::size_t category, const Rows& ticked, const Rows& unticked) {
    for (int r : ticked) fx.session().model.tweakList(category).rows[r - 1].ticked = true;
    for (int r : unticked) fx.session().model.tweakList(category).rows[r - 1].ticked = false;
    applyPass(fx.session());
}

const TweakItem& item(std::size_t category, int number) { return *tweakItems()[category][number - 1]; }

// A restore point in the program's folder, reached through whichever session the fixture has
// now (restart() makes a new one).
class FixtureRestorePoint : public RestorePointWriter, public RestorePointReader {
public:
    FixtureRestorePoint(EngineFixture& fx, const std::string& name)
        : fx_(fx), path_("C:\\Program Files\\Hastelyn\\復元ポイント " + name + ".ini") {}
    void put(std::string_view section, std::string_view key, std::string_view value) override {
        file().put(section, key, value);
    }
    std::string get(std::string_view section, std::string_view key) override { return file().get(section, key); }
    std::vector<std::string> keys(std::string_view section) override { return file().keys(section); }

private:
    RestorePointFile file() { return RestorePointFile(fx_.session().profiles, path_); }
    EngineFixture& fx_;
    std::string path_;
};

FixtureRestorePoint restorePoint(EngineFixture& fx, const std::string& name) { return FixtureRestorePoint(fx, name); }

bool keyExists(EngineFixture& fx, RootKey root, const std::string& parent, const std::string& name) {
    return fx.session().registry.RegKeyOrValueExists(root, parent, name, "Key");
}

// Every file of the machine but the journal: the registry, the settings file, dlls.ini.
std::map<std::string, std::string> machineFiles(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file() && entry.path().filename() != "journal.log")
            files[entry.path().string()] = EngineFixture::fileText(entry.path());
    return files;
}

std::vector<std::string> journalLines(EngineFixture& fx, const std::string& kind) {
    std::vector<std::string> lines;
    std::istringstream in(fx.journal());
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind(kind + "\t", 0) == 0) lines.push_back(line);
    }
    return lines;
}

// A value's bytes as the registry holds them; empty unless its type is REG_BINARY.
Bytes binaryValue(EngineFixture& fx, RootKey root, const std::string& key, const std::string& name) {
    platform::Registry& registry = fx.platform().registry;
    foundation::OpenKey open(registry, root, key, platform::KeyAccess::Query);
    std::uint32_t type = 0;
    std::uint32_t size = 64;
    Bytes bytes(size);
    if (!open || registry.queryValue(open.handle(), name, &type, bytes.data(), &size) != 0 ||
        type != platform::regtype::Binary)
        return {};
    bytes.resize(size);
    return bytes;
}

void expectHandlerClass(EngineFixture& fx, const std::string& clsid, const char* name) {
    const std::string server = "\\CLSID\\" + clsid + "\\InProcServer32";
    EXPECT_EQ(fx.read(HKCR, "\\CLSID\\" + clsid, "", "String"), name);
    EXPECT_EQ(fx.session().registry.GetRegValueType(HKCR, server, ""), "ExString");
    EXPECT_EQ(fx.read(HKCR, server, "", "String"), "%SystemRoot%\\System32\\shmedia.dll");
    EXPECT_EQ(fx.read(HKCR, server, "ThreadingModel", "String"), "Both");
}

struct ImageRows {
    Rows inForce;
    Rows enabled;
    Rows stayInForce;  // still in force after unticking
};

// On each image: the rows in force are ticked; disabled rows set against their state and a row
// changed twice write nothing; every enabled row ticked, then unticked, reads back so.
void checkImages(std::size_t category, const std::map<std::string, ImageRows>& images) {
    for (const auto& [image, rows] : images) {
        SCOPED_TRACE(image);
        EngineFixture fx(image);
        readPass(fx.session());
        EXPECT_EQ(rowsWhere(fx, category, &Row::ticked), rows.inForce);
        ASSERT_EQ(rowsWhere(fx, category, &Row::enabled), rows.enabled);

        auto& list = fx.session().model.tweakList(category).rows;
        for (Row& r : list)
            if (!r.enabled) r.ticked = !r.ticked;
        list[1].ticked = !list[1].ticked;
        list[1].ticked = !list[1].ticked;
        const auto before = machineFiles(fx.folder());
        applyPass(fx.session());
        EXPECT_EQ(machineFiles(fx.folder()), before);

        Rows offInForce;
        for (int r : rows.inForce)
            if (!rows.enabled.count(r)) offInForce.insert(r);
        fx.tickAll(category, true);
        applyPass(fx.session());
        Rows all = rows.enabled;
        all.insert(offInForce.begin(), offInForce.end());
        EXPECT_EQ(readAgain(fx, category), all);
        fx.tickAll(category, false);
        applyPass(fx.session());
        offInForce.insert(rows.stayInForce.begin(), rows.stayInForce.end());
        EXPECT_EQ(readAgain(fx, category), offInForce);
    }
}

TEST(ExplorerItems, ImagesReadApplyAndKeepDisabledRowsUntouched) {
    const Rows all = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    checkImages(kExplorer, {{"95", {{3, 4, 7}, {2, 10}, {}}},
                            {"98", {{3, 4, 7}, {2, 10}, {}}},
                            {"me", {{3, 4, 7}, {2, 8, 10}, {}}},
                            {"nt4", {{3, 4, 7}, {2, 4, 5, 6, 10}, {}}},
                            {"2000", {{4, 7}, {2, 3, 4, 5, 6, 10}, {}}},
                            {"xp", {{4}, all, {}}},
                            {"2003", {{4}, all, {}}},
                            {"vista", {{3, 4, 5, 7}, all, {}}}});
}

TEST(OthersItems, ImagesReadApplyAndKeepDisabledRowsUntouched) {
    // ① needs media player 7 or 8, ⑩ the messenger extension. Without any menu mask, ticking ⑥
    // remembers nothing that unticking could put back.
    checkImages(kOthers, {{"95", {{10}, {2, 3, 6, 7, 8, 9}, {6}}},
                          {"98", {{10}, {2, 3, 6, 7, 8, 9}, {}}},
                          {"me", {{}, {1, 2, 3, 6, 7, 8, 9, 10}, {}}},
                          {"nt4", {{10}, {2, 3, 6, 7, 8, 9}, {6}}},
                          {"2000", {{10}, {2, 3, 4, 5, 6, 7, 8, 9}, {}}},
                          {"xp", {{}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, {}}},
                          {"2003", {{10}, {2, 3, 4, 5, 6, 7, 8, 9}, {}}},
                          {"vista", {{10}, {2, 3, 4, 5, 6, 7, 8, 9}, {}}}});
}

TEST(ExplorerItems, RestrictedAccountSeesMachineKeysAsAbsent) {
    for (bool restricted : {false, true}) {
        testing::MiniMachine m;
        m.restrictedAccount(restricted)
            .hive(HKLM, {"[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Control\\Update]", "\"UpdateMode\"=dword:00000001",
                         "[HKEY_LOCAL_MACHINE" + kFileSystem + "]", "\"NtfsDisableLastAccessUpdate\"=dword:00000001",
                         "\"NtfsDisable8dot3NameCreation\"=dword:00000001", "[HKEY_LOCAL_MACHINE" + kTaskFolderKey + "]"})
            .hive(HKCR, {"[HKEY_CLASSES_ROOT\\CLSID\\" + kAvi + "]", "[HKEY_CLASSES_ROOT\\CLSID\\" + kVideo + "]"});
        EngineFixture fx(m);
        readPass(fx.session());
        const Rows ticked = rowsWhere(fx, kExplorer, &Row::ticked);
        EXPECT_EQ(ticked.count(3) + ticked.count(7), restricted ? 2u : 0u);
        EXPECT_EQ(ticked.count(2) + ticked.count(5) + ticked.count(6), restricted ? 0u : 3u);
    }
}

TEST(ExplorerItems, TaskFolderIsMadeWhereThereWasNone) {
    EngineFixture fx("vista");  // no scheduled-tasks folder under the network namespace
    readPass(fx.session());
    applyRows(fx, kExplorer, {}, {3});
    EXPECT_EQ(fx.read(HKLM, kTaskFolderKey, "", "String"), "タスク");
    EXPECT_FALSE(readAgain(fx, kExplorer).count(3));

    fx.session().registry.WriteRegValue(HKLM, kTaskFolderKey + "\\Sub", "x", "1", "DWORD");
    applyRows(fx, kExplorer, {3}, {});  // the key goes with everything below it, its siblings stay
    EXPECT_FALSE(keyExists(fx, HKLM, kNameSpace, kTaskFolder));
    EXPECT_FALSE(fx.session().registry.GetRegSubKeys(HKLM, kNameSpace)->empty());

    auto none = restorePoint(fx, "無");  // only "false" deletes; no key makes it again
    item(kExplorer, 3).restore(fx.session(), none);
    EXPECT_EQ(fx.read(HKLM, kTaskFolderKey, "", "String"), "タスク");
}

TEST(ExplorerItems, DesktopProcessAbsentIsInForceAndRestoresAsAbsent) {
    EngineFixture fx("xp");
    readPass(fx.session());
    auto file = restorePoint(fx, "4");
    item(kExplorer, 4).backup(fx.session(), file);
    EXPECT_TRUE(file.keys(kExplorerSection).empty());
    applyRows(fx, kExplorer, {}, {4});
    EXPECT_EQ(fx.read(HKCU, kExplorerKey, "DesktopProcess", "DWORD"), "1");
    item(kExplorer, 4).restore(fx.session(), file);
    EXPECT_EQ(fx.session().registry.GetRegValueType(HKCU, kExplorerKey, "DesktopProcess"), "Unknown");
}

TEST(ExplorerItems, VideoHandlersCountOnlyWhenBothAreGone) {
    EngineFixture fx("xp");
    fx.session().registry.DeleteRegKey(HKCR, "\\CLSID\\" + kVideo);
    EXPECT_FALSE(readAgain(fx, kExplorer).count(7));
    auto file = restorePoint(fx, "7");
    item(kExplorer, 7).backup(fx.session(), file);

    applyRows(fx, kExplorer, {7}, {});
    EXPECT_FALSE(keyExists(fx, HKCR, "\\CLSID", kAvi));
    EXPECT_TRUE(readAgain(fx, kExplorer).count(7));

    item(kExplorer, 7).restore(fx.session(), file);  // each class by its own key
    expectHandlerClass(fx, kAvi, "Avi Properties Handler");
    EXPECT_FALSE(keyExists(fx, HKCR, "\\CLSID", kVideo));
    applyRows(fx, kExplorer, {}, {7});
    expectHandlerClass(fx, kVideo, "Video Media Properties Handler");
}

TEST(ExplorerItems, HiddenLinksFolderSurvivesARestorePoint) {
    EngineFixture fx("xp");
    readPass(fx.session());
    applyRows(fx, kExplorer, {10}, {});
    auto file = restorePoint(fx, "10");
    item(kExplorer, 10).backup(fx.session(), file);
    applyRows(fx, kExplorer, {}, {10});
    EXPECT_EQ(fx.read(HKCU, kToolbar, "LinksFolderName", "String"), "リンク");
    item(kExplorer, 10).restore(fx.session(), file);
    EXPECT_EQ(fx.read(HKCU, kToolbar, "LinksFolderName", "String"), "\"\"");

    auto none = restorePoint(fx, "無");  // nothing saved: the name stays
    readAgain(fx, kExplorer);
    applyRows(fx, kExplorer, {}, {10});
    item(kExplorer, 10).restore(fx.session(), none);
    EXPECT_EQ(fx.read(HKCU, kToolbar, "LinksFolderName", "String"), "リンク");
}

TEST(ExplorerItems, CompressedFoldersRunTheRegistrationTool) {
    const std::string u1 = "WinExec\t1\tregsvr32 /u cabview.dll", u2 = "WinExec\t1\tregsvr32 /u zipfldr.dll";
    const std::string r1 = "WinExec\t1\tregsvr32 cabview.dll", r2 = "WinExec\t1\tregsvr32 zipfldr.dll";
    EngineFixture fx("xp");
    readPass(fx.session());
    applyRows(fx, kExplorer, {8}, {});
    EXPECT_EQ(fx.session().settings.read(kExplorerSection, "8"), "true");
    EXPECT_TRUE(readAgain(fx, kExplorer).count(8));
    applyRows(fx, kExplorer, {}, {8});
    EXPECT_EQ(fx.session().settings.read(kExplorerSection, "8"), "false");

    auto file = restorePoint(fx, "8");  // "true" runs the ticked side, anything else the unticked one
    file.put(kExplorerSection, "8", "true");
    item(kExplorer, 8).restore(fx.session(), file);
    EXPECT_EQ(fx.session().settings.read(kExplorerSection, "8"), "true");
    file.put(kExplorerSection, "8", "TRUE");
    item(kExplorer, 8).restore(fx.session(), file);
    EXPECT_EQ(fx.session().settings.read(kExplorerSection, "8"), "false");
    EXPECT_EQ(journalLines(fx, "WinExec"), (Keys{u1, u2, r1, r2, u1, u2, r1, r2}));

    EngineFixture me("me");  // Me has the cabinet folder only
    readPass(me.session());
    applyRows(me, kExplorer, {8}, {});
    applyRows(me, kExplorer, {}, {8});
    EXPECT_EQ(journalLines(me, "WinExec"), (Keys{u1, r1}));
}

TEST(ExplorerItems, RegistrationBoxIsClosedWhenItComesUp) {
    for (const char* delay : {"0", "300"}) {  // at once, or after the tool took a while
        SCOPED_TRACE(delay);
        EngineFixture fx("xp");
        std::ofstream(fx.folder() / "machine.ini", std::ios::app) << "\r\n[Shell]\r\nRegSvr32DelayMs=" << delay << "\r\n";
        fx.restart();
        readPass(fx.session());
        applyRows(fx, kExplorer, {8}, {});
        EXPECT_FALSE(fx.platform().windows.findWindow("", "RegSvr32"));
        const auto sent = journalLines(fx, "SendMessage");
        ASSERT_EQ(sent.size(), 2u);
        for (const std::string& line : sent) EXPECT_NE(line.find("\t#32770\tRegSvr32\t16\t"), std::string::npos) << line;
        EXPECT_NE(EngineFixture::fileText(fx.folder() / "dlls.ini").find("zipfldr.dll=0"), std::string::npos);
        applyRows(fx, kExplorer, {}, {8});
        EXPECT_EQ(journalLines(fx, "SendMessage").size(), 4u);
    }

    EngineFixture fx("xp");  // a tool that cannot start shows no box to wait for
    std::ofstream(fx.folder() / "machine.ini", std::ios::app) << "\r\n[Shell]\r\nMissing=regsvr32\r\n";
    fx.restart();
    const auto started = std::chrono::steady_clock::now();
    applyRows(fx, kExplorer, {8}, {});
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(kRegSvr32BoxWaitMs));
    EXPECT_EQ(fx.session().settings.read(kExplorerSection, "8"), "true");
}

TEST(ExplorerAndOthersItems, RestorePointPutsTheCategoryBack) {
    struct Case {
        std::size_t category;
        std::string_view section;
        Keys keysBefore, keysAfter;  // absent values leave no key; the keys follow the rows
        Rows restored;               // "UnfitType" writes nothing: Explorer ② and Others ⑥ stay
    };
    const Case cases[] = {
        {kExplorer, kExplorerSection, {"2", "3", "6", "7a", "7b", "10"},
         {"1", "2", "3", "5", "6", "7a", "7b", "8", "9", "10"}, {2, 4}},
        {kOthers, kOthersSection, {"2", "6", "7", "8", "10"},
         {"1", "2", "3a", "3b", "4", "5a", "5b", "5c", "6", "7", "8", "9", "10"}, {6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.section);
        EngineFixture fx("xp");
        readPass(fx.session());
        auto before = restorePoint(fx, "前");
        auto after = restorePoint(fx, "後");
        for (const auto& row : tweakItems()[c.category]) row->backup(fx.session(), before);
        EXPECT_EQ(before.keys(c.section), c.keysBefore);
        fx.tickAll(c.category, true);
        applyPass(fx.session());
        for (const auto& row : tweakItems()[c.category]) row->backup(fx.session(), after);
        EXPECT_EQ(after.keys(c.section), c.keysAfter);

        for (const auto& row : tweakItems()[c.category]) row->restore(fx.session(), before);
        EXPECT_EQ(readAgain(fx, c.category), c.restored);
        if (c.category == kExplorer) {  // the handler classes made again as they were
            expectHandlerClass(fx, kAvi, "Avi Properties Handler");
            expectHandlerClass(fx, kVideo, "Video Media Properties Handler");
        }
        for (const auto& row : tweakItems()[c.category]) row->restore(fx.session(), after);
        EXPECT_EQ(readAgain(fx, c.category), (Rows{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
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
        applyRows(fx, kOthers, {2}, {});
        EXPECT_EQ(fx.read(HKLM, key, c.name, "DWORD"), "0");
        auto file = restorePoint(fx, "2");
        item(kOthers, 2).backup(fx.session(), file);
        applyRows(fx, kOthers, {}, {2});
        EXPECT_EQ(fx.read(HKLM, key, c.name, "DWORD"), c.unticked);
        item(kOthers, 2).restore(fx.session(), file);
        EXPECT_EQ(fx.read(HKLM, key, c.name, "DWORD"), "0");
        auto none = restorePoint(fx, "無");  // XP keeps its value, the others delete it
        item(kOthers, 2).restore(fx.session(), none);
        EXPECT_EQ(fx.read(HKLM, key, c.name, "DWORD"), c.restoredWithoutKey);
        EXPECT_EQ(fx.read(HKLM, c.name == "DoReport" ? kBrowserMain : kErrorReporting, c.other, "DWORD"), "NULL");
    }
}

TEST(OthersItems, ConnectionsCountOnlyWhenBothAreSixteen) {
    EngineFixture fx("xp");
    fx.session().registry.WriteRegValue(HKCU, kInternet, "MaxConnectionsPerServer", "16", "DWORD");
    EXPECT_FALSE(readAgain(fx, kOthers).count(3));
    applyRows(fx, kOthers, {3}, {});
    EXPECT_EQ(fx.read(HKCU, kInternet, "MaxConnectionsPer1_0Server", "DWORD"), "16");
    EXPECT_TRUE(readAgain(fx, kOthers).count(3));
}

TEST(OthersItems, LongMenuMaskIsKeptAndComesBack) {
    EngineFixture fx("xp");
    const Bytes xpMask = binaryValue(fx, HKCU, kDesktop, "UserPreferencesMask");
    ASSERT_EQ(xpMask.size(), 8u);
    EXPECT_FALSE(readAgain(fx, kOthers).count(6));
    auto file = restorePoint(fx, "6");
    item(kOthers, 6).backup(fx.session(), file);
    EXPECT_EQ(file.get(kOthersSection, "6"), "UnfitType");

    applyRows(fx, kOthers, {6}, {});
    EXPECT_EQ(fx.session().settings.read(kOthersSection, "6"), "UnfitType");
    EXPECT_EQ(binaryValue(fx, HKCU, kDesktop, "UserPreferencesMask"), (Bytes{0xB0, 0, 0, 0}));
    item(kOthers, 6).restore(fx.session(), file);  // "UnfitType" leaves the value alone
    EXPECT_TRUE(readAgain(fx, kOthers).count(6));
    applyRows(fx, kOthers, {}, {6});  // every byte of the user's own mask comes back
    EXPECT_EQ(binaryValue(fx, HKCU, kDesktop, "UserPreferencesMask"), xpMask);

    // Kept bytes never stand for a later mask: one of another type has nothing to come back.
    fx.session().registry.DeleteRegValue(HKCU, kDesktop, "UserPreferencesMask");
    fx.session().registry.WriteRegValue(HKCU, kDesktop, "UserPreferencesMask", "7", "DWORD");
    readAgain(fx, kOthers);
    applyRows(fx, kOthers, {6}, {});
    applyRows(fx, kOthers, {}, {6});
    EXPECT_EQ(fx.read(HKCU, kDesktop, "UserPreferencesMask", "Binary"), "000000B0");
}

TEST(OthersItems, MenuMaskOnNineXAndWithoutMemory) {
    EngineFixture fx("98");
    readPass(fx.session());
    applyRows(fx, kOthers, {6}, {});
    EXPECT_EQ(fx.session().settings.read(kOthersSection, "6"), "000000BE");
    EXPECT_EQ(binaryValue(fx, HKCU, kDesktop, "UserPreferenceMask"), (Bytes{0xB0, 0, 0, 0}));
    EXPECT_EQ(fx.read(HKCU, kDesktop, "UserPreferencesMask", "Binary"), "NULL");
    applyRows(fx, kOthers, {}, {6});
    EXPECT_EQ(fx.read(HKCU, kDesktop, "UserPreferenceMask", "Binary"), "000000BE");

    EngineFixture fresh("98");  // in force without the program's tick: nothing to put back
    fresh.session().registry.WriteRegValue(HKCU, kDesktop, "UserPreferenceMask", "B0", "Binary");
    EXPECT_TRUE(readAgain(fresh, kOthers).count(6));
    applyRows(fresh, kOthers, {}, {6});
    EXPECT_EQ(fresh.read(HKCU, kDesktop, "UserPreferenceMask", "Binary"), "000000B0");
}

TEST(OthersItems, AutoRunFollowsTheFamily) {
    EngineFixture nineX("98");
    readPass(nineX.session());
    applyRows(nineX, kOthers, {7}, {});
    EXPECT_EQ(binaryValue(nineX, HKCU, kPolicies, "NoDriveTypeAutoRun"), (Bytes{0xB5, 0, 0, 0}));
    EXPECT_TRUE(readAgain(nineX, kOthers).count(7));
    applyRows(nineX, kOthers, {}, {7});
    EXPECT_EQ(binaryValue(nineX, HKCU, kPolicies, "NoDriveTypeAutoRun"), (Bytes{0x95, 0, 0, 0}));
    EXPECT_EQ(nineX.read(HKLM, kCdrom, "AutoRun", "DWORD"), "NULL");
    auto nineXFile = restorePoint(nineX, "7");
    item(kOthers, 7).backup(nineX.session(), nineXFile);

    EngineFixture nt("xp");  // restored on NT: the CD-ROM driver's value, a DWORD of the saved text
    readPass(nt.session());
    applyRows(nt, kOthers, {7}, {});
    EXPECT_EQ(nt.read(HKLM, kCdrom, "AutoRun", "DWORD"), "0");
    EXPECT_EQ(nt.read(HKCU, kPolicies, "NoDriveTypeAutoRun", "DWORD"), "145");  // the user's policy stays
    auto ntFile = restorePoint(nt, "7");
    ntFile.put(kOthersSection, "7", nineXFile.get(kOthersSection, "7"));
    item(kOthers, 7).restore(nt.session(), ntFile);
    EXPECT_EQ(nt.session().registry.GetRegValueType(HKLM, kCdrom, "AutoRun"), "DWORD");
    EXPECT_EQ(nt.read(HKLM, kCdrom, "AutoRun", "DWORD"), "95");
}

TEST(OthersItems, MessengerButtonRenamedAsideAndBack) {
    EngineFixture fx("xp");
    const std::string active = kExtensions + "\\" + kMessenger;
    fx.session().registry.WriteRegValue(HKLM, active + "\\Sub", "Kept", "yes", "String");
    readPass(fx.session());
    auto file = restorePoint(fx, "10");
    item(kOthers, 10).backup(fx.session(), file);

    applyRows(fx, kOthers, {10}, {});
    EXPECT_FALSE(keyExists(fx, HKLM, kExtensions, kMessenger));
    EXPECT_EQ(fx.read(HKLM, kExtensions + "\\" + kAside + "\\Sub", "Kept", "String"), "yes");
    EXPECT_TRUE(readAgain(fx, kOthers).count(10));
    EXPECT_TRUE(fx.session().model.tweakList(kOthers).rows[9].enabled);  // the key aside keeps the row on

    item(kOthers, 10).restore(fx.session(), file);  // "true": back under the active name
    EXPECT_FALSE(keyExists(fx, HKLM, kExtensions, kAside));
    EXPECT_EQ(fx.read(HKLM, active, "MenuText", "String"), "Windows Messenger");
    EXPECT_EQ(fx.read(HKLM, active + "\\Sub", "Kept", "String"), "yes");
    file.put(kOthersSection, "10", "false");
    item(kOthers, 10).restore(fx.session(), file);
    EXPECT_TRUE(keyExists(fx, HKLM, kExtensions, kAside));
    auto none = restorePoint(fx, "無");  // no key: back to the active name
    item(kOthers, 10).restore(fx.session(), none);
    EXPECT_TRUE(keyExists(fx, HKLM, kExtensions, kMessenger));

    EngineFixture bare("2000");  // under neither name: the row is off, and shows ticked
    readPass(bare.session());
    EXPECT_FALSE(bare.session().model.tweakList(kOthers).rows[9].enabled);
    EXPECT_TRUE(bare.session().model.tweakList(kOthers).rows[9].ticked);
}

}  // namespace
}  // namespace hastelyn::engine
