#include "engine/Passes.h"

#include "engine/Services.h"
#include "engine/TweakItem.h"
#include "foundation/LockedItems.h"

namespace hastelyn::engine {

const std::vector<ItemList>& tweakItems() {
    static const std::vector<ItemList> items = [] {
        std::vector<ItemList> all;
        all.push_back(makeSystemItems());
        all.push_back(makeDesktopItems());
        all.push_back(makeExplorerItems());
        all.push_back(makePowerItems());
        all.push_back(makeOthersItems());
        return all;
    }();
    return items;
}

void readPass(Session& session) {
    const std::vector<ItemList>& items = tweakItems();
    for (std::size_t c = 0; c < kTweakCategoryCount; ++c) {
        CheckList& list = session.model.tweakList(c);
        for (std::size_t r = 0; r < items[c].size() && r < list.rows.size(); ++r) {
            if (!items[c][r]->inForce(session)) continue;
            list.rows[r].ticked = true;
            session.model.state()[c * kRowsPerCategory + r] = 1;
        }
    }
    FillServiceList(session);
}

void applyPass(Session& session) {
    const std::vector<ItemList>& items = tweakItems();
    for (std::size_t c = 0; c < kTweakCategoryCount; ++c) {
        CheckList& list = session.model.tweakList(c);
        for (std::size_t r = 0; r < items[c].size() && r < list.rows.size(); ++r) {
            const TweakItem& item = *items[c][r];
            const Row& row = list.rows[r];
            std::uint8_t& flag = session.model.state()[c * kRowsPerCategory + r];
            session.applyingRow(foundation::tweakRowKey(c, r));
            if (row.enabled && row.ticked != (flag != 0) && item.apply(session, row.ticked)) flag = flag ? 0 : 1;
            item.everyPass(session);
        }
    }
    if (serviceRowsEnabled(session.model)) ApplyServiceRows(session);
    session.applyingRow("");
}

void clearTicks(Session& session) {
    for (std::size_t c = 0; c < kTweakCategoryCount; ++c)
        for (Row& row : session.model.tweakList(c).rows) row.ticked = false;
    for (Row& row : session.model.services().rows) row.ticked = false;
    session.model.services().rows.clear();
    session.model.state().fill(0);
}

}  // namespace hastelyn::engine
