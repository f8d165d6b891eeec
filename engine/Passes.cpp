#include "engine/Passes.h"

#include <mutex>

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
    noteMachineRead(session);
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

PassResult applyPass(Session& session) {
    PassResult result;
    applyPass(session, result);
    return result;
}

void applyPass(Session& session, PassResult& result) {
    ChangeMutex mutex(session.platform.windows);
    const std::vector<ItemList>& items = tweakItems();
    for (std::size_t c = 0; c < kTweakCategoryCount; ++c) {
        CheckList& list = session.model.tweakList(c);
        for (std::size_t r = 0; r < items[c].size() && r < list.rows.size(); ++r) {
            const TweakItem& item = *items[c][r];
            Row& row = list.rows[r];
            const std::size_t index = c * kRowsPerCategory + r;
            std::uint8_t& flag = session.model.state()[index];
            session.applyingRow(foundation::tweakRowKey(c, r));
            if (row.enabled && row.ticked != (flag != 0)) {
                const std::lock_guard turn(mutex);
                const platform::RegistryBatch batch(session.platform.registry, item.registryOnly());
                if (!stillAsRead(item.inForce(session), flag, row.ticked)) {
                    result.left.push_back(index);
                } else {
                    result.changedRows = true;
                    (void)session.registry.takeSkippedRefusal();
                    const bool applied = item.apply(session, row.ticked);
                    if (auto refused = session.registry.takeSkippedRefusal())
                        result.failed.push_back({index, std::move(*refused)});
                    else if (applied)
                        flag = flag ? 0 : 1;
                }
            }
            item.everyPass(session);
        }
    }
    if (serviceRowsEnabled(session.model)) ApplyServiceRows(session, mutex, result);
    session.applyingRow("");
    if (result.changedRows) stampChanges(session);
}

void clearTicks(Session& session) {
    for (std::size_t c = 0; c < kTweakCategoryCount; ++c)
        for (Row& row : session.model.tweakList(c).rows) row.ticked = false;
    for (Row& row : session.model.services().rows) row.ticked = false;
    session.model.services().rows.clear();
    session.model.state().fill(0);
}

}  // namespace hastelyn::engine
