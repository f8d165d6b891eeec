#pragma once
// The error that ends the running command. It carries the text the user sees; the top-level
// handler shows it in an error box and the program goes on.
#include <stdexcept>
#include <string>

namespace hastelyn::foundation {

class CommandError : public std::runtime_error {
public:
    explicit CommandError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace hastelyn::foundation
