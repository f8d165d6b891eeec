#include "foundation/Settings.h"

namespace hastelyn::foundation {

std::string settingsPathFor(std::string_view programPath) {
    const std::size_t slash = programPath.find_last_of("\\/");
    const std::size_t dot = programPath.rfind('.');
    const bool hasExtension = dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash);
    return std::string(hasExtension ? programPath.substr(0, dot) : programPath) + ".ini";
}

std::string Settings::read(std::string_view section, std::string_view key) const {
    return profiles_.ReadProfileValue(path_, section, key);
}

void Settings::write(std::string_view section, std::string_view key, std::string_view value) {
    profiles_.WriteProfileValue(path_, section, key, value);
}

void Settings::remove(std::string_view section, std::string_view key) {
    profiles_.DeleteProfileKey(path_, section, key);
}

std::unique_ptr<std::vector<std::string>> Settings::keys(std::string_view section) const {
    return profiles_.GetProfileSectionKeys(path_, section);
}

}  // namespace hastelyn::foundation
