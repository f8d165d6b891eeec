// The main window's keys and focus: the keyboard map ahead of the controls, the screen's Tab
// walk, Enter on a button, and the focus speech.
#include "ui/win32/MainWindow.h"

#include <algorithm>

#include "ui/model/MainControls.h"
#include "ui/win32/controls/Button.h"
#include "ui/win32/controls/Child.h"

namespace hastelyn::winui {
namespace {

namespace main = ui::model::main;

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


// The controls of a page that Tab stops at, in the order they stand.
std::vector<HWND> tabStops(HWND page) {
    std::vector<HWND> stops;
    for (HWND c = GetWindow(page, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
        if ((GetWindowLongW(c, GWL_STYLE) & WS_TABSTOP) && IsWindowVisible(c) && IsWindowEnabled(c)) stops.push_back(c);
    return stops;
}

}  // namespace

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
    screen_->key(key, focusedTweakRowTicked(), pagesScreen_.commentary().text());
    return key == foundation::MainKey::Alt || key == foundation::MainKey::Escape || key == foundation::MainKey::F1;
}

void MainWindow::noticePress(HWND control) {
    for (const auto& list : lists_)
        if (list->handle() == control) list->pressed();
    if (services_ && services_->handle() == control) services_->pressed();
}

void MainWindow::process(MSG& message) {
    if (message.message == WM_LBUTTONDOWN) noticePress(message.hwnd);
    if (!previewKey(message) && (hwnd_ == nullptr || !IsDialogMessageW(hwnd_, &message))) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (hwnd_ != nullptr) noticeFocus();
}

int MainWindow::tabOrder(HWND control) const {
    const ui::model::Control* row = rowOf(control);
    return row != nullptr ? row->tabOrder : 0;
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
        // A page's controls in their rows' Tab order (a list stands under the controls over it).
        std::vector<HWND> stops = tabStops(pageWindows_[static_cast<std::size_t>(page)]);
        std::stable_sort(stops.begin(), stops.end(), [this](HWND a, HWND b) { return tabOrder(a) < tabOrder(b); });
        walk.insert(walk.end(), stops.begin(), stops.end());
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
    if (focused != hwnd_ && IsChild(hwnd_, focused)) focusLeft_ = focused;
    if (focused == lastFocus_) return;
    lastFocus_ = focused;
    // Moved by the keyboard, into view; not by a press of the mouse, which would move the
    // control away from under the pointer before the button is let go.
    if (GetKeyState(VK_LBUTTON) >= 0) scroller_.bringIntoView(focused);
    using ui::model::FocusPlace;
    FocusPlace place = FocusPlace::Elsewhere;
    if (within(hwnd_, focused))
        place = within(handle(main::PgAccel), focused) ||
                        std::any_of(pageWindows_.begin(), pageWindows_.end(), [&](HWND p) { return within(p, focused); })
                    ? FocusPlace::Pages
                    : FocusPlace::Window;
    screen_->focusMoved(place, rowOf(focused));
}

}  // namespace hastelyn::winui
