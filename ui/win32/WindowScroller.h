#pragma once
// A window whose client area is smaller than the controls were laid out for: scroll bars move
// all its controls, and a control the keyboard focuses is brought into view. The mouse wheel
// keeps the meaning the window gives it.
#include <windows.h>

namespace hastelyn::winui {

class WindowScroller {
public:
    // The window and the size its controls were laid out for; nothing scrolls until enabled.
    WindowScroller(HWND window, SIZE content) : window_(window), content_(content) {}
    void setWindow(HWND window) { window_ = window; }

    // From now on the scroll bars follow the client area's size.
    void enable();
    // WM_SIZE, WM_HSCROLL and WM_VSCROLL: true when they were this one's.
    bool handle(UINT message, WPARAM wParam);
    // Scrolls so that the control (one of the window's, at any depth) is within the client area.
    void bringIntoView(HWND control);
    // How far the controls are moved up and left.
    POINT offset() const { return offset_; }

private:
    void update();
    void scrollTo(int x, int y);

    HWND window_;
    SIZE content_;
    POINT offset_{0, 0};
    bool enabled_ = false;
    bool updating_ = false;
};

}  // namespace hastelyn::winui
