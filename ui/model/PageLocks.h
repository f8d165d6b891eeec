#pragma once
// Which utility controls and PC-information fields may be used: what the edition lacks, and the
// locked-items section ("Utility1" ..., "PCInfo1" ...). The state is held here, not in the
// widgets; the tweak rows' and the services list's own locks are the item model's.
#include <array>
#include <cstddef>

#include "engine/ItemModel.h"
#include "foundation/Edition.h"
#include "foundation/LockedItems.h"
#include "ui/model/MainPagesView.h"

namespace hastelyn::ui::model {

class PageLocks {
public:
    // Switches off the utility controls the edition names (buttons, the defrag drive list).
    void disableForEdition(const foundation::DisabledControls& disabled);
    // Every lockable control's state: the rows' from the item model, the rest held here.
    foundation::LockableControls lockable(const engine::ItemModel& rows) const;
    // Applies the locked-items section to the rows and to what is held here. With `marked`,
    // what the program itself switched off then stays off.
    void apply(const foundation::Settings& settings, engine::ItemModel& rows,
               const foundation::LockableControls* marked = nullptr);

    bool fieldEditable(std::size_t field) const { return field < editable_.size() && editable_[field]; }

    // The buttons enabled or not, the fields editable on the window colour or read-only on
    // silver.
    void show(MainPagesView& view) const;

private:
    std::array<bool, foundation::kUtilityButtons> utilityEnabled_ = foundation::LockableControls{}.utilityEnabled;
    std::array<bool, foundation::kPcInfoFields> editable_ = foundation::LockableControls{}.pcInfoEditable;
    bool defragListEnabled_ = true;
};

}  // namespace hastelyn::ui::model
