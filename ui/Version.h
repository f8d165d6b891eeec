#pragma once
// The program's version, as the build gives it (the project version of the top CMakeLists.txt,
// the one place it is kept); every window that shows a version shows this one.
#include <QString>

namespace hastelyn::ui {

// "1.92".
QString programVersion();

}  // namespace hastelyn::ui
