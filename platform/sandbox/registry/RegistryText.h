#pragma once
// Text conversions the registry needs: the ANSI API speaks UTF-8 here, while regedit files keep
// string data of hex(1), hex(2) and hex(7) values as UTF-16LE (Utf16Text.h).
#include <string>
#include <string_view>

#include "platform/sandbox/util/Utf16Text.h"

namespace hastelyn::sandbox {

// The bytes as valid UTF-8: every byte that is not part of a valid sequence becomes '?', the way
// Windows loses characters its code page cannot map.
std::string replaceInvalidUtf8(std::string_view bytes);

}  // namespace hastelyn::sandbox
