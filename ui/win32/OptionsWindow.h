#pragma once
// The options window: the general settings, the locked items, the version and the hidden display
// page. Made hidden at the start, after the other three windows (its making applies the stored
// display settings to them all), and shown from the main window on one of its pages.
#include <cstddef>

#include "engine/Session.h"
#include "ui/win32/SideWindow.h"

namespace hastelyn::winui {

class MainWindow;
class CompactWindow;
class RestoreWindow;

class OptionsWindow final : public SideWindow {
public:
    static constexpr const wchar_t* kClassName = L"TFrmSub";

    OptionsWindow(engine::Session& session, MainWindow& main, CompactWindow& compact, RestoreWindow& restore);

    // Shown on the given page (0 general, 2 version).
    void show(std::size_t page);

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    engine::Session& session_;
    MainWindow& main_;
    CompactWindow& compact_;
    RestoreWindow& restore_;
};

}  // namespace hastelyn::winui
