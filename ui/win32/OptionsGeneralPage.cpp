// The options window's general page: the two system-file paths, the restore point, speech,
// dialogs and the commentary's display. (The speech-synthesizer box of the other front end has
// no synthesizer here: spoken texts go to the clipboard.)
#include "ui/model/OptionsControls.h"
#include "ui/win32/OptionsWindow.h"

namespace hastelyn::winui {
namespace {

namespace ctl = ui::model::options::controls;

constexpr DWORD kCheckBox = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kPushButton = BS_PUSHBUTTON | WS_TABSTOP;

}  // namespace

void OptionsWindow::buildGeneralPage(HWND page) {
    const POINT files = group(page, ctl::GrpFile);
    for (const auto& [label, edit, browse] : {std::tuple{&ctl::LblBootPath, &ctl::EdtBootPath, &ctl::BtnBootPath},
                                              std::tuple{&ctl::LblSysocPath, &ctl::EdtSysocPath, &ctl::BtnSysocPath}}) {
        // The label first: a screen reader names the edit after it.
        place(page, *label, WC_STATICW, SS_LEFT | SS_NOPREFIX, files);
        place(page, *edit, WC_EDITW, WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, files);
        place(page, *browse, WC_BUTTONW, kPushButton, files);
    }
    // In the page's order, top to bottom, so that Tab walks them so.
    const std::pair<const ui::model::Control*, std::size_t> boxes[] = {
        {&ctl::GrpAutoRestore, ctl::AutoRestore}, {&ctl::GrpSound, ctl::Sound}, {&ctl::GrpDisplay, ctl::Reboot}};
    for (const auto& [box, first] : boxes) {
        const POINT origin = group(page, *box);
        place(page, ctl::kSwitches[first], WC_BUTTONW, kCheckBox, origin);
        if (first == ctl::Reboot) place(page, ctl::kSwitches[ctl::Inform], WC_BUTTONW, kCheckBox, origin);
    }
    const POINT comment = group(page, ctl::GrpComment);
    place(page, ctl::LblFontSize, WC_STATICW, SS_LEFT | SS_NOPREFIX, comment);
    for (std::size_t i = 0; i < ctl::kFontButtons.size(); ++i)
        place(page, ctl::kFontButtons[i], WC_BUTTONW, BS_AUTORADIOBUTTON | (i == 0 ? WS_GROUP : 0), comment);
    for (std::size_t i : {ctl::CommentHint, ctl::LineFeed}) place(page, ctl::kSwitches[i], WC_BUTTONW, kCheckBox, comment);
    place(page, ctl::BtnOKO, WC_BUTTONW, kPushButton);
    place(page, ctl::BtnCloseO, WC_BUTTONW, kPushButton);
}

}  // namespace hastelyn::winui
