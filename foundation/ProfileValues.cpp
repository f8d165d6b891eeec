#include "foundation/ProfileValues.h"

#include "foundation/CommandError.h"
#include "foundation/RegistryValues.h"

namespace hastelyn::foundation {
namespace {

constexpr std::size_t kValueBuffer = 2048;
constexpr std::size_t kKeyListBuffer = 16384;

}  // namespace

std::string ProfileValues::ReadProfileValue(std::string_view file, std::string_view section, std::string_view key) {
    return platform_.profiles.getString(file, section, key, kNull, kValueBuffer);
}

void ProfileValues::WriteProfileValue(std::string_view file, std::string_view section, std::string_view key,
                                      std::string_view value) {
    if (value == kNull) return;
    clearReadOnly(file);
    if (const auto result = platform_.profiles.writeString(file, section, key, value); !result.ok())
        throwRefused(file, result);
}

void ProfileValues::WriteProfileValues(std::string_view file, const std::vector<platform::ProfileWrite>& writes) {
    std::vector<platform::ProfileWrite> kept;
    kept.reserve(writes.size());
    for (const platform::ProfileWrite& w : writes)
        if (w.value != kNull) kept.push_back(w);
    if (kept.empty()) return;
    clearReadOnly(file);
    if (const auto result = platform_.profiles.writeStrings(file, kept); !result.ok()) throwRefused(file, result);
}

std::unique_ptr<std::vector<std::string>> ProfileValues::GetProfileSectionKeys(std::string_view file,
                                                                               std::string_view section) {
    return std::make_unique<std::vector<std::string>>(platform_.profiles.getKeyNames(file, section, kKeyListBuffer));
}

void ProfileValues::DeleteProfileKey(std::string_view file, std::string_view section, std::string_view key) {
    clearReadOnly(file);
    if (const auto result = platform_.profiles.writeString(file, section, key, std::nullopt); !result.ok())
        throwRefused(file, result);
}

void ProfileValues::clearReadOnly(std::string_view file) {
    const std::uint32_t attributes = platform_.files.getFileAttributes(file);
    if (attributes == platform::fileattr::Invalid || (attributes & platform::fileattr::ReadOnly) == 0) return;
    // A file that stays read-only refuses the write: the message names why it stayed so.
    if (const auto result = platform_.files.setFileAttributes(file, attributes & ~platform::fileattr::ReadOnly);
        !result.ok())
        throwRefused(file, result);
}

void ProfileValues::throwRefused(std::string_view file, platform::CallResult result) {
    throw CommandError("ファイル \"" + std::string(file) + "\" に書き込めませんでした。" +
                       platform_.system.errorText(result.code()));
}

}  // namespace hastelyn::foundation
