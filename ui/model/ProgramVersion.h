#pragma once
// The program's version, as the build gives it (the project version of the top CMakeLists.txt,
// the one place it is kept); every window that shows a version shows this one.
#include <string_view>

namespace hastelyn::ui::model {

// "1.92".
std::string_view programVersion();

}  // namespace hastelyn::ui::model
