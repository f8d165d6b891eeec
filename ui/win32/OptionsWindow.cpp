#include "ui/win32/OptionsWindow.h"

#include "ui/win32/MainWindow.h"

namespace hastelyn::winui {

OptionsWindow::OptionsWindow(engine::Session& session, MainWindow& main, CompactWindow& compact, RestoreWindow& restore)
    : session_(session), main_(main), compact_(compact), restore_(restore) {
    create(kClassName, L"環境設定", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_CONTROLPARENT, {449, 410}, &OptionsWindow::procedure);
}

void OptionsWindow::show(std::size_t) { ShowWindow(hwnd_, SW_SHOW); }

LRESULT CALLBACK OptionsWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    OptionsWindow* self = fromWindow<OptionsWindow>(window, message, lParam);
    return self != nullptr ? self->handleMessage(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT OptionsWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        ShowWindow(hwnd_, SW_HIDE);
        return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace hastelyn::winui
