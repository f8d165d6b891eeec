#pragma once
// The compact window's texts beyond its controls' captions and hints: the names a screen reader
// reads for the controls that show no text of their own. The window speaks nothing of its own on
// the clipboard: its controls' spoken texts are empty.
#include <string_view>

#include "ui/model/CompactControls.h"

namespace hastelyn::ui::model::compact {

struct ReadName {
    const Control* control;
    std::string_view name;
};

// The picture by its hint, the strip's buttons by what they do, each list by its heading and each
// bar by its group and "使用率".
inline constexpr ReadName kReadNames[] = {
    {&Image1, "Hastelynコンパクトモード"},
    {&BtnHelp, "ヘルプ"},
    {&BtnVersion, "バージョン情報"},
    {&BtnCompact, "元の大きさに戻す"},
    {&BtnPerformance, "パフォーマンス情報"},
    {&BtnTray, "タスクトレイに収納"},
    {&BtnMinimum, "最小化"},
    {&BtnClose_s, "終了"},
    {&CmbCPUList, "表示CPU"},
    {&CmbHDList, "表示ドライブ"},
    {&CmbNICList, "表示NIC"},
    {&PrgCPUUse, "CPU 使用率"},
    {&PrgMemUse, "物理メモリ 使用率"},
    {&PrgVirtualUse, "仮想メモリ 使用率"},
    {&PrgPageUse, "ページングファイル 使用率"},
    {&PrgHDUse, "ハードディスク 使用率"},
};

// What a screen reader reads as the control's name: its name above, else its caption (the
// groups' and the captions' texts); empty for a figure, which is read by the text it shows.
constexpr std::string_view readName(const Control& control) {
    for (const ReadName& entry : kReadNames)
        if (entry.control == &control) return entry.name;
    return control.caption;
}

}  // namespace hastelyn::ui::model::compact
