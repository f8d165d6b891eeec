#pragma once
// Reading a file that may come from anyone (a restore point, a mail-rule backup) with a bound on
// its size: the size is taken from the folder first, so that a larger file is never read.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace hastelyn::foundation {

enum class BoundedRead { Read, Missing, TooLarge };

// The file's bytes into `bytes` when it is there, can be read and holds at most `limit` bytes.
BoundedRead readFileWithin(platform::FileSystem& files, std::string_view path, std::uint64_t limit,
                           std::string& bytes);

}  // namespace hastelyn::foundation
