#pragma once
// The compact monitor: a 127 x 29 strip that stands in for the main window, kept on top, with
// its picture and picture buttons; with its performance button down, a 286 x 402 panel of meters
// refreshed every second. What it shows and when it samples is the screen's
// (ui/model/CompactScreen.h); the window makes its controls from the rows, forwards events and
// carries out the screen's calls (the panel's controls and those calls: CompactPanel.cpp).
// Made hidden at the start; shown in place of the main window.
#include <windows.h>

#include <map>
#include <memory>
#include <optional>

#include "engine/Session.h"
#include "ui/model/CompactScreen.h"
#include "ui/win32/SideWindow.h"
#include "ui/win32/TrayIcon.h"
#include "ui/win32/UiFont.h"
#include "ui/win32/Win32WindowView.h"
#include "ui/win32/controls/ToolTip.h"

namespace hastelyn::winui {

class MainWindow;

class CompactWindow final : public SideWindow, public Win32WindowView, public ui::model::CompactView {
public:
    static constexpr const wchar_t* kClassName = L"TFrmCompact";
    // The meters' timer (TmrFreq).
    static constexpr UINT_PTR kMeterTimer = 1;

    CompactWindow(engine::Session& session, MainWindow& main);
    ~CompactWindow() override;

    // Shown in place of the main window (which is hidden), centred over it; with performance,
    // its performance button put down and the panel opened.
    void show(bool performance);
    // Hidden, the main window shown again (BtnCompact, a double-click on the strip).
    void backToMain();

    bool process(MSG& message) override;

    ui::model::CompactScreen& screen() {
        made();
        return *screen_;
    }
    bool timerRunning() const { return timerRunning_; }
    // Where the bar stands, 0 to 100.
    int bar(const ui::model::Control& row) const;
    const TrayIcon& tray() const { return tray_; }
    // The hint the control shows, "" without one.
    std::string hint(const ui::model::Control& row) const;

    // The screen's calls.
    void setCaption(const ui::model::Control& control, std::string_view text) override;
    ui::model::WindowPlace place() const override;
    void placeWindow(int left, int top, int width, int height) override;
    void setBar(const ui::model::Control& bar, int value) override;
    void setChoices(const ui::model::Control& list, const engine::ChoiceList& choices) override;
    void setHint(const ui::model::Control& control, std::string_view hint) override;
    void setTimer(bool running) override;
    void setVisible(const ui::model::Control& control, bool visible) override;
    void setColours(const ui::model::Control& control, std::uint32_t background, std::uint32_t text) override;
    void showPage(const ui::model::Control&, int) override {}

private:
    friend class SideWindow;  // its procedure
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void command(HWND control, int code);
    void clicked(const ui::model::Control& row);
    // The controls and the screen over them, made the first time the window is shown or its
    // screen is asked for: the program's start makes the window alone.
    void made();
    // Every control of the rows (CompactPanel.cpp), each on the window at its place there.
    void build();
    HWND makeControl(const ui::model::Control& row);
    // The picture and the bars.
    void drawItem(const DRAWITEMSTRUCT& item) const;
    HBRUSH colourText(HDC dc) const;
    // The window's frame around a client area of this size.
    SIZE frameSize(int width, int height) const;

    engine::Session& session_;
    MainWindow& main_;
    UiFont font_;
    TrayIcon tray_;
    std::map<const ui::model::Control*, int> bars_;
    std::map<const ui::model::Control*, std::unique_ptr<ToolTip>> hints_;
    SIZE client_{127, 29};
    HWND lastFocus_ = nullptr;
    bool timerRunning_ = false;
    bool minimised_ = false;
    std::optional<ui::model::CompactScreen> screen_;
};

}  // namespace hastelyn::winui
