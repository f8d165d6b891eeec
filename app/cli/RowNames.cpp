#include "app/cli/RowNames.h"

#include "foundation/LockedItems.h"

namespace hastelyn::cli {

std::vector<RowView> listRows(engine::ItemModel& model) {
    std::vector<RowView> rows;
    const std::vector<engine::ItemList>& items = engine::tweakItems();
    for (std::size_t c = 0; c < engine::kTweakCategoryCount; ++c) {
        auto& list = model.tweakList(c).rows;
        for (std::size_t r = 0; r < list.size(); ++r)
            rows.push_back({foundation::tweakRowKey(c, r), &list[r], items[c][r].get()});
    }
    for (engine::Row& row : model.services().rows) rows.push_back({"Service:" + row.label, &row, nullptr});
    return rows;
}

engine::Row* findRow(engine::ItemModel& model, std::string_view name) {
    for (const RowView& view : listRows(model))
        if (view.name == name) return view.row;
    return nullptr;
}

engine::RowScope scopeOf(engine::Session& session, const RowView& view) {
    return view.item != nullptr ? view.item->scope(session) : engine::RowScope::Machine;
}

bool inScope(engine::Session& session, const RowView& view, std::string_view scope) {
    return scope.empty() || engine::scopeName(scopeOf(session, view)) == scope;
}

}  // namespace hastelyn::cli
