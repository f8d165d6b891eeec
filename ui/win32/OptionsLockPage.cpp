// The options window's locked-items page: one box per lockable row, button and field of the
// main window, and one for the whole services list.
#include "ui/model/OptionsControls.h"
#include "ui/win32/OptionsWindow.h"

namespace hastelyn::winui {

namespace ctl = ui::model::options::controls;

void OptionsWindow::buildLockPage(HWND page) {
    const POINT locks = group(page, ctl::GrpDisabled);
    place(page, ctl::LblDisabledNote, WC_STATICW, SS_LEFT | SS_NOPREFIX, locks);
    std::size_t box = 0;
    for (const ui::model::Control& heading : ctl::lockHeadings()) {
        place(page, heading, WC_STATICW, SS_LEFT | SS_NOPREFIX, locks);
        // The boxes of the heading's row: those at its height.
        for (; box < ctl::lockBoxes().size() && ctl::lockBoxes()[box].rect.top == heading.rect.top; ++box)
            place(page, ctl::lockBoxes()[box], WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP, locks);
    }
    place(page, ctl::BtnOKD, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP);
    place(page, ctl::BtnCloseOK, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP);
}

}  // namespace hastelyn::winui
