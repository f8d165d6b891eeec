#pragma once
// Reads regedit files ("Windows Registry Editor Version 5.00" or "REGEDIT4") into a hive.
//
// Besides what regedit writes, hand-written machine images may use "n"=expand:"text" and
// "n"=multi:"a","b". Bad input never stops the reader: a line it cannot understand is skipped
// (with the values under a key line it cannot understand), the rest is kept.
#include <string_view>

#include "platform/Registry.h"
#include "platform/sandbox/registry/HiveKey.h"

namespace hastelyn::sandbox {

// Applies the keys of `root` the file names to hive (the key that stands for the root), in file
// order: keys are made or merged, [-key] deletes, "name"=- deletes a value, later values win.
// Keys of other roots are left alone. The file is decoded line by line (FileEncoding.h): UTF-8,
// Shift_JIS where a line is not UTF-8, or UTF-16LE after its byte-order mark, as regedit
// exports. True when the file named the root at all.
bool applyHiveFile(std::string_view fileBytes, platform::RootKey root, HiveKey& hive);

// The hive of `root` a file holds.
std::unique_ptr<HiveKey> parseHiveFile(std::string_view fileBytes, platform::RootKey root);

}  // namespace hastelyn::sandbox
