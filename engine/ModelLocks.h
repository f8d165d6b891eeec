#pragma once
// The item model's rows in the locked-items settings: their enabled flags copied out for the
// marking and back after applying.
#include "engine/ItemModel.h"
#include "foundation/LockedItems.h"

namespace hastelyn::engine {

// Copies the enabled flags of the tweak rows and the services list into controls.
void copyRowLocks(const ItemModel& model, foundation::LockableControls& controls);
// Sets the enabled flags of the tweak rows and the services rows from controls.
void applyRowLocks(const foundation::LockableControls& controls, ItemModel& model);

}  // namespace hastelyn::engine
