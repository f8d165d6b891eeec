// The main window's rules without widgets: its controls' names and spoken texts, the Tab walk, the
// menu and the pages, the focus speech, the wheel, the counters, the keys and the creation order.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/Session.h"
#include "tests/support/FakeSurfaces.h"
#include "tests/support/SandboxFixture.h"
#include "tests/ui_model/FakeWindowView.h"
#include "ui/model/MainControls.h"
#include "ui/model/MainScreen.h"
#include "ui/model/MainTexts.h"

namespace hastelyn::ui::model {
namespace {

using testing::MiniMachine;
namespace m = main;

// The view and the pages' part, each call written down in order.
struct RecordingMain : FakeWindowView, MainView, MainPages {
    std::vector<std::string> log;
    void act(MainAction action) override { log.push_back("act " + std::to_string(static_cast<int>(action))); }
    void useSmallScreen() override { log.push_back("small screen"); }
    void useSixteenColourGlyphs() override { log.push_back("16 colours"); }
    void setDrives(const std::vector<std::string>& drives) override {
        log.push_back("drives " + drives.front() + ".." + drives.back() + " " + std::to_string(drives.size()));
    }
    void showIntroduction() override { log.push_back("introduction"); }
    void disableForEdition(const foundation::DisabledControls& d) override {
        log.push_back("edition " + std::to_string(d.utilityControls.size()));
    }
    void readPcInformation() override { log.push_back("pc information"); }
    foundation::LockableControls lockableControls() override {
        log.push_back("lockable");
        return {};
    }
    void applyLocks(const foundation::LockableControls&) override { log.push_back("locks"); }
    void showRowsAgain() override { log.push_back("rows"); }
    void showServiceDetail(std::string_view name) override { log.push_back("service detail '" + std::string(name) + "'"); }
};

struct Main {
    explicit Main(const MiniMachine& machine, ScreenFacts facts = {800, 600, 32})
        : fx(machine), session(fx.platform(), clipboard, dialogs), screen(session, view, view) {
        errors = screen.create(facts);
    }
    // The focus comes to a control as the front end reports it.
    void focus(FocusPlace place, const Control* control) { screen.focusMoved(place, control); }

    testing::SandboxFixture fx;
    testing::FakeClipboard clipboard;
    testing::ScriptedDialogs dialogs;
    engine::Session session;
    RecordingMain view;
    MainScreen screen;
    std::vector<std::string> errors;
};

MiniMachine soundOn(MiniMachine machine = {}) {
    return machine.file("C:\\Program Files\\Hastelyn\\Hastelyn.ini", "[環境設定]\r\nSound=On\r\n");
}

TEST(MainScreen, EveryControlIsNamedAndSpeaksItsTextWhenTheFocusComes) {
    struct Case {
        const Control& control;
        std::string name;
        std::string spoken;
    };
    const Case cases[] = {
        {m::BtnSystem, "システム", "システムプッシュボタンです。Enterキーを押すと システムの高速化項目が列挙されたページに移動します。Tabキーを押すと 次のプッシュボタンに移動します。"},
        {m::BtnDesktop, "デスクトップ", "デスクトッププッシュボタンです。Enterキーを押すと デスクトップの高速化項目が列挙されたページに移動します。Tabキーを押すと 次のプッシュボタンに移動します。"},
        {m::BtnExplorer, "エクスプローラ", "エクスプローラプッシュボタンです。Enterキーを押すと エクスプローラの高速化項目が列挙されたページに移動します。Tabキーを押すと 次のプッシュボタンに移動します。"},
        {m::BtnPower, "起動・終了", "起動 終了プッシュボタンです。Enterキーを押すと 起動 終了の高速化項目が列挙されたページに移動します。Tabキーを押すと 次のプッシュボタンに移動します。"},
        {m::BtnOthers, "その他", "その他プッシュボタンです。Enterキーを押すと その他の高速化項目が列挙されたページに移動します。Tabキーを押すと 次のプッシュボタンに移動します。"},
        {m::BtnService, "不要サービス", "不要サービスプッシュボタンです。Enterキーを押すと 不要なサービスが列挙されたページに移動します。Tabキーを押すと 次のプッシュボタンに移動します。"},
        {m::BtnUtility, "ユーティリティ", "ユーティリティプッシュボタンです。Enterキーを押すと 便利なユーティリティが起動できるページに移動します。Tabキーを押すと 次のプッシュボタンに移動します。"},
        {m::BtnInfo, "パソコン情報", "パソコン情報プッシュボタンです。Enterキーを押すと パソコン情報が確認できるページに移動します。Tabキーを押すと 次のプッシュボタンに移動します。"},
        {m::BtnRestore, "保存と復元", "保存と復元プッシュボタンです。Enterキーを押すと 保存と復元ウィンドウを起動します。Tabキーを押すと 次のプッシュボタンに移動します。"},
        {m::BtnOption, "環境設定", "環境設定プッシュボタンです。Enterキーを押すと 環境設定ウィンドウを起動します。Tabキーを押すと 次のコントロールに移動します。"},
        {m::BtnHelp, "ヘルプを見る", "ヘルププッシュボタンです。Enterキーを押すと ソフトのヘルプを起動します。Tabキーを押すと 次のプッシュボタンに移動します。"},
        {m::BtnClose, "終了する", "閉じるプッシュボタンです。Enterキーを押すと ソフトを終了します。Tabキーを押すと 次のプッシュボタンに移動します。"},
        {m::BtnAccelerate, "高速化設定", "高速化設定プッシュボタンです。Enterキーを押すと チェックされた高速化項目の設定を変更します。Tabキーを押すと 次のプッシュボタンに移動します。"},
        // The title strip's picture buttons have a name and no focus text.
        {m::BtnCompact, "コンパクト表示", ""},
        {m::BtnTray, "タスクトレイに収納", ""},
        {m::BtnMinimum, "最小化", ""},
        {m::BtnClose_s, "終了", ""},
        {m::BtnTop, "常に手前に表示", ""},
        {m::BtnPerformance, "パフォーマンス情報", ""},
    };
    Main w(soundOn());
    for (const Case& c : cases) {
        EXPECT_EQ(m::accessibleName(c.control), c.name) << c.control.name;
        w.focus(FocusPlace::Window, &m::LblAll);
        w.clipboard.setText("before");
        w.focus(FocusPlace::Window, &c.control);
        EXPECT_EQ(w.clipboard.text(), c.spoken.empty() ? "before" : c.spoken) << c.control.name;
    }
    // With "Sound" off the focus is silent.
    w.session.settings.write("環境設定", "Sound", "Off");
    w.focus(FocusPlace::Window, &m::BtnSystem);
    EXPECT_EQ(w.clipboard.text(), "before");
}

TEST(MainScreen, MenuButtonsShowTheirPagesWhichSpeakAsTheFocusComesIn) {
    const char* pageTexts[] = {
        "システム高速化項目ページです。Tabキーを押すと システムに関する高速化項目一覧に移動します。右キーを押すと 次のページに移動します。",
        "デスクトップ高速化項目ページです。Tabキーを押すと デスクトップに関する高速化項目一覧に移動します。左右キーを押すと 前後のページに 移動します。",
        "エクスプローラ高速化項目ページです。Tabキーを押すと エクスプローラに関する高速化項目一覧に移動します。左右キーを押すと 前後のページに 移動します。",
        "起動 終了高速化項目ページです。Tabキーを押すと 起動 終了に関する高速化項目一覧に移動します。左右キーを押すと 前後のページに 移動します。",
        "その他高速化項目ページです。Tabキーを押すと その他の高速化項目一覧に移動します。左右キーを押すと 前後のページに 移動します。",
        "不要サービス項目ページです。Tabキーを押すと お使いのパソコン上のサービス一覧に移動します。左右キーを押すと 前後のページに 移動します。",
        "ユーティリティ項目ページです。Tabキーを押すと 便利なユーティリティ一覧に移動します。左右キーを押すと 前後のページに 移動します。",
        "パソコン情報高速化項目ページです。Tabキーを押すと パソコン情報一覧に移動します。左キーを押すと 前のページに移動します。",
    };
    Main w(soundOn(MiniMachine{}.edition("98")));
    for (int page = 0; page < 8; ++page) {
        const Control& button = *m::kMenuButtons[static_cast<std::size_t>(page)];
        w.focus(FocusPlace::Window, &button);
        w.screen.clicked(button);
        EXPECT_EQ(w.view["PgAccel"].page, page);
        EXPECT_EQ(w.view.focused, "PgAccel");
        w.focus(FocusPlace::Pages, &m::PgAccel);
        EXPECT_EQ(w.clipboard.text(), pageTexts[page]);
    }
    // On the 9x family the services page explains itself.
    EXPECT_EQ(std::count(w.view.log.begin(), w.view.log.end(), "service detail ''"), 1);

    // The side windows, the help and the exit.
    w.view.log.clear();
    for (const Control* c : {&m::BtnRestore, &m::BtnOption, &m::ImgAbout, &m::BtnClose_s, &m::BtnMinimum, &m::BtnTray,
                             &m::BtnCompact, &m::BtnPerformance, &m::BtnClose})
        w.screen.clicked(*c);
    w.screen.stayOnTop(true);
    w.screen.stayOnTop(false);
    const std::vector<std::string> acts{"act 7", "act 8", "act 9", "act 0", "act 1", "act 2",
                                        "act 5", "act 6", "act 0", "act 3", "act 4"};
    EXPECT_EQ(w.view.log, acts);
    EXPECT_EQ(w.clipboard.text(), "ソフトを終了しました。");
    w.screen.clicked(m::BtnHelp);
    EXPECT_NE(w.fx.journal().find("ShellExecute\topen\tC:\\Program Files\\Hastelyn\\help\\index.htm"), std::string::npos);

}

// The focus coming into the page control onto a control of a page says that control, not the
// page; back from a message box nothing is said again; the tabs chosen within the pages say the
// page; the close button keeps quiet while the start-up speech is due.
TEST(MainScreen, TheFocusSaysTheControlItCameTo) {
    Main w(soundOn());
    Control detail;
    detail.spoken = "詳細プッシュボタンです。";
    w.focus(FocusPlace::Window, &m::BtnAccelerate);
    w.focus(FocusPlace::Pages, &detail);  // Shift+Tab from the accelerate button
    EXPECT_EQ(w.clipboard.text(), "詳細プッシュボタンです。");
    w.dialogs.show(foundation::DialogKind::Information, "x");
    w.clipboard.setText("情報のメッセージ。");
    w.focus(FocusPlace::Elsewhere, nullptr);
    w.focus(FocusPlace::Pages, &detail);
    EXPECT_EQ(w.clipboard.text(), "情報のメッセージ。");
    // From a control of a page to the tabs: no new page entered.
    w.focus(FocusPlace::Pages, &m::PgAccel);
    EXPECT_EQ(w.clipboard.text(), "情報のメッセージ。");
    // A tab chosen within the pages says its page; from the window the focus coming in says it.
    w.screen.pageChosen(2);
    EXPECT_TRUE(w.clipboard.text().starts_with("エクスプローラ高速化項目ページです。"));
    w.focus(FocusPlace::Window, &m::BtnSystem);
    w.clipboard.setText("");
    w.screen.pageChosen(4);
    EXPECT_EQ(w.clipboard.text(), "");
    EXPECT_EQ(w.view.focused, "PgAccel");
    w.focus(FocusPlace::Pages, &m::PgAccel);
    EXPECT_TRUE(w.clipboard.text().starts_with("その他高速化項目ページです。"));

    w.screen.shown();
    w.clipboard.setText("");
    w.focus(FocusPlace::Window, &m::BtnClose);
    EXPECT_EQ(w.clipboard.text(), "");
    w.screen.startupTimer();  // "Sound" is "On": the F5 prompt
    EXPECT_EQ(w.clipboard.text(), "F5キーを押すと ソフトの 操作方法を説明します。");
    w.focus(FocusPlace::Window, &m::BtnSystem);
    w.focus(FocusPlace::Window, &m::BtnClose);
    EXPECT_TRUE(w.clipboard.text().starts_with("閉じるプッシュボタンです。"));
}

TEST(MainScreen, TheTabWalkAndTheWheel) {
    std::string walk;
    for (const Control* c : m::tabWalk()) walk += std::string(c->name) + " ";
    EXPECT_EQ(walk, "BtnClose BtnSystem BtnDesktop BtnExplorer BtnPower BtnOthers BtnUtility BtnInfo BtnRestore "
                    "BtnHelp BtnOption PgAccel BtnAccelerate BtnService ");

    Main w(soundOn());
    w.clipboard.setText("quiet");
    // Towards the user the next page, away the previous, round both ends; nothing is said.
    const struct {
        int delta, page;
    } turns[] = {{-120, 1}, {120, 0}, {120, 7}, {-120, 0}, {120, 7}, {120, 6}};
    for (const auto& t : turns) {
        w.screen.wheel(t.delta);
        EXPECT_EQ(w.view["PgAccel"].page, t.page);
        EXPECT_EQ(w.screen.page(), t.page);
    }
    EXPECT_EQ(w.clipboard.text(), "quiet");
}

// The fourteen steps as a user can tell them apart: which part of the window each reaches, in
// order; the counters of the rows read; errors of refused writes collected while the rest runs.
TEST(MainScreen, CreationRunsItsStepsInOrder) {
    Main w(MiniMachine{}.edition("95"), {640, 480, 8});
    const std::vector<std::string> expected{"small screen", "16 colours",     "drives C ドライブ..C ドライブ 1",
                                            "introduction", "edition 4",      "pc information",
                                            "lockable",     "locks"};
    EXPECT_EQ(w.view.log, expected);
    EXPECT_EQ(w.view["PgAccel"].page, 0);
    EXPECT_EQ(w.session.codes.platform, "9x");
    EXPECT_EQ(w.view["LblAll"].caption, std::to_string(w.session.model.allCount()));
    EXPECT_EQ(w.view["LblRest"].caption, std::to_string(w.session.model.restCount()));
    EXPECT_TRUE(w.errors.empty());
    EXPECT_EQ(w.session.settings.read("環境設定", "TransitOption"), "1");

    // No fixed drive: all 24 letters. A settings file that cannot be written: every step still
    // runs, the paths found are known for this run, the rows the edition switched off stay off.
    MiniMachine unwritable = MiniMachine{}.drive('C', "Remote", "NTFS").file("C:\\WINDOWS\\inf\\sysoc.inf", "[Components]\r\n");
    unwritable.folder("C:\\Program Files\\Hastelyn\\Hastelyn.ini");
    Main u(unwritable);
    EXPECT_EQ(u.view.log.front(), "drives C ドライブ..Z ドライブ 24");
    ASSERT_FALSE(u.errors.empty());
    EXPECT_NE(u.errors.front().find("C:\\Program Files\\Hastelyn\\Hastelyn.ini"), std::string::npos);
    EXPECT_EQ(u.view["LblAll"].caption, "50");
    EXPECT_EQ(u.session.paths.sysoc, "C:\\WINDOWS\\inf\\sysoc.inf");
    EXPECT_FALSE(u.session.model.tweakList(0).rows[9].enabled);
}

// An error inside the accelerate command is spoken, then shown; the rows are shown again after it.
TEST(MainScreen, AnErrorInsideACommandIsSpokenAndShown) {
    Main w(soundOn(MiniMachine{}.restrictedAccount()));
    w.session.model.tweakList(1).rows[3].ticked = true;  // a machine value: refused
    w.screen.key(foundation::MainKey::F2, std::nullopt, "");
    ASSERT_EQ(w.dialogs.shown.size(), 2u);
    EXPECT_EQ(w.dialogs.shown[1].first, foundation::DialogKind::Error);
    EXPECT_EQ(w.clipboard.text(), "エラーのメッセージ。" + w.dialogs.shown[1].second + "Enterキーを押すと 画面を閉じます。");
    EXPECT_EQ(w.view.log.back(), "rows");
}

}  // namespace
}  // namespace hastelyn::ui::model
