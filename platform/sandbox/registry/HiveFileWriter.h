#pragma once
// Writes a hive as a "Windows Registry Editor Version 5.00" file, the way regedit exports it:
// every key in depth-first enumeration order (parents first), its values in creation order.
#include <string>
#include <string_view>

#include "platform/sandbox/registry/HiveKey.h"

namespace hastelyn::sandbox {

// The file text for key and everything below it; keyPath is the key's full name, as
// "HKEY_LOCAL_MACHINE" for a whole hive or "HKEY_CURRENT_USER\Software\X" for part of one.
std::string writeHiveFile(const HiveKey& key, std::string_view keyPath);

}  // namespace hastelyn::sandbox
