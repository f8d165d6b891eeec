#pragma once
// A list box (WC_LISTBOX) of text rows with one selection: the utilities, PC-information and
// drive lists.
#include <windows.h>

#include <string>
#include <string_view>

#include "platform/win32/WideText.h"

namespace hastelyn::winui {

class ListBox {
public:
    explicit ListBox(HWND window = nullptr) : h_(window) {}
    HWND handle() const { return h_; }

    int count() const { return static_cast<int>(SendMessageW(h_, LB_GETCOUNT, 0, 0)); }
    void append(std::string_view text) const {
        SendMessageW(h_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::widen(text).c_str()));
    }
    void clear() const { SendMessageW(h_, LB_RESETCONTENT, 0, 0); }
    std::string text(int row) const {
        const LRESULT length = SendMessageW(h_, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
        if (length == LB_ERR) return {};
        std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
        wide.resize(static_cast<std::size_t>(
            SendMessageW(h_, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(wide.data()))));
        return win32::narrow(wide);
    }
    // The selected row; -1 when none is.
    int selected() const { return static_cast<int>(SendMessageW(h_, LB_GETCURSEL, 0, 0)); }
    // Selects as a message does: no LBN_SELCHANGE follows (a user's click or arrow key sends it).
    void select(int row) const { SendMessageW(h_, LB_SETCURSEL, static_cast<WPARAM>(row), 0); }
    void setRowHeight(int pixels) const { SendMessageW(h_, LB_SETITEMHEIGHT, 0, pixels); }

private:
    HWND h_;
};

}  // namespace hastelyn::winui
