// The compact window's controls made from their rows, and the screen's calls carried out on
// them. Every control is a child of the window itself at its place there (a group's controls
// offset by the group's place): the groups are frames drawn over the window, so the window
// answers every control's notifications and colours in one place.
#include <algorithm>
#include <commctrl.h>

#include "platform/win32/WideText.h"
#include "ui/model/CompactControls.h"
#include "ui/model/CompactTexts.h"
#include "ui/model/OptionsDisplay.h"
#include "ui/win32/CompactWindow.h"
#include "ui/win32/Panel.h"
#include "ui/win32/Resources.h"
#include "ui/win32/controls/Button.h"
#include "ui/win32/controls/Child.h"
#include "ui/win32/controls/ComboBox.h"

namespace hastelyn::winui {
namespace {

namespace c = ui::model::compact;
using ui::model::Control;
using ui::model::ControlKind;

// The drop-down part of a list: the field's height and as many rows again as this.
constexpr int kDropHeight = 160;

int glyphOf(std::string_view glyph) {
    if (glyph == "menu-help") return IDI_MENU_HELP;
    if (glyph == "menu-info") return IDI_MENU_INFO;
    if (glyph == "title-compact") return IDI_TITLE_COMPACT;
    if (glyph == "title-tray") return IDI_TITLE_TRAY;
    if (glyph == "title-minimise") return IDI_TITLE_MINIMISE;
    if (glyph == "title-close") return IDI_TITLE_CLOSE;
    return IDI_TITLE_PERFORMANCE;
}

const Control* rowNamed(std::string_view name) {
    for (const Control* row : c::kAll)
        if (row->name == name) return row;
    return nullptr;
}

// The row's place on the window: its own place on its group, moved by the groups it sits in.
ui::model::Rect placeOnWindow(const Control& row) {
    ui::model::Rect place = row.rect;
    for (const Control* group = rowNamed(row.parent); group != nullptr; group = rowNamed(group->parent)) {
        place.left += group->rect.left;
        place.top += group->rect.top;
    }
    return place;
}

// The panel's rows: the performance group and everything after it.
bool onPanel(const Control& row) {
    const auto* panel = std::find(std::begin(c::kAll), std::end(c::kAll), &c::GrpPerformance);
    return std::find(panel, std::end(c::kAll), &row) != std::end(c::kAll);
}

// A drop-down list's place with its drop-down part.
ui::model::Rect listPlace(const Control& row) {
    ui::model::Rect place = placeOnWindow(row);
    place.height += kDropHeight;
    return place;
}

DWORD listStyle(bool editable) {
    return WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | (editable ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST);
}

}  // namespace

void CompactWindow::build() {
    for (const Control* row : c::kAll) {
        const HWND made = makeControl(*row);
        SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font_.handle()), FALSE);
        // Where the control shows no text of its own, its window text is what a screen reader
        // reads (a list is read by the caption before it).
        const std::string_view read = c::readName(*row);
        if (row->kind != ControlKind::DropDown && row->caption.empty() && !read.empty())
            SetWindowTextW(made, win32::widen(read).c_str());
        if (!row->hint.empty() || row == &c::CmbNICList) {
            auto tip = std::make_unique<ToolTip>(made);
            tip->setText(row->hint);
            hints_[row] = std::move(tip);
        }
    }
}

HWND CompactWindow::makeControl(const Control& row) {
    const ui::model::Rect place = placeOnWindow(row);
    switch (row.kind) {
        case ControlKind::Button: {
            // Picture buttons reached with Tab, as the strip has no keys of its own; the
            // performance button stays down while the panel is open.
            const DWORD kind = &row == &c::BtnPerformance ? BS_AUTOCHECKBOX | BS_PUSHLIKE : BS_PUSHBUTTON;
            const HWND b = makeAt(hwnd_, row, place, WC_BUTTONW, WS_VISIBLE | WS_TABSTOP | BS_ICON | BS_FLAT | kind);
            const HANDLE glyph =
                LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(glyphOf(row.glyph)), IMAGE_ICON, 16, 16, LR_SHARED);
            SendMessageW(b, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(glyph));
            return b;
        }
        case ControlKind::Group: return makeAt(hwnd_, row, place, WC_BUTTONW, WS_VISIBLE | BS_GROUPBOX);
        case ControlKind::DropDown: return makeAt(hwnd_, row, listPlace(row), WC_COMBOBOXW, listStyle(false));
        // The picture and the bars are drawn by the window (WM_DRAWITEM). The mouse passes
        // through the bars to the window, which it drags; the picture takes it, to show its
        // hint, and drags the window itself.
        case ControlKind::Picture: return makeAt(hwnd_, row, place, WC_STATICW, WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY);
        case ControlKind::Progress: return makeAt(hwnd_, row, place, WC_STATICW, WS_VISIBLE | SS_OWNERDRAW);
        default:
            // The figures stand right-aligned beside their captions.
            return makeAt(hwnd_, row, place, WC_STATICW,
                          WS_VISIBLE | SS_NOPREFIX | (row.caption.empty() ? SS_RIGHT : SS_LEFT));
    }
}

void CompactWindow::drawItem(const DRAWITEMSTRUCT& item) const {
    RECT r = item.rcItem;
    const HDC dc = item.hDC;
    if (rowOf(item.hwndItem) == &c::Image1) {
        FillRect(dc, &r, background());
        const auto icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_HASTELYN),
                                                        IMAGE_ICON, 16, 16, LR_SHARED));
        if (icon != nullptr)
            DrawIconEx(dc, r.left + (r.right - r.left - 16) / 2, r.top + (r.bottom - r.top - 16) / 2, icon, 16, 16, 0,
                       nullptr, DI_NORMAL);
        return;
    }
    // A sunken well, filled from the left as far as the share.
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
    r.right = r.left + (r.right - r.left) * bar(*rowOf(item.hwndItem)) / 100;
    FillRect(dc, &r, GetSysColorBrush(COLOR_HIGHLIGHT));
}

int CompactWindow::bar(const Control& row) const {
    const auto found = bars_.find(&row);
    return found != bars_.end() ? found->second : 0;
}

std::string CompactWindow::hint(const Control& row) const {
    const auto found = hints_.find(&row);
    return found != hints_.end() ? found->second->text() : std::string();
}

HBRUSH CompactWindow::colourText(HDC dc) const {
    SetTextColor(dc, ui::model::textColourOn(ui::model::ColourTarget::Compact, {}, colour()));
    SetBkColor(dc, colour());
    return background();
}

ui::model::WindowPlace CompactWindow::place() const {
    return {frameOf(hwnd_), workArea()};
}

SIZE CompactWindow::frameSize(int width, int height) const {
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(hwnd_, GWL_EXSTYLE)));
    return {r.right - r.left, r.bottom - r.top};
}

void CompactWindow::placeWindow(int left, int top, int width, int height) {
    // The size the window keeps (WM_GETMINMAXINFO) first, so that the move may take it.
    client_ = {width, height};
    const SIZE frame = frameSize(width, height);
    SetWindowPos(hwnd_, nullptr, left, top, frame.cx, frame.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Every tick gives every figure again: only a changed one is drawn anew.
void CompactWindow::setCaption(const Control& control, std::string_view text) {
    if (const HWND w = handle(control); w != nullptr && windowText(w) != text) Win32WindowView::setCaption(control, text);
}

void CompactWindow::setBar(const Control& row, int value) {
    value = std::clamp(value, 0, 100);
    const auto [at, added] = bars_.try_emplace(&row, value);
    if (!added && at->second == value) return;
    at->second = value;
    if (const HWND w = handle(row)) InvalidateRect(w, nullptr, FALSE);
}

void CompactWindow::setChoices(const Control& list, const engine::ChoiceList& choices) {
    ComboBox box(handle(list));
    if (box.handle() == nullptr) return;
    // "未対応" stands in a field of its own: the list takes that style only when it is made.
    if (box.editable() != choices.unsupported) {
        const DWORD shown = static_cast<DWORD>(GetWindowLongW(box.handle(), GWL_STYLE)) & WS_VISIBLE;
        box = ComboBox(remake(list, listPlace(list), WC_COMBOBOXW, (listStyle(choices.unsupported) & ~WS_VISIBLE) | shown));
        const auto tip = hints_.find(&list);
        if (tip != hints_.end()) {
            const std::string text = tip->second->text();
            DestroyWindow(tip->second->handle());
            tip->second = std::make_unique<ToolTip>(box.handle());
            tip->second->setText(text);
        }
    }
    box.clear();
    for (const std::string& item : choices.items) box.append(item);
    box.select(choices.selected);
    if (choices.unsupported) SetWindowTextW(box.handle(), win32::widen(engine::kUnsupported).c_str());
}

void CompactWindow::setHint(const Control& control, std::string_view hint) {
    const auto found = hints_.find(&control);
    if (found != hints_.end()) found->second->setText(hint);
}

void CompactWindow::setTimer(bool running) {
    if (running)
        SetTimer(hwnd_, kMeterTimer, ui::model::CompactScreen::kRefreshMilliseconds, nullptr);
    else
        KillTimer(hwnd_, kMeterTimer);
    timerRunning_ = running;
}

void CompactWindow::setVisible(const Control& control, bool visible) {
    if (&control != &c::GrpPerformance) return Win32WindowView::setVisible(control, visible);
    // The panel is the window's own controls below the strip: they show and hide together.
    for (const Control* row : c::kAll)
        if (onPanel(*row)) Win32WindowView::setVisible(*row, visible);
}

void CompactWindow::setColours(const Control& control, std::uint32_t background, std::uint32_t text) {
    if (&control == &c::FrmCompact)
        setColour(background);
    else
        Win32WindowView::setColours(control, background, text);
}

}  // namespace hastelyn::winui
