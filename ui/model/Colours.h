#pragma once
// The windows' colours, as Windows colour values 0x00BBGGRR, in one table; and the colour a text
// takes on a coloured panel.
#include <cstdint>

namespace hastelyn::ui::model::colours {

inline constexpr std::uint32_t kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kSilver = 0xC0C0C0;  // a field the user may not change
inline constexpr std::uint32_t kCream = 0xF0FBFF;   // the commentary memos
inline constexpr std::uint32_t kTeal = 0x808000;    // the restore window's memo text
inline constexpr std::uint32_t kSubColor = 0x9CCFFF; // the options window before any style

}  // namespace hastelyn::ui::model::colours
