// The PC-information page: the list of what is shown, a field over each row after its label,
// and the change and detail buttons. The fields are filled from the machine by the pages'
// screen; the change button hands it the three fields the user may change.
#include "ui/win32/MainWindow.h"

#include "engine/PcInformation.h"
#include "ui/model/CommandErrors.h"
#include "ui/model/MainPagesControls.h"
#include "ui/win32/controls/Child.h"
#include "ui/win32/controls/ListBox.h"

namespace hastelyn::winui {
namespace {

namespace pages = ui::model::pages;

}  // namespace

void MainWindow::buildPcInfoPage(HWND page) {
    for (std::size_t i = 0; i < pages::kInfoFields.size(); ++i) {
        const HWND field = make(page, *pages::kInfoFields[i], WC_EDITW, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL);
        setFont(field, font_.handle());
        if (i < engine::kPcInfoEditableCount) SendMessageW(field, EM_SETLIMITTEXT, pages::kInfoFieldLength, 0);
        else SendMessageW(field, EM_SETREADONLY, TRUE, 0);
    }
    // Made in the Tab order: the change button before the detail button above it.
    for (const ui::model::Control* row : {&pages::BtnChange, &pages::BtnDetail})
        setFont(make(page, *row, WC_BUTTONW, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON), font_.handle());
    const ListBox list(makePageList(page, pages::LstInfo));
    for (const engine::PcInfoRow& row : engine::pcInfoRows()) list.append(row.label);
}

void MainWindow::readPcInformation() {
    pagesScreen_.showPcInformation();
}

void MainWindow::setReadOnly(const ui::model::Control& field, bool readOnly) {
    if (const HWND edit = handle(field)) SendMessageW(edit, EM_SETREADONLY, readOnly, 0);
}

bool MainWindow::pcInfoCommand(const ui::model::Control& row) {
    if (&row == &pages::BtnDetail) {
        ui::model::runCommand(session_.dialogs, [&] { pagesScreen_.detailPressed(); });
        return true;
    }
    if (&row != &pages::BtnChange) return false;
    ui::model::runCommand(session_.dialogs, [&] {
        pagesScreen_.changePressed(windowText(handle(pages::EdtUser)), windowText(handle(pages::EdtCorp)),
                                   windowText(handle(pages::EdtComputer)));
    });
    return true;
}

}  // namespace hastelyn::winui
