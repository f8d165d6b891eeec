#pragma once
// The file-open dialog the windows provide (a command line or a test answers it instead).
#include <optional>
#include <string>
#include <string_view>

namespace hastelyn::engine {

class FileOpenDialog {
public:
    virtual ~FileOpenDialog() = default;
    // Shows the dialog with its title, its filter ("name|pattern|name|pattern", the first entry
    // chosen) and its start folder, all machine paths. The chosen file as a machine path, or
    // nothing when the user cancelled.
    virtual std::optional<std::string> choose(std::string_view title, std::string_view filter,
                                              std::string_view folder) = 0;
};

}  // namespace hastelyn::engine
