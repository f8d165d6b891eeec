#pragma once
// A plain area holding other controls (a title strip, the work area, a page): it fills itself
// with its brush and hands its controls' notifications and colour questions to the top-level
// window, which acts on every control of the window in one place.
#include <windows.h>

namespace hastelyn::winui {

inline constexpr const wchar_t* kPanelClass = L"HastelynPanel";

void registerPanelClass();
// The brush the panel fills itself with; the dialog face colour without one. It stays the
// caller's.
void setPanelBrush(HWND panel, HBRUSH brush);
// The mouse passes through the panel (not its controls) to the window under it: a title strip
// that moves its window.
void letMouseThrough(HWND panel);
// A top-level window put in the middle of what the desktop leaves free.
void centreOnWorkArea(HWND window);

}  // namespace hastelyn::winui
