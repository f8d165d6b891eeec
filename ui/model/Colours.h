#pragma once
// The windows' colours, as Windows colour values 0x00BBGGRR, in one table; and the colour a text
// takes on a coloured panel.
#include <cstdint>

namespace hastelyn::ui::model::colours {

inline constexpr std::uint32_t kWhite = 0xFFFFFF;
inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kTitleStrip = 0x639AFF;  // the main window's title strip
inline constexpr std::uint32_t kMenu = 0x9CCFCE;        // the main window's menu, and the compact window
inline constexpr std::uint32_t kWorkArea = 0x9CCFFF;    // the main window's work area
inline constexpr std::uint32_t kNavy = 0x800000;  // the main window's list rows and page buttons
inline constexpr std::uint32_t kBlue = 0xFF0000;  // the main window's hint line
inline constexpr std::uint32_t kRed = 0x0000FF;   // the main window's counters
inline constexpr std::uint32_t kSilver = 0xC0C0C0;  // a field the user may not change
inline constexpr std::uint32_t kCream = 0xF0FBFF;   // the commentary memos
inline constexpr std::uint32_t kTeal = 0x808000;    // the restore window's memo text
inline constexpr std::uint32_t kSubColor = 0x9CCFFF; // the options window before any style
inline constexpr std::uint32_t kRestoreColor = 0x639AFF; // the save-and-restore window before any style

}  // namespace hastelyn::ui::model::colours

namespace hastelyn::ui::model::colours {

// Contrast of two colours as the web's accessibility guidelines measure it (1 to 21).
double contrast(std::uint32_t a, std::uint32_t b);

// The colour a text of its own colour `own` takes on `background`: its own where the contrast is
// at least 3:1 (the guidelines' least for large text), otherwise black or white, whichever reads
// better there.
std::uint32_t readableOn(std::uint32_t background, std::uint32_t own);

}  // namespace hastelyn::ui::model::colours
