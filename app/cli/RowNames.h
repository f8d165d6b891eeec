#pragma once
// The rows as the command line names them: the locked-items key ("System1" ... "Others10") for
// the tweak rows, "Service:" and the display name for the services.
#include <string>
#include <string_view>
#include <vector>

#include "engine/ItemModel.h"
#include "engine/Session.h"
#include "engine/TweakItem.h"

namespace hastelyn::cli {

struct RowView {
    std::string name;
    engine::Row* row;
    const engine::TweakItem* item;  // null for a service
};

// Every row of the six lists in their order.
std::vector<RowView> listRows(engine::ItemModel& model);
// The row of a name, or null.
engine::Row* findRow(engine::ItemModel& model, std::string_view name);

// Where the row writes on this Windows; a service is the machine's.
engine::RowScope scopeOf(engine::Session& session, const RowView& view);
// Whether a row belongs to the scope asked for (--scope user|machine; empty: every row). A row
// that writes both belongs to neither: run as SYSTEM its user part would reach no user, run as a
// restricted user its machine part would be refused half-way.
bool inScope(engine::Session& session, const RowView& view, std::string_view scope);

}  // namespace hastelyn::cli
