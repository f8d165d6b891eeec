#pragma once
// The error of a restore point that holds, for a row, what the row itself never writes there (a
// restore point may come from anyone). It is raised before anything is changed.
#include <string>
#include <string_view>

#include "foundation/CommandError.h"

namespace hastelyn::engine {

// "[システム]3": the row as its messages name it.
inline std::string rowName(std::string_view section, std::string_view number) {
    return "[" + std::string(section) + "]" + std::string(number);
}

// Names the row and the restore point's section and key.
inline foundation::CommandError restoreRefusal(std::string_view row, std::string_view section, std::string_view key) {
    return foundation::CommandError("復元ポイントの [" + std::string(section) + "] の \"" + std::string(key) + "\" は、" +
                                    std::string(row) + " の項目が書き込む値ではありません。何も変更しませんでした。");
}

}  // namespace hastelyn::engine
