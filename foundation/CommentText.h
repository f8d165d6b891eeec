#pragma once
// The two ways the commentary panel reshapes its texts. Both are defined on the Shift_JIS form
// of a text, the way it is stored on a Japanese system: a double-byte character counts two
// bytes, and no character is ever split.
#include <string>
#include <string_view>

namespace hastelyn::foundation {

// Joins the lines of each paragraph so the panel can wrap them itself: every full-width space
// goes, a line break stays before an empty line, before a line that begins with a half-width
// space or with "・", and at the very end of the text; every other CR LF is removed.
std::string reflowComment(std::string_view text);

// Breaks the long lines of a hint: a line with a line break before and after it that is longer
// than 100 bytes gets a CR LF after its first 100 bytes (101 when that would split a
// double-byte character), and each later piece of it after 102 bytes (103). The first and the
// last line of the text are left as they are.
std::string breakHintLines(std::string_view text);

}  // namespace hastelyn::foundation
