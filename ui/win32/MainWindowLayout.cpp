// The main window's controls made from their rows: the menu, the work area with the page
// control and its pages, the counter line (the title strip and the pictures: MainWindowTitle.cpp).
#include "ui/win32/MainWindow.h"

#include <algorithm>

#include "platform/win32/WideText.h"
#include "ui/model/Colours.h"
#include "ui/model/MainControls.h"
#include "ui/model/MainTexts.h"
#include "ui/win32/Panel.h"
#include "ui/win32/controls/Child.h"

namespace hastelyn::winui {
namespace {

namespace main = ui::model::main;
namespace colours = ui::model::colours;

}  // namespace

void MainWindow::build() {
    // The window's controls in the screen's Tab walk, the work area where the page control
    // stands in it; the title strip, which Tab does not reach, last.
    for (const ui::model::Control* row : main::tabWalk()) {
        if (row == &main::PgAccel) buildWorkArea();
        if (!row->parent.empty()) continue;
        const HWND b = make(hwnd_, *row, WC_BUTTONW, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON);
        setFont(b, boldFont_.handle());
    }
    buildTitleStrip();
    nameControlsForReaders();
    SetFocus(handle(main::BtnSystem));
}

void MainWindow::buildWorkArea() {
    const HWND area = make(hwnd_, main::PnlAccel, kPanelClass, WS_VISIBLE | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
    setPanelBrush(area, workArea_);
    tabs_ = TabControl(make(area, main::PgAccel, WC_TABCONTROLW, WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | TCS_MULTILINE));
    setFont(tabs_.handle(), font_.handle());
    for (std::size_t i = 0; i < main::kPages.size(); ++i) tabs_.insert(static_cast<int>(i), main::kPages[i]->caption);
    buildPages(area);
    buildCommentary(area);

    const HWND hint = make(area, main::Label2, WC_STATICW, WS_VISIBLE | SS_LEFT);
    setFont(hint, font_.handle());
    setColours(main::Label2, colours::kWorkArea, colours::kBlue);
    // The counter line: one line of red text, each label as wide as its text.
    for (const ui::model::Control* row : main::kCounterLine) {
        setFont(make(area, *row, WC_STATICW, WS_VISIBLE | SS_LEFT | SS_NOPREFIX), font_.handle());
        setColours(*row, colours::kWorkArea, colours::kRed);
    }
    layOutCounterLine();
    setFont(make(area, main::BtnAccelerate, WC_BUTTONW, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON), boldFont_.handle());
    buildAboutPicture(area);
}

void MainWindow::buildPages(HWND area) {
    const RECT r = tabs_.pageArea();
    for (std::size_t i = 0; i < main::kPages.size(); ++i) {
        const ui::model::Rect place{r.left, r.top, r.right - r.left, r.bottom - r.top};
        const HWND page = make(area, *main::kPages[i], kPanelClass, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
        MoveWindow(page, place.left, place.top, place.width, place.height, FALSE);
        pageWindows_[i] = page;
        if (static_cast<int>(i) == main::kServicePage) buildServicesPage(page);
        if (static_cast<int>(i) == main::kUtilityPage) buildUtilityPage(page);
        if (static_cast<int>(i) == main::kInfoPage) buildPcInfoPage(page);
        if (i >= lists_.size()) continue;
        // Named for screen readers with the other controls (ReaderNames.cpp).
        const HWND list = makeChild(page, WC_LISTVIEWW, "",
                                    WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                                        LVS_SHOWSELALWAYS,
                                    {0, 0, place.width, place.height}, kFirstListId + static_cast<int>(i));
        setFont(list, font_.handle());
        lists_[i] = std::make_unique<CheckListControl>(session_.model.tweakList(i), list);
    }
    // The pages stand over the page control, so that it does not draw over them; the Tab walk
    // is the screen's (previewKey), not this order.
    SetWindowPos(tabs_.handle(), pageWindows_.back(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    showPageWindow(0);
}

void MainWindow::layOutCounterLine() {
    const HWND first = handle(main::Label4);
    const HDC dc = GetDC(first);
    const HGDIOBJ old = SelectObject(dc, font_.handle());
    int left = main::Label4.rect.left;
    for (const ui::model::Control* row : main::kCounterLine) {
        const HWND label = handle(*row);
        const std::wstring text = win32::widen(windowText(label));
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        int width = static_cast<int>(size.cx) + 1;
        if (row == &main::LblRest || row == &main::LblAll) width = std::max(width, 16);
        MoveWindow(label, left, row->rect.top, width, row->rect.height, TRUE);
        left += width;
    }
    SelectObject(dc, old);
    ReleaseDC(first, dc);
}

}  // namespace hastelyn::winui
