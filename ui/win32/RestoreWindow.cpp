#include "ui/win32/RestoreWindow.h"

#include "ui/win32/MainWindow.h"

namespace hastelyn::winui {

RestoreWindow::RestoreWindow(engine::Session& session, MainWindow& main) : session_(session), main_(main) {
    create(kClassName, L"保存と復元", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_CONTROLPARENT, {527, 312}, &RestoreWindow::procedure);
}

void RestoreWindow::show() { ShowWindow(hwnd_, SW_SHOW); }

LRESULT CALLBACK RestoreWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    RestoreWindow* self = fromWindow<RestoreWindow>(window, message, lParam);
    return self != nullptr ? self->handleMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT RestoreWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        ShowWindow(hwnd_, SW_HIDE);
        return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace hastelyn::winui
