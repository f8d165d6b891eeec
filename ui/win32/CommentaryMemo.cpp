// The commentary under the pages: its heading, the introduction and more-information buttons,
// the read-only memo with its hint, and the memo's search menu, which looks the selected words
// up in the browser.
#include "ui/win32/MainWindow.h"

#include "platform/win32/WideText.h"
#include "ui/model/Colours.h"
#include "ui/model/CommandErrors.h"
#include "ui/model/MainControls.h"
#include "ui/model/MainPagesControls.h"
#include "ui/win32/CommentMemo.h"
#include "ui/win32/Resources.h"
#include "ui/win32/controls/Child.h"
#include "ui/win32/controls/ListBox.h"

namespace hastelyn::winui {
namespace {

namespace main = ui::model::main;
namespace pages = ui::model::pages;
namespace colours = ui::model::colours;

// A small picture button that Tab does not reach; its text is the name a screen reader reads.
HWND pictureButton(Win32WindowView& view, HWND area, const ui::model::Control& row, int icon) {
    const HWND b = view.make(area, row, WC_BUTTONW, WS_VISIBLE | BS_PUSHBUTTON | BS_ICON);
    SetWindowTextW(b, win32::widen(row.hint).c_str());
    if (const HANDLE picture = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(icon), IMAGE_ICON, 16, 16, 0))
        SendMessageW(b, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(picture));
    return b;
}

// The memo's selection, its lines broken with CR LF as the memo holds them.
std::string selectionOf(HWND memo) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(memo, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::wstring text = win32::widen(windowText(memo));
    if (start >= end || start >= text.size()) return {};
    return win32::narrow(text.substr(start, end - start));
}

}  // namespace

void MainWindow::buildCommentary(HWND area) {
    const HWND heading = make(area, pages::Label1, WC_STATICW, WS_VISIBLE | SS_LEFT | SS_NOPREFIX);
    setFont(heading, boldFont_.handle());
    setColours(pages::Label1, colours::kWorkArea, colours::kNavy);
    pictureButton(*this, area, pages::BtnComment, IDI_COMMENTARY);
    pictureButton(*this, area, pages::BtnMoreInfo, IDI_MORE_INFO);
    const auto [memo, editProcedure] =
        makeCommentMemo(*this, area, pages::Comment, font_.handle(), this, &MainWindow::memoProcedure);
    memoDefault_ = editProcedure;
    commentHint_ = ToolTip(memo);
}

LRESULT CALLBACK MainWindow::memoProcedure(HWND memo, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(memo, GWLP_USERDATA));
    if (message == WM_CONTEXTMENU) {
        // The search menu takes the place of the edit control's own.
        self->searchMenu(memo, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    }
    return CallWindowProcW(self->memoDefault_, memo, message, wParam, lParam);
}

void MainWindow::searchMenu(HWND memo, POINT at) {
    // Nothing selected: no menu.
    if (!pagesScreen_.commentary().searchOpened(selectionOf(memo))) return;
    if (at.x == -1 && at.y == -1) {  // from the keyboard: at the memo's corner
        at = POINT{0, 0};
        ClientToScreen(memo, &at);
    }
    const HMENU engines = CreatePopupMenu();
    for (std::size_t i = 0; i < pages::kSearchEngines.size(); ++i)
        AppendMenuW(engines, MF_STRING, i + 1, win32::widen(pages::kSearchEngines[i].caption).c_str());
    const HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(engines), win32::widen(searchCaption_).c_str());
    const int chosen = static_cast<int>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, hwnd_, nullptr));
    DestroyMenu(menu);  // and the sub-menu in it
    if (chosen > 0 && chosen <= static_cast<int>(pages::kSearchEngines.size()))
        ui::model::runCommand(session_.dialogs, [&] {
            pagesScreen_.searchChosen(pages::kSearchEngines[static_cast<std::size_t>(chosen - 1)].engineKey);
        });
}

void MainWindow::setHint(const ui::model::Control& control, std::string_view text) {
    if (&control == &pages::Comment) commentHint_.setText(text);
}

bool MainWindow::commentaryCommand(const ui::model::Control& row) {
    if (&row == &pages::BtnComment) {
        pagesScreen_.commentary().showIntroduction();
        return true;
    }
    if (&row != &pages::BtnMoreInfo) return false;
    const int utilityRow = ListBox(handle(pages::LstUtility)).selected();
    ui::model::runCommand(session_.dialogs, [&] { pagesScreen_.moreInfoClicked(tabs_.current(), utilityRow); });
    return true;
}

}  // namespace hastelyn::winui
