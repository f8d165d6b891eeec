#include "ui/model/PageLocks.h"

#include "engine/ModelLocks.h"
#include "ui/model/Colours.h"
#include "ui/model/MainPagesControls.h"

namespace hastelyn::ui::model {

void PageLocks::disableForEdition(const foundation::DisabledControls& disabled) {
    for (const std::string& name : disabled.utilityControls) {
        if (name == pages::LstHDDefrag.name) defragListEnabled_ = false;
        for (std::size_t i = 0; i < pages::kUtilityButtons.size(); ++i)
            if (name == pages::kUtilityButtons[i]->name) utilityEnabled_[i] = false;
    }
}

foundation::LockableControls PageLocks::lockable(const engine::ItemModel& rows) const {
    foundation::LockableControls controls;
    engine::copyRowLocks(rows, controls);
    controls.utilityEnabled = utilityEnabled_;
    controls.pcInfoEditable = editable_;
    return controls;
}

void PageLocks::apply(const foundation::Settings& settings, engine::ItemModel& rows,
                      const foundation::LockableControls* marked) {
    foundation::LockableControls controls = lockable(rows);
    foundation::applyLockedItems(settings, controls);
    if (marked != nullptr) foundation::keepProgramLocks(*marked, controls);
    engine::applyRowLocks(controls, rows);
    utilityEnabled_ = controls.utilityEnabled;
    editable_ = controls.pcInfoEditable;
}

void PageLocks::show(MainPagesView& view) const {
    for (std::size_t i = 0; i < pages::kUtilityButtons.size(); ++i)
        view.setEnabled(*pages::kUtilityButtons[i], utilityEnabled_[i]);
    view.setEnabled(pages::LstHDDefrag, defragListEnabled_);
    for (std::size_t i = 0; i < pages::kInfoFields.size(); ++i) {
        const bool editable = fieldEditable(i);
        view.setReadOnly(*pages::kInfoFields[i], !editable);
        view.setColours(*pages::kInfoFields[i], editable ? colours::kWhite : colours::kSilver, colours::kBlack);
    }
}

}  // namespace hastelyn::ui::model
