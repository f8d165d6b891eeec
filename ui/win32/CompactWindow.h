#pragma once
// The compact monitor: a small strip of meters kept on top, with a performance panel that opens
// under it. Made hidden at the start; shown in place of the main window.
#include "engine/Session.h"
#include "ui/win32/SideWindow.h"

namespace hastelyn::winui {

class MainWindow;

class CompactWindow final : public SideWindow {
public:
    static constexpr const wchar_t* kClassName = L"TFrmCompact";

    CompactWindow(engine::Session& session, MainWindow& main);

    // Shown in place of the main window, the performance panel open or closed.
    void show(bool performance);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    engine::Session& session_;
    MainWindow& main_;
};

}  // namespace hastelyn::winui
