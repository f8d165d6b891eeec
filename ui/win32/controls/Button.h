#pragma once
// A push button, or a check box drawn as one (BS_PUSHLIKE).
#include <windows.h>
#include <commctrl.h>

namespace hastelyn::winui {

// A push button of the system's class, an owner-drawn one too (what Enter presses).
inline bool isPushButton(HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (lstrcmpiW(name, WC_BUTTONW) != 0) return false;
    const LONG type = GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
}

class Button {
public:
    explicit Button(HWND window = nullptr) : h_(window) {}
    HWND handle() const { return h_; }

    void click() const { SendMessageW(h_, BM_CLICK, 0, 0); }
    bool checked() const { return SendMessageW(h_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void setChecked(bool on) const { SendMessageW(h_, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

private:
    HWND h_;
};

}  // namespace hastelyn::winui
