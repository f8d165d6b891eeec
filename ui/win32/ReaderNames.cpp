// The names a screen reader reads for the controls that show no text of their own (the lists,
// the page control, the PC-information fields and the commentary memo) and for the tool buttons,
// which show only their numbers.
//
// Windows' oleacc names an edit, a list box, a list view and a tab control by the static text
// just before it in z-order (a visible one); Wine 8's oleacc names an edit so too, but a list
// box, a list view and a tab control by their window texts, which those controls never draw.
// Each control gets both: its window text and, just before it, a label of no size that is
// visible (so that it counts) and drawn nowhere.
#include "ui/win32/MainWindow.h"

#include "ui/model/MainControls.h"
#include "ui/model/MainPagesControls.h"
#include "ui/model/MainTexts.h"
#include "ui/win32/CaptionButton.h"
#include "ui/win32/controls/Child.h"

namespace hastelyn::winui {
namespace {

namespace main = ui::model::main;
namespace pages = ui::model::pages;

constexpr int kLabelId = -1;  // a static that sends nothing

void nameForReaders(HWND control, std::string_view name) {
    if (control == nullptr) return;
    wchar_t className[16] = {};
    GetClassNameW(control, className, 16);
    // An edit's window text is what it holds.
    if (lstrcmpiW(className, WC_EDITW) != 0) SetWindowTextW(control, win32::widen(name).c_str());
    const HWND above = GetWindow(control, GW_HWNDPREV);
    const HWND label =
        makeChild(GetParent(control), WC_STATICW, name, WS_VISIBLE | SS_NOPREFIX, {0, 0, 0, 0}, kLabelId);
    SetWindowPos(label, above != nullptr ? above : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

void MainWindow::nameControlsForReaders() {
    nameForReaders(tabs_.handle(), main::accessibleName(main::PgAccel));
    for (std::size_t i = 0; i < lists_.size(); ++i)
        nameForReaders(lists_[i]->handle(), main::pageListName(*main::kPages[i]));
    nameForReaders(services_->handle(), main::pageListName(main::TbService));
    for (const ui::model::Control* row : {&pages::LstUtility, &pages::LstHDDefrag, &pages::LstHDConvert,
                                          &pages::LstInfo, &pages::Comment})
        nameForReaders(handle(*row), pages::accessibleName(*row));
    for (const ui::model::Control* field : pages::kInfoFields)
        nameForReaders(handle(*field), pages::accessibleName(*field));
    // A tool button draws its number and is named after its tool.
    for (const ui::model::Control* row : pages::kUtilityButtons)
        makeCaptionButton(handle(*row), pages::accessibleName(*row));
}

bool MainWindow::drawItem(const DRAWITEMSTRUCT& item) {
    const ui::model::Control* row = rowOf(item.hwndItem);
    if (row == nullptr || item.CtlType != ODT_BUTTON) return false;
    drawCaptionButton(item, row->caption);
    return true;
}

}  // namespace hastelyn::winui
