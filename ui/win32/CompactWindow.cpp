#include "ui/win32/CompactWindow.h"

#include <windowsx.h>

#include "ui/model/CommandErrors.h"
#include "ui/model/CompactControls.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/Panel.h"
#include "ui/win32/controls/Button.h"
#include "ui/win32/controls/ComboBox.h"

namespace hastelyn::winui {
namespace {

namespace c = ui::model::compact;

// No title bar of the desktop's: the strip is the title. The thick frame stays (it draws the
// border), but never resizes the window (WM_NCHITTEST).
constexpr DWORD kStyle = WS_POPUP | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX;
// Always on top; a taskbar button of its own while it stands in for the main window.
constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_CONTROLPARENT;

}  // namespace

CompactWindow::CompactWindow(engine::Session& session, MainWindow& main) : session_(session), main_(main) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    create(kClassName, L"Hastelyn", kStyle, kExStyle, client_, &procedureOf<CompactWindow>);
    tray_.setOwner(hwnd_);
}

void CompactWindow::made() {
    if (screen_) return;
    // A colour the options window gave at the start stays: the screen shows the design colour.
    const bool coloured = background() != nullptr;
    const std::uint32_t given = colour();
    build();
    screen_.emplace(session_, *this);
    screen_->meters().reportError = [this](const std::string& text) {
        ui::model::reportCommandError(session_.dialogs, text);
    };
    if (coloured) setColour(given);
}

CompactWindow::~CompactWindow() {
    tray_.remove();
    for (auto& [row, tip] : hints_) DestroyWindow(tip->handle());
    destroyWindow();
}

void CompactWindow::show(bool performance) {
    made();
    const HWND main = main_.hwnd();
    ShowWindow(main, SW_HIDE);
    screen_->centreOver(frameOf(main));
    ShowWindow(hwnd_, IsIconic(hwnd_) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(hwnd_);
    if (performance) {
        Button(handle(c::BtnPerformance)).setChecked(true);
        screen_->performanceClicked(true);
    }
}

void CompactWindow::backToMain() {
    ShowWindow(hwnd_, SW_HIDE);
    ShowWindow(main_.hwnd(), SW_SHOW);
    SetForegroundWindow(main_.hwnd());
}

bool CompactWindow::process(MSG& message) {
    if (!owns(message.hwnd)) return false;
    // Enter presses the focused button, as the space bar does.
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
        const ui::model::Control* row = rowOf(GetFocus());
        if (row != nullptr && row->kind == ui::model::ControlKind::Button) {
            Button(GetFocus()).click();
            return true;
        }
    }
    return SideWindow::process(message);
}

void CompactWindow::clicked(const ui::model::Control& row) {
    if (&row == &c::BtnHelp) {
        main_.screen().openHelp();
    } else if (&row == &c::BtnVersion) {
        main_.showSideWindow(ui::model::MainAction::ShowVersion);
    } else if (&row == &c::BtnCompact) {
        backToMain();
    } else if (&row == &c::BtnPerformance) {
        screen_->performanceClicked(Button(handle(row)).checked());
    } else if (&row == &c::BtnTray) {
        tray_.park();
    } else if (&row == &c::BtnMinimum) {
        ShowWindow(hwnd_, SW_MINIMIZE);
    } else if (&row == &c::BtnClose_s) {
        // Closing the main window ends the program.
        SendMessageW(main_.hwnd(), WM_CLOSE, 0, 0);
    }
}

void CompactWindow::command(HWND control, int code) {
    const ui::model::Control* row = rowOf(control);
    if (row == nullptr || !screen_) return;
    if (row->kind == ui::model::ControlKind::Button && code == BN_CLICKED) return clicked(*row);
    if (row == &c::Image1 && code == STN_DBLCLK) return backToMain();
    if (code != CBN_SELCHANGE) return;
    const int chosen = ComboBox(control).selected();
    if (row == &c::CmbCPUList) screen_->cpuChosen(chosen);
    if (row == &c::CmbHDList) screen_->driveChosen(chosen);
    if (row == &c::CmbNICList) screen_->adapterChosen(chosen);
}

LRESULT CompactWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (tray_.handle(message, wParam, lParam)) return 0;
    switch (message) {
        case WM_COMMAND: command(reinterpret_cast<HWND>(lParam), HIWORD(wParam)); return 0;
        case WM_DRAWITEM: drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (background() != nullptr) return reinterpret_cast<LRESULT>(colourText(reinterpret_cast<HDC>(wParam)));
            break;
        case WM_ERASEBKGND:
            if (eraseBackground(reinterpret_cast<HDC>(wParam))) return 1;
            break;
        case WM_NCHITTEST: {
            // The frame's sizing borders are no borders; the window's background (and the
            // picture and texts on it) moves the window as a title bar does.
            const LRESULT hit = DefWindowProcW(hwnd_, message, wParam, lParam);
            if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT) return HTNOWHERE;
            return hit == HTCLIENT ? HTCAPTION : hit;
        }
        case WM_PARENTNOTIFY:
            // A press on the picture drags the window, as one on its background does.
            if (LOWORD(wParam) == WM_LBUTTONDOWN && c::Image1.rect.contains(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) {
                ReleaseCapture();
                SendMessageW(hwnd_, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
            }
            return 0;
        case WM_NCLBUTTONDBLCLK:
            if (wParam != HTCAPTION) break;
            backToMain();
            return 0;
        case WM_GETMINMAXINFO: {
            // The window keeps the size the screen gave it: the strip stays this small.
            auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
            const SIZE frame = frameSize(client_.cx, client_.cy);
            limits.ptMinTrackSize = {frame.cx, frame.cy};
            limits.ptMaxTrackSize = {frame.cx, frame.cy};
            return 0;
        }
        case WM_SHOWWINDOW:
            if (screen_) screen_->windowState(wParam != 0, IsIconic(hwnd_) != 0);
            break;
        case WM_SIZE: {
            const bool minimised = wParam == SIZE_MINIMIZED;
            if (minimised == minimised_ || !screen_) break;
            minimised_ = minimised;
            screen_->windowState(IsWindowVisible(hwnd_) != 0, minimised);
            break;
        }
        case WM_TIMER:
            if (wParam != kMeterTimer || !screen_) break;
            screen_->tick();
            return 0;
        case WM_ACTIVATE:
            // The focus goes back where it was when the window was left, at first to the strip's
            // first button, as a dialog's does.
            if (LOWORD(wParam) == WA_INACTIVE) {
                if (owns(GetFocus()) && GetFocus() != hwnd_) lastFocus_ = GetFocus();
                break;
            }
            SetFocus(IsWindow(lastFocus_) && IsWindowVisible(lastFocus_) ? lastFocus_ : handle(c::BtnHelp));
            return 0;
        case WM_CLOSE:
            // Closed from the system menu or with Alt+F4: the main window comes back, so the
            // program never stays without a window.
            backToMain();
            return 0;
        default: break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace hastelyn::winui
