#pragma once
// What the three side windows share: a top-level window of the program's own class, made hidden
// when the program starts, shown and hidden from then on and destroyed only at the end; and
// their share of the message loop (their own keys and the dialog keys, for messages that are
// theirs).
#include <windows.h>

#include <cstdint>

#include "ui/win32/controls/Child.h"

namespace hastelyn::winui {

class SideWindow {
public:
    SideWindow(const SideWindow&) = delete;
    SideWindow& operator=(const SideWindow&) = delete;
    virtual ~SideWindow();

    HWND hwnd() const { return hwnd_; }
    // One message of the thread's queue: handled here (true) when it is for this window or one
    // of its controls, else left to the next window.
    virtual bool process(MSG& message);
    // The window's background colour (00BBGGRR), as the options window sets it; the window
    // paints with background() and its texts take ui::model::textColourOn on it.
    void setColour(std::uint32_t colour);
    std::uint32_t colour() const { return colour_; }

protected:
    SideWindow() = default;
    // Makes the hidden window; the class is registered with procedureOf<Window>, which hands
    // every message to the window's handleMessage (a friend's private member will do).
    void create(const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle, SIZE client,
                WNDPROC procedure);
    // Finds the object again through the window's user data, which its first message sets; the
    // window is hwnd() from then on. Messages before that and after destroyWindow go to the
    // default handling.
    template <typename Window>
    static LRESULT CALLBACK procedureOf(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* side = static_cast<SideWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            side->hwnd_ = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(static_cast<Window*>(side)));
        }
        auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        return self != nullptr ? self->handleMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
    }
    // Destroys the window, first thing in a side window's destructor: gone before the brushes,
    // fonts and screen the window paints and speaks with.
    void destroyWindow();
    bool owns(HWND window) const { return within(hwnd_, window); }

    HBRUSH background() const { return background_; }
    // WM_ERASEBKGND: the window's face in its colour; false while it has none (the default
    // handling paints then).
    bool eraseBackground(HDC dc) const;

    HWND hwnd_ = nullptr;

private:
    std::uint32_t colour_ = 0;
    HBRUSH background_ = nullptr;
};

}  // namespace hastelyn::winui
