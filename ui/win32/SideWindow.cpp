#include "ui/win32/SideWindow.h"

#include <stdexcept>

#include "ui/win32/WindowClass.h"

namespace hastelyn::winui {

SideWindow::~SideWindow() {
    destroyWindow();
    if (background_ != nullptr) DeleteObject(background_);
}

void SideWindow::destroyWindow() {
    if (hwnd_ == nullptr) return;
    // Its last messages go to the default handling, never to the object being destroyed.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

void SideWindow::setColour(std::uint32_t colour) {
    const HBRUSH brush = CreateSolidBrush(colour);
    if (brush == nullptr) return;
    if (background_ != nullptr) DeleteObject(background_);
    background_ = brush;
    colour_ = colour;
    // The controls paint with the window's colour too.
    if (hwnd_ != nullptr) RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool SideWindow::eraseBackground(HDC dc) const {
    if (background_ == nullptr) return false;
    RECT client{};
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, background_);
    return true;
}

void SideWindow::create(const wchar_t* className, const wchar_t* caption, DWORD style, DWORD exStyle, SIZE client,
                        WNDPROC procedure) {
    registerWindowClass(className, procedure);
    RECT frame{0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    hwnd_ = CreateWindowExW(exStyle, className, caption, style, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                            frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleW(nullptr), static_cast<SideWindow*>(this));
    if (hwnd_ == nullptr) throw std::runtime_error("ウィンドウを作成できません。");
}

bool SideWindow::process(MSG& message) {
    if (!owns(message.hwnd)) return false;
    if (!IsDialogMessageW(hwnd_, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

}  // namespace hastelyn::winui
