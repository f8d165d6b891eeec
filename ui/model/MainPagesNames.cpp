// The names a screen reader gives the controls of the utilities page, the PC-information page
// and the commentary panel.
#include "engine/PcInformation.h"
#include "ui/model/MainPagesControls.h"

namespace hastelyn::ui::model::pages {

std::string_view accessibleName(const Control& control) {
    if (&control == &LstUtility) return "ユーティリティ 一覧";
    if (&control == &LstInfo) return "パソコン情報 一覧";
    if (&control == &LstHDDefrag) return "デフラグするドライブ";
    if (&control == &LstHDConvert) return "NTFSに変換するドライブ";
    if (&control == &Comment) return "詳しい解説";
    for (std::size_t i = 0; i < kInfoFields.size(); ++i) {
        if (&control != kInfoFields[i]) continue;
        // The row's label without its number ("① 使用者": "使用者").
        const std::string_view label = engine::pcInfoRows()[i].label;
        return label.substr(label.find(' ') + 1);
    }
    // A tool button's caption is only its number: its hint names it.
    for (const Control* button : kUtilityButtons)
        if (&control == button) return control.hint;
    return control.caption.empty() ? control.hint : control.caption;
}

}  // namespace hastelyn::ui::model::pages
