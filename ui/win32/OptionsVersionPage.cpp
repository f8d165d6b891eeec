// The options window's version page: the program's name and version, the two links, and the
// button that reveals the hidden page.
#include "platform/win32/WideText.h"
#include "ui/model/OptionsControls.h"
#include "ui/win32/OptionsWindow.h"
#include "ui/win32/controls/Child.h"

namespace hastelyn::winui {

namespace ctl = ui::model::options::controls;

void OptionsWindow::buildVersionPage(HWND page) {
    setFont(place(page, ctl::LblName, WC_STATICW, SS_LEFT | SS_NOPREFIX), nameFont_.handle());
    place(page, ctl::LblVersion, WC_STATICW, SS_LEFT | SS_NOPREFIX);
    place(page, ctl::LblUrlHeading, WC_STATICW, SS_LEFT | SS_NOPREFIX);
    // A link: one stop of the Tab walk, opened through the shell by a click or by Enter.
    labelButton(page, ctl::LblUrl, {});
    place(page, ctl::LblSupportHeading, WC_STATICW, SS_LEFT | SS_NOPREFIX);
    labelButton(page, ctl::LblSupport, {});
    place(page, ctl::LblSiteName, WC_STATICW, SS_LEFT | SS_NOPREFIX);
    // A question-mark picture; its text is the name a screen reader reads.
    const HWND hidden = place(page, ctl::BtnHidden, WC_BUTTONW, BS_PUSHBUTTON | BS_ICON | BS_FLAT | WS_TABSTOP);
    SetWindowTextW(hidden, win32::widen(ctl::accessibleName(ctl::BtnHidden)).c_str());
    SendMessageW(hidden, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(LoadIconW(nullptr, MAKEINTRESOURCEW(32514))));  // IDI_QUESTION
    place(page, ctl::BtnOKV, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP);
}

}  // namespace hastelyn::winui
