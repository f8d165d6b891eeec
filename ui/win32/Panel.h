#pragma once
// A plain area holding other controls (a title strip, the work area, a page): it fills itself
// with its brush and hands its controls' notifications and colour questions to the top-level
// window, which acts on every control of the window in one place.
#include <windows.h>

#include "ui/model/Control.h"

namespace hastelyn::winui {

inline constexpr const wchar_t* kPanelClass = L"HastelynPanel";

void registerPanelClass();
// The brush the panel fills itself with; the dialog face colour without one. It stays the
// caller's.
void setPanelBrush(HWND panel, HBRUSH brush);
// The mouse passes through the panel (not its controls) to the window under it: a title strip
// that moves its window.
void letMouseThrough(HWND panel);
// A top-level window's frame, and what the desktop leaves free of the screen.
ui::model::Rect frameOf(HWND window);
ui::model::Rect workArea();
// A top-level window put over the middle of `over` (of the work area when it is null), moved in
// whole onto the work area as far as it must.
void centreOver(HWND window, HWND over);
inline void centreOnWorkArea(HWND window) { centreOver(window, nullptr); }

}  // namespace hastelyn::winui
