#pragma once
// A tab control (WC_TABCONTROL): its tabs' texts, the current one, the area its pages take.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>

#include "platform/win32/WideText.h"

namespace hastelyn::winui {

class TabControl {
public:
    explicit TabControl(HWND window = nullptr) : h_(window) {}
    HWND handle() const { return h_; }

    void insert(int index, std::string_view text) const {
        std::wstring wide = win32::widen(text);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = wide.data();
        SendMessageW(h_, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    int count() const { return static_cast<int>(SendMessageW(h_, TCM_GETITEMCOUNT, 0, 0)); }
    std::string text(int index) const {
        wchar_t buffer[128] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = buffer;
        item.cchTextMax = 128;
        if (!SendMessageW(h_, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return {};
        return win32::narrow(buffer);
    }
    int current() const { return static_cast<int>(SendMessageW(h_, TCM_GETCURSEL, 0, 0)); }
    // Selects a tab without telling the parent (TCM_SETCURSEL sends no TCN_SELCHANGE).
    void setCurrent(int index) const { SendMessageW(h_, TCM_SETCURSEL, static_cast<WPARAM>(index), 0); }
    int rowCount() const { return static_cast<int>(SendMessageW(h_, TCM_GETROWCOUNT, 0, 0)); }
    // The area the pages take, in the tab control's parent's coordinates.
    RECT pageArea() const {
        RECT r{};
        GetWindowRect(h_, &r);
        MapWindowPoints(nullptr, GetParent(h_), reinterpret_cast<POINT*>(&r), 2);
        SendMessageW(h_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
        return r;
    }

private:
    HWND h_;
};

}  // namespace hastelyn::winui
