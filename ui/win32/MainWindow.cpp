#include "ui/win32/MainWindow.h"

#include <windowsx.h>

#include <stdexcept>

#include "platform/win32/WideText.h"
#include "ui/model/Colours.h"
#include "ui/model/MainControls.h"
#include "ui/model/MainPagesControls.h"
#include "ui/win32/Panel.h"
#include "ui/win32/controls/Button.h"

namespace hastelyn::winui {
namespace {

namespace main = ui::model::main;
namespace colours = ui::model::colours;

constexpr UINT_PTR kSpeechTimer = 1;
constexpr UINT kSpeechDelay = 3000;

void registerMainClass(WNDPROC procedure) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.style = CS_DBLCLKS;
    c.lpfnWndProc = procedure;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    c.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
    c.lpszClassName = MainWindow::kClassName;
    registered = RegisterClassExW(&c) != 0;
}

}  // namespace

MainWindow::MainWindow(engine::Session& session) : session_(session), pagesScreen_(session, *this) {
    registerMainClass(&MainWindow::procedure);
    registerPanelClass();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    workArea_ = CreateSolidBrush(colours::kWorkArea);
    titleStrip_ = CreateSolidBrush(colours::kTitleStrip);
    menu_ = CreateSolidBrush(colours::kMenu);
    cream_ = CreateSolidBrush(colours::kCream);

    // No title bar of the desktop's: the window has its own title strip. The border stays.
    const DWORD style = WS_POPUP | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT frame{0, 0, main::FrmMain.rect.width, main::FrmMain.rect.height};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_CONTROLPARENT);
    hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, win32::widen(main::FrmMain.caption).c_str(), style,
                            CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                            nullptr, GetModuleHandleW(nullptr), this);
    if (hwnd_ == nullptr) throw std::runtime_error("メインウィンドウを作成できません。");
    tray_.setOwner(hwnd_);
    scroller_.setWindow(hwnd_);
    centreOnWorkArea(hwnd_);
    build();
    screen_ = std::make_unique<ui::model::MainScreen>(session_, *this, *this);
    pagesScreen_.showInitialState();
}

MainWindow::~MainWindow() {
    if (hwnd_ != nullptr) {
        closed = [] {};
        DestroyWindow(hwnd_);
    }
    if (IsWindow(commentHint_.handle())) DestroyWindow(commentHint_.handle());
    DeleteObject(workArea_);
    DeleteObject(titleStrip_);
    DeleteObject(menu_);
    DeleteObject(titlePicture_);
    DeleteObject(aboutPicture_);
    DeleteObject(cream_);
}

void MainWindow::show() {
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
    screen_->shown();
    SetTimer(hwnd_, kSpeechTimer, kSpeechDelay, nullptr);
}

void MainWindow::showPageWindow(int index) {
    for (std::size_t i = 0; i < pageWindows_.size(); ++i)
        ShowWindow(pageWindows_[i], static_cast<int>(i) == index ? SW_SHOWNA : SW_HIDE);
}

void MainWindow::showPage(const ui::model::Control& pages, int index) {
    if (&pages != &main::PgAccel) return;
    tabs_.setCurrent(index);
    showPageWindow(index);
}

void MainWindow::setCaption(const ui::model::Control& control, std::string_view text) {
    if (&control == &ui::model::pages::SearchMenu) searchCaption_ = text;
    Win32WindowView::setCaption(control, text);
    if (&control == &main::LblAll || &control == &main::LblRest) layOutCounterLine();
}

void MainWindow::act(ui::model::MainAction action) {
    using ui::model::MainAction;
    switch (action) {
        case MainAction::Close: DestroyWindow(hwnd_); break;
        case MainAction::Minimise: ShowWindow(hwnd_, SW_MINIMIZE); break;
        case MainAction::StayOnTop:
        case MainAction::StayInLine:
            SetWindowPos(hwnd_, action == MainAction::StayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            break;
        case MainAction::ParkInTray: tray_.park(); break;
        default: showSideWindow(action); break;
    }
}

void MainWindow::useSmallScreen() {
    // Smaller, with a sizeable border, in the middle of the screen again.
    SetWindowLongW(hwnd_, GWL_STYLE, GetWindowLongW(hwnd_, GWL_STYLE) | WS_THICKFRAME);
    SetWindowPos(hwnd_, nullptr, 0, 0, 590, 430, SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
    centreOnWorkArea(hwnd_);
    scroller_.enable();
}

void MainWindow::showIntroduction() { pagesScreen_.commentary().showIntroduction(); }

void MainWindow::disableForEdition(const foundation::DisabledControls& disabled) {
    pagesScreen_.locks().disableForEdition(disabled);
}

foundation::LockableControls MainWindow::lockableControls() { return pagesScreen_.locks().lockable(session_.model); }

void MainWindow::applyLocks(const foundation::LockableControls& marked) {
    pagesScreen_.locks().apply(session_.settings, session_.model, &marked);
    pagesScreen_.locks().show(*this);
    showRowsAgain();
}

void MainWindow::showRowsAgain() {
    for (const auto& list : lists_) list->refresh();
    if (services_) services_->refresh();
}

void MainWindow::showServiceDetail(std::string_view displayName) { pagesScreen_.showServiceDetail(displayName); }

void MainWindow::command(int id, int code) {
    const ui::model::Control* row = rowOfId(id);
    if (row == nullptr || !screen_ || pagesCommand(*row, code)) return;
    if (row == &main::ImgAbout && code == STN_CLICKED) {
        screen_->clicked(*row);
    } else if (row == &main::BtnTop && code == BN_CLICKED) {
        screen_->stayOnTop(Button(handle(*row)).checked());
    } else if (row->kind == ui::model::ControlKind::Button && code == BN_CLICKED) {
        screen_->clicked(*row);
    }
}

LRESULT MainWindow::notify(const NMHDR& header) {
    if (header.hwndFrom == tabs_.handle()) {
        if (header.code == TCN_SELCHANGE && screen_) {
            showPageWindow(tabs_.current());
            screen_->pageChosen(tabs_.current());
        }
        return 0;
    }
    if (const std::optional<LRESULT> result = servicesNotify(header)) return *result;
    const int index = static_cast<int>(header.idFrom) - kFirstListId;
    // A list tells of its first rows while it is being made.
    if (index < 0 || index >= static_cast<int>(lists_.size()) || !lists_[static_cast<std::size_t>(index)]) return 0;
    CheckListControl& list = *lists_[static_cast<std::size_t>(index)];
    const engine::Category& category = engine::tweakCategories()[static_cast<std::size_t>(index)];
    return list.notify(header, [&](int row) {
        const engine::Row& r = list.checkList().rows[static_cast<std::size_t>(row)];
        pagesScreen_.rowChosen(ui::model::PageList::Tweak, category.caption, row, r.label, r.ticked);
    });
}

HBRUSH MainWindow::colourStatic(HDC dc, HWND control) {
    const auto given = colours(control);
    if (!given) return nullptr;
    SetTextColor(dc, given->second);
    SetBkMode(dc, TRANSPARENT);
    if (given->first == colours::kCream) {
        SetBkColor(dc, colours::kCream);
        return cream_;
    }
    return given->first == targetColour(ui::model::ColourTarget::Title) ? titleStrip_ : workArea_;
}

void MainWindow::paintBackground(HDC dc) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const ui::model::Rect& m = main::ShpMenu.rect;
    const POINT scrolled = scroller_.offset();
    const RECT shape{m.left - scrolled.x, m.top - scrolled.y, m.right() - scrolled.x, m.bottom() - scrolled.y};
    FillRect(dc, &shape, menu_);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (tray_.handle(message, wParam, lParam) || scroller_.handle(message, wParam)) return 0;
    switch (message) {
        case WM_COMMAND: command(LOWORD(wParam), HIWORD(wParam)); return 0;
        case WM_NOTIFY: return notify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_DRAWITEM: return drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX:
            if (const HBRUSH brush = colourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
                return reinterpret_cast<LRESULT>(brush);
            break;
        case WM_ERASEBKGND: paintBackground(reinterpret_cast<HDC>(wParam)); return 1;
        case WM_NCHITTEST: {
            // The title strip moves the window as a title bar would.
            const LRESULT hit = DefWindowProcW(hwnd_, message, wParam, lParam);
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(hwnd_, &p);
            const POINT scrolled = scroller_.offset();
            return hit == HTCLIENT && main::PnlTitle.rect.contains(p.x + scrolled.x, p.y + scrolled.y) ? HTCAPTION : hit;
        }
        case WM_NCLBUTTONDBLCLK:
            if (wParam == HTCAPTION) {
                screen_->clicked(main::BtnCompact);
                return 0;
            }
            break;
        case WM_MOUSEWHEEL: screen_->wheel(GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE || !screen_) break;
            // Brought forward while minimised (a second start asks this): shown again, as the
            // taskbar's button would.
            if (HIWORD(wParam) != 0) ShowWindow(hwnd_, SW_RESTORE);
            // Back from another program, which may have changed the machine.
            screen_->activated();
            // Without this the window itself would take the focus, and the keys would reach no
            // control until a Tab.
            if (IsWindow(focusLeft_) && IsChild(hwnd_, focusLeft_) && IsWindowVisible(focusLeft_)) {
                SetFocus(focusLeft_);
                return 0;
            }
            break;
        case WM_TIMER:
            if (wParam == kSpeechTimer) {
                KillTimer(hwnd_, kSpeechTimer);
                screen_->startupTimer();
                return 0;
            }
            break;
        case WM_CLOSE:
            if (screen_) screen_->closeProgram();
            return 0;
        case WM_DESTROY:
            tray_.remove();
            hwnd_ = nullptr;
            closed();
            return 0;
        default: break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->hwnd_ == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return self->handleMessage(message, wParam, lParam);
}

}  // namespace hastelyn::winui
