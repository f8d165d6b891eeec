#pragma once
// Writes a hive as a "Windows Registry Editor Version 5.00" file, the way regedit exports it:
// every key in depth-first enumeration order (parents first), its values in creation order.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/sandbox/registry/HiveKey.h"

namespace hastelyn::sandbox {

// The file text for key and everything below it; keyPath is the key's full name, as
// "HKEY_LOCAL_MACHINE" for a whole hive or "HKEY_CURRENT_USER\Software\X" for part of one.
// The value lines of each key are kept in the key (HiveKey::valuesText) and made again only
// after its values changed. sizeHint: room to reserve, as the size of the last text written.
std::string writeHiveFile(const HiveKey& key, std::string_view keyPath, std::size_t sizeHint = 0);

}  // namespace hastelyn::sandbox
