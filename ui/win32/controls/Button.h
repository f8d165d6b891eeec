#pragma once
// A push button, or a check box drawn as one (BS_PUSHLIKE).
#include <windows.h>

namespace hastelyn::winui {

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
