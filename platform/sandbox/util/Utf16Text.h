#pragma once
// UTF-16 beside the UTF-8 the program keeps inside: regedit files hold string data of hex(1),
// hex(2) and hex(7) values as UTF-16LE, and Windows keeps Unicode text files in it.
#include <string>
#include <string_view>

namespace hastelyn::sandbox {

// UTF-8 to UTF-16; invalid bytes become '?'.
std::u16string utf8ToUtf16(std::string_view utf8);
// The same as UTF-16LE bytes.
std::string utf8ToUtf16le(std::string_view utf8);

// UTF-16LE bytes to UTF-8; an unpaired surrogate becomes '?', an odd last byte is dropped.
std::string utf16leToUtf8(std::string_view bytes);

}  // namespace hastelyn::sandbox
