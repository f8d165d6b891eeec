#include "ui/win32/CompactWindow.h"

#include "ui/win32/MainWindow.h"

namespace hastelyn::winui {

CompactWindow::CompactWindow(engine::Session& session, MainWindow& main) : session_(session), main_(main) {
    create(kClassName, L"Hastelyn", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, {127, 29}, &CompactWindow::procedure);
}

void CompactWindow::show(bool) { ShowWindow(hwnd_, SW_SHOW); }

LRESULT CALLBACK CompactWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CompactWindow* self = fromWindow<CompactWindow>(window, message, lParam);
    return self != nullptr ? self->handleMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CompactWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        ShowWindow(hwnd_, SW_HIDE);
        return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace hastelyn::winui
