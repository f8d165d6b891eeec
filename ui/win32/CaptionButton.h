#pragma once
// A push button that draws a caption other than its window text (BS_OWNERDRAW): its window text
// stays the name a screen reader reads, as MSAA and the readers that ask the window for its text
// both do, where the button shows only a short mark ("①" for the first tool).
#include <windows.h>

#include <string_view>

namespace hastelyn::winui {

// Makes the button owner-drawn, named by `name`.
void makeCaptionButton(HWND button, std::string_view name);

// Draws the button as the system draws a push button (themed where the system is), with the
// caption in the middle and the focus frame.
void drawCaptionButton(const DRAWITEMSTRUCT& item, std::string_view caption);

}  // namespace hastelyn::winui
