#pragma once
// A window parked in the notification area: hidden, its icon there; a click on the icon shows
// it again. When Explorer starts again (it tells every top-level window "TaskbarCreated") a
// parked window's icon is put back.
#include <windows.h>

namespace hastelyn::winui {

class TrayIcon {
public:
    // The message the icon sends its window; lParam is the mouse message.
    static constexpr UINT kCallback = WM_APP + 1;

    explicit TrayIcon(HWND owner = nullptr);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    void setOwner(HWND owner) { owner_ = owner; }

    // Hides the window behind the icon; without a notification area (no shell running) the
    // window is minimised instead.
    void park();
    // The icon's and the shell's messages to the window: true when they were this one's. The
    // window shown or brought forward by other means (a second start of the program) leaves
    // the notification area too.
    bool handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Takes the icon away (the window is going).
    void remove();

    bool parked() const { return parked_; }
    // How often the icon was put in the notification area, the first time included.
    int additions() const { return additions_; }

private:
    bool add();
    void unpark();

    HWND owner_;
    UINT taskbarCreated_;
    bool parked_ = false;
    int additions_ = 0;
};

}  // namespace hastelyn::winui
