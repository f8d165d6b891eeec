#pragma once
// The edge between the program's UTF-8 and the UTF-16 of the wide Windows API.
#include <cstddef>
#include <string>
#include <string_view>

namespace hastelyn::win32 {

// UTF-8 to UTF-16. Embedded NULs stay; invalid bytes become U+FFFD.
std::wstring widen(std::string_view utf8);
// UTF-16 to UTF-8. Embedded NULs stay; a lone surrogate becomes U+FFFD.
std::string narrow(std::wstring_view utf16);
// The text for a parameter where a null pointer means none or the default: null when empty.
inline const wchar_t* orNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

// The number of bytes the text takes in the system's ANSI code page (what the A functions
// would count); a character the code page lacks counts as the one byte of its '?'.
std::size_t ansiLength(std::wstring_view utf16);
// The longest prefix of the text, cut between characters, that takes at most maxBytes bytes in
// the ANSI code page.
std::wstring_view cutToAnsiLength(std::wstring_view utf16, std::size_t maxBytes);

}  // namespace hastelyn::win32
