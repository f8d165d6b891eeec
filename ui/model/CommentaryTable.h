#pragma once
// A commentary table: ten texts for each page caption, looked up by caption and row.
#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace hastelyn::ui::model {

struct CommentPage {
    std::string_view caption;
    std::array<std::string_view, 10> rows;
};

// The text of row 0..9 of the page with this caption; nullopt for another caption or row.
inline std::optional<std::string_view> findCommentary(std::span<const CommentPage> pages, std::string_view caption,
                                                      int row) {
    if (row < 0 || row >= 10) return std::nullopt;
    for (const CommentPage& page : pages)
        if (page.caption == caption) return page.rows[static_cast<std::size_t>(row)];
    return std::nullopt;
}

}  // namespace hastelyn::ui::model
