#include "ui/win32/Panel.h"

#include <algorithm>

#include "ui/model/ScreenFit.h"
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

ui::model::Rect frameOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

ui::model::Rect workArea() {
    RECT r{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void centreOver(HWND window, HWND over) {
    const ui::model::Rect free = workArea();
    const ui::model::Rect under = over != nullptr ? frameOf(over) : free;
    ui::model::Rect placed = frameOf(window);
    placed.left = under.left + (under.width - placed.width) / 2;
    placed.top = under.top + (under.height - placed.height) / 2;
    placed = ui::model::keepOnScreen(free, placed);
    SetWindowPos(window, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace hastelyn::winui
