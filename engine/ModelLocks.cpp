#include "engine/ModelLocks.h"

namespace hastelyn::engine {

void copyRowLocks(const ItemModel& model, foundation::LockableControls& controls) {
    for (std::size_t c = 0; c < kTweakCategoryCount; ++c)
        for (std::size_t r = 0; r < foundation::kRowsPerList && r < model.tweakList(c).rows.size(); ++r)
            controls.tweakRowEnabled[c][r] = model.tweakList(c).rows[r].enabled;
    const auto& services = model.services().rows;
    controls.serviceListHasRows = !services.empty();
    controls.serviceFirstRowEnabled = services.empty() || services.front().enabled;
}

void applyRowLocks(const foundation::LockableControls& controls, ItemModel& model) {
    for (std::size_t c = 0; c < kTweakCategoryCount; ++c)
        for (std::size_t r = 0; r < foundation::kRowsPerList && r < model.tweakList(c).rows.size(); ++r)
            model.tweakList(c).rows[r].enabled = controls.tweakRowEnabled[c][r];
    if (controls.serviceRows != foundation::LockableControls::Change::Leave) {
        const bool enabled = controls.serviceRows == foundation::LockableControls::Change::Enable;
        model.services().newRowsEnabled = enabled;
        for (Row& row : model.services().rows) row.enabled = enabled;
    }
}

}  // namespace hastelyn::engine
