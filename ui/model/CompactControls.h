#pragma once
// The compact window's controls: the strip of picture buttons along the top and, below it, the
// performance panel of six groups of meters. The figure labels start empty: the screen puts the
// meters' texts in them.
#include <string_view>

#include "ui/model/Control.h"

namespace hastelyn::ui::model::compact {

namespace rows {

inline constexpr std::string_view kWindow = "FrmCompact";
inline constexpr int kRowHeight = 14;

// A flat 23 x 22 picture button of the strip, reached with Tab in the strip's order.
constexpr Control strip(std::string_view name, int left, std::string_view hint, std::string_view glyph, int tab) {
    return {name, ControlKind::Button, {left, 0, 23, 22}, "", hint, "", glyph, kWindow, tab};
}
// One group of meters, 249 wide, in the panel.
constexpr Control group(std::string_view name, int top, int height, std::string_view caption, int tab) {
    return {name, ControlKind::Group, {8, top, 249, height}, caption, "", "", "", "GrpPerformance", tab};
}
// A text of a group: a caption, or a figure when it has no caption of its own.
constexpr Control text(std::string_view name, std::string_view parent, int left, int top, int width,
                       std::string_view caption = "") {
    return {name, ControlKind::Label, {left, top, width, kRowHeight}, caption, "", "", "", parent, -1};
}
// The drop-down list of a group, in its first row.
constexpr Control list(std::string_view name, std::string_view parent) {
    return {name, ControlKind::DropDown, {80, 13, 161, 20}, "", "", "", "", parent, 0};
}
// The bar of a group's share, from 0 to 100.
constexpr Control bar(std::string_view name, std::string_view parent, int top) {
    return {name, ControlKind::Progress, {104, top, 137, kRowHeight}, "", "", "", "", parent, -1};
}

}  // namespace rows

// The window itself: its client area with the performance view closed, its title and hint.
inline constexpr Control FrmCompact{rows::kWindow, ControlKind::Panel, {0, 0, 127, 29}, "Hastelyn",
                                    "Hastelynコンパクトモード", "", "", "", -1};
// The client area with the performance view open.
inline constexpr Rect kPanelSize{0, 0, 286, 402};

inline constexpr Control Image1{"Image1", ControlKind::Picture, {0, 0, 23, 22}, "", "Hastelynコンパクトモード",
                                "", "", rows::kWindow, -1};
inline constexpr Control BtnHelp =
    rows::strip("BtnHelp", 24, "ソフトの紹介や使い方が書かれたヘルプを開きます。", "menu-help", 0);
inline constexpr Control BtnVersion =
    rows::strip("BtnVersion", 48, "ソフトのバージョンやホームページアドレスなどを表示します。", "menu-info", 1);
inline constexpr Control BtnCompact = rows::strip("BtnCompact", 72, "Hastelynを元の大きさに戻します。", "title-compact", 2);
// A toggle: down, the performance view is open.
inline constexpr Control BtnPerformance =
    rows::strip("BtnPerformance", 96, "パフォーマンス情報を表示します。", "title-performance", 3);
// These three stand past the strip's width and show only with the panel open.
inline constexpr Control BtnTray = rows::strip("BtnTray", 207, "Hastelynをタスクトレイに収納します。", "title-tray", 4);
inline constexpr Control BtnMinimum = rows::strip("BtnMinimum", 231, "Hastelynを最小化します。", "title-minimise", 5);
inline constexpr Control BtnClose_s = rows::strip("BtnClose_s", 255, "Hastelynを終了します。", "title-close", 6);

inline constexpr Control GrpPerformance{"GrpPerformance", ControlKind::Group, {8, 26, 265, 367}, "パフォーマンス",
                                        "", "", "", rows::kWindow, 7};

inline constexpr Control GrpCPU = rows::group("GrpCPU", 16, 56, "CPU", 0);
inline constexpr Control LblCPUListTitle = rows::text("LblCPUListTitle", "GrpCPU", 8, 16, 72, "表示CPU");
inline constexpr Control CmbCPUList = rows::list("CmbCPUList", "GrpCPU");
inline constexpr Control LblCPUUseTitle = rows::text("LblCPUUseTitle", "GrpCPU", 8, 36, 40, "使用率");
inline constexpr Control LblCPUUse = rows::text("LblCPUUse", "GrpCPU", 48, 36, 50);
inline constexpr Control PrgCPUUse = rows::bar("PrgCPUUse", "GrpCPU", 36);

inline constexpr Control GrpMemory = rows::group("GrpMemory", 72, 56, "物理メモリ", 1);
inline constexpr Control LblMemTotalTitle = rows::text("LblMemTotalTitle", "GrpMemory", 8, 16, 28, "合計");
inline constexpr Control LblMemTotal = rows::text("LblMemTotal", "GrpMemory", 36, 16, 72);
inline constexpr Control LblMemFreeTitle = rows::text("LblMemFreeTitle", "GrpMemory", 114, 16, 52, "利用可能");
inline constexpr Control LblMemFree = rows::text("LblMemFree", "GrpMemory", 166, 16, 75);
inline constexpr Control LblMemUseTitle = rows::text("LblMemUseTitle", "GrpMemory", 8, 34, 40, "使用率");
inline constexpr Control LblMemUse = rows::text("LblMemUse", "GrpMemory", 48, 34, 50);
inline constexpr Control PrgMemUse = rows::bar("PrgMemUse", "GrpMemory", 34);

inline constexpr Control GrpVirtual = rows::group("GrpVirtual", 128, 56, "仮想メモリ", 2);
inline constexpr Control LblVirtualTotalTitle = rows::text("LblVirtualTotalTitle", "GrpVirtual", 8, 16, 28, "合計");
inline constexpr Control LblVirtualTotal = rows::text("LblVirtualTotal", "GrpVirtual", 36, 16, 72);
inline constexpr Control LblVirtualFreeTitle =
    rows::text("LblVirtualFreeTitle", "GrpVirtual", 114, 16, 52, "利用可能");
inline constexpr Control LblVirtualFree = rows::text("LblVirtualFree", "GrpVirtual", 166, 16, 75);
inline constexpr Control LblVirtualUseTitle = rows::text("LblVirtualUseTitle", "GrpVirtual", 8, 34, 40, "使用率");
inline constexpr Control LblVirtualUse = rows::text("LblVirtualUse", "GrpVirtual", 48, 34, 50);
inline constexpr Control PrgVirtualUse = rows::bar("PrgVirtualUse", "GrpVirtual", 34);

inline constexpr Control GrpPage = rows::group("GrpPage", 184, 56, "ページングファイル", 3);
inline constexpr Control LblPageTotalTitle = rows::text("LblPageTotalTitle", "GrpPage", 8, 16, 28, "合計");
inline constexpr Control LblPageTotal = rows::text("LblPageTotal", "GrpPage", 36, 16, 72);
inline constexpr Control LblPageFreeTitle = rows::text("LblPageFreeTitle", "GrpPage", 114, 16, 52, "利用可能");
inline constexpr Control LblPageFree = rows::text("LblPageFree", "GrpPage", 166, 16, 75);
inline constexpr Control LblPageUseTitle = rows::text("LblPageUseTitle", "GrpPage", 8, 34, 40, "使用率");
inline constexpr Control LblPageUse = rows::text("LblPageUse", "GrpPage", 48, 34, 50);
inline constexpr Control PrgPageUse = rows::bar("PrgPageUse", "GrpPage", 34);

inline constexpr Control GrpHD = rows::group("GrpHD", 240, 72, "ハードディスク", 4);
inline constexpr Control LblHDListTitle = rows::text("LblHDListTitle", "GrpHD", 8, 16, 72, "表示ドライブ");
inline constexpr Control CmbHDList = rows::list("CmbHDList", "GrpHD");
inline constexpr Control LblHDTotalTitle = rows::text("LblHDTotalTitle", "GrpHD", 8, 36, 28, "合計");
inline constexpr Control LblHDTotal = rows::text("LblHDTotal", "GrpHD", 36, 36, 72);
inline constexpr Control LblHDFreeTitle = rows::text("LblHDFreeTitle", "GrpHD", 114, 36, 52, "利用可能");
inline constexpr Control LblHDFree = rows::text("LblHDFree", "GrpHD", 166, 36, 75);
inline constexpr Control LblHDUseTitle = rows::text("LblHDUseTitle", "GrpHD", 8, 54, 40, "使用率");
inline constexpr Control LblHDUse = rows::text("LblHDUse", "GrpHD", 48, 54, 50);
inline constexpr Control PrgHDUse = rows::bar("PrgHDUse", "GrpHD", 54);

inline constexpr Control GrpNetwork = rows::group("GrpNetwork", 312, 50, "ネットワーク", 5);
inline constexpr Control LblNICListTitle = rows::text("LblNICListTitle", "GrpNetwork", 8, 16, 72, "表示NIC");
// Its hint is the whole description of the chosen adapter, which the list may cut.
inline constexpr Control CmbNICList = rows::list("CmbNICList", "GrpNetwork");
inline constexpr Control LblReceiveTitle = rows::text("LblReceiveTitle", "GrpNetwork", 8, 34, 28, "受信");
inline constexpr Control LblReceiveSpeed = rows::text("LblReceiveSpeed", "GrpNetwork", 36, 34, 82);
inline constexpr Control LblSendTitle = rows::text("LblSendTitle", "GrpNetwork", 126, 34, 28, "送信");
inline constexpr Control LblSendSpeed = rows::text("LblSendSpeed", "GrpNetwork", 154, 34, 87);

// Every control on the window, each after the one it sits on.
inline constexpr const Control* kAll[] = {
    &Image1, &BtnHelp, &BtnVersion, &BtnCompact, &BtnPerformance, &BtnTray, &BtnMinimum, &BtnClose_s,
    &GrpPerformance,
    &GrpCPU, &LblCPUListTitle, &CmbCPUList, &LblCPUUseTitle, &LblCPUUse, &PrgCPUUse,
    &GrpMemory, &LblMemTotalTitle, &LblMemTotal, &LblMemFreeTitle, &LblMemFree, &LblMemUseTitle, &LblMemUse,
    &PrgMemUse,
    &GrpVirtual, &LblVirtualTotalTitle, &LblVirtualTotal, &LblVirtualFreeTitle, &LblVirtualFree,
    &LblVirtualUseTitle, &LblVirtualUse, &PrgVirtualUse,
    &GrpPage, &LblPageTotalTitle, &LblPageTotal, &LblPageFreeTitle, &LblPageFree, &LblPageUseTitle, &LblPageUse,
    &PrgPageUse,
    &GrpHD, &LblHDListTitle, &CmbHDList, &LblHDTotalTitle, &LblHDTotal, &LblHDFreeTitle, &LblHDFree,
    &LblHDUseTitle, &LblHDUse, &PrgHDUse,
    &GrpNetwork, &LblNICListTitle, &CmbNICList, &LblReceiveTitle, &LblReceiveSpeed, &LblSendTitle, &LblSendSpeed,
};

}  // namespace hastelyn::ui::model::compact
