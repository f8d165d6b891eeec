#include "engine/RestorePointFile.h"

namespace hastelyn::engine {

void RestorePointFile::put(std::string_view section, std::string_view key, std::string_view value) {
    profiles_.WriteProfileValue(path_, section, key, value);
}

std::string RestorePointFile::get(std::string_view section, std::string_view key) {
    return profiles_.ReadProfileValue(path_, section, key);
}

std::vector<std::string> RestorePointFile::keys(std::string_view section) {
    return *profiles_.GetProfileSectionKeys(path_, section);
}

}  // namespace hastelyn::engine
