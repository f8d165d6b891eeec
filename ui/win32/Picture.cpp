#include "ui/win32/Picture.h"

#include "ui/win32/WindowClass.h"

namespace hastelyn::winui {
namespace {

void paint(HWND picture) {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(picture, &ps);
    RECT client{};
    GetClientRect(picture, &client);
    if (const HBITMAP bitmap = pictureOf(picture)) {
        const HDC source = CreateCompatibleDC(dc);
        const HGDIOBJ old = SelectObject(source, bitmap);
        BitBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    } else {
        // No picture: the parent's colours and the text in its place.
        const HWND parent = GetParent(picture);
        const auto brush = reinterpret_cast<HBRUSH>(
            SendMessageW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(picture)));
        FillRect(dc, &client, brush != nullptr ? brush : GetSysColorBrush(COLOR_BTNFACE));
        const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(picture, WM_GETFONT, 0, 0)));
        wchar_t text[256] = {};
        const int length = GetWindowTextW(picture, text, 256);
        DrawTextW(dc, text, length, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, old);
    }
    EndPaint(picture, &ps);
}

LRESULT CALLBACK pictureProcedure(HWND picture, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool notifies = (GetWindowLongW(picture, GWL_STYLE) & SS_NOTIFY) != 0;
    switch (message) {
        case WM_PAINT: paint(picture); return 0;
        case WM_ERASEBKGND: return 1;
        case WM_SETFONT:
            SetPropW(picture, L"HastelynFont", reinterpret_cast<HANDLE>(wParam));
            if (LOWORD(lParam)) InvalidateRect(picture, nullptr, TRUE);
            return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(GetPropW(picture, L"HastelynFont"));
        case WM_NCHITTEST:
            if (!notifies) return HTTRANSPARENT;
            break;
        case WM_LBUTTONUP:
            if (notifies)
                SendMessageW(GetParent(picture), WM_COMMAND,
                             MAKEWPARAM(GetDlgCtrlID(picture), STN_CLICKED), reinterpret_cast<LPARAM>(picture));
            return 0;
        case WM_DESTROY: RemovePropW(picture, L"HastelynFont"); break;
        default: break;
    }
    return DefWindowProcW(picture, message, wParam, lParam);
}

}  // namespace

void registerPictureClass() { registerWindowClass(kPictureClass, pictureProcedure); }

void setPicture(HWND picture, HBITMAP bitmap) {
    SetWindowLongPtrW(picture, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(bitmap));
    InvalidateRect(picture, nullptr, TRUE);
}

HBITMAP pictureOf(HWND picture) { return reinterpret_cast<HBITMAP>(GetWindowLongPtrW(picture, GWLP_USERDATA)); }

HBITMAP loadBitmap(int id) {
    return static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

}  // namespace hastelyn::winui
