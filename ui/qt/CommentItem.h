#pragma once
// The commentary of the tweak pages: one text for each row of the five check lists, and the
// introduction the commentary panel shows at start and on its button.
//
// The texts are shown as they are stored: UTF-8, lines broken with CR LF, an empty line between
// paragraphs, notes starting with "※ " and their continuation lines with a full-width space,
// list lines starting with "・" or a half-width space. The paragraph reflow relies on these marks.
#include <optional>
#include <string_view>

namespace hastelyn::ui {

// The commentary of row `row` (0..9) of the tweak page with this caption ("システム",
// "デスクトップ", "エクスプローラ", "起動・終了", "その他"); nullopt for any other caption or
// for a row outside 0..9 (-1 is no selection).
std::optional<std::string_view> tweakCommentary(std::string_view caption, int row);

// What the commentary panel is for.
extern const std::string_view kCommentIntroduction;

}  // namespace hastelyn::ui
