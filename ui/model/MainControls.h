#pragma once
// The main window's own controls: the title strip with its picture buttons, the menu of
// categories, the page control with its eight pages, the hint and counter lines and the
// accelerate button. The pages' contents (lists, utility and information controls, commentary)
// have rows of their own.
#include <array>
#include <cstddef>
#include <vector>

#include "ui/model/Control.h"

// Rows name only what they have; the rest keeps its default.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace hastelyn::ui::model::main {

using K = ControlKind;

// The window itself: 659 x 525, its own title strip instead of the desktop's.
inline constexpr Control FrmMain{.name = "FrmMain", .kind = K::Panel, .rect = {0, 0, 659, 525}, .caption = "Hastelyn"};

// Title strip.
inline constexpr Control PnlTitle{.name = "PnlTitle", .kind = K::Panel, .rect = {0, 0, 663, 64}, .tabOrder = 12};
inline constexpr Control ImgTitle{.name = "ImgTitle", .kind = K::Picture, .rect = {7, 7, 555, 50},
                                  .hint = "Hastelyn - Windows 高速化ツール", .glyph = "title.jpg", .parent = "PnlTitle"};
inline constexpr Control BtnCompact{.name = "BtnCompact", .kind = K::Button, .rect = {567, 0, 23, 22},
                                    .hint = "Hastelynをコンパクト表示します。", .glyph = "title-compact", .parent = "PnlTitle"};
inline constexpr Control BtnTray{.name = "BtnTray", .kind = K::Button, .rect = {591, 0, 23, 22},
                                 .hint = "Hastelynをタスクトレイに収納します。", .glyph = "title-tray", .parent = "PnlTitle"};
inline constexpr Control BtnMinimum{.name = "BtnMinimum", .kind = K::Button, .rect = {615, 0, 23, 22},
                                    .hint = "Hastelynを最小化します。", .glyph = "title-minimise", .parent = "PnlTitle"};
inline constexpr Control BtnClose_s{.name = "BtnClose_s", .kind = K::Button, .rect = {639, 0, 23, 22},
                                    .hint = "Hastelynを終了します。", .glyph = "title-close", .parent = "PnlTitle"};
// A toggle: down keeps the window in front of the others.
inline constexpr Control BtnTop{.name = "BtnTop", .kind = K::CheckBox, .rect = {567, 24, 23, 22},
                                .hint = "Hastelynを常に手前に表示させます。", .glyph = "title-top", .parent = "PnlTitle"};
inline constexpr Control BtnPerformance{.name = "BtnPerformance", .kind = K::Button, .rect = {591, 24, 23, 22},
                                        .hint = "パフォーマンス情報を表示します。", .glyph = "title-performance",
                                        .parent = "PnlTitle"};
inline constexpr std::array<const Control*, 6> kTitleButtons{&BtnCompact, &BtnTray, &BtnMinimum,
                                                             &BtnClose_s, &BtnTop,  &BtnPerformance};

// The menu: its background and twelve buttons, 129 x 36 at left 8.
inline constexpr Control ShpMenu{.name = "ShpMenu", .kind = K::Picture, .rect = {1, 70, 144, 459}};
inline constexpr Control BtnSystem{
    .name = "BtnSystem", .kind = K::Button, .rect = {8, 76, 129, 36}, .caption = "システム",
    .hint = "主に、システムやハードウェアに関する項目を表示します。",
    .spoken = "システムプッシュボタンです。Enterキーを押すと システムの高速化項目が列挙されたページに移動します。Tabキーを押すと 次のプッシュボタンに移動します。",
    .glyph = "menu-system", .tabOrder = 1};
inline constexpr Control BtnDesktop{
    .name = "BtnDesktop", .kind = K::Button, .rect = {8, 111, 129, 36}, .caption = "デスクトップ",
    .hint = "主に、デスクトップやスタートメニューに関する項目を表示します。",
    .spoken = "デスクトッププッシュボタンです。Enterキーを押すと デスクトップの高速化項目が列挙されたページに移動します。Tabキーを押すと 次のプッシュボタンに移動します。",
    .glyph = "menu-desktop", .tabOrder = 2};
inline constexpr Control BtnExplorer{
    .name = "BtnExplorer", .kind = K::Button, .rect = {8, 146, 129, 36}, .caption = "エクスプローラ",
    .hint = "主に、エクスプローラやフォルダに関する項目を表示します。",
    .spoken = "エクスプローラプッシュボタンです。Enterキーを押すと エクスプローラの高速化項目が列挙されたページに移動します。Tabキーを押すと 次のプッシュボタンに移動します。",
    .glyph = "menu-explorer", .tabOrder = 3};
inline constexpr Control BtnPower{
    .name = "BtnPower", .kind = K::Button, .rect = {8, 181, 129, 36}, .caption = "起動・終了",
    .hint = "主に、パソコンの起動や終了に関する項目を表示します。",
    .spoken = "起動 終了プッシュボタンです。Enterキーを押すと 起動 終了の高速化項目が列挙されたページに移動します。Tabキーを押すと 次のプッシュボタンに移動します。",
    .glyph = "menu-power", .tabOrder = 4};
inline constexpr Control BtnOthers{
    .name = "BtnOthers", .kind = K::Button, .rect = {8, 216, 129, 36}, .caption = "その他",
    .hint = "上の分類に当てはまらない項目を表示します。",
    .spoken = "その他プッシュボタンです。Enterキーを押すと その他の高速化項目が列挙されたページに移動します。Tabキーを押すと 次のプッシュボタンに移動します。",
    .glyph = "menu-others", .tabOrder = 5};
inline constexpr Control BtnService{
    .name = "BtnService", .kind = K::Button, .rect = {8, 259, 129, 36}, .caption = "不要サービス",
    .hint = "お使いのパソコンで提供中の、全サービスを表示します。",
    .spoken = "不要サービスプッシュボタンです。Enterキーを押すと 不要なサービスが列挙されたページに移動します。Tabキーを押すと 次のプッシュボタンに移動します。",
    .glyph = "menu-service", .tabOrder = 13};
inline constexpr Control BtnUtility{
    .name = "BtnUtility", .kind = K::Button, .rect = {8, 294, 129, 36}, .caption = "ユーティリティ",
    .hint = "主に、パソコンを使う上で、便利で役立つソフトに関する項目を表示します。",
    .spoken = "ユーティリティプッシュボタンです。Enterキーを押すと 便利なユーティリティが起動できるページに移動します。Tabキーを押すと 次のプッシュボタンに移動します。",
    .glyph = "menu-utility", .tabOrder = 6};
inline constexpr Control BtnInfo{
    .name = "BtnInfo", .kind = K::Button, .rect = {8, 329, 129, 36}, .caption = "パソコン情報",
    .hint = "お使いのパソコンに関するさまざまな情報を表示します。",
    .spoken = "パソコン情報プッシュボタンです。Enterキーを押すと パソコン情報が確認できるページに移動します。Tabキーを押すと 次のプッシュボタンに移動します。",
    .glyph = "menu-info", .tabOrder = 7};
inline constexpr Control BtnRestore{
    .name = "BtnRestore", .kind = K::Button, .rect = {8, 372, 129, 36}, .caption = "保存と復元",
    .hint = "お使いのパソコンの状態を保存することで、以前の状態に戻すことができます。",
    .spoken = "保存と復元プッシュボタンです。Enterキーを押すと 保存と復元ウィンドウを起動します。Tabキーを押すと 次のプッシュボタンに移動します。",
    .glyph = "menu-restore", .tabOrder = 8};
inline constexpr Control BtnOption{
    .name = "BtnOption", .kind = K::Button, .rect = {8, 407, 129, 36}, .caption = "環境設定",
    .hint = "ソフトに関するさまざまな設定を行います。",
    .spoken = "環境設定プッシュボタンです。Enterキーを押すと 環境設定ウィンドウを起動します。Tabキーを押すと 次のコントロールに移動します。",
    .glyph = "menu-option", .tabOrder = 10};
inline constexpr Control BtnHelp{
    .name = "BtnHelp", .kind = K::Button, .rect = {8, 442, 129, 36}, .caption = "ヘルプを見る",
    .hint = "ソフトの紹介や使い方が書かれたヘルプを開きます。",
    .spoken = "ヘルププッシュボタンです。Enterキーを押すと ソフトのヘルプを起動します。Tabキーを押すと 次のプッシュボタンに移動します。",
    .glyph = "menu-help", .tabOrder = 9};
inline constexpr Control BtnClose{
    .name = "BtnClose", .kind = K::Button, .rect = {8, 485, 129, 36}, .caption = "終了する",
    .hint = "Hastelynを終了します。",
    .spoken = "閉じるプッシュボタンです。Enterキーを押すと ソフトを終了します。Tabキーを押すと 次のプッシュボタンに移動します。",
    .glyph = "menu-close", .tabOrder = 0};
// Top to bottom; the first eight show the pages of the same index.
inline constexpr std::array<const Control*, 12> kMenuButtons{
    &BtnSystem, &BtnDesktop, &BtnExplorer, &BtnPower, &BtnOthers, &BtnService,
    &BtnUtility, &BtnInfo, &BtnRestore, &BtnOption, &BtnHelp, &BtnClose};

// The work area and its page control.
inline constexpr Control PnlAccel{.name = "PnlAccel", .kind = K::Panel, .rect = {150, 70, 513, 459}, .tabOrder = 11};
inline constexpr Control PgAccel{.name = "PgAccel", .kind = K::Pages, .rect = {10, 0, 493, 212}, .parent = "PnlAccel",
                                 .tabOrder = 0};
// The pages; a page's caption is also the category key of the commentary and the row texts.
// Its spoken text is said when the focus comes to the page control from elsewhere.
inline constexpr Control TbSystem{
    .name = "TbSystem", .kind = K::Page, .caption = "システム",
    .spoken = "システム高速化項目ページです。Tabキーを押すと システムに関する高速化項目一覧に移動します。右キーを押すと 次のページに移動します。",
    .parent = "PgAccel"};
inline constexpr Control TbDesktop{
    .name = "TbDesktop", .kind = K::Page, .caption = "デスクトップ",
    .spoken = "デスクトップ高速化項目ページです。Tabキーを押すと デスクトップに関する高速化項目一覧に移動します。左右キーを押すと 前後のページに 移動します。",
    .parent = "PgAccel"};
inline constexpr Control TbExplorer{
    .name = "TbExplorer", .kind = K::Page, .caption = "エクスプローラ",
    .spoken = "エクスプローラ高速化項目ページです。Tabキーを押すと エクスプローラに関する高速化項目一覧に移動します。左右キーを押すと 前後のページに 移動します。",
    .parent = "PgAccel"};
inline constexpr Control TbPower{
    .name = "TbPower", .kind = K::Page, .caption = "起動・終了",
    .spoken = "起動 終了高速化項目ページです。Tabキーを押すと 起動 終了に関する高速化項目一覧に移動します。左右キーを押すと 前後のページに 移動します。",
    .parent = "PgAccel"};
inline constexpr Control TbOthers{
    .name = "TbOthers", .kind = K::Page, .caption = "その他",
    .spoken = "その他高速化項目ページです。Tabキーを押すと その他の高速化項目一覧に移動します。左右キーを押すと 前後のページに 移動します。",
    .parent = "PgAccel"};
inline constexpr Control TbService{
    .name = "TbService", .kind = K::Page, .caption = "不要サービス",
    .spoken = "不要サービス項目ページです。Tabキーを押すと お使いのパソコン上のサービス一覧に移動します。左右キーを押すと 前後のページに 移動します。",
    .parent = "PgAccel"};
inline constexpr Control TbUtility{
    .name = "TbUtility", .kind = K::Page, .caption = "ユーティリティ",
    .spoken = "ユーティリティ項目ページです。Tabキーを押すと 便利なユーティリティ一覧に移動します。左右キーを押すと 前後のページに 移動します。",
    .parent = "PgAccel"};
inline constexpr Control TbInfo{
    .name = "TbInfo", .kind = K::Page, .caption = "パソコン情報",
    .spoken = "パソコン情報高速化項目ページです。Tabキーを押すと パソコン情報一覧に移動します。左キーを押すと 前のページに移動します。",
    .parent = "PgAccel"};
inline constexpr std::array<const Control*, 8> kPages{&TbSystem, &TbDesktop, &TbExplorer, &TbPower,
                                                      &TbOthers, &TbService, &TbUtility,  &TbInfo};
inline constexpr int kServicePage = 5;
inline constexpr int kUtilityPage = 6;
inline constexpr int kInfoPage = 7;

// Under the pages: the hint line, the counter line (red, one after the other from the left of
// the first), the accelerate button and the about picture.
inline constexpr Control Label2{.name = "Label2", .kind = K::Label, .rect = {28, 215, 480, 14},
                                .caption = "高速化したい項目をチェックします。項目を選択すると、[詳しい解説]欄に説明が表示されます。",
                                .parent = "PnlAccel"};
inline constexpr Control Label4{.name = "Label4", .kind = K::Label, .rect = {215, 231, 0, 14},
                                .caption = "■ 高速化が見込める項目：", .parent = "PnlAccel"};
inline constexpr Control LblRest{.name = "LblRest", .kind = K::Label, .rect = {359, 231, 16, 14}, .caption = "-",
                                 .parent = "PnlAccel"};
inline constexpr Control Label3{.name = "Label3", .kind = K::Label, .rect = {375, 231, 0, 14},
                                .caption = "Tips　/　全項目：", .parent = "PnlAccel"};
inline constexpr Control LblAll{.name = "LblAll", .kind = K::Label, .rect = {463, 231, 16, 14}, .caption = "-",
                                .parent = "PnlAccel"};
inline constexpr Control Label5{.name = "Label5", .kind = K::Label, .rect = {479, 231, 0, 14}, .caption = "Tips",
                                .parent = "PnlAccel"};
inline constexpr std::array<const Control*, 5> kCounterLine{&Label4, &LblRest, &Label3, &LblAll, &Label5};
inline constexpr Control BtnAccelerate{
    .name = "BtnAccelerate", .kind = K::Button, .rect = {226, 248, 129, 36}, .caption = "高速化設定",
    .hint = "チェックされた項目を高速化します。",
    .spoken = "高速化設定プッシュボタンです。Enterキーを押すと チェックされた高速化項目の設定を変更します。Tabキーを押すと 次のプッシュボタンに移動します。",
    .glyph = "accelerate", .parent = "PnlAccel", .tabOrder = 1};
inline constexpr Control ImgAbout{.name = "ImgAbout", .kind = K::Picture, .rect = {361, 248, 140, 36},
                                  .hint = "ソフトのバージョンやホームページアドレスなどを表示します。",
                                  .parent = "PnlAccel"};

// The window's Tab walk over its own controls, from the rows' tab orders: the menu buttons, the
// page control (whose pages add their controls after it), the accelerate button, and the services
// button last. The title strip holds nothing Tab reaches.
std::vector<const Control*> tabWalk();

// The page a menu button shows, or -1.
int pageOf(const Control& menuButton);

}  // namespace hastelyn::ui::model::main

#pragma GCC diagnostic pop
