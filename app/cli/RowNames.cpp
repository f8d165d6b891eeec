#include "app/cli/RowNames.h"

#include <cstdio>

#include "foundation/LockedItems.h"

namespace hastelyn::cli {

std::vector<RowView> listRows(engine::ItemModel& model) {
    std::vector<RowView> rows;
    for (std::size_t c = 0; c < engine::kTweakCategoryCount; ++c) {
        auto& list = model.tweakList(c).rows;
        for (std::size_t r = 0; r < list.size(); ++r) rows.push_back({foundation::tweakRowKey(c, r), &list[r]});
    }
    for (engine::Row& row : model.services().rows) rows.push_back({"Service:" + row.label, &row});
    return rows;
}

engine::Row* findRow(engine::ItemModel& model, std::string_view name) {
    for (const RowView& view : listRows(model))
        if (view.name == name) return view.row;
    return nullptr;
}

std::string jsonText(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

}  // namespace hastelyn::cli
