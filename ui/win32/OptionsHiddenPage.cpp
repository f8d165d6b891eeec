// The options window's hidden page: the main window's transparency, the colour style of all
// four windows and the page style of their page controls.
#include "ui/model/OptionsControls.h"
#include "ui/win32/OptionsWindow.h"

namespace hastelyn::winui {
namespace {

namespace ctl = ui::model::options::controls;

constexpr int kScrollEnd = 255;
constexpr DWORD kPlainLabel = SS_LEFT | SS_NOPREFIX;

}  // namespace

void OptionsWindow::buildHiddenPage(HWND page) {
    const POINT transparency = group(page, ctl::GrpTrans);
    place(page, ctl::LblTransLow, WC_STATICW, kPlainLabel, transparency);
    const HWND bar = place(page, ctl::ScrTrans, WC_SCROLLBARW, SBS_HORZ | WS_TABSTOP, transparency);
    SetScrollRange(bar, SB_CTL, 0, kScrollEnd, FALSE);
    place(page, ctl::LblTransHigh, WC_STATICW, kPlainLabel, transparency);
    const HWND edit = place(page, ctl::EdtTrans, WC_EDITW, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, transparency);
    SendMessageW(edit, EM_LIMITTEXT, 3, 0);

    const POINT colours = group(page, ctl::GrpColor);
    for (std::size_t i = 0; i < ctl::kStyleButtons.size(); ++i)
        place(page, ctl::kStyleButtons[i], WC_BUTTONW, BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0), colours);
    // Each colour label, pressed by a click, Enter or Space, and its swatch, which Tab skips.
    for (std::size_t i = 0; i < ctl::kColourLabels.size(); ++i) {
        labelButton(page, ctl::kColourLabels[i], colours);
        place(page, ctl::kSwatches[i], WC_EDITW, WS_BORDER | ES_READONLY, colours);
    }
    place(page, ctl::LblColorNote, WC_STATICW, kPlainLabel, colours);

    const POINT tabs = group(page, ctl::GrpTabStyle);
    for (std::size_t i = 0; i < ctl::kTabStyleButtons.size(); ++i)
        place(page, ctl::kTabStyleButtons[i], WC_BUTTONW, BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0), tabs);
    place(page, ctl::BtnOKH, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP);
    place(page, ctl::BtnCloseH, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP);
}

}  // namespace hastelyn::winui
