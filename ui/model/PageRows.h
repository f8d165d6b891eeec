#pragma once
// The utility and PC-information pages were drawn for rows of 18 pixels on a page at least 185
// pixels high. Where the page is lower (two rows of tabs take more of the page control), the
// rows and the controls over them shrink together by whole pixels per row: nothing is cut off at
// the bottom, and every field stays beside its row.
#include <algorithm>

namespace hastelyn::ui::model {

inline constexpr int kDesignRowPitch = 18;
inline constexpr int kSmallestRowPitch = 12;

// The row pitch on a page of that height: ten rows and a margin of five pixels below them.
inline int pageRowPitch(int pageHeight) {
    return std::clamp((pageHeight - 5) / 10, kSmallestRowPitch, kDesignRowPitch);
}

// A position or height of the page's design at that pitch, rounded to the nearest pixel.
inline int atRowPitch(int design, int pitch) { return (design * pitch + kDesignRowPitch / 2) / kDesignRowPitch; }

}  // namespace hastelyn::ui::model
