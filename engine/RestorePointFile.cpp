#include "engine/RestorePointFile.h"

#include "foundation/RegistryValues.h"

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

void RestorePointBatch::put(std::string_view section, std::string_view key, std::string_view value) {
    if (value == foundation::kNull) return;
    writes_.push_back({std::string(section), std::string(key), std::string(value)});
}

void RestorePointBatch::putExact(std::string_view key, std::string_view value) {
    if (value == foundation::kNull) return;
    exactWrites_.push_back({std::string(kExactSection), std::string(key), std::string(value)});
}

void RestorePointBatch::writeTo(foundation::ProfileValues& profiles, std::string_view path) const {
    std::vector<platform::ProfileWrite> all = writes_;
    all.insert(all.end(), exactWrites_.begin(), exactWrites_.end());
    profiles.WriteProfileValues(path, all);
}

}  // namespace hastelyn::engine
