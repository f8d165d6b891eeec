#pragma once
// The save-and-restore window: the restore points and the mail-rule backup, on two pages of a
// page control, with the memo that explains the page shown. Made hidden at the start and shown
// from the main window, which it keeps disabled while it shows. It draws what its screen
// (ui/model/RestoreScreen.h) says and forwards its events there; the file dialog of the restore
// is the system's unless another is given.
#include <windows.h>

#include "engine/FileOpenDialog.h"
#include "engine/Session.h"
#include "ui/model/RestoreControls.h"
#include "ui/model/RestoreScreen.h"
#include "ui/win32/SideWindow.h"
#include "ui/win32/UiFont.h"
#include "ui/win32/Win32FileDialog.h"
#include "ui/win32/Win32WindowView.h"
#include "ui/win32/controls/TabControl.h"

namespace hastelyn::winui {

class MainWindow;

class RestoreWindow final : public SideWindow, public Win32WindowView, public ui::model::RestoreView {
public:
    static constexpr const wchar_t* kClassName = L"TFrmRestore";

    RestoreWindow(engine::Session& session, MainWindow& main);
    ~RestoreWindow() override;

    // Shows the window over the middle of the main window, the focus on the close button.
    void show();
    // Hides it, without a word (the title bar's close box); the main window is enabled again.
    void hide();
    bool process(MSG& message) override;

    // The file dialog the restore asks for a restore point (the system's by default).
    void setFileOpenDialog(engine::FileOpenDialog& dialog) { screen_.setFileOpenDialog(&dialog); }
    ui::model::RestoreScreen& screen() { return screen_; }
    const TabControl& pages() const { return tabs_; }

    // The screen's calls.
    void showPage(const ui::model::Control& pages, int index) override;
    void close() override { hide(); }

private:
    friend class SideWindow;  // its procedure
    static LRESULT CALLBACK memoProcedure(HWND memo, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void build();
    void buildPage(HWND page, const ui::model::restore::controls::PageContents& contents);
    void command(int id, int code);
    HBRUSH colourStatic(HDC dc, HWND control);
    // Tab and Shift+Tab over the close button, the page control and the page's two buttons;
    // Enter presses the focused button, Escape the close button, F4 speaks the memo.
    bool previewKey(const MSG& message);
    void noticeFocus();

    engine::Session& session_;
    MainWindow& main_;
    const UiFont font_;
    HBRUSH white_ = nullptr;
    HBRUSH cream_ = nullptr;
    TabControl tabs_;
    HWND pageWindows_[2] = {};
    WNDPROC memoDefault_ = nullptr;
    HWND lastFocus_ = nullptr;
    HWND focusBeforeLeaving_ = nullptr;
    Win32FileDialog fileDialog_;
    ui::model::RestoreScreen screen_;
};

}  // namespace hastelyn::winui
