#pragma once
// The top-level error handler: an error raised inside a command shows its text in an error box
// and ends that command; the program keeps running.
#include <exception>
#include <functional>
#include <string>

#include "foundation/MessageDialogs.h"

namespace hastelyn::ui {

// Where error texts go: the main window sets ui::model::reportCommandError (spoken, then the
// error box) for the whole run; tests may set their own.
void setErrorReporter(std::function<void(const std::string&)> reporter);
void reportError(const std::string& text);

// Runs a command; an exception it raises is reported and swallowed.
template <typename Command>
void runCommand(Command&& command) {
    try {
        command();
    } catch (const std::exception& e) {
        reportError(e.what());
    }
}

}  // namespace hastelyn::ui
