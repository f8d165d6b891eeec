#pragma once
// The manual page and the bash completion of hastelyn-cli, written at build time from its
// command table, so that they say what --help says.
#include <string>

namespace hastelyn::cli {

// The page in man(7) syntax, section 1.
std::string manPage();
// A script for bash-completion: the commands, each command's switches, and the words of the
// switches and operands that are a choice; files where a FILE is asked.
std::string bashCompletion();

}  // namespace hastelyn::cli
