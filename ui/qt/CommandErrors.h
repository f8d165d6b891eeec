#pragma once
// The top-level error handler: an error raised inside a command shows its text in an error box
// and ends that command; the program keeps running.
#include <exception>
#include <functional>
#include <string>

#include "foundation/MessageDialogs.h"

namespace hastelyn::ui {

// Where error texts go; without a reporter, to the standard error.
void setErrorReporter(std::function<void(const std::string&)> reporter);
// The program's reporter: every window's error spoken, then shown in the error box of these
// dialogs (ui::model::reportCommandError). Null: none.
void reportErrorsTo(foundation::MessageDialogs* dialogs);
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
