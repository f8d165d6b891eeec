#pragma once
// The tweak items as the windows show them: five check lists of ten rows and the services
// list, with the state table that records which items are in force.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/Edition.h"

namespace hastelyn::engine {

struct Row {
    std::string label;
    bool ticked = false;
    bool enabled = true;
};

struct CheckList {
    std::vector<Row> rows;
    // Whether rows added to the list (the services list is filled again after a restore) are
    // enabled: the list's lock outlives its rows.
    bool newRowsEnabled = true;
};

// One of the five tweak categories, in the order every pass visits them.
struct Category {
    std::string_view listName;  // "LstSystem"
    std::string_view caption;   // page caption and category key, "システム"
    std::array<std::string_view, 10> labels;
};

inline constexpr std::size_t kTweakCategoryCount = foundation::kTweakListCount;
inline constexpr std::size_t kRowsPerCategory = 10;
inline constexpr std::size_t kStateTableSize = 250;
inline constexpr std::size_t kFirstServiceState = 50;

const std::array<Category, kTweakCategoryCount>& tweakCategories();

class ItemModel {
public:
    ItemModel();

    CheckList& tweakList(std::size_t category) { return tweakLists_[category]; }
    const CheckList& tweakList(std::size_t category) const { return tweakLists_[category]; }
    CheckList& services() { return services_; }
    const CheckList& services() const { return services_; }

    // 250 flags: 1 when the item is in force. Index = category * 10 + row; services from 50.
    std::array<std::uint8_t, kStateTableSize>& state() { return state_; }
    const std::array<std::uint8_t, kStateTableSize>& state() const { return state_; }

    // Rows of the five tweak lists, and those of them not ticked (disabled rows included).
    std::size_t allCount() const;
    std::size_t restCount() const;

    // Disables the rows the edition has no use for (row numbers from 1).
    void disableRows(const foundation::DisabledControls& disabled);

private:
    std::array<CheckList, kTweakCategoryCount> tweakLists_;
    CheckList services_;
    std::array<std::uint8_t, kStateTableSize> state_{};
};

}  // namespace hastelyn::engine
