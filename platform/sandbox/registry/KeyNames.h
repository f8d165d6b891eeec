#pragma once
// How the sandbox registry reads key paths and value names, the same for the API and for hive
// files, so that what a process keeps in memory is what a reload of the file gives.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

namespace hastelyn::sandbox {

// Windows limits: a key name has at most 255 characters, a tree at most 512 levels.
constexpr std::size_t kMaxKeyNameLength = 255;
constexpr std::size_t kMaxKeyDepth = 512;

// Splits "a\b\c" into its key names. The path ends at a NUL (as a C string would); empty
// names (leading, trailing or doubled backslashes) are skipped; bytes that are not UTF-8
// become '?'. False when a name is too long, holds a line break or the path is too deep.
bool splitKeyPath(std::string_view path, std::vector<std::string>& names);
// The same reading, each name handed to `take` as it is found (a name of plain ASCII without
// being copied); false as splitKeyPath says, or as soon as `take` returns false.
bool forEachKeyName(std::string_view path, const std::function<bool(std::string_view)>& take);

// A key name as splitKeyPath gives it: not empty, at most 255 characters of UTF-8 (as
// replaceInvalidUtf8 leaves it), no backslash, NUL or line break.
bool isKeyName(std::string_view name);

// A value name as the hive keeps it: up to the first NUL, invalid UTF-8 bytes as '?'.
std::string cleanValueName(std::string_view name);

bool hasLineBreak(std::string_view text);

// The root a hive file names: "HKEY_LOCAL_MACHINE" or the short form "HKLM", any case.
std::optional<platform::RootKey> rootKeyFromName(std::string_view name);

}  // namespace hastelyn::sandbox
