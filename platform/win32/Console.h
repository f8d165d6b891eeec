#pragma once
// What a command-line program needs to speak UTF-8 on Windows.
#include <string>
#include <vector>

namespace hastelyn::win32 {

// The program's command-line arguments as UTF-8, argv[0] first. main's argv holds them in the
// ANSI code page, where names the code page lacks are already lost; these come from the
// UTF-16 command line.
std::vector<std::string> programArguments();

// While it lives, a console shows the program's UTF-8 output, and the standard output and
// error streams pass bytes as they are (no CR added before LF), so scripts read what they read
// on Linux. The console's code page is set back at the end.
class Utf8Console {
public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    unsigned previousCodePage_;
};

}  // namespace hastelyn::win32
