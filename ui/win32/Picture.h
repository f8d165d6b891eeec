#pragma once
// A picture on a window: a bitmap drawn at the top left, or its window text where there is no
// bitmap. The window text is what a screen reader reads. With SS_NOTIFY a click tells the
// parent STN_CLICKED, as a static control does; without it the mouse passes through.
#include <windows.h>

namespace hastelyn::winui {

inline constexpr const wchar_t* kPictureClass = L"HastelynPicture";

void registerPictureClass();
// The bitmap the picture shows; it stays the caller's.
void setPicture(HWND picture, HBITMAP bitmap);
HBITMAP pictureOf(HWND picture);

// A bitmap of the program's resources (24- or 32-bit, as a DIB section, alpha kept), or null.
HBITMAP loadBitmap(int id);
// The about badge with the program's version under its heading; null without the badge.
HBITMAP makeAboutBadge();

}  // namespace hastelyn::winui
