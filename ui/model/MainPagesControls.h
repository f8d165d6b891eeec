#pragma once
// The controls of the main window's utilities page, PC-information page and commentary panel,
// as rows: where each sits, what it shows, says and hints, and its place in the Tab walk of its
// page. The labels of the PC-information rows are the engine's (the command line prints them).
#include <array>
#include <string_view>

#include "ui/model/Control.h"

namespace hastelyn::ui::model::pages {

using enum ControlKind;

// The utilities page: the list filling the page, the ten tool buttons over its right side in
// two columns, the quick-format box and the two one-line drive lists.
inline constexpr Control LstUtility{"LstUtility", List, {0, 0, 486, 181}, "", "", "", "", "TbUtility", 0};
inline constexpr Control BtnWMP6{"BtnWMP6", Button, {384, 4, 51, 37}, "①", "Windows Media Player 6.4",
    "Windows Media Playerプッシュボタンです。Enterキーを押すと Windows Media Player 6.4を起動します。Tabキーを押すと 次のプッシュボタンに移動します。",
    "", "TbUtility", 1};
inline constexpr Control BtnNet{"BtnNet", Button, {434, 4, 51, 37}, "②", "NetMeeting",
    "Net Meetingプッシュボタンです。Enterキーを押すと Net Meetingを起動します。Tabキーを押すと 次のプッシュボタンに移動します。",
    "", "TbUtility", 2};
inline constexpr Control BtnMS{"BtnMS", Button, {384, 40, 51, 37}, "③", "システム構成ユーティリティ",
    "システム構成ユーティリティプッシュボタンです。Enterキーを押すと システム構成ユーティリティを起動します。Tabキーを押すと 次のプッシュボタンに移動します。",
    "", "TbUtility", 3};
inline constexpr Control BtnIP{"BtnIP", Button, {434, 40, 51, 37}, "④", "IPアドレス",
    "IP設定プッシュボタンです。Enterキーを押すと IP設定ツールを起動します。Tabキーを押すと 次のプッシュボタンに移動します。",
    "", "TbUtility", 4};
inline constexpr Control BtnGroup{"BtnGroup", Button, {384, 76, 51, 37}, "⑤", "グループポリシーエディタ",
    "グループポリシープッシュボタンです。Enterキーを押すと グループポリシーエディタを起動します。Tabキーを押すと 次のプッシュボタンに移動します。",
    "", "TbUtility", 5};
inline constexpr Control BtnReg{"BtnReg", Button, {434, 76, 51, 37}, "⑥", "レジストリエディタ",
    "レジストリエディタプッシュボタンです。Enterキーを押すと レジストリエディタを起動します。Tabキーを押すと 次のコントロールに移動します。",
    "", "TbUtility", 6};
inline constexpr Control BtnDiskMgmt{"BtnDiskMgmt", Button, {384, 112, 51, 37}, "⑦", "ディスクの管理", "", "", "TbUtility", 7};
inline constexpr Control BtnFormat{"BtnFormat", Button, {434, 112, 51, 37}, "⑧", "フォーマット", "", "", "TbUtility", 8};
inline constexpr Control BtnCUIDefrag{"BtnCUIDefrag", Button, {384, 148, 51, 37}, "⑨", "デフラグ", "", "", "TbUtility", 9};
inline constexpr Control BtnConvert{"BtnConvert", Button, {434, 148, 51, 37}, "⑩", "NTFS変換", "", "", "TbUtility", 10};
inline constexpr Control LstHDDefrag{"LstHDDefrag", List, {308, 148, 76, 18}, "", "", "", "", "TbUtility", 11};
inline constexpr Control LstHDConvert{"LstHDConvert", List, {308, 166, 76, 18}, "", "", "", "", "TbUtility", 12};
inline constexpr Control ChcQuickFormat{"ChcQuickFormat", CheckBox, {308, 130, 76, 18}, "クイック", "", "", "", "TbUtility", 13};

// The buttons in row order; button i starts the tool of row i ("Utility" and i + 1 in the
// locked-items section).
inline constexpr std::array<const Control*, 10> kUtilityButtons{
    &BtnWMP6, &BtnNet, &BtnMS, &BtnIP, &BtnGroup, &BtnReg, &BtnDiskMgmt, &BtnFormat, &BtnCUIDefrag, &BtnConvert};
// The rows of LstUtility.
inline constexpr std::array<std::string_view, 10> kUtilityLabels{
    "① 動作が軽快なWindows Media Player 6.4で、音楽/動画を再生する",
    "② NetMeetingで、ネットワークにつながったパソコンを遠隔操作する",
    "③ システム構成ユーティリティでスタートアップを管理して、高速起動",
    "④ セキュリティ対策や通信ソフトに必要な、IPアドレスを確認する",
    "⑤ グループポリシーエディタで、Windowsのカスタマイズを管理する",
    "⑥ 使う機会や必要性が増えつつある、レジストリエディタを起動する",
    "⑦ ディスクの管理で、ディスクに関する様々な操作を実行する",
    "⑧ フロッピーディスクを高速にフォーマットする",
    "⑨ 負担の軽いデフラグで、ハードディスクを最適化する",
    "⑩ MFTを断片化させずに、ハードディスクをNTFSに変換",
};

// The PC-information page: the list, an edit box over each row after its label, the change
// button and the detail button above it.
inline constexpr Control LstInfo{"LstInfo", List, {0, 0, 486, 181}, "", "", "", "", "TbInfo", 0};
inline constexpr Control EdtUser{"EdtUser", Edit, {114, 4, 318, 18}, "", "",
    "使用者テキストボックスです。使用者に設定する文字列を指定することができます。Tabキーを押すと 次のテキストボックスに移動します。",
    "", "TbInfo", 1};
inline constexpr Control EdtCorp{"EdtCorp", Edit, {114, 22, 318, 18}, "", "",
    "会社名テキストボックスです。会社名に設定する文字列を指定することができます。Tabキーを押すと 次のテキストボックスに移動します。",
    "", "TbInfo", 2};
inline constexpr Control EdtComputer{"EdtComputer", Edit, {114, 40, 318, 18}, "", "",
    "コンピュータ名テキストボックスです。コンピュータ名に設定する文字列を指定することができます。Tabキーを押すと 次のテキストボックスに移動します。",
    "", "TbInfo", 3};
inline constexpr Control EdtProduct{"EdtProduct", Edit, {114, 58, 318, 18}, "", "",
    "OSテキストボックスです。パソコンにインストールされている Windowsの種類が入力されています。Tabキーを押すと 次のテキストボックスに移動します。",
    "", "TbInfo", 4};
inline constexpr Control EdtVersion{"EdtVersion", Edit, {114, 76, 318, 18}, "", "",
    "OSのバージョンテキストボックスです。パソコンにインストールされている Windowsのバージョンが入力されています。Tabキーを押すと 次のテキストボックスに移動します。",
    "", "TbInfo", 5};
inline constexpr Control EdtID{"EdtID", Edit, {114, 94, 318, 18}, "", "",
    "プロダクトIDテキストボックスです。お使いのWindowsの プロダクトIDが入力されています。Tabキーを押すと 次のテキストボックスに移動します。",
    "", "TbInfo", 6};
inline constexpr Control EdtKey{"EdtKey", Edit, {114, 112, 318, 18}, "", "",
    "プロダクトキーテキストボックスです。お使いのWindowsの プロダクトキーが入力されています。Tabキーを押すと 次のテキストボックスに移動します。",
    "", "TbInfo", 7};
inline constexpr Control EdtRoot{"EdtRoot", Edit, {114, 130, 318, 18}, "", "",
    "Windowsフォルダテキストボックスです。お使いのWindowsがインストールされている フォルダ名が入力されています。Tabキーを押すと 次のテキストボックスに移動します。",
    "", "TbInfo", 8};
inline constexpr Control EdtCPU{"EdtCPU", Edit, {114, 148, 318, 18}, "", "",
    "CPUテキストボックスです。お使いのパソコンを構成している CPUの固有名が入力されています。Tabキーを押すと 次のテキストボックスに移動します。",
    "", "TbInfo", 9};
inline constexpr Control EdtMHz{"EdtMHz", Edit, {114, 166, 318, 18}, "", "",
    "プロセッサ情報テキストボックスです。お使いのパソコンを構成している CPUの関連情報が入力されています。Tabキーを押すと 次のコントロールに移動します。",
    "", "TbInfo", 10};
inline constexpr Control BtnChange{"BtnChange", Button, {435, 160, 48, 24}, "変更", "",
    "変更プッシュボタンです。Enterキーを押すと 入力した使用者 会社名 コンピュータ名を設定します。Tabキーを押すと 次のプッシュボタンに移動します。",
    "", "TbInfo", 11};
inline constexpr Control BtnDetail{"BtnDetail", Button, {435, 134, 48, 24}, "詳細", "",
    "詳細プッシュボタンです。Enterキーを押すと システム情報ツールを起動します。Tabキーを押すと 次のコントロールに移動します。",
    "", "TbInfo", 12};

// The fields in row order; the first three are the ones the user may change.
inline constexpr std::array<const Control*, 10> kInfoFields{
    &EdtUser, &EdtCorp, &EdtComputer, &EdtProduct, &EdtVersion, &EdtID, &EdtKey, &EdtRoot, &EdtCPU, &EdtMHz};
inline constexpr int kInfoFieldLength = 63;  // the editable fields' longest text

// The commentary panel under the pages: a heading with two small buttons beside it, the memo,
// and the memo's search menu with its sub-menu (captioned after the selection) and its four
// engines.
inline constexpr Control Label1{"Label1", Label, {10, 274, 90, 14}, "■ 詳しい解説", "", "", "", "PnlAccel", -1};
inline constexpr Control BtnComment{"BtnComment", Button, {100, 270, 22, 20}, "", "[詳しい解説] の説明を表示します。", "",
                                    "commentary", "PnlAccel", -1};
inline constexpr Control BtnMoreInfo{"BtnMoreInfo", Button, {124, 270, 22, 20}, "", "選択項目に関する、補足情報を表示します。",
                                     "", "more-info", "PnlAccel", -1};
inline constexpr Control Comment{"Comment", Memo, {10, 291, 493, 160}, "", "", "", "", "PnlAccel", -1};
inline constexpr Control PpSearch{"PpSearch", Panel, {}, "", "", "", "", "Comment", -1};
inline constexpr Control SearchMenu{"search", Panel, {}, "選択範囲を検索", "", "", "", "PpSearch", -1};

struct SearchEngine {
    std::string_view name;     // the menu item's component name
    std::string_view caption;
    std::string_view engineKey;
};
inline constexpr std::array<SearchEngine, 4> kSearchEngines{{
    {"e_words", "IT用語辞典 e-Words", "e-Words"},
    {"Ascii", "ASCII24 デジタル用語辞典", "ASCII"},
    {"google", "Google日本語のページ", "Google"},
    {"Pelmora", "Pelmora サイト内検索", "Pelmora"},
}};

// The name a screen reader gives a control of these pages: the hint of a picture-like button,
// a list's page and "一覧", a field's label without its number, the memo's heading.
std::string_view accessibleName(const Control& control);

}  // namespace hastelyn::ui::model::pages
