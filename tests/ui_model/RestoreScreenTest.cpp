// The save-and-restore window's rules without widgets: names and spoken texts, the focus speech,
// the pages, the wheel, F4, closing, and each button running its own action.
#include <gtest/gtest.h>

#include "tests/engine/EngineFixture.h"
#include "tests/ui_model/FakeWindowView.h"
#include "ui/model/RestoreControls.h"
#include "ui/model/RestoreScreen.h"

namespace hastelyn::ui::model {
namespace {

namespace c = restore::controls;
using testing::EngineFixture;

const std::string kPcPage = "パソコンの状態ページです。Tabキーを押すと 次のコントロールに移動します。右キーを押すと 次のページに移動します。F4キーを押すと 選択しているページについて、詳しい解説が説明されます。";
const std::string kMailPage = "Outlook Expressページです。Tabキーを押すと 次のコントロールに移動します。左キーを押すと 前のページに移動します。F4キーを押すと 選択しているページについて、詳しい解説が説明されます。";
const std::string kRecovery = "復元プッシュボタンです。Enterキーを押すと パソコンを以前の状態に戻します。Tabキーを押すと 次のプッシュボタンに移動します。";

struct FakeRestoreView : FakeWindowView, RestoreView {
    bool closed = false;
    void close() override { closed = true; }
};

struct Opened {
    EngineFixture fx{"xp"};
    FakeRestoreView view;
    RestoreScreen screen{view, fx.session()};
    Opened() {
        fx.session().settings.write(foundation::kGeneralSection, "Sound", "On");
        screen.created();
        screen.shown();
        screen.focusMoved(nullptr, &c::BtnCancel);
    }
    std::string said() { return fx.clipboard().text(); }
};

TEST(RestoreScreen, ButtonsAreNamedAndSpeakAsWritten) {
    struct Case {
        const Control& control;
        const char* name;
        const char* spoken;
    };
    const Case cases[] = {
        {c::BtnCancel, "閉じる", "閉じるプッシュボタンです。Enterキーを押すと 保存と復元ウィンドウを閉じます。Tabキーを押すと 次のコントロールに移動します。"},
        {c::BtnBackup, "▼ パソコンの状態を保存", "バックアッププッシュボタンです。Enterキーを押すと パソコンの状態を保存します。Tabキーを押すと 次のプッシュボタンに移動します。"},
        {c::BtnRecovery, "▼ 以前の状態に戻す", kRecovery.c_str()},
        {c::BtnBackupOE, "▼ メールルールをバックアップ", "OE バックアッププッシュボタンです。Enterキーを押すと メールルールをバックアップします。Tabキーを押すと 次のプッシュボタンに移動します。"},
        {c::BtnRecoveryOE, "▼ メールルールを復元", "OE 復元プッシュボタンです。Enterキーを押すと メールルールを復元します。Tabキーを押すと 次のプッシュボタンに移動します。"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(std::string(k.control.name));
        EXPECT_EQ(c::accessibleName(k.control), k.name);
        Opened w;
        w.screen.focusMoved(&c::BtnCancel, &c::Comment);  // a click in the memo, which says nothing
        w.screen.focusMoved(&c::Comment, &k.control);
        EXPECT_EQ(w.said(), k.spoken);
    }
    EXPECT_EQ(c::FrmRestore.caption, "保存と復元");
}

TEST(RestoreScreen, TheControlWhereTheFocusLandsSpeaksAndAReturningFocusSaysNothing) {
    Opened w;
    EXPECT_EQ(w.said(), "保存と復元ウィンドウを開きました。Tabキーを押すと 次のコントロールに移動します。") << "the opening focus is silent";
    EXPECT_TRUE(w.view["Comment"].caption.starts_with("お使いのパソコンの状態を、")) << "the first page explained";
    w.screen.focusMoved(&c::BtnCancel, &c::PgRestore);
    EXPECT_EQ(w.said(), kPcPage);
    // Shift+Tab from the close button into the page: the button it lands on, not the page.
    const std::size_t said = w.fx.clipboard().history.size();
    w.screen.focusMoved(&c::BtnCancel, &c::BtnRecovery);
    EXPECT_EQ(w.fx.clipboard().history.size(), said + 1) << "the button alone";
    EXPECT_EQ(w.said(), kRecovery);
    // A message box closed: the focus comes back without a word.
    w.fx.clipboard().setText("x");
    w.screen.focusMoved(nullptr, &c::BtnBackup);
    EXPECT_EQ(w.said(), "x");
}

TEST(RestoreScreen, AnotherPageIsExplainedAndSpokenWithTheFocusOnThePageControl) {
    Opened w;
    w.screen.focusMoved(&c::BtnCancel, &c::BtnBackup);
    w.screen.pageChosen(1);
    EXPECT_EQ(w.said(), kMailPage);
    EXPECT_EQ(w.view.focused, "PgRestore");
    EXPECT_TRUE(w.screen.comment().starts_with("現在、インターネットの普及に伴い、\r\n"));
    w.fx.clipboard().setText("x");
    w.screen.focusMoved(&c::BtnBackup, &c::PgRestore);  // the move the screen asked for
    EXPECT_EQ(w.said(), "x");

    // The wheel: down from the last page the first, up from the first the last.
    w.screen.wheel(-120);
    EXPECT_EQ(w.view["PgRestore"].page, 0);
    EXPECT_EQ(w.said(), kPcPage);
    w.screen.wheel(120);
    EXPECT_EQ(w.screen.page(), 1);

    // F4 whatever Sound says: the memo with "/", "「", "」" and "、" as blanks.
    w.fx.session().settings.write(foundation::kGeneralSection, "Sound", "Off");
    w.screen.commentaryKey();
    const std::string f4 = w.said();
    EXPECT_EQ(f4.substr(f4.find("OEには")),
              "OEには メールルールをバックアップ 復元する手段は提供されていません。\r\n\r\n Hastelyn でメールルールをバックアップすることで \r\n"
              "Windowsの再インストールや パソコンの移行時に \r\nメールルールを再び作成する手間を 省くことができます。\r\n\r\n"
              "※ メールデータやメールアカウント アドレス帳を \r\n　バックアップ 復元する手段は OEで提供されています。");
    w.fx.session().settings.write(foundation::kGeneralSection, "Sound", "On");
    w.screen.closeClicked();
    EXPECT_TRUE(w.view.closed);
    EXPECT_EQ(w.said(), "保存と復元ウィンドウを閉じました。");
}

TEST(RestoreScreen, EachButtonRunsItsOwnAction) {
    struct ChosenFile : engine::FileOpenDialog {
        std::string answer;
        std::optional<std::string> choose(std::string_view, std::string_view, std::string_view) override { return answer; }
    } file;
    Opened w;
    w.screen.setFileOpenDialog(&file);
    w.screen.backupClicked();
    const std::string made = w.fx.dialogs().shown.back().second;
    file.answer = "C:\\Program Files\\Hastelyn\\" + made.substr(made.find("復元ポイント "));
    w.screen.recoveryClicked();
    EXPECT_NE(w.fx.dialogs().shown.back().second.find("指定ファイル：復元ポイント "), std::string::npos);
    w.screen.backupMailClicked();
    EXPECT_EQ(w.said(), "情報のメッセージ。Outlook Expressのメールルールをバックアップしました。Enterキーを押すと 画面を閉じます。");
    w.screen.recoveryMailClicked();
    EXPECT_EQ(w.said(), "情報のメッセージ。Outlook Expressのメールルールを復元しました。Enterキーを押すと 画面を閉じます。");
}

}  // namespace
}  // namespace hastelyn::ui::model
