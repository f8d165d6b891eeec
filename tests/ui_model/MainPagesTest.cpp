// The main window's utilities page, PC-information page and commentary panel, without widgets:
// what each edition and the locked items enable, every control's name and spoken text, a row
// chosen in a list, the commentary's shaping and the search menu's caption.
#include <gtest/gtest.h>

#include <vector>

#include "engine/PcInformation.h"
#include "engine/Services.h"
#include "foundation/CommentText.h"
#include "tests/engine/EngineFixture.h"
#include "tests/ui_model/FakeWindowView.h"
#include "ui/model/CommentaryTexts.h"
#include "ui/model/MainPagesControls.h"
#include "ui/model/MainPagesScreen.h"

namespace hastelyn::ui::model {
namespace {

using testing::EngineFixture;
using testing::MiniMachine;

class FakePagesView : public FakeWindowView, public MainPagesView {
public:
    std::map<std::string, bool, std::less<>> readOnly;
    std::map<std::string, std::string, std::less<>> hints;
    std::vector<std::string> closedMenus;
    void setReadOnly(const Control& c, bool on) override { readOnly[std::string(c.name)] = on; }
    void setHint(const Control& c, std::string_view text) override { hints[std::string(c.name)] = text; }
    void closeMenu(const Control& c) override { closedMenus.emplace_back(c.name); }
};

MiniMachine withSettings(std::string_view text, std::string_view edition = "xp") {
    MiniMachine m;
    m.edition(edition);
    m.file("C:\\Program Files\\Hastelyn\\Hastelyn.ini", std::string(text));
    return m;
}

// The pages of a started window: the edition's locks and the locked-items section applied as
// at start.
struct Pages {
    explicit Pages(const MiniMachine& machine) : fx(machine, testing::kAndRead), screen(fx.session(), view) {
        engine::Session& s = fx.session();
        screen.locks().disableForEdition(foundation::disabledControlsFor(s.codes));
        const foundation::LockableControls marked = screen.locks().lockable(s.model);
        foundation::markPreLocked(s.settings, marked);
        screen.locks().apply(s.settings, s.model, &marked);
        screen.showInitialState();
    }
    EngineFixture fx;
    FakePagesView view;
    MainPagesScreen screen;
};

TEST(MainPages, EachEditionEnablesItsToolsAndTheLockedItemsLockButtonsAndFields) {
    const struct {
        const char* edition;
        std::vector<std::string> off;  // buttons switched off; "LstHDDefrag" for the drive list
    } cases[] = {
        {"95", {"BtnMS", "BtnGroup", "BtnDiskMgmt", "BtnConvert"}},
        {"98", {"BtnGroup", "BtnDiskMgmt", "BtnConvert"}},
        {"me", {"BtnGroup", "BtnDiskMgmt", "BtnConvert"}},
        {"nt4", {"BtnMS", "BtnGroup", "BtnDiskMgmt"}},
        {"2000", {"BtnMS", "LstHDDefrag"}},
        {"xp", {}},
        {"2003", {}},
        {"vista", {}},
    };
    for (const auto& c : cases) {
        Pages p(withSettings("", c.edition));
        for (const Control* control : {&pages::BtnWMP6, &pages::BtnNet, &pages::BtnMS, &pages::BtnIP, &pages::BtnGroup,
                                       &pages::BtnReg, &pages::BtnDiskMgmt, &pages::BtnFormat, &pages::BtnCUIDefrag,
                                       &pages::BtnConvert, &pages::LstHDDefrag}) {
            const bool off = std::find(c.off.begin(), c.off.end(), control->name) != c.off.end();
            EXPECT_EQ(p.view[control->name].enabled, !off) << c.edition << " " << control->name;
        }
        // What the edition switched off is marked as the program's own lock.
        for (std::size_t i = 0; i < 10; ++i)
            EXPECT_EQ(p.fx.session().settings.read("DisabledItem", "Utility" + std::to_string(i + 1)) == "pre_true",
                      !p.view[pages::kUtilityButtons[i]->name].enabled)
                << c.edition << " " << i;
    }

    // "true" locks, "pre_true" leaves the edition's state, anything else unlocks; a locked
    // field is read-only on silver, an editable one on white, the seven facts never editable.
    Pages p(withSettings("[DisabledItem]\r\nUtility8=true\r\nUtility3=pre_true\r\nUtility5=false\r\nPCInfo3=true\r\n",
                         "2000"));
    EXPECT_FALSE(p.view["BtnFormat"].enabled);
    EXPECT_FALSE(p.view["BtnMS"].enabled);
    EXPECT_TRUE(p.view["BtnGroup"].enabled);
    const std::vector<bool> readOnly{false, false, true, true, true, true, true, true, true, true};
    for (std::size_t i = 0; i < 10; ++i) {
        const std::string_view name = pages::kInfoFields[i]->name;
        EXPECT_EQ(p.view.readOnly[std::string(name)], readOnly[i]) << name;
        EXPECT_EQ(p.view[name].background, readOnly[i] ? 0xC0C0C0u : 0xFFFFFFu) << name;
    }
    // Unlocked later from the options window: the program's own marks stay.
    p.fx.session().settings.write("DisabledItem", "PCInfo3", "false");
    p.fx.session().settings.write("DisabledItem", "Utility8", "false");
    p.screen.locks().apply(p.fx.session().settings, p.fx.session().model);
    p.screen.locks().show(p.view);
    EXPECT_FALSE(p.view.readOnly["EdtComputer"]);
    EXPECT_TRUE(p.view["BtnFormat"].enabled);
    EXPECT_FALSE(p.view["BtnMS"].enabled);
}

TEST(MainPages, EveryControlHasItsNameAndSpokenText) {
    const struct {
        const Control& control;
        const char* name;
        const char* spoken;
    } cases[] = {
        {pages::LstUtility, "ユーティリティ 一覧", ""},
        {pages::BtnWMP6, "Windows Media Player 6.4",
         "Windows Media Playerプッシュボタンです。Enterキーを押すと Windows Media Player 6.4を起動します。Tabキーを押すと 次のプッシュボタンに移動します。"},
        {pages::BtnNet, "NetMeeting",
         "Net Meetingプッシュボタンです。Enterキーを押すと Net Meetingを起動します。Tabキーを押すと 次のプッシュボタンに移動します。"},
        {pages::BtnMS, "システム構成ユーティリティ",
         "システム構成ユーティリティプッシュボタンです。Enterキーを押すと システム構成ユーティリティを起動します。Tabキーを押すと 次のプッシュボタンに移動します。"},
        {pages::BtnIP, "IPアドレス",
         "IP設定プッシュボタンです。Enterキーを押すと IP設定ツールを起動します。Tabキーを押すと 次のプッシュボタンに移動します。"},
        {pages::BtnGroup, "グループポリシーエディタ",
         "グループポリシープッシュボタンです。Enterキーを押すと グループポリシーエディタを起動します。Tabキーを押すと 次のプッシュボタンに移動します。"},
        {pages::BtnReg, "レジストリエディタ",
         "レジストリエディタプッシュボタンです。Enterキーを押すと レジストリエディタを起動します。Tabキーを押すと 次のコントロールに移動します。"},
        {pages::BtnDiskMgmt, "ディスクの管理", ""},
        {pages::BtnFormat, "フォーマット", ""},
        {pages::BtnCUIDefrag, "デフラグ", ""},
        {pages::BtnConvert, "NTFS変換", ""},
        {pages::LstHDDefrag, "デフラグするドライブ", ""},
        {pages::LstHDConvert, "NTFSに変換するドライブ", ""},
        {pages::ChcQuickFormat, "クイック", ""},
        {pages::LstInfo, "パソコン情報 一覧", ""},
        {pages::EdtUser, "使用者",
         "使用者テキストボックスです。使用者に設定する文字列を指定することができます。Tabキーを押すと 次のテキストボックスに移動します。"},
        {pages::EdtCorp, "会社名",
         "会社名テキストボックスです。会社名に設定する文字列を指定することができます。Tabキーを押すと 次のテキストボックスに移動します。"},
        {pages::EdtComputer, "コンピュータ名",
         "コンピュータ名テキストボックスです。コンピュータ名に設定する文字列を指定することができます。Tabキーを押すと 次のテキストボックスに移動します。"},
        {pages::EdtProduct, "OS",
         "OSテキストボックスです。パソコンにインストールされている Windowsの種類が入力されています。Tabキーを押すと 次のテキストボックスに移動します。"},
        {pages::EdtVersion, "OSのバージョン",
         "OSのバージョンテキストボックスです。パソコンにインストールされている Windowsのバージョンが入力されています。Tabキーを押すと 次のテキストボックスに移動します。"},
        {pages::EdtID, "プロダクトID",
         "プロダクトIDテキストボックスです。お使いのWindowsの プロダクトIDが入力されています。Tabキーを押すと 次のテキストボックスに移動します。"},
        {pages::EdtKey, "プロダクトキー",
         "プロダクトキーテキストボックスです。お使いのWindowsの プロダクトキーが入力されています。Tabキーを押すと 次のテキストボックスに移動します。"},
        {pages::EdtRoot, "Windowsフォルダ",
         "Windowsフォルダテキストボックスです。お使いのWindowsがインストールされている フォルダ名が入力されています。Tabキーを押すと 次のテキストボックスに移動します。"},
        {pages::EdtCPU, "CPU",
         "CPUテキストボックスです。お使いのパソコンを構成している CPUの固有名が入力されています。Tabキーを押すと 次のテキストボックスに移動します。"},
        {pages::EdtMHz, "プロセッサ情報",
         "プロセッサ情報テキストボックスです。お使いのパソコンを構成している CPUの関連情報が入力されています。Tabキーを押すと 次のコントロールに移動します。"},
        {pages::BtnChange, "変更",
         "変更プッシュボタンです。Enterキーを押すと 入力した使用者 会社名 コンピュータ名を設定します。Tabキーを押すと 次のプッシュボタンに移動します。"},
        {pages::BtnDetail, "詳細",
         "詳細プッシュボタンです。Enterキーを押すと システム情報ツールを起動します。Tabキーを押すと 次のコントロールに移動します。"},
        {pages::Comment, "詳しい解説", ""},
        {pages::BtnComment, "[詳しい解説] の説明を表示します。", ""},
        {pages::BtnMoreInfo, "選択項目に関する、補足情報を表示します。", ""},
        {pages::Label1, "■ 詳しい解説", ""},
    };
    int tabOrder = 0;
    for (const auto& c : cases) {
        EXPECT_EQ(pages::accessibleName(c.control), c.name) << c.control.name;
        EXPECT_EQ(c.control.spoken, c.spoken) << c.control.name;
        // The table above lists each page's controls in their Tab walk.
        if (c.control.tabOrder == 0) tabOrder = 0;
        if (c.control.tabOrder >= 0) {
            EXPECT_EQ(c.control.tabOrder, tabOrder++) << c.control.name;
        }
    }
}

TEST(MainPages, AChosenRowShowsItsCommentarySpeaksAndShowsTheMoreInformationButtonWhereItHasAPage) {
    MiniMachine m = withSettings("[環境設定]\r\nSound=On\r\n");
    m.service("Alpha", "Alpha Service", 2);
    Pages p(m);
    EXPECT_FALSE(p.view["BtnMoreInfo"].visible);
    for (int row = 0; row < 10; ++row) {
        p.screen.rowChosen(PageList::Utilities, "ユーティリティ", row, "label", std::nullopt);
        EXPECT_EQ(p.view["BtnMoreInfo"].visible, row == 2 || row == 4) << row;
        EXPECT_EQ(p.view["Comment"].caption, *toolCommentary("ユーティリティ", row));
    }
    EXPECT_EQ(p.fx.clipboard().text(),
              "ユーティリティlabel。F4キーを押すと 選択しているユーティリティ項目について、詳しい解説が説明されます。"
              "上下キーを押すと ほかのユーティリティ項目を選択します。");
    p.screen.rowChosen(PageList::Services, "不要サービス", 0, "Alpha Service", false);
    EXPECT_TRUE(p.view["BtnMoreInfo"].visible);
    EXPECT_EQ(p.view["Comment"].caption, engine::ShowServiceDetail(p.fx.session(), "Alpha Service"));
    EXPECT_EQ(p.fx.clipboard().text(), "不要サービスAlpha Service。チェックなし。F4キーを押すと 選択している高速化項目について、"
                                       "詳しい解説が説明されます。上下キーを押すと ほかの高速化項目を選択します。");
    p.screen.rowChosen(PageList::Info, "パソコン情報", 4, "⑤ OSのバージョン", std::nullopt);
    EXPECT_FALSE(p.view["BtnMoreInfo"].visible);
    EXPECT_TRUE(p.view["Comment"].caption.starts_with("パソコンにインストールされているWindowsのバージョン"));
    p.screen.rowChosen(PageList::Utilities, "ユーティリティ", 4, "label", std::nullopt);
    p.screen.rowChosen(PageList::Tweak, "システム", 0, "label", true);
    EXPECT_FALSE(p.view["BtnMoreInfo"].visible);
    EXPECT_TRUE(p.fx.clipboard().text().starts_with("システムlabel。チェック。F4キー"));

    // The pages the button opens: the services page, and rows ③ and ⑤ of the utilities.
    EXPECT_EQ(MainPagesScreen::moreInfoPage(5, -1), "service.htm");
    EXPECT_EQ(MainPagesScreen::moreInfoPage(6, 2), "startup.htm");
    EXPECT_EQ(MainPagesScreen::moreInfoPage(6, 4), "group_policy.htm");
    for (const auto& [page, row] : {std::pair{6, 3}, {6, -1}, {7, 2}, {0, 4}})
        EXPECT_FALSE(MainPagesScreen::moreInfoPage(page, row)) << page << " " << row;
}

TEST(MainPages, TheSettingsShapeTheCommentaryAndItsHint) {
    Pages p(withSettings("[環境設定]\r\nLineFeed=Off\r\nCommentHint=On\r\n"));
    CommentaryPanel& panel = p.screen.commentary();
    panel.showIntroduction();
    EXPECT_EQ(panel.text(), foundation::reflowComment(kCommentIntroduction));

    const std::string stored(*tweakCommentary("起動・終了", 0));
    panel.show("起動・終了", 0);
    EXPECT_EQ(p.view["Comment"].caption, foundation::reflowComment(stored));
    EXPECT_NE(panel.text().find("ことで、パソコンの起動"), std::string::npos);
    // The hint keeps the stored line breaks.
    EXPECT_EQ(p.view.hints["Comment"], stored);
    // No row, or a caption without texts, leaves the text in place.
    for (const auto& [caption, row] : {std::pair{"起動・終了", -1}, {"不要サービス", 0}, {"起動・終了", 10}}) {
        panel.show(caption, row);
        EXPECT_EQ(panel.text(), foundation::reflowComment(stored));
    }
    // A new setting counts from the next change.
    p.fx.session().settings.write("環境設定", "LineFeed", "On");
    panel.show("パソコン情報", 4);
    EXPECT_EQ(panel.text(), *toolCommentary("パソコン情報", 4));
    // A service's detail is shown as it is; its hint is broken at 100 bytes.
    const std::string detail = "a\r\n" + std::string(120, 'x') + "\r\nb";
    panel.showServiceDetail(detail);
    EXPECT_EQ(panel.text(), detail);
    EXPECT_EQ(p.view.hints["Comment"], foundation::breakHintLines(detail));
}

TEST(MainPages, TheSearchMenuIsCaptionedAfterTheSelectionWithItsAmpersandsShown) {
    Pages p(withSettings(""));
    CommentaryPanel& panel = p.screen.commentary();
    EXPECT_TRUE(panel.searchOpened("R&D テスト"));
    EXPECT_EQ(p.view["search"].caption, "\"R&&D テスト\" を検索");
    EXPECT_EQ(panel.searchWord(), "R&D テスト");
    // Nothing selected: the menu closes at once; caption and word stay.
    EXPECT_FALSE(panel.searchOpened(""));
    EXPECT_EQ(p.view.closedMenus, std::vector<std::string>{"PpSearch"});
    EXPECT_EQ(p.view["search"].caption, "\"R&&D テスト\" を検索");
    EXPECT_EQ(panel.searchWord(), "R&D テスト");
    p.screen.searchChosen("Google");
    EXPECT_NE(testing::fileText(p.fx.folder() / "journal.log").find("q=R%26D%20%83e%83X%83g"), std::string::npos);
}

TEST(MainPages, TheInformationFieldsShowTheMachineAndTheChangeWritesThem) {
    MiniMachine m = withSettings("[DisabledItem]\r\nPCInfo1=true\r\n");
    m.hive(platform::RootKey::LocalMachine,
           {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion]", "\"RegisteredOwner\"=\"山田 太郎\""});
    Pages p(m);
    p.screen.showPcInformation();
    EXPECT_EQ(p.view["EdtUser"].caption, "山田 太郎");
    EXPECT_EQ(p.view["EdtCorp"].caption, "NULL");
    // A locked field is written too: the lock keeps the user from typing only.
    p.screen.changePressed("鈴木 花子", "NULL", "PC1");
    EXPECT_EQ(engine::ReadPcInformation(p.fx.session())[0], "鈴木 花子");
    EXPECT_EQ(engine::ReadPcInformation(p.fx.session())[2], "PC1");
}

}  // namespace
}  // namespace hastelyn::ui::model
