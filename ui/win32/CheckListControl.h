#pragma once
// A list view with check boxes that shows one list of the item model: its rows' labels, ticks
// and enabled flags. A tick given in the window is the model's; a disabled (or locked) row is
// drawn grey and refuses its tick, but can be selected.
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <utility>

#include "engine/ItemModel.h"
#include "ui/win32/controls/ListView.h"

namespace hastelyn::winui {

class CheckListControl {
public:
    CheckListControl(engine::CheckList& list, HWND window);

    HWND handle() const { return view_.handle(); }
    // Shows the model again (after a pass or a change of the enabled flags).
    void refresh();
    std::optional<bool> selectedRowTicked() const;
    engine::CheckList& checkList() { return list_; }

    // The left mouse button goes down on the list (the message as it leaves the queue, before
    // the list takes it): the row selected until now is noted, so that a click on it is told.
    void pressed() { rowAtPress_ = view_.selected(); }

    // The list's notifications, through its parent. The result is the window procedure's.
    // onSelected runs for a row newly selected, and again for a click on the row that was
    // already selected when the button went down (a list box's click: the row is said again).
    template <typename OnSelected>
    LRESULT notify(const NMHDR& header, OnSelected&& onSelected) {
        if (header.code == LVN_ITEMCHANGING) return refuses(reinterpret_cast<const NMLISTVIEW&>(header)) ? TRUE : FALSE;
        if (header.code == NM_CLICK) {
            const int clicked = reinterpret_cast<const NMITEMACTIVATE&>(header).iItem;
            if (clicked >= 0 && clicked == std::exchange(rowAtPress_, -1)) onSelected(clicked);
            return 0;
        }
        if (header.code == NM_CUSTOMDRAW) return draw(reinterpret_cast<NMLVCUSTOMDRAW&>(const_cast<NMHDR&>(header)));
        if (header.code != LVN_ITEMCHANGED) return 0;
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        changed(change);
        if (!refreshing_ && (change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) &&
            !(change.uOldState & LVIS_SELECTED))
            onSelected(change.iItem);
        return 0;
    }

private:
    bool refuses(const NMLISTVIEW& change) const;
    void changed(const NMLISTVIEW& change);
    LRESULT draw(NMLVCUSTOMDRAW& draw) const;
    engine::Row* row(int index);
    const engine::Row* row(int index) const;

    engine::CheckList& list_;
    ListView view_;
    bool refreshing_ = false;
    int rowAtPress_ = -1;
};

}  // namespace hastelyn::winui
