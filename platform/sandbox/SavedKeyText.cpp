#include "platform/sandbox/SavedKeyText.h"

#include <algorithm>

#include "platform/Text.h"
#include "platform/sandbox/util/FileEncoding.h"

namespace hastelyn::sandbox {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kHeader4 = "REGEDIT4";

// Lines end as the hive reader ends them (CR LF, LF or a lone CR): a line this rebasing copies
// as part of a value is never a key line to the import.
std::string_view nextLine(std::string_view& text) {
    const std::size_t end = text.find_first_of("\r\n");
    const std::string_view line = text.substr(0, end);
    if (end == std::string_view::npos) text = {};
    else text.remove_prefix(end + (text.substr(end).starts_with("\r\n") ? 2 : 1));
    return line;
}

}  // namespace

std::optional<std::string> restoredKeyText(std::string_view fileBytes, std::string_view target) {
    const std::string decoded = decodeTextFile(fileBytes);
    std::string_view file = decoded;
    const std::string_view header = nextLine(file);
    if (header != kHeader && header != kHeader4) return std::nullopt;
    std::string out = std::string(kHeader) + "\n\n[-" + std::string(target) + "]\n";
    std::string saved;
    bool inside = false;
    while (!file.empty()) {
        const std::string_view line = nextLine(file);
        const std::string_view trimmed = line.substr(std::min(line.size(), line.find_first_not_of(" \t")));
        if (!trimmed.starts_with('[')) {
            if (inside) out += std::string(line) + "\n";
            continue;
        }
        const std::size_t close = trimmed.rfind(']');
        if (close == std::string_view::npos) {
            inside = false;
            continue;
        }
        std::string_view path = trimmed.substr(1, close - 1);
        const bool remove = path.starts_with('-');
        if (remove) path.remove_prefix(1);
        if (saved.empty()) saved = path;
        inside = !saved.empty() && text::equalsNoCase(path.substr(0, saved.size()), saved) &&
                 (path.size() == saved.size() || path[saved.size()] == '\\');
        if (inside)
            out += std::string(remove ? "[-" : "[") + std::string(target) + std::string(path.substr(saved.size())) + "]\n";
    }
    if (saved.empty()) return std::nullopt;
    return out;
}

}  // namespace hastelyn::sandbox
