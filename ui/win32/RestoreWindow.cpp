#include "ui/win32/RestoreWindow.h"

#include <algorithm>
#include <iterator>
#include <vector>

#include "platform/win32/WideText.h"
#include "ui/model/Colours.h"
#include "ui/model/CommandErrors.h"
#include "ui/model/RestoreControls.h"
#include "ui/win32/CommentMemo.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/Panel.h"
#include "ui/win32/Resources.h"
#include "ui/win32/controls/Button.h"
#include "ui/win32/controls/Child.h"

namespace hastelyn::winui {
namespace {

namespace controls = ui::model::restore::controls;
namespace colours = ui::model::colours;

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

// The icon of each picture row of the window.
int iconOf(const ui::model::Control& row) {
    if (&row == &controls::BtnBackup) return IDI_RESTORE_BACKUP;
    if (&row == &controls::BtnRecovery) return IDI_RESTORE_RECOVERY;
    if (&row == &controls::BtnBackupOE) return IDI_RESTORE_BACKUP_OE;
    if (&row == &controls::BtnRecoveryOE) return IDI_RESTORE_RECOVERY_OE;
    return &row == &controls::ImgKelvarix ? IDI_RESTORE_PC : IDI_RESTORE_MAIL;
}

HANDLE loadIcon(const ui::model::Control& row) {
    return LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconOf(row)), IMAGE_ICON, 32, 32, LR_SHARED);
}


}  // namespace

RestoreWindow::RestoreWindow(engine::Session& session, MainWindow& main)
    : session_(session), main_(main), white_(CreateSolidBrush(colours::kWhite)), cream_(CreateSolidBrush(colours::kCream)),
      screen_(*this, session) {
    registerPanelClass();
    setColour(colours::kRestoreColor);
    create(kClassName, win32::widen(controls::FrmRestore.caption).c_str(), kStyle, WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME,
           {controls::FrmRestore.rect.width, controls::FrmRestore.rect.height}, &procedureOf<RestoreWindow>);
    fileDialog_.setOwner(hwnd_);
    build();
    screen_.setFileOpenDialog(&fileDialog_);
    engine::AfterRestore after;
    after.showPcInformation = [&main] { main.readPcInformation(); };
    after.showCounts = [&main] {
        main.showRowsAgain();
        main.screen().countItems();
    };
    screen_.setAfterRestore(std::move(after));
    screen_.created();
}

RestoreWindow::~RestoreWindow() {
    if (hwnd_ != nullptr && IsWindowVisible(hwnd_)) EnableWindow(main_.hwnd(), TRUE);
    destroyWindow();
    DeleteObject(white_);
    DeleteObject(cream_);
}

void RestoreWindow::build() {
    const HWND panel = make(hwnd_, controls::Panel1, kPanelClass, WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
    setPanelBrush(panel, white_);
    setFont(make(panel, controls::BtnCancel, WC_BUTTONW, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON), font_.handle());
    // The pages stand over the page control (it is put under the last of them below), so that
    // it does not draw over them; the Tab walk is the window's own (previewKey), not this order.
    const HWND tabs = make(panel, controls::PgRestore, WC_TABCONTROLW, WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS);
    tabs_ = TabControl(tabs);
    setFont(tabs, font_.handle());
    for (std::size_t i = 0; i < std::size(controls::kPages); ++i) tabs_.insert(static_cast<int>(i), controls::kPages[i]->caption);
    const RECT area = tabs_.pageArea();
    for (std::size_t i = 0; i < std::size(controls::kPages); ++i) {
        const HWND page = make(panel, *controls::kPages[i], kPanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
        MoveWindow(page, area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
        setPanelBrush(page, white_);
        pageWindows_[i] = page;
        buildPage(page, controls::kPageContents[i]);
    }
    SetWindowPos(tabs, pageWindows_[std::size(pageWindows_) - 1], 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    memoDefault_ = makeCommentMemo(*this, panel, controls::Comment, font_.handle(), this, &RestoreWindow::memoProcedure)
                       .editProcedure;
}

void RestoreWindow::buildPage(HWND page, const controls::PageContents& contents) {
    const auto label = [&](const ui::model::Control& row) {
        setFont(make(page, row, WC_STATICW, WS_VISIBLE | SS_LEFT | SS_NOPREFIX), font_.handle());
        setColours(row, colours::kWhite, colours::kBlack);
    };
    label(*contents.heading);
    for (int i = 0; i < 2; ++i) {
        // A glyph button: its text, which it does not draw, is the label's, what a screen
        // reader reads for it.
        const ui::model::Control& row = *contents.buttons[i];
        const HWND button = make(page, row, WC_BUTTONW, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | BS_ICON);
        SetWindowTextW(button, win32::widen(controls::accessibleName(row)).c_str());
        SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(loadIcon(row)));
        label(*contents.labels[i]);
    }
    const HWND picture = make(page, *contents.picture, WC_STATICW, WS_VISIBLE | SS_ICON);
    SendMessageW(picture, STM_SETICON, reinterpret_cast<WPARAM>(loadIcon(*contents.picture)), 0);
}

void RestoreWindow::show() {
    centreOver(hwnd_, main_.hwnd());
    // Modal: the main window waits until this one is closed.
    EnableWindow(main_.hwnd(), FALSE);
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    screen_.shown();
    lastFocus_ = nullptr;
    SetFocus(handle(controls::BtnCancel));
    noticeFocus();
}

void RestoreWindow::hide() {
    if (!IsWindowVisible(hwnd_)) return;
    // The main window is enabled first, so that it, not another program, comes forward.
    EnableWindow(main_.hwnd(), TRUE);
    ShowWindow(hwnd_, SW_HIDE);
    screen_.hidden();
    SetForegroundWindow(main_.hwnd());
}

void RestoreWindow::showPage(const ui::model::Control& pages, int index) {
    if (&pages != &controls::PgRestore) return;
    tabs_.setCurrent(index);
    for (std::size_t i = 0; i < std::size(pageWindows_); ++i)
        ShowWindow(pageWindows_[i], static_cast<int>(i) == index ? SW_SHOWNA : SW_HIDE);
    // The panel drawn again whole: under Wine a page change by the mouse left a stray piece of
    // the close button's drawing in the gap between the page control and the memo.
    RedrawWindow(handle(controls::Panel1), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

bool RestoreWindow::previewKey(const MSG& message) {
    // The wheel turns the pages, except in the memo (where a click put the focus): it scrolls
    // that, as the edit control does with a wheel it is given.
    if (message.message == WM_MOUSEWHEEL && message.hwnd != handle(controls::Comment)) {
        screen_.wheel(GET_WHEEL_DELTA_WPARAM(message.wParam));
        return true;
    }
    if (message.message != WM_KEYDOWN) return false;
    switch (message.wParam) {
        case VK_TAB: {
            std::vector<HWND> walk{handle(controls::BtnCancel), tabs_.handle()};
            for (const ui::model::Control* button : controls::kPageContents[std::max(0, screen_.page())].buttons)
                walk.push_back(handle(*button));
            const auto at = std::find(walk.begin(), walk.end(), GetFocus());
            std::size_t next = 0;
            if (at != walk.end())
                next = (static_cast<std::size_t>(at - walk.begin()) + (GetKeyState(VK_SHIFT) < 0 ? walk.size() - 1 : 1)) %
                       walk.size();
            SetFocus(walk[next]);
            return true;
        }
        case VK_ESCAPE: Button(handle(controls::BtnCancel)).click(); return true;
        case VK_F4: screen_.commentaryKey(); return true;
        case VK_RETURN: {
            const ui::model::Control* row = rowOf(message.hwnd);
            if (row == nullptr || row->kind != ui::model::ControlKind::Button) return false;
            Button(message.hwnd).click();
            return true;
        }
        default: return false;
    }
}

bool RestoreWindow::process(MSG& message) {
    if (!owns(message.hwnd)) return false;
    if (!previewKey(message) && !IsDialogMessageW(hwnd_, &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (hwnd_ != nullptr && IsWindowVisible(hwnd_)) noticeFocus();
    return true;
}

void RestoreWindow::noticeFocus() {
    const HWND focused = GetFocus();
    if (focused == lastFocus_ || !within(hwnd_, focused)) return;
    const ui::model::Control* from = within(hwnd_, lastFocus_) ? rowOf(lastFocus_) : nullptr;
    lastFocus_ = focused;
    // Within a control made of parts (the page control's up-down arrows), the row holding it.
    HWND row = focused;
    while (row != nullptr && row != hwnd_ && rowOf(row) == nullptr) row = GetParent(row);
    screen_.focusMoved(from, row != nullptr ? rowOf(row) : nullptr);
}

void RestoreWindow::command(int id, int code) {
    const ui::model::Control* row = rowOfId(id);
    if (row == nullptr || code != BN_CLICKED) return;
    using Screen = ui::model::RestoreScreen;
    void (Screen::*clicked)() = nullptr;
    if (row == &controls::BtnCancel) clicked = &Screen::closeClicked;
    if (row == &controls::BtnBackup) clicked = &Screen::backupClicked;
    if (row == &controls::BtnRecovery) clicked = &Screen::recoveryClicked;
    if (row == &controls::BtnBackupOE) clicked = &Screen::backupMailClicked;
    if (row == &controls::BtnRecoveryOE) clicked = &Screen::recoveryMailClicked;
    if (clicked != nullptr) ui::model::runCommand(session_.dialogs, [&] { (screen_.*clicked)(); });
}

HBRUSH RestoreWindow::colourStatic(HDC dc, HWND control) {
    const auto given = colours(control);
    if (!given) return white_;
    SetTextColor(dc, given->second);
    SetBkColor(dc, given->first);
    return given->first == colours::kCream ? cream_ : white_;
}

LRESULT CALLBACK RestoreWindow::memoProcedure(HWND memo, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<RestoreWindow*>(GetWindowLongPtrW(memo, GWLP_USERDATA));
    // The main window's search menu takes the place of the edit control's own.
    if (message == WM_CONTEXTMENU) {
        self->main_.searchMenu(memo, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    }
    return CallWindowProcW(self->memoDefault_, memo, message, wParam, lParam);
}

LRESULT RestoreWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE: hide(); return 0;
        case WM_COMMAND: command(LOWORD(wParam), HIWORD(wParam)); return 0;
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (header.hwndFrom == tabs_.handle() && header.code == TCN_SELCHANGE) {
                showPage(controls::PgRestore, tabs_.current());
                screen_.pageChosen(tabs_.current());
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return reinterpret_cast<LRESULT>(colourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
        case WM_ERASEBKGND:
            if (eraseBackground(reinterpret_cast<HDC>(wParam))) return 1;
            break;
        case WM_ACTIVATE:
            // A message box over the window takes the focus; it comes back where it was, and
            // the screen hears it as the focus coming back with the window.
            if (LOWORD(wParam) == WA_INACTIVE) {
                if (within(hwnd_, GetFocus())) focusBeforeLeaving_ = GetFocus();
                lastFocus_ = nullptr;
            } else if (IsWindowVisible(hwnd_)) {
                SetFocus(IsWindow(focusBeforeLeaving_) ? focusBeforeLeaving_ : handle(controls::BtnCancel));
                return 0;
            }
            break;
        default: break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace hastelyn::winui
