#include "ui/win32/Win32WindowView.h"

#include "platform/win32/WideText.h"
#include "ui/win32/controls/Button.h"
#include "ui/win32/controls/Child.h"

namespace hastelyn::winui {

HWND Win32WindowView::make(HWND parent, const ui::model::Control& row, const wchar_t* className, DWORD style,
                           DWORD exStyle) {
    return makeAt(parent, row, row.rect, className, style, exStyle);
}

HWND Win32WindowView::makeAt(HWND parent, const ui::model::Control& row, const ui::model::Rect& place,
                             const wchar_t* className, DWORD style, DWORD exStyle) {
    const HWND window =
        makeChild(parent, className, row.caption, style, place, kFirstId + static_cast<int>(entries_.size()), exStyle);
    entries_.push_back({&row, window, std::nullopt});
    return window;
}

HWND Win32WindowView::handle(const ui::model::Control& row) const {
    for (const Entry& e : entries_)
        if (e.row == &row) return e.window;
    return nullptr;
}

HWND Win32WindowView::remake(const ui::model::Control& row, const ui::model::Rect& place, const wchar_t* className,
                             DWORD style) {
    for (Entry& e : entries_) {
        if (e.row != &row) continue;
        const HWND old = e.window;
        const HWND made = makeChild(GetParent(old), className, "", style, place, GetDlgCtrlID(old),
                                    static_cast<DWORD>(GetWindowLongW(old, GWL_EXSTYLE)));
        SendMessageW(made, WM_SETFONT, SendMessageW(old, WM_GETFONT, 0, 0), FALSE);
        SetWindowPos(made, old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        const bool focused = GetFocus() == old;
        e.window = made;
        DestroyWindow(old);
        if (focused) SetFocus(made);
        return made;
    }
    return nullptr;
}

const ui::model::Control* Win32WindowView::rowOf(HWND window) const {
    for (const Entry& e : entries_)
        if (e.window == window) return e.row;
    return nullptr;
}

const ui::model::Control* Win32WindowView::rowOfId(int id) const {
    const int index = id - kFirstId;
    return index >= 0 && index < static_cast<int>(entries_.size()) ? entries_[static_cast<std::size_t>(index)].row
                                                                    : nullptr;
}

std::optional<std::pair<std::uint32_t, std::uint32_t>> Win32WindowView::colours(HWND window) const {
    for (const Entry& e : entries_)
        if (e.window == window) return e.colours;
    return std::nullopt;
}

std::vector<std::pair<const ui::model::Control*, HWND>> Win32WindowView::colouredControls() const {
    std::vector<std::pair<const ui::model::Control*, HWND>> coloured;
    for (const Entry& e : entries_)
        if (e.colours) coloured.emplace_back(e.row, e.window);
    return coloured;
}

void Win32WindowView::setCaption(const ui::model::Control& control, std::string_view text) {
    if (const HWND w = handle(control)) SetWindowTextW(w, win32::widen(text).c_str());
}

void Win32WindowView::setEnabled(const ui::model::Control& control, bool enabled) {
    if (const HWND w = handle(control)) EnableWindow(w, enabled);
}

void Win32WindowView::setVisible(const ui::model::Control& control, bool visible) {
    if (const HWND w = handle(control)) ShowWindow(w, visible ? SW_SHOWNA : SW_HIDE);
}

void Win32WindowView::setChecked(const ui::model::Control& control, bool checked) {
    if (const HWND w = handle(control)) Button(w).setChecked(checked);
}

void Win32WindowView::setColours(const ui::model::Control& control, std::uint32_t background, std::uint32_t text) {
    for (Entry& e : entries_)
        if (e.row == &control) {
            e.colours = std::pair{background, text};
            InvalidateRect(e.window, nullptr, TRUE);
        }
}

void Win32WindowView::focus(const ui::model::Control& control) {
    if (const HWND w = handle(control)) SetFocus(w);
}

}  // namespace hastelyn::winui
