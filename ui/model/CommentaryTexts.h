#pragma once
// The commentary panel's texts: one for each row of the five tweak lists, of the utilities list
// and of the PC-information list, and the introduction the panel shows at start and on its
// button.
//
// The texts are shown as they are stored: UTF-8, lines broken with CR LF, an empty line between
// paragraphs, notes starting with "※ " and their continuation lines with a full-width space,
// list lines starting with "・" or a half-width space. The paragraph reflow relies on these marks.
#include <optional>
#include <string_view>

namespace hastelyn::ui::model {

// The commentary of row `row` (0..9) of the tweak page with this caption ("システム",
// "デスクトップ", "エクスプローラ", "起動・終了", "その他"); nullopt for any other caption or
// for a row outside 0..9 (-1 is no selection).
std::optional<std::string_view> tweakCommentary(std::string_view caption, int row);

// The same for the utilities page and the PC-information page ("ユーティリティ", "パソコン情報").
std::optional<std::string_view> toolCommentary(std::string_view caption, int row);

// What the commentary panel is for.
extern const std::string_view kCommentIntroduction;

}  // namespace hastelyn::ui::model
