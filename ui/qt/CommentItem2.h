#pragma once
// The commentary of the utilities page and of the PC-information page: one text for each row of
// their lists, in the same form as the tweak commentary (see CommentItem.h).
#include <optional>
#include <string_view>

namespace hastelyn::ui {

// The commentary of row `row` (0..9) of the page with this caption ("ユーティリティ",
// "パソコン情報"); nullopt for any other caption or for a row outside 0..9 (-1 is no selection).
std::optional<std::string_view> toolCommentary(std::string_view caption, int row);

}  // namespace hastelyn::ui
