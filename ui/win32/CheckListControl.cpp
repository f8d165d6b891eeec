#include "ui/win32/CheckListControl.h"

#include "ui/model/Colours.h"
#include "ui/win32/CheckListAccessible.h"

namespace hastelyn::winui {

CheckListControl::CheckListControl(engine::CheckList& list, HWND window) : list_(list), view_(window) {
    view_.setExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    RECT client{};
    GetClientRect(window, &client);
    view_.addColumn(client.right - GetSystemMetrics(SM_CXVSCROLL));
    refresh();
    answerReadersWithRows(window, list_);
}

engine::Row* CheckListControl::row(int index) {
    return index >= 0 && index < static_cast<int>(list_.rows.size()) ? &list_.rows[static_cast<std::size_t>(index)]
                                                                       : nullptr;
}

const engine::Row* CheckListControl::row(int index) const { return const_cast<CheckListControl*>(this)->row(index); }

void CheckListControl::refresh() {
    refreshing_ = true;
    // The rows are set with the list's drawing held, so that it lays itself out and sets its
    // scroll bar once, not after every row; a hidden list stays hidden (WM_SETREDRAW TRUE sets
    // WS_VISIBLE).
    const bool drawn = (GetWindowLongW(view_.handle(), GWL_STYLE) & WS_VISIBLE) != 0;
    if (drawn) SendMessageW(view_.handle(), WM_SETREDRAW, FALSE, 0);
    const int rows = static_cast<int>(list_.rows.size());
    while (view_.count() > rows) view_.remove(view_.count() - 1);
    for (int i = 0; i < rows; ++i) {
        const engine::Row& r = list_.rows[static_cast<std::size_t>(i)];
        // Only what changed is set: each change is drawn again.
        if (i >= view_.count()) view_.append(r.label);
        else if (view_.text(i) != r.label) view_.setText(i, r.label);
        if (view_.checked(i) != r.ticked) view_.setChecked(i, r.ticked);
    }
    if (drawn) SendMessageW(view_.handle(), WM_SETREDRAW, TRUE, 0);
    // The grey of a row whose enabled flag changed.
    InvalidateRect(view_.handle(), nullptr, FALSE);
    refreshing_ = false;
}

std::optional<bool> CheckListControl::selectedRowTicked() const {
    const engine::Row* r = row(view_.selected());
    if (r == nullptr) return std::nullopt;
    return r->ticked;
}

bool CheckListControl::refuses(const NMLISTVIEW& change) const {
    if (refreshing_ || !ListView::tickChanges(change)) return false;
    const engine::Row* r = row(change.iItem);
    // A disabled row keeps its tick whatever reaches the list: a click, Space, LVM_SETITEMSTATE.
    return r == nullptr || !r->enabled;
}

void CheckListControl::changed(const NMLISTVIEW& change) {
    if (refreshing_ || !ListView::tickChanges(change)) return;
    if (engine::Row* r = row(change.iItem); r != nullptr && r->enabled) r->ticked = ListView::tickOf(change.uNewState);
}

LRESULT CheckListControl::draw(NMLVCUSTOMDRAW& draw) const {
    if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
    // Rows in navy; one that cannot be changed in the system's grey text colour.
    const engine::Row* r = row(static_cast<int>(draw.nmcd.dwItemSpec));
    draw.clrText = r != nullptr && !r->enabled ? GetSysColor(COLOR_GRAYTEXT) : ui::model::colours::kNavy;
    return CDRF_DODEFAULT;
}

}  // namespace hastelyn::winui
