#pragma once
// A drop-down list (WC_COMBOBOX, CBS_DROPDOWNLIST), or one with a text field (CBS_DROPDOWN):
// its items, the chosen one and the text it shows.
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/win32/WideText.h"

namespace hastelyn::winui {

class ComboBox {
public:
    explicit ComboBox(HWND window = nullptr) : h_(window) {}
    HWND handle() const { return h_; }

    int count() const { return static_cast<int>(SendMessageW(h_, CB_GETCOUNT, 0, 0)); }
    void append(std::string_view text) const {
        SendMessageW(h_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::widen(text).c_str()));
    }
    void clear() const { SendMessageW(h_, CB_RESETCONTENT, 0, 0); }
    std::string text(int item) const {
        const LRESULT length = SendMessageW(h_, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0);
        if (length == CB_ERR) return {};
        std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
        wide.resize(static_cast<std::size_t>(
            SendMessageW(h_, CB_GETLBTEXT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(wide.data()))));
        return win32::narrow(wide);
    }
    // The chosen item; -1 when none is.
    int selected() const { return static_cast<int>(SendMessageW(h_, CB_GETCURSEL, 0, 0)); }
    // Chooses as a message does: no CBN_SELCHANGE follows (the user's choice sends it).
    void select(int item) const { SendMessageW(h_, CB_SETCURSEL, static_cast<WPARAM>(item), 0); }
    bool editable() const { return (GetWindowLongW(h_, GWL_STYLE) & 3) == CBS_DROPDOWN; }

private:
    HWND h_;
};

}  // namespace hastelyn::winui
