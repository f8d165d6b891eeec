#pragma once
// File name patterns as FindFirstFileA matches them on NT.
//
// Before matching, Windows turns the pattern into its DOS form: '?' matches one character but
// also nothing at a '.' or at the end of the name; '*' right before a '.' matches up to the
// last '.' of the name; a '.' before '?', '*' or at the end of the pattern also matches the end
// of the name. So "*.*" matches every name, dotted or not, "*." matches names without an
// extension, and "a?.txt" matches "a.txt". Letters compare case-insensitively (ASCII). Short
// (8.3) names are not matched.
#include <string_view>

namespace hastelyn::sandbox {

bool matchesDosPattern(std::string_view pattern, std::string_view name);

}  // namespace hastelyn::sandbox
