#pragma once
// What "reg restore" puts into a key in the sandbox, whose "reg save" files are regedit text
// (RegistryCommands.cpp).
#include <optional>
#include <string>
#include <string_view>

namespace hastelyn::sandbox {

// The regedit text that replaces the content of target ("HKEY_CURRENT_USER\a\b") with a saved
// file's: everything target held deleted, then the keys of the file moved from the key it was
// saved from (its first key) to target. Keys outside the saved one are left out. Nothing for a
// file that is not a saved key (no regedit header first, or no key at all), which, as on
// Windows, leaves the key as it is. The file is decoded as the hives are (FileEncoding.h).
std::optional<std::string> restoredKeyText(std::string_view fileBytes, std::string_view target);

}  // namespace hastelyn::sandbox
