#pragma once
// Text conversions the registry needs: the ANSI API speaks UTF-8 here, while regedit files keep
// string data of hex(1), hex(2) and hex(7) values as UTF-16LE.
#include <string>
#include <string_view>

namespace hastelyn::sandbox {

// The bytes as valid UTF-8: every byte that is not part of a valid sequence becomes '?', the way
// Windows loses characters its code page cannot map.
std::string replaceInvalidUtf8(std::string_view bytes);

// UTF-8 to UTF-16; invalid bytes become '?'.
std::u16string utf8ToUtf16(std::string_view utf8);
// The same as UTF-16LE bytes.
std::string utf8ToUtf16le(std::string_view utf8);

// UTF-16LE bytes to UTF-8; an unpaired surrogate becomes '?', an odd last byte is dropped.
std::string utf16leToUtf8(std::string_view bytes);

}  // namespace hastelyn::sandbox
