#include "ui/win32/OptionsWindow.h"

#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>
#include <span>

#include "platform/win32/WideText.h"
#include "ui/model/Colours.h"
#include "ui/model/CommandErrors.h"
#include "ui/model/OptionsControls.h"
#include "ui/win32/CompactWindow.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/Panel.h"
#include "ui/win32/RestoreWindow.h"
#include "ui/win32/controls/Button.h"
#include "ui/win32/controls/Child.h"

namespace hastelyn::winui {
namespace {

namespace ctl = ui::model::options::controls;
namespace colours = ui::model::colours;
using ui::model::Control;

constexpr int kTransparencyEnd = 255;
constexpr int kLargeStep = 5;
constexpr COLORREF kLinkColour = 0xFF0000;  // blue

template <typename Rows>
std::optional<std::size_t> indexIn(const Rows& rows, const Control& row) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (&rows[i] == &row) return i;
    return std::nullopt;
}

// The radio groups, each the only one on its group box.
const std::span<const Control> kRadioGroups[] = {ctl::kFontButtons, ctl::kStyleButtons, ctl::kTabStyleButtons};

std::optional<std::uint32_t> chooseWithSystemDialog(HWND owner, std::uint32_t initial) {
    static COLORREF custom[16] = {};  // the dialog's own colours, kept for the run
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.rgbResult = initial;
    dialog.lpCustColors = custom;
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!ChooseColorW(&dialog)) return std::nullopt;
    return static_cast<std::uint32_t>(dialog.rgbResult);
}

// A push button, drawn by the system or by the window: Enter presses it.
}  // namespace

OptionsWindow::OptionsWindow(engine::Session& session, MainWindow& main, CompactWindow& compact, RestoreWindow& restore)
    : session_(session), main_(main), targets_(main, compact, restore, *this) {
    create(kClassName, L"Hastelyn のオプション", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
           WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME, {449, 410}, &procedureOf<OptionsWindow>);
    setColour(colours::kSubColor);
    fileDialog_.setOwner(hwnd_);
    chooseColour_ = [this](std::uint32_t initial) { return chooseWithSystemDialog(hwnd_, initial); };
    LOGFONTW link{};
    GetObjectW(font_.handle(), sizeof link, &link);
    link.lfUnderline = TRUE;
    linkFont_ = CreateFontIndirectW(&link);
    ui::model::applyDisplaySettings(session_.settings, session_.codes, targets_);
}

void OptionsWindow::made() {
    if (screen_) return;
    registerPanelClass();
    setFont(make(hwnd_, ctl::LblSite, WC_STATICW, WS_VISIBLE | SS_LEFT | SS_NOPREFIX), font_.handle());
    tabs_ = TabControl(make(hwnd_, ctl::PgOption, WC_TABCONTROLW, WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_CLIPSIBLINGS));
    setFont(tabs_.handle(), font_.handle());
    // Any window takes the focus when asked; this one is drawn in the window's colour.
    make(hwnd_, ctl::PnlFocus, WC_STATICW, WS_VISIBLE);
    for (std::size_t i = 0; i < ctl::kHiddenPage; ++i) tabs_.insert(static_cast<int>(i), ctl::kPages[i].caption);
    const RECT area = tabs_.pageArea();
    for (std::size_t i = 0; i < ctl::kPages.size(); ++i) {
        // Not clipping its controls: a group box draws only its frame, over the page's face.
        pageWindows_[i] = make(hwnd_, ctl::kPages[i], kPanelClass, 0, WS_EX_CONTROLPARENT);
        MoveWindow(pageWindows_[i], area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
    }
    buildGeneralPage(pageWindows_[ctl::kGeneralPage]);
    buildLockPage(pageWindows_[ctl::kLockPage]);
    buildVersionPage(pageWindows_[ctl::kVersionPage]);
    buildHiddenPage(pageWindows_[ctl::kHiddenPage]);
    // The pages stand over the page control, which Tab reaches before them.
    SetWindowPos(tabs_.handle(), pageWindows_.back(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    screen_ = std::make_unique<ui::model::OptionsScreen>(session_, *this, targets_);
    screen_->setFileOpenDialog(&fileDialog_);
}

OptionsWindow::~OptionsWindow() {
    destroyWindow();
    for (const auto& [colour, made] : brushes_) DeleteObject(made);
    DeleteObject(linkFont_);
}

POINT OptionsWindow::group(HWND page, const Control& row) {
    place(page, row, WC_BUTTONW, BS_GROUPBOX);
    return {row.rect.left, row.rect.top};
}

HWND OptionsWindow::place(HWND page, const Control& row, const wchar_t* className, DWORD style, POINT origin) {
    // Every control but a group's further radio buttons starts a group: the arrow keys stay in it.
    const bool groupStart = row.kind != ui::model::ControlKind::Radio || (style & WS_GROUP) != 0;
    const HWND made = make(page, row, className, WS_VISIBLE | style | (groupStart ? WS_GROUP : 0));
    MoveWindow(made, origin.x + row.rect.left, origin.y + row.rect.top, row.rect.width, row.rect.height, FALSE);
    setFont(made, font_.handle());
    return made;
}

HWND OptionsWindow::labelButton(HWND page, const Control& row, POINT origin) {
    return place(page, row, WC_BUTTONW, BS_OWNERDRAW | WS_TABSTOP, origin);
}

void OptionsWindow::show(std::size_t page) {
    made();
    screen_->shown(page);
    if (!IsWindowVisible(hwnd_)) {
        RECT owner{};
        RECT own{};
        GetWindowRect(main_.hwnd(), &owner);
        GetWindowRect(hwnd_, &own);
        const int width = own.right - own.left;
        const int height = own.bottom - own.top;
        SetWindowPos(hwnd_, nullptr, (owner.left + owner.right - width) / 2, (owner.top + owner.bottom - height) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
}

void OptionsWindow::close() {
    if (!IsWindowVisible(hwnd_)) return;
    screen_->closed();
    ShowWindow(hwnd_, SW_HIDE);
}

void OptionsWindow::showPageWindow(int index) {
    for (std::size_t i = 0; i < pageWindows_.size(); ++i)
        ShowWindow(pageWindows_[i], static_cast<int>(i) == index ? SW_SHOWNA : SW_HIDE);
}

void OptionsWindow::setCaption(const Control& control, std::string_view text) {
    settingCaption_ = true;
    Win32WindowView::setCaption(control, text);
    settingCaption_ = false;
}

void OptionsWindow::setChecked(const Control& control, bool checked) {
    if (control.kind == ui::model::ControlKind::Radio) checkRadio(control, checked);
    else Win32WindowView::setChecked(control, checked);
}

void OptionsWindow::checkRadio(const Control& radio, bool checked) {
    for (const std::span<const Control> rows : kRadioGroups) {
        if (!indexIn(rows, radio)) continue;
        for (const Control& row : rows) {
            const HWND button = handle(row);
            const bool on = &row == &radio ? checked : checked ? false : Button(button).checked();
            Button(button).setChecked(on);
            const LONG style = GetWindowLongW(button, GWL_STYLE);
            SetWindowLongW(button, GWL_STYLE, on ? style | WS_TABSTOP : style & ~WS_TABSTOP);
        }
    }
}

void OptionsWindow::focus(const Control& control) {
    Win32WindowView::focus(control);
    // The screen moves the focus out and back to speak a page: each move is heard at once.
    noticeFocus();
}

void OptionsWindow::showPage(const Control& pages, int index) {
    if (&pages != &ctl::PgOption) return;
    tabs_.setCurrent(index);
    showPageWindow(index);
}

void OptionsWindow::setPosition(const Control& track, int position) {
    if (const HWND bar = handle(track)) SetScrollPos(bar, SB_CTL, position, TRUE);
}

void OptionsWindow::addPage(const Control& pages, const Control& page) {
    if (&pages == &ctl::PgOption) tabs_.insert(tabs_.count(), page.caption);
}

void OptionsWindow::noticeFocus() {
    const HWND now = GetFocus();
    if (now == lastFocus_) return;
    const HWND old = lastFocus_;
    lastFocus_ = now;
    // The focus coming back with the window is no move between its controls.
    if (!owns(old) || !IsWindowVisible(hwnd_) || !screen_) return;
    screen_->focusMoved(rowOf(old), owns(now) ? rowOf(now) : nullptr);
}

bool OptionsWindow::process(MSG& message) {
    if (!owns(message.hwnd)) return false;
    if (message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST && !IsWindowVisible(message.hwnd)) {
        // The rest of a key (its character) for a control the key itself hid with its page:
        // dropped. Under Wine the dialog manager's search for a mnemonic from a hidden control
        // never ends.
        return true;
    }
    if (message.message == WM_MOUSEWHEEL) {
        // Anywhere on the window, whatever control is under the mouse.
        screen_->wheel(GET_WHEEL_DELTA_WPARAM(message.wParam));
        return true;
    }
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
        close();
        return true;
    }
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && isPushButton(message.hwnd)) {
        // Enter presses the button that has the focus, a link and a colour label too.
        Button(message.hwnd).click();
    } else {
        SideWindow::process(message);
    }
    noticeFocus();
    return true;
}

HBRUSH OptionsWindow::brush(std::uint32_t colour) {
    for (const auto& [made, b] : brushes_)
        if (made == colour) return b;
    return brushes_.emplace_back(colour, CreateSolidBrush(colour)).second;
}

HBRUSH OptionsWindow::colourStatic(HDC dc, HWND control) {
    if (GetParent(control) == hwnd_) {
        // The header and the focus panel stand on the window's colour.
        const Control* row = rowOf(control);
        SetTextColor(dc, ui::model::textColourOn(ui::model::ColourTarget::Sub, row != nullptr ? row->name : "", colour()));
        SetBkColor(dc, colour());
        return background();
    }
    // A colour swatch shows its colour.
    const auto given = colours(control);
    if (!given) return nullptr;
    SetBkColor(dc, given->first);
    SetTextColor(dc, given->second);
    return brush(given->first);
}

void OptionsWindow::drawLabelButton(const DRAWITEMSTRUCT& item) const {
    const Control* row = rowOf(item.hwndItem);
    const bool link = row == &ctl::LblUrl || row == &ctl::LblSupport;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, link ? kLinkColour : GetSysColor(COLOR_BTNTEXT));
    const HGDIOBJ old = SelectObject(item.hDC, link ? linkFont_ : font_.handle());
    const std::wstring text = win32::widen(windowText(item.hwndItem));
    RECT bounds = item.rcItem;
    DrawTextW(item.hDC, text.c_str(), -1, &bounds, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_CALCRECT);
    RECT place = item.rcItem;
    DrawTextW(item.hDC, text.c_str(), -1, &place, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) {
        const int top = (item.rcItem.top + item.rcItem.bottom - (bounds.bottom - bounds.top)) / 2;
        const RECT frame{bounds.left, top, std::min(bounds.right + 1, item.rcItem.right), top + bounds.bottom - bounds.top};
        DrawFocusRect(item.hDC, &frame);
    }
    SelectObject(item.hDC, old);
}

void OptionsWindow::scrolled(int code, int thumb) {
    const HWND bar = handle(ctl::ScrTrans);
    int position = GetScrollPos(bar, SB_CTL);
    switch (code) {
        case SB_LINELEFT: --position; break;
        case SB_LINERIGHT: ++position; break;
        case SB_PAGELEFT: position -= kLargeStep; break;
        case SB_PAGERIGHT: position += kLargeStep; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: position = thumb; break;
        case SB_LEFT: position = 0; break;
        case SB_RIGHT: position = kTransparencyEnd; break;
        default: return;
    }
    position = std::clamp(position, 0, kTransparencyEnd);
    SetScrollPos(bar, SB_CTL, position, TRUE);
    screen_->transparencyMoved(position);
}

void OptionsWindow::command(int id, int code) {
    const Control* row = rowOfId(id);
    if (row == nullptr || !screen_) return;
    if (code == EN_CHANGE && !settingCaption_) {
        const std::string text = windowText(handle(*row));
        if (row == &ctl::EdtTrans) screen_->transparencyTyped(text);
        else if (row == &ctl::EdtBootPath || row == &ctl::EdtSysocPath) screen_->pathEdited(*row, text);
    } else if (code == BN_CLICKED && buttonClicked(*row, handle(*row))) {
        noticeFocus();
    }
}

bool OptionsWindow::buttonClicked(const Control& row, HWND button) {
    const bool ticked = Button(button).checked();
    const auto apply = [this](void (ui::model::OptionsScreen::*pass)()) {
        ui::model::runCommand(session_.dialogs, [&] { ((*screen_).*pass)(); });
    };
    if (const auto i = indexIn(ctl::kSwitches, row)) screen_->switchTicked(*i, ticked);
    else if (const auto i = indexIn(ctl::lockBoxes(), row)) screen_->lockTicked(*i, ticked);
    else if (const auto i = indexIn(ctl::kFontButtons, row)) { checkRadio(row, ticked); if (ticked) screen_->fontChosen(*i); }
    else if (const auto i = indexIn(ctl::kStyleButtons, row)) { checkRadio(row, ticked); if (ticked) screen_->styleChosen(*i); }
    else if (const auto i = indexIn(ctl::kTabStyleButtons, row)) { checkRadio(row, ticked); if (ticked) screen_->tabStyleChosen(*i); }
    else if (const auto i = indexIn(ctl::kColourLabels, row)) {
        const std::optional<std::uint32_t> chosen = chooseColour_ ? chooseColour_(screen_->swatch(*i)) : std::nullopt;
        if (chosen) screen_->colourPicked(*i, *chosen);
    }
    else if (&row == &ctl::BtnBootPath || &row == &ctl::BtnSysocPath) screen_->browse(row);
    else if (&row == &ctl::BtnOKO) apply(&ui::model::OptionsScreen::applyGeneral);
    else if (&row == &ctl::BtnOKD) apply(&ui::model::OptionsScreen::applyLocks);
    else if (&row == &ctl::BtnOKH) apply(&ui::model::OptionsScreen::applyHidden);
    else if (&row == &ctl::LblUrl || &row == &ctl::LblSupport) screen_->linkClicked(row);
    else if (&row == &ctl::BtnHidden) screen_->revealHidden();
    else if (&row == &ctl::BtnCloseO || &row == &ctl::BtnCloseOK || &row == &ctl::BtnOKV || &row == &ctl::BtnCloseH) close();
    else return false;
    return true;
}

LRESULT OptionsWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: command(LOWORD(wParam), HIWORD(wParam)); return 0;
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (header.hwndFrom == tabs_.handle() && header.code == TCN_SELCHANGE && screen_) {
                showPageWindow(tabs_.current());
                if (IsWindowVisible(hwnd_)) screen_->pageChosen(static_cast<std::size_t>(tabs_.current()));
            }
            return 0;
        }
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) == handle(ctl::ScrTrans) && screen_) scrolled(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
            if (const HBRUSH b = colourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
                return reinterpret_cast<LRESULT>(b);
            break;
        case WM_DRAWITEM: drawLabelButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
        case WM_ERASEBKGND:
            if (eraseBackground(reinterpret_cast<HDC>(wParam))) return 1;
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                if (owns(GetFocus())) focusBack_ = GetFocus();
                lastFocus_ = nullptr;
                break;
            }
            if (screen_) screen_->activated();
            // Back where the user left it, the page control the first time.
            SetFocus(IsWindow(focusBack_) && IsWindowVisible(focusBack_) ? focusBack_ : tabs_.handle());
            return 0;
        case WM_CLOSE: close(); return 0;
        default: break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace hastelyn::winui
