#include <gtest/gtest.h>

#include "engine/ServiceStatus.h"
#include "engine/ShellRestart.h"
#include "foundation/CommandError.h"
#include "tests/engine/EngineFixture.h"

namespace hastelyn::engine {
namespace {

constexpr std::size_t kDesktop = 1;
const char* const kPolicy = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const char* const kDesktopKey = "\\Control Panel\\Desktop";
const char* const kTray = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\TrayNotify";
const char* const kService = "\\SYSTEM\\CurrentControlSet\\Services\\wscsvc";
const char* const kRestorePoint = "C:\\Program Files\\Hastelyn\\復元ポイント desktop.ini";
const char* const kQuestion = "\r\n[デスクトップ]⑨を有効にするために、Explorer.exeを再起動しますか？";
const char* const kNetStop = "WinExec\t0\tnet stop \"Security Center\"";
const char* const kNetStart = "WinExec\t0\tnet start \"Security Center\"";

// What a Desktop row reads or writes, as texts (the rows the tests below look at).
std::vector<std::string> rowValues(EngineFixture& fx, int number) {
    auto policy = [&](const char* name) { return fx.read(RootKey::CurrentUser, kPolicy, name, RegType::DWORD); };
    auto tray = [&](const char* name) {
        return fx.session().registry.RegKeyOrValueExists(RootKey::CurrentUser, kTray, name, Exists::Value) ? "true" : "false";
    };
    switch (number) {
        case 1:
            return {fx.read(RootKey::CurrentUser, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced",
                            "EnableBalloonTips", RegType::DWORD)};
        case 2: return {fx.read(RootKey::CurrentUser, kDesktopKey, "MenuShowDelay", RegType::String)};
        case 3: return {policy("NoSimpleStartMenu")};
        case 4:
            return {fx.read(RootKey::LocalMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer",
                            "Max Cached Icons", RegType::String)};
        case 5: return {policy("NoActiveDesktop"), policy("NoActiveDesktopChanges")};
        case 6: return {policy("ClassicShell"), policy("NoCustomizeWebView")};
        case 7: return {fx.read(RootKey::CurrentUser, kDesktopKey, "Wallpaper", RegType::String)};
        case 8: return {policy("NoInstrumentation")};
        case 9: return {tray("IconStreams"), tray("PastIconsStream")};
        default:
            return {fx.read(RootKey::LocalMachine, kService, "Start", RegType::DWORD),
                    std::to_string(countOf(fx.journal(), "\tnet s"))};
    }
}

// The rows of plain values: their texts ticked and then unticked, as the documented values.
TEST(DesktopItems, TickAndUntickWriteTheDocumentedTexts) {
    struct Expected {
        int row;
        std::vector<std::string> ticked, unticked;
    };
    const Expected rows[] = {
        {1, {"0"}, {"NULL"}},           {2, {"50"}, {"400"}},           {3, {"1"}, {"NULL"}},
        {4, {"320"}, {"NULL"}},         {5, {"1", "1"}, {"NULL", "NULL"}}, {6, {"1", "1"}, {"NULL", "NULL"}},
        {8, {"1"}, {"NULL"}},
    };
    EngineFixture fx("xp", kAndRead);
    for (bool ticked : {true, false}) {
        for (const Expected& e : rows) fx.row(kDesktop, e.row).ticked = ticked;
        applyPass(fx.session());
        for (const Expected& e : rows)
            EXPECT_EQ(rowValues(fx, e.row), ticked ? e.ticked : e.unticked) << "row " << e.row << " ticked " << ticked;
    }
}

// A shell that ignores the quit message.
class StubbornShell : public sandbox::SandboxWindowProcedure {
public:
    std::intptr_t message(sandbox::SandboxWindowSystem&, const sandbox::WindowEntry&, std::uint32_t, std::uint64_t,
                          std::int64_t) override {
        return 0;
    }
};

TEST(DesktopItems, ReadTickApplyAndUntickOnEveryImage) {
    // ⑩ follows the service (its own test below); ⑨ cannot bring the tray memory back; 98 had
    // no wallpaper.
    EngineFixture::checkImages(kDesktop,
                               {{"95", {9}}, {"98", {7, 9}, {7}}, {"me", {9}}, {"nt4", {9}}, {"2000", {9}},
                                {"xp", {}, {9}}, {"2003", {7}, {}, {}, false}, {"vista", {}, {}, {}, false}},
                               [](const Row& r) { return r.label.rfind("⑩", 0) != 0; });
}

TEST(DesktopItems, RestrictedAccountEndsThePassAtTheRefusedMachineString) {
    EngineFixture fx("xp");
    fx.session().registry.WriteRegValue(RootKey::LocalMachine, "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer",
                                        "Max Cached Icons", "320", RegType::String);
    fx.restrictAccount();
    Session& s = fx.session();
    readPass(s);
    EXPECT_FALSE(fx.row(kDesktop, 4).ticked);  // the machine key opens as absent

    s.model.tweakList(0).rows[7].ticked = true;  // System ⑧, a user value, before it
    for (int r : {2, 3, 4, 5}) fx.row(kDesktop, r).ticked = true;
    s.model.tweakList(3).rows[2].ticked = true;  // Start-up ③, after it
    EXPECT_THROW(applyPass(s), foundation::CommandError);
    EXPECT_EQ(rowValues(fx, 2), std::vector<std::string>{"50"});
    EXPECT_EQ(rowValues(fx, 3), std::vector<std::string>{"1"});
    EXPECT_EQ(rowValues(fx, 5), (std::vector<std::string>{"NULL", "NULL"}));
    EXPECT_EQ(fx.read(RootKey::CurrentUser, kPolicy, "ClearRecentDocsOnExit", RegType::DWORD), "NULL");
    const auto& state = s.model.state();
    EXPECT_EQ((std::vector<int>{state[7], state[11], state[12], state[13], state[14], state[32]}),
              (std::vector<int>{1, 1, 1, 0, 0, 0}));
}

TEST(DesktopItems, WallpaperIsKeptInTheSettingsFileAndComesBack) {
    EngineFixture fx("xp");
    const std::string wallpaper = rowValues(fx, 7)[0];
    readPass(fx.session());
    fx.apply(kDesktop, {7});
    EXPECT_EQ(rowValues(fx, 7)[0], "NULL");
    EXPECT_EQ(fx.session().settings.read("デスクトップ", "7"), wallpaper);
    fx.backupCategory(kDesktop, kRestorePoint);  // no wallpaper: no key "7"

    fx.apply(kDesktop, {}, {7});
    EXPECT_EQ(rowValues(fx, 7)[0], wallpaper);
    EXPECT_EQ(fx.session().settings.read("デスクトップ", "7"), "");

    // The restore keeps the wallpaper it hides, as the row does.
    fx.restoreCategory(kDesktop, kRestorePoint);
    EXPECT_EQ(rowValues(fx, 7)[0], "NULL");
    EXPECT_EQ(fx.session().settings.read("デスクトップ", "7"), wallpaper);
}

TEST(DesktopItems, PastTrayItemsGoWhateverTheAnswerAndTheShellRestartsOnYes) {
    EngineFixture fx("xp");
    fx.session().settings.write("環境設定", "Sound", "On");
    platform::WindowSystem& windows = fx.platform().windows;
    const platform::WindowHandle shell = windows.findWindow("Progman", "");
    ASSERT_TRUE(shell);
    readPass(fx.session());
    fx.row(kDesktop, 9).ticked = true;
    fx.dialogs().answers = {false};
    applyPass(fx.session());
    EXPECT_EQ(rowValues(fx, 9), (std::vector<std::string>{"false", "false"}));
    ASSERT_EQ(fx.dialogs().shown.size(), 1u);
    EXPECT_EQ(fx.dialogs().shown[0], std::make_pair(foundation::DialogKind::Confirmation, std::string(kQuestion)));
    EXPECT_TRUE(fx.clipboard().history.empty());
    EXPECT_EQ(windows.findWindow("Progman", ""), shell);
    EXPECT_EQ(countOf(fx.journal(), "explorer"), 0u);

    // Unticking writes nothing; a restore point taken without the values deletes them again
    // and asks, and Yes quits the shell and starts a new one.
    fx.backupCategory(kDesktop, kRestorePoint);
    fx.apply(kDesktop, {}, {9});
    fx.session().registry.WriteRegValue(RootKey::CurrentUser, kTray, "IconStreams", "00000001", RegType::Binary);
    fx.restoreCategory(kDesktop, kRestorePoint);
    EXPECT_EQ(rowValues(fx, 9), (std::vector<std::string>{"false", "false"}));
    EXPECT_EQ(fx.dialogs().shown.size(), 2u);
    const std::string journal = fx.journal();
    const std::size_t quit = journal.find("\tProgman\tProgram Manager\t18\t0\t0\n");
    EXPECT_NE(quit, std::string::npos);
    EXPECT_GT(journal.find("WinExec\t1\texplorer\n"), quit);
    const platform::WindowHandle newShell = windows.findWindow("Progman", "");
    EXPECT_TRUE(newShell && newShell != shell);

    // A shell that never quits does not hold the program: the wait ends and a shell is started.
    fx.sandbox().windows().setWindowProcedure("Progman", std::make_unique<StubbornShell>());
    restartShell(fx.session(), 3);
    EXPECT_EQ(countOf(fx.journal(), "WinExec\t1\texplorer\n"), 2u);
    EXPECT_EQ(windows.findWindow("Progman", ""), newShell);
}

TEST(DesktopItems, SecurityCenterStopsAndStartsWithItsFormerStartType) {
    EngineFixture fx("xp");
    Session& s = fx.session();
    readPass(s);
    EXPECT_EQ(GetServiceStatusName(fx.platform(), "wscsvc"), "開始中");
    EXPECT_FALSE(fx.row(kDesktop, 10).ticked);
    fx.apply(kDesktop, {10});
    EXPECT_EQ(s.settings.read("デスクトップ10", "Security Center"), "2");
    EXPECT_EQ(rowValues(fx, 10), (std::vector<std::string>{"4", "1"}));
    EXPECT_NE(fx.journal().find(kNetStop), std::string::npos);
    fx.restartAndRead();
    EXPECT_TRUE(fx.row(kDesktop, 10).ticked);
    fx.backupCategory(kDesktop, kRestorePoint);
    EXPECT_EQ(RestorePointFile(fx.session().profiles, kRestorePoint).get("デスクトップ", "10"), "停止中");

    fx.apply(kDesktop, {}, {10});
    EXPECT_EQ(rowValues(fx, 10)[0], "2");
    EXPECT_EQ(countOf(fx.journal(), kNetStart), 1u);
    EXPECT_EQ(GetServiceStatusName(fx.platform(), "wscsvc"), "開始中");

    // The restore stops the service as it was, and leaves its start type alone.
    fx.restoreCategory(kDesktop, kRestorePoint);
    EXPECT_EQ(countOf(fx.journal(), kNetStop), 2u);
    EXPECT_EQ(rowValues(fx, 10)[0], "2");
    EXPECT_EQ(GetServiceStatusName(fx.platform(), "wscsvc"), "停止中");

    // Nothing remembered: manual start.
    fx.restartAndRead();
    fx.session().settings.remove("デスクトップ10", "Security Center");
    fx.apply(kDesktop, {}, {10});
    EXPECT_EQ(rowValues(fx, 10)[0], "3");

    // A restricted account cannot open the service at all.
    fx.restrictAccount();
    fx.platform().shell.winExec("net stop \"Security Center\"", platform::showcmd::Hide);
    EXPECT_EQ(GetServiceStatusName(fx.platform(), "wscsvc"), "不明");
}

TEST(DesktopItems, SecurityCenterRowLeavesAMachineWithoutTheServiceAlone) {
    EngineFixture fx("2003", kAndRead);
    ASSERT_TRUE(fx.row(kDesktop, 10).enabled);
    EXPECT_FALSE(fx.row(kDesktop, 10).ticked);
    fx.apply(kDesktop, {10});
    EXPECT_EQ(fx.session().model.state()[19], 0);
    EXPECT_FALSE(fx.session().registry.RegKeyOrValueExists(RootKey::LocalMachine, "\\SYSTEM\\CurrentControlSet\\Services",
                                                           "wscsvc", Exists::Key));
    EXPECT_TRUE(fx.session().settings.keys("デスクトップ10")->empty());
    fx.session().profiles.WriteProfileValue(kRestorePoint, "デスクトップ", "10", "停止中");
    fx.restoreCategory(kDesktop, kRestorePoint);
    EXPECT_EQ(countOf(fx.journal(), "net "), 0u);
}

}  // namespace
}  // namespace hastelyn::engine
