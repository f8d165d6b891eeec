// The utilities page: the list of tools, a button over the list's right side for each, the two
// drive lists and the quick-format box. A button starts its tool with the page's choices.
#include "ui/win32/MainWindow.h"

#include <algorithm>

#include "engine/Utilities.h"
#include "ui/model/Colours.h"
#include "ui/model/CommandErrors.h"
#include "ui/model/MainControls.h"
#include "ui/model/MainPagesControls.h"
#include "ui/model/PageRows.h"
#include "ui/win32/controls/Button.h"
#include "ui/win32/controls/Child.h"
#include "ui/win32/controls/ListBox.h"

namespace hastelyn::winui {
namespace {

namespace main = ui::model::main;
namespace pages = ui::model::pages;
namespace colours = ui::model::colours;

// The list clips the controls over it out of what it draws.
constexpr DWORD kListStyle = WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;

// The drive of a drive list's chosen row; nothing when no row is chosen.
std::optional<char> chosenDrive(HWND list) {
    const ListBox drives(list);
    const int row = drives.selected();
    if (row < 0) return std::nullopt;
    return engine::driveOfItem(drives.text(row));
}

}  // namespace

// The list fills the page and stands under the controls over it (the Tab walk follows the
// rows' order, not this one). A page lower than the rows were laid out for shrinks the rows
// and the controls over them together, so that each control stays on its row.
HWND MainWindow::makePageList(HWND page, const ui::model::Control& row) {
    const HWND list = make(page, row, WC_LISTBOXW, kListStyle);
    setFont(list, font_.handle());
    setColours(row, colours::kCream, colours::kNavy);
    SetWindowPos(list, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // The rows and the controls over them at the pitch the page's height allows.
    RECT area{};
    GetClientRect(page, &area);
    const int pitch = ui::model::pageRowPitch(area.bottom);
    for (HWND c = GetWindow(page, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        const ui::model::Control* placed = rowOf(c);
        if (placed == nullptr) continue;
        const ui::model::Rect& r = placed->rect;
        MoveWindow(c, r.left, ui::model::atRowPitch(r.top, pitch), std::min<int>(r.width, area.right - r.left),
                   ui::model::atRowPitch(r.height, pitch), FALSE);
    }
    ListBox(list).setRowHeight(pitch);
    return list;
}

void MainWindow::buildUtilityPage(HWND page) {
    for (const ui::model::Control* row : pages::kUtilityButtons)
        setFont(make(page, *row, WC_BUTTONW, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON), font_.handle());
    for (const ui::model::Control* row : {&pages::LstHDDefrag, &pages::LstHDConvert})
        setFont(make(page, *row, WC_LISTBOXW, WS_VISIBLE | WS_TABSTOP | WS_BORDER | LBS_NOINTEGRALHEIGHT), font_.handle());
    setFont(make(page, pages::ChcQuickFormat, WC_BUTTONW, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX), font_.handle());
    const ListBox list(makePageList(page, pages::LstUtility));
    for (std::string_view label : pages::kUtilityLabels) list.append(label);
}

void MainWindow::setDrives(const std::vector<std::string>& drives) {
    for (const ui::model::Control* row : {&pages::LstHDDefrag, &pages::LstHDConvert}) {
        const ListBox list(handle(*row));
        list.clear();
        for (const std::string& drive : drives) list.append(drive);
    }
}

bool MainWindow::pagesCommand(const ui::model::Control& row, int code) {
    if (code == LBN_SELCHANGE && (&row == &pages::LstUtility || &row == &pages::LstInfo)) {
        const ListBox list(handle(row));
        const bool utilities = &row == &pages::LstUtility;
        const int chosen = list.selected();
        pagesScreen_.rowChosen(utilities ? ui::model::PageList::Utilities : ui::model::PageList::Info,
                               utilities ? main::TbUtility.caption : main::TbInfo.caption, chosen, list.text(chosen),
                               std::nullopt);
        return true;
    }
    if (code != BN_CLICKED) return false;
    for (std::size_t i = 0; i < pages::kUtilityButtons.size(); ++i) {
        if (&row != pages::kUtilityButtons[i]) continue;
        const engine::UtilityChoices choices{chosenDrive(handle(pages::LstHDDefrag)),
                                             chosenDrive(handle(pages::LstHDConvert)),
                                             Button(handle(pages::ChcQuickFormat)).checked()};
        ui::model::runCommand(session_.dialogs, [&] { pagesScreen_.utilityPressed(i, choices); });
        return true;
    }
    return pcInfoCommand(row) || commentaryCommand(row);
}

}  // namespace hastelyn::winui
