#include "ui/win32/OptionsDisplay.h"

#include <commctrl.h>

#include "ui/win32/MainWindow.h"
#include "ui/win32/SideWindow.h"

namespace hastelyn::winui {
namespace {

using SetLayered = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

constexpr int kFullOpacity = 255;
constexpr DWORD kLayeredAlpha = 0x2;  // LWA_ALPHA

DWORD tabStyleBits(foundation::TabStyle style) {
    switch (style) {
        case foundation::TabStyle::Buttons: return TCS_BUTTONS;
        case foundation::TabStyle::FlatButtons: return TCS_BUTTONS | TCS_FLATBUTTONS;
        case foundation::TabStyle::Tabs: break;
    }
    return 0;
}

BOOL CALLBACK restyleTabs(HWND child, LPARAM bits) {
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (lstrcmpiW(name, WC_TABCONTROLW) != 0) return TRUE;
    const LONG style = GetWindowLongW(child, GWL_STYLE) & ~static_cast<LONG>(TCS_BUTTONS | TCS_FLATBUTTONS);
    SetWindowLongW(child, GWL_STYLE, style | static_cast<LONG>(bits));
    // The tabs are laid out anew for the style, and drawn so.
    SetWindowPos(child, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    InvalidateRect(child, nullptr, TRUE);
    return TRUE;
}

}  // namespace

bool setWindowOpacity(HWND window, int opacity) {
    const auto setLayered = reinterpret_cast<SetLayered>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetLayeredWindowAttributes")));
    if (setLayered == nullptr) return false;
    const LONG exStyle = GetWindowLongW(window, GWL_EXSTYLE);
    if (opacity >= kFullOpacity) {
        // Opaque: no layered window at all, which draws faster.
        SetWindowLongW(window, GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
        RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
        return true;
    }
    SetWindowLongW(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    return setLayered(window, 0, static_cast<BYTE>(opacity < 0 ? 0 : opacity), kLayeredAlpha) != FALSE;
}

void setTabStyle(HWND window, foundation::TabStyle style) {
    if (window != nullptr) EnumChildWindows(window, restyleTabs, static_cast<LPARAM>(tabStyleBits(style)));
}

void DisplayTargets::setTargetColour(ui::model::ColourTarget target, std::uint32_t colour) {
    switch (target) {
        case ui::model::ColourTarget::Sub: sub_.setColour(colour); break;
        case ui::model::ColourTarget::Restore: restore_.setColour(colour); break;
        case ui::model::ColourTarget::Compact: compact_.setColour(colour); break;
        default: main_.setTargetColour(target, colour); break;
    }
}

void DisplayTargets::setMainOpacity(int opacity) { setWindowOpacity(main_.hwnd(), opacity); }

void DisplayTargets::setTabStyle(foundation::TabStyle style) {
    winui::setTabStyle(main_.hwnd(), style);
    winui::setTabStyle(restore_.hwnd(), style);
    winui::setTabStyle(sub_.hwnd(), style);
}

void DisplayTargets::setCommentFont(int pointSize) { main_.setCommentFont(pointSize); }

void DisplayTargets::setCommentHint(bool wholeText) { main_.setCommentHint(wholeText); }

void DisplayTargets::repaintMain() {
    // Painted anew in place: hiding and showing it would also hide the options window from
    // the user's eyes for a moment.
    RedrawWindow(main_.hwnd(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void DisplayTargets::applyLockedItems() { main_.applyLockedItems(); }

}  // namespace hastelyn::winui
