#pragma once
// The rows as the command line names them: the locked-items key ("System1" ... "Others10") for
// the tweak rows, "Service:" and the display name for the services.
#include <string>
#include <string_view>
#include <vector>

#include "engine/ItemModel.h"

namespace hastelyn::cli {

struct RowView {
    std::string name;
    engine::Row* row;
};

// Every row of the six lists in their order.
std::vector<RowView> listRows(engine::ItemModel& model);
// The row of a name, or null.
engine::Row* findRow(engine::ItemModel& model, std::string_view name);

}  // namespace hastelyn::cli
