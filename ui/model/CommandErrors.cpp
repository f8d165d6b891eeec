#include "ui/model/CommandErrors.h"

namespace hastelyn::ui::model {

std::string spokenError(std::string_view message) {
    std::string spoken = "エラーのメッセージ。";
    // The box's line breaks mean nothing read aloud.
    for (const char c : message)
        if (c != '\r' && c != '\n') spoken += c;
    return spoken + "Enterキーを押すと 画面を閉じます。";
}

void reportCommandError(foundation::MessageDialogs& dialogs, std::string_view message) {
    dialogs.error(spokenError(message), message);
}

}  // namespace hastelyn::ui::model
