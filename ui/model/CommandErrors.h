#pragma once
// An error raised inside a command, as every window meets it: its spoken text first, then the
// error box; the command ends there and the program goes on.
#include <exception>
#include <string>
#include <string_view>

#include "foundation/MessageDialogs.h"

namespace hastelyn::ui::model {

// "エラーのメッセージ。", the message on one line, "Enterキーを押すと 画面を閉じます。"
std::string spokenError(std::string_view message);
// Speaks the error (when "Sound" is "On") and shows it in the error box.
void reportCommandError(foundation::MessageDialogs& dialogs, std::string_view message);

// Runs a command; an error it raises is reported and ends only the command. False after an error.
template <typename Command>
bool runCommand(foundation::MessageDialogs& dialogs, Command&& command) {
    try {
        command();
        return true;
    } catch (const std::exception& e) {
        reportCommandError(dialogs, e.what());
        return false;
    }
}

}  // namespace hastelyn::ui::model
