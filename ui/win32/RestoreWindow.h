#pragma once
// The save-and-restore window: the restore points and the mail-rule backup. Made hidden at the
// start and shown from the main window.
#include "engine/Session.h"
#include "ui/win32/SideWindow.h"

namespace hastelyn::winui {

class MainWindow;

class RestoreWindow final : public SideWindow {
public:
    static constexpr const wchar_t* kClassName = L"TFrmRestore";

    RestoreWindow(engine::Session& session, MainWindow& main);

    void show();

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    engine::Session& session_;
    MainWindow& main_;
};

}  // namespace hastelyn::winui
