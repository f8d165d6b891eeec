#include "ui/win32/MainWindow.h"

#include <windowsx.h>

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "platform/win32/WideText.h"
#include "ui/model/Colours.h"
#include "ui/model/MainControls.h"
#include "ui/model/MainTexts.h"
#include "ui/win32/Panel.h"
#include "ui/win32/controls/Button.h"
#include "ui/win32/controls/Child.h"

namespace hastelyn::winui {
namespace {

namespace main = ui::model::main;
namespace colours = ui::model::colours;

constexpr UINT_PTR kSpeechTimer = 1;
constexpr UINT kSpeechDelay = 3000;
constexpr int kFirstListId = 3000;

foundation::MainKey mainKeyOf(WPARAM key) {
    switch (key) {
        case VK_MENU: return foundation::MainKey::Alt;
        case VK_ESCAPE: return foundation::MainKey::Escape;
        case VK_SPACE: return foundation::MainKey::Space;
        case VK_F1: return foundation::MainKey::F1;
        case VK_F2: return foundation::MainKey::F2;
        case VK_F3: return foundation::MainKey::F3;
        case VK_F4: return foundation::MainKey::F4;
        case VK_F5: return foundation::MainKey::F5;
        case VK_F6: return foundation::MainKey::F6;
        default: return foundation::MainKey::Other;
    }
}

// The window's face until the font choice lands: the Japanese UI font by name, 12 pixels, as
// the rows are laid out for it.
HFONT uiFont(bool bold) {
    return CreateFontW(-12, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       L"MS UI Gothic");
}

void setFont(HWND control, HFONT font) { SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE); }

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

bool within(HWND ancestor, HWND window) { return window != nullptr && (window == ancestor || IsChild(ancestor, window)); }

bool isPushButton(HWND control) {
    wchar_t name[16] = {};
    GetClassNameW(control, name, 16);
    const LONG kind = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiW(name, WC_BUTTONW) == 0 && (kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON || kind == BS_OWNERDRAW);
}

// The controls of a page that Tab stops at, in the order they stand.
std::vector<HWND> tabStops(HWND page) {
    std::vector<HWND> stops;
    for (HWND c = GetWindow(page, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
        if ((GetWindowLongW(c, GWL_STYLE) & WS_TABSTOP) && IsWindowVisible(c) && IsWindowEnabled(c)) stops.push_back(c);
    return stops;
}

}  // namespace

MainWindow::MainWindow(engine::Session& session) : session_(session), pagesScreen_(session, *this) {
    registerMainClass(&MainWindow::procedure);
    registerPanelClass();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    font_ = uiFont(false);
    boldFont_ = uiFont(true);
    workArea_ = CreateSolidBrush(colours::kWorkArea);
    titleStrip_ = CreateSolidBrush(colours::kTitleStrip);

    // No title bar of the desktop's: the window has its own title strip. The border stays.
    const DWORD style = WS_POPUP | WS_BORDER | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    RECT frame{0, 0, main::FrmMain.rect.width, main::FrmMain.rect.height};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_CONTROLPARENT);
    hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, win32::widen(main::FrmMain.caption).c_str(), style,
                            CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr,
                            nullptr, GetModuleHandleW(nullptr), this);
    if (hwnd_ == nullptr) throw std::runtime_error("メインウィンドウを作成できません。");
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
    DeleteObject(font_);
    DeleteObject(boldFont_);
    DeleteObject(workArea_);
    DeleteObject(titleStrip_);
}

void MainWindow::build() {
    // The window's controls in the screen's Tab walk, the work area where the page control
    // stands in it; the title strip, which Tab does not reach, last.
    for (const ui::model::Control* row : main::tabWalk()) {
        if (row == &main::PgAccel) buildWorkArea();
        if (!row->parent.empty()) continue;
        const HWND b = make(hwnd_, *row, WC_BUTTONW, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON);
        setFont(b, boldFont_);
    }
    buildTitleStrip();
    SetFocus(handle(main::BtnSystem));
}

void MainWindow::buildTitleStrip() {
    const HWND strip = make(hwnd_, main::PnlTitle, kPanelClass, WS_VISIBLE | WS_CLIPCHILDREN);
    setPanelBrush(strip, titleStrip_);
    // The title picture's stand-in: its text, white on the strip.
    const HWND title = make(strip, main::ImgTitle, WC_STATICW, WS_VISIBLE | SS_LEFT | SS_CENTERIMAGE);
    SetWindowTextW(title, win32::widen(main::ImgTitle.hint).c_str());
    setFont(title, boldFont_);
    setColours(main::ImgTitle, colours::kTitleStrip, colours::kWhite);
    // The picture buttons carry the names a screen reader reads.
    for (const ui::model::Control* row : main::kTitleButtons) {
        const DWORD kind = row->kind == ui::model::ControlKind::CheckBox ? BS_AUTOCHECKBOX | BS_PUSHLIKE : BS_PUSHBUTTON;
        const HWND b = make(strip, *row, WC_BUTTONW, WS_VISIBLE | kind);
        SetWindowTextW(b, win32::widen(main::accessibleName(*row)).c_str());
        setFont(b, font_);
    }
}

void MainWindow::buildWorkArea() {
    const HWND area = make(hwnd_, main::PnlAccel, kPanelClass, WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
    setPanelBrush(area, workArea_);
    tabs_ = TabControl(make(area, main::PgAccel, WC_TABCONTROLW, WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | TCS_MULTILINE));
    setFont(tabs_.handle(), font_);
    for (std::size_t i = 0; i < main::kPages.size(); ++i) tabs_.insert(static_cast<int>(i), main::kPages[i]->caption);
    buildPages(area);

    const HWND hint = make(area, main::Label2, WC_STATICW, WS_VISIBLE | SS_LEFT);
    setFont(hint, font_);
    setColours(main::Label2, colours::kWorkArea, colours::kBlue);
    // The counter line: one line of red text, each label as wide as its text.
    for (const ui::model::Control* row : main::kCounterLine) {
        setFont(make(area, *row, WC_STATICW, WS_VISIBLE | SS_LEFT | SS_NOPREFIX), font_);
        setColours(*row, colours::kWorkArea, colours::kRed);
    }
    layOutCounterLine();
    setFont(make(area, main::BtnAccelerate, WC_BUTTONW, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON), boldFont_);
    const HWND about = make(area, main::ImgAbout, WC_STATICW, WS_VISIBLE | SS_NOTIFY | SS_CENTER | SS_CENTERIMAGE);
    SetWindowTextW(about, L"Hastelyn");
    setFont(about, boldFont_);
}

void MainWindow::buildPages(HWND area) {
    const RECT r = tabs_.pageArea();
    for (std::size_t i = 0; i < main::kPages.size(); ++i) {
        const ui::model::Rect place{r.left, r.top, r.right - r.left, r.bottom - r.top};
        const HWND page = make(area, *main::kPages[i], kPanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
        MoveWindow(page, place.left, place.top, place.width, place.height, FALSE);
        pageWindows_[i] = page;
        if (i >= lists_.size()) continue;
        const HWND list = makeChild(page, WC_LISTVIEWW, "",
                                    WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                                        LVS_SHOWSELALWAYS,
                                    {0, 0, place.width, place.height}, kFirstListId + static_cast<int>(i));
        setFont(list, font_);
        lists_[i] = std::make_unique<CheckListControl>(session_.model.tweakList(i), list);
    }
    // The pages stand over the page control, so that it does not draw over them; the Tab walk
    // is the screen's (previewKey), not this order.
    SetWindowPos(tabs_.handle(), pageWindows_.back(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    showPageWindow(0);
}

void MainWindow::layOutCounterLine() {
    const HWND first = handle(main::Label4);
    const HDC dc = GetDC(first);
    const HGDIOBJ old = SelectObject(dc, font_);
    int left = main::Label4.rect.left;
    for (const ui::model::Control* row : main::kCounterLine) {
        const HWND label = handle(*row);
        const std::wstring text = win32::widen(windowText(label));
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        int width = static_cast<int>(size.cx) + 1;
        if (row == &main::LblRest || row == &main::LblAll) width = std::max(width, 16);
        MoveWindow(label, left, row->rect.top, width, row->rect.height, TRUE);
        left += width;
    }
    SelectObject(dc, old);
    ReleaseDC(first, dc);
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
        // The tray icon and the side windows come with their own windows; until then the main
        // window stays as it is.
        default: break;
    }
}

void MainWindow::useSmallScreen() {
    // Smaller, with a sizeable border, in the middle of the screen again.
    SetWindowLongW(hwnd_, GWL_STYLE, GetWindowLongW(hwnd_, GWL_STYLE) | WS_THICKFRAME);
    SetWindowPos(hwnd_, nullptr, 0, 0, 590, 430, SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
    centreOnWorkArea(hwnd_);
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
}

void MainWindow::showServiceDetail(std::string_view displayName) { pagesScreen_.showServiceDetail(displayName); }

std::optional<bool> MainWindow::focusedTweakRowTicked() const {
    const HWND focused = GetFocus();
    for (const auto& list : lists_)
        if (list->handle() == focused) return list->selectedRowTicked();
    return std::nullopt;
}

bool MainWindow::previewKey(const MSG& message) {
    if (hwnd_ == nullptr || !within(hwnd_, message.hwnd) || !IsWindowVisible(hwnd_)) return false;
    if (message.message == WM_SYSKEYUP && message.wParam == VK_MENU) return true;  // no menu mode
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    if (message.wParam == VK_TAB) return moveFocus(GetKeyState(VK_SHIFT) < 0);
    // Enter presses the focused button: the window is no dialog with a default button.
    if (message.wParam == VK_RETURN && message.message == WM_KEYDOWN && isPushButton(message.hwnd)) {
        Button(message.hwnd).click();
        return true;
    }
    const foundation::MainKey key = mainKeyOf(message.wParam);
    if (key == foundation::MainKey::Other) return false;
    // Auto-repeat of a held key says nothing again.
    if (message.message == WM_SYSKEYDOWN && (message.lParam & (1 << 30))) return key == foundation::MainKey::Alt;
    screen_->key(key, focusedTweakRowTicked(), {});
    return key == foundation::MainKey::Alt || key == foundation::MainKey::Escape || key == foundation::MainKey::F1;
}

void MainWindow::process(MSG& message) {
    if (!previewKey(message) && (hwnd_ == nullptr || !IsDialogMessageW(hwnd_, &message))) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (hwnd_ != nullptr) noticeFocus();
}

std::vector<HWND> MainWindow::tabWalk() const {
    // The screen's walk; the page control brings the current page's controls after its tabs.
    std::vector<HWND> walk;
    for (const ui::model::Control* row : main::tabWalk()) {
        const HWND control = handle(*row);
        if (IsWindowVisible(control) && IsWindowEnabled(control)) walk.push_back(control);
        if (row != &main::PgAccel) continue;
        const int page = tabs_.current();
        if (page < 0 || page >= static_cast<int>(pageWindows_.size())) continue;
        for (HWND stop : tabStops(pageWindows_[static_cast<std::size_t>(page)])) walk.push_back(stop);
    }
    return walk;
}

bool MainWindow::moveFocus(bool backwards) {
    const std::vector<HWND> walk = tabWalk();
    if (walk.empty()) return false;
    const HWND focused = GetFocus();
    auto at = std::find_if(walk.begin(), walk.end(), [&](HWND c) { return within(c, focused); });
    std::size_t index = at == walk.end() ? 0 : static_cast<std::size_t>(at - walk.begin());
    if (at != walk.end()) index = (index + (backwards ? walk.size() - 1 : 1)) % walk.size();
    SetFocus(walk[index]);
    return true;
}

void MainWindow::noticeFocus() {
    const HWND focused = GetFocus();
    if (focused == lastFocus_) return;
    lastFocus_ = focused;
    using ui::model::FocusPlace;
    FocusPlace place = FocusPlace::Elsewhere;
    if (within(hwnd_, focused))
        place = within(handle(main::PgAccel), focused) ||
                        std::any_of(pageWindows_.begin(), pageWindows_.end(), [&](HWND p) { return within(p, focused); })
                    ? FocusPlace::Pages
                    : FocusPlace::Window;
    screen_->focusMoved(place, rowOf(focused));
}

void MainWindow::command(int id, int code) {
    const ui::model::Control* row = rowOfId(id);
    if (row == nullptr || !screen_) return;
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
    return given->first == colours::kTitleStrip ? titleStrip_ : workArea_;
}

void MainWindow::paintBackground(HDC dc) const {
    RECT client{};
    GetClientRect(hwnd_, &client);
    FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const HBRUSH menu = CreateSolidBrush(colours::kMenu);
    const ui::model::Rect& m = main::ShpMenu.rect;
    const RECT shape{m.left, m.top, m.right(), m.bottom()};
    FillRect(dc, &shape, menu);
    DeleteObject(menu);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: command(LOWORD(wParam), HIWORD(wParam)); return 0;
        case WM_NOTIFY: return notify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_CTLCOLORSTATIC:
            if (const HBRUSH brush = colourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
                return reinterpret_cast<LRESULT>(brush);
            break;
        case WM_ERASEBKGND: paintBackground(reinterpret_cast<HDC>(wParam)); return 1;
        case WM_NCHITTEST: {
            // The title strip moves the window as a title bar would.
            const LRESULT hit = DefWindowProcW(hwnd_, message, wParam, lParam);
            POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ScreenToClient(hwnd_, &p);
            return hit == HTCLIENT && main::PnlTitle.rect.contains(p.x, p.y) ? HTCAPTION : hit;
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
