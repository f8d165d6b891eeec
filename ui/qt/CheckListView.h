#pragma once
// A check list that shows one list of the item model: its rows' labels, ticks and enabled
// flags. Ticking a row in the window ticks it in the model; a disabled row is drawn greyed and
// cannot be ticked, but can be selected.
#include "engine/ItemModel.h"
#include "ui/qt/RowList.h"

namespace hastelyn::ui {

class CheckListView : public RowList {
    Q_OBJECT
public:
    CheckListView(engine::CheckList& list, QWidget* parent);

    // Shows the model again (after a pass or a change of the enabled flags).
    void refresh();
    engine::CheckList& checkList() { return list_; }
    // The tick of the selected row, if a row is selected.
    std::optional<bool> selectedRowTicked() const;

private:
    void rowChanged(QListWidgetItem* item);

    engine::CheckList& list_;
    bool refreshing_ = false;
};

}  // namespace hastelyn::ui
