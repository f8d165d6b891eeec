// The services page: the machine's services as a check list filling the page; a service
// chosen shows its detail in the commentary memo.
#include "ui/win32/MainWindow.h"

#include "ui/model/MainControls.h"
#include "ui/win32/controls/Child.h"

namespace hastelyn::winui {
namespace {

namespace main = ui::model::main;

constexpr int kServicesListId = 3100;

}  // namespace

void MainWindow::buildServicesPage(HWND page) {
    RECT place{};
    GetClientRect(page, &place);
    // Named for screen readers with the other controls (ReaderNames.cpp).
    const HWND list = makeChild(page, WC_LISTVIEWW, "",
                                WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL |
                                    LVS_SHOWSELALWAYS,
                                {0, 0, place.right, place.bottom}, kServicesListId);
    setFont(list, font_.handle());
    services_ = std::make_unique<CheckListControl>(session_.model.services(), list);
}

std::optional<LRESULT> MainWindow::servicesNotify(const NMHDR& header) {
    if (header.idFrom != kServicesListId) return std::nullopt;
    // The list tells of its first rows while it is being made.
    if (!services_) return 0;
    return services_->notify(header, [&](int row) {
        const engine::Row& r = services_->checkList().rows[static_cast<std::size_t>(row)];
        pagesScreen_.rowChosen(ui::model::PageList::Services, main::TbService.caption, row, r.label, r.ticked);
    });
}

}  // namespace hastelyn::winui
