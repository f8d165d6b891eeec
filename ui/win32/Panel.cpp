#include "ui/win32/Panel.h"

#include <algorithm>

#include "ui/win32/WindowClass.h"

namespace hastelyn::winui {
namespace {

constexpr const wchar_t* kMouseThrough = L"HastelynMouseThrough";

LRESULT CALLBACK panelProcedure(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_HSCROLL:
            return SendMessageW(GetAncestor(panel, GA_ROOT), message, wParam, lParam);
        case WM_NCHITTEST:
            if (GetPropW(panel, kMouseThrough) != nullptr) return HTTRANSPARENT;
            break;
        case WM_DESTROY: RemovePropW(panel, kMouseThrough); break;
        case WM_ERASEBKGND: {
            auto brush = reinterpret_cast<HBRUSH>(GetWindowLongPtrW(panel, GWLP_USERDATA));
            RECT client{};
            GetClientRect(panel, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        default: break;
    }
    return DefWindowProcW(panel, message, wParam, lParam);
}

}  // namespace

void registerPanelClass() { registerWindowClass(kPanelClass, panelProcedure); }

void setPanelBrush(HWND panel, HBRUSH brush) {
    SetWindowLongPtrW(panel, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(brush));
    InvalidateRect(panel, nullptr, TRUE);
}

void letMouseThrough(HWND panel) { SetPropW(panel, kMouseThrough, reinterpret_cast<HANDLE>(1)); }

void centreOnWorkArea(HWND window) {
    RECT free{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &free, 0);
    RECT own{};
    GetWindowRect(window, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    SetWindowPos(window, nullptr, free.left + std::max(0L, (free.right - free.left - width) / 2),
                 free.top + std::max(0L, (free.bottom - free.top - height) / 2), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace hastelyn::winui
