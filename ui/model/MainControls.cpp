#include "ui/model/MainControls.h"

#include <algorithm>

#include "ui/model/MainTexts.h"

namespace hastelyn::ui::model::main {
namespace {

// The window's own controls that Tab may reach, at the window's level and on the work area.
constexpr std::array<const Control*, 15> kTabbable{
    &BtnSystem, &BtnDesktop, &BtnExplorer, &BtnPower, &BtnOthers, &BtnService, &BtnUtility, &BtnInfo,
    &BtnRestore, &BtnOption, &BtnHelp, &BtnClose, &PnlAccel, &PgAccel, &BtnAccelerate};

std::vector<const Control*> childrenInTabOrder(std::string_view parent) {
    std::vector<const Control*> children;
    for (const Control* c : kTabbable)
        if (c->parent == parent && c->tabOrder >= 0) children.push_back(c);
    std::ranges::sort(children, {}, &Control::tabOrder);
    return children;
}

}  // namespace

std::vector<const Control*> tabWalk() {
    std::vector<const Control*> walk;
    for (const Control* c : childrenInTabOrder("")) {
        if (c->kind != ControlKind::Panel) {
            walk.push_back(c);
            continue;
        }
        for (const Control* inner : childrenInTabOrder(c->name)) walk.push_back(inner);
    }
    return walk;
}

int pageOf(const Control& menuButton) {
    for (std::size_t i = 0; i < kPages.size(); ++i)
        if (kMenuButtons[i] == &menuButton) return static_cast<int>(i);
    return -1;
}

std::string_view accessibleName(const Control& control) {
    if (!control.caption.empty()) return control.caption;
    if (&control == &BtnCompact) return "コンパクト表示";
    if (&control == &BtnTray) return "タスクトレイに収納";
    if (&control == &BtnMinimum) return "最小化";
    if (&control == &BtnClose_s) return "終了";
    if (&control == &BtnTop) return "常に手前に表示";
    if (&control == &BtnPerformance) return "パフォーマンス情報";
    if (&control == &PgAccel) return "ページ";
    return {};
}

}  // namespace hastelyn::ui::model::main
