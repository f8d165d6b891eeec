#pragma once
// Where a window goes on a screen and whether its content must scroll. Every window keeps the
// size it was drawn for where the screen has room for it; a screen smaller than a window (a
// 640 x 480 one) gets the window at the largest size the desktop leaves free, its content in a
// scroll area, so that every control can still be brought into view and clicked.
#include "ui/model/Control.h"

namespace hastelyn::ui::model {

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// What the desktop draws round a window's client area (frame and title bar), per side.
struct FrameMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct ScreenFit {
    Rect client;                 // the client area on the screen
    bool scrollsAcross = false;  // a horizontal scroll bar is needed
    bool scrollsDown = false;    // a vertical one
    bool scrolls() const { return scrollsAcross || scrollsDown; }
    friend bool operator==(const ScreenFit&, const ScreenFit&) = default;
};

// design: the client size the window's controls were laid out for. wanted: the client area the
// window asks for (its size may be below the design, as the main window's on a 640 x 480
// screen). workArea: what the desktop leaves free of the screen. bar: a scroll bar's width.
// The client area shrinks to what the work area holds, then moves in whole into the work area,
// its frame too; where it cannot, its top left stays on the screen (the title and the first
// controls). The content scrolls in each direction where the client area, less the other
// direction's bar, is smaller than the design.
ScreenFit fitOnScreen(Size design, const Rect& wanted, const FrameMargins& frame, const Rect& workArea, int bar);

// A window, frame included, moved in whole into the work area as far as it must; one larger
// than the work area keeps its top left there.
Rect keepOnScreen(const Rect& workArea, const Rect& window);

}  // namespace hastelyn::ui::model
