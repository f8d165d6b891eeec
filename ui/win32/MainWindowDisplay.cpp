// What the options window changes in the main window: the colours of its title strip, menu and
// work area (and of the texts on them), the commentary memo's font and hint, the locked items.
#include "ui/model/MainControls.h"
#include "ui/model/MainPagesControls.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/Panel.h"

namespace hastelyn::winui {
namespace {

namespace main = ui::model::main;
namespace pages = ui::model::pages;
using ui::model::ColourTarget;

// The whole text stays as long as a tooltip can keep it: its pause is one 16-bit signed number
// of milliseconds (the 300 s the other front end keeps it do not fit).
constexpr int kWholeHintPause = 32767;

}  // namespace

void MainWindow::setTargetColour(ColourTarget target, std::uint32_t colour) {
    const std::size_t index = static_cast<std::size_t>(target);
    if (index >= targetColours_.size()) return;
    const std::uint32_t was = targetColours_[index];
    const HBRUSH made = CreateSolidBrush(colour);
    if (made == nullptr) return;
    targetColours_[index] = colour;
    const bool title = target == ColourTarget::Title;
    HBRUSH& brush = target == ColourTarget::Menu ? menu_ : title ? titleStrip_ : workArea_;
    DeleteObject(brush);
    brush = made;
    if (target == ColourTarget::Menu) {
        InvalidateRect(hwnd_, nullptr, TRUE);
        return;
    }
    const HWND panel = handle(title ? main::PnlTitle : main::PnlAccel);
    setPanelBrush(panel, brush);
    // The texts on the panel (not those on its pages, nor the memo in its own colour) take the
    // colour that reads on the new one.
    for (const auto& [row, window] : colouredControls()) {
        const auto given = colours(window);
        if (given && given->first == was && IsChild(panel, window))
            setColours(*row, colour, ui::model::textColourOn(target, row->name, colour));
    }
    RedrawWindow(panel, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void MainWindow::setCommentFont(int pointSize) {
    const HDC screen = GetDC(nullptr);
    const int pixels = MulDiv(pointSize, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    auto font = std::make_unique<UiFont>(pixels);
    SendMessageW(handle(pages::Comment), WM_SETFONT, reinterpret_cast<WPARAM>(font->handle()), TRUE);
    commentFont_ = std::move(font);
}

void MainWindow::setCommentHint(bool wholeText) {
    SendMessageW(commentHint_.handle(), TTM_SETDELAYTIME, TTDT_AUTOPOP, wholeText ? kWholeHintPause : ui::model::kPlainHintPause);
    if (!wholeText) commentHint_.setText({});
}

void MainWindow::applyLockedItems() {
    pagesScreen_.locks().apply(session_.settings, session_.model);
    pagesScreen_.locks().show(*this);
    showRowsAgain();
}

}  // namespace hastelyn::winui
